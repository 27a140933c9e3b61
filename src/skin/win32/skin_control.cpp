#include "skin/win32/skin_control.h"

#include <commctrl.h>

#include "skin/part_renderer.h"
#include "skin/win32/skin_dib.h"
#include "skin/win32/win_skin_form.h"
#include "ui/form.h"
#include "ui/win_control.h"

TSkinControl::TSkinControl(TWinSkinForm& form, TSkinData& skin) : form_(form), skin_(skin) {}

TSkinControl::~TSkinControl() {
    Detach();
    if (self_) *self_ = nullptr;
}

void TSkinControl::Attach(TWinControl& control, bool recolour) {
    if (attached_ || finished_) return;
    control_ = &control;
    hwnd_ = control.WindowHandle();
    if (HooksMessages())
        token_ = control.HookWindowProc([this](TMessage& m, const TWndNext& next) { HookMessage(m, next); });
    // The control may be deleted before the skinner lets go of it: then there is nothing to
    // unhook, and the form drops the skinner.
    self_ = std::make_shared<TSkinControl*>(this);
    control.AddFreeNotification([life = self_] {
        if (*life) (*life)->ControlDeleted();
    });
    attached_ = true;
    ReadState();
    ReadText();
    recolour_ = recolour;
    if (recolour_) {
        colourBefore_ = control.Color;
        control.Color = TColor(Content().Colours.ButtonFace);
    }
    control.Invalidate();
}

void TSkinControl::AttachGraphic(TControl& control) {
    if (attached_ || finished_ || !control.GetParent()) return;
    TWinControl& parent = *control.GetParent();
    Attach(parent, false);
    if (!attached_) return;
    graphic_ = &control;
    // The control leaving before its parent takes the skinner off the parent.
    control.AddFreeNotification([life = self_] {
        if (*life) (*life)->Detach();
    });
}

void TSkinControl::AttachHandle(HWND hwnd) {
    if (attached_ || finished_ || !IsWindow(hwnd)) return;
    hwnd_ = hwnd;
    subclass_ = TWindowSubclass(hwnd, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
        return SubclassMessage(msg, wParam, lParam);
    });
    attached_ = true;
    ReadState();
    ReadText();
    InvalidateRect(hwnd, nullptr, TRUE);
}

void TSkinControl::Detach() {
    if (!attached_) return;
    attached_ = false;
    StopBeingHot();
    if (control_) {
        if (token_) control_->UnhookWindowProc(token_);
        token_ = 0;
        if (recolour_ && !control_->Destroying()) {
            TForm* form = control_->ParentForm();
            if (!form || (!form->Destroying() && form_.LifeState() != lsClosing)) control_->Color = colourBefore_;
        }
        control_->Invalidate();
    } else {
        subclass_.Detach();
        if (IsWindow(hwnd_)) InvalidateRect(hwnd_, nullptr, TRUE);
    }
    graphic_ = nullptr;
    finished_ = true;
}

void TSkinControl::ControlDeleted() {
    // The control and its hook chain are gone already.
    if (form_.HotControl() == this) form_.SetHotControl(nullptr);
    control_ = nullptr;
    graphic_ = nullptr;
    token_ = 0;
    attached_ = false;
    finished_ = true;
    hwnd_ = nullptr;
}

void TSkinControl::Refresh() {
    if (!attached_) return;
    if (recolour_ && control_) control_->Color = TColor(Content().Colours.ButtonFace);
    if (IsWindow(hwnd_)) InvalidateRect(hwnd_, nullptr, TRUE);
}

// ---- messages

void TSkinControl::HookMessage(TMessage& message, const TWndNext& next) {
    // The control's window may have been made anew since the skinner attached.
    if (control_) hwnd_ = control_->WindowHandle();
    if (!BeforeMessage(message)) return;
    next(message);
    if (attached_) AfterMessage(message);
}

LRESULT TSkinControl::SubclassMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    if (BeforeMessage(message)) {
        message.Result = TWindowSubclass::CallNext(hwnd_, msg, wParam, lParam);
        AfterMessage(message);
    }
    return message.Result;
}

bool TSkinControl::BeforeMessage(TMessage& message) {
    // A window of its own (no toolkit object) reports the mouse leaving it only when asked.
    if (message.Msg == WM_MOUSEMOVE && !control_ && !tracking_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
    }
    if (message.Msg == WM_MOUSELEAVE) tracking_ = false;
    return true;
}

void TSkinControl::AfterMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case CM_ENABLEDCHANGED:
            ReadState();
            Redraw();
            break;
        case WM_SETTEXT:
        case CM_TEXTCHANGED:
            ReadText();
            Redraw();
            break;
        case WM_PAINT: PaintWindow(reinterpret_cast<HDC>(message.WParam)); break;
        case WM_NCDESTROY: Detach(); break;
    }
}

void TSkinControl::ReadState() {
    if (!IsWindow(hwnd_)) return;
    focused_ = GetFocus() == hwnd_;
    enabled_ = (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_DISABLED) == 0;
}

void TSkinControl::ReadText() {
    if (!IsWindow(hwnd_)) return;
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring text(size_t(std::max(length, 0)) + 1, L'\0');
    text.resize(size_t(std::max(GetWindowTextW(hwnd_, text.data(), length + 1), 0)));
    text_ = std::move(text);
}

// ---- painting

void TSkinControl::PaintWindow(HDC dc) {
    if (!IsWindow(hwnd_)) return;
    RECT window{};
    GetWindowRect(hwnd_, &window);
    const RECT bounds{0, 0, window.right - window.left, window.bottom - window.top};
    HDC own = nullptr;
    if (!dc) dc = own = GetWindowDC(hwnd_);
    if (!dc) return;
    try {
        Paint(dc, bounds);
    } catch (...) {
        // A control that cannot be painted this time keeps what it shows.
    }
    if (own) ReleaseDC(hwnd_, own);
}

void TSkinControl::Paint(HDC, const RECT&) {}

bool TSkinControl::PaintItself(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            if (m.WParam) {
                PaintWindow(reinterpret_cast<HDC>(m.WParam));
            } else {
                PaintDC dc(Handle());
                PaintWindow(dc.Get());
            }
            m.Result = 0;
            return false;
        case WM_PRINTCLIENT:
            PaintWindow(reinterpret_cast<HDC>(m.WParam));
            m.Result = 0;
            return false;
        case WM_ERASEBKGND:
            m.Result = 1;
            return false;
    }
    return true;
}

void TSkinControl::ShowImage(HDC dc, const RECT& bounds, const Bitmap32& image, const std::function<void(HDC)>& text) {
    SkinDib dib;
    if (!dib.Resize(image.width, image.height)) return;
    dib.Put(image, 0, 0);
    HDC mem = dib.Dc();
    if (text) {
        SelectGuard font(mem, Font());
        SetBkMode(mem, TRANSPARENT);
        text(mem);
    }
    GdiFlush();  // GDI may still be drawing into the pixels
    BitBlt(dc, bounds.left, bounds.top, image.width, image.height, mem, 0, 0, SRCCOPY);
}

void TSkinControl::Redraw() {
    if (IsWindow(hwnd_)) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
}

void TSkinControl::MouseLeave() {
    if (control_)
        control_->Perform(CM_MOUSELEAVE);
    else if (IsWindow(hwnd_))
        SendMessageW(hwnd_, WM_MOUSELEAVE, 0, 0);
}

void TSkinControl::BecomeHot() {
    TSkinControl* previous = form_.HotControl();
    form_.SetHotControl(this);
    if (previous && previous != this) previous->MouseLeave();
}

void TSkinControl::StopBeingHot() {
    if (form_.HotControl() == this) form_.SetHotControl(nullptr);
}

void TSkinControl::FillBackground(Bitmap32& image, const RECT& r) const {
    const uint32_t face = ColourRefToPixel(Content().Colours.ButtonFace);
    for (int y = std::max(0, int(r.top)); y < std::min(image.height, int(r.bottom)); ++y)
        for (int x = std::max(0, int(r.left)); x < std::min(image.width, int(r.right)); ++x) image.At(x, y) = face;
}

HFONT TSkinControl::Font() const {
    if (control_) return control_->Font->Handle();
    auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TSkinControl::ClickControl() {
    if (control_) {
        control_->Click();
        return;
    }
    HWND parent = GetParent(hwnd_);
    const int id = GetDlgCtrlID(hwnd_);
    if (parent) PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd_));
}

void DrawPart(Bitmap32& image, int x, int y, int w, int h, const TDataSkinObject& part, int frame) {
    if (w <= 0 || h <= 0 || part.Image.Empty()) return;
    const Bitmap32 drawn = RenderPart(w, h, part, FrameLayout::SideBySide, part.Tile == 1, frame);
    StretchCopy(image, x, y, w, h, drawn, 0, 0, w, h, part.Trans != 0);
}
