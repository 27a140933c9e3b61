#pragma once
// The off-screen picture the toolkit's windows paint into: one 32-bit DIB section kept for the
// thread and made larger when a paint needs more. A fresh picture of a window's size in every
// paint cost about a millisecond under Wine (its memory mapped and touched anew), more than
// the drawing in it.
#include <windows.h>

#include <optional>

#include "ui/gdi.h"

class TPaintBuffer {
public:
    // One paint's use of the buffer: a memory device context with at least the size asked for,
    // in the state of a fresh one (what a paint changes in it is undone when the lease goes).
    // A paint inside another paint gets a picture of its own.
    class Lease {
    public:
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Lease& operator=(Lease&&) = delete;
        Lease(Lease&& other) noexcept;
        ~Lease();

        // nullptr when no picture of that size could be made (out of memory or GDI objects).
        HDC Get() const { return dc_; }

    private:
        friend class TPaintBuffer;
        Lease(TPaintBuffer* owner, HDC dc, int savedState);
        Lease(int width, int height);

        TPaintBuffer* owner_ = nullptr;  // the shared buffer lent, or none
        HDC dc_ = nullptr;
        int savedState_ = 0;
        // A picture of its own, for a paint inside a paint.
        std::optional<MemDC> ownDC_;
        Gdi<HBITMAP> ownBitmap_;
        HGDIOBJ ownOriginal_ = nullptr;
    };

    TPaintBuffer() = default;
    ~TPaintBuffer();
    TPaintBuffer(const TPaintBuffer&) = delete;
    TPaintBuffer& operator=(const TPaintBuffer&) = delete;

    Lease Borrow(int width, int height);

private:
    bool Fit(int width, int height);

    std::optional<MemDC> dc_;  // made at the first paint
    Gdi<HBITMAP> bitmap_;
    HGDIOBJ original_ = nullptr;  // the bitmap a new memory device context holds
    int width_ = 0;
    int height_ = 0;
    bool lent_ = false;
};

// A 32-bit top-down DIB section of the size.
Gdi<HBITMAP> MakeDibSection(int width, int height);
