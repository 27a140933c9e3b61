// The program's windows and its skin: the main window's skin component skins the main window,
// the mock exam, the system's message box and the toolkit's message form; switched off, every
// one of them keeps the system's frame.
#include "app/form1.h"
#include "app/window_refs.h"
#include "exam/win/form5.h"
#include "skin/win32/skin_manage.h"
#include "skin/win32/win_skin_form.h"
#include "support/sample_bank.h"
#include "ui_test_support.h"

namespace {

struct Seen {
    bool skinned = false;
    int captionHeight = 0;
};

class ProgramSkinTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        bank_ = std::make_unique<SampleBank>();
        DataModule3 = &bank_->Module();
        form_.reset(new TForm1(nullptr));
        Form1 = form_.get();
    }
    void TearDown() override {
        Application->SetBoxResponder({});
        form_.reset();
        Form1 = nullptr;
        DataModule3 = nullptr;
        bank_.reset();
        EXPECT_EQ(TSkinManage::Instance(false), nullptr);
        UiTest::TearDown();
    }

    static Seen Look(HWND hwnd) {
        Seen seen;
        TSkinManage* manager = TSkinManage::Instance(false);
        TWinSkinForm* skinned = manager ? manager->FindForm(hwnd) : nullptr;
        seen.skinned = skinned && skinned->LifeState() == lsSkinned && SendMessageW(hwnd, 0x3504, 0, 0) == 1;
        RECT window{};
        GetWindowRect(hwnd, &window);
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        seen.captionHeight = origin.y - window.top;
        return seen;
    }
    static bool Finished(HWND hwnd) {
        TSkinManage* manager = TSkinManage::Instance(false);
        TWinSkinForm* skinned = manager ? manager->FindForm(hwnd) : nullptr;
        return skinned && skinned->LifeState() == lsSkinned;
    }

    // Shows the main window, opens the exam, and in it a message box and the message form;
    // what each looked like once it was up (and, with the skin on, skinned).
    std::vector<Seen> Walk(bool expectSkin) {
        std::vector<Seen> seen;
        form_->Show();
        PumpUntil([&] { return form_->Active() && (!expectSkin || Finished(form_->Handle())); });
        seen.push_back(Look(form_->Handle()));
        Application->SetBoxResponder([&](const TOpenBox& box) {
            if (!box.Window || (expectSkin && !Finished(box.Window))) return kBoxNotYet;
            seen.push_back(Look(box.Window));
            return box.Kind == TBoxKind::ShowMessage ? IDOK : IDNO;
        });
        RunAfter(100, [&] {
            HWND exam = Form5->Handle();
            PumpUntil([&] { return Form5->Active() && (!expectSkin || Finished(exam)); });
            seen.push_back(Look(exam));
            Application->MessageBox(L"确实要交卷吗？", L"提示", MB_YESNO);
            Application->ShowMessage(L"已经开始作题，交卷后才能关闭");
            Form5->Close();
        });
        form_->BitBtn1->Click();
        return seen;
    }

    std::unique_ptr<SampleBank> bank_;
    Owned<TForm1> form_;
};

TEST_F(ProgramSkinTest, EveryWindowWearsTheSkin) {
    ASSERT_FALSE(form_->SkinData1->SkinPending());
    EXPECT_TRUE(form_->SkinData1->Active());
    EXPECT_EQ(form_->SkinData1->MenuGlyphs->Count(), 8);  // restore … help, for the menus
    const TSkinContent& c = form_->SkinData1->Content();
    const int caption = c.Top.Image.height / c.Top.FrameCount;
    const std::vector<Seen> seen = Walk(true);
    ASSERT_EQ(seen.size(), 4u);
    const char* names[] = {"main window", "exam", "message box", "message form"};
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_TRUE(seen[i].skinned) << names[i];
        EXPECT_EQ(seen[i].captionHeight, caption) << names[i];
    }
}

TEST_F(ProgramSkinTest, WithTheSkinSwitchedOffEveryWindowKeepsTheSystemFrame) {
    form_->SkinData1->SetActive(false);
    const std::vector<Seen> seen = Walk(false);
    ASSERT_EQ(seen.size(), 4u);
    for (const Seen& s : seen) {
        EXPECT_FALSE(s.skinned);
        EXPECT_GE(s.captionHeight, GetSystemMetrics(SM_CYCAPTION));
        EXPECT_LE(s.captionHeight, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME));
    }
}

}  // namespace
