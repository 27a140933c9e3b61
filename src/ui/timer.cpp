#include "ui/timer.h"

#include "base/errors.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/guarded_call.h"

namespace {

constexpr wchar_t kTimerClass[] = L"MuheTimerWindow";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) { Update(); }

TTimer::~TTimer() {
    OnTimer = nullptr;
    if (window_) {
        if (running_) KillTimer(window_->Handle(), kTimerId);
    }
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(int interval) {
    if (interval < 0) interval = 0;
    if (interval == interval_) return;
    interval_ = interval;
    Update();
}

void TTimer::Update() {
    if (running_) {
        KillTimer(window_->Handle(), kTimerId);
        running_ = false;
    }
    if (!enabled_ || interval_ == 0) return;
    if (!window_) window_ = std::make_unique<THelperWindow>(kTimerClass, WindowProc, this);
    if (!SetTimer(window_->Handle(), kTimerId, UINT(interval_), nullptr)) throw Exception("Not enough timers available");
    running_ = true;
}

void TTimer::Tick() {
    // The timer belongs to a form; a tick is a message of that form's (the form is not
    // deleted while it runs, and an error shows the default error box).
    FormDispatchGuard guard(OwnerForm(this));
    GuardedCall([&] {
        if (OnTimer) OnTimer();
    });
}

LRESULT CALLBACK TTimer::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kTimerId) {
        if (auto* timer = THelperWindow::OwnerOf<TTimer>(hwnd)) timer->Tick();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
