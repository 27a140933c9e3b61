#pragma once
// TWinControl: a control with a window. Every message of the window goes through the
// control's WindowProc chain: the hooks others put in front (HookWindowProc, the skin
// engine's), then the toolkit's WndProc; what that leaves falls to the window's own
// procedure (the system class's for EDIT, BUTTON, COMBOBOX, …, reached through the window's
// subclass chain; DefWindowProc for the toolkit's own classes). A window we register gets its
// object through lpCreateParams; a system control is subclassed through the toolkit's
// subclass chain (TWindowSubclass), so other subclassers can come and go in any order.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/window_subclass.h"

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    std::wstring ClassName() const override { return L"TWinControl"; }

    // The window, created (with its parents') on first need.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // The window if it exists, else nullptr.
    HWND WindowHandle() const { return handle_; }
    void HandleNeeded();
    // Destroys and re-creates the window (and those of the children), e.g. after a style
    // change a control only takes at creation.
    void RecreateWnd();

    // Runs a message through the chain: the hooks, newest first, then WndProc.
    void WindowProc(TMessage& message) { windowProc_.Call(message); }
    // Puts a hook in front of the chain; the token takes it out again or replaces it. A hook
    // may unhook or replace itself (or others) while it runs: a call in progress finishes on
    // the chain it started with, whose hooks stay alive until it returns.
    TWndHookToken HookWindowProc(TWndHook hook) { return windowProc_.Add(std::move(hook)); }
    bool UnhookWindowProc(TWndHookToken token) { return windowProc_.Remove(token); }
    bool ReplaceWindowProcHook(TWndHookToken token, TWndHook hook) {
        return windowProc_.Replace(token, std::move(hook));
    }
    // The window procedure of the window's class (before any subclassing).
    WNDPROC DefWndProc() const { return defWndProc_; }
    // Sends a message straight through WindowProc (no system call).
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The toolkit's handling of a message; calls DefaultHandler for what it leaves.
    virtual void WndProc(TMessage& message);
    void DefaultHandler(TMessage& message);

    bool GetTabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    int GetTabOrder() const;
    void SetTabOrder(int order);
    Property<&TWinControl::GetTabStop, &TWinControl::SetTabStop> TabStop{this};
    // Position among the parent's windowed children in Tab order.
    Property<&TWinControl::GetTabOrder, &TWinControl::SetTabOrder> TabOrder{this};

    // Gives the control the keyboard focus (at once if its form is active, else when the
    // form is next activated).
    void SetFocus();
    bool Focused() const;
    // Visible and enabled, and so are its parents up to and including its form.
    virtual bool CanFocus() const;

    TKeyPressEvent OnKeyPress;  // typed characters (WM_CHAR); setting the key to 0 eats it
    TKeyEvent OnKeyDown;        // key-downs (WM_KEYDOWN); setting the key to 0 eats it

    // Child controls, bottom first.
    const std::vector<TControl*>& Controls() const { return controls_; }
    int ControlCount() const { return int(controls_.size()); }
    // Windowed children in Tab order.
    const std::vector<TWinControl*>& TabList() const { return tabList_; }

    // The child window id (what WM_COMMAND's LOWORD and GetDlgItem see).
    int ControlId() const { return controlId_; }
    void SetControlId(int id);

    bool IsWindowed() const override { return true; }
    void Invalidate() override;
    // Invalidates part of the client area (client coordinates).
    void InvalidateRect(const RECT& area);
    // The topmost visible graphic child at a client point (enabled ones only, if asked).
    TGraphicControl* GraphicControlAt(POINT point, bool enabledOnly) const;

    void SetBounds(int left, int top, int width, int height) override;
    std::wstring GetCaption() const override;

    // The object of a window of this process, or nullptr.
    static TWinControl* FromHandle(HWND hwnd);
    // The windowed control among this one's own controls whose window `hwnd` is, or nullptr.
    TWinControl* ChildWindowControl(HWND hwnd) const;
    // The combo box among the controls whose dropped list is `list`.
    TWinControl* ComboBoxOfList(HWND list) const;

protected:
    struct TCreateParams {
        std::wstring systemClass;  // empty: the toolkit's own class named ClassName()
        DWORD style = 0;
        DWORD exStyle = 0;
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        HWND parent = nullptr;
        UINT classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    };
    virtual void CreateParams(TCreateParams& params);
    // Pushes the state kept in the object (font, texts, items …) into the new window.
    virtual void InitWnd();
    virtual bool IsTopLevel() const { return false; }
    // The window height to give the system for a height (combo boxes add their list).
    virtual int WindowHeightFor(int height) const { return height; }
    // The parent's client area changed size.
    virtual void ParentResized() {}
    // Whether the system class uses a system key (WM_SYSKEYDOWN/WM_SYSKEYUP: F10, or a key
    // with Alt). One it does not use goes straight to the system's default handling, which
    // closes the window on Alt+F4 and opens the menu on Alt or F10: some classes keep such
    // keys to themselves under Wine. True unless a class says otherwise.
    virtual bool ClassUsesSystemKey(WORD) const { return true; }

    // Painting of the toolkit's own windows: background, then the graphic children, all in
    // an off-screen bitmap that is copied to the window at the end.
    virtual void PaintBackground(HDC dc, const RECT& area);
    void PaintWindow(HDC target, const RECT& area);

    void VisibleChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;
    void ColorChanged() override;
    void FontChanged() override;
    void ParentChanged(TWinControl* oldParent) override;

    // Keys: OnKeyDown/OnKeyPress. True when the key was eaten.
    bool DoKeyDown(TMessage& message);
    bool DoKeyPress(TMessage& message);

    bool OwnClass() const { return ownClass_; }

private:
    friend class TControl;
    friend class TForm;

    void CreateHandle();
    void CreateWnd();
    // Puts a new child window in its place among its siblings', as the controls' order has it.
    void PlaceAmongSiblings(HWND hwnd, HWND parentWindow);
    // After InitWnd: subclasses a system control's window and takes the bounds the window came to.
    void FinishWnd();
    void DestroyHandle();
    void Detach();
    void WindowDestroyed();
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT SubclassDispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window's own procedure for a message the toolkit leaves.
    LRESULT CallDefault(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ClassWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    // Typed handlers of the messages WndProc takes.
    void WmPaint(TMessage& message);
    void WmPrintClient(TMessage& message);
    void WmLButtonDown(TMessage& message);
    void WmLButtonUp(TMessage& message);
    void WmLButtonDblClk(TMessage& message);
    void WmMouseMove(TMessage& message);
    void WmMouseLeave(TMessage& message);
    bool WmSetCursor(TMessage& message);
    void WmSetFocus(TMessage& message);
    void WmWindowPosChanged(TMessage& message);
    void WmSize(TMessage& message);
    bool ReflectNotification(TMessage& message);

    // Paints the graphic children that meet `area` and what `target` shows of the window.
    void PaintControls(HDC dc, const RECT& area, HDC target);

    HookChain<TMessage> windowProc_{[this](TMessage& message) { WndProc(message); }};
    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    TWindowSubclass subclass_;  // of a system control's window
    int subclassCalls_ = 0;     // messages of that window in progress
    bool ownClass_ = false;
    bool tabStop_ = false;
    int pendingTabOrder_ = -1;
    int controlId_ = 0;
    bool mouseInside_ = false;
    bool selfPressed_ = false;
    TGraphicControl* pressed_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
};

// The control a window belongs to, looking through the parents of windows the toolkit does
// not know (the edit inside a combo box), or nullptr.
TWinControl* FindControl(HWND hwnd);
