// Start-up: the application title, the main window, the data module with both connections,
// then the message loop until the main window closes; the jump dialog and one hidden by-set
// window are made once the main window has painted.
#include <windows.h>

#include <cwchar>

#include "app/bench.h"
#include "app/form1.h"
#include "app/start_up.h"
#include "app/window_refs.h"
#include "base/errors.h"
#include "base/utf.h"
#include "data/data_module.h"
#include "ui/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    LARGE_INTEGER started;
    QueryPerformanceCounter(&started);
    Application->Initialize();
    Application->Title = L"木禾考试模拟系统";
    if (commandLine && std::wcsstr(commandLine, L"--bench")) {
        try {
            return RunBenchmark(started.QuadPart);
        } catch (const std::exception& e) {
            Application->ShowException(e);
            return 1;
        }
    }
    try {
        Application->CreateForm(Form1);
    } catch (const std::exception& e) {
        Application->ShowException(e);
        return 1;
    }
    try {
        DataModule3 = new TDataModule3();
    } catch (const std::exception& e) {
        // Without both files there is nothing to practise: say why and end before the main
        // window is shown.
        Application->ShowException(e);
        return 1;
    }
    Form1->BeforeFunctionWindow = CreateStartUpForms;
    CreateStartUpFormsWhenIdle();
    Application->Run();
    // The windows' queries run over the module's connections: the windows go first.
    Application->DestroyForms();
    delete DataModule3;
    DataModule3 = nullptr;
    return 0;
}
