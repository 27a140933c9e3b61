// The controls the windows use: combo box, status bar, edit, fonts handed to windows, the
// WindowProc chain the skin engine hooks into, clicks and the hand cursor on labels.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/bit_btn.h"
#include "ui/combo_box.h"
#include "ui/db_text.h"
#include "ui/edit.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/status_bar.h"
#include "ui/timer.h"
#include "ui_test_support.h"

namespace {

const wchar_t* const kSets[] = {L"第一套", L"第二套", L"第三套", L"第四套",   L"第五套",   L"第六套",
                                L"第七套", L"第八套", L"第九套", L"第十套", L"第十一套", L"第十二套"};

class ControlsTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(new TForm(nullptr));
        form->SetBounds(0, 0, 600, 450);
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    Owned<TForm> form;
};

TEST_F(ControlsTest, ComboBoxSelectsByIndexOrTextAndReportsTheLearnersChoice) {
    auto* combo = new TComboBox(form.get());
    combo->Parent = form.get();
    for (const wchar_t* s : kSets) combo->Items->Add(s);
    combo->DropDownCount = 12;
    combo->ItemIndex = 0;  // before the window exists
    std::vector<std::string> events;
    combo->OnClick = [&] { events.push_back("click:" + std::to_string(combo->ItemIndex)); };
    combo->OnChange = [&] { events.push_back("change:" + std::to_string(combo->ItemIndex)); };
    combo->OnCloseUp = [&] { events.push_back("closeup"); };
    form->Show();
    EXPECT_EQ(combo->Text.Get(), L"第一套");
    combo->Text = L"第三套";  // selects the item, as code does: no events
    EXPECT_EQ(combo->ItemIndex.Get(), 2);
    combo->ItemIndex = 11;
    EXPECT_EQ(combo->Text.Get(), L"第十二套");
    combo->Text = L"第十三套";  // no such item
    EXPECT_EQ(combo->ItemIndex.Get(), -1);
    EXPECT_TRUE(events.empty());

    // The learner's choice from the keyboard.
    combo->ItemIndex = 0;
    combo->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return combo->Focused(); }));
    PressKey(VK_DOWN);
    EXPECT_EQ(events, (std::vector<std::string>{"click:1", "change:1"}));
    EXPECT_EQ(combo->Text.Get(), L"第二套");

    // Dropped down, all twelve sets show at once.
    events.clear();
    SendMessageW(combo->WindowHandle(), CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(combo->DroppedDown());
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo->WindowHandle(), &info));
    RECT list{};
    GetClientRect(info.hwndList, &list);
    const int itemHeight = int(SendMessageW(combo->WindowHandle(), CB_GETITEMHEIGHT, 0, 0));
    EXPECT_GE(list.bottom / itemHeight, 12);
    EXPECT_FALSE(GetWindowLongPtrW(info.hwndList, GWL_STYLE) & WS_VSCROLL);  // all of them show
    SendMessageW(combo->WindowHandle(), CB_SHOWDROPDOWN, FALSE, 0);
    Application->ProcessMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"closeup"}));

    // Items changed while an item is chosen keep the choice when it still exists.
    combo->ItemIndex = 3;
    combo->Items->Add(L"附加");
    EXPECT_EQ(combo->ItemIndex.Get(), 3);
    // One more than it shows: dropped, the list scrolls.
    SendMessageW(combo->WindowHandle(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(GetComboBoxInfo(combo->WindowHandle(), &info));
    EXPECT_TRUE(GetWindowLongPtrW(info.hwndList, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(SendMessageW(combo->WindowHandle(), CB_GETCOUNT, 0, 0), 13);
    SendMessageW(combo->WindowHandle(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(combo->ItemIndex.Get(), 3);
    combo->Items->Clear();
    EXPECT_EQ(combo->ItemIndex.Get(), -1);
    EXPECT_EQ(combo->Text.Get(), L"");
    EXPECT_THROW(combo->Items->Strings(0), Exception);
}

TEST_F(ControlsTest, StatusBarSitsAtTheBottomWithItsPanels) {
    auto* status = new TStatusBar(form.get());
    status->Parent = form.get();
    const int widths[] = {225, 195, 50};
    const wchar_t* texts[] = {L"咨询电话：0000", L"", L" 木禾驾驶学校专用"};
    for (int i = 0; i < 3; ++i) {
        TStatusPanel* panel = status->Panels->Add();
        panel->Width = widths[i];
        panel->Text = texts[i];
    }
    status->Panels->Items(2)->Alignment = taCenter;
    form->Show();
    HWND bar = status->WindowHandle();
    int edges[3] = {};
    ASSERT_EQ(SendMessageW(bar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 225);
    EXPECT_EQ(edges[1], 420);
    EXPECT_EQ(edges[2], -1);  // the last panel reaches to the right edge
    EXPECT_EQ(status->PanelTextShown(0), L"咨询电话：0000");
    EXPECT_EQ(status->PanelTextShown(2), L"\t 木禾驾驶学校专用");  // centred
    EXPECT_FALSE(SendMessageW(bar, SB_ISSIMPLE, 0, 0));
    auto atBottom = [&] {
        RECT client{}, r{};
        GetClientRect(form->WindowHandle(), &client);
        GetWindowRect(status->WindowHandle(), &r);
        MapWindowPoints(nullptr, form->WindowHandle(), reinterpret_cast<POINT*>(&r), 2);
        return r.bottom == client.bottom && r.left == 0 && r.right == client.right && status->Top.Get() == r.top;
    };
    EXPECT_TRUE(atBottom());
    form->SetBounds(0, 0, 700, 500);
    EXPECT_TRUE(atBottom());
    // Turning the size grip off re-creates the bar; its panels come back.
    EXPECT_TRUE(GetWindowLongPtrW(bar, GWL_STYLE) & SBARS_SIZEGRIP);  // the VCL's default
    status->SizeGrip = false;
    EXPECT_FALSE(GetWindowLongPtrW(status->WindowHandle(), GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_EQ(status->PanelTextShown(0), L"咨询电话：0000");
    EXPECT_TRUE(atBottom());
}

TEST_F(ControlsTest, EditKeepsItsPropertiesAcrossItsWindow) {
    auto* edit = new TEdit(form.get());
    edit->Parent = form.get();
    edit->Text = L"12";
    edit->ReadOnly = true;
    edit->BorderStyle = bsNone;
    edit->SelStart = 1;
    form->Create();
    HWND hwnd = edit->WindowHandle();
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(edit->SelStart.Get(), 1);
    wchar_t text[16] = {};
    GetWindowTextW(hwnd, text, 16);
    EXPECT_STREQ(text, L"12");
    edit->ReadOnly = false;
    edit->BorderStyle = bsSingle;
    EXPECT_FALSE(GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    SetWindowTextW(hwnd, L" 37 ");  // typed by the learner
    EXPECT_EQ(edit->Text.Get(), L" 37 ");
    edit->RecreateWnd();
    EXPECT_NE(edit->WindowHandle(), hwnd);
    EXPECT_EQ(edit->Text.Get(), L" 37 ");
}

TEST_F(ControlsTest, WindowsGetTheirFontAndANewOneBeforeTheOldIsDeleted) {
    form->Font->Height = 14;
    auto* panel = new TPanel(form.get());
    panel->Parent = form.get();
    auto* button = new TBitBtn(form.get());
    button->Parent = panel;
    auto* own = new TEdit(form.get());
    own->Parent = panel;
    own->Font->Style = fsBold;  // its own font from now on
    form->Create();
    // Inherited through the panel.
    EXPECT_EQ(button->Font->Height.Get(), 14);
    EXPECT_EQ(button->Font->Name.Get(), L"宋体");
    EXPECT_EQ(button->Font->Charset.Get(), GB2312_CHARSET);
    HWND hwnd = button->WindowHandle();
    const HFONT first = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    EXPECT_EQ(first, button->Font->Handle());
    LOGFONTW lf{};
    GetObjectW(first, sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -14);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);

    // The panel's new font reaches the button, which holds the new HFONT; the old one is gone.
    panel->Font->Height = 16;
    const HFONT second = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    EXPECT_NE(second, first);
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(GetObjectType(second), DWORD(OBJ_FONT));
    GetObjectW(second, sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -16);
    // The edit keeps its own.
    EXPECT_EQ(own->Font->Height.Get(), 14);
    EXPECT_FALSE(own->ParentFont);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(own->WindowHandle(), WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
}

TEST_F(ControlsTest, WindowProcHooksSeeEveryMessageFirstAndCanBeRemoved) {
    auto* edit = new TEdit(form.get());
    edit->Parent = form.get();
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
    // The real procedure stays reachable: the system's EDIT procedure, with ours in front.
    WNDCLASSW editClass{};
    GetClassInfoW(nullptr, L"EDIT", &editClass);
    EXPECT_EQ(edit->DefWndProc(), editClass.lpfnWndProc);
    EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit->WindowHandle(), GWLP_WNDPROC)), editClass.lpfnWndProc);
    EXPECT_EQ(FindControl(edit->WindowHandle()), edit);

    // A hook in the skin engine's manner: chained in front, swallowing some messages.
    std::vector<UINT> seen;
    const TWndHookToken hook = edit->HookWindowProc([&](TMessage& m, const TWndNext& next) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_CHAR && m.WParam == L'x') return;  // swallowed
        next(m);
    });
    PressKey('X');
    PressKey('1');
    EXPECT_EQ(edit->Text.Get(), L"1");
    EXPECT_NE(std::find(seen.begin(), seen.end(), UINT(WM_KEYDOWN)), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), UINT(WM_KEYUP)), seen.end());
    // Messages sent by the toolkit itself (Perform) pass the chain too.
    seen.clear();
    edit->Perform(CM_MOUSEENTER);
    EXPECT_EQ(seen, (std::vector<UINT>{CM_MOUSEENTER}));
    EXPECT_TRUE(edit->UnhookWindowProc(hook));
    seen.clear();
    PressKey('X');
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(edit->Text.Get(), L"1x");
}

TEST_F(ControlsTest, LabelsTakeClicksAndDoubleClicksAndShowTheHandCursor) {
    form->BorderStyle = bsNone;
    auto* link = new TLabel(form.get());
    link->Parent = form.get();
    link->SetBounds(20, 20, 120, 20);
    link->Caption = L"加入强化练习";
    link->Font->Style = fsUnderline;
    link->Cursor = crHandPoint;
    auto* under = new TImage(form.get());  // below the label: the label is on top
    under->Parent = form.get();
    under->SendToBack();
    under->SetBounds(0, 0, 200, 100);
    int clicks = 0, doubles = 0, imageClicks = 0, formClicks = 0;
    link->OnClick = [&] { ++clicks; };
    link->OnDblClick = [&] { ++doubles; };
    under->OnClick = [&] { ++imageClicks; };
    form->OnClick = [&] { ++formClicks; };
    form->Show();
    HWND hwnd = form->WindowHandle();

    ClickAt(hwnd, 30, 25);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(imageClicks, 0);
    DoubleClickAt(hwnd, 30, 25);  // one click and one double click
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubles, 1);
    ClickAt(hwnd, 150, 60);  // beside the label, on the image
    EXPECT_EQ(imageClicks, 1);
    ClickAt(hwnd, 300, 300);  // on the form itself
    EXPECT_EQ(formClicks, 1);
    // Pressed on the label, released elsewhere: no click.
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 25));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    Application->ProcessMessages();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(formClicks, 1);
    link->Enabled = false;
    ClickAt(hwnd, 30, 25);
    EXPECT_EQ(clicks, 2);
    link->Enabled = true;

    // The hand over the label, the arrow beside it.
    POINT p{30, 25};
    ClientToScreen(hwnd, &p);
    SetCursorPos(p.x, p.y);
    SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    p = POINT{300, 300};
    ClientToScreen(hwnd, &p);
    SetCursorPos(p.x, p.y);
    SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(ControlsTest, LaterWindowsLieAboveEarlierOnesAndClassNamesAreTheVclOnes) {
    auto* combo = new TComboBox(form.get());
    combo->Parent = form.get();
    combo->SetBounds(10, 10, 150, 21);
    auto* edit = new TEdit(form.get());  // laid over the combo's text part
    edit->Parent = form.get();
    edit->SetBounds(10, 10, 120, 21);
    form->Create();
    POINT p{50, 15};
    EXPECT_EQ(ChildWindowFromPoint(form->WindowHandle(), p), edit->WindowHandle());
    edit->SendToBack();
    EXPECT_EQ(ChildWindowFromPoint(form->WindowHandle(), p), combo->WindowHandle());
    combo->SendToBack();
    EXPECT_EQ(ChildWindowFromPoint(form->WindowHandle(), p), edit->WindowHandle());

    std::vector<std::wstring> names;
    for (TComponent* c : std::vector<TComponent*>{combo, edit, new TLabel(form.get()), new TImage(form.get()),
                                                  new TDBText(form.get()), new TPanel(form.get()),
                                                  new TBitBtn(form.get()), new TStatusBar(form.get()),
                                                  new TTimer(form.get()), form.get()})
        names.push_back(c->ClassName());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"TComboBox", L"TEdit", L"TLabel", L"TImage", L"TDBText", L"TPanel",
                                                L"TBitBtn", L"TStatusBar", L"TTimer", L"TForm"}));
}

TEST_F(ControlsTest, PositionCentresTheFormAndBorderIconsShapeItsFrame) {
    form->SetBounds(0, 0, 769, 568);
    form->Position = poScreenCenter;
    form->BorderIcons = biSystemMenu | biMaximize;
    form->Create();
    RECT made{};
    GetWindowRect(form->WindowHandle(), &made);
    EXPECT_EQ(made.left, (GetSystemMetrics(SM_CXSCREEN) - 769) / 2) << "made in its place";
    EXPECT_EQ(made.top, (GetSystemMetrics(SM_CYSCREEN) - 568) / 2);
    const LONG_PTR style = GetWindowLongPtrW(form->WindowHandle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_THICKFRAME);
    form->Show();
    RECT r{};
    GetWindowRect(form->WindowHandle(), &r);
    EXPECT_EQ(r.right - r.left, 769);  // the outer size
    EXPECT_EQ(r.bottom - r.top, 568);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 769) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 568) / 2);
    EXPECT_EQ(form->Left.Get(), r.left);

    // A dialog centred on the main window.
    Owned<TForm> dialog(new TForm(nullptr));
    dialog->BorderStyle = bsDialog;
    dialog->SetBounds(0, 0, 270, 139);
    dialog->Position = poMainFormCenter;
    dialog->Create();
    EXPECT_FALSE(GetWindowLongPtrW(dialog->WindowHandle(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
    EXPECT_GT(dialog->ClientHeight(), 0);
    EXPECT_LT(dialog->ClientHeight(), 139);

    // A form that takes another size or place in its OnCreate is centred as it is when shown.
    for (const bool move : {false, true}) {
        Owned<TForm> grown(new TForm(nullptr));
        grown->SetBounds(0, 0, 300, 200);
        grown->Position = poScreenCenter;
        grown->OnCreate = [&grown, move] {
            if (move)
                grown->Left = 5;
            else
                grown->SetClientSize(500, 360);
        };
        grown->Show();
        GetWindowRect(grown->WindowHandle(), &r);
        EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2) << (move ? "moved" : "resized");
        EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2) << (move ? "moved" : "resized");
        if (!move) EXPECT_EQ(grown->ClientWidth(), 500);
    }
}

TEST_F(ControlsTest, AWindowCentredOnTheMainWindowIsCentredEvenWhenLargerAndStaysOnTheScreen) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    Owned<TForm> mainHolder(main);
    ASSERT_EQ(Application->MainForm(), main);
    main->SetBounds(200, 150, 746, 489);
    main->Show();
    Owned<TForm> drill(new TForm(nullptr));
    drill->SetBounds(0, 0, 819, 569);
    drill->Position = poMainFormCenter;
    drill->Show();
    RECT owner{}, r{};
    GetWindowRect(main->WindowHandle(), &owner);
    GetWindowRect(drill->WindowHandle(), &r);
    // Centred up to the halving of an odd difference.
    EXPECT_NEAR(r.left + r.right, owner.left + owner.right, 1) << RectText(r) << " on " << RectText(owner);
    EXPECT_NEAR(r.top + r.bottom, owner.top + owner.bottom, 1) << RectText(r) << " on " << RectText(owner);
    drill->Hide();

    // A main window at the screen's corner: the larger window keeps its caption on screen.
    main->SetBounds(-20, -10, 746, 489);
    drill->Show();
    GetWindowRect(drill->WindowHandle(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    drill->Hide();
    // At the far corner it stays inside the screen's right and bottom edges.
    main->SetBounds(GetSystemMetrics(SM_CXSCREEN) - 700, GetSystemMetrics(SM_CYSCREEN) - 400, 746, 489);
    drill->Show();
    GetWindowRect(drill->WindowHandle(), &r);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
}

}  // namespace
