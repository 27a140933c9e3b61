#pragma once
// Window classes registered once per process, and the message-only windows the toolkit keeps
// for timers, the box watcher and the automation server.
#include <windows.h>

// What a class shows: nothing (message-only windows), the arrow cursor (controls), or the
// program's icon and the arrow (top-level windows).
enum class TClassIcon { None, Arrow, Program };

// Registers `name` with `proc` unless the class already exists (a second form, a test that
// builds the toolkit twice), with what `icon` asks for.
// Throws when the system refuses the class.
void RegisterWindowClass(const wchar_t* name, WNDPROC proc, UINT classStyle = 0, TClassIcon icon = TClassIcon::None);

// A message-only window of its own class whose user data names its owner. Destroyed with the
// object; the owner pointer is cleared first so that a message sent during destruction finds
// no owner instead of a half-destroyed one.
class THelperWindow {
public:
    THelperWindow(const wchar_t* className, WNDPROC proc, void* owner);
    ~THelperWindow();
    THelperWindow(const THelperWindow&) = delete;
    THelperWindow& operator=(const THelperWindow&) = delete;

    HWND Handle() const { return window_; }

    // The owner a helper window's procedure is called for; nullptr while it is being destroyed.
    template <typename T>
    static T* OwnerOf(HWND window) {
        return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }

private:
    HWND window_ = nullptr;
};
