#include "practice/win/form6.h"

#include "base/str_to_int.h"
#include "base/utf.h"
#include "drill/answer_codes.h"
#include "ui/builders.h"

TForm6::TForm6(TComponent* owner) : TForm(owner) {
    Name = L"Form6";
    Caption = L"跳题";
    SetBounds(0, 0, 270, 139);
    Position = poScreenCenter;
    BorderStyle = bsDialog;
    BorderIcons = biSystemMenu;
    Font->Name = L"宋体";
    Font->Height = 14;
    Font->Style = fsBold;

    // The labels take the dialog's bold 14 px 宋体.
    Label1 = Place<TLabel>(this, this, L"Label1", {32, 40, 72, 16});
    Label1->Caption = L"跳   到：";
    Edit1 = Place<TEdit>(this, this, L"Edit1", {106, 36, 89, 22});
    // The design-time text, cleared by FormCreate.
    Edit1->Text = L"Edit1";
    Edit1->OnKeyPress = [this](wchar_t& key) { Edit1KeyPress(key); };
    Label2 = Place<TLabel>(this, this, L"Label2", {201, 40, 20, 16});
    Label2->Caption = L"题";
    Label3 = Place<TLabel>(this, this, L"Label3", {8, 80, 40, 16});
    Label3->Visible = false;
    ActiveControl = Edit1;

    OnCreate = [this] { FormCreate(); };
}

void TForm6::FormCreate() { Edit1->Text = L""; }

void TForm6::ShowFor(const std::wstring& callerCode) {
    Label3->Caption = callerCode;
    ShowModal();
}

void TForm6::Edit1KeyPress(wchar_t& key) {
    if (key == L'\r') Jump();
}

// The conversion comes first: an entry that is no whole number raises the conversion error,
// which the default error box shows, and nothing below runs — the dialog stays open with the
// entry as typed and the caller untouched. The caller's own steps may clear the entry
// earlier than the tail does; nobody sees the difference while the dialog is modal.
void TForm6::Jump() {
    const std::string entry = TrimBlanks(WideToUtf8(Edit1->Text.Get()));
    if (!entry.empty()) {
        const int n = StrToInt(entry);
        if (TJumpTarget* caller = FindCaller ? FindCaller(Label3->Caption.Get()) : nullptr) caller->JumpTo(n);
    }
    Edit1->Text = L"";
    Close();
}
