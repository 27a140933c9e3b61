// GDI objects and windows: a form with every kind of control, shown, painted, changed and
// closed a hundred times, leaves the process with as many as before.
#include <map>

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

class OneRow : public DataSetView {
public:
    bool HasCurrentRow() const override { return true; }
    std::string CurrentText(const std::string&) const override { return "驾驶机动车在道路上行驶"; }
    void Moved() { NotifyObservers(); }
};

// Builds, shows, paints and exercises one form; closes it with caFree or deletes it.
void OneRound(OneRow& data, bool release) {
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 300);
    form->Color = clWhite;
    auto* panel = new TPanel(form);
    panel->Parent = form;
    panel->SetBounds(0, 0, 200, 150);
    panel->Caption = L"木禾";
    panel->Font->Style = fsBold;
    auto* label = new TLabel(panel);
    label->Parent = panel;
    label->Caption = L"第1题";
    label->Font->Height = 16;
    auto* image = new TImage(form);
    image->Parent = form;
    image->SetBounds(210, 10, 50, 50);
    image->Picture->Assign(Bitmap32(80, 80, 0x123456));
    auto* text = new TDBText(form);
    text->Parent = form;
    text->SetBounds(10, 160, 200, 40);
    text->DataField = "timu";
    text->DataSource = &data;
    auto* button = new TBitBtn(panel);
    button->Parent = panel;
    button->Top = 40;
    button->Caption = L"0模拟考试";
    auto* edit = new TEdit(form);
    edit->Parent = form;
    edit->SetBounds(210, 100, 100, 21);
    edit->ReadOnly = true;
    edit->Color = clYellow;
    auto* combo = new TComboBox(form);
    combo->Parent = form;
    combo->SetBounds(210, 130, 100, 21);
    combo->Items->Add(L"第一套");
    combo->Items->Add(L"第二套");
    combo->ItemIndex = 1;
    combo->Color = clAqua;
    auto* status = new TStatusBar(form);
    status->Parent = form;
    status->Panels->Add()->Text = L"咨询电话：";
    auto* timer = new TTimer(form);
    timer->Interval = 1000;
    form->Show();
    PrintClient(form->WindowHandle());
    PrintClient(panel->WindowHandle());
    UpdateWindow(form->WindowHandle());
    // Fonts made anew and handed to the windows; colours changed.
    label->Font->Height = 18;
    edit->Font->Height = 14;
    panel->Font->Name = L"SimSun";
    combo->Color = clWhite;
    data.Moved();
    UpdateWindow(form->WindowHandle());
    if (release) {
        bool gone = false;
        form->AddFreeNotification([&] { gone = true; });
        form->OnClose = [](TCloseAction& action) { action = caFree; };
        PostMessageW(form->WindowHandle(), WM_CLOSE, 0, 0);
        PumpUntil([&] { return gone; });
    } else {
        FreeComponent(form);
        Application->ProcessMessages();
    }
}

class ResourcesTest : public UiTest {};

TEST_F(ResourcesTest, TheGdiCounterSeesObjectsComeAndGo) {
    const int before = GdiObjectCount();
    HBRUSH brushes[10];
    for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(GdiObjectCount(), before + 10);
    for (HBRUSH b : brushes) DeleteObject(b);
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(ResourcesTest, AFormWithEveryControlLeavesNothingBehindAHundredTimes) {
    OneRow data;
    // The first rounds fill the system's own caches (fonts, classes, stock objects).
    for (int i = 0; i < 3; ++i) OneRound(data, i % 2 == 0);
    const int gdiBefore = GdiObjectCount();
    const int windowsBefore = ThreadWindowCount();
    for (int i = 0; i < 100; ++i) OneRound(data, i % 2 == 0);
    EXPECT_EQ(ThreadWindowCount(), windowsBefore);
    // A leak of one object a round would show as a hundred; a few may be the system's caches.
    EXPECT_NEAR(GdiObjectCount(), gdiBefore, 4);
    EXPECT_TRUE(Application->Forms().empty());
}

}  // namespace
