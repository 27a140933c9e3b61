#pragma once
// TSkinControl: the base of the control skinners. A skinner attaches to one control of a
// skinned window — a control of the toolkit through the hook chain in front of its
// WindowProc, any other window through the system's subclass chain — sees every message
// before (BeforeMessage, which may swallow it) and after (AfterMessage) the control's own
// handling, and paints the control from the skin's parts. It belongs to the window's
// TWinSkinForm, which refreshes, detaches and frees it.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include <cstddef>  // bitmap32.h uses size_t without including it

#include "base/bitmap32.h"
#include "skin/skin_data.h"
#include "ui/graphics.h"
#include "ui/ui_types.h"
#include "ui/window_subclass.h"

class TWinControl;
class TWinSkinForm;

class TSkinControl {
public:
    TSkinControl(TWinSkinForm& form, TSkinData& skin);
    virtual ~TSkinControl();
    TSkinControl(const TSkinControl&) = delete;
    TSkinControl& operator=(const TSkinControl&) = delete;

    // A control of the toolkit: the skinner's dispatcher goes in front of its WindowProc. With
    // recolour the control's colour is saved and set to the skin's ButtonFace. A skinner
    // attaches once; a second Attach is ignored.
    virtual void Attach(TWinControl& control, bool recolour);
    // Any other window: subclassed through the system's chain.
    virtual void AttachHandle(HWND hwnd);
    // A control without a window (a speed button): the skinner sees its parent's messages
    // and paints into the parent. Control() and Handle() are then the parent's.
    void AttachGraphic(TControl& control);
    // Gives the control its own message handling back (and, unless its form is closing, its
    // colour).
    virtual void Detach();
    // After a skin change: the new ButtonFace (when recoloured), and a repaint.
    virtual void Refresh();

    // False swallows the message: the control's own handling does not run.
    virtual bool BeforeMessage(TMessage& message);
    // Runs after the control's own handling.
    virtual void AfterMessage(TMessage& message);
    // Paints the whole control into dc (or, with none, the window's own device context).
    void PaintWindow(HDC dc);
    // Paints the control into dc, whose origin is the window's top-left corner.
    virtual void Paint(HDC dc, const RECT& bounds);
    // False for a skinner that only recolours its control and sees none of its messages.
    virtual bool HooksMessages() const { return true; }

    // Tells the control that the mouse left it (the form's hot control changed).
    void MouseLeave();
    // Invalidates the whole window without erasing and updates it at once.
    void Redraw();

    HWND Handle() const { return hwnd_; }
    TWinControl* Control() const { return control_; }
    // The windowless control a skinner attached with AttachGraphic serves, else nullptr.
    TControl* GraphicControl() const { return graphic_; }
    bool Attached() const { return attached_; }
    // The skinner let go of its control (its window or object is gone): the form drops it.
    bool Finished() const { return finished_; }
    bool Hot() const { return hot_; }
    bool Pressed() const { return pressed_; }
    bool Recolour() const { return recolour_; }
    void SetRecolour(bool value) { recolour_ = value; }

protected:
    // For a skinner that paints the whole control: WM_PAINT (into the device context it
    // carries, else between BeginPaint and EndPaint) and WM_PRINTCLIENT are painted through
    // Paint, WM_ERASEBKGND is swallowed. False for those three (the control's own handling does
    // not run), true for any other message.
    bool PaintItself(TMessage& message);
    // Puts a finished picture on the control in one copy: `image` goes into an off-screen
    // bitmap, `text` (when given) draws on it with the control's font on a transparent
    // background, and the bitmap is copied to dc at the top left of `bounds`. Nothing is drawn
    // when the system gives no bitmap.
    void ShowImage(HDC dc, const RECT& bounds, const Bitmap32& image, const std::function<void(HDC)>& text = {});
    // Fills the rectangle with the skin's ButtonFace colour.
    void FillBackground(Bitmap32& image, const RECT& r) const;
    const TSkinContent& Content() const { return skin_.Content(); }
    // The control's font (the toolkit's, else the one the window was given).
    HFONT Font() const;
    // The window's text as last read.
    const std::wstring& Text() const { return text_; }
    // Becomes the form's hot control (the previous one is told the mouse left).
    void BecomeHot();
    // No longer the form's hot control.
    void StopBeingHot();
    bool Focused() const { return focused_; }
    bool Enabled() const { return enabled_; }
    bool IsControl() const { return control_ != nullptr; }
    // Clicks the control: a toolkit control's Click, else WM_COMMAND (BN_CLICKED) to the
    // parent.
    void ClickControl();
    void ReadText();
    void ReadState();

    TWinSkinForm& form_;
    TSkinData& skin_;
    bool hot_ = false;
    bool pressed_ = false;

private:
    void HookMessage(TMessage& message, const TWndNext& next);
    LRESULT SubclassMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void ControlDeleted();

    TWinControl* control_ = nullptr;
    TControl* graphic_ = nullptr;
    HWND hwnd_ = nullptr;
    TWndHookToken token_ = 0;
    TWindowSubclass subclass_;
    // Shared with the control's free notification, which clears it when the skinner goes
    // first.
    std::shared_ptr<TSkinControl*> self_;
    bool focused_ = false;
    bool enabled_ = true;
    bool tracking_ = false;
    std::wstring text_;
    bool recolour_ = false;
    TColor colourBefore_ = clBtnFace;
    bool attached_ = false;
    bool finished_ = false;
};

// Draws frame k of a part in nine slices into (x, y, w, h) of image, honouring the part's
// transparent colour.
void DrawPart(Bitmap32& image, int x, int y, int w, int h, const TDataSkinObject& part, int frame);
