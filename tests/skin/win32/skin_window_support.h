#pragma once
// What the skinned-window tests share: a skin component set up as the main window's, test
// forms, captures of whole windows from the screen, and the parts of the loaded skin drawn as
// the frame painter draws them.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <functional>
#include <string>

#include "skin/part_renderer.h"
#include "skin/win32/skin_component.h"
#include "skin/win32/skin_control.h"
#include "skin/win32/skin_manage.h"
#include "skin/win32/win_skin_form.h"
#include "ui/form.h"
#include "ui_test_support.h"

// A plain sizeable form with a caption; OnClose counts the closes and hides it.
class TestForm : public TForm {
public:
    explicit TestForm(const std::wstring& caption, int x = 60, int y = 60, int clientWidth = 320,
                      int clientHeight = 200);
    int Closes = 0;
};

class SkinTest : public UiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the skin component as the main window carries it (with these controls).
    void MakeSkin(TSkinControls controls = {xcMainMenu, xcCombo, xcBitBtn, xcStatusBar, xcTab, xcSystemMenu});
    // The same with a skin package of the test's own.
    void MakeSkinFrom(const std::vector<uint8_t>& package, TSkinControls controls);
    TSkinManage* Manager() const { return TSkinManage::Instance(false); }
    TWinSkinForm* Skinned(HWND hwnd) const;
    // Shows the form, activates it and waits until it is skinned (or, with expectSkin false,
    // a while).
    void ShowSkinned(TForm& form, bool expectSkin = true);

    const TSkinContent& Content() const { return skin_->Content(); }
    TFrameMetrics SkinMetrics() const;

    TSkinDataComponent* skin_ = nullptr;
};

// The whole window as the screen shows it (0x00RRGGBB).
Bitmap32 ScreenWindow(HWND hwnd);
// A rectangle of an image.
Bitmap32 Crop(const Bitmap32& image, const RECT& r);
// Pixels where two images differ, not counting those where `mask` (if given) is magenta.
int Differences(const Bitmap32& a, const Bitmap32& b, const Bitmap32* mask = nullptr);
// A screen point of the window (window coordinates), as an lParam.
LPARAM ScreenPoint(HWND hwnd, int x, int y);
// The centre of a caption button of the given Action, in window coordinates.
POINT ButtonCentre(TWinSkinForm& form, int action);

// A control of the toolkit on a form (or another parent) at r.
template <class C>
C* AddControl(TComponent* owner, TWinControl* parent, const wchar_t* name, RECT r, int tag = 0) {
    auto* c = new C(owner);
    c->Name = name;
    c->Tag = tag;
    c->Parent = parent;
    c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return c;
}

// Frame k of a part drawn as the skinners draw it, at a size, over ButtonFace.
Bitmap32 PartFace(const TSkinContent& content, const TDataSkinObject& part, int w, int h, int frame);

// The growth of the process's GDI objects and of the thread's windows over `cycles` runs of
// cycle (after one run that may create what stays cached).
struct TResourceGrowth {
    int gdi = 0;
    int windows = 0;
};
TResourceGrowth GrowthOver(const std::function<void()>& cycle, int cycles = 100);
// Paints a window and its frame at once.
void PaintNow(HWND hwnd);
// The visible pop-up menu window of this thread, or nullptr.
HWND OpenMenuWindow();
