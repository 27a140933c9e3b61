#include "ui/paint_buffer.h"

#include <algorithm>
#include <utility>

Gdi<HBITMAP> MakeDibSection(int width, int height) {
    const BITMAPINFO header = TopDown32(width, height);
    void* bits = nullptr;
    return Gdi<HBITMAP>(CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0));
}

// ---- the lease

TPaintBuffer::Lease::Lease(TPaintBuffer* owner, HDC dc, int savedState)
    : owner_(owner), dc_(dc), savedState_(savedState) {}

TPaintBuffer::Lease::Lease(int width, int height) {
    ownDC_.emplace(nullptr);
    ownBitmap_ = MakeDibSection(width, height);
    if (!ownDC_->Get() || !ownBitmap_) return;
    ownOriginal_ = SelectObject(ownDC_->Get(), ownBitmap_.Get());
    dc_ = ownDC_->Get();
}

TPaintBuffer::Lease::Lease(Lease&& other) noexcept
    : owner_(std::exchange(other.owner_, nullptr)),
      dc_(std::exchange(other.dc_, nullptr)),
      savedState_(std::exchange(other.savedState_, 0)),
      ownDC_(std::move(other.ownDC_)),
      ownBitmap_(std::move(other.ownBitmap_)),
      ownOriginal_(std::exchange(other.ownOriginal_, nullptr)) {
    other.ownDC_.reset();
}

TPaintBuffer::Lease::~Lease() {
    if (owner_) {
        RestoreDC(dc_, savedState_);
        owner_->lent_ = false;
    }
    // A picture of its own is deselected before it and its device context go.
    if (ownDC_ && ownOriginal_) SelectObject(ownDC_->Get(), ownOriginal_);
}

// ---- the buffer

TPaintBuffer::~TPaintBuffer() {
    if (dc_ && original_) SelectObject(dc_->Get(), original_);
}

bool TPaintBuffer::Fit(int width, int height) {
    if (!dc_) {
        dc_.emplace(nullptr);
        if (!dc_->Get()) {
            dc_.reset();
            return false;
        }
    }
    if (bitmap_ && width <= width_ && height <= height_) return true;
    // Grown to hold both the old and the new size: windows of different shapes share it.
    const int w = std::max(width, width_);
    const int h = std::max(height, height_);
    Gdi<HBITMAP> grown = MakeDibSection(w, h);
    if (!grown) return false;
    HGDIOBJ old = SelectObject(dc_->Get(), grown.Get());
    if (!original_) original_ = old;
    bitmap_ = std::move(grown);  // the smaller one, no longer selected, goes
    width_ = w;
    height_ = h;
    return true;
}

TPaintBuffer::Lease TPaintBuffer::Borrow(int width, int height) {
    if (lent_ || !Fit(width, height)) return Lease(width, height);
    lent_ = true;
    return Lease(this, dc_->Get(), SaveDC(dc_->Get()));
}
