#include "ui/helper_window.h"

#include "base/errors.h"
#include "base/utf.h"

void RegisterWindowClass(const wchar_t* name, WNDPROC proc, UINT classStyle, TClassIcon icon) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(instance, name, &wc)) return;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    if (icon == TClassIcon::Program) {
        // The program's icon resource carries the VCL's name for it. A class given no small
        // icon gets a copy made from it, a dozen display look-ups under Wine: the small one is
        // loaded once and lives as long as the classes, which are never unregistered.
        wc.hIcon = LoadIconW(instance, L"MAINICON");
        static const HICON small = static_cast<HICON>(LoadImageW(
            instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
        if (wc.hIcon) wc.hIconSm = small;
        if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    }
    if (icon != TClassIcon::None) wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc)) throw Exception("Cannot register the window class " + WideToUtf8(name));
}

THelperWindow::THelperWindow(const wchar_t* className, WNDPROC proc, void* owner) {
    RegisterWindowClass(className, proc);
    window_ = CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) throw Exception("Out of system resources");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
}

THelperWindow::~THelperWindow() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}
