#pragma once
// Our own skin, "Muhe Blue": every image drawn by program, and its description. The geometry
// below is shared by the images and the description so that they always agree.
#include <cstddef>  // bitmap32.h uses size_t without including it
#include <string>
#include <vector>

#include "base/bitmap32.h"
#include "skin/skin_archive.h"

namespace muheskin {

inline constexpr int kCaptionHeight = 26;  // the Top frame, outline included
inline constexpr int kBorder = 4;          // Left, Right and Bottom frame widths
inline constexpr int kCornerRadius = 8;    // rounded top corners
inline constexpr int kTopSlice = 8;        // fixed ends of the Top frame
inline constexpr int kCaptionButtonWidth = 21;
inline constexpr int kCaptionButtonHeight = 18;
inline constexpr int kCaptionButtonTop = 4;
inline constexpr int kCaptionButtonGap = 2;
inline constexpr int kMenuBarHeight = 20;
inline constexpr int kMdiGlyph = 16;       // one frame of an MDI button; the strip is 12 of them

inline constexpr const char* kDescriptionName = "muhe.ini";
inline constexpr size_t kDescriptionIndex = 30;  // the description is the 31st entry

struct PaintedImage {
    std::string name;
    Bitmap32 image;
};

// The 34 images in archive order.
std::vector<PaintedImage> PaintSkinImages();
// The description text (8-bit, CR LF lines).
std::string SkinDescription();
// Images (24-bit bitmap files) and the description in archive order.
std::vector<SkinArchiveEntry> PaintSkinEntries();
// The 16 x 16 menu glyphs side by side on white (the mask colour): restore, maximize, minimize,
// close (indexes 0-3, the tags of the system-menu items), cut, copy, paste, help.
Bitmap32 PaintMenuGlyphs();

}  // namespace muheskin
