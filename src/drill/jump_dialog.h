#pragma once
// The jump dialog as a drill window calls it on its key "9": the window names itself with its
// caller code ("5" mock exam, "55" by-set, "2" sequential, "4" chapter) and the dialog runs
// modally on top of it. The opener of a drill window hands it the program's one dialog.
#include <string>

class TJumpDialog {
public:
    virtual ~TJumpDialog() = default;
    // Writes the caller code into the dialog and shows it modally; returns once it has closed.
    virtual void ShowFor(const std::wstring& callerCode) = 0;
};
