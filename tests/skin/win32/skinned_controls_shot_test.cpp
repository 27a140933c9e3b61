// One of every control the skin serves, on one form with every member of SkinControls: each
// is reached through the dispatch and gets its skinner; the form is shot to
// build/screenshots/skinned-controls.bmp.
#include "ui/tree_view.h"  // before windowsx.h, whose GetNextSibling macro it would meet

#include <filesystem>
#include <fstream>
#include <typeinfo>

#include "base/bmp.h"
#include "skin/win32/skin_button.h"
#include "skin/win32/skin_check_box.h"
#include "skin/win32/skin_combo_box.h"
#include "skin/win32/skin_edit.h"
#include "skin/win32/skin_range_controls.h"
#include "skin/win32/skin_scroll_bar.h"
#include "skin/win32/skin_speed_button.h"
#include "skin/win32/skin_status_bar.h"
#include "skin/win32/skin_tab.h"
#include "skin_window_support.h"
#include "ui/bit_btn.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/date_time_picker.h"
#include "ui/edit.h"
#include "ui/group_box.h"
#include "ui/list_view.h"
#include "ui/memo.h"
#include "ui/panel.h"
#include "ui/range_controls.h"
#include "ui/scroll_box.h"
#include "ui/speed_button.h"
#include "ui/status_bar.h"
#include "ui/tab_control.h"
#include "ui/tool_bar.h"

namespace {

class SkinnedControlsShot : public SkinTest {};

// A tool bar of another vendor's (a container with a Flat property).
class TTBXToolbar : public TToolBar {
public:
    using TToolBar::TToolBar;
    std::wstring ClassName() const override { return L"TTBXToolbar"; }
};

template <class Skinner>
bool Has(TWinSkinForm& form, TWinControl* control) {
    return dynamic_cast<Skinner*>(form.FindControlSkinner(control)) != nullptr;
}

TEST_F(SkinnedControlsShot, EveryKindOnOneFormIsSkinned) {
    MakeSkin(TSkinControls::Default());
    auto* form = new TestForm(L"木禾驾驶员考试系统 控件", 20, 20, 760, 640);
    auto add = [&](auto* control, const wchar_t* name, RECT r) {
        control->Name = name;
        control->Parent = form;
        control->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        return control;
    };
    auto* bitBtn = add(new TBitBtn(form), L"BitBtn1", {10, 10, 130, 40});
    bitBtn->Caption = L"0模拟考试";
    auto* combo = add(new TComboBox(form), L"ComboBox1", {140, 14, 330, 36});
    combo->Items->Assign({L"第一章 道路交通安全法律法规", L"第二章 交通信号"});
    combo->ItemIndex = 0;
    auto* edit = add(new TEdit(form), L"Edit1", {340, 14, 460, 36});
    edit->Text = L"18";
    auto* spin = add(new TUpDown(form), L"UpDown1", {0, 0, 17, 22});
    spin->Max = 100;
    spin->Position = 18;
    spin->Associate = edit;
    auto* check = add(new TCheckBox(form), L"CheckBox1", {480, 14, 600, 31});
    check->Caption = L"显示答案";
    check->Checked = true;
    auto* radio = add(new TRadioButton(form), L"RadioButton1", {610, 14, 740, 31});
    radio->Caption = L"随机出题";
    radio->Checked = true;
    auto* group = add(new TRadioGroup(form), L"RadioGroup1", {10, 50, 170, 150});
    group->Caption = L"科目";
    group->SetItems({L"科目一", L"科目四"});
    group->ItemIndex = 0;
    auto* groupBox = add(new TGroupBox(form), L"GroupBox1", {180, 50, 340, 150});
    groupBox->Caption = L"设置";
    auto* inner = AddControl<TCheckBox>(form, groupBox, L"CheckBox2", {10, 30, 140, 47});
    inner->Caption = L"声音提示";
    auto* panel = add(new TPanel(form), L"Panel1", {350, 50, 740, 100});
    for (int i = 0; i < 3; ++i) {
        auto* b = new TSpeedButton(form);
        b->Name = L"SpeedButton" + std::to_wstring(i + 1);
        b->Parent = panel;
        b->SetBounds(8 + 56 * i, 10, 50, 30);
        b->Caption = i == 0 ? L"考" : i == 1 ? L"练" : L"查";
        b->GroupIndex = i < 2 ? 1 : 0;
    }
    static_cast<TSpeedButton*>(form->FindComponent(L"SpeedButton1"))->Down = true;
    auto* track = add(new TTrackBar(form), L"TrackBar1", {350, 105, 550, 150});
    track->Position = 6;
    auto* progress = add(new TProgressBar(form), L"ProgressBar1", {560, 115, 740, 135});
    progress->Position = 65;
    auto* memo = add(new TMemo(form), L"Memo1", {10, 160, 250, 300});
    memo->ScrollBars = ssVertical;
    std::wstring text;
    for (int i = 1; i <= 40; ++i) text += L"第" + std::to_wstring(i) + L"条 机动车应当按照交通信号通行。\r\n";
    memo->Text = text;
    auto* rich = AddControl<TRichEdit>(form, form, L"RichEdit1", {260, 160, 500, 300});
    rich->ScrollBars = ssVertical;
    rich->Text = text;
    auto* tree = add(new TTreeView(form), L"TreeView1", {510, 160, 740, 300});
    auto* list = add(new TListView(form), L"ListView1", {10, 310, 370, 450});
    list->AddColumn(L"题号", 60);
    list->AddColumn(L"题目", 260);
    for (int i = 1; i <= 30; ++i) list->AddItem(std::to_wstring(i), {L"遇到这种情况应当怎样行驶？"});
    auto* box = add(new TScrollBox(form), L"ScrollBox1", {380, 310, 560, 450});
    box->SetRange(300, 500);
    auto* boxLabel = AddControl<TCheckBox>(form, box, L"CheckBox3", {10, 10, 150, 27});
    boxLabel->Caption = L"滚动区里的选项";
    auto* tabs = add(new TTabControl(form), L"TabControl1", {570, 310, 740, 450});
    tabs->SetTabs({L"法规", L"信号", L"驾驶"});
    tabs->TabIndex = 1;
    auto* tabSet = add(new TTabSet(form), L"TabSet1", {10, 460, 370, 482});
    tabSet->SetTabs({L"全部", L"错题", L"收藏"});
    tabSet->TabIndex = 0;
    auto* toolBar = add(new TTBXToolbar(form), L"TBXToolbar1", {380, 460, 740, 490});
    auto* pages = add(new TPageControl(form), L"PageControl1", {10, 490, 370, 610});
    pages->AddPage(L"第一页");
    TTabSheet* sheet = pages->AddPage(L"第二页");
    AddControl<TCheckBox>(form, sheet, L"CheckBox4", {10, 10, 150, 27})->Caption = L"页上的选项";
    pages->TabIndex = 1;
    auto* date = add(new TDateTimePicker(form), L"DateTimePicker1", {380, 500, 540, 522});
    auto* time = add(new TDateTimePicker(form), L"DateTimePicker2", {550, 500, 740, 522});
    time->Kind = dtkTime;
    auto* bar = add(new TStatusBar(form), L"StatusBar1", {0, 0, 0, 0});
    for (int width : {200, 200}) bar->Panels->Add()->Width = width;
    bar->Panels->Items(0)->Text = L"每个控件一种";
    ShowSkinned(*form);
    for (int i = 0; i < 25; ++i) tree->Items->Add(nullptr, L"第" + std::to_wstring(i + 1) + L"节 交通信号");
    PumpFor(100);

    TWinSkinForm& s = *Skinned(form->Handle());
    EXPECT_TRUE(Has<TSkinBitButton>(s, bitBtn));
    EXPECT_TRUE(Has<TSkinComBox>(s, combo));
    EXPECT_TRUE(Has<TSkinEdit>(s, edit));
    EXPECT_TRUE(Has<TSkinUpDown>(s, spin));
    EXPECT_TRUE(Has<TSkinCheckBox>(s, check));
    EXPECT_TRUE(Has<TSkinRadioButton>(s, radio));
    EXPECT_TRUE(Has<TSkinBox>(s, group));
    EXPECT_TRUE(Has<TSkinRadioButton>(s, group->Button(0)));
    EXPECT_TRUE(Has<TSkinBox>(s, groupBox));
    EXPECT_TRUE(Has<TSkinCheckBox>(s, inner));
    EXPECT_TRUE(Has<TSkinBox>(s, panel));
    EXPECT_NE(s.FindGraphicSkinner(form->FindComponent(L"SpeedButton1") ? static_cast<TControl*>(
                                                                               form->FindComponent(L"SpeedButton1"))
                                                                         : nullptr),
              nullptr);
    EXPECT_TRUE(Has<TSkinTrackBar>(s, track));
    EXPECT_TRUE(Has<TSkinProgress>(s, progress));
    EXPECT_TRUE(Has<TSkinScrollBar>(s, memo));
    EXPECT_TRUE(Has<TSkinScrollBar>(s, rich));
    EXPECT_TRUE(Has<TSkinScrollBar>(s, tree));
    EXPECT_TRUE(Has<TSkinListView>(s, list));
    EXPECT_TRUE(Has<TSkinScControl>(s, box));
    EXPECT_TRUE(Has<TSkinCheckBox>(s, boxLabel));
    EXPECT_TRUE(Has<TSkinTab>(s, tabs));
    EXPECT_TRUE(Has<TSkinTab31>(s, tabSet));
    EXPECT_TRUE(Has<TSkinStatusBar>(s, bar));
    EXPECT_TRUE(Has<TSkinBox>(s, toolBar));
    EXPECT_TRUE(Has<TSkinTab>(s, pages));
    EXPECT_TRUE(Has<TSkinComBox>(s, date));
    EXPECT_TRUE(Has<TSkinEdit>(s, time));

    std::string dir = MUHE_SAMPLE_DIR;
    dir = dir.substr(0, dir.rfind('/')) + "/screenshots";
    std::filesystem::create_directories(dir);
    const std::vector<uint8_t> bmp = EncodeBmp(ScreenWindow(form->Handle()), 24);
    std::ofstream(dir + "/skinned-controls.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
    EXPECT_TRUE(std::filesystem::exists(dir + "/skinned-controls.bmp"));
}

}  // namespace
