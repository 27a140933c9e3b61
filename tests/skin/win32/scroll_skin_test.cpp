// Skinned scroll bars on real controls: the bars' faces by state, a thumb drag that scrolls
// exactly as the system's own bar does, list views with their headers, scrolling containers,
// and the skinners' resources over many attachments.
#include <algorithm>
#include <string>
#include <vector>

// The tree's header comes before windowsx.h, whose GetNextSibling macro it would meet.
#include "ui/tree_view.h"

#include "skin/win32/control_dispatch.h"
#include "skin/win32/skin_scroll_bar.h"
#include "skin_window_support.h"
#include "ui/list_view.h"
#include "ui/memo.h"
#include "ui/scroll_box.h"

namespace {

constexpr TSkinControls kScrollControls{xcMainMenu, xcScrollbar, xcSystemMenu};

std::wstring Lines(int count) {
    std::wstring text;
    for (int i = 1; i <= count; ++i) text += L"第" + std::to_wstring(i) + L"行 道路交通安全法\r\n";
    return text;
}

// The WM_VSCROLL / WM_HSCROLL requests a control receives, as "code:position".
struct ScrollLog {
    std::vector<std::string> entries;
    TWndHookToken token = 0;
    TWinControl* control = nullptr;
    void Watch(TWinControl& c) {
        control = &c;
        token = c.HookWindowProc([this](TMessage& m, const TWndNext& next) {
            if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) {
                const int code = LOWORD(m.WParam);
                entries.push_back((m.Msg == WM_VSCROLL ? "v" : "h") + std::to_string(code) + ":" +
                                  std::to_string(code == SB_THUMBTRACK || code == SB_THUMBPOSITION ? HIWORD(m.WParam) : 0));
            }
            next(m);
        });
    }
    ~ScrollLog() {
        if (control && token) control->UnhookWindowProc(token);
    }
};

class ScrollSkinTest : public SkinTest {
protected:
    void MakeForm(TSkinControls controls = kScrollControls) {
        MakeSkin(controls);
        form = new TestForm(L"滚动条", 40, 40, 640, 420);
        plain = AddControl<TMemo>(form, form, L"Memo1", {10, 10, 200, 210}, 99);
        memo = AddControl<TMemo>(form, form, L"Memo2", {220, 10, 410, 210});
        for (TMemo* m : {plain, memo}) {
            m->ScrollBars = ssBoth;
            m->Text = Lines(120);
        }
        list = AddControl<TListView>(form, form, L"ListView1", {420, 10, 630, 210});
        list->AddColumn(L"题号", 60);
        list->AddColumn(L"内容", 200);
        for (int i = 1; i <= 60; ++i) list->AddItem(std::to_wstring(i), {L"交通信号灯"});
        box = AddControl<TScrollBox>(form, form, L"ScrollBox1", {10, 220, 200, 410});
        box->SetRange(400, 900);
        tree = AddControl<TTreeView>(form, form, L"TreeView1", {220, 220, 410, 410});
        ShowSkinned(*form);
        skinned = Skinned(form->Handle());
        for (int i = 0; i < 40; ++i) tree->Items->Add(nullptr, L"第" + std::to_wstring(i + 1) + L"节");
    }
    TSkinScrollBar* SkinnerOf(TWinControl* c) const {
        return dynamic_cast<TSkinScrollBar*>(skinned->FindControlSkinner(c));
    }
    // The system's own thumb of a bar, along the bar from its start.
    static std::pair<int, int> SystemThumb(HWND h, LONG object) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        GetScrollBarInfo(h, object, &info);
        return {info.xyThumbTop, info.xyThumbBottom};
    }
    // Presses the vertical thumb (window point x, y), drags it through the offsets along the
    // bar and lets go, with the messages the mouse would give the captured window.
    static void DragThumb(HWND h, POINT at, const std::vector<POINT>& path) {
        RECT window{};
        GetWindowRect(h, &window);
        POINT origin{0, 0};
        ClientToScreen(h, &origin);
        PostMessageW(h, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(window.left + at.x, window.top + at.y));
        auto client = [&](POINT p) {
            return MAKELPARAM(window.left + p.x - origin.x, window.top + p.y - origin.y);
        };
        for (POINT p : path) PostMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, client(p));
        PostMessageW(h, WM_LBUTTONUP, 0, client(path.back()));
        PumpFor(150);
    }

    TestForm* form = nullptr;
    TWinSkinForm* skinned = nullptr;
    TMemo* plain = nullptr;
    TMemo* memo = nullptr;
    TListView* list = nullptr;
    TScrollBox* box = nullptr;
    TTreeView* tree = nullptr;
};

TEST_F(ScrollSkinTest, AThumbDragScrollsAsTheSystemsOwnBarDoes) {
    MakeForm();
    ASSERT_NE(SkinnerOf(memo), nullptr);
    ASSERT_EQ(SkinnerOf(plain), nullptr);
    TSkinScrollBar* skinner = SkinnerOf(memo);
    // The skinned thumb lies where the system's would, at any position.
    for (int pos : {0, 10, 37, 80, 200}) {
        SetScrollPos(plain->Handle(), SB_VERT, pos, FALSE);
        SetScrollPos(memo->Handle(), SB_VERT, pos, FALSE);
        const TScrollLayout layout = skinner->Layout(SB_VERT);
        const auto system = SystemThumb(plain->Handle(), OBJID_VSCROLL);
        EXPECT_EQ(layout.thumbStart, system.first) << pos;
        EXPECT_EQ(layout.thumbStart + layout.thumbLength, system.second) << pos;
    }
    // Only the bars moved, not the text: both go back where the text is.
    for (TMemo* m : {plain, memo}) SetScrollPos(m->Handle(), SB_VERT, 0, TRUE);
    PumpFor(30);

    const RECT bar = skinner->BarRect(SB_VERT);
    const TScrollLayout layout = skinner->Layout(SB_VERT);
    const int x = (bar.left + bar.right) / 2, y = bar.top + layout.thumbStart + layout.thumbLength / 2;
    // Small and large steps, past the end, too far beside the bar (the thumb goes back to
    // where it started) and back; every pixel near the end of the track.
    std::vector<POINT> path;
    for (int dy : {1, 2, 5, 9, 17, 30, 31, 55, 80, 120, 400, 60, 33}) path.push_back(POINT{x, y + dy});
    path.push_back(POINT{x + 300, y + 40});
    path.push_back(POINT{x + 5, y + 45});
    for (int dy = 118; dy < 142; ++dy) path.push_back(POINT{x, y + dy});
    path.push_back(POINT{x, y + 70});
    ScrollLog plainLog, skinnedLog;
    plainLog.Watch(*plain);
    skinnedLog.Watch(*memo);
    DragThumb(plain->Handle(), POINT{x, y}, path);
    DragThumb(memo->Handle(), POINT{x, y}, path);
    ASSERT_GT(plainLog.entries.size(), path.size());
    EXPECT_EQ(skinnedLog.entries, plainLog.entries);
    EXPECT_EQ(memo->TopLine(), plain->TopLine());
    EXPECT_GT(memo->TopLine(), 40);
    EXPECT_EQ(GetScrollPos(memo->Handle(), SB_VERT), GetScrollPos(plain->Handle(), SB_VERT));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(skinner->Dragging());
}

// Arrows and thumb where the system puts its own, for both bars, over ranges (offset and
// negative ones too), pages from none to more than the range, positions at and past both
// ends, and bars from roomy to too short for a thumb.
TEST_F(ScrollSkinTest, TheLayoutIsTheSystemsOverRangesPagesPositionsAndLengths) {
    MakeForm();
    TSkinScrollBar* skinner = SkinnerOf(memo);
    HWND h = memo->Handle();
    struct Range {
        int min, max;
    };
    std::vector<std::string> misses;
    int cases = 0;
    for (SIZE size : {SIZE{190, 200}, SIZE{97, 83}, SIZE{64, 60}, SIZE{57, 56}, SIZE{45, 44}, SIZE{30, 30}}) {
        SetWindowPos(h, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        for (int bar : {SB_HORZ, SB_VERT}) {
            for (Range r : {Range{0, 0}, Range{0, 9}, Range{0, 120}, Range{5, 1000}, Range{-50, 50}, Range{0, 100000}}) {
                const int span = r.max - r.min + 1;
                for (int page : {0, 1, 7, 11, span / 3, span - 1, span, span + 5}) {
                    const int last = r.max - std::max(page - 1, 0);
                    for (int pos : {r.min, r.min + 1, (r.min + last) / 2, last - 1, last, r.max}) {
                        SCROLLINFO set{sizeof(set), SIF_ALL | SIF_DISABLENOSCROLL, r.min, r.max, UINT(std::max(page, 0)),
                                       pos, 0};
                        SetScrollInfo(h, bar, &set, FALSE);
                        SCROLLBARINFO system{};
                        system.cbSize = sizeof(system);
                        ASSERT_TRUE(GetScrollBarInfo(h, bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &system));
                        const TScrollLayout l = skinner->Layout(bar);
                        const int thumbEnd = l.HasThumb() ? l.thumbStart + l.thumbLength : l.thumbStart;
                        const bool systemThumb = system.xyThumbBottom > system.xyThumbTop;
                        ++cases;
                        // (Wine's dxyLineButton holds the thumb's length, so the arrows are
                        // compared through the thumb's start at the first position.)
                        if (l.HasThumb() != systemThumb ||
                            (systemThumb && (l.thumbStart != system.xyThumbTop || thumbEnd != system.xyThumbBottom)))
                            misses.push_back((bar == SB_VERT ? "v " : "h ") + std::to_string(size.cx) + "x" +
                                             std::to_string(size.cy) + " " + std::to_string(r.min) + ".." +
                                             std::to_string(r.max) + " page " + std::to_string(page) + " pos " +
                                             std::to_string(pos) + ": skin " + std::to_string(l.thumbStart) + "-" + std::to_string(thumbEnd) +
                                             " system " + std::to_string(system.xyThumbTop) + "-" +
                                             std::to_string(system.xyThumbBottom));
                    }
                }
            }
        }
    }
    EXPECT_GT(cases, 2000);
    std::string shown;
    for (size_t i = 0; i < misses.size(); i += std::max<size_t>(1, misses.size() / 40)) shown += "\n" + misses[i];
    EXPECT_TRUE(misses.empty()) << misses.size() << " of " << cases << ":" << shown;
}

TEST_F(ScrollSkinTest, TheBarsShowTheSkinAndFollowTheControl) {
    MakeForm();
    TSkinScrollBar* skinner = SkinnerOf(memo);
    HWND h = memo->Handle();
    auto screenBar = [&](int which) { return Crop(ScreenWindow(h), skinner->BarRect(which)); };
    // The bars are the skin's; the memo left alone keeps the system's.
    for (int which : {SB_HORZ, SB_VERT}) {
        const Bitmap32 rendered = skinner->RenderBar(which);
        ASSERT_FALSE(rendered.Empty());
        EXPECT_EQ(Differences(screenBar(which), rendered), 0) << which;
        EXPECT_GT(Differences(Crop(ScreenWindow(plain->Handle()), skinner->BarRect(which)), rendered), 100) << which;
    }
    // The up arrow is frame 1 of the Scrollbar part, the corner the Scrollbar colour.
    const TScrollLayout layout = skinner->Layout(SB_VERT);
    const RECT bar = skinner->BarRect(SB_VERT);
    const int w = bar.right - bar.left;
    Bitmap32 arrow(w, layout.arrow, ColourRefToPixel(Content().Colours.ButtonFace));
    PaintFrame(arrow, 0, 0, w, layout.arrow, Content().Scrollbar->Image, 23, 1, true);
    EXPECT_EQ(Differences(Crop(screenBar(SB_VERT), RECT{0, 0, w, layout.arrow}), arrow), 0);
    const RECT corner = skinner->CornerRect();
    EXPECT_EQ(CountOther(ScreenWindow(h), corner, ColourRefToPixel(Content().Colours.Scrollbar)), 0);

    // Keys move the bar inside the control, which redraws it the system's way: the skin
    // follows at once.
    memo->SetFocus();
    PumpFor(30);
    SendMessageW(h, EM_LINESCROLL, 0, 50);
    PumpFor(40);
    EXPECT_GT(GetScrollPos(h, SB_VERT), 40);
    EXPECT_EQ(Differences(screenBar(SB_VERT), skinner->RenderBar(SB_VERT)), 0);
    const Bitmap32 before = screenBar(SB_VERT);
    SendMessageW(h, WM_VSCROLL, SB_PAGEDOWN, 0);
    PumpFor(40);
    EXPECT_EQ(Differences(screenBar(SB_VERT), skinner->RenderBar(SB_VERT)), 0);
    EXPECT_GT(Differences(screenBar(SB_VERT), before), 0) << "the thumb moved";

    // The mouse over the down arrow lights it (frame 5 + 1); leaving puts it back.
    const Bitmap32 normal = screenBar(SB_VERT);
    RECT window{};
    GetWindowRect(h, &window);
    SendMessageW(h, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(window.left + bar.left + 3, window.top + bar.bottom - 3));
    PumpFor(30);
    Bitmap32 hot(w, layout.arrow, ColourRefToPixel(Content().Colours.ButtonFace));
    PaintFrame(hot, 0, 0, w, layout.arrow, Content().Scrollbar->Image, 23, 6, true);
    const Bitmap32 shown = screenBar(SB_VERT);
    EXPECT_EQ(Differences(Crop(shown, RECT{0, shown.height - layout.arrow, w, shown.height}), hot), 0);
    SendMessageW(h, WM_NCMOUSELEAVE, 0, 0);
    PumpFor(30);
    EXPECT_EQ(Differences(screenBar(SB_VERT), normal), 0);
}

TEST_F(ScrollSkinTest, ListViewsTreesAndScrollBoxesGetTheirSkinners) {
    MakeForm();
    auto* listSkinner = dynamic_cast<TSkinListView*>(skinned->FindControlSkinner(list));
    ASSERT_NE(listSkinner, nullptr);
    ASSERT_NE(listSkinner->Header(), nullptr);
    EXPECT_EQ(listSkinner->Header()->Handle(), list->HeaderHandle());
    auto* boxSkinner = dynamic_cast<TSkinScControl*>(skinned->FindControlSkinner(box));
    ASSERT_NE(boxSkinner, nullptr);
    TSkinScrollBar* treeSkinner = SkinnerOf(tree);
    ASSERT_NE(treeSkinner, nullptr);
    EXPECT_EQ(dynamic_cast<TSkinScControl*>(treeSkinner), nullptr);

    // The header's sections are the Headerbar part; the mouse over one lights it.
    HWND header = list->HeaderHandle();
    RECT first{};
    SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    auto sectionTop = [&](int frame) {
        const Bitmap32 face = PartFace(Content(), *Content().Headerbar, first.right - first.left, first.bottom, frame);
        const Bitmap32 shot = ScreenWindow(header);
        return Differences(Crop(shot, RECT{first.left, 0, first.right, 3}), Crop(face, RECT{0, 0, face.width, 3}));
    };
    EXPECT_EQ(sectionTop(1), 0);
    SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(first.left + 5, 5));
    PumpFor(30);
    EXPECT_EQ(listSkinner->Header()->SectionFrame(0), 2);
    EXPECT_EQ(sectionTop(2), 0);
    SendMessageW(header, WM_MOUSELEAVE, 0, 0);
    PumpFor(30);
    EXPECT_EQ(sectionTop(1), 0);

    // Each one's bars are the skin's, and stay so while they scroll.
    for (auto [skinner, control] : {std::pair<TSkinScrollBar*, TWinControl*>{listSkinner, list},
                                    {boxSkinner, box},
                                    {treeSkinner, tree}}) {
        HWND h = control->Handle();
        ASSERT_FALSE(IsRectEmpty(&static_cast<const RECT&>(skinner->BarRect(SB_VERT)))) << control->Name;
        SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
        SendMessageW(h, WM_VSCROLL, SB_PAGEDOWN, 0);
        PumpFor(40);
        EXPECT_GT(GetScrollPos(h, SB_VERT), 0) << control->Name;
        EXPECT_EQ(Differences(Crop(ScreenWindow(h), skinner->BarRect(SB_VERT)), skinner->RenderBar(SB_VERT)), 0)
            << control->Name;
    }
    EXPECT_GT(box->VertPosition(), 0);
    EXPECT_GT(list->TopIndex(), 0);
    // The container's track is the Scrollbar part's own piece, not the VertScroll part.
    const RECT boxBar = boxSkinner->BarRect(SB_VERT);
    const TScrollLayout boxLayout = boxSkinner->Layout(SB_VERT);
    Bitmap32 piece(boxBar.right - boxBar.left, 1);
    PaintFrame(piece, 0, 0, piece.width, 1, Content().Scrollbar->Image, 23, 23, false);
    const Bitmap32 boxShot = Crop(ScreenWindow(box->Handle()), boxBar);
    const int row = boxLayout.arrow + 1 == boxLayout.thumbStart ? boxLayout.TrackEnd() - 1 : boxLayout.arrow + 1;
    EXPECT_EQ(Differences(Crop(boxShot, RECT{0, row, boxShot.width, row + 1}), piece), 0);

    // The container's thumb is the skinner's own drag; the box follows it.
    const int boxTop = box->VertPosition();
    const int bx = (boxBar.left + boxBar.right) / 2;
    const int grab = boxBar.top + boxSkinner->Layout(SB_VERT).thumbStart + 2;
    DragThumb(box->Handle(), POINT{bx, grab}, {POINT{bx, grab + 10}, POINT{bx, grab + 30}});
    EXPECT_GT(box->VertPosition(), boxTop);
    EXPECT_EQ(box->VertPosition(), GetScrollPos(box->Handle(), SB_VERT));

    // A drag on the list's thumb scrolls the list too (the system drags it).
    const TScrollLayout l = listSkinner->Layout(SB_VERT);
    const RECT bar = listSkinner->BarRect(SB_VERT);
    const int top = list->TopIndex();
    DragThumb(list->Handle(), POINT{(bar.left + bar.right) / 2, bar.top + l.thumbStart + 2},
              {POINT{(bar.left + bar.right) / 2, bar.top + l.thumbStart + 40}});
    EXPECT_GT(list->TopIndex(), top);
}

TEST_F(ScrollSkinTest, TheMemberAndTheTagDecide) {
    MakeForm({xcMainMenu, xcCombo, xcSystemMenu});
    for (TWinControl* c : std::initializer_list<TWinControl*>{plain, memo, list, box, tree})
        EXPECT_EQ(skinned->FindControlSkinner(c), nullptr) << c->Name;
}

TEST_F(ScrollSkinTest, AttachingAndDetachingAHundredTimesKeepsNothing) {
    MakeForm();
    struct Case {
        TSkinnerKind kind;
        TWinControl* control;
    };
    for (const Case& c : {Case{TSkinnerKind::ScrollBar, plain}, Case{TSkinnerKind::ListView, list},
                          Case{TSkinnerKind::ScControl, box}}) {
        const TResourceGrowth growth = GrowthOver([&] {
            std::unique_ptr<TSkinControl> s = MakeSkinner(c.kind, *skinned, *skin_);
            s->Attach(*c.control, false);
            PaintNow(c.control->Handle());
            s->Detach();
        });
        EXPECT_EQ(growth.gdi, 0) << c.control->Name;
        EXPECT_EQ(growth.windows, 0) << c.control->Name;
    }
    // Let go, the memo is the system's again.
    PaintNow(plain->Handle());
    TSkinScrollBar probe(*skinned, *skin_);
    probe.Attach(*plain, false);
    const Bitmap32 skinnedBar = probe.RenderBar(SB_VERT);
    probe.Detach();
    PaintNow(plain->Handle());
    PumpFor(30);
    EXPECT_GT(Differences(Crop(ScreenWindow(plain->Handle()), probe.BarRect(SB_VERT)), skinnedBar), 100);
}

}  // namespace
