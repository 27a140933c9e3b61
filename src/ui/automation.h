#pragma once
// The automation interface: what a learner sees in the trainer's active window, as JSON,
// for tests that drive the program from outside (see automation_protocol.h for the wire).
#include <windows.h>

#include <string>

#include "ui/helper_window.h"

// The process's active window (the foreground window when it is ours) described as JSON.
std::string AutomationDump();
// The same for one top-level window of the process. For a message box (the system's
// "#32770" or a "TMessageForm") "message_box" holds its caption and text, and the window
// below it (its owner) is the one described.
std::string AutomationDumpWindow(HWND window);
// The process's visible top-level windows.
std::string AutomationWindowList();

// The hidden message-only window that answers the probe.
class TAutomationServer {
public:
    TAutomationServer();
    ~TAutomationServer();
    TAutomationServer(const TAutomationServer&) = delete;
    TAutomationServer& operator=(const TAutomationServer&) = delete;

    HWND Window() const { return window_.Handle(); }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Answers a request of the probe (WM_COPYDATA).
    static LRESULT Answer(HWND hwnd, WPARAM wParam, LPARAM lParam);

    THelperWindow window_;
};
