#pragma once
// The one application object (global access as `Application`, in the VCL's manner): the
// title, the forms, the message loop, message boxes, ShowMessage and the default error box,
// the hook through which tests answer modal boxes, and the automation interface.
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/component.h"
#include "ui/form.h"
#include "ui/paint_buffer.h"
#include "ui/timer.h"
#include "ui/window_subclass.h"

class TAutomationServer;
class TBoxWatcher;

// The modal boxes the toolkit shows.
enum class TBoxKind {
    MessageBox,   // Application->MessageBox: the system's dialog (class "#32770")
    ShowMessage,  // ShowMessage: the toolkit's own form of class "TMessageForm"
    ErrorBox,     // the default error box: a system dialog with the exception's text
};

// A box on screen, as a responder sees it.
struct TOpenBox {
    TBoxKind Kind;
    std::wstring Caption;
    std::wstring Text;
    HWND Window = nullptr;  // known once the box's window exists
    bool Answered = false;
    int Record = -1;        // its entry in ShownBoxes(), -1 when none is kept
};

// A box that was shown, for assertions: Result is the button it was closed with (0 while it
// is still open); RejectedAnswer is an answer the responder gave that the box has no button
// for (such an answer is not pressed).
struct TBoxRecord {
    TBoxKind Kind;
    std::wstring Caption;
    std::wstring Text;
    int Result = 0;
    int RejectedAnswer = 0;
};

// Answers a box: the button to press (IDOK, IDYES, IDNO …) or kBoxNotYet to be asked again
// a little later — timers keep running meanwhile.
constexpr int kBoxNotYet = 0;
using TBoxResponder = std::function<int(const TOpenBox& box)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;
    std::wstring ClassName() const override { return L"TApplication"; }

    std::wstring GetTitle() const { return title_; }
    void SetTitle(const std::wstring& title);
    // Shown on the task bar for the program (the caption of the application window) and as
    // the caption of its boxes.
    Property<&TApplication::GetTitle, &TApplication::SetTitle> Title{this};

    // The application window, of class "TApplication": never seen itself (it has no size),
    // it owns every form, so that the program has one task bar button, captioned with the
    // title, from Run until the loop ends. Activating it (from the task bar) activates the
    // form that was active last; minimising the main form minimises the whole program.
    HWND Handle();

    // Loads the common controls and, when the environment variable MUHE_AUTOMATION is set,
    // starts the automation interface.
    void Initialize();

    // Creates a form owned by the application (the first one becomes the main form), stores
    // it in the reference and runs its creation (OnCreate). If that throws, the form is
    // deleted, the reference cleared, and the exception passed on.
    // Arguments after the reference go to the form's constructor after its owner.
    template <class F, class... Args>
    void CreateForm(F*& reference, Args&&... args) {
        F* form = new F(this, std::forward<Args>(args)...);
        reference = form;
        if (!mainForm_) mainForm_ = form;
        try {
            form->Create();
        } catch (...) {
            reference = nullptr;
            FreeComponent(form);
            throw;
        }
    }

    // Shows the main form and runs the message loop until the program is terminated (the
    // main form closed).
    void Run();
    // Ends the message loop (posts WM_QUIT).
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message waiting, then returns.
    void ProcessMessages();
    // Handles one message; with none waiting, runs the tasks left for an idle moment or else
    // waits for one.
    void HandleMessage();
    // Runs `task` once, the first time the message loop finds nothing to handle: after the
    // windows on the screen have painted and before the loop waits.
    void WhenIdle(std::function<void()> task);

    // Deletes the forms the application owns, the last created first. The destructor does
    // the same when the program ends (after main returns); call it before deleting what the
    // forms still use, such as the database connections their queries run on.
    void DestroyForms() { DestroyComponents(); }

    TForm* MainForm() const { return mainForm_; }
    // Every form in existence, in creation order.
    const std::vector<TForm*>& Forms() const { return forms_; }
    // The form whose window is active, or nullptr.
    TForm* ActiveForm() const;

    // The system message box owned by the active form; returns the button pressed.
    // (windows.h makes the name MessageBoxW everywhere, here and at the callers alike.)
    int MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags = MB_OK);
    // A modal box with the text, the title as caption and an OK button "确定".
    void ShowMessage(const std::wstring& text);
    // The default error box: the exception's text (UTF-8) in a box captioned with the title.
    void ShowException(const std::exception& error);

    // Boxes on screen now, the newest last.
    const std::vector<TOpenBox>& OpenBoxes() const { return openBoxes_; }

    // The test responder: with one installed, every box shown is recorded and, while it is
    // up, the responder is asked every few milliseconds which button to press. The box is
    // shown and runs modally exactly as without it. An empty responder removes it.
    void SetBoxResponder(TBoxResponder responder);
    const std::vector<TBoxRecord>& ShownBoxes() const;
    void ClearShownBoxes();

    // Used by the forms.
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);

    // The main form asks for the program to be minimised.
    bool MinimizeProgram();

    // The off-screen picture the toolkit's windows paint into.
    TPaintBuffer& PaintBuffer() { return paintBuffer_; }

    // Called with a form whose window is about to be shown, while nothing of it is on the
    // screen yet (the skin engine puts on its frame then, so that the window is painted once).
    std::function<void(TForm& form)> OnFormShowing;

    // The window the timers tick on.
    TTimerWindow& Timers() { return timers_; }

    // The windows the toolkit and the skin engine have subclassed.
    TSubclassChains& SubclassChains() { return subclassChains_; }

private:
    friend class TBoxWatcher;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT HandleWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void ActivateLastForm();

    bool ProcessMessage(MSG& msg);
    bool IsDialogKeyMessage(const MSG& msg);
    HWND BoxOwner() const;
    int ShowSystemBox(TBoxKind kind, const std::wstring& text, const std::wstring& caption, UINT flags);
    void BoxOpened(TOpenBox box);
    void BoxClosed(int result);
    void RecordRejected(int record, int answer);

    std::wstring title_;
    HWND window_ = nullptr;
    TForm* mainForm_ = nullptr;
    std::vector<TForm*> forms_;
    std::vector<TOpenBox> openBoxes_;
    std::vector<TBoxRecord> shownBoxes_;
    bool terminated_ = false;
    std::unique_ptr<TBoxWatcher> watcher_;
    std::unique_ptr<TAutomationServer> automation_;
    TPaintBuffer paintBuffer_;
    TSubclassChains subclassChains_;
    TTimerWindow timers_;
    std::vector<std::function<void()>> idleTasks_;
};

extern TApplication* const Application;

// A modal box with the text, the application title as caption and an OK button.
void ShowMessage(const std::wstring& text);
