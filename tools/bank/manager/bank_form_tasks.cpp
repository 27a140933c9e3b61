// Exporting the bank and putting the previous one back, each on the job thread.
#include "bank_export.h"
#include "bank_form.h"
#include "bank_install.h"
#include "manager_text.h"
#include "ui/application.h"

namespace fs = std::filesystem;

void TBankForm::ExportButtonClick() {
    std::error_code ec;
    if (!fs::is_regular_file(folder_ / "jjj", ec)) {
        Warn(L"“" + Shown(folder_) + L"”中没有题库文件 jjj，没有可以导出的题库：请先点“更改…”选择考试系统的“数据”文件夹。");
        return;
    }
    const auto csv =
        dialogs_.SaveFile(Handle(), L"导出题库：第 1 步，保存为 CSV 文件", fs::path(), L"题库.csv", TFileKind::Csv);
    if (!csv) return;
    const auto images = dialogs_.ChooseFolder(
        Handle(), L"导出题库：第 2 步，选择存放图片的文件夹（最好是一个新建的空文件夹）", csv->parent_path());
    if (!images) return;
    auto count = std::make_shared<size_t>(0);
    auto refusal = std::make_shared<std::string>();
    StartJob(
        L"正在导出题库……", false, true,
        [dir = folder_, file = *csv, pictures = *images, count, refusal](TJobControl&) {
            try {
                *count = ExportBank(dir, file, pictures);
            } catch (const ExportError& e) {
                *refusal = e.what();
            }
        },
        [this, count, refusal, file = *csv, pictures = *images](const std::string& unexpected) {
            if (!unexpected.empty() || !refusal->empty()) {
                const std::wstring why =
                    unexpected.empty() ? Wide(*refusal) : L"导出没有完成（意外的错误：" + Wide(unexpected) + L"）。";
                SetState(L"没有导出：" + why);
                Warn(why);
                return;
            }
            SetState(L"已导出 " + std::to_wstring(*count) + L" 道题到“" + Shown(file) + L"”，图片在“" + Shown(pictures) +
                     L"”。可以用电子表格打开修改，保存后点“导入题库…”导入（图片文件夹照旧）。");
        });
}

void TBankForm::RestoreButtonClick() {
    std::error_code ec;
    const fs::path bak = folder_ / "jjj.bak";
    if (!fs::is_regular_file(bak, ec)) {
        Warn(L"“" + Shown(folder_) + L"”中没有上一个题库（jjj.bak），没有可以恢复的：导入题库时才会把原来的题库另存为 jjj.bak。");
        SetState(L"没有恢复：这个文件夹中没有 jjj.bak。");
        return;
    }
    try {
        CheckBankReplaceable(folder_, "恢复");
    } catch (const InstallError& e) {
        SetState(L"没有恢复：" + Wide(e.what()));
        Warn(Wide(e.what()));
        return;
    }
    const std::wstring question = L"要用上一个题库（jjj.bak，" + FileTime(bak) +
                                  L" 另存的）替换现在的题库吗？\n\n现在的题库会另存为 jjj.bak，需要时可以再点“恢复上一个题库”换回来。";
    if (Application->MessageBox(question, Application->Title.Get(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    pending_.reset();
    ShowPage(nullptr);
    auto outcome = std::make_shared<InstallOutcome>();
    auto refusal = std::make_shared<std::string>();
    StartJob(
        L"正在恢复上一个题库……", false, true,
        [dir = folder_, outcome, refusal](TJobControl&) {
            try {
                *outcome = RestoreBank(dir);
            } catch (const InstallError& e) {
                *refusal = e.what();
            }
        },
        [this, outcome, refusal](const std::string& unexpected) {
            if (!unexpected.empty() || !refusal->empty()) {
                const std::wstring why =
                    unexpected.empty() ? Wide(*refusal) : L"恢复没有完成（意外的错误：" + Wide(unexpected) + L"）。";
                SetState(L"没有恢复：" + why);
                Warn(why);
                return;
            }
            std::wstring text = L"已恢复上一个题库。";
            if (outcome->backup == folder_ / "jjj.bak") text += L"恢复前的题库已另存为 jjj.bak，需要时可以再点“恢复上一个题库”换回来。";
            for (const std::string& note : outcome->notes) text += Wide(note) + L"。";
            SetState(text);
        });
}
