#pragma once
// Turning a skin description (INI text) and the images of its archive into skin parts.
#include <functional>
#include <string_view>

#include <cstddef>  // bitmap32.h uses size_t without including it

#include "base/bitmap32.h"
#include "base/ini.h"
#include "skin/skin_parts.h"
#include "skin/skin_reader.h"

// Fetches an image entry for a description value. Only the last path component counts (either
// separator), and only a name ending in exactly ".bmp" names an image; anything else, and an
// entry that is absent or empty, leaves the bitmap empty. Bytes that are not a bitmap throw
// EInvalidGraphic.
void LoadEntryBitmap(const TSkinReader& reader, Bitmap32& bitmap, std::string_view fileName);

// Reads every part of a skin from its description into a fresh skin (the component takes it
// over only once it is complete). Missing keys take their defaults and missing sections leave
// their slots empty; systemColour supplies the colours a description does not give.
TSkinContent LoadSkinIni(const IniFile& ini, const TSkinReader& reader,
                         const std::function<ColourRef(SysColour)>& systemColour);
