#include "ui_test_support.h"

#include <cstdlib>
#include <cstring>

#include "ui/gdi.h"

bool PumpUntil(const std::function<bool()>& pred, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(timeoutMs);
    while (!pred()) {
        if (GetTickCount64() >= deadline) return pred();
        Application->ProcessMessages();
        if (pred()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

void PumpFor(int ms) {
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(ms);
    while (GetTickCount64() < deadline) {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    Application->ProcessMessages();
}

namespace {

constexpr UINT kRunMessage = WM_APP + 1;

LRESULT CALLBACK RunnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kRunMessage || msg == WM_TIMER) {
        if (msg == WM_TIMER) KillTimer(hwnd, wParam);
        auto* fn = reinterpret_cast<std::function<void()>*>(msg == WM_TIMER ? wParam : lParam);
        (*fn)();
        delete fn;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND Runner() {
    static HWND window = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RunnerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"UiTestRunner";
        RegisterClassW(&wc);
        return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }();
    return window;
}

}  // namespace

void RunSoon(std::function<void()> fn) {
    PostMessageW(Runner(), kRunMessage, 0, reinterpret_cast<LPARAM>(new std::function<void()>(std::move(fn))));
}

void RunAfter(int ms, std::function<void()> fn) {
    auto* copy = new std::function<void()>(std::move(fn));
    SetTimer(Runner(), reinterpret_cast<UINT_PTR>(copy), UINT(ms), nullptr);
}

namespace {

LPARAM KeyData(WORD vk, bool up) {
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | (LPARAM(scan & 0xFF) << 16);
    if (up) data |= LPARAM(0xC0000000);
    return data;
}

}  // namespace

void KeyDown(WORD vk) {
    PostMessageW(GetFocus(), WM_KEYDOWN, vk, KeyData(vk, false));
    Application->ProcessMessages();
    Application->ProcessMessages();
}

void PressKey(WORD vk) {
    HWND target = GetFocus();
    PostMessageW(target, WM_KEYDOWN, vk, KeyData(vk, false));
    Application->ProcessMessages();
    Application->ProcessMessages();
    // The key-down may have moved the focus (Tab) or closed the window: the release goes
    // where the key went down, as the keyboard's would.
    if (IsWindow(target)) PostMessageW(target, WM_KEYUP, vk, KeyData(vk, true));
    Application->ProcessMessages();
}

bool PressWithAlt(WORD vk) {
    INPUT inputs[4]{};
    const WORD keys[4] = {VK_MENU, vk, vk, VK_MENU};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.wScan = WORD(MapVirtualKeyW(keys[i], MAPVK_VK_TO_VSC));
        inputs[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    if (SendInput(4, inputs, sizeof(INPUT)) != 4) return false;
    PumpFor(100);
    return true;
}

void TypeChar(wchar_t ch) {
    PostMessageW(GetFocus(), WM_CHAR, ch, 1);
    Application->ProcessMessages();
}

ShiftHeld::ShiftHeld() {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof(state));
    state[VK_SHIFT] = 0x80;
    state[VK_LSHIFT] = 0x80;
    SetKeyboardState(state);
}

ShiftHeld::~ShiftHeld() { SetKeyboardState(saved_); }

void TypeOnKeyboard(wchar_t ch) {
    const SHORT vk = VkKeyScanW(ch);
    if (vk & 0x100) {
        ShiftHeld shift;
        PressKey(WORD(vk & 0xFF));
    } else {
        PressKey(WORD(vk & 0xFF));
    }
}

void ClickAt(HWND hwnd, int x, int y) {
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Application->ProcessMessages();
}

bool MouseAt(POINT screen, std::initializer_list<DWORD> buttons) {
    // Absolute coordinates run from 0 to 65535 over the primary screen; the pointer lands on
    // the pixel the system's own scaling gives, so the nearest value that hits it is sent.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG((int64_t(screen.x) * 65536 + width - 1) / width);
    input.mi.dy = LONG((int64_t(screen.y) * 65536 + height - 1) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    if (SendInput(1, &input, sizeof(INPUT)) != 1) return false;
    PumpFor(20);
    POINT at{};
    GetCursorPos(&at);
    if (at.x != screen.x || at.y != screen.y) {
        // Another rounding: move by the difference.
        input.mi.dx += LONG(int64_t(screen.x - at.x) * 65536 / width);
        input.mi.dy += LONG(int64_t(screen.y - at.y) * 65536 / height);
        if (SendInput(1, &input, sizeof(INPUT)) != 1) return false;
        PumpFor(20);
    }
    std::vector<INPUT> presses;
    for (DWORD flags : buttons) {
        INPUT press{};
        press.type = INPUT_MOUSE;
        press.mi.dwFlags = flags;
        presses.push_back(press);
    }
    if (presses.empty()) return true;
    if (SendInput(UINT(presses.size()), presses.data(), sizeof(INPUT)) != presses.size()) return false;
    PumpFor(50);
    return true;
}

void DoubleClickAt(HWND hwnd, int x, int y) {
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PostMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Application->ProcessMessages();
}

namespace {

Bitmap32 Capture(HWND hwnd, bool screen) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int w = client.right;
    const int h = client.bottom;
    Bitmap32 image;
    if (w <= 0 || h <= 0) return image;
    BITMAPINFO bi = TopDown32(w, h);
    void* bits = nullptr;
    Gdi<HBITMAP> dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemDC mem(nullptr);
    {
        SelectGuard select(mem.Get(), dib.Get());
        if (screen) {
            ClientDC dc(hwnd);
            BitBlt(mem.Get(), 0, 0, w, h, dc.Get(), 0, 0, SRCCOPY);
        } else {
            SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.Get()), PRF_CLIENT);
        }
        GdiFlush();
    }
    image.width = w;
    image.height = h;
    image.pixels.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + size_t(w) * size_t(h));
    for (uint32_t& p : image.pixels) p &= 0xFFFFFF;
    return image;
}

}  // namespace

Bitmap32 PrintClient(HWND hwnd) { return Capture(hwnd, false); }

Bitmap32 ScreenClient(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Capture(hwnd, true);
}

Bitmap32 ScreenAsItIs(HWND hwnd) { return Capture(hwnd, true); }

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

uint32_t Rgb32(COLORREF colour) { return Rgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

int CountOther(const Bitmap32& image, const RECT& area, uint32_t colour) {
    int n = 0;
    for (int y = std::max(0, int(area.top)); y < std::min(image.height, int(area.bottom)); ++y)
        for (int x = std::max(0, int(area.left)); x < std::min(image.width, int(area.right)); ++x)
            n += image.At(x, y) != colour;
    return n;
}

int CountColour(const Bitmap32& image, const RECT& area, uint32_t colour) {
    int n = 0;
    for (int y = std::max(0, int(area.top)); y < std::min(image.height, int(area.bottom)); ++y)
        for (int x = std::max(0, int(area.left)); x < std::min(image.width, int(area.right)); ++x)
            n += image.At(x, y) == colour;
    return n;
}

int CountNearColour(const Bitmap32& image, const RECT& area, uint32_t colour, int tolerance) {
    const auto within = [&](uint32_t pixel) {
        for (int shift : {0, 8, 16})
            if (std::abs(int((pixel >> shift) & 0xff) - int((colour >> shift) & 0xff)) > tolerance) return false;
        return true;
    };
    int n = 0;
    for (int y = std::max(0, int(area.top)); y < std::min(image.height, int(area.bottom)); ++y)
        for (int x = std::max(0, int(area.left)); x < std::min(image.width, int(area.right)); ++x)
            n += within(image.At(x, y));
    return n;
}

namespace {

#pragma pack(push, 1)
struct GdiHandleEntry {
    uint64_t object;
    uint16_t process;
    uint16_t count;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr int kGdiHandleCount = 0x10000;

}  // namespace

int GdiObjectCount() {
    // x64: the TEB (gs) holds the PEB at 0x60, the PEB the GDI handle table at 0xF8.
    const char* peb = nullptr;
    asm("movq %%gs:0x60, %0" : "=r"(peb));
    const auto* table = *reinterpret_cast<GdiHandleEntry* const*>(peb + 0xF8);
    if (!table) return -1;
    const uint16_t self = uint16_t(GetCurrentProcessId());
    const uint16_t selfShifted = uint16_t(GetCurrentProcessId() >> 2);
    int n = 0;
    for (int i = 0; i < kGdiHandleCount; ++i) {
        const GdiHandleEntry& e = table[i];
        if (e.type && (e.process == 0 || e.process == self || e.process == selfShifted)) ++n;
    }
    return n;
}

namespace {

BOOL CALLBACK CountChildren(HWND, LPARAM lParam) {
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lParam) {
    ++*reinterpret_cast<int*>(lParam);
    EnumChildWindows(hwnd, CountChildren, lParam);
    return TRUE;
}

}  // namespace

int ThreadWindowCount() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&n));
    for (HWND h = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); h;
         h = FindWindowExW(HWND_MESSAGE, h, nullptr, nullptr)) {
        if (GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId()) ++n;
    }
    return n;
}

// ---- JSON

namespace {

class JsonParser {
public:
    explicit JsonParser(const std::string& text) : s_(text) {}

    bool Parse(JsonValue& out) {
        if (!Value(out)) return false;
        Space();
        return i_ == s_.size();
    }

private:
    void Space() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\r' || s_[i_] == '\t')) ++i_;
    }
    bool Literal(const char* word) {
        const size_t n = std::strlen(word);
        if (s_.compare(i_, n, word) != 0) return false;
        i_ += n;
        return true;
    }
    bool Str(std::string& out) {
        if (i_ >= s_.size() || s_[i_] != '"') return false;
        ++i_;
        while (i_ < s_.size() && s_[i_] != '"') {
            char c = s_[i_++];
            if (c == '\\') {
                if (i_ >= s_.size()) return false;
                const char e = s_[i_++];
                switch (e) {
                    case 'n': out += '\n'; break;
                    case 'r': out += '\r'; break;
                    case 't': out += '\t'; break;
                    case 'u': {
                        if (i_ + 4 > s_.size()) return false;
                        const unsigned code = unsigned(std::stoul(s_.substr(i_, 4), nullptr, 16));
                        i_ += 4;
                        if (code >= 0x80) return false;  // the writer escapes control characters only
                        out += char(code);
                        break;
                    }
                    default: out += e;
                }
            } else {
                out += c;
            }
        }
        if (i_ >= s_.size()) return false;
        ++i_;
        return true;
    }
    bool Value(JsonValue& v) {
        Space();
        if (i_ >= s_.size()) return false;
        const char c = s_[i_];
        if (c == '{') {
            v.type = JsonValue::Object;
            ++i_;
            Space();
            if (i_ < s_.size() && s_[i_] == '}') return ++i_, true;
            while (true) {
                Space();
                std::string key;
                if (!Str(key)) return false;
                Space();
                if (i_ >= s_.size() || s_[i_++] != ':') return false;
                if (!Value(v.members[key])) return false;
                Space();
                if (i_ < s_.size() && s_[i_] == ',') {
                    ++i_;
                    continue;
                }
                if (i_ < s_.size() && s_[i_] == '}') return ++i_, true;
                return false;
            }
        }
        if (c == '[') {
            v.type = JsonValue::Array;
            ++i_;
            Space();
            if (i_ < s_.size() && s_[i_] == ']') return ++i_, true;
            while (true) {
                v.items.emplace_back();
                if (!Value(v.items.back())) return false;
                Space();
                if (i_ < s_.size() && s_[i_] == ',') {
                    ++i_;
                    continue;
                }
                if (i_ < s_.size() && s_[i_] == ']') return ++i_, true;
                return false;
            }
        }
        if (c == '"') {
            v.type = JsonValue::String;
            return Str(v.text);
        }
        if (Literal("true")) return v.type = JsonValue::Bool, v.boolean = true, true;
        if (Literal("false")) return v.type = JsonValue::Bool, v.boolean = false, true;
        if (Literal("null")) return v.type = JsonValue::Null, true;
        const size_t start = i_;
        while (i_ < s_.size() && (std::strchr("+-0123456789.eE", s_[i_]) != nullptr)) ++i_;
        if (i_ == start) return false;
        v.type = JsonValue::Number;
        v.number = std::stod(s_.substr(start, i_ - start));
        return true;
    }

    const std::string& s_;
    size_t i_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const {
    static const JsonValue missing;
    const auto it = members.find(key);
    return it == members.end() ? missing : it->second;
}

JsonValue ParseJson(const std::string& text) {
    JsonValue value;
    JsonParser parser(text);
    if (!parser.Parse(value)) {
        ADD_FAILURE() << "not valid JSON: " << text;
        return JsonValue();
    }
    return value;
}

// ---- fixture

void UiTest::SetUp() {
    Application->SetBoxResponder(nullptr);
    Application->ClearShownBoxes();
}

void UiTest::TearDown() {
    Application->SetBoxResponder(nullptr);
    Application->ClearShownBoxes();
    Application->ProcessMessages();
    while (!Application->Forms().empty()) FreeComponent(Application->Forms().back());
    Application->ProcessMessages();
}
