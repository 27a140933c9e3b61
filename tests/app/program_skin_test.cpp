// The program's windows and its skin: the main window's skin component skins the main window,
// the mock exam, the system's message box, the toolkit's message form, sequential, by-set,
// chapter and intensive practice and the jump dialog; switched off, every one of them keeps the system's
// frame.
#include <commctrl.h>

#include "app/form1.h"
#include "app/window_refs.h"
#include "exam/win/form5.h"
#include "practice/win/form2.h"
#include "practice/win/form4.h"
#include "practice/win/form55.h"
#include "practice/win/form6.h"
#include "practice/win/formqh2.h"
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
        jump_.reset(new TForm6(nullptr));
        Form6 = jump_.get();
    }
    void TearDown() override {
        Application->SetBoxResponder({});
        jump_.reset();
        Form6 = nullptr;
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

    // Opens a function window by its menu button; once it is up (and, with the skin on,
    // skinned) it is looked at, `inside` runs, and it is closed.
    void Visit(TBitBtn* button, const std::function<TForm*()>& window, bool expectSkin, std::vector<Seen>& seen,
               const std::function<void(TForm&)>& inside = {}) {
        bool visited = false;
        RunAfter(100, [&] {
            TForm* form = window();
            if (!form) return;
            PumpUntil([&] { return form->Active() && (!expectSkin || Finished(form->Handle())); });
            seen.push_back(Look(form->Handle()));
            if (inside) inside(*form);
            visited = true;
            form->Close();
        });
        button->Click();
        EXPECT_TRUE(visited) << "the window did not open";
    }

    // Shows the main window and opens every function window from it: in the exam a message
    // box and the message form, in sequential practice the jump dialog. What each looked like
    // once it was up.
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
        Visit(form_->BitBtn1, [] { return Form5; }, expectSkin, seen, [](TForm&) {
            Application->MessageBox(L"确实要交卷吗？", L"提示", MB_YESNO);
            Application->ShowMessage(L"已经开始作题，交卷后才能关闭");
        });
        Visit(form_->BitBtn2, [] { return Form2; }, expectSkin, seen, [&](TForm&) {
            RunAfter(100, [&] {
                PumpUntil([&] { return Form6->Active() && (!expectSkin || Finished(Form6->Handle())); });
                seen.push_back(Look(Form6->Handle()));
                Form6->Close();
            });
            Form6->ShowFor(L"2");
        });
        Visit(form_->BitBtn3, [] { return Form55; }, expectSkin, seen);
        Visit(form_->BitBtn4, [] { return Form4; }, expectSkin, seen);
        Visit(form_->BitBtn5, [] { return Formqh2; }, expectSkin, seen);
        return seen;
    }

    std::unique_ptr<SampleBank> bank_;
    Owned<TForm1> form_;
    Owned<TForm6> jump_;
};

const char* const kWindowNames[] = {"main window",         "exam",       "message box",       "message form",
                                    "sequential practice", "jump dialog", "by-set practice",  "chapter practice",
                                    "intensive practice"};

TEST_F(ProgramSkinTest, EveryWindowWearsTheSkin) {
    ASSERT_FALSE(form_->SkinData1->SkinPending());
    EXPECT_TRUE(form_->SkinData1->Active());
    EXPECT_EQ(form_->SkinData1->MenuGlyphs->Count(), 8);  // restore … help, for the menus
    const TSkinContent& c = form_->SkinData1->Content();
    const int caption = c.Top.Image.height / c.Top.FrameCount;
    // The skin leaves the main window's status bar without a grip, in the window it was made in.
    HWND bar = form_->StatusBar1->Handle();
    const std::vector<Seen> seen = Walk(true);
    EXPECT_EQ(form_->StatusBar1->WindowHandle(), bar);
    EXPECT_FALSE(GetWindowLongPtrW(form_->StatusBar1->WindowHandle(), GWL_STYLE) & SBARS_SIZEGRIP);
    ASSERT_EQ(seen.size(), std::size(kWindowNames));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_TRUE(seen[i].skinned) << kWindowNames[i];
        EXPECT_EQ(seen[i].captionHeight, caption) << kWindowNames[i];
    }
}

TEST_F(ProgramSkinTest, WithTheSkinSwitchedOffEveryWindowKeepsTheSystemFrame) {
    form_->SkinData1->SetActive(false);
    const std::vector<Seen> seen = Walk(false);
    ASSERT_EQ(seen.size(), std::size(kWindowNames));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_FALSE(seen[i].skinned) << kWindowNames[i];
        EXPECT_GE(seen[i].captionHeight, GetSystemMetrics(SM_CYCAPTION)) << kWindowNames[i];
        EXPECT_LE(seen[i].captionHeight, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME)) << kWindowNames[i];
    }
}

}  // namespace
