#include "skin/win32/skin_speed_button.h"

#include <windowsx.h>

#include "skin/win32/skin_dib.h"
#include "ui/gdi.h"
#include "ui/speed_button.h"
#include "ui/win_control.h"

TSpeedButton* TSkinSpeedButton::Button() const { return dynamic_cast<TSpeedButton*>(GraphicControl()); }

int TSkinSpeedButton::State() const {
    const TSpeedButton* b = Button();
    if (!b) return 0;
    if (!b->Enabled) return b->Flat ? 0 : 3;
    if (buttonPressed_ || b->Down) return 2;
    if (buttonHot_) return 4;
    return b->Flat ? 0 : 1;
}

bool TSkinSpeedButton::Over(LPARAM at) const {
    const TSpeedButton* b = Button();
    if (!b || !b->Visible) return false;
    const RECT r = b->BoundsRect();
    const POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    return PtInRect(&r, p) != FALSE;
}

void TSkinSpeedButton::Repaint() {
    if (!IsWindow(Handle())) return;
    ClientDC dc(Handle());
    if (dc.Get()) PaintButton(dc.Get());
}

void TSkinSpeedButton::AfterMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT: {
            // The parent painted the button its own way (or not at all): the face goes over it.
            if (m.WParam)
                PaintButton(reinterpret_cast<HDC>(m.WParam));
            else
                Repaint();
            return;
        }
        case WM_PRINTCLIENT: PaintButton(reinterpret_cast<HDC>(m.WParam)); return;
        case WM_MOUSEMOVE: {
            const bool over = Over(m.LParam);
            if (over == buttonHot_) return;
            buttonHot_ = over;
            if (over) BecomeHot();
            Repaint();
            return;
        }
        case WM_MOUSELEAVE:
        case CM_MOUSELEAVE:
            if (!buttonHot_ && !buttonPressed_) return;
            buttonHot_ = buttonPressed_ = false;
            StopBeingHot();
            Repaint();
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!Over(m.LParam) || !Button()->Enabled) return;
            buttonPressed_ = true;
            Repaint();
            return;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (!buttonPressed_) return;
            buttonPressed_ = false;
            Repaint();
            return;
        case WM_NCDESTROY: TSkinControl::AfterMessage(m); return;
    }
}

void TSkinSpeedButton::PaintButton(HDC dc) {
    TSpeedButton* b = Button();
    if (!b || !b->Visible || Content().Buttons.Image.Empty()) return;
    const RECT r = b->BoundsRect();
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    const int state = State();
    Bitmap32 face(w, h);
    FillBackground(face, RECT{0, 0, w, h});
    if (state != 0) DrawPart(face, 0, 0, w, h, Content().Buttons, state);
    SkinDib dib;
    if (!dib.Resize(w, h)) return;
    dib.Put(face, 0, 0);
    HDC mem = dib.Dc();
    const std::wstring caption = b->Caption;
    if (!caption.empty()) {
        const TDataSkinButton& part = Content().Buttons;
        SelectGuard font(mem, b->Font->Handle());
        SetBkMode(mem, TRANSPARENT);
        SetTextColor(mem, state == 3   ? Content().Colours.ButtonShadow
                          : state == 2 ? part.PressedColour2
                          : state == 4 ? part.MouseOverColour2
                                       : part.NormalColour2);
        RECT text{0, 0, w, h};
        DrawTextW(mem, caption.c_str(), int(caption.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    GdiFlush();
    SavedDC saved(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    BitBlt(dc, r.left, r.top, w, h, mem, 0, 0, SRCCOPY);
}
