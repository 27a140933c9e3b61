// The benchmark's floor: a copy of an opened window's tree made of plain windows must have the
// window's shape (classes, styles, places, sizes, number of handles), or the ratio to it would
// compare the window with something else.
#include <windows.h>

#include "app/bench_floor.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/panel.h"
#include "ui/win_control.h"
#include "ui_test_support.h"

namespace {

using bench::CaptureTree;
using bench::CountWindows;
using bench::WindowTree;

class BenchFloorTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        owner.reset(new TForm(nullptr));
        owner->SetBounds(0, 0, 300, 200);
        owner->Show();
        form.reset(new TForm(owner.get()));
        form->SetBounds(40, 30, 500, 400);
        // A panel of ours holding a system control, and a system control that makes windows
        // of its own.
        auto* panel = new TPanel(form.get());
        panel->Parent = form.get();
        panel->SetBounds(10, 10, 300, 120);
        edit = new TEdit(form.get());
        edit->Parent = panel;
        edit->SetBounds(5, 6, 200, 22);
        edit->Text = L"第一题";
        combo = new TComboBox(form.get());
        combo->Parent = form.get();
        combo->SetBounds(10, 150, 180, 24);
        combo->Style = csDropDown;  // with an edit window of its own
        combo->Items->Add(L"第一套");
        auto* hidden = new TPanel(form.get());
        hidden->Parent = form.get();
        hidden->SetBounds(200, 200, 50, 40);
        hidden->Visible = false;
        form->Show();
        ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    }
    void TearDown() override {
        form.reset();
        owner.reset();
        UiTest::TearDown();
    }
    Owned<TForm> owner;
    Owned<TForm> form;
    TEdit* edit = nullptr;
    TComboBox* combo = nullptr;
};

void ExpectSameShape(const WindowTree& real, const WindowTree& copy) {
    ASSERT_EQ(real.windows.size(), copy.windows.size());
    for (size_t i = 0; i < real.windows.size(); ++i) {
        SCOPED_TRACE("window " + std::to_string(i));
        const auto& a = real.windows[i];
        const auto& b = copy.windows[i];
        EXPECT_EQ(a.parent, b.parent);
        EXPECT_EQ(a.className, b.className);
        EXPECT_EQ(a.text, b.text);
        // The copy's top window is captured before it is shown.
        const DWORD shown = i == 0 ? DWORD(WS_VISIBLE) : 0;
        EXPECT_EQ(a.style & ~shown, b.style & ~shown);
        EXPECT_EQ(a.exStyle, b.exStyle);
        // A combo box sizes its closed height by its font, which the copy does not set.
        RECT expected = a.bounds;
        if (_wcsicmp(a.className.c_str(), L"ComboBox") == 0) expected.bottom = b.bounds.bottom;
        EXPECT_EQ(RectText(expected), RectText(b.bounds));
        EXPECT_EQ(a.id, b.id);
    }
}

TEST_F(BenchFloorTest, CaptureKeepsTheSystemsClassesAndLeavesOutWhatSystemControlsMake) {
    const WindowTree tree = CaptureTree(form->Handle());
    EXPECT_EQ(tree.owner, GetWindow(form->Handle(), GW_OWNER));
    EXPECT_EQ(tree.handles, CountWindows(form->Handle()));
    ASSERT_EQ(tree.windows.size(), 5u);  // form, panel, edit, combo box, hidden panel
    EXPECT_TRUE(tree.windows[0].className.empty());
    EXPECT_EQ(tree.windows[0].parent, -1);
    // The last made lies on top and comes first.
    const auto& hidden = tree.windows[1];
    EXPECT_TRUE(hidden.className.empty());
    EXPECT_EQ(hidden.style & WS_VISIBLE, 0u);
    EXPECT_EQ(_wcsicmp(tree.windows[2].className.c_str(), L"ComboBox"), 0);
    EXPECT_EQ(tree.windows[2].parent, 0);
    const auto& panel = tree.windows[3];
    EXPECT_TRUE(panel.className.empty());
    EXPECT_EQ(RectText(panel.bounds), "10,10,310,130");
    const auto& text = tree.windows[4];
    EXPECT_EQ(text.parent, 3);
    EXPECT_EQ(_wcsicmp(text.className.c_str(), L"Edit"), 0);
    EXPECT_EQ(text.text, L"第一题");
    EXPECT_EQ(RectText(text.bounds), "5,6,205,28");
    // The combo box's own edit is counted, not captured.
    EXPECT_EQ(tree.handles, 6);
}

TEST_F(BenchFloorTest, TheFloorIsTheSameTreeOfPlainWindowsAndGoesWithItsHandle) {
    const WindowTree tree = CaptureTree(form->Handle());
    HWND made = nullptr;
    {
        bench::FloorWindowHandle floor = bench::BuildFloor(tree);
        made = floor.Get();
        ASSERT_NE(made, nullptr);
        EXPECT_FALSE(IsWindowVisible(made));
        EXPECT_EQ(GetWindow(made, GW_OWNER), GetWindow(form->Handle(), GW_OWNER));
        // The system controls make their own windows again; the count matches the real tree's.
        EXPECT_EQ(CountWindows(made), tree.handles);
        ExpectSameShape(tree, CaptureTree(made));
        // None of the program's windows is in the copy.
        int known = 0;
        EnumChildWindows(
            made, [](HWND c, LPARAM n) { return *reinterpret_cast<int*>(n) += TWinControl::FromHandle(c) != nullptr, TRUE; },
            reinterpret_cast<LPARAM>(&known));
        EXPECT_EQ(known, 0);
    }
    EXPECT_FALSE(IsWindow(made));
}

TEST_F(BenchFloorTest, MeasuringTheFloorShowsPaintsAndDestroysItsCopy) {
    const WindowTree tree = CaptureTree(form->Handle());
    const int before = CountWindows(GetDesktopWindow());
    const bench::FloorOpening floor = bench::MeasureFloor(tree);
    EXPECT_GT(floor.milliseconds, 0);
    EXPECT_EQ(floor.handles, tree.handles);
    EXPECT_EQ(CountWindows(GetDesktopWindow()), before);
    EXPECT_EQ(bench::MeasureFloor(WindowTree{}).handles, 0);
}

}  // namespace
