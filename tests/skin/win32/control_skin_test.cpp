// The control skinners on real windows: which controls of a form get one, and the faces of
// bitmap buttons, combo boxes, status bars and message-box buttons in each state.
#include "skin/win32/control_dispatch.h"
#include "skin/win32/skin_button.h"
#include "skin/win32/skin_check_box.h"
#include "skin/win32/skin_combo_box.h"
#include "skin/win32/skin_control.h"
#include "skin/win32/skin_edit.h"
#include "skin/win32/skin_status_bar.h"
#include "skin_window_support.h"
#include "ui/bit_btn.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/message_form.h"
#include "ui/panel.h"
#include "ui/status_bar.h"

namespace {

template <class C>
C* Add(TForm* form, const wchar_t* name, RECT r, int tag = 0) {
    auto* c = new C(form);
    c->Name = name;
    c->Tag = tag;
    c->Parent = form;
    c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return c;
}

class ControlSkinTest : public SkinTest {
protected:
    // A form with one control of each kind the program shows, and a few it does not skin.
    void MakeForm(TSkinControls controls = {xcMainMenu, xcCombo, xcBitBtn, xcStatusBar, xcTab, xcSystemMenu}) {
        MakeSkin(controls);
        form = new TestForm(L"控件", 60, 60, 420, 260);
        button = Add<TBitBtn>(form, L"BitBtn1", {10, 10, 130, 40});
        button->Caption = L"0模拟考试";
        button->OnClick = [this] { ++clicks; };
        other = Add<TBitBtn>(form, L"BitBtn2", {140, 10, 260, 40});
        other->Caption = L"1顺序练习";
        untouched = Add<TBitBtn>(form, L"BitBtn3", {270, 10, 390, 40}, 199);
        untouched->Caption = L"不换肤";
        combo = Add<TComboBox>(form, L"ComboBox1", {10, 60, 200, 82});
        combo->Items->Assign({L"第一章 道路交通安全法律法规", L"第二章 交通信号", L"第三章 安全行车"});
        combo->ItemIndex = 0;
        edit = Add<TEdit>(form, L"Edit1", {220, 60, 390, 82});
        panel = Add<TPanel>(form, L"Panel1", {10, 100, 200, 180});
        bar = new TStatusBar(form);
        bar->Name = L"StatusBar1";
        bar->Parent = form;
        for (int width : {120, 120, 100}) bar->Panels->Add()->Width = width;
        bar->Panels->Items(0)->Text = L"咨询电话";
        bar->Panels->Items(1)->Bevel = bvRaised;
        bar->Panels->Items(2)->Bevel = bvNone;
        bar->Panels->Items(2)->Text = L"右";
        bar->Panels->Items(2)->Alignment = taRightJustify;
        ShowSkinned(*form);
        skinned = Skinned(form->Handle());
    }

    // The face a skinner draws for a part frame at a control's size (ButtonFace under it).
    Bitmap32 Face(const TDataSkinObject& part, int w, int h, int frame) const {
        Bitmap32 face(w, h, ColourRefToPixel(Content().Colours.ButtonFace));
        DrawPart(face, 0, 0, w, h, part, frame);
        return face;
    }
    // Differences between the screen and a face along the control's top rows (where no text
    // lies).
    int TopRowDifferences(HWND hwnd, const Bitmap32& face, int rows = 4) const {
        const Bitmap32 shot = ScreenWindow(hwnd);
        return Differences(Crop(shot, RECT{0, 0, shot.width, rows}), Crop(face, RECT{0, 0, face.width, rows}));
    }
    int ButtonState(TBitBtn* b) const {
        return static_cast<TSkinButton*>(skinned->FindControlSkinner(b))->State();
    }
    int ButtonDifferences(TBitBtn* b, int frame) const {
        return TopRowDifferences(b->Handle(), Face(Content().Buttons, b->Width, b->Height, frame));
    }

    TestForm* form = nullptr;
    TWinSkinForm* skinned = nullptr;
    TBitBtn* button = nullptr;
    TBitBtn* other = nullptr;
    TBitBtn* untouched = nullptr;
    TComboBox* combo = nullptr;
    TEdit* edit = nullptr;
    TPanel* panel = nullptr;
    TStatusBar* bar = nullptr;
    int clicks = 0;
};

TEST_F(ControlSkinTest, TheProgramsMembersSkinBitButtonsCombosAndTheStatusBar) {
    MakeForm();
    EXPECT_NE(dynamic_cast<TSkinBitButton*>(skinned->FindControlSkinner(button)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinComBox*>(skinned->FindControlSkinner(combo)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinStatusBar*>(skinned->FindControlSkinner(bar)), nullptr);
    // Edits and panels keep the system look; Tag 199 is DisableTag 99 modulo 100.
    EXPECT_EQ(skinned->FindControlSkinner(edit), nullptr);
    EXPECT_EQ(skinned->FindControlSkinner(panel), nullptr);
    EXPECT_EQ(skinned->FindControlSkinner(untouched), nullptr);
    EXPECT_EQ(skinned->ControlSkinners().size(), 4u);
    // The skinned status bar has no size grip.
    EXPECT_FALSE(bar->SizeGrip);
    EXPECT_EQ(GetWindowLongPtrW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP, 0);
    // The skinned and the untouched button look different; the untouched one is not the skin.
    EXPECT_EQ(ButtonDifferences(button, ButtonState(button)), 0);
    EXPECT_GT(ButtonDifferences(untouched, 1), untouched->Width.Get());
    // Unskinning gives every control back.
    skinned->Unskin();
    EXPECT_TRUE(skinned->ControlSkinners().empty());
    PumpFor(60);
    EXPECT_GT(ButtonDifferences(button, 1), button->Width.Get());
    EXPECT_GT(ButtonDifferences(button, 4), button->Width.Get());
    Manager()->FormDestroyed(*skinned);  // let the manager forget the test's direct unskinning
}

TEST_F(ControlSkinTest, AMemberOffKeepsTheSystemLook) {
    MakeForm({xcMainMenu, xcCombo, xcSystemMenu});
    EXPECT_EQ(skinned->FindControlSkinner(button), nullptr);
    EXPECT_NE(skinned->FindControlSkinner(combo), nullptr);
    EXPECT_GT(ButtonDifferences(button, 1), button->Width.Get());
    EXPECT_GT(ButtonDifferences(button, 4), button->Width.Get());
    EXPECT_EQ(skinned->FindControlSkinner(bar), nullptr);
    EXPECT_TRUE(bar->SizeGrip) << "a status bar only loses its grip when it is skinned";
}

TEST_F(ControlSkinTest, WithEveryMemberEditsGetTheirFrameAndPanelsTheSkinsColour) {
    MakeForm(TSkinControls::Default());
    EXPECT_NE(dynamic_cast<TSkinEdit*>(skinned->FindControlSkinner(edit)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinBox*>(skinned->FindControlSkinner(panel)), nullptr);
    EXPECT_EQ(panel->Color.Get(), TColor(Content().Colours.ButtonFace));
    // The edit's sunken border becomes a ButtonShadow line with a white one inside.
    InvalidateRect(edit->Handle(), nullptr, TRUE);
    PumpFor(40);
    const Bitmap32 shot = ScreenWindow(edit->Handle());
    EXPECT_EQ(shot.At(0, 5), ColourRefToPixel(Content().Colours.ButtonShadow));
    EXPECT_EQ(shot.At(shot.width - 1, 5), ColourRefToPixel(Content().Colours.ButtonShadow));
    EXPECT_EQ(shot.At(1, 5), 0xFFFFFFu);
    // Unskinned, the panel has its colour back.
    skinned->Unskin();
    EXPECT_EQ(panel->Color.Get(), clBtnFace);
    Manager()->FormDestroyed(*skinned);
}

TEST_F(ControlSkinTest, BitButtonsShowNormalHotPressedFocusedAndDisabled) {
    MakeForm();
    other->SetFocus();
    PumpFor(40);
    HWND h = button->Handle();
    EXPECT_EQ(ButtonState(button), 1);
    EXPECT_EQ(ButtonDifferences(button, 1), 0);
    EXPECT_EQ(ButtonState(other), 4) << "focused";
    EXPECT_EQ(ButtonDifferences(other, 4), 0);
    // The mouse over it: hot; the other button, no longer focused once this one is pressed.
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    PumpFor(30);
    EXPECT_EQ(ButtonDifferences(button, 4), 0);
    PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    PumpFor(30);
    EXPECT_EQ(ButtonState(button), 2);
    EXPECT_EQ(ButtonDifferences(button, 2), 0) << "pressed";
    EXPECT_EQ(clicks, 0) << "a press alone is no click";
    EXPECT_EQ(GetFocus(), h);
    EXPECT_EQ(ButtonDifferences(other, 1), 0);
    PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    PumpFor(30);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ButtonDifferences(button, 4), 0) << "hot and focused again";
    // Let go outside: no click.
    PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(-30, 10));
    PumpFor(30);
    EXPECT_EQ(clicks, 1);
    // The mouse leaving ends the hot look (the focus stays, so frame 4 remains); the space
    // bar presses it and clicks it.
    PressKey(VK_SPACE);
    PumpFor(30);
    EXPECT_EQ(clicks, 2);
    other->SetFocus();
    button->Perform(CM_MOUSELEAVE);
    PumpFor(30);
    EXPECT_EQ(ButtonDifferences(button, 1), 0);
    button->Enabled = false;
    PumpFor(30);
    EXPECT_EQ(ButtonState(button), 3);
    EXPECT_EQ(ButtonDifferences(button, 3), 0) << "disabled";
    // Every state's face differs from the others, so the checks above tell them apart.
    for (int a = 1; a <= 4; ++a)
        for (int b = a + 1; b <= 4; ++b)
            EXPECT_GT(Differences(Face(Content().Buttons, 100, 4, a), Face(Content().Buttons, 100, 4, b)), 0) << a << b;
}

TEST_F(ControlSkinTest, TheComboShowsItsButtonClosedHotAndDropped) {
    MakeForm();
    HWND h = combo->Handle();
    auto* skinner = static_cast<TSkinComBox*>(skinned->FindControlSkinner(combo));
    RECT bounds{};
    GetWindowRect(h, &bounds);
    const int height = bounds.bottom - bounds.top;
    const RECT window{0, 0, combo->Width, height};
    const RECT r = skinner->ButtonRect(window);
    const TDataSkinBorder& part = *Content().ComboButton;
    auto buttonDifferences = [&](int frame) {
        // The button face without its arrow: the rows above the glyph.
        Bitmap32 face(r.right - r.left, r.bottom - r.top, ColourRefToPixel(Content().Colours.ButtonFace));
        DrawPart(face, 0, 0, face.width, face.height, part, frame);
        const Bitmap32 shot = Crop(ScreenWindow(h), r);
        return Differences(Crop(shot, RECT{0, 0, shot.width, 3}), Crop(face, RECT{0, 0, face.width, 3}));
    };
    other->SetFocus();
    PumpFor(40);
    EXPECT_EQ(skinner->State(), 1);
    EXPECT_EQ(buttonDifferences(1), 0) << "closed";
    // The sunken edge is the skin's, all round.
    const Bitmap32 edge = Face(*Content().SunkEdge, combo->Width, height, 1);
    const Bitmap32 shot = ScreenWindow(h);
    EXPECT_EQ(Differences(Crop(shot, RECT{0, 0, 2, height}), Crop(edge, RECT{0, 0, 2, height})), 0);
    combo->Perform(CM_MOUSEENTER);
    PumpFor(30);
    EXPECT_EQ(skinner->State(), 4);
    EXPECT_EQ(buttonDifferences(4), 0) << "hot";
    combo->Perform(CM_MOUSELEAVE);
    PumpFor(30);
    EXPECT_EQ(buttonDifferences(1), 0);
    // A click on the button drops the list: the button shows pressed while it is open.
    const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
    PumpFor(40);
    EXPECT_EQ(skinner->State(), 2);
    EXPECT_EQ(buttonDifferences(2), 0) << "dropped";
    SendMessageW(h, CB_SHOWDROPDOWN, FALSE, 0);
    PumpFor(40);
    EXPECT_NE(skinner->State(), 2);
    EXPECT_EQ(combo->ItemIndex.Get(), 0);
}

TEST_F(ControlSkinTest, StatusBarPanelsShowTheirBevelsAndTexts) {
    MakeForm();
    HWND h = bar->Handle();
    const Bitmap32 shot = ScreenWindow(h);
    const TDataSkinObject& part = *Content().StatusBarEdges;
    for (int i = 0; i < 3; ++i) {
        RECT r{};
        SendMessageW(h, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
        const int frame = i + 1;  // lowered, raised, none
        const Bitmap32 face = Face(part, r.right - r.left, r.bottom - r.top, frame);
        EXPECT_EQ(Differences(Crop(shot, RECT{r.left, r.top, r.right, r.top + 2}), Crop(face, RECT{0, 0, face.width, 2})), 0)
            << "panel " << i;
    }
    // The first panel's text is drawn left, the last panel's at its right end.
    const uint32_t ink = ColourRefToPixel(part.NormalColour2);
    RECT first{}, last{};
    SendMessageW(h, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageW(h, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&last));
    const int mid = (last.left + last.right) / 2;
    EXPECT_GT(CountNearColour(shot, RECT{first.left, first.top, first.left + 40, first.bottom}, ink, 64), 5);
    EXPECT_GT(CountNearColour(shot, RECT{mid, last.top, last.right, last.bottom}, ink, 64), 5);
    EXPECT_EQ(CountNearColour(shot, RECT{last.left, last.top, mid, last.bottom}, ink, 64), 0);
}

TEST_F(ControlSkinTest, APrintedButtonOrStatusBarShowsItsSkinnedFace) {
    // What WM_PRINTCLIENT paints (a parent printing its children, a window animated in) is
    // what the screen shows, not the system's face under the skin.
    MakeForm();
    for (HWND h : {button->Handle(), bar->Handle()}) {
        const Bitmap32 screen = ScreenWindow(h);
        const Bitmap32 printed = PrintClient(h);
        ASSERT_EQ(printed.width, screen.width);
        ASSERT_EQ(printed.height, screen.height);
        EXPECT_EQ(Differences(printed, screen), 0);
    }
}

TEST_F(ControlSkinTest, MessageBoxButtonsAndTheOkButtonOfShowMessageAreSkinned) {
    MakeForm();
    int buttonDifferences = -1;
    bool bitButton = false;
    int looks = 0;
    Application->SetBoxResponder([&](const TOpenBox& box) {
        TWinSkinForm* s = Skinned(box.Window);
        if (!s || s->LifeState() != lsSkinned) return kBoxNotYet;
        HWND ok = GetDlgItem(box.Window, IDOK);
        TSkinControl* skinner = ok ? s->FindControlSkinner(ok) : nullptr;
        if (!skinner) return IDOK;
        bitButton = dynamic_cast<TSkinBitButton*>(skinner) != nullptr;
        RECT r{};
        GetWindowRect(ok, &r);
        RedrawWindow(ok, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const int state = static_cast<TSkinButton*>(skinner)->State();
        buttonDifferences = TopRowDifferences(ok, Face(Content().Buttons, r.right - r.left, r.bottom - r.top, state));
        // The box's window reaches the screen a little after it is skinned: look again.
        if (buttonDifferences != 0 && ++looks < 50) return kBoxNotYet;
        looks = 0;
        return IDOK;
    });
    EXPECT_EQ(Application->MessageBox(L"确实要交卷吗？", L"提示", MB_OK), IDOK);
    EXPECT_EQ(buttonDifferences, 0) << "the system box's button";
    EXPECT_FALSE(bitButton);
    buttonDifferences = -1;
    ShowMessage(L"你的成绩为：90");
    EXPECT_EQ(buttonDifferences, 0) << "ShowMessage's OK button";
    EXPECT_TRUE(bitButton);
}

// A system dialog made from a template in memory: a check box, a radio button, a group box
// and a push button.
class DialogTemplate {
public:
    DialogTemplate() {
        Align();
        words_.resize(sizeof(DLGTEMPLATE) / 2);
        auto* t = reinterpret_cast<DLGTEMPLATE*>(words_.data());
        t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        t->cx = 180;
        t->cy = 90;
        words_.insert(words_.end(), {0, 0});  // no menu, the default class
        Text(L"系统对话框");
    }
    void Add(DWORD style, short x, short y, short cx, short cy, WORD id, const wchar_t* text) {
        Align();
        const size_t at = words_.size();
        words_.resize(at + sizeof(DLGITEMTEMPLATE) / 2);
        auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(&words_[at]);
        item->style = WS_CHILD | WS_VISIBLE | style;
        item->x = x;
        item->y = y;
        item->cx = cx;
        item->cy = cy;
        item->id = id;
        words_.insert(words_.end(), {0xFFFF, 0x0080});  // BUTTON
        Text(text);
        words_.push_back(0);  // no creation data
        ++reinterpret_cast<DLGTEMPLATE*>(words_.data())->cdit;
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Align() {
        if (words_.size() % 2) words_.push_back(0);
    }
    void Text(const wchar_t* text) {
        for (const wchar_t* c = text; *c; ++c) words_.push_back(WORD(*c));
        words_.push_back(0);
    }
    std::vector<WORD> words_;
};

INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

TEST_F(ControlSkinTest, APlainDialogsChildrenAreSkinnedByClass) {
    MakeSkin();
    DialogTemplate t;
    t.Add(BS_AUTOCHECKBOX | WS_TABSTOP, 10, 10, 100, 14, 101, L"选项");
    t.Add(BS_AUTORADIOBUTTON | WS_TABSTOP, 10, 28, 100, 14, 102, L"单选");
    t.Add(BS_GROUPBOX, 120, 4, 56, 40, 103, L"分组");
    t.Add(BS_DEFPUSHBUTTON | WS_TABSTOP, 60, 60, 50, 16, IDOK, L"确定");
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), nullptr, DialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    ASSERT_TRUE(PumpUntil([&] { return Skinned(dialog) && Skinned(dialog)->LifeState() == lsSkinned; }));
    PumpFor(60);
    TWinSkinForm* s = Skinned(dialog);
    HWND check = GetDlgItem(dialog, 101), radio = GetDlgItem(dialog, 102);
    auto* checkSkinner = dynamic_cast<TSkinCheckBox*>(s->FindControlSkinner(check));
    auto* radioSkinner = dynamic_cast<TSkinRadioButton*>(s->FindControlSkinner(radio));
    ASSERT_NE(checkSkinner, nullptr);
    ASSERT_NE(radioSkinner, nullptr);
    EXPECT_EQ(s->FindControlSkinner(GetDlgItem(dialog, 103)), nullptr) << "a group box is left alone";
    EXPECT_NE(dynamic_cast<TSkinButton*>(s->FindControlSkinner(GetDlgItem(dialog, IDOK))), nullptr);
    // The box shows the check image's frame for its state: 1, 2 when checked, +2 disabled.
    auto boxDifferences = [&](HWND h, TSkinCheckBox& skinner, const Bitmap32& image, int frames, int frame) {
        RECT window{};
        GetWindowRect(h, &window);
        const RECT box = skinner.BoxRect(RECT{0, 0, window.right - window.left, window.bottom - window.top});
        Bitmap32 expected(box.right - box.left, box.bottom - box.top, ColourRefToPixel(Content().Colours.ButtonFace));
        PaintFrame(expected, 0, 0, expected.width, expected.height, image, frames, frame, true);
        return Differences(Crop(ScreenWindow(h), box), expected);
    };
    const TDataSkinButton& b = Content().Buttons;
    EXPECT_EQ(checkSkinner->Frame(), 1);
    EXPECT_EQ(boxDifferences(check, *checkSkinner, b.CheckImage, b.CheckFrameCount, 1), 0);
    EXPECT_EQ(boxDifferences(radio, *radioSkinner, b.RadioImage, b.RadioFrameCount, 1), 0);
    SendMessageW(check, BM_CLICK, 0, 0);
    SendMessageW(radio, BM_CLICK, 0, 0);
    PumpFor(40);
    EXPECT_EQ(checkSkinner->Frame(), 2);
    EXPECT_EQ(boxDifferences(check, *checkSkinner, b.CheckImage, b.CheckFrameCount, 2), 0) << "checked";
    EXPECT_EQ(boxDifferences(radio, *radioSkinner, b.RadioImage, b.RadioFrameCount, 2), 0) << "chosen";
    EnableWindow(check, FALSE);
    PumpFor(40);
    EXPECT_EQ(checkSkinner->Frame(), 4);
    EXPECT_EQ(boxDifferences(check, *checkSkinner, b.CheckImage, b.CheckFrameCount, 4), 0) << "checked, disabled";
    DestroyWindow(dialog);
    PumpFor(40);
}

}  // namespace
