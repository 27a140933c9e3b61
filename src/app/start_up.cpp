#include "app/start_up.h"

#include "app/window_refs.h"
#include "data/data_module.h"
#include "practice/win/form55.h"
#include "practice/win/form6.h"
#include "ui/application.h"

void CreateStartUpForms() {
    Application->CreateForm(Form6);
    Form6->FindCaller = JumpCaller;
    Application->CreateForm(Form55, &DataModule3->ADOConnection1);
    Form55->JumpDialog = Form6;
}
