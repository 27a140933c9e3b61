// The main window: its layout, the keyboard map (whichever button has the focus), the focus
// rules, and opening and closing a function window from it.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/form1.h"
#include "app/school_contact.h"
#include "app/start_up.h"
#include "app/window_refs.h"
#include "exam/win/form5.h"
#include "practice/win/form2.h"
#include "practice/win/form4.h"
#include "practice/win/form55.h"
#include "practice/win/form6.h"
#include "practice/win/formqh2.h"
#include "reference/win/form8.h"
#include "support/sample_bank.h"
#include "ui_test_support.h"

namespace {

class MainWindowTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        bank_ = std::make_unique<SampleBank>();
        DataModule3 = &bank_->Module();
        // The shell is stood in for: what the window hands it is recorded, nothing opens.
        // Made as start-up makes it: the first form, so the application's main window.
        Application->CreateForm(Form1, ShellOpener([this](TForm* parent, const std::wstring& target) {
                                    handed_.push_back({parent, target});
                                }));
        form_.reset(Form1);
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return form_->Active() && form_->BitBtn1->Focused(); }));
    }
    void TearDown() override {
        Application->SetBoxResponder({});
        form_.reset();
        Form1 = nullptr;
        DataModule3 = nullptr;
        bank_.reset();
        UiTest::TearDown();
    }
    struct Handed {
        TForm* parent;
        std::wstring target;
    };
    std::vector<Handed> handed_;
    std::unique_ptr<SampleBank> bank_;
    Owned<TForm1> form_;
};

TEST_F(MainWindowTest, LayoutAndTexts) {
    EXPECT_EQ(form_->Caption.Get(), L"木禾驾驶员考试系统 ");
    // Designed 746 x 489 with the system's frame; skinned, the same client area sits in the
    // skin's frame.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, FALSE, 0);
    EXPECT_EQ(form_->ClientWidth(), 746 - (frame.right - frame.left));
    EXPECT_EQ(form_->ClientHeight(), 489 - (frame.bottom - frame.top));
    TBitBtn* buttons[] = {form_->BitBtn1, form_->BitBtn2, form_->BitBtn3, form_->BitBtn4,
                          form_->BitBtn5, form_->BitBtn6, form_->BitBtn7, form_->BitBtn8};
    const wchar_t* captions[] = {L"0模拟考试", L"1顺序练习", L"2分套练习", L"3分章练习",
                                 L"4强化练习", L"5法规标志", L"7使用说明", L"8退出系统"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(buttons[i]->Caption.Get(), captions[i]);
        EXPECT_EQ(RectText(buttons[i]->BoundsRect()), RectText(RECT{16, 45 + 40 * i, 16 + 193, 45 + 40 * i + 25}));
        EXPECT_EQ(buttons[i]->TabOrder.Get(), i);
    }
    EXPECT_EQ(form_->Panel1->Width.Get(), 225);
    EXPECT_EQ(form_->Panel2->Caption.Get(), L"木禾机动车驾驶员模拟考试系统2006.1");
    EXPECT_EQ(form_->StatusBar1->Panels->Count(), 3);
    EXPECT_EQ(form_->StatusBar1->Panels->Items(2)->Text.Get(), L" 木禾驾驶学校专用");
    EXPECT_FALSE(form_->Image1->Picture->Empty());

    // The right side fills the rest of the window whatever its size: the title panel and the
    // banner follow a maximize and a restore, the link line stays at the bottom.
    const auto expectRightSideFills = [&](const char* when) {
        SCOPED_TRACE(when);
        const int width = form_->ClientWidth();
        const int bottom = form_->ClientHeight() - form_->StatusBar1->Height;
        EXPECT_EQ(form_->Panel2->BoundsRect().right, width);
        EXPECT_EQ(form_->Panel2->Height.Get(), 41);
        EXPECT_EQ(form_->Image1->BoundsRect().right, width);
        EXPECT_EQ(form_->Image1->Top.Get(), form_->Panel2->BoundsRect().bottom);
        EXPECT_EQ(form_->Image1->BoundsRect().bottom, form_->Label1->Top.Get());
        EXPECT_EQ(form_->Label1->BoundsRect().right, width);
        EXPECT_EQ(form_->Label1->Top.Get(), bottom - 24);
        EXPECT_EQ(form_->Panel1->Height.Get(), bottom);
    };
    expectRightSideFills("designed");
    const int designedWidth = form_->ClientWidth();
    ShowWindow(form_->WindowHandle(), SW_MAXIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return form_->ClientWidth() > designedWidth; }));
    PumpFor(30);
    expectRightSideFills("maximized");
    ShowWindow(form_->WindowHandle(), SW_RESTORE);
    ASSERT_TRUE(PumpUntil([&] { return form_->ClientWidth() == designedWidth; }));
    PumpFor(30);
    expectRightSideFills("restored");
}

TEST_F(MainWindowTest, SixLettersAndArrowsDoNothingButMoveTheFocus) {
    PressKey('6');
    PressKey('A');
    EXPECT_TRUE(form_->BitBtn1->Focused());
    EXPECT_TRUE(IsWindowVisible(form_->WindowHandle()));
    PressKey(VK_DOWN);
    EXPECT_TRUE(form_->BitBtn2->Focused());
    PressKey(VK_TAB);
    EXPECT_TRUE(form_->BitBtn3->Focused());
}

TEST_F(MainWindowTest, TheExamOpensFromAnyButtonAndClosingItKeepsTheMainWindow) {
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    ASSERT_TRUE(form_->BitBtn3->Focused());
    TForm5* seen = nullptr;
    int opened = 0;
    // While the exam is modal, press "8" in it (the clock has not ticked: it closes).
    RunAfter(200, [&] {
        seen = Form5;
        ++opened;
        PressKey('8');
    });
    PressKey('0');
    EXPECT_EQ(opened, 1);
    EXPECT_NE(seen, nullptr);
    PumpFor(100);
    EXPECT_EQ(Form5, nullptr);
    EXPECT_TRUE(IsWindowVisible(form_->WindowHandle()));
    EXPECT_TRUE(IsWindowEnabled(form_->WindowHandle()));
}

TEST_F(MainWindowTest, ChapterPracticeOpensOnThreeAndTheMainKeyboardsEightClosesOnlyIt) {
    TForm4* seen = nullptr;
    bool focusInLine = false;
    // The 8 key closes the chapter window through its key-down; its character, which
    // follows, must close nothing more (least of all the main window).
    RunAfter(300, [&] {
        seen = Form4;
        focusInLine = seen && seen->Edit1->Focused();
        PressKey('8');
    });
    RECT chapter{};
    RunAfter(250, [&] {
        if (Form4) GetWindowRect(Form4->WindowHandle(), &chapter);
    });
    PressKey('3');
    EXPECT_NE(seen, nullptr);
    EXPECT_TRUE(focusInLine);
    // The chapter window, larger than the main window, is centred on it (the skin's frame,
    // put on after the centring, may change its outer size by a few pixels).
    RECT main{};
    GetWindowRect(form_->WindowHandle(), &main);
    EXPECT_NEAR(chapter.left + chapter.right, main.left + main.right, 8) << RectText(chapter) << " on " << RectText(main);
    EXPECT_NEAR(chapter.top + chapter.bottom, main.top + main.bottom, 8) << RectText(chapter) << " on " << RectText(main);
    PumpFor(200);
    EXPECT_EQ(Form4, nullptr);
    EXPECT_TRUE(IsWindowVisible(form_->WindowHandle()));
    EXPECT_TRUE(form_->Active());
    EXPECT_TRUE(Application->ShownBoxes().empty());
}

TEST_F(MainWindowTest, OneAndFourOpenThePracticeWindowsUnderTheirReferences) {
    std::wstring seen;
    RunAfter(200, [&] {
        seen = Form2 ? Form2->Caption.Get() : L"";
        PressKey('8');
    });
    PressKey('1');
    EXPECT_EQ(seen, L"顺序练习");
    PumpFor(200);
    EXPECT_EQ(Form2, nullptr);
    // Intensive practice closes on the 8 key's key-down; the character after it closes nothing more.
    for (WORD closeKey : {WORD(VK_UP), WORD('8')}) {
        seen.clear();
        RunAfter(200, [&] {
            seen = Formqh2 ? Formqh2->Caption.Get() : L"";
            PressKey(closeKey);
        });
        PressKey('4');
        EXPECT_EQ(seen, L"强化练习");
        PumpFor(200);
        EXPECT_EQ(Formqh2, nullptr);
    }
    EXPECT_TRUE(IsWindowVisible(form_->WindowHandle()));
    EXPECT_TRUE(IsWindowEnabled(form_->WindowHandle()));
    EXPECT_TRUE(Application->ShownBoxes().empty());
}

TEST_F(MainWindowTest, StartUpMakesTheHiddenDialogThenTheHiddenBySetWindowAndTwoOpensANewOne) {
    CreateStartUpForms();
    TForm6* dialog = Form6;
    TForm55* hidden = Form55;
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(hidden, nullptr);
    const auto& forms = Application->Forms();
    const auto at = [&](TForm* f) { return std::find(forms.begin(), forms.end(), f) - forms.begin(); };
    EXPECT_LT(at(dialog), at(hidden));
    EXPECT_FALSE(IsWindowVisible(dialog->WindowHandle()));
    EXPECT_FALSE(IsWindowVisible(hidden->WindowHandle()));
    EXPECT_EQ(hidden->Edit1->Text.Get(), L"第一套");  // its creation prepared set 1
    EXPECT_EQ(dialog->FindCaller(L"55"), static_cast<TJumpTarget*>(hidden));

    TForm55* seen = nullptr;
    bool hiddenShown = true;
    std::wstring caption;
    RunAfter(300, [&] {
        seen = Form55;
        caption = seen ? seen->Caption.Get() : L"";
        hiddenShown = IsWindowVisible(hidden->WindowHandle());
        PressKey('8');
    });
    PressKey('2');
    EXPECT_EQ(caption, L"分套练习");
    EXPECT_NE(seen, hidden);
    EXPECT_FALSE(hiddenShown);
    PumpFor(200);
    EXPECT_EQ(Form55, nullptr);  // cleared when the window it named went
    EXPECT_FALSE(IsWindowVisible(hidden->WindowHandle()));
    EXPECT_TRUE(form_->Active());
    FreeComponent(hidden);
    FreeComponent(dialog);
    Form6 = nullptr;
}

// A key that comes before the loop was first idle makes the start-up windows before the
// function window, which gets the same jump dialog; making them again changes nothing.
TEST_F(MainWindowTest, AKeyBeforeStartUpWasIdleMakesTheStartUpWindowsFirstAndOnce) {
    form_->BeforeFunctionWindow = CreateStartUpForms;
    TForm6* dialog = nullptr;
    TForm55* opened = nullptr;
    TJumpDialog* openedDialog = nullptr;
    TJumpTarget* found = nullptr;
    RunAfter(300, [&] {
        dialog = Form6;
        opened = Form55;
        openedDialog = opened ? opened->JumpDialog : nullptr;
        found = dialog ? dialog->FindCaller(L"55") : nullptr;
        PressKey('8');
    });
    PressKey('2');
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(openedDialog, static_cast<TJumpDialog*>(dialog));
    EXPECT_EQ(found, static_cast<TJumpTarget*>(opened));
    PumpFor(200);
    TForm55* hidden = nullptr;
    for (TForm* f : Application->Forms())
        if (auto* bySet = dynamic_cast<TForm55*>(f)) hidden = bySet;
    ASSERT_NE(hidden, nullptr);  // the start-up one stays, hidden
    EXPECT_FALSE(IsWindowVisible(hidden->WindowHandle()));
    const size_t forms = Application->Forms().size();
    CreateStartUpForms();
    EXPECT_EQ(Form6, dialog);
    EXPECT_EQ(Application->Forms().size(), forms);
    FreeComponent(hidden);
    FreeComponent(dialog);
    Form6 = nullptr;
}

// Alt+F4 typed on the keyboard closes a function window wherever its focus is, the trees
// included (the system's tree class kept the key under Wine), and leaves the main window's
// keys working.
TEST_F(MainWindowTest, AltF4ClosesTheFunctionWindowsFromTheirTrees) {
    struct Closing {
        bool opened = false, treeFocused = false, typed = false, closedByKey = false;
    };
    // Runs in the function window's modal loop: the focus into its tree, then Alt+F4. Should
    // the keys close nothing, the window is closed from code, so that the test fails instead
    // of waiting for ever.
    const auto altF4InTree = [](TForm* window, TTreeView* tree, Closing& c) {
        c.opened = window != nullptr;
        if (!window) return;
        SetForegroundWindow(window->WindowHandle());
        tree->SetFocus();
        PumpFor(30);
        c.treeFocused = tree->Focused();
        c.typed = PressWithAlt(VK_F4);
        // Closing asks the modal loop to end, which it does once this has returned.
        c.closedByKey = window->ModalResult != mrNone;
        if (!c.closedByKey) window->Close();
    };
    Closing viewer;
    RunAfter(300, [&] { altF4InTree(Form8, Form8->TreeView1, viewer); });
    PressKey('5');
    EXPECT_TRUE(viewer.opened && viewer.treeFocused && viewer.typed);
    EXPECT_TRUE(viewer.closedByKey) << "Alt+F4 in the viewer's tree";
    PumpFor(100);
    EXPECT_EQ(Form8, nullptr);
    EXPECT_TRUE(form_->Active());

    // The chapter window's tree hands the focus on to the chapter line as it draws; Alt+F4
    // closes the window whichever of the two holds it.
    Closing chapter;
    RunAfter(300, [&] { altF4InTree(Form4, Form4->TreeView1, chapter); });
    PressKey('3');
    EXPECT_TRUE(chapter.opened && chapter.typed);
    EXPECT_TRUE(chapter.closedByKey) << "Alt+F4 in the chapter window";
    PumpFor(100);
    EXPECT_EQ(Form4, nullptr);
    EXPECT_TRUE(form_->Active());

    // The main window has its focus back and Alt is up again: its keys move the focus and
    // open the viewer.
    EXPECT_TRUE(form_->BitBtn1->Focused());
    EXPECT_FALSE(GetKeyState(VK_MENU) & 0x8000);
    PressKey(VK_TAB);
    EXPECT_TRUE(form_->BitBtn2->Focused());
    bool reopened = false;
    RunAfter(300, [&] {
        reopened = Form8 != nullptr;
        if (Form8) Form8->Close();
    });
    PressKey('5');
    EXPECT_TRUE(reopened);
    EXPECT_TRUE(Application->ShownBoxes().empty());
}

// "7" hands the help file in the working directory to the shell, and nothing when it is not
// there; the link hands the web address.
TEST_F(MainWindowTest, HelpKeyAndLinkHandTheirTargetsToTheShell) {
    std::filesystem::remove("bangzhu.chm");
    PressKey('7');
    PumpFor(100);
    EXPECT_TRUE(handed_.empty()) << "handed to the shell without the file";
    EXPECT_TRUE(Application->ShownBoxes().empty());
    EXPECT_TRUE(form_->Active());

    std::ofstream("bangzhu.chm", std::ios::binary) << "ITSF";
    PressKey(VK_TAB);  // from another button: the key map does not depend on the focus
    PressKey('7');
    PumpFor(100);
    ASSERT_EQ(handed_.size(), 1u);
    EXPECT_EQ(handed_[0].parent, form_.get());
    EXPECT_TRUE(std::filesystem::path(handed_[0].target).is_absolute());
    EXPECT_TRUE(std::filesystem::equivalent(handed_[0].target, "bangzhu.chm"));
    std::filesystem::remove("bangzhu.chm");

    const RECT link = form_->Label1->BoundsRect();
    ClickAt(form_->WindowHandle(), (link.left + link.right) / 2, (link.top + link.bottom) / 2);
    PumpFor(100);
    ASSERT_EQ(handed_.size(), 2u);
    EXPECT_EQ(handed_[1].target, kSchoolWebAddress);
    EXPECT_TRUE(form_->Active());
}

}  // namespace
