#pragma once
// A tab of the Tabs part for a strip on any side of its page. The part is drawn for tabs
// above the page (the tab's outer end at the top); tabs below use it flipped top to bottom,
// tabs at the left and right turned a quarter counter-clockwise and clockwise, so the outer
// end always faces away from the page.
#include <cstddef>  // bitmap32.h uses size_t without including it

#include "base/bitmap32.h"
#include "skin/skin_parts.h"

enum class TTabSide { Top, Bottom, Left, Right };

// Frame k of the part as a tab of width x height on that side.
Bitmap32 RenderTab(int width, int height, const TDataSkinObject& part, int frame, TTabSide side);

// Frames of the Tabs part: 1 normal, 2 hot, 3 selected, 4 disabled, 5 selected and hot.
int TabFrame(bool selected, bool hot, bool enabled);
