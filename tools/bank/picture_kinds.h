#pragma once
// The painters of each kind of picture, for the dispatcher in picture_painter.cpp.
#include <span>
#include <string_view>

#include "picture_style.h"

std::span<const PictureEntry> PlainSignPictures();  // "stop", "noleft", ... (no argument)
std::span<const PictureEntry> MandatoryPictures();  // must:K
std::span<const PictureEntry> WarningPictures();    // warn:K
std::span<const PictureEntry> GuidePictures();      // guide:K
std::span<const PictureEntry> WorkPictures();       // work:K
std::span<const PictureEntry> TouristPictures();    // tourist:K
std::span<const PictureEntry> AuxPlatePictures();   // aux:K
std::span<const PictureEntry> MarkingPictures();    // marking:K
std::span<const PictureEntry> SignalPictures();     // signal:K
std::span<const PictureEntry> LampPictures();       // light:K
std::span<const PictureEntry> PolicePictures();     // police:K
std::span<const PictureEntry> ScenePictures();      // scene:K
std::span<const PictureEntry> BadgePictures();      // badge:K

// Signs that carry a number; the text is drawn as given ("3.5" becomes "3.5m").
void PaintSpeedLimit(Canvas& c, std::string_view kmh);
void PaintMinimumSpeed(Canvas& c, std::string_view kmh);
void PaintEndOfSpeedLimit(Canvas& c, std::string_view kmh);
void PaintHeightLimit(Canvas& c, std::string_view metres);
void PaintWidthLimit(Canvas& c, std::string_view metres);
void PaintWeightLimit(Canvas& c, std::string_view tonnes);
