#include "skin/win32/win_skin_menu.h"

#include <cwctype>

#include "skin/part_renderer.h"
#include "skin/win32/skin_menu_item.h"
#include "skin/win32/win_skin_form.h"
#include "ui/image_list.h"
#include "ui/menus.h"

namespace {

constexpr size_t kCaptionLimit = 80;

Gdi<HFONT> MenuFont() { return Gdi<HFONT>(CreateMenuFont()); }

int TextWidth(HDC dc, const std::wstring& text) {
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return r.right;
}

}  // namespace

wchar_t AcceleratorOf(const std::wstring& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;  // "&&" is a plain ampersand
            continue;
        }
        return wchar_t(std::towupper(caption[i + 1]));
    }
    return 0;
}

void TMenuBtn::Paint() { bar_.PaintItem(*this); }

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& form, TSkinManage& manager, TSkinData& skin)
    : form_(form), manager_(manager), skin_(skin) {}

TWinSkinMenu::~TWinSkinMenu() = default;

void TWinSkinMenu::Build(HMENU menu, TMainMenu* mainMenu) {
    menu_ = menu;
    mainMenu_ = mainMenu;
    items_.clear();
    ownerDrawn_.reset();
    converted_.clear();
    if (!menu_ || !IsMenu(menu_)) return;
    const int count = GetMenuItemCount(menu_);
    for (int i = 0; i < count; ++i) {
        auto item = std::make_unique<TMenuBtn>(form_, *this, i);
        wchar_t text[kCaptionLimit + 1] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = kCaptionLimit;
        if (GetMenuItemInfoW(menu_, UINT(i), TRUE, &info)) {
            item->Caption = text;
            item->Enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
            item->Command = info.wID;
            item->SubMenu = info.hSubMenu;
            if (info.fType & MFT_RIGHTORDER) rightToLeft_ = true;
        }
        // An item without text (owner-drawn by the program) takes what its object says.
        if (item->Caption.empty() && mainMenu_ && i < mainMenu_->Items->Count()) {
            TMenuItem* object = mainMenu_->Items->Items(i);
            item->Caption = object->Caption.substr(0, kCaptionLimit);
            item->Enabled = object->Enabled;
            item->Command = object->Command();
            item->SubMenu = object->Count() > 0 ? GetSubMenu(menu_, i) : nullptr;
        }
        items_.push_back(std::move(item));
    }
    // The system draws no bar of its own any more.
    if (GetMenu(form_.Handle()) == menu_) SetMenu(form_.Handle(), nullptr);
}

void TWinSkinMenu::Rebuild(HMENU menu) {
    if (ownerDrawn_) ownerDrawn_->Restore();
    Build(menu, mainMenu_);
}

void TWinSkinMenu::GiveBack() {
    if (ownerDrawn_) ownerDrawn_->Restore();
    ownerDrawn_.reset();
    converted_.clear();
    if (menu_ && IsMenu(menu_) && IsWindow(form_.Handle()) && !GetMenu(form_.Handle())) SetMenu(form_.Handle(), menu_);
    items_.clear();
}

void TWinSkinMenu::MakeOwnerDrawn(HMENU subMenu) {
    if (!subMenu || std::find(converted_.begin(), converted_.end(), subMenu) != converted_.end()) return;
    if (!ownerDrawn_) ownerDrawn_ = std::make_unique<TSkinMenuItems>(manager_);
    HIMAGELIST images = mainMenu_ && mainMenu_->Images ? mainMenu_->Images->Handle() : nullptr;
    ownerDrawn_->MakeOwnerDrawn(subMenu, mainMenu_ ? TMenuItemKind::MainMenu : TMenuItemKind::Plain, images);
    converted_.push_back(subMenu);
}

int TWinSkinMenu::Neighbour(int index, int step) const {
    const int n = Count();
    for (int k = 1; k <= n; ++k) {
        const int i = ((index + step * k) % n + n) % n;
        if (!items_[size_t(i)]->Caption.empty() && items_[size_t(i)]->Visible) return i;
    }
    return index;
}

TMenuBtn* TWinSkinMenu::ItemAt(POINT window) const {
    for (const auto& item : items_) {
        if (item->Visible && !item->Caption.empty() && PtInRect(&item->Bounds, window)) return item.get();
    }
    return nullptr;
}

TMenuBtn* TWinSkinMenu::AcceleratorItem(wchar_t key) const {
    const wchar_t wanted = wchar_t(std::towupper(key));
    for (const auto& item : items_) {
        if (item->Enabled && wanted && AcceleratorOf(item->Caption) == wanted) return item.get();
    }
    return nullptr;
}

// ---- painting

void TWinSkinMenu::Paint(HDC dc, const RECT& bar, bool active) {
    const int w = bar.right - bar.left, h = bar.bottom - bar.top;
    if (w <= 0 || h <= 0 || painting_) return;
    painting_ = true;
    barRect_ = bar;
    active_ = active;
    const TSkinContent& c = skin_.Content();
    const TDataSkinObject* part = c.MenuBar && !c.MenuBar->Image.Empty() ? c.MenuBar.get() : nullptr;
    Bitmap32 image(w, h, ColourRefToPixel(c.Colours.Menubar));
    if (part) {
        const Bitmap32 drawn = RenderNineSlice(w, h, part->Image, part->LeftWidth, 0, part->RightWidth, 0,
                                               FrameLayout::Stacked, part->Tile == 1, part->FrameCount, active ? 1 : 2);
        StretchCopy(image, 0, 0, w, h, drawn, 0, 0, w, h, part->Trans != 0);
    }
    if (!lastBar_.Resize(w, h)) {
        painting_ = false;
        return;
    }
    lastBar_.Put(image, 0, 0);

    // Items one after the other; one that no longer fits ends the row.
    Gdi<HFONT> font = MenuFont();
    {
        SelectGuard select(lastBar_.Dc(), font.Get());
        int x = part ? part->LeftWidth + 4 : 6;
        if (w < x) x = 12;
        bool full = false;
        for (const auto& item : items_) {
            const int width = TextWidth(lastBar_.Dc(), item->Caption) + 10;
            item->Visible = !full && !item->Caption.empty() && x + width <= w;
            if (!item->Caption.empty() && x + width > w) full = true;
            if (!item->Visible) {
                item->Bounds = RECT{};
                continue;
            }
            const int left = rightToLeft_ ? w - x - width : x;
            item->Bounds = RECT{bar.left + left, bar.top, bar.left + left + width, bar.top + h - 1};
            x += width;
        }
    }
    painting_ = false;
    BitBlt(dc, bar.left, bar.top, w, h, lastBar_.Dc(), 0, 0, SRCCOPY);
    for (const auto& item : items_) {
        if (item->Visible) PaintItem(*item);
    }
}

void TWinSkinMenu::PaintItem(TMenuBtn& item) {
    if (lastBar_.Empty() || !item.Visible) return;
    const RECT& r = item.Bounds;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    SkinDib piece;
    if (!piece.Resize(w, h)) return;
    BitBlt(piece.Dc(), 0, 0, w, h, lastBar_.Dc(), r.left - barRect_.left, r.top - barRect_.top, SRCCOPY);
    const TSkinColours& colours = skin_.Content().Colours;
    if (item.State == kItemHot || item.State == kItemPressed) {
        Gdi<HBRUSH> frame(CreateSolidBrush(colours.ButtonHilight));
        RECT box{0, 0, w, h};
        FrameRect(piece.Dc(), &box, frame.Get());
    }
    Gdi<HFONT> font = MenuFont();
    SelectGuard select(piece.Dc(), font.Get());
    SetBkMode(piece.Dc(), TRANSPARENT);
    SetTextColor(piece.Dc(), item.Enabled ? colours.MenuBarText : colours.ButtonShadow);
    RECT text{0, 0, w, h};
    DrawTextW(piece.Dc(), item.Caption.c_str(), int(item.Caption.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    GdiFlush();
    WindowDC dc(form_.Handle());
    if (dc.Get()) BitBlt(dc.Get(), r.left, r.top, w, h, piece.Dc(), 0, 0, SRCCOPY);
}
