// The application object: CreateForm makes the first form the main form and runs its
// creation; Run shows it and loops until it closes; a failed creation leaves nothing behind.
#include <vector>

#include "ui/bit_btn.h"
#include "ui/timer.h"
#include "ui_test_support.h"

namespace {

struct TFormMain : TForm {
    explicit TFormMain(TComponent* owner) : TForm(owner) {
        OnCreate = [this] { ++created; };
    }
    std::wstring ClassName() const override { return L"TFormMain"; }
    int created = 0;
};

struct TFormBroken : TForm {
    explicit TFormBroken(TComponent* owner) : TForm(owner) {
        OnCreate = [] { throw EDatabaseError("无法打开数据库文件 jjj"); };
    }
    std::wstring ClassName() const override { return L"TFormBroken"; }
};

class ApplicationTest : public UiTest {};

TEST_F(ApplicationTest, RunShowsTheMainFormAndReturnsWhenItCloses) {
    TFormMain* Form1 = nullptr;
    Application->CreateForm(Form1);
    ASSERT_NE(Form1, nullptr);
    EXPECT_EQ(Application->MainForm(), Form1);
    EXPECT_EQ(Form1->Owner(), Application);
    EXPECT_EQ(Form1->created, 1);
    EXPECT_FALSE(Form1->Visible);
    TFormMain* Form2 = nullptr;
    Application->CreateForm(Form2);
    EXPECT_EQ(Application->MainForm(), Form1);  // only the first is the main form

    auto* exit = new TBitBtn(Form1);
    exit->Parent = Form1;
    exit->OnClick = [&] { Form1->Close(); };  // as the main menu's "8退出系统"
    Application->Title = L"木禾考试模拟系统";
    HWND app = Application->Handle();
    bool visibleInRun = false;
    bool minimised = false;
    bool restored = false;
    bool activatedForm = false;
    RunSoon([&] {
        visibleInRun = Form1->Visible && IsWindowVisible(Form1->WindowHandle()) && IsWindowVisible(app);
        // Minimising the main form minimises the program; restoring brings the form back.
        SendMessageW(Form1->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        minimised = IsIconic(app) && !IsWindowVisible(Form1->WindowHandle());
        ShowWindow(app, SW_RESTORE);
        restored = IsWindowVisible(Form1->WindowHandle());
        // The task bar button activates the application window; the form takes over.
        SetActiveWindow(app);
        activatedForm = PumpUntil([&] { return Form1->Active(); });
        PressKey(VK_RETURN);
    });
    Application->Run();
    EXPECT_TRUE(visibleInRun);
    EXPECT_TRUE(minimised);
    EXPECT_TRUE(restored);
    EXPECT_TRUE(activatedForm);
    EXPECT_FALSE(IsWindowVisible(app));
    // The one task bar window is the application's, with the title; the forms belong to it.
    wchar_t text[32] = {};
    GetWindowTextW(app, text, 32);
    EXPECT_STREQ(text, L"木禾考试模拟系统");
    EXPECT_EQ(GetWindow(Form1->WindowHandle(), GW_OWNER), app);
    wchar_t className[32] = {};
    GetClassNameW(app, className, 32);
    EXPECT_STREQ(className, L"TApplication");
    EXPECT_FALSE(Application->Terminated());  // over; a later loop starts afresh
    bool freed = false;
    Form2->AddFreeNotification([&] { freed = true; });
    Application->DestroyForms();
    EXPECT_TRUE(freed);
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(Application->ComponentCount(), 0);
}

// Work left for idle time waits until the queue is empty and the main form has painted; it
// runs once, and work it leaves in turn runs at the next idle time.
TEST_F(ApplicationTest, IdleWorkRunsOnceAfterTheMainFormHasPainted) {
    TFormMain* Form1 = nullptr;
    Application->CreateForm(Form1);
    int runs = 0;
    bool painted = false;
    bool postedFirst = false;
    bool leftWorkRan = false;
    std::vector<UINT> handled;
    auto* button = new TBitBtn(Form1);
    button->Parent = Form1;
    button->OnClick = [&] { handled.push_back(WM_USER); };
    Application->WhenIdle([&] {
        ++runs;
        HWND form = Form1->WindowHandle();
        painted = IsWindowVisible(form) && !GetUpdateRect(form, nullptr, FALSE);
        postedFirst = handled.size() == 1;
        Application->WhenIdle([&] {
            leftWorkRan = true;
            Form1->Close();
        });
    });
    PostMessageW(button->WindowHandle(), BM_CLICK, 0, 0);
    Application->Run();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(painted);
    EXPECT_TRUE(postedFirst);
    EXPECT_TRUE(leftWorkRan);
    Application->DestroyForms();
}

TEST_F(ApplicationTest, AFailedCreationDeletesTheFormAndPassesTheErrorOn) {
    TFormBroken* Form3 = reinterpret_cast<TFormBroken*>(1);
    const size_t forms = Application->Forms().size();
    EXPECT_THROW(Application->CreateForm(Form3), EDatabaseError);
    EXPECT_EQ(Form3, nullptr);
    EXPECT_EQ(Application->Forms().size(), forms);
    EXPECT_EQ(Application->MainForm(), nullptr);
}

}  // namespace
