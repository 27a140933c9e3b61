// Importing a school's bank: the CSV file and picture folder chosen, the file checked on the job
// thread, then either the problems by row and column (nothing written) or the questions shown
// before the import is confirmed and written.
#include <fstream>

#include "bank_form.h"
#include "bank_install.h"
#include "base/bmp.h"
#include "base/utf.h"
#include "clipboard_text.h"
#include "manager_text.h"
#include "ui/application.h"

namespace fs = std::filesystem;

namespace {

std::wstring FileName(const fs::path& path) { return path.filename().wstring(); }

// An unexpected fault's own words follow the staff's.
std::wstring Unexpected(const std::string& what) { return L"（意外的错误：" + Wide(what) + L"）"; }

}  // namespace

void TBankForm::ImportButtonClick() {
    const auto csv = dialogs_.OpenFile(Handle(), L"导入题库：第 1 步，选择题库的 CSV 文件");
    if (!csv) return;
    const auto images =
        dialogs_.ChooseFolder(Handle(), L"导入题库：第 2 步，选择存放题目图片的文件夹（没有图片也要选一个文件夹）", csv->parent_path());
    if (!images) return;
    StartCheck(*csv, *images);
}

void TBankForm::StartCheck(const fs::path& csv, const fs::path& images) {
    pending_.reset();
    problems_.clear();
    ProblemList->Clear();
    PreviewList->Clear();
    ShowPage(nullptr);
    auto checked = std::make_shared<CsvImport>();
    StartJob(
        L"正在检查“" + FileName(csv) + L"”和图片……（还没有写入任何文件）", true, false,
        [csv, images, checked](TJobControl& control) {
            *checked = CheckCsvBank(csv, images, [&control](size_t done, size_t total) {
                control.Progress(done, total);
                return !control.Cancelled();
            });
        },
        [this, checked, csv, images](const std::string& unexpected) {
            if (!unexpected.empty()) {
                SetState(L"检查没有完成，没有写入任何文件" + Unexpected(unexpected) + L"。");
                return;
            }
            CheckDone(checked, csv, images);
        });
}

void TBankForm::CheckDone(std::shared_ptr<const CsvImport> checked, const fs::path& csv, const fs::path& images) {
    if (checked->cancelled) {
        SetState(L"已取消检查，没有写入任何文件。");
        return;
    }
    if (!checked->problems.empty()) {
        ShowProblems(*checked, csv);
        return;
    }
    pending_ = std::move(checked);
    pendingCsv_ = csv;
    ShowPreview(*pending_, csv, images);
}

void TBankForm::ShowProblems(const CsvImport& checked, const fs::path& csv) {
    problems_ = checked.problems;
    problemCsv_ = csv;
    std::vector<std::vector<std::wstring>> rows;
    for (const CsvProblem& p : problems_) {
        rows.push_back({p.row > 0 ? std::to_wstring(p.row) : std::wstring(), Wide(p.column), Wide(p.what)});
    }
    ProblemList->SetItems(std::move(rows));
    const std::wstring count = std::to_wstring(problems_.size());
    ProblemLabel->Caption = L"发现 " + count + L" 处问题（行号与电子表格中的相同，第 1 行是标题行）：";
    SetState(L"“" + FileName(csv) + L"”有 " + count +
             L" 处问题，没有写入任何文件。请在电子表格中改正下列问题并保存，然后再点“导入题库…”。");
    ShowPage(ProblemPanel);
    ProblemList->ItemIndex = 0;
    ProblemList->SetFocus();
}

void TBankForm::ShowPreview(const CsvImport& checked, const fs::path& csv, const fs::path& images) {
    std::vector<std::vector<std::wstring>> rows;
    rows.reserve(checked.rows.size());
    for (const BankQuestion& q : checked.rows) {
        rows.push_back({std::to_wstring(q.id), Wide(q.tihao), Wide(q.timu), Wide(q.daan), q.t > 0 ? std::to_wstring(q.t) : std::wstring(),
                        Wide(q.lei1)});
    }
    PreviewList->SetItems(std::move(rows));
    const std::wstring count = std::to_wstring(checked.rows.size());
    PreviewLabel->Caption = L"将导入以下 " + count + L" 道题（CSV 文件编码 " + Wide(EncodingName(checked.encoding)) + L"，" +
                            (checked.separator == '\t' ? L"制表符" : L"逗号") + L"分隔；图片来自“" + Shown(images) + L"”）：";
    SetState(L"“" + FileName(csv) + L"”检查通过，还没有写入任何文件。请核对下面的题目和图片，无误后点“确认导入”。");
    ShowPage(PreviewPanel);
    PreviewList->ItemIndex = 0;
    ConfirmButton->SetFocus();
}

void TBankForm::PreviewListChange() {
    const int index = PreviewList->ItemIndex;
    if (!pending_ || index < 0 || index >= int(pending_->rows.size())) {
        Image1->Picture->Clear();
        PictureLabel->Caption = std::wstring();
        return;
    }
    const BankQuestion& q = pending_->rows[size_t(index)];
    const std::wstring which = L"第 " + std::to_wstring(q.id) + L" 题";
    if (q.image.empty()) {
        Image1->Picture->Clear();
        PictureLabel->Caption = which + L"没有图片。";
        return;
    }
    try {
        const Bitmap32 picture = DecodeBmp(q.image);
        Image1->Picture->Assign(picture);
        std::wstring text = which + L"的图片（" + std::to_wstring(picture.width) + L"×" + std::to_wstring(picture.height) + L" 像素）";
        if (picture.width > kCardPictureWidth || picture.height > kCardPictureHeight)
            text += L"：比题目的图片框大，考试系统只显示中间的部分。";
        PictureLabel->Caption = text;
    } catch (const std::exception&) {
        Image1->Picture->Clear();
        PictureLabel->Caption = which + L"的图片无法显示：它不是有效的 BMP 位图文件。";
    }
}

void TBankForm::ConfirmButtonClick() {
    if (!pending_ || Busy()) return;
    // A trainer holding the bank is found before anything is asked or written.
    try {
        CheckBankReplaceable(folder_, "导入");
    } catch (const InstallError& e) {
        SetState(L"没有导入：" + Wide(e.what()));
        Warn(Wide(e.what()));
        return;
    }
    std::error_code ec;
    const std::wstring count = std::to_wstring(pending_->rows.size());
    const std::wstring question =
        fs::exists(folder_ / "jjj", ec)
            ? L"要用这 " + count + L" 道题替换“" + Shown(folder_ / "jjj") + L"”中的题库吗？\n\n原来的题库会另存为 jjj.bak，需要时可以点“恢复上一个题库”换回来。"
            : L"要在“" + Shown(folder_) + L"”中用这 " + count + L" 道题新建题库 jjj 吗？";
    if (Application->MessageBox(question, Application->Title.Get(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;

    auto outcome = std::make_shared<InstallOutcome>();
    auto refusal = std::make_shared<std::string>();
    StartJob(
        L"正在写入题库……", false, true,
        [dir = folder_, checked = pending_, outcome, refusal](TJobControl&) {
            try {
                *outcome = InstallBank(dir, checked->rows);
            } catch (const InstallError& e) {
                *refusal = e.what();
            }
        },
        [this, outcome, refusal, count](const std::string& unexpected) {
            if (!unexpected.empty() || !refusal->empty()) {
                const std::wstring why = unexpected.empty() ? Wide(*refusal) : L"导入没有完成" + Unexpected(unexpected) + L"。";
                SetState(L"没有导入：" + why);
                Warn(why);
                return;
            }
            pending_.reset();
            PreviewList->Clear();
            ShowPage(nullptr);
            std::wstring text = L"已导入 " + count + L" 道题到“" + Shown(folder_ / "jjj") + L"”。";
            if (outcome->backup == folder_ / "jjj.bak") text += L"原来的题库已另存为 jjj.bak，需要时可以点“恢复上一个题库”换回来。";
            for (const std::string& note : outcome->notes) text += Wide(note) + L"。";
            SetState(text);
        });
}

void TBankForm::DiscardButtonClick() {
    pending_.reset();
    PreviewList->Clear();
    ShowPage(nullptr);
    SetState(L"没有导入，题库没有改动。");
}

// ---- the problem list

std::wstring TBankForm::ProblemText() const {
    std::wstring text = L"检查“" + Shown(problemCsv_) + L"”时发现 " + std::to_wstring(problems_.size()) + L" 处问题，没有写入任何文件：\r\n";
    for (const CsvProblem& p : problems_) text += Wide(DescribeCsvProblem(p)) + L"\r\n";
    return text + Wide(BankRules()) + L"\r\n";
}

void TBankForm::CopyButtonClick() {
    if (problems_.empty()) return;
    if (!CopyToClipboard(Handle(), ProblemText())) {
        Warn(L"无法使用剪贴板（可能正被其他程序占用）：请稍后再试，或者点“保存为文本文件…”。");
        return;
    }
    SetState(L"已把 " + std::to_wstring(problems_.size()) + L" 处问题复制到剪贴板，可以粘贴到记事本或电子表格中。");
}

void TBankForm::SaveButtonClick() {
    if (problems_.empty()) return;
    const auto file = dialogs_.SaveFile(Handle(), L"保存问题列表", problemCsv_.parent_path(), L"题库问题.txt", TFileKind::Text);
    if (!file) return;
    // UTF-8 with a byte-order mark: Notepad of every Windows version reads it as such.
    const std::string text = "\xEF\xBB\xBF" + WideToUtf8(ProblemText());
    std::ofstream out(*file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), std::streamsize(text.size()));
    out.close();
    if (!out) {
        Warn(L"无法写入文件“" + Shown(*file) + L"”：请换一个位置（例如桌面），或者关闭正打开它的程序。");
        return;
    }
    SetState(L"问题列表已保存到“" + Shown(*file) + L"”。");
}
