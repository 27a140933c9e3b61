#include "skin/skin_preview.h"

#include <algorithm>

#include "skin/part_renderer.h"

namespace {

constexpr uint32_t kDesktop = Rgb(128, 132, 138);

void Blit(Bitmap32& dest, int x, int y, const Bitmap32& src, bool transparent) {
    StretchCopy(dest, x, y, src.width, src.height, src, 0, 0, src.width, src.height, transparent);
}

void FillRect(Bitmap32& dest, int x, int y, int w, int h, uint32_t colour) {
    for (int j = std::max(y, 0); j < std::min(y + h, dest.height); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, dest.width); ++i) dest.At(i, j) = colour;
}

// Stands in for a line of text: a bar of the text colour, a little lower than the line.
void TextBar(Bitmap32& dest, int x, int y, int w, int lineHeight, ColourRef colour) {
    FillRect(dest, x, y + lineHeight / 2 - 3, w, 6, ColourRefToPixel(colour));
}

void DrawPart(Bitmap32& dest, const TDataSkinObject* part, int x, int y, int w, int h, int frame,
              FrameLayout layout = FrameLayout::SideBySide) {
    if (!part || part->Image.Empty()) return;
    const Bitmap32 piece = RenderPart(w, h, *part, layout, part->Tile == 1, frame);
    Blit(dest, x, y, piece, part->Trans != 0);
}

bool CaptionButtonVisible(const TDataSkinSysButton& b, bool active) {
    // A sizeable main window with every caption button, not maximized.
    auto says = [&](int code, bool first) {
        switch (code) {
        case 0: return true;
        case 1: return false;
        case 2: return true;
        case 3: return active;
        case 4: return !active;
        case 6: case 7: case 8: case 9: return code == 6 || code == 8 || !first;
        default: return code >= 200 && code <= 2000;
        }
    };
    return says(b.Visibility, true) && says(b.Visibility1, false);
}

void DrawWindow(Bitmap32& out, int top, const TSkinContent& skin, int width, int height, bool active) {
    const int frame = active ? 1 : 2;
    const int left = skin.Left.Image.width / std::max(skin.Left.FrameCount, 1);
    const int right = skin.Right.Image.width / std::max(skin.Right.FrameCount, 1);
    const int bottom = skin.Bottom.Image.height / std::max(skin.Bottom.FrameCount, 1);
    const int caption = skin.Top.Image.height / std::max(skin.Top.FrameCount, 1);
    const int menuHeight = 20;
    Bitmap32 win(width, height, ColourRefToPixel(skin.Colours.ButtonFace));
    auto borderFrame = [&](const TDataSkinObject& p) { return p.FrameCount > 1 ? frame : 1; };
    auto border = [&](const TDataSkinObject& p, int x, int y, int w, int h, FrameLayout layout) {
        if (p.Image.Empty()) return;
        Blit(win, x, y, RenderPart(w, h, p, layout, p.Tile != 1, borderFrame(p)), false);
    };
    border(skin.Left, 0, 0, left, height, FrameLayout::SideBySide);
    border(skin.Right, width - right, 0, right, height, FrameLayout::SideBySide);
    border(skin.Bottom, left, height - bottom, width - left - right, bottom, FrameLayout::Stacked);
    border(skin.Top, left, 0, width - left - right, caption, FrameLayout::Stacked);

    // Caption text box with its backdrop.
    const TDataSkinTitle& title = skin.Title;
    const int textWidth = 150;
    const int boxWidth = textWidth + title.TXTBackleft + title.TXTBackRight;
    const int boxHeight = 14;
    const int boxX = left + title.TextShift;
    const int boxY = (caption - boxHeight) / 2 + title.TextShiftVert / 2;
    if (!title.Image.Empty())
        Blit(win, boxX, boxY,
             RenderNineSlice(boxWidth, boxHeight, title.Image, title.TXTBackleft, 0, title.TXTBackRight, 0,
                             FrameLayout::SideBySide, false, title.FrameCount, frame),
             false);
    const ColourRef textColour = active ? skin.Colours.TitleTextActive : skin.Colours.TitleTextNoActive;
    TextBar(win, boxX + title.TXTBackleft + 8, boxY, textWidth - 8, boxHeight, textColour);

    for (const TDataSkinSysButton& b : skin.TitleButtons) {
        if (b.Align == 100 || !CaptionButtonVisible(b, active)) continue;
        if (b.Action == 3 || b.Action == 11) {  // the window icon
            FillRect(win, b.Xcoord, b.Ycoord, 16, 16, Rgb(230, 180, 60));
            FillRect(win, b.Xcoord + 3, b.Ycoord + 3, 10, 10, Rgb(40, 120, 70));
            continue;
        }
        if (b.Image.Empty()) continue;
        const int fw = b.Image.width / std::max(b.FrameCount, 1);
        const int x = b.Align == 1 ? width - b.Xcoord : b.Xcoord;
        const int buttonFrame = active || b.FrameCount < 4 ? 1 : 4;
        PaintFrame(win, x, b.Ycoord, fw, b.Image.height, b.Image, b.FrameCount, buttonFrame, true);
    }

    // Menu bar with three items, the second one hot.
    const int barWidth = width - left - right;
    if (skin.MenuBar)
        DrawPart(win, skin.MenuBar.get(), left, caption, barWidth, menuHeight, frame, FrameLayout::Stacked);
    else
        FillRect(win, left, caption, barWidth, menuHeight, ColourRefToPixel(skin.Colours.Menubar));
    int itemX = left + (skin.MenuBar ? skin.MenuBar->LeftWidth + 4 : 6);
    for (int i = 0; i < 3; ++i) {
        const int w = 46;
        if (i == 1 && active) {
            const uint32_t hi = ColourRefToPixel(skin.Colours.ButtonHilight);
            FillRect(win, itemX, caption + 1, w, 1, hi);
            FillRect(win, itemX, caption + menuHeight - 2, w, 1, hi);
            FillRect(win, itemX, caption + 1, 1, menuHeight - 2, hi);
            FillRect(win, itemX + w - 1, caption + 1, 1, menuHeight - 2, hi);
        }
        TextBar(win, itemX + 5, caption, w - 10, menuHeight, skin.Colours.MenuBarText);
        itemX += w;
    }

    // Client area samples.
    const int cx = left + 16, cy = caption + menuHeight + 16;
    DrawPart(win, &skin.Buttons, cx, cy, 75, 25, 1);
    TextBar(win, cx + 18, cy, 39, 25, skin.Buttons.NormalColour2);
    DrawPart(win, &skin.Buttons, cx + 85, cy, 75, 25, 4);
    TextBar(win, cx + 85 + 18, cy, 39, 25, skin.Buttons.MouseOverColour2);
    DrawPart(win, &skin.Buttons, cx + 170, cy, 75, 25, 3);
    TextBar(win, cx + 170 + 18, cy, 39, 25, skin.Colours.ButtonShadow);

    // A combo box: sunken edge around it, the button at the right, the arrow glyph centred.
    const int comboX = cx, comboY = cy + 40, comboW = 145, comboH = 21;
    DrawPart(win, skin.SunkEdge.get(), comboX, comboY, comboW, comboH, 1);
    if (skin.ComboButton) {
        DrawPart(win, skin.ComboButton.get(), comboX + comboW - 2 - 17, comboY + 2, 17, comboH - 4, 1);
        if (skin.ExtraImages && !skin.ExtraImages->Image.Empty()) {
            const PixelRect f = FrameOf(skin.ExtraImages->Image, skin.ExtraImages->FrameCount, 1,
                                        FrameLayout::SideBySide);
            StretchCopy(win, comboX + comboW - 2 - 17 + (17 - f.width) / 2, comboY + 2 + (comboH - 4 - f.height) / 2,
                        f.width, f.height, skin.ExtraImages->Image, f.x, f.y, f.width, f.height, true);
        }
    }
    TextBar(win, comboX + 6, comboY, 70, comboH, skin.Colours.WindowText);

    // Check boxes and radio buttons, off and on.
    for (int i = 0; i < 2; ++i) {
        const int y = comboY + 34 + i * 22;
        PaintFrame(win, cx, y, 13, 13, skin.Buttons.CheckImage, skin.Buttons.CheckFrameCount, 1 + i, false);
        TextBar(win, cx + 19, y, 60, 13, skin.Colours.ButtonText);
        PaintFrame(win, cx + 100, y, 13, 13, skin.Buttons.RadioImage, skin.Buttons.RadioFrameCount, 1 + i, false);
        TextBar(win, cx + 119, y, 60, 13, skin.Colours.ButtonText);
    }

    // A progress bar, 60 % done.
    const int progressY = comboY + 84;
    if (skin.Progress) {
        DrawPart(win, skin.Progress.get(), cx, progressY, 245, 16, 1);
        DrawPart(win, skin.Progress.get(), cx, progressY, 245 * 6 / 10, 16, 2);
    }

    // Tabs over a page.
    const int tabX = cx + 280, tabY = cy;
    if (skin.Tabs) {
        DrawPart(win, skin.Tabs.get(), tabX, tabY + 2, 70, 22, 1);
        DrawPart(win, skin.Tabs.get(), tabX + 140, tabY + 2, 70, 22, 2);
        const TDataSkinBorder& tabs = *skin.Tabs;
        if (!tabs.Image2.Empty())
            Blit(win, tabX, tabY + 23,
                 RenderNineSlice(260, 120, tabs.Image2, 3, 3, 3, 3, FrameLayout::SideBySide, false, 1, 1), false);
        DrawPart(win, skin.Tabs.get(), tabX + 68, tabY, 74, 24, 3);
        for (int i = 0; i < 3; ++i) TextBar(win, tabX + 16 + 70 * i, tabY + 2, 38, 22, skin.Colours.ButtonText);
        // A group box inside the page.
        DrawPart(win, skin.GroupBoxEdge.get(), tabX + 12, tabY + 40, 160, 90, 1);
    }

    // A vertical scroll bar beside the page.
    const int sbX = tabX + 270, sbY = tabY + 23, sbH = 120;
    DrawPart(win, skin.VertScroll.get(), sbX, sbY, 17, sbH, 1);
    if (skin.Scrollbar) {
        DrawPart(win, skin.Scrollbar.get(), sbX, sbY, 17, 17, 1);
        DrawPart(win, skin.Scrollbar.get(), sbX, sbY + sbH - 17, 17, 17, 5);
    }
    DrawPart(win, skin.VertScrollThumb.get(), sbX, sbY + 30, 17, 40, 1);

    // A pop-up menu: background, a selected item, a separator.
    const int menuX = cx + 280, menuY = tabY + 160;
    if (skin.MenuBackground) {
        DrawPart(win, skin.MenuBackground.get(), menuX, menuY, 150, 96, 1);
        const int itemW = 150 - 6;
        if (skin.MenuItem) {
            DrawPart(win, skin.MenuItem.get(), menuX + 3, menuY + 3 + 20, itemW, 20, 4);
            const TDataSkinObject& item = *skin.MenuItem;
            const PixelRect sep = FrameOf(item.Image, item.FrameCount, 2, FrameLayout::SideBySide);
            StretchCopy(win, menuX + 3, menuY + 3 + 40, itemW, 8, item.Image, sep.x, sep.y + sep.height - 8, sep.width,
                        8, true);
        }
        for (int i = 0; i < 4; ++i) {
            const int y = menuY + 3 + (i < 2 ? i * 20 : 48 + (i - 2) * 20);
            TextBar(win, menuX + 30, y, 70, 20, i == 1 ? skin.Colours.HilightText : skin.Colours.MenuText);
        }
    }

    // Status bar with two lowered panels and the grip.
    const int statusH = 19;
    const int statusY = height - bottom - statusH;
    FillRect(win, left, statusY, barWidth, statusH, ColourRefToPixel(skin.Colours.ButtonFace));
    DrawPart(win, skin.StatusBarEdges.get(), left, statusY + 2, 300, statusH - 2, 1);
    DrawPart(win, skin.StatusBarEdges.get(), left + 302, statusY + 2, barWidth - 302, statusH - 2, 1);
    TextBar(win, left + 6, statusY + 2, 120, statusH - 2, skin.StatusBarEdges ? skin.StatusBarEdges->NormalColour2
                                                                                : skin.Colours.ButtonText);

    // Put the window on the desktop; magenta frame pixels are outside its region.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = win.At(x, y);
            if (top + y < out.height) out.At(x, top + y) = (p & 0xFFFFFF) == kTransparentPixel ? kDesktop : p;
        }
}

}  // namespace

Bitmap32 RenderSkinPreview(const TSkinContent& skin, int width, int height) {
    const int gap = 12;
    Bitmap32 out(width + 2 * gap, 2 * height + 3 * gap, kDesktop);
    Bitmap32 active(width, height);
    DrawWindow(active, 0, skin, width, height, true);
    Bitmap32 inactive(width, height);
    DrawWindow(inactive, 0, skin, width, height, false);
    Blit(out, gap, gap, active, false);
    Blit(out, gap, 2 * gap + height, inactive, false);
    return out;
}
