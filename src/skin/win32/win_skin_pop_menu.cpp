#include "skin/win32/win_skin_pop_menu.h"

#include <commctrl.h>

#include "skin/part_renderer.h"
#include "skin/win32/skin_dib.h"
#include "skin/win32/skin_manage.h"
#include "skin/win32/skin_messages.h"
#include "ui/gdi.h"

namespace {

constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU

}  // namespace

TWinSkinPopMenu::TWinSkinPopMenu(TSkinManage& manager, HWND hwnd, TSkinData& skin)
    : manager_(manager), hwnd_(hwnd), skin_(skin) {}

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach() {
    if (subclass_.Attached()) return;
    subclass_ = TWindowSubclass(hwnd_, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
        return Proc(msg, wParam, lParam);
    });
}

void TWinSkinPopMenu::Detach() { subclass_.Detach(); }

HMENU TWinSkinPopMenu::Menu() const {
    return IsWindow(hwnd_) ? reinterpret_cast<HMENU>(SendMessageW(hwnd_, kGetMenu, 0, 0)) : nullptr;
}

const Bitmap32& TWinSkinPopMenu::Background() {
    const TDataSkinObject* part = skin_.Content().MenuBackground.get();
    RECT r{};
    GetWindowRect(hwnd_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (!part || part->Image.Empty() || w <= 0 || h <= 0) {
        background_ = Bitmap32();
    } else if (background_.width != w || background_.height != h) {
        background_ = RenderPart(w, h, *part, FrameLayout::SideBySide, part->Tile == 1, 1);
    }
    return background_;
}

LRESULT TWinSkinPopMenu::Proc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kSkinQuery) return 1;
    if (!manager_.Active()) return TWindowSubclass::CallNext(hwnd_, msg, wParam, lParam);
    switch (msg) {
        case WM_DESTROY: {
            const LRESULT result = TWindowSubclass::CallNext(hwnd_, msg, wParam, lParam);
            Detach();
            manager_.PopupMenuClosed(hwnd_);
            return result;
        }
        case WM_PRINT: {
            // The background over the whole window, the menu's items inside the border.
            HDC dc = reinterpret_cast<HDC>(wParam);
            RECT r{};
            GetWindowRect(hwnd_, &r);
            DrawBitmap32(dc, Background(), 0, 0);
            LRESULT result = 0;
            {
                SavedDC saved(dc);
                IntersectClipRect(dc, kBorder, kBorder, (r.right - r.left) - kBorder, (r.bottom - r.top) - kBorder);
                result = TWindowSubclass::CallNext(hwnd_, msg, wParam, lParam);
            }
            return result;
        }
        case WM_NCPAINT:
        case WM_PAINT: {
            const LRESULT result = TWindowSubclass::CallNext(hwnd_, msg, wParam, lParam);
            WindowDC dc(hwnd_);
            if (dc.Get()) PaintBorder(dc.Get());
            return result;
        }
    }
    return TWindowSubclass::CallNext(hwnd_, msg, wParam, lParam);
}

void TWinSkinPopMenu::PaintBorder(HDC dc) {
    const Bitmap32& back = Background();
    if (back.Empty()) return;
    SavedDC saved(dc);
    ExcludeClipRect(dc, kBorder, kBorder, back.width - kBorder, back.height - kBorder);
    DrawBitmap32(dc, back, 0, 0);
}
