#pragma once
// TSkinEdit draws an edit field's border after the control: a 1-pixel ButtonShadow frame with
// a white one inside it, on windows that have a border. TSkinBox only recolours its control
// (and again after a skin change). TSkinSizer covers a plain window's scroll bar with a
// ButtonFace face in a ButtonShadow frame.
#include <memory>

#include "skin/win32/skin_control.h"

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
public:
    TSkinEdit(TWinSkinForm& form, TSkinData& skin);
    ~TSkinEdit() override;
    void AttachHandle(HWND hwnd) override;
    void Detach() override;
    void Refresh() override;
    void AfterMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;
    // The skinner of an up-down inside the edit, if it has one.
    TSkinUpDown* UpDown() const { return upDown_.get(); }

private:
    std::unique_ptr<TSkinUpDown> upDown_;
};

class TSkinBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool HooksMessages() const override { return false; }
};

class TSkinSizer : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(TMessage& message) override;
    void Paint(HDC dc, const RECT& bounds) override;
};
