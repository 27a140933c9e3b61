#pragma once
// TWinSkinPopMenu: the skin of one pop-up menu window (class "#32768") that the system opens.
// It answers the "are you skinned" query, paints the skin's MenuBackground part as the menu's
// border and keeps that background for the owner-drawn items, which draw it under
// themselves. The menu window paints through WM_NCPAINT and WM_PAINT under Wine and through
// WM_PRINT on Windows, so the border is painted after each of them.
#include <windows.h>

#include <cstddef>  // bitmap32.h uses size_t without including it

#include "base/bitmap32.h"
#include "skin/skin_data.h"
#include "ui/window_subclass.h"

class TSkinManage;

class TWinSkinPopMenu {
public:
    TWinSkinPopMenu(TSkinManage& manager, HWND hwnd, TSkinData& skin);
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    void Attach();
    void Detach();

    HWND Handle() const { return hwnd_; }
    // The menu the window shows (known once the system has filled the window).
    HMENU Menu() const;
    TSkinData& Skin() const { return skin_; }
    bool Attached() const { return subclass_.Attached(); }
    // The MenuBackground part at the window's size (empty without the part).
    const Bitmap32& Background();
    // Set when the menu was opened from the skinned menu bar.
    bool FromMenuBar = false;

    // The width of the border the background shows around the items.
    static constexpr int kBorder = 3;

private:
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam);
    void PaintBorder(HDC dc);

    TSkinManage& manager_;
    HWND hwnd_;
    TSkinData& skin_;
    TWindowSubclass subclass_;
    Bitmap32 background_;
};
