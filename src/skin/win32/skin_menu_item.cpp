#include "skin/win32/skin_menu_item.h"

#include <algorithm>

#include "skin/part_renderer.h"
#include "skin/win32/skin_dib.h"
#include "skin/win32/skin_manage.h"
#include "ui/gdi.h"

namespace {

constexpr int kGlyph = 16;

SIZE TextSize(HDC dc, const std::wstring& text) {
    RECT r{0, 0, 0, 0};
    if (!text.empty()) DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    return SIZE{r.right, r.bottom};
}

int GlyphColumn(const TSkinMenuItem& item, bool checked) {
    int width = kGlyph;
    if (item.images) {
        int w = 0, h = 0;
        ImageList_GetIconSize(item.images, &w, &h);
        width = w;
    }
    return checked ? std::max(width, kGlyph) : width;
}

}  // namespace

HFONT CreateMenuFont(bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    if (bold) metrics.lfMenuFont.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

// ---- the records

TSkinMenuItems::~TSkinMenuItems() {
    for (const auto& item : items_) manager_.ForgetMenuItem(item.get());
}

TSkinMenuItem& TSkinMenuItems::Add(TSkinMenuItem item) {
    items_.push_back(std::make_unique<TSkinMenuItem>(std::move(item)));
    manager_.RememberMenuItem(items_.back().get());
    return *items_.back();
}

void TSkinMenuItems::MakeOwnerDrawn(HMENU menu, TMenuItemKind kind, HIMAGELIST images) {
    if (!menu || !IsMenu(menu)) return;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        if (!GetMenuItemInfoW(menu, UINT(i), TRUE, &info)) continue;
        if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu, kind, images);
        if (info.fType & MFT_OWNERDRAW) continue;  // it has a painter of its own
        TSkinMenuItem record;
        record.kind = kind;
        record.separator = (info.fType & MFT_SEPARATOR) != 0;
        const std::wstring full = text;
        const size_t tab = full.find(L'\t');
        record.caption = full.substr(0, tab);
        if (tab != std::wstring::npos) record.shortcut = full.substr(tab + 1);
        record.images = images;
        record.menu = menu;
        record.id = UINT(i);
        record.typeBefore = info.fType;
        record.dataBefore = info.dwItemData;
        TSkinMenuItem& added = Add(std::move(record));
        MENUITEMINFOW change{};
        change.cbSize = sizeof(change);
        change.fMask = MIIM_FTYPE | MIIM_DATA;
        change.fType = (info.fType & ~MFT_STRING) | MFT_OWNERDRAW;
        change.dwItemData = reinterpret_cast<ULONG_PTR>(&added);
        SetMenuItemInfoW(menu, UINT(i), TRUE, &change);
    }
}

void TSkinMenuItems::Restore() {
    for (const auto& item : items_) {
        if (!item->menu || !IsMenu(item->menu)) continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        if (!GetMenuItemInfoW(item->menu, item->id, TRUE, &info)) continue;
        if (info.dwItemData != reinterpret_cast<ULONG_PTR>(item.get())) continue;  // changed since
        info.fType = item->typeBefore;
        info.dwItemData = item->dataBefore;
        SetMenuItemInfoW(item->menu, item->id, TRUE, &info);
    }
    for (const auto& item : items_) manager_.ForgetMenuItem(item.get());
    items_.clear();
}

// ---- measuring

void MeasureSkinMenuItem(const TSkinData& skin, const TSkinMenuItem& item, MEASUREITEMSTRUCT& m) {
    const TSkinContent& c = skin.Content();
    const bool part = c.MenuItem && !c.MenuItem->Image.Empty();
    if (item.separator) {
        m.itemHeight = 8;
        m.itemWidth = UINT(kGlyph);
        return;
    }
    ClientDC screen(nullptr);
    Gdi<HFONT> font(CreateMenuFont());
    SelectGuard select(screen.Get(), font.Get());
    const SIZE caption = TextSize(screen.Get(), item.caption);
    const SIZE shortcut = TextSize(screen.Get(), item.shortcut);
    int width = int(caption.cx) + (item.shortcut.empty() ? 0 : int(shortcut.cx) + 16);
    int height = std::max<int>(caption.cy + 4, kGlyph + 4);
    switch (item.kind) {
        case TMenuItemKind::Object:
            width += GlyphColumn(item, false) + 3 + 10;  // the item's own rule: glyph, gap, end
            width += (part ? c.MenuItem->LeftWidth : 0) + 12 + (item.images ? 0 : 23);
            break;
        case TMenuItemKind::MainMenu:
            width += GlyphColumn(item, false) + 3 + 10;
            width += (part ? c.MenuItem->LeftWidth : 0) + 10 + (item.images ? 0 : 25);
            break;
        case TMenuItemKind::Plain:
            width = int(caption.cx) + (item.shortcut.empty() ? 0 : int(shortcut.cx) + 16) + 26 +
                    (part ? c.MenuItem->LeftWidth : 0);
            height = int(caption.cy) + 4;
            break;
    }
    m.itemWidth = UINT(std::max(width, 0));
    m.itemHeight = UINT(std::max(height, 1));
}

// ---- painting

namespace {

// The plain painter, for a skin without a MenuItem part: the menu colours of the skin.
void DrawPlain(const TSkinData& skin, const TSkinMenuItem& item, const DRAWITEMSTRUCT& d) {
    const TSkinColours& colours = skin.Content().Colours;
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    RECT r = d.rcItem;
    Gdi<HBRUSH> back(CreateSolidBrush(selected && !item.separator ? colours.Hilight : colours.Menu));
    FillRect(d.hDC, &r, back.Get());
    if (item.separator) {
        RECT line{r.left + 2, (r.top + r.bottom) / 2, r.right - 2, (r.top + r.bottom) / 2 + 1};
        Gdi<HBRUSH> shadow(CreateSolidBrush(colours.ButtonShadow));
        FillRect(d.hDC, &line, shadow.Get());
        return;
    }
    Gdi<HFONT> font(CreateMenuFont((d.itemState & ODS_DEFAULT) != 0));
    SelectGuard select(d.hDC, font.Get());
    SetBkMode(d.hDC, TRANSPARENT);
    const bool disabled = (d.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    SetTextColor(d.hDC, disabled ? colours.ButtonShadow : selected ? colours.HilightText : colours.MenuText);
    RECT text{r.left + kGlyph + 6, r.top, r.right - 10, r.bottom};
    DrawTextW(d.hDC, item.caption.c_str(), int(item.caption.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
    DrawTextW(d.hDC, item.shortcut.c_str(), int(item.shortcut.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

}  // namespace

void DrawSkinMenuItem(const TSkinData& skin, const TSkinMenuItem& item, const DRAWITEMSTRUCT& d,
                      const Bitmap32& background, POINT origin) {
    const TSkinContent& c = skin.Content();
    if (!c.MenuItem || c.MenuItem->Image.Empty()) {
        DrawPlain(skin, item, d);
        return;
    }
    const TDataSkinObject& part = *c.MenuItem;
    const RECT& r = d.rcItem;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    const bool disabled = (d.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool checked = (d.itemState & ODS_CHECKED) != 0;

    // The menu window's background at the item's place, or the Menu colour.
    Bitmap32 image(w, h, ColourRefToPixel(c.Colours.Menu));
    if (!background.Empty())
        StretchCopy(image, 0, 0, w, h, background, origin.x + r.left, origin.y + r.top, w, h);
    if (!item.separator) {
        const Bitmap32 face = RenderPart(w, h, part, FrameLayout::SideBySide, part.Tile == 1, selected ? 4 : 1);
        StretchCopy(image, 0, 0, w, h, face, 0, 0, w, h, part.Trans != 0);
    } else {
        // The second frame's bottom rows: its left slice, its right slice and the middle
        // stretched between them.
        const PixelRect f = FrameOf(part.Image, part.FrameCount, 2, FrameLayout::SideBySide);
        const int rows = std::min(h, f.height);
        const int sy = f.y + f.height - rows;
        const int top = h > f.height ? (h - rows) / 2 : 0;
        const int l = std::min(part.LeftWidth, f.width), rt = std::min(part.RightWidth, f.width - l);
        StretchCopy(image, 0, top, l, rows, part.Image, f.x, sy, l, rows, true);
        StretchCopy(image, w - rt, top, rt, rows, part.Image, f.x + f.width - rt, sy, rt, rows, true);
        StretchCopy(image, l, top, w - l - rt, rows, part.Image, f.x + l, sy, f.width - l - rt, rows, true);
    }

    SkinDib dib;
    if (!dib.Resize(w, h)) return;
    dib.Put(image, 0, 0);
    if (!item.separator) {
        HDC mem = dib.Dc();
        const int column = GlyphColumn(item, checked);
        const int columnLeft = part.LeftWidth + 1;
        const RECT glyphBox{columnLeft, 0, columnLeft + column, h};
        if (item.images && item.imageIndex >= 0 && item.imageIndex < ImageList_GetImageCount(item.images)) {
            int gw = 0, gh = 0;
            ImageList_GetIconSize(item.images, &gw, &gh);
            const int gx = glyphBox.left + (column - gw) / 2, gy = (h - gh) / 2;
            if (checked) {
                // A pressed square behind the picture of a checked item.
                RECT square{gx - 1, gy - 1, gx + gw + 1, gy + gh + 1};
                Gdi<HBRUSH> face(CreateSolidBrush(c.Colours.Buttonlight));
                FillRect(mem, &square, face.Get());
                DrawEdge(mem, &square, BDR_SUNKENOUTER, BF_RECT);
            }
            if (disabled) {
                HICON icon = ImageList_GetIcon(item.images, item.imageIndex, ILD_NORMAL);
                if (icon) {
                    DrawStateW(mem, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, gx, gy, gw, gh,
                               DST_ICON | DSS_DISABLED);
                    DestroyIcon(icon);
                }
            } else {
                ImageList_Draw(item.images, item.imageIndex, mem, gx, gy, ILD_TRANSPARENT);
            }
        } else if (checked) {
            RECT mark{glyphBox.left, (h - kGlyph) / 2, glyphBox.left + column, (h - kGlyph) / 2 + kGlyph};
            SavedDC saved(mem);
            SetTextColor(mem, skin.SystemColour(SysColour::ButtonText));
            DrawFrameControl(mem, &mark, DFC_MENU, DFCS_MENUCHECK | DFCS_TRANSPARENT);
        }
        Gdi<HFONT> font(CreateMenuFont((d.itemState & ODS_DEFAULT) != 0));
        SelectGuard select(mem, font.Get());
        SetBkMode(mem, TRANSPARENT);
        ColourRef ink = selected ? c.Colours.HilightText : c.Colours.MenuText;
        if (disabled)
            ink = c.Colours.ButtonShadow == c.Colours.MenuText ? skin.SystemColour(SysColour::ButtonShadow)
                                                               : c.Colours.ButtonShadow;
        SetTextColor(mem, ink);
        RECT text{glyphBox.right + 3, 0, w - 10, h};
        DrawTextW(mem, item.caption.c_str(), int(item.caption.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_LEFT);
        if (!item.shortcut.empty())
            DrawTextW(mem, item.shortcut.c_str(), int(item.shortcut.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        GdiFlush();
    }
    BitBlt(d.hDC, r.left, r.top, w, h, dib.Dc(), 0, 0, SRCCOPY);
}
