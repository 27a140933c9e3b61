// Two owners on one window: the toolkit's WindowProc chain with hooks that unhook or swap
// themselves while they run, and the subclass chain that the toolkit and the skin
// engine attach to and detach from in any order.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/utf.h"
#include "ui/edit.h"
#include "ui/panel.h"
#include "ui/window_subclass.h"
#include "ui_test_support.h"

namespace {

class SubclassTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(new TForm(nullptr));
        form->SetBounds(0, 0, 400, 300);
        edit = new TEdit(form.get());
        edit->Parent = form.get();
        edit->SetBounds(10, 10, 200, 24);
        // The toolkit's own handling, as the program's windows see it.
        edit->OnKeyPress = [this](wchar_t& key) {
            if (key >= L'a' && key <= L'z') order += L'T';
        };
        form->Show();
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    // Types a character into the edit; returns who saw it, in order.
    std::wstring Type(wchar_t ch) {
        order.clear();
        SendMessageW(edit->Handle(), WM_CHAR, ch, 1);
        return order;
    }
    // A subclass in the skin engine's manner: notes typed letters, passes everything on.
    TWindowSubclass Attach(wchar_t name) {
        return TWindowSubclass(edit->Handle(), [this, name](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_CHAR && wParam >= L'a' && wParam <= L'z') order += name;
            return TWindowSubclass::CallNext(hwnd, msg, wParam, lParam);
        });
    }

    Owned<TForm> form;
    TEdit* edit = nullptr;
    std::wstring order;
};

TEST_F(SubclassTest, WindowProcHooksMayUnhookOrSwapThemselvesWhileTheyRun) {
    auto* panel = new TPanel(form.get());  // a window of the toolkit's own class as well
    panel->Parent = form.get();
    panel->SetBounds(10, 50, 100, 100);
    for (TWinControl* control : {static_cast<TWinControl*>(edit), static_cast<TWinControl*>(panel)}) {
        SCOPED_TRACE(WideToUtf8(control->ClassName()));
        HWND first = control->Handle();
        // A skinner that lets go on the window's last message and then still uses what it
        // holds (its hook object alone keeps `owned` alive).
        std::vector<UINT> leaverSaw;
        TWndHookToken leaver = 0;
        leaver = control->HookWindowProc(
            [control, &leaver, &leaverSaw, owned = std::make_shared<std::wstring>(L"skin")](TMessage& m,
                                                                                           const TWndNext& next) {
                if (m.Msg == WM_NCDESTROY) {
                    EXPECT_TRUE(control->UnhookWindowProc(leaver));
                }
                if (owned->size() == 4) leaverSaw.push_back(m.Msg);
                next(m);
            });
        // A hook that swaps itself for another on CM_MOUSEENTER; the new one swallows it.
        std::vector<std::string> swaps;
        TWndHookToken swapper = 0;
        swapper = control->HookWindowProc([&, tag = std::string("old")](TMessage& m, const TWndNext& next) {
            if (m.Msg == CM_MOUSEENTER) {
                control->ReplaceWindowProcHook(swapper, [&](TMessage& m2, const TWndNext& next2) {
                    if (m2.Msg == CM_MOUSEENTER) {
                        swaps.push_back("new");
                        return;
                    }
                    next2(m2);
                });
                swaps.push_back(tag);
            }
            next(m);
        });
        control->Perform(CM_MOUSEENTER);
        control->Perform(CM_MOUSEENTER);
        EXPECT_EQ(swaps, (std::vector<std::string>{"old", "new"}));

        // The window destroyed behind the toolkit's back: the leaver sees WM_NCDESTROY last.
        DestroyWindow(first);
        EXPECT_FALSE(control->HandleAllocated());
        ASSERT_FALSE(leaverSaw.empty());
        EXPECT_EQ(leaverSaw.back(), UINT(WM_NCDESTROY));
        EXPECT_FALSE(control->UnhookWindowProc(leaver));  // gone already
        // A new window works; the leaver sees nothing of it, the swapped-in hook does.
        const size_t leaverCount = leaverSaw.size();
        std::vector<UINT> remaining;
        ASSERT_TRUE(control->ReplaceWindowProcHook(swapper, [&](TMessage& m, const TWndNext& next) {
            remaining.push_back(m.Msg);
            next(m);
        }));
        EXPECT_NE(control->Handle(), nullptr);
        control->Perform(CM_MOUSEENTER);
        EXPECT_EQ(leaverSaw.size(), leaverCount);
        ASSERT_FALSE(remaining.empty());
        EXPECT_EQ(remaining.back(), CM_MOUSEENTER);
        EXPECT_TRUE(control->UnhookWindowProc(swapper));
    }
    // The edit still types after all that.
    EXPECT_EQ(Type(L'q'), L"T");
    EXPECT_EQ(edit->Text.Get(), L"q");
}

TEST_F(SubclassTest, TwoSubclassersAttachAndDetachInEitherOrder) {
    const WNDPROC before = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit->Handle(), GWLP_WNDPROC));
    std::wstring expected;
    for (bool firstOutFirst : {true, false}) {
        SCOPED_TRACE(firstOutFirst ? "A leaves first" : "B leaves first");
        EXPECT_EQ(Type(L'a'), L"T");
        std::optional<TWindowSubclass> a(Attach(L'A'));
        EXPECT_EQ(Type(L'b'), L"AT");
        std::optional<TWindowSubclass> b(Attach(L'B'));
        EXPECT_EQ(Type(L'c'), L"BAT");  // the newest first, the toolkit last
        if (firstOutFirst) {
            a.reset();
            EXPECT_EQ(Type(L'd'), L"BT");
            b.reset();
        } else {
            b.reset();
            EXPECT_EQ(Type(L'd'), L"AT");
            a.reset();
        }
        EXPECT_EQ(Type(L'e'), L"T");
        expected += L"abcde";
        // The system edit got every character after each step.
        EXPECT_EQ(edit->Text.Get(), expected);
    }
    // Everything detached: the window's procedure is what it was with the toolkit alone.
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit->Handle(), GWLP_WNDPROC)), before);
}

TEST_F(SubclassTest, ASubclassOutlivesItsWindowOrDetachesFromInsideItsOwnCall) {
    // The toolkit lets go of its window (re-creating it) while a skinner is still attached:
    // the skinner sees the last message and is left detached; the new window is the toolkit's.
    TWindowSubclass a = Attach(L'A');
    HWND old = a.Window();
    ASSERT_EQ(old, edit->Handle());
    edit->RecreateWnd();
    EXPECT_FALSE(a.Attached());
    EXPECT_EQ(a.Window(), nullptr);
    EXPECT_NE(edit->Handle(), old);
    EXPECT_EQ(Type(L'x'), L"T");
    a.Detach();  // nothing left to do

    // A skinner whose object is deleted inside its own call, on a character and on the
    // window's last message; each time the callable finishes with what it captured.
    for (UINT last : {UINT(WM_CHAR), UINT(WM_NCDESTROY)}) {
        auto holder = std::make_unique<TWindowSubclass>();
        std::wstring log;
        *holder = TWindowSubclass(edit->Handle(), [&, name = std::wstring(L"self")](HWND h, UINT m, WPARAM w, LPARAM l) {
            if (m == last) {
                holder.reset();
                log += name;
            }
            return TWindowSubclass::CallNext(h, m, w, l);
        });
        if (last == WM_CHAR) {
            EXPECT_EQ(Type(L'y'), L"T");
            EXPECT_EQ(holder, nullptr);
            EXPECT_EQ(Type(L'z'), L"T");
        } else {
            DestroyWindow(edit->Handle());
            EXPECT_EQ(holder, nullptr);
        }
        EXPECT_EQ(log, L"self");
    }
    EXPECT_EQ(Type(L'w'), L"T");
    EXPECT_EQ(edit->Text.Get(), L"w");  // a new window after the last one was destroyed
}

}  // namespace
