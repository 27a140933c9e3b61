// Releasing a form: with caFree (or Release()) a form is deleted only after the outermost
// message on it — or on any of its controls — has returned; the owner can be told so that a
// program-wide reference is cleared. An owner deletes what it owns, the last created first.
#include <vector>

#include "ui/bit_btn.h"
#include "ui/edit.h"
#include "ui/panel.h"
#include "ui/timer.h"
#include "ui_test_support.h"

namespace {

class ReleaseTest : public UiTest {};

// A form that notes its destruction.
struct TNotingForm : TForm {
    TNotingForm(TComponent* owner, bool* alive) : TForm(owner), alive_(alive) { *alive_ = true; }
    ~TNotingForm() override { *alive_ = false; }
    std::wstring ClassName() const override { return L"TNotingForm"; }
    bool* alive_;
    int touches = 0;
};

TEST_F(ReleaseTest, CaFreeDeletesTheFormAfterTheMessageReturns) {
    bool alive = false;
    auto* form = new TNotingForm(nullptr, &alive);
    TForm* reference = form;  // as Form5 is for the mock exam
    form->AddFreeNotification([&] { reference = nullptr; });
    bool aliveAfterClose = false;
    form->OnClose = [&](TCloseAction& action) { action = caFree; };
    auto* button = new TBitBtn(form);
    button->Parent = form;
    button->OnClick = [&] {
        form->Close();
        // Still whole: this handler runs inside the button's message.
        aliveAfterClose = alive;
        ++form->touches;
        form->Caption = L"仍然存在";
    };
    form->Show();
    HWND window = form->WindowHandle();
    ASSERT_TRUE(PumpUntil([&] { return button->Focused(); }));
    PressKey(VK_SPACE);
    EXPECT_TRUE(aliveAfterClose);
    EXPECT_TRUE(PumpUntil([&] { return !alive; }));
    EXPECT_EQ(reference, nullptr);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(ReleaseTest, CaNoneKeepsTheFormAndCaHideHidesIt) {
    bool alive = false;
    Owned<TNotingForm> form(new TNotingForm(nullptr, &alive));
    TCloseAction answer = caNone;
    form->OnClose = [&](TCloseAction& action) { action = answer; };
    form->Show();
    PostMessageW(form->WindowHandle(), WM_CLOSE, 0, 0);
    PumpFor(30);
    EXPECT_TRUE(alive);
    EXPECT_TRUE(IsWindowVisible(form->WindowHandle()));
    answer = caHide;
    PostMessageW(form->WindowHandle(), WM_CLOSE, 0, 0);
    PumpFor(30);
    EXPECT_TRUE(alive);
    EXPECT_FALSE(IsWindowVisible(form->WindowHandle()));
}

TEST_F(ReleaseTest, ModalFormWithCaFreeOutlivesShowModalAndGoesAfterwards) {
    bool alive = false;
    auto* form = new TNotingForm(nullptr, &alive);
    TForm* reference = form;
    form->AddFreeNotification([&] { reference = nullptr; });
    form->OnClose = [](TCloseAction& action) { action = caFree; };
    RunSoon([&] { form->Close(); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    // The caller may still read the form right after ShowModal.
    EXPECT_TRUE(alive);
    EXPECT_EQ(form->ModalResult, mrCancel);
    EXPECT_TRUE(PumpUntil([&] { return !alive; }));
    EXPECT_EQ(reference, nullptr);
}

TEST_F(ReleaseTest, AFormReleasedOnClosingAndAgainByItsOpenerGoesOnce) {
    bool alive = false;
    int deletions = 0;
    auto* form = new TNotingForm(nullptr, &alive);
    form->AddFreeNotification([&] { ++deletions; });
    form->OnClose = [](TCloseAction& action) { action = caFree; };
    RunSoon([&] { form->Close(); });
    form->ShowModal();
    form->Release();  // the opener's own release, as the main menu does it
    EXPECT_TRUE(PumpUntil([&] { return !alive; }));
    PumpFor(50);  // a second deletion message would arrive now
    EXPECT_EQ(deletions, 1);
}

TEST_F(ReleaseTest, FormReleasedWhileItsHandlerWaitsInANestedLoopGoesWhenTheHandlerEnds) {
    bool alive = false;
    auto* form = new TNotingForm(nullptr, &alive);
    auto* timer = new TTimer(form);
    timer->Interval = 10;
    timer->Enabled = false;
    bool aliveAfterNestedLoop = false;
    // The tick releases the form while a key handler of the form sits in a nested loop.
    timer->OnTimer = [&] {
        timer->Enabled = false;
        form->Release();
    };
    form->OnKeyPress = [&](wchar_t&) {
        timer->Enabled = true;
        PumpUntil([&] { return !timer->Enabled; });
        PumpFor(30);  // CM_RELEASE arrives meanwhile and must not delete the form
        aliveAfterNestedLoop = alive;
        ++form->touches;
    };
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form->WindowHandle(); }));
    PressKey('1');
    EXPECT_TRUE(aliveAfterNestedLoop);
    EXPECT_TRUE(PumpUntil([&] { return !alive; }));
}

TEST_F(ReleaseTest, AReleasedFormFreedByItsOwnerBeforeTheDeletionMessageGoesOnce) {
    bool alive = false;
    int deletions = 0;
    Owned<TForm> owner(new TForm(nullptr));
    auto* form = new TNotingForm(owner.get(), &alive);
    form->AddFreeNotification([&] { ++deletions; });
    // The edit's window tells the panel when it goes: a message on one of the form's
    // controls while the form is being freed, with its release still pending.
    auto* panel = new TPanel(form);
    panel->Parent = form;
    auto* edit = new TEdit(form);
    edit->Parent = panel;
    form->OnClose = [](TCloseAction& action) { action = caFree; };
    RunSoon([&] { form->Close(); });
    form->ShowModal();
    ASSERT_TRUE(alive);
    ASSERT_EQ(owner->ComponentCount(), 1);
    owner.reset();  // before the loop runs again
    EXPECT_FALSE(alive);
    EXPECT_EQ(deletions, 1);
    PumpFor(50);
    EXPECT_EQ(deletions, 1);
}

TEST_F(ReleaseTest, OwnerDeletesOwnedComponentsLastCreatedFirst) {
    std::vector<std::wstring> order;
    Owned<TForm> form(new TForm(nullptr));
    for (const wchar_t* name : {L"Label1", L"Edit1", L"Timer1"}) {
        TComponent* c = nullptr;
        if (name[0] == L'E') {
            auto* edit = new TEdit(form.get());
            edit->Parent = form.get();
            c = edit;
        } else if (name[0] == L'T') {
            c = new TTimer(form.get());
        } else {
            c = new TComponent(form.get());
        }
        c->Name = name;
        c->AddFreeNotification([&order, name] { order.push_back(name); });
    }
    ASSERT_EQ(form->ComponentCount(), 3);
    EXPECT_EQ(form->Components()[1]->ClassName(), L"TEdit");
    EXPECT_EQ(form->FindComponent(L"TIMER1"), form->Components()[2]);
    EXPECT_EQ(form->FindComponent(L"Label2"), nullptr);
    form->Show();
    form.reset();
    EXPECT_EQ(order, (std::vector<std::wstring>{L"Timer1", L"Edit1", L"Label1"}));
}

}  // namespace
