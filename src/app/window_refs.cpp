#include "app/window_refs.h"

TForm1* Form1 = nullptr;
TDataModule3* DataModule3 = nullptr;
TForm6* Form6 = nullptr;
TForm5* Form5 = nullptr;
TForm2* Form2 = nullptr;
TForm55* Form55 = nullptr;
TForm4* Form4 = nullptr;
TFormqh2* Formqh2 = nullptr;
TForm8* Form8 = nullptr;
