// muhe-probe: asks a running trainer what its active window shows, for tests that drive the
// program from outside. The trainer answers only when it was started with the environment
// variable MUHE_AUTOMATION set; the exchange is described in ui/automation_protocol.h.
//
//   muhe-probe dump [--pid N]      the active window, its components and any message box
//   muhe-probe windows [--pid N]   the trainer's visible top-level windows
//   muhe-probe walk KEY COUNT [--pid N]
//                                  the active window, then COUNT times: KEY (one character)
//                                  typed into the foreground window as from the keyboard, and
//                                  the active window again once it has changed (or after 3 s)
//
// The JSON reply goes to standard output (UTF-8), one object per line. Exit status 0 on an
// answer, 1 when no trainer answers within about 2 seconds, 2 for a wrong command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ui/automation_protocol.h"

namespace {

constexpr DWORD kWaitMs = 2000;
constexpr DWORD kChangeWaitMs = 3000;
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
    std::fputs("usage: muhe-probe dump|windows [--pid N]\n       muhe-probe walk KEY COUNT [--pid N]\n", stderr);
    return 2;
}

// Asks the trainer once, looking for it until the time is up (it may still be starting).
bool Ask(HWND replyWindow, Reply& reply, DWORD pid, ULONG_PTR request, DWORD waitMs) {
    reply = Reply{};
    const ULONGLONG deadline = GetTickCount64() + waitMs;
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
    return reply.received;
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Types one character as the keyboard would: key down and up of its virtual key, with Shift
// when the layout needs it, into whatever window has the focus.
bool TypeKey(wchar_t ch) {
    const SHORT scan = VkKeyScanW(ch);
    if (scan == -1) return false;
    const WORD vk = LOBYTE(scan);
    const bool shift = (HIBYTE(scan) & 1) != 0;
    INPUT inputs[4]{};
    int n = 0;
    auto key = [&](WORD code, bool up) {
        inputs[n].type = INPUT_KEYBOARD;
        inputs[n].ki.wVk = code;
        inputs[n].ki.wScan = WORD(MapVirtualKeyW(code, MAPVK_VK_TO_VSC));
        inputs[n].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        ++n;
    };
    if (shift) key(VK_SHIFT, false);
    key(vk, false);
    key(vk, true);
    if (shift) key(VK_SHIFT, true);
    return SendInput(UINT(n), inputs, sizeof(INPUT)) == UINT(n);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    ULONG_PTR request = 0;
    int first = 2;
    wchar_t walkKey = 0;
    long walkCount = 0;
    if (std::strcmp(argv[1], "dump") == 0) {
        request = kAutomationDump;
    } else if (std::strcmp(argv[1], "windows") == 0) {
        request = kAutomationWindows;
    } else if (std::strcmp(argv[1], "walk") == 0 && argc >= 4 && std::strlen(argv[2]) == 1) {
        request = kAutomationDump;
        walkKey = wchar_t(static_cast<unsigned char>(argv[2][0]));
        char* end = nullptr;
        walkCount = std::strtol(argv[3], &end, 10);
        if (!end || *end || walkCount < 0) return Usage();
        first = 4;
    } else {
        return Usage();
    }
    DWORD pid = 0;
    for (int i = first; i < argc; ++i) {
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

    int status = 0;
    if (!Ask(replyWindow, reply, pid, request, kWaitMs)) {
        std::fputs("muhe-probe: no trainer answered within 2 s (start muhe.exe with MUHE_AUTOMATION=1)\n", stderr);
        status = 1;
    } else {
        Print(reply.text);
        // Each step waits until the key has shown its effect, so that the dumps follow the keys.
        for (long step = 0; step < walkCount && status == 0; ++step) {
            const std::string before = reply.text;
            if (!TypeKey(walkKey)) {
                std::fputs("muhe-probe: the key cannot be typed\n", stderr);
                status = 2;
                break;
            }
            const ULONGLONG deadline = GetTickCount64() + kChangeWaitMs;
            do {
                Sleep(20);
                if (!Ask(replyWindow, reply, pid, request, kWaitMs)) status = 1;
            } while (status == 0 && reply.text == before && GetTickCount64() < deadline);
            if (status == 0) Print(reply.text);
        }
    }
    DestroyWindow(replyWindow);
    return status;
}
