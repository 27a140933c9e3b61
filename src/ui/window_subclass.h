#pragma once
// TWindowSubclass: "subclass this window with this callable" through the system's subclass
// chain (comctl32's SetWindowSubclass / DefSubclassProc / RemoveWindowSubclass), the way the
// toolkit hooks the system controls and the skin engine hooks any window. Several owners can
// attach and detach in any order; the newest runs first. The callable passes a message on
// with DefSubclassProc(hwnd, msg, wParam, lParam) and returns the result.
//
// The object detaches when it is destroyed or asked to. A detach from inside the callable's
// own call (on WM_NCDESTROY, say) is safe: the callable lives until that call returns. When
// the window is destroyed first, the subclass is taken out after the callable has seen
// WM_NCDESTROY, and the object is left detached. The callable runs inside the program's
// exception boundary (guarded_call.h); a call that throws returns 0.
#include <windows.h>

#include <functional>

using TSubclassProc = std::function<LRESULT(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)>;

class TWindowSubclass {
public:
    TWindowSubclass() = default;
    // Attaches in front of the window's procedure (and of every subclass already there).
    // Throws Exception when the window cannot be subclassed (no window, another thread's).
    TWindowSubclass(HWND hwnd, TSubclassProc proc);
    ~TWindowSubclass() { Detach(); }
    TWindowSubclass(TWindowSubclass&& other) noexcept : state_(other.state_) { other.state_ = nullptr; }
    TWindowSubclass& operator=(TWindowSubclass&& other) noexcept;
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    // Takes the callable out of the window's chain (if the window still has it).
    void Detach();
    // True while the callable is in the window's chain.
    bool Attached() const;
    // The window, while attached.
    HWND Window() const;

private:
    struct State;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
    static void Release(State* state);

    State* state_ = nullptr;
};
