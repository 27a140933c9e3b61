#include "app/start_up.h"

#include "app/window_refs.h"
#include "data/data_module.h"
#include "practice/win/form55.h"
#include "practice/win/form6.h"
#include "ui/application.h"

void CreateStartUpForms() {
    if (Form6) return;
    TForm6* jump = nullptr;
    Application->CreateForm(jump);
    jump->FindCaller = JumpCaller;
    try {
        Application->CreateForm(Form55, &DataModule3->ADOConnection1);
    } catch (...) {
        FreeComponent(jump);
        throw;
    }
    Form55->JumpDialog = jump;
    Form6 = jump;
}

void CreateStartUpFormsWhenIdle() {
    Application->WhenIdle([] {
        try {
            CreateStartUpForms();
        } catch (const std::exception& e) {
            Application->ShowException(e);
            Application->Terminate();
        }
    });
}
