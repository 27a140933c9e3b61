#pragma once
// Pictures are kept at the size a page shows them at when that is smaller than their own: a
// large picture shown small costs only what is shown.
#include "base/bitmap32.h"
#include "reference/html/layout.h"

namespace html {

// The size to keep a picture at: its natural size, cut side by side to the size it is shown at
// (never below one pixel).
PictureSize KeptSize(PictureSize natural, PictureSize shown);

// The picture reduced to a smaller size, each pixel the average of the area it covers. A size
// not smaller on both sides gives the picture back unchanged.
Bitmap32 ShrinkPicture(Bitmap32 picture, PictureSize size);

}  // namespace html
