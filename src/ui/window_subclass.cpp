#include "ui/window_subclass.h"

#include <algorithm>
#include <vector>

#include "base/errors.h"
#include "ui/application.h"
#include "ui/guarded_call.h"

// Owned by two parties, the object (while it has not detached) and the window's chain (while
// the subclass is in it); calls in progress hold it too. Whoever lets go last deletes it.
struct TWindowSubclass::State {
    HWND hwnd;
    TSubclassProc proc;
    bool owned = true;      // the object still refers to it
    bool installed = true;  // the window's chain still calls it
    bool listed = true;     // still in the chain's list (taken out when no call runs)
    int calls = 0;          // calls of the callable in progress (nested ones included)
};

// One subclassed window: its subclasses, newest first, in front of the procedure it had.
struct TWindowSubclass::Chain {
    HWND hwnd = nullptr;
    WNDPROC original = nullptr;
    std::vector<State*> states;
    State* running = nullptr;  // the subclass whose call is innermost on this window
    int depth = 0;             // subclass calls in progress on this window
};

TSubclassChains::TSubclassChains() = default;
TSubclassChains::~TSubclassChains() = default;

TWindowSubclass::TWindowSubclass(HWND hwnd, TSubclassProc proc) {
    if (!hwnd || !IsWindow(hwnd) || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId())
        throw Exception("Cannot subclass a window of another thread");
    auto& chains = Application->SubclassChains().chains_;
    auto& chain = chains[hwnd];
    if (!chain) {
        auto made = std::make_shared<Chain>();
        made->hwnd = hwnd;
        made->original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
        if (!made->original || !SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainProc))) {
            chains.erase(hwnd);
            throw Exception("Cannot subclass the window");
        }
        chain = std::move(made);
    }
    auto* state = new State{hwnd, std::move(proc)};
    chain->states.insert(chain->states.begin(), state);
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
    state->owned = false;
    if (state->installed) {
        state->installed = false;
        auto& chains = Application->SubclassChains().chains_;
        if (auto it = chains.find(state->hwnd); it != chains.end()) {
            // Held: tidying may take the window's chain out of the table. Tidying deletes the
            // state once no call of it runs.
            const std::shared_ptr<Chain> chain = it->second;
            Tidy(*chain);
            return;
        }
        state->listed = false;
    }
    Release(state);
}

bool TWindowSubclass::Attached() const { return state_ && state_->installed; }

HWND TWindowSubclass::Window() const { return Attached() ? state_->hwnd : nullptr; }

void TWindowSubclass::Release(State* state) {
    if (!state->owned && !state->installed && !state->listed && state->calls == 0) delete state;
}

void TWindowSubclass::Tidy(Chain& chain) {
    // Subclasses taken out leave the list only when no call runs on the window, so that a
    // running call always finds its own place in it.
    if (chain.depth > 0) return;
    std::vector<State*> gone;
    std::erase_if(chain.states, [&](State* s) {
        if (s->installed) return false;
        s->listed = false;
        gone.push_back(s);
        return true;
    });
    if (chain.states.empty() && IsWindow(chain.hwnd) &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(chain.hwnd, GWLP_WNDPROC)) == ChainProc) {
        // Nobody subclassed on top of the chain: the window gets its own procedure back.
        SetWindowLongPtrW(chain.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain.original));
        auto& chains = Application->SubclassChains().chains_;
        if (auto it = chains.find(chain.hwnd); it != chains.end() && it->second.get() == &chain) chains.erase(it);
    }
    for (State* s : gone) Release(s);
}

LRESULT TWindowSubclass::Run(const std::shared_ptr<Chain>& chain, State* after, UINT msg, WPARAM wParam,
                             LPARAM lParam) {
    auto next = chain->states.begin();
    if (after) {
        next = std::find(chain->states.begin(), chain->states.end(), after);
        if (next != chain->states.end()) ++next;
    }
    next = std::find_if(next, chain->states.end(), [](State* s) { return s->installed; });
    if (next == chain->states.end()) return CallWindowProcW(chain->original, chain->hwnd, msg, wParam, lParam);

    State* state = *next;
    State* const outer = chain->running;
    chain->running = state;
    ++chain->depth;
    ++state->calls;
    LRESULT result = 0;
    GuardedCall([&] { result = state->proc(chain->hwnd, msg, wParam, lParam); });
    --state->calls;
    --chain->depth;
    chain->running = outer;
    // Deletes the state if it was detached meanwhile and this was its last call.
    Tidy(*chain);
    return result;
}

LRESULT CALLBACK TWindowSubclass::ChainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& chains = Application->SubclassChains().chains_;
    const auto it = chains.find(hwnd);
    if (it == chains.end()) return DefWindowProcW(hwnd, msg, wParam, lParam);
    // Held for the call: the window's last message takes the chain out of the table.
    const std::shared_ptr<Chain> chain = it->second;
    const LRESULT result = Run(chain, nullptr, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // The window's last message: the chain lets go of every callable.
        for (State* s : chain->states) s->installed = false;
        if (auto again = chains.find(hwnd); again != chains.end() && again->second == chain) chains.erase(again);
        Tidy(*chain);
    }
    return result;
}

LRESULT TWindowSubclass::CallNext(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& chains = Application->SubclassChains().chains_;
    const auto it = chains.find(hwnd);
    if (it == chains.end()) return DefWindowProcW(hwnd, msg, wParam, lParam);
    const std::shared_ptr<Chain> chain = it->second;
    if (!chain->running) return CallWindowProcW(chain->original, hwnd, msg, wParam, lParam);
    return Run(chain, chain->running, msg, wParam, lParam);
}
