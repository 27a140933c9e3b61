#include "bank_job.h"

#include <algorithm>

void TJobControl::Progress(size_t done, size_t total) {
    const int share = total == 0 ? 1000 : int(std::min<size_t>(done, total) * 1000 / total);
    if (share == shown_) return;
    shown_ = share;
    PostMessageW(window_, WM_BANK_JOB_PROGRESS, serial_, share);
}

TBankJob::TBankJob(HWND window, unsigned serial, Work work)
    : serial_(serial), window_(window), work_(std::move(work)), control_(window, serial) {
    thread_ = std::thread([this] { Run(); });
}

TBankJob::~TBankJob() {
    Cancel();
    Wait();
}

void TBankJob::Wait() {
    if (thread_.joinable()) thread_.join();
}

void TBankJob::Run() {
    try {
        work_(control_);
    } catch (const std::exception& e) {
        error_ = e.what();
    } catch (...) {
        error_ = "未知的错误";
    }
    // A window gone meanwhile takes no message: nothing waits on this one but the window.
    PostMessageW(window_, WM_BANK_JOB_DONE, serial_, 0);
}
