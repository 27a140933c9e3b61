// muhe-probe: asks a running trainer what its active window shows, for tests that drive the
// program from outside. The trainer answers only when it was started with the environment
// variable MUHE_AUTOMATION set; the exchange is described in ui/automation_protocol.h.
//
//   muhe-probe dump [--pid N]      the active window, its components and any message box
//   muhe-probe windows [--pid N]   the trainer's visible top-level windows
//
// The JSON reply goes to standard output (UTF-8). Exit status 0 on an answer, 1 when no
// trainer answers within about 2 seconds, 2 for a wrong command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ui/automation_protocol.h"

namespace {

constexpr DWORD kWaitMs = 2000;
constexpr wchar_t kReplyClass[] = L"MuheProbeReply";

struct Reply {
    bool received = false;
    std::string text;
};

LRESULT CALLBACK ReplyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        auto* reply = reinterpret_cast<Reply*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (reply && data && data->dwData == kAutomationReply) {
            reply->text.assign(static_cast<const char*>(data->lpData), data->lpData ? data->cbData : 0);
            reply->received = true;
            return TRUE;
        }
        return FALSE;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The trainer's automation window: of the given process, or the first one found.
HWND FindTrainer(DWORD pid) {
    for (HWND h = FindWindowExW(HWND_MESSAGE, nullptr, kAutomationWindowClass, nullptr); h;
         h = FindWindowExW(HWND_MESSAGE, h, kAutomationWindowClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (pid == 0 || owner == pid) return h;
    }
    return nullptr;
}

int Usage() {
    std::fputs("usage: muhe-probe dump|windows [--pid N]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    ULONG_PTR request = 0;
    if (std::strcmp(argv[1], "dump") == 0)
        request = kAutomationDump;
    else if (std::strcmp(argv[1], "windows") == 0)
        request = kAutomationWindows;
    else
        return Usage();
    DWORD pid = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--pid") == 0 && i + 1 < argc) {
            char* end = nullptr;
            pid = std::strtoul(argv[++i], &end, 10);
            if (!end || *end || pid == 0) return Usage();
        } else {
            return Usage();
        }
    }

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = ReplyProc;
    wc.hInstance = instance;
    wc.lpszClassName = kReplyClass;
    RegisterClassW(&wc);
    HWND replyWindow = CreateWindowExW(0, kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (!replyWindow) {
        std::fputs("muhe-probe: cannot create a window\n", stderr);
        return 1;
    }
    Reply reply;
    SetWindowLongPtrW(replyWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&reply));

    // The trainer may still be starting: look for it until the time is up.
    const ULONGLONG deadline = GetTickCount64() + kWaitMs;
    while (!reply.received && GetTickCount64() < deadline) {
        if (HWND trainer = FindTrainer(pid)) {
            COPYDATASTRUCT ask{};
            ask.dwData = request;
            DWORD_PTR result = 0;
            const DWORD left = DWORD(deadline - GetTickCount64());
            if (SendMessageTimeoutW(trainer, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow),
                                    reinterpret_cast<LPARAM>(&ask), SMTO_ABORTIFHUNG, left ? left : 1, &result) &&
                result && reply.received)
                break;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(50);
    }
    DestroyWindow(replyWindow);
    if (!reply.received) {
        std::fputs("muhe-probe: no trainer answered within 2 s (start muhe.exe with MUHE_AUTOMATION=1)\n", stderr);
        return 1;
    }
    std::fwrite(reply.text.data(), 1, reply.text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return 0;
}
