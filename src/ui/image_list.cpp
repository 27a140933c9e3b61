#include "ui/image_list.h"

#include "base/errors.h"

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(width), height_(height) {
    list_ = ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 4, 4);
    if (!list_) throw Exception("Cannot create an image list");
}

TImageList::~TImageList() {
    if (list_) ImageList_Destroy(list_);
}

int TImageList::Count() const { return ImageList_GetImageCount(list_); }

int TImageList::AddMasked(const Bitmap32& strip, TColor maskColor) {
    if (strip.Empty() || strip.height != height_ || strip.width % width_ != 0)
        throw Exception("Image list pictures must be " + std::to_string(width_) + " x " + std::to_string(height_));
    // The system makes the mask from the colour and blackens those pixels in the bitmap it
    // is given, so it gets a copy of its own.
    TBitmap bitmap(strip);
    const int first = ImageList_AddMasked(list_, bitmap.Handle(), ColorToRGB(maskColor));
    if (first < 0) throw Exception("Cannot add pictures to an image list");
    return first;
}

void TImageList::Clear() { ImageList_Remove(list_, -1); }
