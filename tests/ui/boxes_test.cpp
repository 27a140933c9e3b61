// Message boxes, ShowMessage and the default error box, answered through the test
// responder while they are really on screen (timers keep ticking meanwhile).
#include <windows.h>

#include <commctrl.h>

#include <new>
#include <stdexcept>
#include <string>

#include "base/utf.h"
#include "ui/bit_btn.h"
#include "ui/edit.h"
#include "ui/timer.h"
#include "ui/window_subclass.h"
#include "ui_test_support.h"

namespace {

class BoxesTest : public UiTest {};

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

TEST_F(BoxesTest, MessageBoxIsTheSystemDialogOwnedByTheActiveForm) {
    Owned<TForm> form(new TForm(nullptr));
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    HWND owner = nullptr;
    std::wstring boxClass;
    std::wstring shownText;
    Application->SetBoxResponder([&](const TOpenBox& box) {
        boxClass = ClassOf(box.Window);
        owner = GetWindow(box.Window, GW_OWNER);
        wchar_t text[64] = {};
        GetWindowTextW(GetDlgItem(box.Window, 0xFFFF), text, 64);
        shownText = text;
        return IDNO;
    });
    const int answer = Application->MessageBox(L"确实要交卷吗？", L"提示", MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(boxClass, L"#32770");
    EXPECT_EQ(owner, form->WindowHandle());
    EXPECT_EQ(shownText, L"确实要交卷吗？");
    ASSERT_EQ(Application->ShownBoxes().size(), 1u);
    const TBoxRecord& record = Application->ShownBoxes()[0];
    EXPECT_EQ(record.Kind, TBoxKind::MessageBox);
    EXPECT_EQ(record.Caption, L"提示");
    EXPECT_EQ(record.Text, L"确实要交卷吗？");
    EXPECT_EQ(record.Result, IDNO);
    EXPECT_TRUE(Application->OpenBoxes().empty());
    EXPECT_TRUE(form->Active());
}

TEST_F(BoxesTest, TimersTickWhileAConfirmationIsUp) {
    Owned<TForm> form(new TForm(nullptr));
    auto* clock = new TTimer(form.get());
    clock->Interval = 15;
    int ticks = 0;
    clock->OnTimer = [&] { ++ticks; };
    form->Show();
    int asked = 0;
    Application->SetBoxResponder([&](const TOpenBox&) {
        ++asked;
        return ticks >= 3 ? IDYES : kBoxNotYet;
    });
    const int ticksBefore = ticks;
    EXPECT_EQ(Application->MessageBox(L"确实要交卷吗？", L"提示", MB_YESNO), IDYES);
    EXPECT_GE(ticks - ticksBefore, 3 - ticksBefore);
    EXPECT_GE(ticks, 3);
    EXPECT_GT(asked, 1);  // it was asked again while the clock ran
}

TEST_F(BoxesTest, AnAnswerTheBoxHasNoButtonForIsNotPressed) {
    int asked = 0;
    Application->SetBoxResponder([&](const TOpenBox&) { return ++asked < 3 ? IDYES : IDOK; });
    EXPECT_EQ(Application->MessageBox(L"已经到最后一题", L"提示", MB_OK), IDOK);
    ASSERT_EQ(Application->ShownBoxes().size(), 1u);
    EXPECT_EQ(Application->ShownBoxes()[0].RejectedAnswer, IDYES);
    EXPECT_EQ(Application->ShownBoxes()[0].Result, IDOK);
}

TEST_F(BoxesTest, ShowMessageIsTheToolkitsOwnFormClosedByEnterSpaceOrEscape) {
    Application->Title = L"木禾考试模拟系统";
    for (WORD key : {WORD(VK_RETURN), WORD(VK_SPACE), WORD(VK_ESCAPE)}) {
        std::wstring boxClass;
        std::wstring caption;
        std::wstring buttonText;
        bool pressed = false;
        Application->SetBoxResponder([&](const TOpenBox& box) {
            if (!pressed) {
                boxClass = ClassOf(box.Window);
                wchar_t text[64] = {};
                GetWindowTextW(box.Window, text, 64);
                caption = text;
                GetWindowTextW(GetDlgItem(box.Window, IDOK), text, 64);
                buttonText = text;
                // The learner's key, on the focused OK button.
                pressed = true;
                PressKey(key);
            }
            return kBoxNotYet;
        });
        ShowMessage(L"已经到最后一题");
        EXPECT_TRUE(pressed) << key;
        EXPECT_EQ(boxClass, L"TMessageForm");
        EXPECT_EQ(caption, L"木禾考试模拟系统");
        EXPECT_EQ(buttonText, L"确定");
        ASSERT_FALSE(Application->ShownBoxes().empty());
        const TBoxRecord& record = Application->ShownBoxes().back();
        EXPECT_EQ(record.Kind, TBoxKind::ShowMessage);
        EXPECT_EQ(record.Text, L"已经到最后一题");
        EXPECT_EQ(record.Result, mrOk) << key;
    }
    EXPECT_EQ(Application->ShownBoxes().size(), 3u);
    // The message form is gone with its box.
    for (TForm* f : Application->Forms()) EXPECT_NE(f->ClassName(), L"TMessageForm");
}

TEST_F(BoxesTest, ABoxOpenedOverAnotherIsAnsweredFirst) {
    Owned<TForm> form(new TForm(nullptr));
    auto* timer = new TTimer(form.get());
    timer->Interval = 10;
    timer->OnTimer = [&] {
        timer->Enabled = false;
        Application->MessageBox(L"第二个", L"提示", MB_OK);
    };
    form->Show();
    Application->SetBoxResponder([&](const TOpenBox& box) {
        if (box.Text == L"第二个") return IDOK;
        // The first waits until the second has come and gone.
        return Application->ShownBoxes().size() == 2 && Application->ShownBoxes()[1].Result ? IDYES : kBoxNotYet;
    });
    EXPECT_EQ(Application->MessageBox(L"第一个", L"提示", MB_YESNO), IDYES);
    ASSERT_EQ(Application->ShownBoxes().size(), 2u);
    EXPECT_EQ(Application->ShownBoxes()[1].Result, IDOK);
}

TEST_F(BoxesTest, AnExceptionFromAHandlerShowsTheErrorBoxAndTheFormKeepsWorking) {
    Application->Title = L"木禾考试模拟系统";
    Owned<TForm> form(new TForm(nullptr));
    std::wstring typed;
    form->OnKeyPress = [&](wchar_t& key) {
        typed += key;
        if (key == L'a') throw EConvertError("'abc' is not a valid integer value");
        if (key == L'b') throw Exception("数据库文件 jjj 无法打开");
    };
    auto* timer = new TTimer(form.get());
    timer->Enabled = false;
    timer->Interval = 10;
    timer->OnTimer = [&] {
        timer->Enabled = false;
        throw std::runtime_error("tick failed");
    };
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form->WindowHandle(); }));
    int errorBoxes = 0;
    Application->SetBoxResponder([&](const TOpenBox& box) {
        if (box.Kind != TBoxKind::ErrorBox) return kBoxNotYet;
        ++errorBoxes;
        return IDOK;
    });

    PressKey('A');
    PressKey('B');
    PressKey('1');  // the form still takes keys after two errors
    timer->Enabled = true;
    ASSERT_TRUE(PumpUntil([&] { return Application->ShownBoxes().size() == 3 && Application->OpenBoxes().empty(); }));
    EXPECT_EQ(typed, L"ab1");
    EXPECT_EQ(errorBoxes, 3);
    const auto& boxes = Application->ShownBoxes();
    EXPECT_EQ(boxes[0].Kind, TBoxKind::ErrorBox);
    EXPECT_EQ(boxes[0].Caption, L"木禾考试模拟系统");
    EXPECT_EQ(boxes[0].Text, L"'abc' is not a valid integer value");
    EXPECT_EQ(boxes[1].Text, L"数据库文件 jjj 无法打开");
    EXPECT_EQ(boxes[2].Text, L"tick failed");
    EXPECT_TRUE(IsWindow(form->WindowHandle()));
}

TEST_F(BoxesTest, AnExceptionFromOnCloseOfAModalFormKeepsItOpen) {
    Owned<TForm> dialog(new TForm(nullptr));
    int attempts = 0;
    dialog->OnClose = [&](TCloseAction&) {
        if (++attempts == 1) throw Exception("还不能关闭");
    };
    Application->SetBoxResponder([](const TOpenBox&) { return IDOK; });
    RunSoon([&] {
        dialog->Close();
        RunSoon([&] {
            EXPECT_TRUE(dialog->Modal());
            dialog->Close();
        });
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(attempts, 2);
    ASSERT_EQ(Application->ShownBoxes().size(), 1u);
    EXPECT_EQ(Application->ShownBoxes()[0].Text, L"还不能关闭");
}

TEST_F(BoxesTest, WhateverEscapesIntoTheSystemIsShownByTheOneBoundaryAlsoWhatIsNoStdException) {
    Owned<TForm> form(new TForm(nullptr));
    auto* button = new TBitBtn(form.get());
    button->Parent = form.get();
    button->SetBounds(10, 10, 100, 25);
    auto* edit = new TEdit(form.get());
    edit->Parent = form.get();
    edit->SetBounds(10, 50, 100, 24);
    int clicks = 0;
    button->OnClick = [&] {
        if (++clicks == 1) throw 42;  // the dialog-key path: Enter clicks the button
    };
    auto* timer = new TTimer(form.get());
    timer->Enabled = false;
    timer->Interval = 10;
    timer->OnTimer = [&] {
        timer->Enabled = false;
        throw "tick";
    };
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return button->Focused(); }));
    Application->SetBoxResponder([](const TOpenBox& box) { return box.Kind == TBoxKind::ErrorBox ? IDOK : kBoxNotYet; });

    PressKey(VK_RETURN);
    PressKey(VK_RETURN);  // the button works on
    EXPECT_EQ(clicks, 2);
    timer->Enabled = true;
    ASSERT_TRUE(PumpUntil([&] { return Application->ShownBoxes().size() == 2 && Application->OpenBoxes().empty(); }));
    // A hook in front of the toolkit's handling and a subclass of the system's chain.
    const TWndHookToken hook = edit->HookWindowProc([](TMessage& m, const TWndNext& next) {
        if (m.Msg == CM_MOUSEENTER) throw std::bad_alloc();
        next(m);
    });
    SendMessageW(edit->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    edit->UnhookWindowProc(hook);
    {
        TWindowSubclass subclass(edit->WindowHandle(), [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_CHAR && w == L'!') throw std::wstring(L"not even an exception");
            return TWindowSubclass::CallNext(h, m, w, l);
        });
        SendMessageW(edit->WindowHandle(), WM_CHAR, L'!', 1);
        SendMessageW(edit->WindowHandle(), WM_CHAR, L'k', 1);
    }
    EXPECT_EQ(edit->Text.Get(), L"k");

    const auto& boxes = Application->ShownBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    for (const TBoxRecord& box : boxes) EXPECT_EQ(box.Kind, TBoxKind::ErrorBox);
    EXPECT_EQ(boxes[0].Text, L"程序内部发生未知错误");
    EXPECT_EQ(boxes[1].Text, L"程序内部发生未知错误");
    EXPECT_EQ(boxes[2].Text, Utf8ToWide(std::bad_alloc().what()));
    EXPECT_EQ(boxes[3].Text, L"程序内部发生未知错误");
    EXPECT_TRUE(IsWindow(form->WindowHandle()));
}

}  // namespace
