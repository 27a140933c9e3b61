#include "ui/image.h"

void TPicture::Assign(const TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty()) {
        Clear();
        return;
    }
    bitmap_.Assign(*bitmap);
    Changed();
}

void TPicture::Assign(const Bitmap32& image) {
    bitmap_.Assign(image);
    Changed();
}

void TPicture::Clear() {
    if (bitmap_.Empty()) return;
    bitmap_.Clear();
    Changed();
}

void TPicture::Changed() {
    if (OnChange) OnChange();
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    width_ = 105;
    height_ = 105;
    picture_.OnChange = [this] { Invalidate(); };
}

void TImage::SetCenter(bool center) {
    if (center == center_) return;
    center_ = center;
    Invalidate();
}

void TImage::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Invalidate();
}

void TImage::AutomationFields(std::vector<std::pair<std::string, std::wstring>>& fields) const {
    fields.emplace_back("picture", picture_.Empty() ? std::wstring()
                                                    : std::to_wstring(picture_.Width()) + L"x" + std::to_wstring(picture_.Height()));
}

void TImage::Paint(HDC dc) {
    if (picture_.Empty()) return;
    // Integer halves as the VCL takes them: a picture larger than the control starts left
    // of and above it, so that its middle is what shows.
    const int x = center_ ? (width_ - picture_.Width()) / 2 : 0;
    const int y = center_ ? (height_ - picture_.Height()) / 2 : 0;
    if (transparent_)
        picture_.Bitmap().DrawTransparent(dc, x, y);
    else
        picture_.Bitmap().Draw(dc, x, y);
}
