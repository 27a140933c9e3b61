#pragma once
// The main window: the column of numbered menu buttons, each opening one function window
// modally or the help file; the same entries are reached by typing their digit.
#include <functional>
#include <string>

#include "skin/win32/skin_component.h"
#include "ui/bit_btn.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/status_bar.h"

// Shows a file or address through the shell's open operation, maximised, parented to the
// main window; the result is not examined.
void OpenWithShell(TForm* parent, const std::wstring& target);

// What the main window hands the help file and the web address to.
using ShellOpener = std::function<void(TForm* parent, const std::wstring& target)>;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner, ShellOpener shellOpen = OpenWithShell);
    std::wstring ClassName() const override { return L"TForm1"; }

    TPanel* Panel1;    // the menu button column
    TBitBtn* BitBtn1;  // 0模拟考试
    TBitBtn* BitBtn2;  // 1顺序练习
    TBitBtn* BitBtn3;  // 2分套练习
    TBitBtn* BitBtn4;  // 3分章练习
    TBitBtn* BitBtn5;  // 4强化练习
    TBitBtn* BitBtn6;  // 5法规标志
    TBitBtn* BitBtn7;  // 7使用说明
    TBitBtn* BitBtn8;  // 8退出系统
    TPanel* Panel2;    // the title panel
    TImage* Image1;    // the banner
    TLabel* Label1;    // the web address link
    TStatusBar* StatusBar1;
    TSkinDataComponent* SkinData1;  // the skin of every window of the program

    // Compares the typed character with the keyboard map and clicks the matching button;
    // returns the character unchanged (the key is not consumed).
    wchar_t anjian(wchar_t key);

    void FormCreate();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn7Click();
    void BitBtn8Click();
    void Label1Click();
    void BitBtnKeyPress(wchar_t& key);

    // Called before a function window is made: the program makes its start-up windows here
    // when a key comes before the message loop was first idle.
    std::function<void()> BeforeFunctionWindow;

private:
    TBitBtn* MenuButton(int index, const wchar_t* caption, void (TForm1::*click)());
    void LayOut();
    void SetUpSkin();

    ShellOpener shellOpen_;
};
