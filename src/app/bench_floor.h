#pragma once
// The floor of an opening: the same tree of windows as a window the program opened (the same
// classes, styles, sizes and number of handles), made with plain CreateWindowExW calls, shown
// and painted with FillRect, with none of the program's code in between. Under Wine most of an
// opening is the window system's own work; an opening's ratio to its floor is what is ours, and
// it means the same on a loaded machine as on an idle one.
#include <windows.h>

#include <string>
#include <vector>

#include "app/bench_figures.h"

namespace bench {

// One window of a tree, parents before their children.
struct FloorWindow {
    int parent = -1;         // index of the parent in the tree; -1 for the top window
    std::wstring className;  // the system's class; empty for a class of the program's own
    std::wstring text;
    DWORD style = 0, exStyle = 0;
    RECT bounds{};  // in the parent's client coordinates; the top window's on the screen
    UINT_PTR id = 0;
};

struct WindowTree {
    std::vector<FloorWindow> windows;
    HWND owner = nullptr;
    int handles = 0;  // every handle of the real tree, those its system controls made included
};

// The number of windows in `top`'s tree, `top` included.
int CountWindows(HWND top);

// The tree of `top` as it is now. A window of a system class whose parent is a system control
// is left out: that control makes it (the edit of a combo box), and makes it again in the copy.
WindowTree CaptureTree(HWND top);

// An owned top window, destroyed with its tree.
class FloorWindowHandle {
public:
    explicit FloorWindowHandle(HWND hwnd = nullptr) : hwnd_(hwnd) {}
    ~FloorWindowHandle();
    FloorWindowHandle(FloorWindowHandle&& other) noexcept;
    FloorWindowHandle& operator=(FloorWindowHandle&&) = delete;
    FloorWindowHandle(const FloorWindowHandle&) = delete;
    FloorWindowHandle& operator=(const FloorWindowHandle&) = delete;
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_;
};

// Makes `tree` hidden: the program's own classes become plain windows that paint with FillRect,
// the system's classes are made as they are.
FloorWindowHandle BuildFloor(const WindowTree& tree);

struct FloorOpening {
    double milliseconds = 0;
    int handles = 0;  // the windows the copy came to, those its system controls made included
};

// Makes, shows (activated, as a form's Show does) and paints `tree`; the windows are destroyed
// afterwards, untimed.
FloorOpening MeasureFloor(const WindowTree& tree);

// An opening's floor and its ratio to it, measured in turns with the openings so that both see
// the same load: the window's tree is captured while it is open, its floor measured once it is
// freed.
class FloorFigures {
public:
    void Capture(HWND opened) { tree_ = CaptureTree(opened); }
    // The floor of the tree captured last, paired with the opening that showed that tree.
    void Measure(double opening);
    // The floor's and the ratio's report lines, indented under the opening's.
    std::string Lines(int rounds);

private:
    WindowTree tree_;
    Figures floor_, ratio_;
    int handles_ = 0, floorHandles_ = 0;
};

inline constexpr double kRatioTarget = 1.5;

}  // namespace bench
