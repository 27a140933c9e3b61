// Containers and the remaining kinds on a skinned form: tool bars made flat (boxes when
// xcToolbar admits them), page controls whose pages follow their tabs, and date-time pickers
// skinned as edits or combo boxes by their kind.
#include "skin/win32/skin_combo_box.h"
#include "skin/win32/skin_edit.h"
#include "skin/win32/skin_range_controls.h"
#include "skin/win32/skin_tab.h"
#include "skin_window_support.h"
#include "ui/check_box.h"
#include "ui/date_time_picker.h"
#include "ui/tab_control.h"
#include "ui/tool_bar.h"

namespace {

// A tool bar of another vendor's: a container with a Flat property, not named TToolBar.
class TTBXToolbar : public TToolBar {
public:
    using TToolBar::TToolBar;
    std::wstring ClassName() const override { return L"TTBXToolbar"; }
};

class ContainerSkinTest : public SkinTest {
protected:
    void MakeForm(TSkinControls controls) {
        MakeSkin(controls);
        form = new TestForm(L"容器", 60, 60, 520, 320);
        toolBar = AddControl<TToolBar>(form, form, L"ToolBar1", {0, 0, 520, 30});
        otherBar = AddControl<TTBXToolbar>(form, form, L"TBXToolbar1", {0, 32, 520, 62});
        pages = AddControl<TPageControl>(form, form, L"PageControl1", {10, 70, 300, 250});
        first = pages->AddPage(L"法规");
        second = pages->AddPage(L"标志");
        onPage = AddControl<TCheckBox>(form, first, L"CheckBox1", {10, 10, 150, 27});
        onPage->Caption = L"第一页";
        date = AddControl<TDateTimePicker>(form, form, L"DateTimePicker1", {320, 80, 500, 102});
        time = AddControl<TDateTimePicker>(form, form, L"DateTimePicker2", {320, 120, 500, 142});
        time->Kind = dtkTime;
        ShowSkinned(*form);
        skinned = Skinned(form->Handle());
    }

    TestForm* form = nullptr;
    TWinSkinForm* skinned = nullptr;
    TToolBar* toolBar = nullptr;
    TTBXToolbar* otherBar = nullptr;
    TPageControl* pages = nullptr;
    TTabSheet *first = nullptr, *second = nullptr;
    TCheckBox* onPage = nullptr;
    TDateTimePicker *date = nullptr, *time = nullptr;
};

TEST_F(ContainerSkinTest, EveryMemberOnSkinsEachByItsRow) {
    MakeForm(TSkinControls::Default());
    const TColor face = TColor(Content().Colours.ButtonFace);
    // TToolBar by name: flat and ButtonFace, no skinner; another tool bar: a flat box.
    EXPECT_TRUE(toolBar->Flat);
    EXPECT_EQ(toolBar->Color.Get(), face);
    EXPECT_EQ(skinned->FindControlSkinner(toolBar), nullptr);
    EXPECT_TRUE(otherBar->Flat);
    EXPECT_NE(dynamic_cast<TSkinBox*>(skinned->FindControlSkinner(otherBar)), nullptr);
    EXPECT_EQ(otherBar->Color.Get(), face);
    // The page control is a tab; its pages are containers whose controls are skinned.
    auto* tab = dynamic_cast<TSkinTab*>(skinned->FindControlSkinner(pages));
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(skinned->FindControlSkinner(first), nullptr);
    EXPECT_NE(skinned->FindControlSkinner(onPage), nullptr);
    EXPECT_TRUE(first->Visible);
    EXPECT_FALSE(second->Visible);
    RECT tab2{};
    SendMessageW(pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab2));
    ClickAt(pages->Handle(), tab2.left + 5, tab2.top + 5);
    PumpFor(40);
    EXPECT_EQ(pages->ActivePage(), second);
    EXPECT_TRUE(second->Visible);
    EXPECT_FALSE(first->Visible);
    // The page lies inside the skin's page border and paints itself there.
    const RECT display = pages->DisplayRect();
    EXPECT_EQ(second->Left.Get(), display.left);
    EXPECT_EQ(second->Top.Get(), display.top);
    // A date picker is a combo box, a time picker an edit whose up-down is skinned with it.
    EXPECT_NE(dynamic_cast<TSkinComBox*>(skinned->FindControlSkinner(date)), nullptr);
    auto* edit = dynamic_cast<TSkinEdit*>(skinned->FindControlSkinner(time));
    ASSERT_NE(edit, nullptr);
    EXPECT_NE(edit->UpDown(), nullptr);
}

TEST_F(ContainerSkinTest, WithoutTheirMembersTheyStayAsTheyAre) {
    MakeForm({xcMainMenu, xcSystemMenu});
    // TToolBar is made flat whatever the members; the other tool bar needs xcToolbar.
    EXPECT_TRUE(toolBar->Flat);
    EXPECT_FALSE(otherBar->Flat);
    EXPECT_EQ(otherBar->Color.Get(), clBtnFace);
    for (TWinControl* c : std::initializer_list<TWinControl*>{otherBar, pages, date, time, onPage})
        EXPECT_EQ(skinned->FindControlSkinner(c), nullptr) << c->Name;
}

}  // namespace
