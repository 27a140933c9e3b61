#pragma once
// TTimer: a GUI timer. Its ticks arrive as WM_TIMER on a hidden message-only window of its
// own, so they run on the GUI thread between other messages — also inside modal loops and
// message boxes. Disabling or deleting it kills the system timer.
#include <windows.h>

#include <memory>

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
    bool Running() const { return running_; }

private:
    void Update();
    void Tick();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<THelperWindow> window_;  // made with the first start
    bool enabled_ = true;
    int interval_ = 1000;
    bool running_ = false;
};
