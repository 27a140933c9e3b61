// Where a form's child windows lie. The windows are made from the topmost control down, so
// that none has to be moved; each must still lie where the controls' order puts it, also when
// a control comes to a shown form, goes to the back or has its window made again. The
// learner's click reaches the topmost window, and Tab follows the Tab order, not the order in
// which the windows were made.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui_test_support.h"

namespace {

// The child windows of a window, topmost first.
std::vector<HWND> WindowsOf(HWND parent) {
    std::vector<HWND> windows;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) windows.push_back(child);
    return windows;
}

// The windows of a control's windowed children as the controls' order puts them, topmost first.
std::vector<HWND> ControlsOrder(const TWinControl& parent) {
    std::vector<HWND> windows;
    const auto& controls = parent.Controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        if (auto* w = dynamic_cast<TWinControl*>(*it); w && w->WindowHandle()) windows.push_back(w->WindowHandle());
    }
    return windows;
}

class WindowOrderTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(new TForm(nullptr));
        form->SetBounds(100, 100, 420, 320);
        form->BorderStyle = bsNone;
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    // A panel over the common spot (10, 10)-(110, 60) of its parent; a click on it is logged.
    TPanel* AddPanel(TWinControl* parent, const wchar_t* name, int left) {
        auto* panel = new TPanel(form.get());
        panel->Name = name;
        panel->Parent = parent;
        panel->SetBounds(left, 10, 100, 50);
        panel->OnClick = [this, panel] { clicked.push_back(panel->Name); };
        return panel;
    }
    // Clicks the form's client point as the learner does; returns the panel that took it.
    std::wstring ClickedAt(int x, int y) {
        clicked.clear();
        POINT p{x, y};
        ClientToScreen(form->WindowHandle(), &p);
        EXPECT_TRUE(MouseAt(p, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}));
        return clicked.empty() ? L"" : clicked.back();
    }
    void ExpectOrder(const TWinControl& parent, const char* when) {
        EXPECT_EQ(WindowsOf(parent.WindowHandle()), ControlsOrder(parent)) << when;
    }

    Owned<TForm> form;
    std::vector<std::wstring> clicked;
};

TEST_F(WindowOrderTest, ChildWindowsLieInTheControlsOrderHoweverTheyCameAndTabKeepsItsOwnOrder) {
    // Overlapping panels, a label (no window) between them, system controls and a panel with
    // children of its own.
    TPanel* p1 = AddPanel(form.get(), L"P1", 10);
    auto* label = new TLabel(form.get());
    label->Parent = form.get();
    label->SetBounds(10, 10, 60, 20);
    label->Caption = L"第1题";
    TPanel* p2 = AddPanel(form.get(), L"P2", 20);
    auto* edit = new TEdit(form.get());
    edit->Parent = form.get();
    edit->SetBounds(10, 200, 120, 21);
    auto* combo = new TComboBox(form.get());
    combo->Parent = form.get();
    combo->SetBounds(20, 205, 150, 21);
    combo->Items->Assign({L"第一套", L"第二套"});
    TPanel* box = AddPanel(form.get(), L"Box", 30);
    box->SetBounds(200, 100, 200, 150);
    auto* inner1 = new TEdit(form.get());
    inner1->Parent = box;
    inner1->SetBounds(10, 10, 150, 21);
    auto* inner2 = new TEdit(form.get());
    inner2->Parent = box;
    inner2->SetBounds(20, 15, 150, 21);
    TPanel* p3 = AddPanel(form.get(), L"P3", 30);
    edit->TabOrder = 4;  // after the box, and so after the box's edits
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == form->WindowHandle(); }));
    PumpFor(50);

    ExpectOrder(*form, "made");
    ExpectOrder(*box, "made");
    EXPECT_EQ(ClickedAt(35, 30), L"P3");
    EXPECT_EQ(ClickedAt(25, 30), L"P2");  // left of P3
    EXPECT_EQ(ClickedAt(15, 30), L"P1");
    EXPECT_EQ(ChildWindowFromPoint(form->WindowHandle(), POINT{25, 210}), combo->WindowHandle());
    EXPECT_EQ(ChildWindowFromPoint(box->WindowHandle(), POINT{30, 20}), inner2->WindowHandle());

    // A control that comes to the shown form lies above the others.
    TPanel* late = AddPanel(form.get(), L"Late", 5);
    ExpectOrder(*form, "a control added");
    EXPECT_EQ(ClickedAt(35, 30), L"Late");
    // Sent to the back, and its window made again there: it stays at the back.
    late->SendToBack();
    ExpectOrder(*form, "sent to the back");
    late->RecreateWnd();
    ExpectOrder(*form, "made again at the back");
    EXPECT_EQ(ClickedAt(35, 30), L"P3");
    EXPECT_EQ(ClickedAt(7, 30), L"Late");  // where nothing covers it
    // A window made again between others keeps its place (a combo box's style is taken at
    // creation), and so does one inside the box.
    combo->Style = csDropDown;
    ExpectOrder(*form, "the combo box made again");
    inner1->RecreateWnd();
    ExpectOrder(*box, "the box's first edit made again");
    EXPECT_EQ(ChildWindowFromPoint(box->WindowHandle(), POINT{30, 20}), inner2->WindowHandle());
    // Brought to the front: above all.
    p1->BringToFront();
    ExpectOrder(*form, "brought to the front");
    EXPECT_EQ(ClickedAt(35, 30), L"P1");
    EXPECT_NE(p2->WindowHandle(), nullptr);
    EXPECT_NE(p3->WindowHandle(), nullptr);

    // Tab: the Tab order, whatever order the windows were made in.
    combo->Style = csDropDownList;  // a list takes the focus itself (a field would take it inside)
    form->ActiveControl = combo;
    ASSERT_TRUE(combo->Focused());
    PressKey(VK_TAB);
    EXPECT_TRUE(inner1->Focused());
    PressKey(VK_TAB);
    EXPECT_TRUE(inner2->Focused());
    PressKey(VK_TAB);
    EXPECT_TRUE(edit->Focused());
    PressKey(VK_TAB);
    EXPECT_TRUE(combo->Focused());
}

}  // namespace
