#pragma once
// Pictures the program carries in its resources: complete BMP files stored as RCDATA (the
// option badges, the decorative pictures, the banner), decoded with our own codec.
#include "base/bitmap32.h"

// The picture of the named RCDATA resource of the program; an empty picture when the
// program has no such resource.
Bitmap32 LoadResourcePicture(const wchar_t* name);
