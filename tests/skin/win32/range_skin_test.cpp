// Track bars, up-down controls and progress bars on a skinned form: the thumb, the arrow
// buttons and the bar drawn from the skin in each state, up-downs inside an edit, progress in
// both styles, and the skinners' resources over many attachments.
#include "skin/skin_test_support.h"
#include "skin/win32/control_dispatch.h"
#include "skin/win32/skin_edit.h"
#include "skin/win32/skin_range_controls.h"
#include "skin_window_support.h"
#include "ui/edit.h"
#include "ui/range_controls.h"

namespace {

constexpr TSkinControls kRangeControls{xcMainMenu, xcButton, xcProgress, xcEdit, xcSystemMenu};

class RangeSkinTest : public SkinTest {
protected:
    void MakeForm(TSkinControls controls = kRangeControls) {
        if (!skin_) MakeSkin(controls);
        form = new TestForm(L"滑块", 60, 60, 520, 300);
        track = Add<TTrackBar>(L"TrackBar1", {10, 10, 210, 55});
        track->Position = 3;
        upright = Add<TTrackBar>(L"TrackBar2", {220, 10, 265, 200});
        upright->Orientation = trVertical;
        upright->Position = 7;
        spin = Add<TUpDown>(L"UpDown1", {280, 10, 297, 40});
        spin->Max = 10;
        spin->Position = 4;
        sideways = Add<TUpDown>(L"UpDown2", {310, 10, 350, 30});
        sideways->Orientation = udHorizontal;
        spinEdit = Add<TEdit>(L"Edit1", {280, 60, 400, 84});
        // An up-down made inside the edit, as some spin edits are.
        inside = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 100, 0, 16, 20, spinEdit->Handle(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        progress = Add<TProgressBar>(L"ProgressBar1", {10, 220, 410, 240});
        progress->Position = 40;
        ShowSkinned(*form);
        skinned = Skinned(form->Handle());
    }
    template <class C>
    C* Add(const wchar_t* name, RECT r, int tag = 0) {
        return AddControl<C>(form, form, name, r, tag);
    }
    int ThumbDifferences(TTrackBar* t, const TDataSkinObject& part) const {
        RECT r{};
        SendMessageW(t->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
        const Bitmap32 face = PartFace(Content(), part, r.right - r.left, r.bottom - r.top, TSkinTrackBar::kThumbFrame);
        return Differences(Crop(ScreenWindow(t->Handle()), r), face);
    }
    // The up-down's two halves against frames of its part.
    int HalfDifferences(HWND h, const TDataSkinObject& part, bool horizontal, int half, int frame) const {
        RECT r{};
        GetWindowRect(h, &r);
        const int w = r.right - r.left, ht = r.bottom - r.top;
        const RECT area = horizontal ? (half == 0 ? RECT{0, 0, w / 2, ht} : RECT{w / 2, 0, w, ht})
                                     : (half == 0 ? RECT{0, 0, w, ht / 2} : RECT{0, ht / 2, w, ht});
        const Bitmap32 face = PartFace(Content(), part, area.right - area.left, area.bottom - area.top, frame);
        return Differences(Crop(ScreenWindow(h), area), face);
    }

    TestForm* form = nullptr;
    TWinSkinForm* skinned = nullptr;
    TTrackBar *track = nullptr, *upright = nullptr;
    TUpDown *spin = nullptr, *sideways = nullptr;
    TEdit* spinEdit = nullptr;
    HWND inside = nullptr;
    TProgressBar* progress = nullptr;
};

TEST_F(RangeSkinTest, TrackBarThumbsAreTheSkinsWhereverTheyStand) {
    MakeForm();
    ASSERT_NE(dynamic_cast<TSkinTrackBar*>(skinned->FindControlSkinner(track)), nullptr);
    EXPECT_EQ(ThumbDifferences(track, *Content().ThumbHorz), 0);
    EXPECT_EQ(ThumbDifferences(upright, *Content().ThumbVert), 0);
    // Moved by a key and from code, the thumb is drawn at its new place.
    track->SetFocus();
    PressKey(VK_RIGHT);
    PumpFor(30);
    EXPECT_EQ(track->Position.Get(), 4);
    EXPECT_EQ(ThumbDifferences(track, *Content().ThumbHorz), 0);
    upright->Position = 1;
    PumpFor(30);
    EXPECT_EQ(ThumbDifferences(upright, *Content().ThumbVert), 0);
    // The channel stays the control's own: the row through its middle is no thumb colour.
    RECT channel{};
    SendMessageW(track->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    EXPECT_GT(CountOther(ScreenWindow(track->Handle()), RECT{channel.left + 2, channel.top, channel.left + 8, channel.bottom},
                         ColourRefToPixel(Content().Colours.ButtonFace)),
              0);
}

TEST_F(RangeSkinTest, UpDownsShowTheirArrowsByStateAlsoInsideAnEdit) {
    MakeForm();
    HWND h = spin->Handle();
    const TDataSkinObject& vert = *Content().UpDownVert;
    EXPECT_EQ(HalfDifferences(h, vert, false, 0, 1), 0);
    EXPECT_EQ(HalfDifferences(h, vert, false, 1, 5), 0);
    EXPECT_EQ(HalfDifferences(sideways->Handle(), *Content().UpDownHorz, true, 0, 1), 0);
    EXPECT_EQ(HalfDifferences(sideways->Handle(), *Content().UpDownHorz, true, 1, 5), 0);
    // Over the upper button it is hot; pressed, the control steps and the button shows it.
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 3));
    PumpFor(20);
    EXPECT_EQ(HalfDifferences(h, vert, false, 0, 2), 0);
    EXPECT_EQ(HalfDifferences(h, vert, false, 1, 5), 0);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 3));
    PumpFor(20);
    EXPECT_EQ(spin->Position.Get(), 5);
    EXPECT_EQ(HalfDifferences(h, vert, false, 0, 3), 0);
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 3));
    PumpFor(20);
    EXPECT_EQ(HalfDifferences(h, vert, false, 0, 2), 0);
    SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    spin->Perform(CM_MOUSELEAVE);
    PumpFor(20);
    EXPECT_EQ(HalfDifferences(h, vert, false, 0, 1), 0);
    spin->Enabled = false;
    PumpFor(20);
    EXPECT_EQ(HalfDifferences(h, vert, false, 0, 4), 0);
    EXPECT_EQ(HalfDifferences(h, vert, false, 1, 8), 0);
    // The edit's own up-down is skinned with the edit.
    auto* edit = dynamic_cast<TSkinEdit*>(skinned->FindControlSkinner(spinEdit));
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(edit->UpDown(), nullptr);
    EXPECT_EQ(edit->UpDown()->Handle(), inside);
    EXPECT_EQ(HalfDifferences(inside, vert, false, 0, 1), 0);
    EXPECT_EQ(HalfDifferences(inside, vert, false, 1, 5), 0);
}

TEST_F(RangeSkinTest, TheProgressBarStretchesItsPartOverTheFilledShare) {
    MakeForm();
    HWND h = progress->Handle();
    auto* skinner = dynamic_cast<TSkinProgress*>(skinned->FindControlSkinner(progress));
    ASSERT_NE(skinner, nullptr);
    const int w = progress->Width, ht = progress->Height;
    auto expected = [&](int filled) {
        Bitmap32 face = PartFace(Content(), *Content().Progress, w, ht, 1);
        if (filled > 0) DrawPart(face, 0, 0, filled, ht, *Content().Progress, 2);
        return face;
    };
    EXPECT_EQ(skinner->FilledWidth(w), 160);  // 40 of 100
    EXPECT_EQ(Differences(ScreenWindow(h), expected(160)), 0);
    progress->Position = 100;
    PumpFor(30);
    EXPECT_EQ(Differences(ScreenWindow(h), expected(w)), 0);
    progress->Position = 0;
    PumpFor(30);
    EXPECT_EQ(Differences(ScreenWindow(h), expected(0)), 0);
    // A range that does not start at 0 fills from its minimum.
    progress->Min = 50;
    progress->Max = 150;
    progress->Position = 75;
    PumpFor(30);
    EXPECT_EQ(skinner->FilledWidth(w), 100);
    EXPECT_EQ(Differences(ScreenWindow(h), expected(100)), 0);
}

// A skin whose progress bar is a trough with chunks (Style 1).
std::vector<uint8_t> ChunkSkin() {
    Bitmap32 trough(30, 12, 0x405060);
    for (int x = 0; x < 30; ++x) trough.At(x, 0) = 0xFF00FF;  // the top row shows ButtonFace through
    Bitmap32 chunk(6, 8, 0x20A040);
    chunk.At(5, 3) = 0xFF00FF;
    return skintest::PackageOf("[Colours]\r\nButtonFace=236 241 247\r\n[Progress]\r\nBitmap=trough.bmp\r\nChunk=chunk.bmp\r\n"
                               "Style=1\r\nLeftWidth=3\r\n",
                               {{"trough.bmp", EncodeBmp(trough, 24)}, {"chunk.bmp", EncodeBmp(chunk, 24)}});
}

TEST_F(RangeSkinTest, TheChunkStyleRepeatsTheChunkFromTheLeftSlice) {
    MakeSkinFrom(ChunkSkin(), kRangeControls);
    MakeForm();
    const Bitmap32 shot = ScreenWindow(progress->Handle());
    const uint32_t face = ColourRefToPixel(Content().Colours.ButtonFace);
    const int ht = progress->Height, top = (ht - 8) / 2;
    EXPECT_EQ(CountOther(shot, RECT{0, 0, shot.width, 1}, face), 0) << "the trough's magenta shows the face";
    EXPECT_EQ(CountOther(shot, RECT{0, 2, 3, ht}, 0x405060), 0) << "left of the first chunk";
    // Chunks from x = 3 to the filled share (160), each with its magenta pixel left open.
    EXPECT_EQ(shot.At(3, top), 0x20A040u);
    EXPECT_EQ(shot.At(3 + 5, top + 3), 0x405060u);
    EXPECT_EQ(shot.At(9 + 5, top + 3), 0x405060u);
    EXPECT_EQ(shot.At(159, top), 0x20A040u);
    EXPECT_EQ(shot.At(160, top), 0x405060u);
    EXPECT_EQ(shot.At(3, top - 1), 0x405060u);
}

TEST_F(RangeSkinTest, TheMemberDecidesAndAttachingAHundredTimesKeepsNothing) {
    MakeForm({xcMainMenu, xcCombo, xcSystemMenu});
    for (TWinControl* c : std::initializer_list<TWinControl*>{track, upright, spin, sideways, progress, spinEdit})
        EXPECT_EQ(skinned->FindControlSkinner(c), nullptr) << c->Name;
    EXPECT_GT(ThumbDifferences(track, *Content().ThumbHorz), 10);
    for (auto [kind, control] : {std::pair<TSkinnerKind, TWinControl*>{TSkinnerKind::TrackBar, track},
                                 {TSkinnerKind::UpDown, spin},
                                 {TSkinnerKind::Progress, progress}}) {
        const TResourceGrowth growth = GrowthOver([&] {
            std::unique_ptr<TSkinControl> s = MakeSkinner(kind, *skinned, *skin_);
            s->Attach(*control, false);
            PaintNow(control->Handle());
            s->Detach();
        });
        EXPECT_EQ(growth.gdi, 0) << control->Name;
        EXPECT_EQ(growth.windows, 0) << control->Name;
    }
    // The edit and its up-down by window.
    const TResourceGrowth growth = GrowthOver([&] {
        std::unique_ptr<TSkinControl> s = MakeSkinner(TSkinnerKind::Edit, *skinned, *skin_);
        s->AttachHandle(spinEdit->Handle());
        PaintNow(spinEdit->Handle());
        s->Detach();
    });
    EXPECT_EQ(growth.gdi, 0);
    EXPECT_EQ(growth.windows, 0);
}

}  // namespace
