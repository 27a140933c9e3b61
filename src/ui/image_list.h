#pragma once
// TImageList: pictures of one size kept by the system's image list (what a tree view draws
// beside its nodes). A non-visual component owned by its form.
#include <windows.h>

#include <commctrl.h>

#include "base/bitmap32.h"
#include "ui/component.h"
#include "ui/graphics.h"

class TImageList : public TComponent {
public:
    TImageList(TComponent* owner, int width = 16, int height = 16);
    ~TImageList() override;
    std::wstring ClassName() const override { return L"TImageList"; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;

    // Appends the pictures of a strip that holds them side by side, each Width() wide;
    // pixels of maskColor become transparent. Returns the index of the first one added.
    // A strip of another height or of a width that is not a whole number of pictures
    // throws Exception.
    int AddMasked(const Bitmap32& strip, TColor maskColor);
    void Clear();

    // The system's image list; owned by this component.
    HIMAGELIST Handle() const { return list_; }

private:
    int width_;
    int height_;
    HIMAGELIST list_ = nullptr;
};
