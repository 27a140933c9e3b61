#pragma once
// The jump dialog "跳题": one instance for the whole run, shared by the drill windows. A caller
// writes its caller code into the hidden Label3 and shows the dialog modally; Enter converts
// the trimmed entry to a number and hands it to the window the code names, which repositions
// itself. The dialog knows its callers only through the lookup the application gives it.
#include <functional>
#include <string>

#include "drill/jump_dialog.h"
#include "drill/jump_target.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"

class TForm6 : public TForm, public TJumpDialog {
public:
    explicit TForm6(TComponent* owner);
    std::wstring ClassName() const override { return L"TForm6"; }

    TLabel* Label1;  // "跳   到："
    TEdit* Edit1;    // the entry
    TLabel* Label2;  // "题"
    TLabel* Label3;  // hidden: the caller code the last caller wrote

    // The window a caller code names, or nullptr (the application maps the codes to its
    // program-wide references; the newest window of each kind is the one on screen).
    std::function<TJumpTarget*(const std::wstring& callerCode)> FindCaller;

    void FormCreate();
    // Enter (character 13) jumps; every other key is ordinary typing.
    void Edit1KeyPress(wchar_t& key);

    // TJumpDialog
    void ShowFor(const std::wstring& callerCode) override;

private:
    void Jump();
};
