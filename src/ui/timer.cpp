#include "ui/timer.h"

#include "base/errors.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/guarded_call.h"

namespace {

constexpr wchar_t kTimerClass[] = L"MuheTimerWindow";

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) { Update(); }

TTimer::~TTimer() {
    OnTimer = nullptr;
    if (id_) Application->Timers().Stop(id_);
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
    if (id_) {
        Application->Timers().Stop(id_);
        id_ = 0;
    }
    if (!enabled_ || interval_ == 0) return;
    id_ = Application->Timers().Start(this, UINT(interval_));
}

void TTimer::Tick() {
    // The timer belongs to a form; a tick is a message of that form's (the form is not
    // deleted while it runs, and an error shows the default error box).
    FormDispatchGuard guard(OwnerForm(this));
    GuardedCall([&] {
        if (OnTimer) OnTimer();
    });
}

TTimerWindow::TTimerWindow() = default;
TTimerWindow::~TTimerWindow() = default;

UINT_PTR TTimerWindow::Start(TTimer* timer, UINT interval) {
    if (!window_) window_ = std::make_unique<THelperWindow>(kTimerClass, WindowProc, this);
    const UINT_PTR id = nextId_++;
    if (!SetTimer(window_->Handle(), id, interval, nullptr)) throw Exception("Not enough timers available");
    timers_[id] = timer;
    return id;
}

void TTimerWindow::Stop(UINT_PTR id) {
    // A tick of a stopped timer still waiting in the queue finds nobody.
    if (timers_.erase(id) && window_) KillTimer(window_->Handle(), id);
}

LRESULT CALLBACK TTimerWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        if (auto* self = THelperWindow::OwnerOf<TTimerWindow>(hwnd)) {
            if (auto it = self->timers_.find(UINT_PTR(wParam)); it != self->timers_.end()) it->second->Tick();
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
