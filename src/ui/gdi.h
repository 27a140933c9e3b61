#pragma once
// Move-only owners of GDI and USER handles. Copying is deleted so that a handle is released
// exactly once; every wrapper that borrows a window remembers that window for its release.
#include <windows.h>

#include <utility>

// An owned GDI object (HBRUSH, HFONT, HBITMAP, HPEN, HRGN), deleted with DeleteObject.
// A raw handle beside it is a borrowed one.
template <class H>
class Gdi {
public:
    Gdi() = default;
    explicit Gdi(H handle) : handle_(handle) {}
    ~Gdi() { Reset(); }
    Gdi(Gdi&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Gdi& operator=(Gdi&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    Gdi(const Gdi&) = delete;
    Gdi& operator=(const Gdi&) = delete;

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    H Release() { return std::exchange(handle_, nullptr); }
    void Reset(H handle = nullptr) {
        if (handle_ && handle_ != handle) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    H handle_ = nullptr;
};

// BeginPaint/EndPaint around a WM_PAINT.
class PaintDC {
public:
    // ps_ is declared before dc_: BeginPaint fills it during dc_'s initialisation.
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintDC() {
        if (hwnd_) EndPaint(hwnd_, &ps_);
    }
    PaintDC(PaintDC&& other) noexcept
        : hwnd_(std::exchange(other.hwnd_, nullptr)), ps_(other.ps_), dc_(std::exchange(other.dc_, nullptr)) {}
    PaintDC& operator=(PaintDC&&) = delete;
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC Get() const { return dc_; }
    const RECT& PaintRect() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_;
    HDC dc_;
};

// The header of a top-down 32-bit picture of the size, as DIB sections and the DIB calls take it.
inline BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// GetDC/ReleaseDC (client area) and GetWindowDC/ReleaseDC (whole window, frame included).
template <bool kWholeWindow>
class BorrowedDC {
public:
    explicit BorrowedDC(HWND hwnd) : hwnd_(hwnd), dc_(kWholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
    ~BorrowedDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    BorrowedDC(BorrowedDC&& other) noexcept
        : hwnd_(std::exchange(other.hwnd_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    BorrowedDC& operator=(BorrowedDC&&) = delete;
    BorrowedDC(const BorrowedDC&) = delete;
    BorrowedDC& operator=(const BorrowedDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};
using ClientDC = BorrowedDC<false>;
using WindowDC = BorrowedDC<true>;

// A memory device context compatible with another one (or with the screen).
class MemDC {
public:
    explicit MemDC(HDC compatibleWith = nullptr) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemDC(MemDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemDC& operator=(MemDC&&) = delete;
    MemDC(const MemDC&) = delete;
    MemDC& operator=(const MemDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectGuard(SelectGuard&& other) noexcept : dc_(other.dc_), old_(std::exchange(other.old_, nullptr)) {}
    SelectGuard& operator=(SelectGuard&&) = delete;
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC/RestoreDC around drawing that moves the origin or narrows the clip region.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), state_(SaveDC(dc)) {}
    ~SavedDC() {
        if (state_) RestoreDC(dc_, state_);
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int state_;
};
