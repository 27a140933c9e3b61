#include "app/form1.h"

#include <shellapi.h>

#include <filesystem>
#include <memory>
#include <utility>

#include "app/school_contact.h"
#include "app/window_refs.h"
#include "data/data_module.h"
#include "exam/win/form5.h"
#include "practice/win/form2.h"
#include "practice/win/form4.h"
#include "practice/win/form55.h"
#include "practice/win/form6.h"
#include "practice/win/formqh2.h"
#include "reference/win/form8.h"
#include "ui/application.h"
#include "ui/builders.h"
#include "ui/resource_picture.h"

namespace {

constexpr int kColumnWidth = 225;
constexpr int kTitleHeight = 41;

// Shows a function window, made by `make` (after `before`, when set) with the main window as
// its owner, modally; keeps it in its program-wide reference while it lives, and releases it
// once it has closed (a window that released itself on closing is not touched again).
template <class F, class Make>
void OpenFunctionWindow(const std::function<void()>& before, F*& reference, Make make) {
    if (before) before();
    F* form = make();
    reference = form;
    auto released = std::make_shared<bool>(false);
    form->AddFreeNotification([&reference, form, released] {
        *released = true;
        if (reference == form) reference = nullptr;
    });
    try {
        form->ShowModal();
    } catch (...) {
        if (!*released) FreeComponent(form);
        throw;
    }
    if (!*released) form->Release();
}

}  // namespace

void OpenWithShell(TForm* parent, const std::wstring& target) {
    ShellExecuteW(parent ? parent->Handle() : nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

TForm1::TForm1(TComponent* owner, ShellOpener shellOpen) : TForm(owner), shellOpen_(std::move(shellOpen)) {
    Name = L"Form1";
    Caption = L"木禾驾驶员考试系统 ";
    SetBounds(0, 0, 746, 489);
    Position = poScreenCenter;
    SetSongFont(this, 12, clWindowText, 0);

    Panel1 = new TPanel(this);
    Panel1->Name = L"Panel1";
    Panel1->Parent = this;
    Panel1->BevelOuter = bvRaised;
    SetSongFont(Panel1, 14, clWindowText);

    BitBtn1 = MenuButton(0, L"0模拟考试", &TForm1::BitBtn1Click);
    BitBtn2 = MenuButton(1, L"1顺序练习", &TForm1::BitBtn2Click);
    BitBtn3 = MenuButton(2, L"2分套练习", &TForm1::BitBtn3Click);
    BitBtn4 = MenuButton(3, L"3分章练习", &TForm1::BitBtn4Click);
    BitBtn5 = MenuButton(4, L"4强化练习", &TForm1::BitBtn5Click);
    BitBtn6 = MenuButton(5, L"5法规标志", &TForm1::BitBtn6Click);
    BitBtn7 = MenuButton(6, L"7使用说明", &TForm1::BitBtn7Click);
    BitBtn8 = MenuButton(7, L"8退出系统", &TForm1::BitBtn8Click);

    Panel2 = new TPanel(this);
    Panel2->Name = L"Panel2";
    Panel2->Parent = this;
    Panel2->Caption = L"木禾机动车驾驶员模拟考试系统2006.1";
    SetSongFont(Panel2, 14, clWindowText);

    Image1 = new TImage(this);
    Image1->Name = L"Image1";
    Image1->Parent = this;
    Image1->Center = true;

    Label1 = new TLabel(this);
    Label1->Name = L"Label1";
    Label1->Parent = this;
    Label1->Caption = std::wstring(L"网址：") + kSchoolWebAddress;
    Label1->Alignment = taCenter;
    Label1->Cursor = crHandPoint;
    SetSongFont(Label1, 12, clBlue, fsBold | fsUnderline);
    Label1->OnClick = [this] { Label1Click(); };

    StatusBar1 = new TStatusBar(this);
    StatusBar1->Name = L"StatusBar1";
    StatusBar1->Parent = this;
    const int widths[] = {225, 195, 50};
    for (int width : widths) StatusBar1->Panels->Add()->Width = width;
    StatusBar1->Panels->Items(0)->Text = std::wstring(L"咨询电话：") + kSchoolTelephone;
    StatusBar1->Panels->Items(2)->Text = L" 木禾驾驶学校专用";
    StatusBar1->Panels->Items(2)->Alignment = taCenter;

    SetUpSkin();
    OnCreate = [this] { FormCreate(); };
    OnResize = [this] { LayOut(); };
}

// The skin component, as the form's resource configures it; its package is the program's
// SKINSTREAM resource. Once the form is read the component hooks the program's windows.
void TForm1::SetUpSkin() {
    SkinData1 = AddProgramSkin(this, {xcMainMenu, xcCombo, xcBitBtn, xcStatusBar, xcTab, xcSystemMenu});
    // The skin turns a skinned status bar's size grip off, which makes the bar's window again
    // while the window is being shown: made without the grip, the bar is made once.
    if (SkinData1->Active() && !SkinData1->SkinPending() && SkinData1->SkinControls().Contains(xcStatusBar))
        StatusBar1->SizeGrip = false;
}

TBitBtn* TForm1::MenuButton(int index, const wchar_t* caption, void (TForm1::*click)()) {
    TBitBtn* button = new TBitBtn(this);
    button->Name = L"BitBtn" + std::to_wstring(index + 1);
    button->Parent = Panel1;
    button->Caption = caption;
    button->SetBounds(16, 45 + 40 * index, 193, 25);
    button->TabOrder = index;
    button->OnClick = [this, click] { (this->*click)(); };
    button->OnKeyPress = [this](wchar_t& key) { BitBtnKeyPress(key); };
    return button;
}

void TForm1::FormCreate() {
    Image1->Picture->Assign(LoadResourcePicture(L"BANNER"));
    LayOut();
}

// The right side fills what the button column and the status bar leave: the title panel on
// top, the link line at the bottom, the banner centred between them.
void TForm1::LayOut() {
    const int width = ClientWidth();
    const int height = ClientHeight() - StatusBar1->Height;
    Panel1->SetBounds(0, 0, kColumnWidth, height);
    Panel2->SetBounds(kColumnWidth, 0, width - kColumnWidth, kTitleHeight);
    Label1->SetBounds(kColumnWidth, height - 24, width - kColumnWidth, 16);
    Image1->SetBounds(kColumnWidth, kTitleHeight, width - kColumnWidth, height - 24 - kTitleHeight);
}

wchar_t TForm1::anjian(wchar_t key) {
    struct Entry {
        wchar_t key;
        TBitBtn* button;
    };
    const Entry map[] = {{L'0', BitBtn1}, {L'1', BitBtn2}, {L'2', BitBtn3}, {L'3', BitBtn4},
                         {L'4', BitBtn5}, {L'5', BitBtn6}, {L'7', BitBtn7}, {L'8', BitBtn8}};
    for (const Entry& entry : map) {
        if (entry.key == key) {
            entry.button->Click();
            break;
        }
    }
    return key;
}

void TForm1::BitBtnKeyPress(wchar_t& key) { key = anjian(key); }

void TForm1::BitBtn1Click() {
    OpenFunctionWindow(BeforeFunctionWindow, Form5, [this] {
        auto* exam = new TForm5(this, &DataModule3->ADOConnection1);
        exam->JumpDialog = Form6;
        return exam;
    });
}
void TForm1::BitBtn2Click() {
    OpenFunctionWindow(BeforeFunctionWindow, Form2, [this] {
        auto* sequential = new TForm2(this, &DataModule3->ADOConnection1, &DataModule3->ADOConnection2);
        sequential->JumpDialog = Form6;
        return sequential;
    });
}
// A new by-set window each time; Form55 points at it from now on (the one start-up made
// stays hidden).
void TForm1::BitBtn3Click() {
    OpenFunctionWindow(BeforeFunctionWindow, Form55, [this] {
        auto* bySet = new TForm55(this, &DataModule3->ADOConnection1);
        bySet->JumpDialog = Form6;
        return bySet;
    });
}
void TForm1::BitBtn4Click() {
    OpenFunctionWindow(BeforeFunctionWindow, Form4, [this] {
        auto* chapter = new TForm4(this, &DataModule3->ADOConnection1, &DataModule3->ADOConnection2);
        chapter->JumpDialog = Form6;
        return chapter;
    });
}
void TForm1::BitBtn5Click() {
    OpenFunctionWindow(BeforeFunctionWindow, Formqh2, [this] {
        return new TFormqh2(this, &DataModule3->ADOConnection1, &DataModule3->ADOConnection2);
    });
}
void TForm1::BitBtn6Click() {
    OpenFunctionWindow(BeforeFunctionWindow, Form8, [this] { return new TForm8(this, &DataModule3->ADOConnection2); });
}

void TForm1::BitBtn7Click() {
    std::error_code ec;
    const std::filesystem::path help = std::filesystem::absolute(L"bangzhu.chm", ec);
    // A missing file shows nothing: the shell would answer with an error of its own.
    if (ec || !std::filesystem::exists(help, ec)) return;
    shellOpen_(this, help.wstring());
}

void TForm1::BitBtn8Click() { Close(); }

void TForm1::Label1Click() { shellOpen_(this, kSchoolWebAddress); }
