// A copy of the program that makes one change through a practice window, says "done" on its
// standard output and then waits to be killed: the durability test ends it with
// TerminateProcess, so nothing runs after the change that could still write it out.
//
//   practice_durability_child mark            marks question 7 in sequential practice (key "0")
//   practice_durability_child remove          removes the first listed question (key "5")
//   practice_durability_child clear           clears the list (key "7")
//   practice_durability_child resume          closes sequential practice on question 321 (key "8")
//   practice_durability_child marks FIRST N   marks FIRST, FIRST+2, ... (N questions), one by one
//
// The working directory holds jjj and bz.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "data/data_module.h"
#include "practice/win/form2.h"
#include "practice/win/formqh2.h"
#include "ui/application.h"
#include "ui_test_support.h"

namespace {

template <class F>
F* Open(TDataModule3& module) {
    F* form = new F(nullptr, &module.ADOConnection1, &module.ADOConnection2);
    form->Show();
    PumpUntil([&] { return form->HandleAllocated() && IsWindowVisible(form->Handle()); });
    return form;
}

// The typed character straight to the window: two copies run at once, and only one of them can
// have the keyboard focus.
void Press(TForm* form, wchar_t key) {
    PostMessageW(form->Handle(), WM_CHAR, key, 1);
    Application->ProcessMessages();
}

int Fail(const char* what) {
    std::printf("failed: %s\n", what);
    std::fflush(stdout);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Fail("no action given");
    const char* action = argv[1];
    Application->Initialize();
    Application->SetBoxResponder([](const TOpenBox&) { return IDYES; });
    try {
        TDataModule3 module;
        if (std::strcmp(action, "mark") == 0) {
            TForm2* form = Open<TForm2>(module);
            form->JumpTo(7);
            Press(form, L'0');
        } else if (std::strcmp(action, "remove") == 0) {
            Press(Open<TFormqh2>(module), L'5');
        } else if (std::strcmp(action, "clear") == 0) {
            Press(Open<TFormqh2>(module), L'7');
        } else if (std::strcmp(action, "resume") == 0) {
            TForm2* form = Open<TForm2>(module);
            form->JumpTo(321);
            Press(form, L'8');
            if (!PumpUntil([] { return Application->Forms().empty(); })) return Fail("the window stayed open");
        } else if (std::strcmp(action, "marks") == 0 && argc == 4) {
            TForm2* form = Open<TForm2>(module);
            const int first = std::atoi(argv[2]);
            const int count = std::atoi(argv[3]);
            for (int i = 0; i < count; ++i) {
                form->JumpTo(first + 2 * i);
                Press(form, L'0');
            }
        } else {
            return Fail("unknown action");
        }
        // Boxes that were not a question (an error) mean the change did not happen.
        for (const TBoxRecord& box : Application->ShownBoxes()) {
            if (box.Kind != TBoxKind::MessageBox) return Fail("an error box was shown");
        }
        std::printf("done\n");
        std::fflush(stdout);
        Sleep(INFINITE);
    } catch (const std::exception& error) {
        return Fail(error.what());
    }
    return 0;
}
