#include "ui/application.h"

#include <commctrl.h>

#include <algorithm>

#include "base/errors.h"
#include "base/utf.h"
#include "ui/automation.h"
#include "ui/box_watcher.h"
#include "ui/guarded_call.h"
#include "ui/helper_window.h"
#include "ui/message_form.h"

namespace {

// The process's one application object. The pointer is constant-initialised, so it is
// valid even in code that runs before the object's constructor.
TApplication theApplication;

std::wstring ExecutableTitle() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length);
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) name.erase(dot);
    return name;
}

bool EnvironmentVariableSet(const wchar_t* name) {
    wchar_t value[8] = {};
    return GetEnvironmentVariableW(name, value, 8) > 0;
}

constexpr wchar_t kApplicationClass[] = L"TApplication";
constexpr UINT kActivateLastForm = WM_APP + 0x3E0;

// Deletes the message form when the box is over (it is not in any dispatch then).
struct FreeDeleter {
    void operator()(TComponent* c) const { FreeComponent(c); }
};

}  // namespace

TApplication* const Application = &theApplication;

TApplication::TApplication() : TComponent(nullptr), title_(ExecutableTitle()) {}

TApplication::~TApplication() {
    DestroyComponents();
    watcher_.reset();
    automation_.reset();
    if (window_) DestroyWindow(window_);
}

void TApplication::SetTitle(const std::wstring& title) {
    title_ = title;
    if (window_) SetWindowTextW(window_, title_.c_str());
}

HWND TApplication::Handle() {
    if (window_) return window_;
    RegisterWindowClass(kApplicationClass, WindowProc, 0, TClassIcon::Program);
    window_ = CreateWindowExW(0, kApplicationClass, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) throw Exception("Cannot create the application window");
    return window_;
}

LRESULT CALLBACK TApplication::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    GuardedCall([&] { result = HandleWindowMessage(hwnd, msg, wParam, lParam); });
    return result;
}

LRESULT TApplication::HandleWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            // The window has nothing to show: the form the learner last used takes over,
            // once the activation in progress has finished.
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) PostMessageW(hwnd, kActivateLastForm, 0, 0);
            return 0;
        case kActivateLastForm:
            Application->ActivateLastForm();
            return 0;
        case WM_SIZE:
            // Minimised, the program's forms go out of sight with it (Windows does this for
            // owned windows, Wine does not); restored, they come back.
            if (wParam == SIZE_MINIMIZED) ShowOwnedPopups(hwnd, FALSE);
            if (wParam == SIZE_RESTORED) ShowOwnedPopups(hwnd, TRUE);
            break;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) != SC_CLOSE) break;
            [[fallthrough]];
        case WM_CLOSE:
            if (TForm* main = Application->MainForm()) {
                FormDispatchGuard guard(main);
                GuardedCall([&] { main->Close(); });
            }
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void TApplication::ActivateLastForm() {
    if (!window_ || IsIconic(window_) || GetActiveWindow() != window_) return;
    HWND last = GetLastActivePopup(window_);
    if (last && last != window_ && IsWindowVisible(last) && IsWindowEnabled(last)) {
        SetActiveWindow(last);
        return;
    }
    if (mainForm_ && mainForm_->HandleAllocated() && IsWindowVisible(mainForm_->WindowHandle()))
        SetActiveWindow(mainForm_->WindowHandle());
}

bool TApplication::MinimizeProgram() {
    if (!window_ || !IsWindowVisible(window_)) return false;
    ShowWindow(window_, SW_MINIMIZE);
    return true;
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    if (!automation_ && EnvironmentVariableSet(L"MUHE_AUTOMATION")) automation_ = std::make_unique<TAutomationServer>();
}

// ---- the message loop

void TApplication::Run() {
    terminated_ = false;
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);  // the program's task bar button
    if (mainForm_) mainForm_->Show();
    while (!terminated_) HandleMessage();
    ShowWindow(window_, SW_HIDE);
    // The run is over; a later loop starts afresh.
    terminated_ = false;
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (ProcessMessage(msg)) return;
    if (idleTasks_.empty()) {
        WaitMessage();
        return;
    }
    // A task may leave another: the list is taken first.
    std::vector<std::function<void()>> tasks = std::move(idleTasks_);
    idleTasks_.clear();
    for (auto& task : tasks) GuardedCall(task);
}

void TApplication::WhenIdle(std::function<void()> task) { idleTasks_.push_back(std::move(task)); }

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (!IsDialogKeyMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

bool TApplication::IsDialogKeyMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    UINT wanted = 0;
    switch (msg.wParam) {
        case VK_TAB: wanted = DLGC_WANTTAB; break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: wanted = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_ESCAPE: wanted = DLGC_WANTALLKEYS; break;
        default: return false;
    }
    TWinControl* control = FindControl(msg.hwnd);
    TForm* form = control ? control->ParentForm() : nullptr;
    if (!form) return false;
    // A control that takes the key itself (an edit its arrows) gets it as a key-down.
    MSG copy = msg;
    if (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy)) & wanted) return false;
    FormDispatchGuard guard(form);
    bool taken = true;  // a key whose handling failed is not handled a second time
    GuardedCall([&] { taken = form->DialogKey(WORD(msg.wParam), KeyboardShiftState()); });
    return taken;
}

// ---- forms

void TApplication::AddForm(TForm* form) { forms_.push_back(form); }

void TApplication::RemoveForm(TForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form) mainForm_ = nullptr;
}

TForm* TApplication::ActiveForm() const { return dynamic_cast<TForm*>(TWinControl::FromHandle(GetActiveWindow())); }

// ---- boxes

HWND TApplication::BoxOwner() const {
    if (HWND active = GetActiveWindow()) return active;
    if (mainForm_ && mainForm_->HandleAllocated() && IsWindowVisible(mainForm_->WindowHandle()))
        return mainForm_->WindowHandle();
    return nullptr;
}

void TApplication::BoxOpened(TOpenBox box) {
    if (watcher_) {
        box.Record = int(shownBoxes_.size());
        shownBoxes_.push_back(TBoxRecord{box.Kind, box.Caption, box.Text, 0, 0});
    }
    openBoxes_.push_back(std::move(box));
}

void TApplication::BoxClosed(int result) {
    if (openBoxes_.empty()) return;
    const int record = openBoxes_.back().Record;
    if (record >= 0 && record < int(shownBoxes_.size())) shownBoxes_[size_t(record)].Result = result;
    openBoxes_.pop_back();
}

void TApplication::RecordRejected(int record, int answer) {
    if (record >= 0 && record < int(shownBoxes_.size())) shownBoxes_[size_t(record)].RejectedAnswer = answer;
}

int TApplication::ShowSystemBox(TBoxKind kind, const std::wstring& text, const std::wstring& caption, UINT flags) {
    BoxOpened(TOpenBox{kind, caption, text});
    const int result = ::MessageBoxW(BoxOwner(), text.c_str(), caption.c_str(), flags);
    BoxClosed(result);
    return result;
}

int TApplication::MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
    return ShowSystemBox(TBoxKind::MessageBox, text, caption, flags);
}

void TApplication::ShowMessage(const std::wstring& text) {
    std::unique_ptr<TMessageForm, FreeDeleter> box(new TMessageForm(text, title_, BoxOwner()));
    box->Create();
    BoxOpened(TOpenBox{TBoxKind::ShowMessage, title_, text, box->WindowHandle()});
    int result = mrCancel;
    try {
        result = box->ShowModal();
    } catch (...) {
        BoxClosed(result);
        throw;
    }
    BoxClosed(result);
}

void TApplication::ShowException(const std::exception& error) {
    ShowSystemBox(TBoxKind::ErrorBox, Utf8ToWide(error.what()), title_, MB_OK | MB_ICONERROR);
}

void ReportUnhandledException(const std::exception* error) noexcept {
    try {
        if (error)
            Application->ShowException(*error);
        else
            Application->ShowException(Exception("程序内部发生未知错误"));
    } catch (...) {
        // Not even the box could be shown (out of memory): the program goes on without it.
    }
}

void TApplication::SetBoxResponder(TBoxResponder responder) {
    if (!responder) {
        watcher_.reset();
        return;
    }
    if (watcher_)
        watcher_->SetResponder(std::move(responder));
    else
        watcher_ = std::make_unique<TBoxWatcher>(std::move(responder));
}

const std::vector<TBoxRecord>& TApplication::ShownBoxes() const { return shownBoxes_; }

void TApplication::ClearShownBoxes() { shownBoxes_.clear(); }

void ShowMessage(const std::wstring& text) { Application->ShowMessage(text); }
