// The automation interface: the dump of the active window (components, colours, bounds in
// the form's client area, an open message box), the window list, and muhe-probe.exe asking
// a running process over WM_COPYDATA.
#include <string>

#include "base/utf.h"
#include "ui/automation.h"
#include "ui/automation_protocol.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/status_bar.h"
#include "ui/timer.h"
#include "ui/tree_view.h"
#include "ui_test_support.h"

namespace {

struct TFormA : TForm {
    explicit TFormA(TComponent* owner) : TForm(owner) {
        Caption = L"模拟考试";
        BorderStyle = bsSingle;
        SetBounds(50, 50, 500, 400);
        Color = clWhite;
        Label12 = Add<TLabel>(L"Label12", this);
        Label12->SetBounds(10, 20, 120, 16);
        Label12->Caption = L"你的答案是:2";
        Label12->Font->Color = clBlue;
        Panel1 = Add<TPanel>(L"Panel1", this);
        Panel1->SetBounds(100, 50, 300, 200);
        L7 = Add<TLabel>(L"L7", Panel1);
        L7->SetBounds(5, 6, 20, 14);
        L7->Caption = L"7";
        L7->Font->Color = clRed;
        Edit1 = Add<TEdit>(L"Edit1", Panel1);
        Edit1->SetBounds(10, 30, 80, 21);
        Edit1->Text = L"第一套";
        Image5 = Add<TImage>(L"Image5", this);
        Image5->SetBounds(10, 300, 30, 30);
        Image5->Visible = false;
        StatusBar1 = Add<TStatusBar>(L"StatusBar1", this);
        StatusBar1->Panels->Add()->Text = L"咨询电话：";
        StatusBar1->Panels->Add()->Text = L"";
        Timer1 = new TTimer(this);
        Timer1->Name = L"Timer1";
        Timer1->Enabled = false;
    }
    std::wstring ClassName() const override { return L"TFormA"; }
    template <class C>
    C* Add(const wchar_t* name, TWinControl* parent) {
        C* c = new C(this);
        c->Name = name;
        c->Parent = parent;
        return c;
    }
    TLabel* Label12;
    TPanel* Panel1;
    TLabel* L7;
    TEdit* Edit1;
    TImage* Image5;
    TStatusBar* StatusBar1;
    TTimer* Timer1;
};

const JsonValue* Component(const JsonValue& dump, const std::string& name) {
    for (const JsonValue& c : dump["components"].items)
        if (c["name"].text == name) return &c;
    return nullptr;
}

class AutomationTest : public UiTest {};

TEST_F(AutomationTest, DumpDescribesTheFormAndEveryControlOnIt) {
    Owned<TFormA> form(new TFormA(nullptr));
    form->Show();
    const JsonValue dump = ParseJson(AutomationDumpWindow(form->WindowHandle()));
    EXPECT_EQ(dump["window"]["class"].text, "TFormA");
    EXPECT_EQ(dump["window"]["caption"].text, "模拟考试");
    EXPECT_EQ(dump["message_box"].type, JsonValue::Null);
    // The controls, not the timer.
    EXPECT_EQ(dump["components"].items.size(), 6u);
    EXPECT_EQ(Component(dump, "Timer1"), nullptr);

    const JsonValue* label = Component(dump, "Label12");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ((*label)["class"].text, "TLabel");
    EXPECT_EQ((*label)["caption"].text, "你的答案是:2");
    EXPECT_TRUE((*label)["visible"].boolean);
    EXPECT_TRUE((*label)["enabled"].boolean);
    EXPECT_EQ((*label)["font_color"].text, "#0000FF");
    EXPECT_EQ(Utf8ToWide((*label)["color"].text), ColorToHtml(clBtnFace));  // a system colour, resolved
    EXPECT_EQ((*label)["left"].number, 10);
    EXPECT_EQ((*label)["top"].number, 20);
    EXPECT_EQ((*label)["width"].number, 120);
    EXPECT_EQ((*label)["height"].number, 16);

    // Bounds are in the form's client area, through the panel.
    const JsonValue* cell = Component(dump, "L7");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ((*cell)["font_color"].text, "#FF0000");
    EXPECT_EQ((*cell)["left"].number, 105);
    EXPECT_EQ((*cell)["top"].number, 56);
    const JsonValue* edit = Component(dump, "Edit1");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ((*edit)["class"].text, "TEdit");
    EXPECT_EQ((*edit)["caption"].text, "第一套");
    EXPECT_EQ((*edit)["left"].number, 110);
    EXPECT_EQ((*edit)["top"].number, 80);
    EXPECT_FALSE((*Component(dump, "Image5"))["visible"].boolean);
    EXPECT_EQ((*Component(dump, "StatusBar1"))["caption"].text, "咨询电话： | ");

    // The window on the screen: its outer bounds and where its client area (the origin of
    // every component's bounds) begins, inside the frame.
    const JsonValue& rect = dump["window"]["rect"];
    EXPECT_EQ(rect["left"].number, 50);
    EXPECT_EQ(rect["top"].number, 50);
    EXPECT_EQ(rect["right"].number, 550);
    EXPECT_EQ(rect["bottom"].number, 450);
    POINT origin{0, 0};
    ClientToScreen(form->WindowHandle(), &origin);
    const JsonValue& clientOrigin = dump["window"]["client_origin"];
    EXPECT_EQ(clientOrigin["x"].number, origin.x);
    EXPECT_EQ(clientOrigin["y"].number, origin.y);
    EXPECT_GT(origin.x, 50);
    EXPECT_GT(origin.y, 50 + GetSystemMetrics(SM_CYCAPTION) - 1);
    // A point of the edit, reckoned from the dump alone, is the edit on the screen.
    const POINT inEdit{LONG(clientOrigin["x"].number + (*edit)["left"].number + 5),
                       LONG(clientOrigin["y"].number + (*edit)["top"].number + 5)};
    EXPECT_EQ(WindowFromPoint(inEdit), form->Edit1->WindowHandle());

    // Texts with quotes, backslashes and line breaks survive the trip.
    form->Label12->Caption = L"a\"b\\c\r\n\t\x01";
    const JsonValue again = ParseJson(AutomationDumpWindow(form->WindowHandle()));
    EXPECT_EQ((*Component(again, "Label12"))["caption"].text, "a\"b\\c\r\n\t\x01");
    // A hidden panel hides what is on it.
    form->Panel1->Visible = false;
    const JsonValue hidden = ParseJson(AutomationDumpWindow(form->WindowHandle()));
    EXPECT_FALSE((*Component(hidden, "L7"))["visible"].boolean);
    EXPECT_FALSE((*Component(hidden, "Edit1"))["visible"].boolean);
}

TEST_F(AutomationTest, AnOpenBoxIsTheMessageBoxAndTheWindowBelowItIsDescribed) {
    Application->Title = L"木禾考试模拟系统";
    Owned<TFormA> form(new TFormA(nullptr));
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    std::string duringBox;
    std::string duringMessage;
    Application->SetBoxResponder([&](const TOpenBox& box) {
        if (box.Kind == TBoxKind::MessageBox) {
            duringBox = AutomationDump();
            return IDNO;
        }
        duringMessage = AutomationDump();
        return IDOK;
    });
    Application->MessageBox(L"确实要交卷吗？", L"提示", MB_YESNO);
    ShowMessage(L"已经到最后一题");

    const JsonValue box = ParseJson(duringBox);
    EXPECT_EQ(box["message_box"]["class"].text, "#32770");
    EXPECT_EQ(box["message_box"]["caption"].text, "提示");
    EXPECT_EQ(box["message_box"]["text"].text, "确实要交卷吗？");
    EXPECT_EQ(box["window"]["class"].text, "TFormA");
    EXPECT_NE(Component(box, "Label12"), nullptr);
    const JsonValue message = ParseJson(duringMessage);
    EXPECT_EQ(message["message_box"]["class"].text, "TMessageForm");
    EXPECT_EQ(message["message_box"]["caption"].text, "木禾考试模拟系统");
    EXPECT_EQ(message["message_box"]["text"].text, "已经到最后一题");
    EXPECT_EQ(message["window"]["caption"].text, "模拟考试");
    // With the boxes gone the form itself is the active window again.
    EXPECT_EQ(ParseJson(AutomationDump())["message_box"].type, JsonValue::Null);
}

TEST_F(AutomationTest, TreeRowsAndListItemsAreDescribedWhereALearnerWouldClickThem) {
    Owned<TFormA> form(new TFormA(nullptr));
    auto* combo = form->Add<TComboBox>(L"ComboBox1", form.get());
    combo->SetBounds(0, 0, 300, 22);
    combo->Items->Assign({L"一章", L"二章", L"三章"});
    combo->ItemIndex = 2;
    auto* tree = form->Add<TTreeView>(L"TreeView1", form->Panel1);
    tree->SetBounds(50, 20, 200, 170);
    form->Show();
    TTreeNode* one = tree->Items->AddChild(nullptr, L"第一章");
    TTreeNode* section = tree->Items->AddChild(one, L"道路");
    tree->Items->AddChild(section, L"判断题");
    tree->Items->AddChild(nullptr, L"第二章");
    one->Expanded = true;
    section->Selected = true;

    const JsonValue dump = ParseJson(AutomationDumpWindow(form->WindowHandle()));
    const JsonValue* list = Component(dump, "ComboBox1");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ((*list)["items"].items.size(), 3u);
    EXPECT_EQ((*list)["items"].items[1].text, "二章");
    EXPECT_EQ((*list)["item_index"].number, 2);
    EXPECT_EQ((*list)["caption"].text, "三章");
    EXPECT_GT((*list)["item_height"].number, 0);

    const JsonValue* treeDump = Component(dump, "TreeView1");
    ASSERT_NE(treeDump, nullptr);
    EXPECT_EQ((*treeDump)["caption"].text, "道路");
    const auto& rows = (*treeDump)["nodes"].items;
    ASSERT_EQ(rows.size(), 3u) << "the kind under the collapsed section has no row";
    EXPECT_EQ(rows[0]["text"].text, "第一章");
    EXPECT_TRUE(rows[0]["expanded"].boolean);
    EXPECT_EQ(rows[1]["text"].text, "道路");
    EXPECT_EQ(rows[1]["level"].number, 1);
    EXPECT_TRUE(rows[1]["selected"].boolean);
    EXPECT_FALSE(rows[1]["expanded"].boolean);
    EXPECT_EQ(rows[2]["text"].text, "第二章");
    EXPECT_FALSE(rows[2]["selected"].boolean);
    // Each row's rectangle is its text, in the form's client area: a click there chooses it.
    for (size_t i = 0; i < rows.size(); ++i) {
        const POINT formPoint{LONG(rows[i]["left"].number + rows[i]["width"].number / 2),
                              LONG(rows[i]["top"].number + rows[i]["height"].number / 2)};
        POINT treePoint = formPoint;
        MapWindowPoints(form->WindowHandle(), tree->WindowHandle(), &treePoint, 1);
        TTreeNode* hit = tree->GetNodeAt(treePoint.x, treePoint.y);
        ASSERT_NE(hit, nullptr) << i;
        EXPECT_EQ(WideToUtf8(hit->GetText()), rows[i]["text"].text);
    }
    EXPECT_GT(rows[0]["left"].number, 150) << "the rows lie inside the panel at 100 and the tree at 50";
    EXPECT_GT(rows[1]["left"].number, rows[0]["left"].number) << "a child is indented";
}

TEST_F(AutomationTest, WindowListHasTheVisibleWindowsOnly) {
    Owned<TFormA> shown(new TFormA(nullptr));
    shown->Show();
    Owned<TForm> hidden(new TForm(nullptr));
    hidden->Caption = L"隐藏";
    hidden->Create();
    const JsonValue list = ParseJson(AutomationWindowList());
    bool sawShown = false;
    for (const JsonValue& w : list["windows"].items) {
        sawShown |= w["class"].text == "TFormA" && w["caption"].text == "模拟考试";
        EXPECT_NE(w["caption"].text, "隐藏");
    }
    EXPECT_TRUE(sawShown);
}

// Runs muhe-probe.exe beside the tests, pumping this thread's messages meanwhile (the probe
// talks to our automation window); returns its exit code and output.
int RunProbe(const std::wstring& arguments, std::string& out, std::string& err) {
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    CreatePipe(&outRead, &outWrite, &sa, 0);
    CreatePipe(&errRead, &errWrite, &sa, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = outWrite;
    si.hStdError = errWrite;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"muhe-probe.exe " + arguments;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        ADD_FAILURE() << "muhe-probe.exe did not start";
        return -1;
    }
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 20, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           GetTickCount64() < deadline)
        Application->ProcessMessages();
    auto drain = [](HANDLE pipe, std::string& text) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(pipe, buffer, sizeof(buffer), &got, nullptr) && got) text.append(buffer, got);
        CloseHandle(pipe);
    };
    drain(outRead, out);
    drain(errRead, err);
    DWORD code = DWORD(-1);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return int(code);
}

TEST_F(AutomationTest, TheProbeAsksAProcessWithTheAutomationWindow) {
    Owned<TFormA> form(new TFormA(nullptr));
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    TAutomationServer server;
    const std::wstring pid = std::to_wstring(GetCurrentProcessId());
    std::string out, err;
    ASSERT_EQ(RunProbe(L"dump --pid " + pid, out, err), 0) << err;
    const JsonValue dump = ParseJson(out.substr(0, out.find_last_not_of("\r\n") + 1));
    EXPECT_EQ(dump["window"]["class"].text, "TFormA");
    ASSERT_NE(Component(dump, "Label12"), nullptr);
    EXPECT_EQ((*Component(dump, "Label12"))["caption"].text, "你的答案是:2");

    out.clear();
    ASSERT_EQ(RunProbe(L"windows --pid " + pid, out, err), 0) << err;
    EXPECT_NE(out.find("\"模拟考试\""), std::string::npos) << out;
}

TEST_F(AutomationTest, WithoutATrainerTheProbeFailsWithAMessage) {
    std::string out, err;
    const ULONGLONG start = GetTickCount64();
    // A process id no trainer has.
    EXPECT_EQ(RunProbe(L"dump --pid 4000000000", out, err), 1);
    EXPECT_LT(GetTickCount64() - start, 6000u);
    EXPECT_TRUE(out.empty());
    EXPECT_NE(err.find("no trainer answered"), std::string::npos) << err;
    EXPECT_EQ(RunProbe(L"frobnicate", out, err), 2);
}

TEST_F(AutomationTest, InitializeStartsTheInterfaceOnlyWhenAskedTo) {
    auto ours = [] {
        int n = 0;
        for (HWND h = FindWindowExW(HWND_MESSAGE, nullptr, kAutomationWindowClass, nullptr); h;
             h = FindWindowExW(HWND_MESSAGE, h, kAutomationWindowClass, nullptr))
            n += GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId();
        return n;
    };
    SetEnvironmentVariableW(L"MUHE_AUTOMATION", nullptr);
    Application->Initialize();
    EXPECT_EQ(ours(), 0);
    SetEnvironmentVariableW(L"MUHE_AUTOMATION", L"1");
    Application->Initialize();
    EXPECT_EQ(ours(), 1);
    Application->Initialize();  // once is enough
    EXPECT_EQ(ours(), 1);
    SetEnvironmentVariableW(L"MUHE_AUTOMATION", nullptr);
}

}  // namespace
