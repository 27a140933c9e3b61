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
        if (running_) KillTimer(window_, kTimerId);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
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
        KillTimer(window_, kTimerId);
        running_ = false;
    }
    if (!enabled_ || interval_ == 0) return;
    if (!window_) {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        if (!GetClassInfoExW(instance, kTimerClass, &wc)) {
            wc = WNDCLASSEXW{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = WindowProc;
            wc.hInstance = instance;
            wc.lpszClassName = kTimerClass;
            RegisterClassExW(&wc);
        }
        window_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
        if (!window_) throw Exception("Out of system resources");
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    if (!SetTimer(window_, kTimerId, UINT(interval_), nullptr)) throw Exception("Not enough timers available");
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
        if (auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) timer->Tick();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
