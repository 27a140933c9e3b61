#pragma once
// Work on files (checking a school's CSV file, writing or restoring a bank, exporting) on a
// thread of its own, so that the manager's window keeps answering. The work never touches a
// window object: it reports its progress and its end by messages posted to the window, and
// learns of a cancel through TJobControl. Only one job runs at a time, and the window thread
// opens no database meanwhile (the engine is built for one thread at a time).
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <thread>

// Posted to the window: wParam the job's serial, lParam the share done in thousandths.
constexpr UINT WM_BANK_JOB_PROGRESS = WM_APP + 0x140;
// Posted once the work has returned (or thrown): wParam the job's serial.
constexpr UINT WM_BANK_JOB_DONE = WM_APP + 0x141;

class TJobControl {
public:
    TJobControl(HWND window, unsigned serial) : window_(window), serial_(serial) {}
    TJobControl(const TJobControl&) = delete;
    TJobControl& operator=(const TJobControl&) = delete;

    bool Cancelled() const { return cancelled_.load(); }
    void Cancel() { cancelled_.store(true); }
    // Tells the window how far the work is; posts only when the share shown would change.
    void Progress(size_t done, size_t total);

private:
    HWND window_;
    unsigned serial_;
    std::atomic<bool> cancelled_{false};
    int shown_ = -1;
};

class TBankJob {
public:
    using Work = std::function<void(TJobControl&)>;

    // Starts `work` at once. `window` hears of its progress and end.
    TBankJob(HWND window, unsigned serial, Work work);
    // Asks the work to stop and waits for it.
    ~TBankJob();
    TBankJob(const TBankJob&) = delete;
    TBankJob& operator=(const TBankJob&) = delete;

    unsigned Serial() const { return serial_; }
    void Cancel() { control_.Cancel(); }
    bool CancelAsked() const { return control_.Cancelled(); }
    // Waits until the work has returned; after it, what the work left is safe to read.
    void Wait();
    // The text of an exception the work threw, empty when it returned; read after Wait.
    const std::string& Error() const { return error_; }

private:
    void Run();

    unsigned serial_;
    HWND window_;
    Work work_;
    TJobControl control_;
    std::string error_;
    std::thread thread_;
};
