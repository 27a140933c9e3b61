#pragma once
// The sample bank's pictures: each is named by a short text such as "limit:60",
// "warn:curve_left" or "scene:overtake" (the list is tools/bank/PICTURES.md) and drawn here,
// the same pixels every time.
#include <string>
#include <vector>

#include "base/bitmap32.h"

// Draws the picture a name stands for. Throws std::invalid_argument with a clear message for a
// name that is not in the list (unknown kind, unknown K, bad number).
Bitmap32 PaintPicture(const std::string& picture);

// True when the name is drawable (same rules, without drawing).
bool IsKnownPictureSpec(const std::string& picture);

// Every drawable name with a fixed key, and one example of each kind that takes a number,
// in the list's order (for looking through all pictures at once).
std::vector<std::string> SamplePictureNames();
