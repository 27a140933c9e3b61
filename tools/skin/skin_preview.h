#pragma once
// A picture of a skinned main window, drawn with the part renderer: frame, caption and
// buttons, menu bar and a sample of every control part, once active and once inactive. Text
// is shown as bars of the text colour. For judging a skin's look without a window system.
#include <cstddef>  // bitmap32.h uses size_t without including it

#include "base/bitmap32.h"
#include "skin/skin_parts.h"

Bitmap32 RenderSkinPreview(const TSkinContent& skin, int width, int height);
