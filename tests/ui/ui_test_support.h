#pragma once
// Driving real windows from the tests: pumping the toolkit's message loop, keys and clicks
// as the system delivers them, pixels as painted, and counts of the process's GDI objects and
// windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/bitmap32.h"
#include "base/errors.h"
#include "ui/application.h"

// Runs the message loop until pred holds or the time is up; returns pred's last value.
bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 3000);
// Runs the message loop for a while.
void PumpFor(int ms);

// Runs fn from the message loop soon (or after ms milliseconds): the way a test acts while a
// modal loop of the toolkit's is running.
void RunSoon(std::function<void()> fn);
void RunAfter(int ms, std::function<void()> fn);

// A key pressed and released on the focused window: WM_KEYDOWN and WM_KEYUP are posted and
// the loop run, so that the loop's TranslateMessage makes the WM_CHAR a keyboard would.
void PressKey(WORD vk);
// Only the key-down (and whatever character the loop makes of it).
void KeyDown(WORD vk);
// Alt held while the key goes down and up, through the system's input queue as the keyboard
// delivers it (to the focused window of the foreground window); then the loop runs a while.
// False when the system refused the input.
bool PressWithAlt(WORD vk);
// A typed character without a key (as an input method delivers one).
void TypeChar(wchar_t ch);
// Holds Shift down in the thread's keyboard state while alive.
class ShiftHeld {
public:
    ShiftHeld();
    ~ShiftHeld();

private:
    BYTE saved_[256];
};
// A character typed on the main keyboard: its key pressed, with Shift held where the layout
// needs it.
void TypeOnKeyboard(wchar_t ch);

// Mouse clicks at a client point of a window, through the loop.
void ClickAt(HWND hwnd, int x, int y);
void DoubleClickAt(HWND hwnd, int x, int y);

// Real mouse input, as the system delivers it (SendInput): the pointer moved to a screen
// point, and there the buttons pressed and released in the order given (MOUSEEVENTF_LEFTDOWN,
// ...), all queued at once, so that a window that opens a menu on the first finds the others
// waiting; a second click within the double-click time arrives as a double click. The
// messages are handled before it returns. False when the system refused the input.
bool MouseAt(POINT screen, std::initializer_list<DWORD> buttons = {});

// The client area as the window paints it through WM_PRINTCLIENT, 0x00RRGGBB pixels.
Bitmap32 PrintClient(HWND hwnd);
// The client area as it is on screen after the window has painted (WM_PAINT).
Bitmap32 ScreenClient(HWND hwnd);
// The client area as it is on screen now, nothing painted again first: what the window's own
// invalidations left there.
Bitmap32 ScreenAsItIs(HWND hwnd);
uint32_t Rgb32(COLORREF colour);
// "left,top,right,bottom", for readable comparisons.
std::string RectText(const RECT& r);
// Pixels in the rectangle that differ from the colour.
int CountOther(const Bitmap32& image, const RECT& area, uint32_t colour);
int CountColour(const Bitmap32& image, const RECT& area, uint32_t colour);
// Pixels whose red, green and blue each lie within `tolerance` of the colour: the ink of
// text that the font smooths at its edges.
int CountNearColour(const Bitmap32& image, const RECT& area, uint32_t colour, int tolerance);

// GDI objects of the process (GetGuiResources is a stub under Wine; the process's GDI
// handle table, which the PEB points to, has the same layout on Windows and Wine).
int GdiObjectCount();
// Windows of the thread: top-level, their children, and message-only windows.
int ThreadWindowCount();

// A minimal JSON reader for the automation dumps.
struct JsonValue {
    enum Type { Null, Bool, Number, String, Array, Object } type = Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    const JsonValue& operator[](const std::string& key) const;
    bool Has(const std::string& key) const { return members.count(key) != 0; }
};
// Parses text; a syntax error fails the test and returns a Null value.
JsonValue ParseJson(const std::string& text);

// The base of the window tests: no responder and no recorded boxes before or after a test,
// and every form a test leaves behind deleted.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Deletes a component through the toolkit (owned components first).
struct Freer {
    void operator()(TComponent* c) const { FreeComponent(c); }
};
template <class T>
using Owned = std::unique_ptr<T, Freer>;
