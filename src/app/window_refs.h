#pragma once
// The program-wide window references, one per window class, each bearing its object's name.
// A reference is filled when its window is created and cleared when the window is released;
// the jump dialog reaches its caller through them.
#include <string>

class TForm1;
class TForm2;
class TForm4;
class TForm5;
class TForm6;
class TForm8;
class TForm55;
class TFormqh2;
class TDataModule3;
class TJumpTarget;

extern TForm1* Form1;
extern TDataModule3* DataModule3;
extern TForm6* Form6;
extern TForm5* Form5;
extern TForm2* Form2;
extern TForm55* Form55;
extern TForm4* Form4;
extern TFormqh2* Formqh2;
extern TForm8* Form8;

// The drill window a jump-dialog caller code names ("55" by-set, "5" mock exam, "2" sequential,
// "4" chapter), through its reference: the newest window of that kind, the one on screen;
// nullptr for other codes.
TJumpTarget* JumpCaller(const std::wstring& callerCode);
