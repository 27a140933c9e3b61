// Speed buttons (controls without windows) on a skinned form: their faces drawn into the
// parent by state, groups that keep one button down, flat buttons, a button removed from
// the form, and the skinner's resources over many attachments.
#include "skin/win32/skin_speed_button.h"
#include "skin_window_support.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

namespace {

class SpeedButtonSkinTest : public SkinTest {
protected:
    void MakeForm(TSkinControls controls = {xcMainMenu, xcSpeedButton, xcSystemMenu}) {
        MakeSkin(controls);
        form = new TestForm(L"工具", 60, 60, 420, 200);
        panel = AddControl<TPanel>(form, form, L"Panel1", {10, 10, 400, 60});
        const wchar_t* captions[4] = {L"考", L"练", L"背", L"查"};
        for (int i = 0; i < 4; ++i) {
            buttons[i] = new TSpeedButton(form);
            buttons[i]->Name = L"SpeedButton" + std::to_wstring(i + 1);
            buttons[i]->Parent = panel;
            buttons[i]->SetBounds(10 + i * 60, 10, 50, 30);
            buttons[i]->Caption = captions[i];
        }
        buttons[1]->GroupIndex = 1;
        buttons[2]->GroupIndex = 1;
        buttons[1]->Down = true;
        buttons[3]->Flat = true;
        buttons[0]->OnClick = [this] { ++clicks; };
        ShowSkinned(*form);
        skinned = Skinned(form->Handle());
    }
    TSkinSpeedButton* SkinnerOf(TSpeedButton* b) const {
        return dynamic_cast<TSkinSpeedButton*>(skinned->FindGraphicSkinner(b));
    }
    // The button's top rows on screen against frame k of the Buttons part (0: flat, the face
    // colour only).
    int FaceDifferences(TSpeedButton* b, int frame) const {
        const RECT r = b->BoundsRect();
        const int w = r.right - r.left, h = r.bottom - r.top;
        const Bitmap32 face = frame ? PartFace(Content(), Content().Buttons, w, h, frame)
                                    : Bitmap32(w, h, ColourRefToPixel(Content().Colours.ButtonFace));
        RECT window{};
        GetWindowRect(panel->Handle(), &window);
        POINT origin{0, 0};
        ClientToScreen(panel->Handle(), &origin);
        const int dx = origin.x - window.left, dy = origin.y - window.top;
        const Bitmap32 shot = Crop(ScreenWindow(panel->Handle()), RECT{r.left + dx, r.top + dy, r.left + dx + w, r.top + dy + 4});
        return Differences(shot, Crop(face, RECT{0, 0, w, 4}));
    }
    void Mouse(UINT msg, TSpeedButton* b) {
        const RECT r = b->BoundsRect();
        SendMessageW(panel->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(r.left + 5, r.top + 5));
        PumpFor(30);
    }

    TestForm* form = nullptr;
    TWinSkinForm* skinned = nullptr;
    TPanel* panel = nullptr;
    TSpeedButton* buttons[4] = {};
    int clicks = 0;
};

TEST_F(SpeedButtonSkinTest, FacesByStateGroupsAndFlatButtons) {
    MakeForm();
    for (TSpeedButton* b : buttons) ASSERT_NE(SkinnerOf(b), nullptr) << b->Name;
    EXPECT_EQ(skinned->FindControlSkinner(panel), nullptr) << "the parent is no speed button";
    EXPECT_EQ(FaceDifferences(buttons[0], 1), 0);
    EXPECT_EQ(FaceDifferences(buttons[1], 2), 0) << "down";
    EXPECT_EQ(FaceDifferences(buttons[2], 1), 0);
    EXPECT_EQ(FaceDifferences(buttons[3], 0), 0) << "flat";
    // Hot, pressed, and a click.
    Mouse(WM_MOUSEMOVE, buttons[0]);
    EXPECT_EQ(FaceDifferences(buttons[0], 4), 0);
    Mouse(WM_LBUTTONDOWN, buttons[0]);
    EXPECT_EQ(SkinnerOf(buttons[0])->State(), 2);
    EXPECT_EQ(FaceDifferences(buttons[0], 2), 0);
    Mouse(WM_LBUTTONUP, buttons[0]);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(FaceDifferences(buttons[0], 4), 0);
    // The other button of the group goes down, the first one up.
    Mouse(WM_MOUSEMOVE, buttons[2]);
    EXPECT_EQ(FaceDifferences(buttons[0], 1), 0) << "the mouse left it";
    Mouse(WM_LBUTTONDOWN, buttons[2]);
    Mouse(WM_LBUTTONUP, buttons[2]);
    EXPECT_TRUE(buttons[2]->Down);
    EXPECT_FALSE(buttons[1]->Down);
    EXPECT_EQ(FaceDifferences(buttons[2], 2), 0);
    EXPECT_EQ(FaceDifferences(buttons[1], 1), 0);
    // A flat button shows its face only while the mouse is over it.
    Mouse(WM_MOUSEMOVE, buttons[3]);
    EXPECT_EQ(FaceDifferences(buttons[3], 4), 0);
    panel->Perform(CM_MOUSELEAVE);
    PumpFor(30);
    EXPECT_EQ(FaceDifferences(buttons[3], 0), 0);
    buttons[0]->Enabled = false;
    PumpFor(30);
    EXPECT_EQ(FaceDifferences(buttons[0], 3), 0) << "disabled";
}

TEST_F(SpeedButtonSkinTest, ARemovedButtonTakesItsSkinnerAlong) {
    MakeForm();
    const size_t before = skinned->ControlSkinners().size();
    FreeComponent(buttons[0]);
    buttons[0] = nullptr;
    EXPECT_EQ(skinned->ControlSkinners().size(), before - 1);
    // The parent goes on working and painting the others.
    PaintNow(panel->Handle());
    PumpFor(30);
    EXPECT_EQ(FaceDifferences(buttons[1], 2), 0);
    Mouse(WM_MOUSEMOVE, buttons[2]);
    EXPECT_EQ(FaceDifferences(buttons[2], 4), 0);
}

TEST_F(SpeedButtonSkinTest, WithoutTheMemberTheButtonsPaintThemselvesAndAHundredAttachmentsKeepNothing) {
    MakeForm({xcMainMenu, xcBitBtn, xcSystemMenu});
    for (TSpeedButton* b : buttons) EXPECT_EQ(skinned->FindGraphicSkinner(b), nullptr);
    EXPECT_GT(FaceDifferences(buttons[0], 1), 10);
    const TResourceGrowth growth = GrowthOver([&] {
        TSkinSpeedButton s(*skinned, *skin_);
        s.AttachGraphic(*buttons[0]);
        PaintNow(panel->Handle());
        s.Detach();
    });
    EXPECT_EQ(growth.gdi, 0);
    EXPECT_EQ(growth.windows, 0);
    PaintNow(panel->Handle());
    PumpFor(30);
    EXPECT_GT(FaceDifferences(buttons[0], 1), 10) << "let go, the button is its own again";
}

}  // namespace
