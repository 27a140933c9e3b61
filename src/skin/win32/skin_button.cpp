#include "skin/win32/skin_button.h"

#include <algorithm>

#include "skin/bit_button_layout.h"
#include "skin/win32/skin_dib.h"
#include "ui/bit_btn.h"

namespace {

constexpr int kStateNormal = 1;
constexpr int kStatePressed = 2;
constexpr int kStateDisabled = 3;
constexpr int kStateHot = 4;

// Copies the face to the window in one piece.
void Show(HDC dc, const RECT& bounds, SkinDib& dib) {
    BitBlt(dc, bounds.left, bounds.top, dib.Width(), dib.Height(), dib.Dc(), 0, 0, SRCCOPY);
}

}  // namespace

// ---- TSkinButton

int TSkinButton::State() const {
    if (!Enabled()) return kStateDisabled;
    if (pressed_) return kStatePressed;
    if (Focused() || hot_) return kStateHot;
    return kStateNormal;
}

ColourRef TSkinButton::TextColour(int state) const {
    const TDataSkinButton& part = Content().Buttons;
    switch (state) {
        case kStatePressed: return part.PressedColour2;
        case kStateHot: return part.MouseOverColour2;
        case kStateDisabled: return skin_.SystemColour(SysColour::ButtonShadow);
        default: return part.NormalColour2;
    }
}

bool TSkinButton::PaintFace(Bitmap32& image, int state) const {
    if (Content().Buttons.Image.Empty()) return false;
    FillBackground(image, RECT{0, 0, image.width, image.height});
    DrawPart(image, 0, 0, image.width, image.height, Content().Buttons, state);
    return true;
}

bool TSkinButton::BeforeMessage(TMessage& m) {
    TSkinControl::BeforeMessage(m);
    if (!PaintItself(m)) return false;
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // The press is the skinner's: the button itself never sees it.
            if (GetFocus() != Handle()) SetFocus(Handle());
            ReadState();
            pressed_ = true;
            SetCapture(Handle());
            PaintWindow(nullptr);
            m.Result = 0;
            return false;
    }
    return true;
}

void TSkinButton::AfterMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (m.WParam == VK_SPACE) {
                pressed_ = m.Msg == WM_KEYDOWN;
                Redraw();
            }
            break;
        case WM_MOUSEMOVE:
            if (!hot_) {
                hot_ = true;
                BecomeHot();
                Redraw();
            }
            break;
        case WM_LBUTTONUP:
            if (pressed_) {
                pressed_ = false;
                if (GetCapture() == Handle()) ReleaseCapture();
                Redraw();
                // A press let go outside the button is no click.
                RECT client{};
                GetClientRect(Handle(), &client);
                const POINT p{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))};
                if (PtInRect(&client, p)) ClickControl();
            }
            break;
        case CM_MOUSEENTER:
            if (Enabled()) {
                hot_ = true;
                BecomeHot();
                Redraw();
            }
            break;
        case CM_MOUSELEAVE:
        case WM_MOUSELEAVE:
            if (Enabled() && (m.Msg == CM_MOUSELEAVE || !IsControl())) {
                hot_ = false;
                pressed_ = false;
                StopBeingHot();
                Redraw();
            }
            break;
        case BM_SETSTATE:
        case BM_SETSTYLE:
        case WM_UPDATEUISTATE:
            // The system button draws these changes at once, without a WM_PAINT.
            Redraw();
            break;
        default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinButton::Paint(HDC dc, const RECT& bounds) {
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    const int state = State();
    Bitmap32 face(w, h);
    SkinDib& dib = dib_;
    if (!PaintFace(face, state) || !dib.Resize(w, h)) return;
    dib.Put(face, 0, 0);
    SelectGuard font(dib.Dc(), Font());
    SetBkMode(dib.Dc(), TRANSPARENT);
    SetTextColor(dib.Dc(), TextColour(state));
    RECT text{0, 0, w, h};
    DrawTextW(dib.Dc(), Text().c_str(), int(Text().size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    GdiFlush();
    Show(dc, bounds, dib);
}

// ---- TSkinBitButton

void TSkinBitButton::Paint(HDC dc, const RECT& bounds) {
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    const int state = State();
    Bitmap32 face(w, h);
    SkinDib& dib = dib_;
    if (!PaintFace(face, state) || !dib.Resize(w, h)) return;

    const auto* button = dynamic_cast<const TBitBtn*>(Control());
    const Bitmap32 none;
    const Bitmap32& glyph = button ? button->Glyph : none;
    const int glyphs = button ? std::max(button->NumGlyphs, 1) : 1;
    const int glyphWidth = glyph.Empty() ? 0 : glyph.width / glyphs;
    const int glyphHeight = glyph.Empty() ? 0 : glyph.height;

    HDC mem = dib.Dc();
    SelectGuard font(mem, Font());
    SIZE text{0, 0};
    if (!Text().empty()) {
        RECT measured{0, 0, 0, 0};
        DrawTextW(mem, Text().c_str(), int(Text().size()), &measured, DT_CALCRECT | DT_SINGLELINE);
        text = SIZE{measured.right, measured.bottom};
    }
    const TButtonLayout layout = button ? button->Layout : blGlyphLeft;
    const TBitButtonPlacement place = PlaceBitButton(w, h, glyphWidth, glyphHeight, text.cx, text.cy, layout,
                                                     button ? button->Margin : -1, button ? button->Spacing : 4);
    // The first picture of the strip; its top-left pixel's colour shows the face through.
    if (glyphWidth > 0 && glyphHeight > 0) {
        const uint32_t clear = glyph.At(0, 0);
        for (int y = 0; y < glyphHeight; ++y)
            for (int x = 0; x < glyphWidth; ++x) {
                const int fx = place.glyphX + x, fy = place.glyphY + y;
                if (fx < 0 || fy < 0 || fx >= w || fy >= h || glyph.At(x, y) == clear) continue;
                face.At(fx, fy) = glyph.At(x, y);
            }
    }
    dib.Put(face, 0, 0);
    if (!Text().empty()) {
        SetBkMode(mem, TRANSPARENT);
        SetTextColor(mem, TextColour(state));
        RECT box{place.textLeft, place.textTop, place.textRight, place.textBottom};
        const UINT align = layout == blGlyphLeft ? DT_LEFT : layout == blGlyphRight ? DT_RIGHT : DT_CENTER;
        DrawTextW(mem, Text().c_str(), int(Text().size()), &box, align | DT_SINGLELINE | DT_NOCLIP);
    }
    GdiFlush();
    Show(dc, bounds, dib);
}
