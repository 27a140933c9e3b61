// Focus and key routing through the toolkit's message loop: typed characters reach
// OnKeyPress, key-downs OnKeyDown; a form without focusable controls takes the keys itself;
// Tab, Shift+Tab and the arrows move the focus; Enter and Space click a button.
#include <string>
#include <vector>

#include "ui/bit_btn.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui_test_support.h"

namespace {

// What reached a handler, in order: "down:25" for a key-down, "char:49" for a character.
struct KeyLog {
    std::vector<std::string> entries;
    void Down(WORD key) { entries.push_back("down:" + std::to_string(key)); }
    void Char(wchar_t key) { entries.push_back("char:" + std::to_string(int(key))); }
};

class KeysTest : public UiTest {};

TEST_F(KeysTest, FormWithoutFocusableControlsTakesKeysItself) {
    Owned<TForm> form(new TForm(nullptr));
    auto* label = new TLabel(form.get());
    label->Parent = form.get();
    label->Caption = L"第1题";
    KeyLog log;
    form->OnKeyDown = [&](WORD& key, TShiftState) { log.Down(key); };
    form->OnKeyPress = [&](wchar_t& key) { log.Char(key); };
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form->WindowHandle(); }));

    PressKey('1');        // a digit: key-down, then the character the loop makes of it
    PressKey(VK_LEFT);    // an arrow: key-down only
    PressKey(VK_RETURN);  // Enter has no button to click here, so it is the form's
    PressKey(VK_TAB);     // and so is Tab: nothing to move the focus to
    PressKey(VK_MULTIPLY);
    const std::vector<std::string> expected = {"down:49", "char:49", "down:37", "down:13", "char:13",
                                               "down:9",  "char:9",  "down:106", "char:42"};
    EXPECT_EQ(log.entries, expected);
}

TEST_F(KeysTest, KeyHandlersCanEatOrChangeKeys) {
    Owned<TForm> form(new TForm(nullptr));
    auto* edit = new TEdit(form.get());
    edit->Parent = form.get();
    edit->OnKeyPress = [](wchar_t& key) {
        if (key == L'x') key = 0;     // eaten
        if (key == L'a') key = L'b';  // changed before the edit sees it
    };
    edit->OnKeyDown = [](WORD& key, TShiftState) {
        if (key == VK_HOME) key = 0;  // the caret must not go home
    };
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
    PressKey('A');
    PressKey('X');
    PressKey('1');
    EXPECT_EQ(edit->Text.Get(), L"b1");
    EXPECT_EQ(edit->SelStart.Get(), 2);
    PressKey(VK_HOME);
    EXPECT_EQ(edit->SelStart.Get(), 2);
}

TEST_F(KeysTest, ReadOnlyEditHoldingTheFocusGetsEveryKey) {
    Owned<TForm> form(new TForm(nullptr));
    auto* combo = new TComboBox(form.get());
    combo->Parent = form.get();
    combo->TabStop = false;
    combo->Items->Add(L"第一套");
    auto* edit = new TEdit(form.get());
    edit->Parent = form.get();
    edit->ReadOnly = true;
    edit->Text = L"第一套";
    KeyLog editLog;
    KeyLog formLog;
    edit->OnKeyDown = [&](WORD& key, TShiftState) { editLog.Down(key); };
    edit->OnKeyPress = [&](wchar_t& key) { editLog.Char(key); };
    form->OnKeyPress = [&](wchar_t& key) { formLog.Char(key); };
    form->OnKeyDown = [&](WORD& key, TShiftState) { formLog.Down(key); };
    form->Show();
    // The combo box comes first but is no Tab stop: the field gets the focus.
    ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));

    PressKey('5');
    PressKey(VK_RIGHT);
    PressKey(VK_RETURN);
    PressKey(VK_ADD);
    PressKey(VK_TAB);  // the only Tab stop: the focus stays
    const std::vector<std::string> expected = {"down:53",  "char:53", "down:39", "down:13",
                                               "char:13",  "down:107", "char:43"};
    EXPECT_EQ(editLog.entries, expected);
    EXPECT_TRUE(formLog.entries.empty());
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->Text.Get(), L"第一套");
}

TEST_F(KeysTest, TabAndArrowsMoveTheFocusInTabOrder) {
    Owned<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 400, 300);
    auto* panel = new TPanel(form.get());
    panel->Parent = form.get();
    panel->SetBounds(0, 0, 200, 200);
    std::vector<TBitBtn*> buttons;
    for (int i = 0; i < 4; ++i) {
        auto* b = new TBitBtn(form.get());
        b->Parent = panel;
        b->SetBounds(10, 10 + 40 * i, 100, 25);
        buttons.push_back(b);
    }
    buttons[3]->TabOrder = 0;        // now first
    buttons[2]->TabStop = false;     // skipped
    auto* edit = new TEdit(form.get());
    edit->Parent = form.get();
    edit->SetBounds(220, 10, 100, 21);
    auto* hidden = new TEdit(form.get());
    hidden->Parent = form.get();
    hidden->Visible = false;         // skipped as well

    form->Show();
    // Tab order inside the panel: b3, b0, b1 (b2 is no Tab stop), then the edit.
    ASSERT_TRUE(PumpUntil([&] { return buttons[3]->Focused(); }));
    PressKey(VK_TAB);
    EXPECT_TRUE(buttons[0]->Focused());
    PressKey(VK_TAB);
    EXPECT_TRUE(buttons[1]->Focused());
    PressKey(VK_TAB);
    EXPECT_TRUE(edit->Focused());
    PressKey(VK_TAB);  // round again
    EXPECT_TRUE(buttons[3]->Focused());
    {
        ShiftHeld shift;
        PressKey(VK_TAB);
    }
    EXPECT_TRUE(edit->Focused());

    // Arrows move between the buttons of one parent and wrap around.
    buttons[1]->SetFocus();
    ASSERT_TRUE(buttons[1]->Focused());
    PressKey(VK_DOWN);
    EXPECT_TRUE(buttons[3]->Focused());
    PressKey(VK_RIGHT);
    EXPECT_TRUE(buttons[0]->Focused());
    PressKey(VK_UP);
    EXPECT_TRUE(buttons[3]->Focused());
    PressKey(VK_LEFT);
    EXPECT_TRUE(buttons[1]->Focused());

    // An edit takes its arrows itself.
    edit->SetFocus();
    WORD seen = 0;
    edit->OnKeyDown = [&](WORD& key, TShiftState) { seen = key; };
    PressKey(VK_DOWN);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(seen, VK_DOWN);
}

TEST_F(KeysTest, EnterAndSpaceClickTheFocusedButton) {
    Owned<TForm> form(new TForm(nullptr));
    auto* first = new TBitBtn(form.get());
    first->Parent = form.get();
    first->SetBounds(10, 10, 100, 25);
    auto* second = new TBitBtn(form.get());
    second->Parent = form.get();
    second->SetBounds(10, 50, 100, 25);
    int firstClicks = 0;
    int secondClicks = 0;
    std::vector<wchar_t> typed;
    first->OnClick = [&] { ++firstClicks; };
    second->OnClick = [&] { ++secondClicks; };
    // The main window's menu buttons map typed digits themselves.
    second->OnKeyPress = [&](wchar_t& key) { typed.push_back(key); };
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return first->Focused(); }));

    PressKey(VK_TAB);
    ASSERT_TRUE(second->Focused());
    PressKey(VK_RETURN);
    EXPECT_EQ(secondClicks, 1);
    PressKey(VK_SPACE);
    EXPECT_EQ(secondClicks, 2);
    PressKey('7');
    EXPECT_EQ(firstClicks, 0);
    EXPECT_EQ(secondClicks, 2);
    // Enter was used as the click and never became a character; Space and 7 did.
    EXPECT_EQ(typed, (std::vector<wchar_t>{L' ', L'7'}));
}

TEST_F(KeysTest, ActivationFocusesTheActiveControlAndRestoresTheFocusLater) {
    Owned<TForm> form(new TForm(nullptr));
    auto* a = new TEdit(form.get());
    a->Parent = form.get();
    auto* b = new TEdit(form.get());
    b->Parent = form.get();
    b->Top = 40;
    form->ActiveControl = b;
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return b->Focused(); }));
    EXPECT_EQ(form->ActiveControl.Get(), b);

    Owned<TForm> other(new TForm(nullptr));
    other->Show();
    ASSERT_TRUE(PumpUntil([&] { return other->Active(); }));
    EXPECT_FALSE(b->Focused());
    form->Show();
    EXPECT_TRUE(PumpUntil([&] { return b->Focused(); }));

    // Hiding the focused control hands the focus on instead of leaving it on a hidden window.
    b->Visible = false;
    EXPECT_TRUE(a->Focused());
}

}  // namespace
