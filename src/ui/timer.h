#pragma once
// TTimer: a GUI timer. Its ticks arrive as WM_TIMER on a hidden message-only window, so they
// run on the GUI thread between other messages — also inside modal loops and message boxes.
// Disabling or deleting it kills the system timer.
#include <windows.h>

#include <memory>
#include <unordered_map>

#include "ui/component.h"
#include "ui/helper_window.h"
#include "ui/property.h"
#include "ui/ui_types.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    std::wstring ClassName() const override { return L"TTimer"; }

    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int GetInterval() const { return interval_; }
    void SetInterval(int interval);

    Property<&TTimer::GetEnabled, &TTimer::SetEnabled> Enabled{this};
    // Milliseconds between ticks; 0 stops the timer.
    Property<&TTimer::GetInterval, &TTimer::SetInterval> Interval{this};

    TNotifyEvent OnTimer;

    // Whether the system timer runs now.
    bool Running() const { return id_ != 0; }

private:
    friend class TTimerWindow;
    void Update();
    void Tick();

    bool enabled_ = true;
    int interval_ = 1000;
    UINT_PTR id_ = 0;  // the system timer's, while it runs
};

// The one window every timer of the thread ticks on, held by the application object: under
// Wine making a window costs a few dozen round trips to the window server, setting a timer on
// one that exists a single one (a form's clock is made enabled and stopped at once).
class TTimerWindow {
public:
    TTimerWindow();
    ~TTimerWindow();
    TTimerWindow(const TTimerWindow&) = delete;
    TTimerWindow& operator=(const TTimerWindow&) = delete;

    // Starts a system timer for `timer`; returns its id (never 0). Throws when the system
    // has no timer to give.
    UINT_PTR Start(TTimer* timer, UINT interval);
    void Stop(UINT_PTR id);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<THelperWindow> window_;  // made with the first start
    std::unordered_map<UINT_PTR, TTimer*> timers_;
    UINT_PTR nextId_ = 1;
};
