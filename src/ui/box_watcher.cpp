#include "ui/box_watcher.h"

#include <cwchar>

#include "base/errors.h"
#include "ui/guarded_call.h"

namespace {

constexpr wchar_t kWatcherClass[] = L"MuheBoxWatcher";
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollInterval = 10;

}  // namespace

TBoxWatcher::TBoxWatcher(TBoxResponder responder)
    : responder_(std::move(responder)), window_(kWatcherClass, WindowProc, this) {
    hook_ = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    SetTimer(window_.Handle(), kPollTimer, kPollInterval, nullptr);
}

TBoxWatcher::~TBoxWatcher() {
    if (hook_) UnhookWindowsHookEx(hook_);
    KillTimer(window_.Handle(), kPollTimer);
}

LRESULT CALLBACK TBoxWatcher::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) GuardedCall([&] { BoxCreated(reinterpret_cast<HWND>(wParam), lParam); });
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TBoxWatcher::BoxCreated(HWND hwnd, LPARAM lParam) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    wchar_t className[16] = {};
    if ((create->lpcs->style & WS_CHILD) || !GetClassNameW(hwnd, className, 16) || wcscmp(className, L"#32770") != 0)
        return;
    // The newest system box still waiting for its window is the one being made.
    auto& boxes = Application->openBoxes_;
    for (auto it = boxes.rbegin(); it != boxes.rend(); ++it) {
        if (it->Kind == TBoxKind::ShowMessage || it->Window) continue;
        it->Window = hwnd;
        break;
    }
}

LRESULT CALLBACK TBoxWatcher::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kPollTimer) {
        if (auto* watcher = THelperWindow::OwnerOf<TBoxWatcher>(hwnd))
            GuardedCall([&] { watcher->Poll(); });
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void TBoxWatcher::Poll() {
    // A responder may pump messages itself; the poll it would start meanwhile waits.
    if (polling_ || !responder_) return;
    auto& boxes = Application->openBoxes_;
    if (boxes.empty()) return;
    const TOpenBox box = boxes.back();
    if (!box.Window || box.Answered || !IsWindow(box.Window) || !IsWindowVisible(box.Window)) return;
    polling_ = true;
    int answer = kBoxNotYet;
    try {
        answer = responder_(box);
    } catch (...) {
        polling_ = false;
        throw;
    }
    polling_ = false;
    if (answer == kBoxNotYet) return;
    // The box may have changed while the responder ran.
    if (boxes.empty() || boxes.back().Window != box.Window) return;
    HWND button = GetDlgItem(box.Window, answer);
    if (!button) {
        // No such button on this box: nothing is pressed, the record says what was asked.
        Application->RecordRejected(box.Record, answer);
        return;
    }
    boxes.back().Answered = true;
    SendMessageW(box.Window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}
