#pragma once
// TWindowSubclass: "subclass this window with this callable", the way the toolkit hooks the
// system controls and the skin engine hooks any window. Several owners can attach and detach
// in any order; the newest runs first. The callable passes a message on with
// TWindowSubclass::CallNext(hwnd, msg, wParam, lParam) and returns the result.
//
// The chain is the toolkit's own, not comctl32's SetWindowSubclass: under Wine that looks its
// chain up in a window property, a round trip to the window server, two or three times for
// every message. Here the window's procedure is replaced once by the chain's, which finds the
// chain in the application's table of subclassed windows. A subclass someone else puts on
// later (comctl32's included) goes in front of the whole chain, as it would in front of any
// window procedure.
//
// The object detaches when it is destroyed or asked to. A detach from inside the callable's
// own call (on WM_NCDESTROY, say) is safe: the callable lives until that call returns. When
// the window is destroyed first, the subclass is taken out after the callable has seen
// WM_NCDESTROY, and the object is left detached. The callable runs inside the program's
// exception boundary (guarded_call.h); a call that throws returns 0.
#include <windows.h>

#include <functional>
#include <memory>
#include <unordered_map>

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

    // Passes a message on from the subclass whose call is running on the window to the next
    // one, and after the last to the window's own procedure. Outside any subclass's call the
    // message goes to the window's own procedure.
    static LRESULT CallNext(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    struct State;
    struct Chain;

private:
    static LRESULT CALLBACK ChainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT Run(const std::shared_ptr<Chain>& chain, State* after, UINT msg, WPARAM wParam, LPARAM lParam);
    static void Tidy(Chain& chain);
    static void Release(State* state);

    State* state_ = nullptr;
};

// The subclassed windows of the program's GUI thread, held by the application object.
class TSubclassChains {
public:
    TSubclassChains();
    ~TSubclassChains();
    TSubclassChains(const TSubclassChains&) = delete;
    TSubclassChains& operator=(const TSubclassChains&) = delete;

private:
    friend class TWindowSubclass;
    std::unordered_map<HWND, std::shared_ptr<TWindowSubclass::Chain>> chains_;
};
