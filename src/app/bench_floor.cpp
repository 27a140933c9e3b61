#include "app/bench_floor.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "app/bench_figures.h"
#include "skin/win32/skin_messages.h"
#include "ui/gdi.h"
#include "ui/helper_window.h"

namespace bench {

namespace {

constexpr wchar_t kFloorClass[] = L"MuheBenchFloor";

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kSkinQuery:
        return 1;  // "skinned already": the skin, which skins a window as it is activated, leaves it
    case WM_ERASEBKGND:
        return 1;  // the paint covers the whole client area
    case WM_PAINT: {
        PaintDC dc(hwnd);
        FillRect(dc.Get(), &dc.PaintRect(), GetSysColorBrush(COLOR_BTNFACE));
        return 0;
    }
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

// The system's classes (and the common controls', registered as global classes) are found
// without a module; the program's own are registered for the program's module only.
bool OwnClass(HWND hwnd) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    return !GetClassInfoExW(nullptr, ClassOf(hwnd).c_str(), &wc);
}

std::wstring TextOf(HWND hwnd) {
    // Long texts (a page in a rich-text box) are the program's content, not the window's.
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0 || length > 512) return {};
    wchar_t text[513] = {};
    const int copied = GetWindowTextW(hwnd, text, 513);
    return std::wstring(text, size_t(std::max(copied, 0)));
}

void Capture(HWND hwnd, int parent, WindowTree& tree) {
    FloorWindow w;
    w.parent = parent;
    const bool own = OwnClass(hwnd);
    if (!own) w.className = ClassOf(hwnd);
    w.text = TextOf(hwnd);
    w.style = DWORD(GetWindowLongW(hwnd, GWL_STYLE));
    w.exStyle = DWORD(GetWindowLongW(hwnd, GWL_EXSTYLE));
    GetWindowRect(hwnd, &w.bounds);
    if (parent >= 0) {
        MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&w.bounds), 2);
        w.id = UINT_PTR(GetDlgCtrlID(hwnd));
    }
    const int index = int(tree.windows.size());
    tree.windows.push_back(std::move(w));

    // Topmost first: a child made later goes below those made before it, so the copy made in
    // this order has the same order without being moved.
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!own && !OwnClass(c)) continue;
        Capture(c, index, tree);
    }
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

void HandlePending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

int CountWindows(HWND top) {
    int count = 1;
    EnumChildWindows(top, CountChild, reinterpret_cast<LPARAM>(&count));
    return count;
}

WindowTree CaptureTree(HWND top) {
    WindowTree tree;
    tree.owner = GetWindow(top, GW_OWNER);
    tree.handles = CountWindows(top);
    Capture(top, -1, tree);
    return tree;
}

FloorWindowHandle::~FloorWindowHandle() {
    if (hwnd_) DestroyWindow(hwnd_);
}

FloorWindowHandle::FloorWindowHandle(FloorWindowHandle&& other) noexcept : hwnd_(std::exchange(other.hwnd_, nullptr)) {}

FloorWindowHandle BuildFloor(const WindowTree& tree) {
    if (tree.windows.empty()) return FloorWindowHandle();
    RegisterWindowClass(kFloorClass, FloorProc, CS_DBLCLKS);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    std::vector<HWND> made(tree.windows.size(), nullptr);
    for (size_t i = 0; i < tree.windows.size(); ++i) {
        const FloorWindow& w = tree.windows[i];
        const wchar_t* className = w.className.empty() ? kFloorClass : w.className.c_str();
        const int width = w.bounds.right - w.bounds.left, height = w.bounds.bottom - w.bounds.top;
        if (w.parent < 0) {
            // Shown once it is whole, as a form is.
            made[i] = CreateWindowExW(w.exStyle, className, w.text.c_str(), w.style & ~WS_VISIBLE, w.bounds.left,
                                      w.bounds.top, width, height, tree.owner, nullptr, instance, nullptr);
        } else if (HWND parent = made[size_t(w.parent)]) {
            made[i] = CreateWindowExW(w.exStyle, className, w.text.c_str(), w.style, w.bounds.left, w.bounds.top,
                                      width, height, parent, reinterpret_cast<HMENU>(w.id), instance, nullptr);
        }
    }
    return FloorWindowHandle(made[0]);
}

FloorOpening MeasureFloor(const WindowTree& tree) {
    FloorOpening result;
    {
        Mark(L"muhe-bench-mark-floor-begins");
        const int64_t t0 = Now();
        FloorWindowHandle floor = BuildFloor(tree);
        HWND hwnd = floor.Get();
        if (!hwnd) return result;
        ShowWindow(hwnd, SW_SHOW);
        if (GetActiveWindow() != hwnd && IsWindowEnabled(hwnd)) SetActiveWindow(hwnd);
        UpdateWindow(hwnd);
        result.milliseconds = Milliseconds(t0, Now());
        Mark(L"muhe-bench-mark-floor-ends");
        result.handles = CountWindows(hwnd);
    }
    HandlePending();
    return result;
}

void FloorFigures::Measure(double opening) {
    const FloorOpening floor = MeasureFloor(tree_);
    handles_ = tree_.handles;
    floorHandles_ = floor.handles;
    if (floor.milliseconds <= 0) return;
    floor_.Add(floor.milliseconds);
    ratio_.Add(opening / floor.milliseconds);
}

std::string FloorFigures::Lines(int rounds) {
    char what[120];
    std::snprintf(what, sizeof what, "  its floor: the same %d windows made plain (median of %d)", handles_, rounds);
    std::string lines = Line(what, floor_.Median(), "ms");
    std::snprintf(what, sizeof what, "  its ratio to the floor (median of %d rounds)", rounds);
    lines += Line(what, ratio_.Median(), "x", kRatioTarget);
    if (floorHandles_ != handles_) {
        std::snprintf(what, sizeof what, "  (the floor came to %d windows, the window has %d)\n", floorHandles_, handles_);
        lines += what;
    }
    return lines;
}

}  // namespace bench
