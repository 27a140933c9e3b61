#include "app/start_up.h"

#include "app/window_refs.h"
#include "practice/win/form6.h"
#include "ui/application.h"

void CreateStartUpForms() {
    Application->CreateForm(Form6);
    Form6->FindCaller = JumpCaller;
}
