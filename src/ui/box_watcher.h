#pragma once
// The machinery behind Application->SetBoxResponder: a thread CBT hook notes the window of
// each system message box as it is created, and a timer on a hidden window asks the
// responder, every few milliseconds while a box is up, which button to press. The boxes
// themselves are shown exactly as without it.
#include <windows.h>

#include "ui/application.h"
#include "ui/helper_window.h"

class TBoxWatcher {
public:
    explicit TBoxWatcher(TBoxResponder responder);
    ~TBoxWatcher();
    TBoxWatcher(const TBoxWatcher&) = delete;
    TBoxWatcher& operator=(const TBoxWatcher&) = delete;

    void SetResponder(TBoxResponder responder) { responder_ = std::move(responder); }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void BoxCreated(HWND hwnd, LPARAM createParams);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Poll();

    TBoxResponder responder_;
    HHOOK hook_ = nullptr;
    THelperWindow window_;
    bool polling_ = false;
};
