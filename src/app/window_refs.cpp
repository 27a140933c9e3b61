#include "app/window_refs.h"

#include "exam/win/form5.h"
#include "practice/win/form2.h"
#include "practice/win/form4.h"
#include "practice/win/form55.h"

TForm1* Form1 = nullptr;
TDataModule3* DataModule3 = nullptr;
TForm6* Form6 = nullptr;
TForm5* Form5 = nullptr;
TForm2* Form2 = nullptr;
TForm55* Form55 = nullptr;
TForm4* Form4 = nullptr;
TFormqh2* Formqh2 = nullptr;
TForm8* Form8 = nullptr;

TJumpTarget* JumpCaller(const std::wstring& callerCode) {
    if (callerCode == L"55") return Form55;
    if (callerCode == L"5") return Form5;
    if (callerCode == L"2") return Form2;
    if (callerCode == L"4") return Form4;
    return nullptr;
}
