// Check boxes, radio buttons and the boxes around them on a skinned form: the skin's box in
// the frame of each state, groups whose buttons follow their members, and the skinners'
// resources over many attachments.
#include "skin/win32/control_dispatch.h"
#include "skin/win32/skin_check_box.h"
#include "skin/win32/skin_edit.h"
#include "skin_window_support.h"
#include "ui/check_box.h"
#include "ui/group_box.h"
#include "ui/panel.h"

namespace {

// A group of check boxes of another vendor's, known to the skin through Skin3rd only.
class TRzCheckGroup : public TGroupBox {
public:
    using TGroupBox::TGroupBox;
    std::wstring ClassName() const override { return L"TRzCheckGroup"; }
};

constexpr TSkinControls kButtonControls{xcMainMenu, xcCheckBox, xcRadioButton, xcPanel, xcSystemMenu};

class CheckBoxSkinTest : public SkinTest {
protected:
    void MakeForm(TSkinControls controls = kButtonControls) {
        MakeSkin(controls);
        form = new TestForm(L"选项", 60, 60, 520, 300);
        plainBox = Add<TCheckBox>(L"CheckBox1", {10, 10, 160, 27});
        checkedBox = Add<TCheckBox>(L"CheckBox2", {10, 35, 160, 52});
        checkedBox->Checked = true;
        greyBox = Add<TCheckBox>(L"CheckBox3", {10, 60, 160, 77});
        greyBox->AllowGrayed = true;
        greyBox->State = cbGrayed;
        offBox = Add<TCheckBox>(L"CheckBox4", {10, 85, 160, 102});
        offBox->Checked = true;
        offBox->Enabled = false;
        leftBox = Add<TCheckBox>(L"CheckBox5", {10, 110, 160, 127});
        leftBox->Alignment = taLeftJustify;
        untouched = Add<TCheckBox>(L"CheckBox6", {10, 135, 160, 152}, 299);
        for (TCheckBox* b : {plainBox, checkedBox, greyBox, offBox, leftBox, untouched}) b->Caption = L"显示答案";
        radio1 = Add<TRadioButton>(L"RadioButton1", {10, 170, 160, 187});
        radio2 = Add<TRadioButton>(L"RadioButton2", {10, 195, 160, 212});
        radio1->Caption = L"顺序";
        radio2->Caption = L"随机";
        radio2->Checked = true;
        group = Add<TRadioGroup>(L"RadioGroup1", {180, 10, 340, 120});
        group->Caption = L"科目";
        group->SetItems({L"科目一", L"科目二", L"科目三"});
        group->ItemIndex = 1;
        groupBox = Add<TGroupBox>(L"GroupBox1", {180, 130, 340, 220});
        groupBox->Caption = L"设置";
        inner = AddControl<TCheckBox>(form, groupBox, L"CheckBox7", {10, 30, 140, 47});
        inner->Caption = L"声音";
        checkGroup = Add<TRzCheckGroup>(L"RzCheckGroup1", {350, 10, 510, 120});
        for (int i = 0; i < 2; ++i) {
            auto* c = new TCheckBox(checkGroup);  // owned by the group, as its items are
            c->Parent = checkGroup;
            c->SetBounds(10, 30 + 25 * i, 140, 17);
            c->Caption = i == 0 ? L"图片" : L"提示";
            groupItems[i] = c;
        }
        skin_->SetSkin3rd({"TRzCheckGroup=CheckGroup"});
        ShowSkinned(*form);
        skinned = Skinned(form->Handle());
    }
    template <class C>
    C* Add(const wchar_t* name, RECT r, int tag = 0) {
        return AddControl<C>(form, form, name, r, tag);
    }
    TSkinCheckBox* SkinnerOf(TWinControl* c) const { return dynamic_cast<TSkinCheckBox*>(skinned->FindControlSkinner(c)); }
    // Pixels where the control's box differs from frame k of its image (over ButtonFace).
    int BoxDifferences(TWinControl* c, bool radio, int frame) const {
        TSkinCheckBox* s = SkinnerOf(c);
        if (!s) return -1;
        const TDataSkinButton& b = Content().Buttons;
        const Bitmap32& image = radio ? b.RadioImage : b.CheckImage;
        const PixelRect f = FrameOf(image, radio ? b.RadioFrameCount : b.CheckFrameCount, frame, FrameLayout::SideBySide);
        Bitmap32 expected(f.width, f.height, ColourRefToPixel(Content().Colours.ButtonFace));
        StretchCopy(expected, 0, 0, f.width, f.height, image, f.x, f.y, f.width, f.height, true);
        const RECT box = s->BoxRect(RECT{0, 0, c->Width, c->Height});
        return Differences(Crop(ScreenWindow(c->Handle()), box), expected);
    }

    TestForm* form = nullptr;
    TWinSkinForm* skinned = nullptr;
    TCheckBox *plainBox = nullptr, *checkedBox = nullptr, *greyBox = nullptr, *offBox = nullptr, *leftBox = nullptr,
              *untouched = nullptr, *inner = nullptr;
    TCheckBox* groupItems[2] = {};
    TRadioButton *radio1 = nullptr, *radio2 = nullptr;
    TRadioGroup* group = nullptr;
    TGroupBox* groupBox = nullptr;
    TRzCheckGroup* checkGroup = nullptr;
};

TEST_F(CheckBoxSkinTest, BoxesShowTheSkinsFrameForEachState) {
    MakeForm();
    ASSERT_NE(SkinnerOf(plainBox), nullptr);
    EXPECT_EQ(SkinnerOf(untouched), nullptr) << "Tag 299 is DisableTag 99";
    EXPECT_NE(dynamic_cast<TSkinRadioButton*>(SkinnerOf(radio1)), nullptr);
    // Unchecked, checked, grey, disabled and checked; the left-text box sits at the right.
    EXPECT_EQ(SkinnerOf(plainBox)->Frame(), 1);
    EXPECT_EQ(SkinnerOf(checkedBox)->Frame(), 2);
    EXPECT_EQ(SkinnerOf(greyBox)->Frame(), 4);
    EXPECT_EQ(SkinnerOf(offBox)->Frame(), 4);
    for (auto [box, frame] : {std::pair{plainBox, 1}, {checkedBox, 2}, {greyBox, 4}, {offBox, 4}, {leftBox, 1}})
        EXPECT_EQ(BoxDifferences(box, false, frame), 0) << box->Name;
    const RECT right = SkinnerOf(leftBox)->BoxRect(RECT{0, 0, leftBox->Width, leftBox->Height});
    EXPECT_GE(right.left, leftBox->Width - 14);
    const RECT left = SkinnerOf(plainBox)->BoxRect(RECT{0, 0, plainBox->Width, plainBox->Height});
    EXPECT_LT(left.right, 15);
    EXPECT_EQ((left.top + left.bottom) / 2, plainBox->Height / 2) << "vertically centred";
    // The system's box is covered: ButtonFace right of the skin's box, not its frame.
    const Bitmap32 shot = ScreenWindow(plainBox->Handle());
    EXPECT_EQ(CountOther(shot, RECT{left.right, left.top, 14, left.bottom}, ColourRefToPixel(Content().Colours.ButtonFace)), 0);
    // The disabled-tag box keeps the system's look.
    EXPECT_NE(Differences(Crop(ScreenWindow(untouched->Handle()), left), Crop(shot, left)), 0);

    // A click checks the box, and the skin shows it at once; so does BM_SETCHECK from code.
    ClickAt(plainBox->Handle(), 5, 8);
    PumpFor(30);
    EXPECT_TRUE(plainBox->Checked);
    EXPECT_EQ(BoxDifferences(plainBox, false, 2), 0);
    SendMessageW(plainBox->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    PumpFor(30);
    EXPECT_EQ(BoxDifferences(plainBox, false, 1), 0);
    plainBox->Enabled = false;
    PumpFor(30);
    EXPECT_EQ(BoxDifferences(plainBox, false, 3), 0) << "disabled, unchecked";

    // Radio buttons: a click moves the dot from one to the other.
    EXPECT_EQ(BoxDifferences(radio2, true, 2), 0);
    EXPECT_EQ(BoxDifferences(radio1, true, 1), 0);
    ClickAt(radio1->Handle(), 5, 8);
    PumpFor(40);
    EXPECT_TRUE(radio1->Checked);
    EXPECT_FALSE(radio2->Checked);
    EXPECT_EQ(BoxDifferences(radio1, true, 2), 0);
    EXPECT_EQ(BoxDifferences(radio2, true, 1), 0);
}

TEST_F(CheckBoxSkinTest, GroupsAreBoxesAndTheirButtonsFollowTheirMembers) {
    MakeForm();
    const TColor face = TColor(Content().Colours.ButtonFace);
    // A radio group: the box recoloured, each button skinned and off its parent's colour.
    EXPECT_NE(dynamic_cast<TSkinBox*>(skinned->FindControlSkinner(group)), nullptr);
    EXPECT_EQ(group->Color.Get(), face);
    for (int i = 0; i < group->ItemCount(); ++i) {
        TRadioButton* b = group->Button(i);
        EXPECT_NE(dynamic_cast<TSkinRadioButton*>(SkinnerOf(b)), nullptr) << i;
        EXPECT_FALSE(b->ParentColor) << i;
        EXPECT_EQ(b->Color.Get(), face) << i;
    }
    EXPECT_EQ(BoxDifferences(group->Button(1), true, 2), 0);
    // A group box is a box, and the check box in it is reached as well.
    EXPECT_NE(dynamic_cast<TSkinBox*>(skinned->FindControlSkinner(groupBox)), nullptr);
    EXPECT_EQ(groupBox->Color.Get(), face);
    EXPECT_NE(SkinnerOf(inner), nullptr);
    // A check group known through Skin3rd: its boxes skinned too.
    EXPECT_NE(dynamic_cast<TSkinBox*>(skinned->FindControlSkinner(checkGroup)), nullptr);
    for (TCheckBox* c : groupItems) EXPECT_EQ(BoxDifferences(c, false, 1), 0) << c->Caption.Get();
    // Unskinned, every box has its colour back and the check boxes their system look.
    const RECT box = SkinnerOf(checkedBox)->BoxRect(RECT{0, 0, checkedBox->Width, checkedBox->Height});
    const Bitmap32 skinnedBox = Crop(ScreenWindow(checkedBox->Handle()), box);
    skinned->Unskin();
    PumpFor(40);
    EXPECT_EQ(group->Color.Get(), clBtnFace);
    EXPECT_EQ(groupBox->Color.Get(), clBtnFace);
    EXPECT_GT(Differences(Crop(ScreenWindow(checkedBox->Handle()), box), skinnedBox), 20);
    Manager()->FormDestroyed(*skinned);
}

TEST_F(CheckBoxSkinTest, WithoutTheMembersTheButtonsKeepTheSystemLook) {
    // Panels only: the groups are boxes, but no button in them is skinned.
    MakeForm({xcMainMenu, xcPanel, xcSystemMenu});
    EXPECT_NE(skinned->FindControlSkinner(checkGroup), nullptr);
    EXPECT_NE(skinned->FindControlSkinner(group), nullptr);
    for (TWinControl* c : std::initializer_list<TWinControl*>{plainBox, radio1, groupItems[0], groupItems[1],
                                                              group->Button(0), inner})
        EXPECT_EQ(skinned->FindControlSkinner(c), nullptr) << c->Name;
}

TEST_F(CheckBoxSkinTest, AttachingAndDetachingAHundredTimesKeepsNothing) {
    MakeForm();
    for (auto [kind, control] : {std::pair<TSkinnerKind, TWinControl*>{TSkinnerKind::CheckBox, untouched},
                                 {TSkinnerKind::RadioButton, radio1},
                                 {TSkinnerKind::Box, groupBox}}) {
        const TColor before = control->Color;
        const TResourceGrowth growth = GrowthOver([&] {
            std::unique_ptr<TSkinControl> s = MakeSkinner(kind, *skinned, *skin_);
            s->Attach(*control, true);
            PaintNow(control->Handle());
            s->Detach();
        });
        EXPECT_EQ(growth.gdi, 0) << control->Name;
        EXPECT_EQ(growth.windows, 0) << control->Name;
        EXPECT_EQ(control->Color.Get(), before) << control->Name;
    }
}

}  // namespace
