#pragma once
// TForm: a top-level window of the program. A form class builds its components in its
// constructor; Create() (called by Application->CreateForm, Show and ShowModal) then makes
// the window and runs OnCreate, so FormCreate sees every component in place.
//
// Lifetime: a form closed with caFree (or given Release()) is deleted only after the
// outermost message on it, or on any of its controls, has returned — never in the middle of
// its own dispatch.
#include <windows.h>

#include <functional>
#include <vector>

#include "ui/win_control.h"

class TMainMenu;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    std::wstring ClassName() const override { return L"TForm"; }
    void BeforeDestruction() override;

    // Makes the window and runs OnCreate, once. An exception from OnCreate propagates.
    void Create();
    void Show();
    void Hide();
    // Shows the form modally: the thread's other windows are disabled and a nested message
    // loop runs until the form closes or ModalResult is set; then the windows are enabled
    // again, the window that was active before is activated, and ModalResult is returned.
    int ShowModal();
    // Asks the form to close: OnClose decides (caNone keeps it open, caHide hides it,
    // caFree releases it). Closing the main form ends the program's message loop.
    void Close();
    // Deletes the form once no message on it is being handled any more.
    void Release();

    // Setting it while the form is modal ends the modal loop (after OnClose agrees).
    int ModalResult = mrNone;
    bool Modal() const { return modalLoop_; }
    bool Active() const;

    TPosition GetPosition() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TBorderIcons GetBorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TWinControl* GetActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);

    TMainMenu* GetMenu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // The menu bar (a TMainMenu the form owns), or none.
    Property<&TForm::GetMenu, &TForm::SetMenu> Menu{this};
    // The menu bar's system menu was built anew: the window gets it and the form is told
    // (CM_MENUCHANGED through WindowProc).
    void MenuChanged();

    // Where the form is placed when shown: as designed, or centred on the screen, the
    // desktop, or the main window.
    Property<&TForm::GetPosition, &TForm::SetPosition> Position{this};
    Property<&TForm::GetBorderIcons, &TForm::SetBorderIcons> BorderIcons{this};
    Property<&TForm::GetBorderStyle, &TForm::SetBorderStyle> BorderStyle{this};
    // The control that has (or will get, when the form is activated) the keyboard focus.
    Property<&TForm::GetActiveControl, &TForm::SetActiveControl> ActiveControl{this};

    TNotifyEvent OnCreate;
    std::function<void(TCloseAction&)> OnClose;
    // After the client area took a new size (not when minimized).
    TNotifyEvent OnResize;

    // The client area's size (Width and Height are the outer window's).
    int ClientWidth() const;
    int ClientHeight() const;
    RECT ClientRect() const override;
    // Sets the outer size from a client size.
    void SetClientSize(int width, int height);

    void SetVisible(bool visible) override;

    // Dialog navigation from the message loop: Tab and Shift+Tab, the arrow keys between
    // buttons, Enter on a button (or the default button), Escape on the cancel button.
    // True when the key was used.
    bool DialogKey(WORD key, TShiftState shift);
    // The focusable Tab stops of the form in Tab order.
    std::vector<TWinControl*> FocusOrder() const;
    // Moves the focus to the next (or previous) Tab stop after from; with sameParent only
    // among the siblings of from. False when there is none.
    bool SelectNext(TWinControl* from, bool forward, bool sameParent);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;
    bool IsTopLevel() const override { return true; }

private:
    friend class TWinControl;
    friend class TControl;
    friend class FormDispatchGuard;

    void WmClose(TMessage& message);
    bool WmMenuMessage(TMessage& message);
    void WmActivate(TMessage& message);
    bool CloseModal();
    void PostRelease();
    // Where Position puts the window now.
    POINT PlacedPosition() const;
    void ApplyPosition();
    // Shows the made window; `madeNow` when it was made for this showing.
    void ShowMade(bool madeNow);
    void FocusFirst();
    void UpdateStyle();
    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;
    TWinControl* FocusedControl() const;

    // Called by the controls.
    void ControlFocused(TWinControl* control);
    void FocusControl(TWinControl* control);
    void ControlRemoved(TControl* control);
    void ControlHidden(TWinControl* control);

    TPosition position_ = poDesigned;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TBorderStyle borderStyle_ = bsSizeable;
    TWinControl* activeControl_ = nullptr;
    TMainMenu* menu_ = nullptr;
    RECT placedBounds_{};  // where the window was made
    bool created_ = false;
    bool modalLoop_ = false;
    bool releasePending_ = false;
    int busy_ = 0;
};

// Counts a piece of work on a form as one of its messages: while any is running the form is
// not deleted; when the last one ends and the form was released meanwhile, the form is
// deleted then. Every entry into the toolkit from a window procedure, a timer or the message
// loop holds one.
class FormDispatchGuard {
public:
    explicit FormDispatchGuard(TForm* form);
    ~FormDispatchGuard();
    FormDispatchGuard(const FormDispatchGuard&) = delete;
    FormDispatchGuard& operator=(const FormDispatchGuard&) = delete;

private:
    TForm* form_;
};

// The form a component belongs to (through its owners), or nullptr.
TForm* OwnerForm(TComponent* component);
