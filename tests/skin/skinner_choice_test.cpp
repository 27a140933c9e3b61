// Which skinner a control gets: the tag rules, Skin3rd kinds, the fixed table's order and
// members, and the classes of a system dialog's child windows.
#include <gtest/gtest.h>

#include "skin/skin3rd.h"
#include "skin/skinner_choice.h"

namespace {

const TSkinControls kProgram{xcMainMenu, xcCombo, xcBitBtn, xcStatusBar, xcTab, xcSystemMenu};

struct Rules {
    std::vector<std::string> lines = DefaultSkin3rd();
    TSkinnerRules rules;
    explicit Rules(TSkinControls controls = kProgram) {
        rules.controls = controls;
        rules.skin3rd = &lines;
        rules.hasTabsPart = true;
    }
    TSkinnerKind Kind(const TControlTraits& t) const { return ChooseSkinner(t, rules).kind; }
};

TControlTraits Control(const char* cls, void (*kind)(TControlTraits&) = nullptr, int tag = 0) {
    TControlTraits t;
    t.className = cls;
    t.tag = tag;
    if (kind) kind(t);
    return t;
}

TEST(SkinnerChoice, TheProgramsConfigurationSkinsOnlyCombosBitButtonsAndStatusBars) {
    const Rules program;
    EXPECT_EQ(program.Kind(Control("TComboBox", [](TControlTraits& t) { t.comboBox = true; })), TSkinnerKind::ComBox);
    EXPECT_EQ(program.Kind(Control("TBitBtn", [](TControlTraits& t) { t.bitBtn = true; })), TSkinnerKind::BitButton);
    const TSkinnerChoice bar = ChooseSkinner(Control("TStatusBar", [](TControlTraits& t) { t.statusBar = true; }), program.rules);
    EXPECT_EQ(bar.kind, TSkinnerKind::StatusBar);
    EXPECT_TRUE(bar.sizeGripOff);
    // Push buttons, edits, panels and tree views keep the system look.
    EXPECT_EQ(program.Kind(Control("TButton", [](TControlTraits& t) { t.button = true; })), TSkinnerKind::None);
    EXPECT_EQ(program.Kind(Control("TEdit", [](TControlTraits& t) { t.edit = true; })), TSkinnerKind::None);
    EXPECT_EQ(program.Kind(Control("TPanel", [](TControlTraits& t) { t.panel = true; })), TSkinnerKind::None);
    EXPECT_EQ(program.Kind(Control("TTreeView", [](TControlTraits& t) { t.treeView = true; })), TSkinnerKind::None);
    // A member off: the control keeps the system look.
    const Rules noCombo(TSkinControls(kProgram).Exclude(xcCombo));
    EXPECT_EQ(noCombo.Kind(Control("TComboBox", [](TControlTraits& t) { t.comboBox = true; })), TSkinnerKind::None);
}

TEST(SkinnerChoice, TagsModuloAHundredMarkKinds) {
    EXPECT_TRUE(DisabledByTag(99, 99));
    EXPECT_TRUE(DisabledByTag(199, 99));
    EXPECT_TRUE(DisabledByTag(2099, 99));
    EXPECT_FALSE(DisabledByTag(98, 99));
    EXPECT_FALSE(DisabledByTag(99, 98));
    const Rules all(TSkinControls::Default());
    EXPECT_EQ(all.Kind(Control("TPanel", nullptr, 95)), TSkinnerKind::ComBox);
    EXPECT_EQ(all.Kind(Control("TPanel", nullptr, 195)), TSkinnerKind::ComBox);
    EXPECT_EQ(all.Kind(Control("TWhatever", nullptr, 96)), TSkinnerKind::ScrollBar);
    EXPECT_EQ(all.Kind(Control("TWhatever", nullptr, 297)), TSkinnerKind::Edit);
    // 55 counts only as itself: 155 marks nothing.
    EXPECT_EQ(all.Kind(Control("TWhatever", nullptr, 55)), TSkinnerKind::ScrollBar);
    EXPECT_EQ(all.Kind(Control("TWhatever", nullptr, 155)), TSkinnerKind::None);
    // Tag 95 still needs the combo member.
    const Rules program;
    EXPECT_EQ(program.Kind(Control("TWhatever", nullptr, 95)), TSkinnerKind::ComBox);
    const Rules noCombo(TSkinControls::Default().Exclude(xcCombo));
    EXPECT_EQ(noCombo.Kind(Control("TWhatever", nullptr, 95)), TSkinnerKind::None);
}

TEST(SkinnerChoice, Skin3rdKindsDecideAndAMemberOffLeavesTheControlAlone) {
    const Rules all(TSkinControls::Default());
    // Class names match without regard to case; the kind's own capitals do not matter.
    EXPECT_EQ(all.Kind(Control("tlmdlistcombobox")), TSkinnerKind::ComBox);
    EXPECT_EQ(all.Kind(Control("TRzButton")), TSkinnerKind::Button);
    const TSkinnerChoice panel = ChooseSkinner(Control("TTBDock"), all.rules);
    EXPECT_EQ(panel.kind, TSkinnerKind::Box);
    EXPECT_TRUE(panel.recolour);
    EXPECT_TRUE(panel.transparent);
    const TSkinnerChoice group = ChooseSkinner(Control("TRzCheckGroup"), all.rules);
    EXPECT_EQ(group.childKind, TSkinnerKind::CheckBox);
    // A check group's boxes are skinned only with xcCheckBox.
    const Rules noCheck(TSkinControls::Default().Exclude(xcCheckBox));
    const TSkinnerChoice bare = ChooseSkinner(Control("TRzCheckGroup"), noCheck.rules);
    EXPECT_EQ(bare.kind, TSkinnerKind::Box);
    EXPECT_EQ(bare.childKind, TSkinnerKind::None);
    // Listed with a kind whose member is off: unskinned, even though the class is a combo box
    // the fixed table would have skinned.
    Rules program;
    const TControlTraits lmdEdit = Control("TLMDEDIT", [](TControlTraits& t) { t.comboBox = true; });
    const TSkinnerChoice off = ChooseSkinner(lmdEdit, program.rules);
    EXPECT_EQ(off.kind, TSkinnerKind::None);
    EXPECT_TRUE(off.fromSkin3rd);
    // The first line naming a class wins.
    program.lines.insert(program.lines.begin(), "TLMDEDIT=combobox");
    EXPECT_EQ(program.Kind(lmdEdit), TSkinnerKind::ComBox);
}

TEST(SkinnerChoice, TheFixedTableTakesTheFirstRowThatHolds) {
    const Rules all(TSkinControls::Default());
    // A status bar with scroll-bar styles is still a status bar (row m before row aa).
    EXPECT_EQ(all.Kind(Control("TStatusBar", [](TControlTraits& t) { t.statusBar = true; t.scrollBarStyle = true; })),
              TSkinnerKind::StatusBar);
    // A rich edit gets scroll bars before the edit row.
    EXPECT_EQ(all.Kind(Control("TRichEdit", [](TControlTraits& t) { t.edit = true; })), TSkinnerKind::ScrollBar);
    // A memo's scroll bars need xcScrollbar; without it the memo is an edit.
    const TControlTraits memo = Control("TMemo", [](TControlTraits& t) { t.memo = true; t.edit = true; });
    EXPECT_EQ(all.Kind(memo), TSkinnerKind::ScrollBar);
    EXPECT_EQ(Rules(TSkinControls::Default().Exclude(xcScrollbar)).Kind(memo), TSkinnerKind::Edit);
    // Tabs need the Tabs part as well as the member.
    Rules noTabs(TSkinControls::Default());
    noTabs.rules.hasTabsPart = false;
    EXPECT_EQ(noTabs.Kind(Control("TTabControl", [](TControlTraits& t) { t.tabControl = true; })), TSkinnerKind::None);
    EXPECT_EQ(all.Kind(Control("TTabControl", [](TControlTraits& t) { t.tabControl = true; })), TSkinnerKind::Tab);
    EXPECT_EQ(all.Kind(Control("TTabSet")), TSkinnerKind::Tab31);
    // Left alone and flattened classes.
    EXPECT_TRUE(ChooseSkinner(Control("TQRPreview"), all.rules).leaveAlone);
    const TSkinnerChoice toolbar = ChooseSkinner(Control("TToolBar"), all.rules);
    EXPECT_TRUE(toolbar.makeFlat && toolbar.colourButtonFace && !toolbar.Skinned());
    // A date-time picker: the time kind is an edit, the date kind a combo box.
    EXPECT_EQ(all.Kind(Control("TDateTimePicker", [](TControlTraits& t) { t.dateTimeTimeKind = true; })), TSkinnerKind::Edit);
    EXPECT_EQ(all.Kind(Control("TDateTimePicker")), TSkinnerKind::ComBox);
    // Panels and embedded forms are containers.
    const TSkinnerChoice panel = ChooseSkinner(Control("TPanel", [](TControlTraits& t) { t.panel = true; }), all.rules);
    EXPECT_TRUE(panel.recurse && panel.recolour);
    EXPECT_EQ(panel.kind, TSkinnerKind::Box);
    EXPECT_TRUE(ChooseSkinner(Control("TFrameForm", [](TControlTraits& t) { t.form = true; }), all.rules).recurse);
}

TEST(SkinnerChoice, PlainWindowsGoByClassAndStyle) {
    EXPECT_EQ(ChoosePlainSkinner(L"Button", 0x00), TSkinnerKind::Button);      // push button
    EXPECT_EQ(ChoosePlainSkinner(L"BUTTON", 0x01), TSkinnerKind::Button);      // default push button
    EXPECT_EQ(ChoosePlainSkinner(L"button", 0x07), TSkinnerKind::None);        // group box
    EXPECT_EQ(ChoosePlainSkinner(L"button", 0x03), TSkinnerKind::CheckBox);    // automatic check box
    EXPECT_EQ(ChoosePlainSkinner(L"button", 0x06), TSkinnerKind::CheckBox);    // automatic three-state
    EXPECT_EQ(ChoosePlainSkinner(L"button", 0x09), TSkinnerKind::RadioButton); // automatic radio
    EXPECT_EQ(ChoosePlainSkinner(L"button", 0x04), TSkinnerKind::RadioButton);
    EXPECT_EQ(ChoosePlainSkinner(L"ComboBox", 0x03), TSkinnerKind::ComBox);
    EXPECT_EQ(ChoosePlainSkinner(L"ComboBox", 0x01), TSkinnerKind::None);      // simple style
    EXPECT_EQ(ChoosePlainSkinner(L"SysTabControl32", 0x2000), TSkinnerKind::None);
    EXPECT_EQ(ChoosePlainSkinner(L"Edit", 0), TSkinnerKind::Edit);
    EXPECT_EQ(ChoosePlainSkinner(L"ScrollBar", 0), TSkinnerKind::Sizer);
    EXPECT_EQ(ChoosePlainSkinner(L"Static", 0), TSkinnerKind::None);
}

}  // namespace
