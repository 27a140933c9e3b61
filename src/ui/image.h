#pragma once
// TImage: a picture drawn by the parent at its own size — at the top-left corner, or
// centred when Center is set — and cut at the control's bounds; never scaled. An empty
// picture paints nothing, so the parent's background shows.
#include "ui/control.h"

// The picture a TImage holds (a copy of the bitmap it was given).
class TPicture {
public:
    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // Takes a copy; nullptr or an empty bitmap clears the picture.
    void Assign(const TBitmap* bitmap);
    void Assign(const Bitmap32& image);
    void Clear();

    bool Empty() const { return bitmap_.Empty(); }
    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }
    const TBitmap& Bitmap() const { return bitmap_; }

    std::function<void()> OnChange;

private:
    void Changed();
    TBitmap bitmap_;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    std::wstring ClassName() const override { return L"TImage"; }

    bool GetCenter() const { return center_; }
    void SetCenter(bool center);
    Property<&TImage::GetCenter, &TImage::SetCenter> Center{this};
    // Transparent: the parent's background shows where the picture has the colour of its
    // bottom-left pixel.
    bool GetTransparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    Property<&TImage::GetTransparent, &TImage::SetTransparent> Transparent{this};

private:
    TPicture picture_;

public:
    TPicture* const Picture = &picture_;

    void Paint(HDC dc) override;
    void AutomationFields(std::vector<std::pair<std::string, std::wstring>>& fields) const override;

private:
    bool center_ = false;
    bool transparent_ = false;
};
