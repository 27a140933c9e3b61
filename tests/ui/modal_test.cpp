// Modal forms: ShowModal disables the other windows of the thread, runs its own loop until
// the form closes or gets a modal result, then enables them again and re-activates the
// window that was active before; OnClose can refuse.
#include "ui/bit_btn.h"
#include "ui/edit.h"
#include "ui_test_support.h"

namespace {

class ModalTest : public UiTest {};

TEST_F(ModalTest, NestedModalFormsDisableAndReenableTheirOwners) {
    Owned<TForm> main(new TForm(nullptr));
    main->Caption = L"主窗口";
    main->Show();
    ASSERT_TRUE(PumpUntil([&] { return main->Active(); }));
    Owned<TForm> outer(new TForm(nullptr));
    Owned<TForm> inner(new TForm(nullptr));

    bool checkedInner = false;
    bool checkedOuter = false;
    int innerResult = 0;
    RunSoon([&] {
        // Inside the outer modal loop.
        EXPECT_TRUE(outer->Modal());
        EXPECT_TRUE(outer->Active());
        EXPECT_FALSE(IsWindowEnabled(main->WindowHandle()));
        EXPECT_TRUE(IsWindowEnabled(outer->WindowHandle()));
        RunSoon([&] {
            // Inside the inner one, shown from the outer form.
            EXPECT_TRUE(inner->Active());
            EXPECT_FALSE(IsWindowEnabled(main->WindowHandle()));
            EXPECT_FALSE(IsWindowEnabled(outer->WindowHandle()));
            checkedInner = true;
            inner->Close();
        });
        innerResult = inner->ShowModal();
        // Back in the outer loop: it is usable again, the main window still is not.
        EXPECT_FALSE(inner->Modal());
        EXPECT_FALSE(IsWindowVisible(inner->WindowHandle()));
        EXPECT_TRUE(IsWindowEnabled(outer->WindowHandle()));
        EXPECT_FALSE(IsWindowEnabled(main->WindowHandle()));
        EXPECT_TRUE(outer->Active());
        checkedOuter = true;
        outer->ModalResult = mrOk;
    });
    const int outerResult = outer->ShowModal();
    EXPECT_TRUE(checkedInner);
    EXPECT_TRUE(checkedOuter);
    EXPECT_EQ(innerResult, mrCancel);  // Close() gives mrCancel
    EXPECT_EQ(outerResult, mrOk);
    EXPECT_TRUE(IsWindowEnabled(main->WindowHandle()));
    EXPECT_TRUE(main->Active());
    EXPECT_FALSE(outer->Modal());
}

TEST_F(ModalTest, ButtonModalResultEndsTheLoopAndOnCloseCanRefuse) {
    Owned<TForm> dialog(new TForm(nullptr));
    auto* ok = new TBitBtn(dialog.get());
    ok->Parent = dialog.get();
    ok->ModalResult = mrOk;
    int clicks = 0;
    ok->OnClick = [&] { ++clicks; };
    int closeCalls = 0;
    bool allowClose = false;
    dialog->OnClose = [&](TCloseAction& action) {
        ++closeCalls;
        if (!allowClose) action = caNone;
    };
    RunSoon([&] {
        ASSERT_TRUE(PumpUntil([&] { return ok->Focused(); }));
        PressKey(VK_RETURN);
        // The modal loop puts the result to OnClose once this returns; then look again.
        RunSoon([&] {
            EXPECT_EQ(closeCalls, 1);
            EXPECT_TRUE(dialog->Modal());
            EXPECT_EQ(dialog->ModalResult, mrNone);
            EXPECT_TRUE(IsWindowVisible(dialog->WindowHandle()));
            allowClose = true;
            PressKey(VK_RETURN);
        });
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(closeCalls, 2);
    EXPECT_FALSE(IsWindowVisible(dialog->WindowHandle()));
    // A form is not made modal while it is on screen.
    dialog->Show();
    EXPECT_THROW(dialog->ShowModal(), Exception);
}

TEST_F(ModalTest, CloseBoxOfAModalFormRunsOnCloseAndEndsTheLoop) {
    Owned<TForm> dialog(new TForm(nullptr));
    TCloseAction seen = caNone;
    dialog->OnClose = [&](TCloseAction& action) { seen = action; };
    RunSoon([&] { PostMessageW(dialog->WindowHandle(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(seen, caHide);  // the default action offered to OnClose
}

TEST_F(ModalTest, OnCreateRunsOnceAfterTheComponentsExist) {
    struct TFormX : TForm {
        explicit TFormX(TComponent* owner) : TForm(owner) {
            Edit1 = new TEdit(this);
            Edit1->Name = L"Edit1";
            Edit1->Parent = this;
            OnCreate = [this] { FormCreate(); };
        }
        std::wstring ClassName() const override { return L"TFormX"; }
        void FormCreate() {
            ++creates;
            // Everything built by the constructor is there, windows included.
            sawEdit = Edit1->HandleAllocated() && FindComponent(L"edit1") == Edit1;
            Edit1->Text = L"已创建";
        }
        TEdit* Edit1;
        int creates = 0;
        bool sawEdit = false;
    };
    Owned<TFormX> form(new TFormX(nullptr));
    EXPECT_EQ(form->creates, 0);
    RunSoon([&] { form->Close(); });
    form->ShowModal();
    RunSoon([&] { form->Close(); });
    form->ShowModal();
    EXPECT_EQ(form->creates, 1);
    EXPECT_TRUE(form->sawEdit);
    EXPECT_EQ(form->Edit1->Text.Get(), L"已创建");
    wchar_t className[32] = {};
    GetClassNameW(form->WindowHandle(), className, 32);
    EXPECT_STREQ(className, L"TFormX");
}

}  // namespace
