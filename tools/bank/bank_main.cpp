// muhe-bank: checks an installation, imports a school's own bank from CSV and exports one;
// the host build also writes the sample installation. Messages are for a school's staff, in
// Chinese.
#include <filesystem>
#include <string>
#include <vector>

#include "bank_check.h"
#include "bank_export.h"
#include "bank_install.h"
#include "bank_paths.h"
#include "bank_store.h"
#include "console_text.h"
#include "csv_import.h"
#include "data/paths.h"

#ifdef MUHE_BANK_SAMPLE
#include "bank_sample.h"
#endif
#ifdef _WIN32
#include <windows.h>

#include "base/utf.h"
#include "manager/bank_manager.h"
#endif

namespace fs = std::filesystem;

namespace {

int Usage() {
    PrintError("用法：muhe-bank check 文件夹                 检查安装文件夹中的题库（jjj）、练习记录（bz）、帮助文件和标志页面");
    PrintError("      muhe-bank import CSV文件 图片文件夹 文件夹  用学校自己的题库（CSV 文件和图片）生成“文件夹\\jjj”");
    PrintError("      muhe-bank export 文件夹 CSV文件 图片文件夹  把“文件夹\\jjj”的题库导出为 CSV 文件（UTF-8）和图片，用电子表格修改后可再导入");
#ifdef MUHE_BANK_SAMPLE
    PrintError("      muhe-bank sample 文件夹                写出示例安装（--assets 文件夹 指定内容，默认 " MUHE_ASSETS_DIR "）");
#endif
    PrintError("CSV 文件可以是 UTF-8、GBK 或 UTF-16（电子表格的“Unicode 文本”）编码，用逗号或制表符分隔。");
    PrintError(BankRules());
    PrintError("导入会把原来的题库另存为 jjj.bak。导入到新文件夹时，文件夹中还需要 bz 和 bangzhu.chm（从安装文件夹的“数据”文件夹中复制）。");
#ifdef _WIN32
    PrintError("不带参数运行（例如“开始”菜单中的“题库管理”）时打开题库管理窗口，在窗口中导出、导入或恢复题库。");
#endif
    return 2;
}

void PrintProblems(const std::vector<std::string>& problems, void (*print)(const std::string&)) {
    for (const auto& p : FirstProblems(problems)) print(p);
}

int Check(const fs::path& dir) {
    const auto problems = CheckInstallation(dir);
    PrintProblems(problems, PrintOut);
    if (!problems.empty()) {
        PrintOut(PathToUtf8(dir) + "：共发现 " + std::to_string(problems.size()) + " 处问题");
        return 1;
    }
    PrintOut(PathToUtf8(dir) + "：检查完毕，各项都符合要求");
    return 0;
}

int Import(const fs::path& csv, const fs::path& images, const fs::path& dir) {
    const CsvImport in = CheckCsvBank(csv, images);
    const std::vector<std::string> problems = DescribeCsvProblems(in.problems);
    if (!problems.empty()) {
        PrintProblems(problems, PrintError);
        PrintError("共发现 " + std::to_string(problems.size()) + " 处问题，没有写入任何文件。" + BankRules());
        return 1;
    }
    try {
        const InstallOutcome outcome = InstallBank(dir, in.rows);
        const fs::path jjj = dir / "jjj";
        PrintOut("已写入 " + PathToUtf8(jjj) + "：共 " + std::to_string(in.rows.size()) + " 道题，" + std::to_string(kSetCount) +
                 " 套各 " + std::to_string(kSetSize) + " 道，第 " + std::to_string(kSetCount * kSetSize + 1) + "～" +
                 std::to_string(kBankSize) + " 题不在套中（CSV 文件编码 " + EncodingName(in.encoding) + "，" +
                 (in.separator == '\t' ? "制表符" : "逗号") + "分隔）");
        if (!outcome.backup.empty()) PrintOut("原来的题库已另存为 " + PathToUtf8(outcome.backup));
        for (const auto& note : outcome.notes) PrintOut(note);
    } catch (const InstallError& e) {
        PrintError(e.what());
        return 1;
    }
    return 0;
}

int Export(const fs::path& dir, const fs::path& csv, const fs::path& images) {
    try {
        const size_t count = ExportBank(dir, csv, images);
        PrintOut("已导出 " + std::to_string(count) + " 道题到 " + PathToUtf8(csv) + "，图片在 " + PathToUtf8(images) +
                 "。可以用电子表格打开修改，保存后用 import 导入（图片文件夹照旧）");
    } catch (const ExportError& e) {
        PrintError(e.what());
        return 1;
    }
    return 0;
}

int Run(std::vector<std::string> args) {
#ifdef MUHE_BANK_SAMPLE
    std::string assets = MUHE_ASSETS_DIR;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--assets") {
            assets = args[i + 1];
            args.erase(args.begin() + long(i), args.begin() + long(i) + 2);
            break;
        }
    }
#endif
    try {
#ifdef MUHE_BANK_SAMPLE
        if (args.size() == 2 && args[0] == "sample") return WriteSample(Utf8Path(assets), Utf8Path(args[1]));
#endif
        if (args.size() == 2 && args[0] == "check") return Check(Utf8Path(args[1]));
        if (args.size() == 4 && args[0] == "export") return Export(Utf8Path(args[1]), Utf8Path(args[2]), Utf8Path(args[3]));
        if (args.size() == 4 && args[0] == "import") return Import(Utf8Path(args[1]), Utf8Path(args[2]), Utf8Path(args[3]));
    } catch (const std::exception& e) {
        // Only faults of the tool itself come here; the reason stays as the library gave it.
        PrintError(std::string("muhe-bank 遇到意外的错误，操作没有完成：") + e.what());
        return 1;
    }
    return Usage();
}

}  // namespace

#ifdef _WIN32
// Without arguments (the Start menu's 题库管理, a double click) the tool is the manager's
// window. A console of its own would stand empty beside it, so it goes; one shared with a
// command prompt stays, and the prompt waits for the window as for any command.
int wmain(int argc, wchar_t** argv) {
    if (argc == 1) {
        DWORD processes[2] = {};
        if (GetConsoleProcessList(processes, 2) == 1) FreeConsole();
        return RunBankManager();
    }
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(WideToUtf8(argv[i]));
    return Run(std::move(args));
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
