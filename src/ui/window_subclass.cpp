#include "ui/window_subclass.h"

#include <commctrl.h>

#include "base/errors.h"
#include "ui/guarded_call.h"

// Owned by two parties, the object (while it has not detached) and the window's chain (while
// the subclass is in it); calls in progress hold it too. Whoever lets go last deletes it.
struct TWindowSubclass::State {
    HWND hwnd;
    TSubclassProc proc;
    bool owned = true;      // the object still refers to it
    bool installed = true;  // the window's chain still calls it
    int calls = 0;          // calls of the callable in progress (nested ones included)
};

TWindowSubclass::TWindowSubclass(HWND hwnd, TSubclassProc proc) {
    if (!hwnd || !IsWindow(hwnd) || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId())
        throw Exception("Cannot subclass a window of another thread");
    auto* state = new State{hwnd, std::move(proc)};
    // The state's address is the subclass id: unique among the subclasses alive.
    if (!SetWindowSubclass(hwnd, Proc, reinterpret_cast<UINT_PTR>(state), reinterpret_cast<DWORD_PTR>(state))) {
        delete state;
        throw Exception("Cannot subclass the window");
    }
    state_ = state;
}

TWindowSubclass& TWindowSubclass::operator=(TWindowSubclass&& other) noexcept {
    if (this != &other) {
        Detach();
        state_ = other.state_;
        other.state_ = nullptr;
    }
    return *this;
}

void TWindowSubclass::Detach() {
    State* state = state_;
    if (!state) return;
    state_ = nullptr;
    if (state->installed) {
        RemoveWindowSubclass(state->hwnd, Proc, reinterpret_cast<UINT_PTR>(state));
        state->installed = false;
    }
    state->owned = false;
    Release(state);
}

bool TWindowSubclass::Attached() const { return state_ && state_->installed; }

HWND TWindowSubclass::Window() const { return Attached() ? state_->hwnd : nullptr; }

void TWindowSubclass::Release(State* state) {
    if (!state->owned && !state->installed && state->calls == 0) delete state;
}

LRESULT CALLBACK TWindowSubclass::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* state = reinterpret_cast<State*>(data);
    ++state->calls;
    LRESULT result = 0;
    GuardedCall([&] { result = state->proc(hwnd, msg, wParam, lParam); });
    --state->calls;
    if (msg == WM_NCDESTROY && state->installed) {
        // The window's last message: the chain lets go of the callable.
        RemoveWindowSubclass(hwnd, Proc, reinterpret_cast<UINT_PTR>(state));
        state->installed = false;
    }
    Release(state);
    return result;
}
