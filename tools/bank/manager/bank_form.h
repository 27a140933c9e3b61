#pragma once
// The bank manager: muhe-bank.exe without arguments, for a school's administrator. It shows
// the installation's data folder, exports the bank to a CSV file and pictures, checks a
// school's CSV file (on a job thread, with progress and a Cancel button) and lists what is
// wrong by row and column, or shows the questions about to be imported before anything is
// written; and it puts the previous bank (jjj.bak) back. It wears the program's skin.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "bank_dialogs.h"
#include "bank_job.h"
#include "csv_import.h"
#include "skin/win32/skin_component.h"
#include "ui/bit_btn.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/range_controls.h"

// The question card's picture frame (drill/win/question_card.cpp): a larger picture is cut.
inline constexpr int kCardPictureWidth = 207;
inline constexpr int kCardPictureHeight = 216;

class TBankForm : public TForm {
public:
    // `folder` is the installation's data folder to start with.
    TBankForm(TComponent* owner, std::filesystem::path folder, TBankDialogs dialogs = SystemBankDialogs());
    std::wstring ClassName() const override { return L"TBankForm"; }

    TLabel* FolderLabel;
    TEdit* FolderEdit;       // the data folder (read-only)
    TBitBtn* FolderButton;   // 更改…
    TLabel* BankLabel;       // what the folder holds
    TBitBtn* ExportButton;   // 导出题库…
    TBitBtn* ImportButton;   // 导入题库…
    TBitBtn* RestoreButton;  // 恢复上一个题库
    TLabel* StateLabel;      // what is being done, and what came of it
    TProgressBar* ProgressBar1;
    TBitBtn* CancelButton;   // stops a check
    TPanel* ProblemPanel;    // what a check found wrong
    TLabel* ProblemLabel;
    TListView* ProblemList;  // row, column, message
    TLabel* RulesLabel;
    TBitBtn* CopyButton;     // 复制到剪贴板
    TBitBtn* SaveButton;     // 保存为文本文件…
    TPanel* PreviewPanel;    // the questions of a sound file, before they are written
    TLabel* PreviewLabel;
    TListView* PreviewList;  // id, tihao, text, answer, set, chapter
    TPanel* PictureFrame;
    TImage* Image1;          // the chosen question's picture, as the question card shows it
    TLabel* PictureLabel;
    TBitBtn* ConfirmButton;  // 确认导入
    TBitBtn* DiscardButton;  // 放弃，不导入
    TSkinDataComponent* SkinData1;

    const std::filesystem::path& Folder() const { return folder_; }
    // Whether a job (a check, an import, an export, a restore) is running.
    bool Busy() const { return job_ != nullptr; }

    void FolderButtonClick();
    void ExportButtonClick();
    void ImportButtonClick();
    void RestoreButtonClick();
    void CancelButtonClick();
    void CopyButtonClick();
    void SaveButtonClick();
    void ConfirmButtonClick();
    void DiscardButtonClick();
    void PreviewListChange();
    void FormClose(TCloseAction& action);

protected:
    void WndProc(TMessage& message) override;

private:
    using Finish = std::function<void(const std::string& unexpected)>;

    void BuildPages();
    void SetFolder(std::filesystem::path folder);
    void ShowBankState();
    void ShowPage(TPanel* page);
    void SetState(const std::wstring& text);
    void SetBusy(bool busy, bool cancellable);
    // Runs `work` on a job thread; `finish` runs here once it has returned, with the text of
    // an unexpected exception it threw (empty when none).
    void StartJob(const std::wstring& doing, bool cancellable, bool writes, TBankJob::Work work, Finish finish);
    void JobProgress(unsigned serial, int thousandths);
    void JobDone(unsigned serial);

    void StartCheck(const std::filesystem::path& csv, const std::filesystem::path& images);
    void CheckDone(std::shared_ptr<const CsvImport> checked, const std::filesystem::path& csv, const std::filesystem::path& images);
    void ShowProblems(const CsvImport& checked, const std::filesystem::path& csv);
    void ShowPreview(const CsvImport& checked, const std::filesystem::path& csv, const std::filesystem::path& images);
    std::wstring ProblemText() const;
    void Warn(const std::wstring& text);

    std::filesystem::path folder_;
    TBankDialogs dialogs_;
    // Destroyed before the form's window: its destructor stops the work and waits for it.
    std::unique_ptr<TBankJob> job_;
    Finish finish_;
    bool jobWrites_ = false;
    unsigned serial_ = 0;
    // The checked rows shown in the preview, written only when the import is confirmed.
    std::shared_ptr<const CsvImport> pending_;
    std::filesystem::path pendingCsv_;
    std::filesystem::path problemCsv_;  // the file the listed problems are of
    std::vector<CsvProblem> problems_;
};
