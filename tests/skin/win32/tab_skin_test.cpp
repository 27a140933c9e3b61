// Tab controls and tab sets on a skinned form: tabs on every side drawn from the Tabs part,
// turned to face away from the page, by state; the page's border; the up-down of a strip too
// long for its control; and the skinners' resources over many attachments.
#include "skin/win32/control_dispatch.h"
#include "skin/win32/skin_range_controls.h"
#include "skin/win32/skin_tab.h"
#include "skin_window_support.h"
#include "ui/tab_control.h"

namespace {

constexpr TSkinControls kTabControls{xcMainMenu, xcTab, xcSystemMenu};

class TabSkinTest : public SkinTest {
protected:
    void MakeForm(TSkinControls controls = kTabControls) {
        MakeSkin(controls);
        form = new TestForm(L"选项卡", 40, 40, 660, 440);
        const TTabPosition sides[4] = {tpTop, tpBottom, tpLeft, tpRight};
        const RECT places[4] = {{10, 10, 310, 150}, {330, 10, 630, 150}, {10, 160, 310, 330}, {330, 160, 630, 330}};
        for (int i = 0; i < 4; ++i) {
            tabs[i] = AddControl<TTabControl>(form, form, (L"TabControl" + std::to_wstring(i + 1)).c_str(), places[i]);
            tabs[i]->TabPosition = sides[i];
            tabs[i]->SetTabs({L"法规", L"信号", L"驾驶"});
            tabs[i]->TabIndex = 0;
        }
        crowded = AddControl<TTabControl>(form, form, L"TabControl5", {10, 340, 200, 400});
        crowded->SetTabs({L"第一章", L"第二章", L"第三章", L"第四章", L"第五章", L"第六章", L"第七章"});
        crowded->TabIndex = 0;
        set = AddControl<TTabSet>(form, form, L"TabSet1", {220, 360, 620, 382});
        set->SetTabs({L"全部", L"错题", L"收藏"});
        set->TabIndex = 1;
        ShowSkinned(*form);
        skinned = Skinned(form->Handle());
    }
    TSkinTab* SkinnerOf(TTabControl* t) const { return dynamic_cast<TSkinTab*>(skinned->FindControlSkinner(t)); }
    // Differences along a tab's outer end (three pixels deep, away from its caption).
    int OuterEndDifferences(TTabControl* t, int index, int frame) const {
        TSkinTab* s = SkinnerOf(t);
        const RECT r = s->TabRect(index);
        const TTabSide side = s->Side();
        const Bitmap32 face = RenderTab(r.right - r.left, r.bottom - r.top, *Content().Tabs, frame, side);
        const Bitmap32 shot = Crop(ScreenWindow(t->Handle()), r);
        const int w = face.width, h = face.height;
        const RECT end = side == TTabSide::Top      ? RECT{0, 0, w, 3}
                         : side == TTabSide::Bottom ? RECT{0, h - 3, w, h}
                         : side == TTabSide::Left   ? RECT{0, 0, 3, h}
                                                    : RECT{w - 3, 0, w, h};
        return Differences(Crop(shot, end), Crop(face, end));
    }

    TestForm* form = nullptr;
    TWinSkinForm* skinned = nullptr;
    TTabControl* tabs[4] = {};
    TTabControl* crowded = nullptr;
    TTabSet* set = nullptr;
};

TEST_F(TabSkinTest, TabsOnEverySideAreTheSkinsTurnedAwayFromThePage) {
    MakeForm();
    const TTabSide sides[4] = {TTabSide::Top, TTabSide::Bottom, TTabSide::Left, TTabSide::Right};
    for (int i = 0; i < 4; ++i) {
        TSkinTab* s = SkinnerOf(tabs[i]);
        ASSERT_NE(s, nullptr) << i;
        EXPECT_EQ(s->Side(), sides[i]);
        EXPECT_EQ(OuterEndDifferences(tabs[i], 0, 3), 0) << "selected, side " << i;
        EXPECT_EQ(OuterEndDifferences(tabs[i], 2, 1), 0) << "normal, side " << i;
        // The outer end is not the page end: the same strip of the unturned tab differs.
        if (i != 0) {
            const RECT r = s->TabRect(2);
            const Bitmap32 upright = RenderTab(r.right - r.left, r.bottom - r.top, *Content().Tabs, 1, TTabSide::Top);
            ASSERT_EQ(upright.width, r.right - r.left);
            EXPECT_GT(Differences(Crop(ScreenWindow(tabs[i]->Handle()), r), upright), 0) << i;
        }
    }
    // The page's border is the part's second image: its edge colour runs down the left side.
    TTabControl* top = tabs[0];
    RECT page{};
    GetClientRect(top->Handle(), &page);
    SendMessageW(top->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    InflateRect(&page, 4, 4);
    const Bitmap32 shot = ScreenWindow(top->Handle());
    const uint32_t edge = Content().Tabs->Image2.At(0, 8);
    EXPECT_EQ(CountOther(shot, RECT{page.left, page.top + 10, page.left + 1, page.bottom - 10}, edge), 0);

    // The mouse over a tab lights it; a click selects another.
    RECT third{};
    SendMessageW(top->Handle(), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&third));
    SendMessageW(top->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(third.left + 5, third.top + 5));
    PumpFor(30);
    EXPECT_EQ(SkinnerOf(top)->HotTab(), 2);
    EXPECT_EQ(OuterEndDifferences(top, 2, 2), 0);
    int changes = 0;
    top->OnChange = [&] { ++changes; };
    ClickAt(top->Handle(), third.left + 5, third.top + 5);
    PumpFor(40);
    EXPECT_EQ(top->TabIndex.Get(), 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(OuterEndDifferences(top, 2, 5), 0) << "selected and hot";
    EXPECT_EQ(OuterEndDifferences(top, 0, 1), 0);
    top->Perform(CM_MOUSELEAVE);
    SendMessageW(top->Handle(), WM_MOUSELEAVE, 0, 0);
    PumpFor(30);
    EXPECT_EQ(OuterEndDifferences(top, 2, 3), 0);
}

TEST_F(TabSkinTest, ACrowdedStripsUpDownAndTheTabSetAreSkinnedToo) {
    MakeForm();
    HWND upDown = FindWindowExW(crowded->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(upDown, nullptr) << "seven tabs do not fit";
    TSkinTab* s = SkinnerOf(crowded);
    ASSERT_NE(s, nullptr);
    ASSERT_NE(s->UpDown(), nullptr);
    EXPECT_EQ(s->UpDown()->Handle(), upDown);
    RECT r{};
    GetWindowRect(upDown, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const Bitmap32 shot = ScreenWindow(upDown);
    EXPECT_EQ(Differences(Crop(shot, RECT{0, 0, w / 2, h}), PartFace(Content(), *Content().UpDownHorz, w / 2, h, 1)), 0);
    EXPECT_EQ(Differences(Crop(shot, RECT{w / 2, 0, w, h}), PartFace(Content(), *Content().UpDownHorz, w - w / 2, h, 5)), 0);

    // The tab set: tabs hang below its top line, the selected one in frame 3.
    auto* set31 = dynamic_cast<TSkinTab31*>(skinned->FindControlSkinner(set));
    ASSERT_NE(set31, nullptr);
    RECT tab = set->TabRect(1);
    tab.top -= 1;
    const Bitmap32 face = RenderTab(tab.right - tab.left, tab.bottom - tab.top, *Content().Tabs, 3, TTabSide::Bottom);
    const Bitmap32 setShot = Crop(ScreenWindow(set->Handle()), tab);
    EXPECT_EQ(Differences(Crop(setShot, RECT{0, face.height - 3, face.width, face.height}),
                          Crop(face, RECT{0, face.height - 3, face.width, face.height})),
              0);
    // A click picks another tab and the skin follows.
    const RECT first = set->TabRect(0);
    ClickAt(set->Handle(), first.left + 10, first.bottom - 5);
    PumpFor(40);
    EXPECT_EQ(set->TabIndex.Get(), 0);
    RECT now = set->TabRect(0);
    now.top -= 1;
    const Bitmap32 selected = RenderTab(now.right - now.left, now.bottom - now.top, *Content().Tabs, 3, TTabSide::Bottom);
    const Bitmap32 nowShot = Crop(ScreenWindow(set->Handle()), now);
    EXPECT_EQ(Differences(Crop(nowShot, RECT{4, selected.height - 3, selected.width - 4, selected.height}),
                          Crop(selected, RECT{4, selected.height - 3, selected.width - 4, selected.height})),
              0);
}

TEST_F(TabSkinTest, WithoutTheMemberTabsKeepTheSystemLookAndAHundredAttachmentsKeepNothing) {
    MakeForm({xcMainMenu, xcCombo, xcSystemMenu});
    for (TWinControl* c : std::initializer_list<TWinControl*>{tabs[0], crowded, set})
        EXPECT_EQ(skinned->FindControlSkinner(c), nullptr) << c->Name;
    const TResourceGrowth byHandle = GrowthOver([&] {
        std::unique_ptr<TSkinControl> s = MakeSkinner(TSkinnerKind::Tab, *skinned, *skin_);
        s->AttachHandle(crowded->Handle());
        PaintNow(crowded->Handle());
        s->Detach();
    });
    EXPECT_EQ(byHandle.gdi, 0);
    EXPECT_EQ(byHandle.windows, 0);
    const TResourceGrowth tabSet = GrowthOver([&] {
        std::unique_ptr<TSkinControl> s = MakeSkinner(TSkinnerKind::Tab31, *skinned, *skin_);
        s->Attach(*set, false);
        PaintNow(set->Handle());
        s->Detach();
    });
    EXPECT_EQ(tabSet.gdi, 0);
    EXPECT_EQ(tabSet.windows, 0);
}

}  // namespace
