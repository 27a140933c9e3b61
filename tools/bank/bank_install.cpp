#include "bank_install.h"

#include <unistd.h>

#include "bank_store.h"
#include "data/paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string Quoted(const fs::path& path) { return "“" + PathToUtf8(path) + "”"; }

std::string CloseTrainer(const std::string& action) {
    return "请先关闭所有正在使用这个文件夹的木禾驾驶员考试系统（包括其他电脑上从这个文件夹运行的），然后再" + action;
}

// Removes a scratch file of this run unless it was handed over.
class ScratchFile {
public:
    explicit ScratchFile(fs::path path) : path_(std::move(path)) {
        std::error_code ec;
        fs::remove(path_, ec);
    }
    ~ScratchFile() {
        std::error_code ec;
        if (!path_.empty()) fs::remove(path_, ec);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const fs::path& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    fs::path path_;
};

void PrepareFolder(const fs::path& dir) {
    std::error_code ec;
    const fs::file_status status = fs::status(dir, ec);
    if (fs::exists(status) && !fs::is_directory(status)) {
        throw InstallError(Quoted(dir) + "是一个文件，不是文件夹：请指定存放题库的文件夹（安装文件夹中的“数据”文件夹，或者一个新文件夹）");
    }
    const std::string drive = PathToUtf8(dir.root_name());
    if (drive.size() == 2 && drive[1] == ':' && !fs::exists(dir.root_name() / dir.root_directory(), ec)) {
        throw InstallError("没有驱动器" + Quoted(dir.root_name()) + "：请检查" + Quoted(dir) + "的驱动器号是否写对，U 盘或网络驱动器是否已连接");
    }
    fs::create_directories(dir, ec);
    if (ec) {
        throw InstallError("无法创建文件夹" + Quoted(dir) + "（" + ReasonOf(ec) + "）：请检查路径是否写对、是否有权限在那里建文件夹");
    }
}

}  // namespace

std::string ReasonOf(const std::error_code& ec) {
#ifdef _WIN32
    if (ec.category() == std::system_category()) {
        switch (ec.value()) {
        case ERROR_ACCESS_DENIED:
            return "没有权限，或者文件正被其他程序使用";
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return "文件正被其他程序使用";
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return "磁盘已满";
        case ERROR_WRITE_PROTECT:
            return "磁盘有写保护";
        case ERROR_PATH_NOT_FOUND:
        case ERROR_FILE_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return "找不到这个位置";
        case ERROR_INVALID_NAME:
            return "名称中有不能用于文件名的字符";
        default:
            return "系统错误代码 " + std::to_string(ec.value());
        }
    }
#endif
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted) return "没有权限";
    if (ec == std::errc::no_space_on_device) return "磁盘已满";
    if (ec == std::errc::read_only_file_system) return "磁盘是只读的";
    if (ec == std::errc::no_such_file_or_directory) return "找不到这个位置";
    if (ec == std::errc::not_a_directory) return "路径中有一段是文件而不是文件夹";
    if (ec == std::errc::device_or_resource_busy || ec == std::errc::text_file_busy) return "文件正被其他程序使用";
    return "系统错误代码 " + std::to_string(ec.value());
}

#ifdef _WIN32
bool FileInUse(const fs::path& file) {
    // The trainer's database engine shares its files for reading and writing but not for
    // deleting or renaming; asking for the file with no sharing at all finds any holder.
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    }
    CloseHandle(handle);
    return false;
}

std::error_code ReplaceFile(const fs::path& from, const fs::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
    return {int(GetLastError()), std::system_category()};
}
#else
bool FileInUse(const fs::path&) { return false; }

std::error_code ReplaceFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return ec;
}
#endif

void CheckBankReplaceable(const fs::path& dir, const std::string& action) {
    const fs::path jjj = dir / "jjj";
    const fs::path bak = dir / "jjj.bak";
    std::error_code ec;
    if (!fs::exists(jjj, ec)) return;
    if (FileInUse(jjj)) {
        throw InstallError("题库文件" + Quoted(jjj) + "正被打开（木禾驾驶员考试系统正在运行？），没有写入任何文件：" + CloseTrainer(action));
    }
    if (FileInUse(bak)) {
        throw InstallError("文件" + Quoted(bak) + "正被其他程序打开，没有写入任何文件：请关闭打开它的程序后再" + action);
    }
    // A journal left by a trainer that did not end cleanly belongs to the old bank; the engine
    // would play it back into the new one on the next opening.
    for (const char* suffix : {"-journal", "-wal"}) {
        fs::path journal = jjj;
        journal += suffix;
        if (fs::exists(journal, ec)) {
            throw InstallError("文件夹中有" + Quoted(journal) + "（考试系统上次没有正常结束时留下的），没有写入任何文件：请启动一次考试系统再正常退出，然后再" + action);
        }
    }
}

InstallOutcome InstallBank(const fs::path& dir, const std::vector<BankQuestion>& bank) {
    PrepareFolder(dir);
    const fs::path jjj = dir / "jjj";
    const fs::path bak = dir / "jjj.bak";
    std::error_code ec;
    InstallOutcome outcome;
    outcome.replaced = fs::exists(jjj, ec);
    CheckBankReplaceable(dir, "导入");

    const std::string pid = std::to_string(::getpid());
    ScratchFile fresh(dir / ("jjj.import-" + pid));
    ScratchFile oldCopy(dir / ("jjj.bak.import-" + pid));
    try {
        WriteQuestionFile(fresh.Path(), bank);
    } catch (const std::exception&) {
        throw InstallError("无法在文件夹" + Quoted(dir) + "中写入新题库，没有改动任何文件：请确认这个文件夹可以写入（有写入权限、磁盘没有写满、不是只读的）");
    }
    // The old bank is copied, not moved, so that jjj is never missing: the trainer started
    // between two steps still finds a bank.
    if (outcome.replaced) {
        fs::copy_file(jjj, oldCopy.Path(), ec);
        if (ec) {
            throw InstallError("无法把原来的题库复制一份（" + ReasonOf(ec) + "），没有改动任何文件：请确认文件夹" + Quoted(dir) +
                               "可以写入、磁盘没有写满");
        }
    }
    ec = ReplaceFile(fresh.Path(), jjj);
    if (ec) {
        throw InstallError("无法替换题库文件" + Quoted(jjj) + "（" + ReasonOf(ec) + "），原来的题库没有改动：" + CloseTrainer("导入") +
                           "；如果考试系统没有运行，请确认有权限修改这个文件夹");
    }
    fresh.Keep();
    if (outcome.replaced) {
        ec = ReplaceFile(oldCopy.Path(), bak);
        if (ec) {
            oldCopy.Keep();
            outcome.backup = oldCopy.Path();
            outcome.notes.push_back("原来的题库无法另存为" + Quoted(bak) + "（" + ReasonOf(ec) + "），它留在了" + Quoted(oldCopy.Path()) +
                                    "：需要恢复时把它改名为 jjj");
        } else {
            oldCopy.Keep();
            outcome.backup = bak;
        }
    }
    std::string missing;
    for (const char* needed : {"bz", "bangzhu.chm"}) {
        if (!fs::exists(dir / needed, ec)) missing += (missing.empty() ? "" : "、") + std::string(needed);
    }
    if (!missing.empty()) {
        outcome.notes.push_back("这个文件夹还没有 " + missing +
                                "：考试系统还需要它们（bz 存放续练位置和法规，bangzhu.chm 是帮助文件），请从安装文件夹的“数据”文件夹中复制过来");
    }
    return outcome;
}

InstallOutcome RestoreBank(const fs::path& dir) {
    const fs::path jjj = dir / "jjj";
    const fs::path bak = dir / "jjj.bak";
    std::error_code ec;
    if (!fs::is_regular_file(bak, ec)) {
        throw InstallError("文件夹" + Quoted(dir) + "中没有 jjj.bak（上一个题库），没有改动任何文件：导入题库时才会把原来的题库另存为 jjj.bak，这里还没有导入过");
    }
    InstallOutcome outcome;
    outcome.replaced = fs::exists(jjj, ec);
    CheckBankReplaceable(dir, "恢复");
    // A file the trainer could not open would leave the school with no working bank.
    try {
        ReadQuestions(bak);
    } catch (const std::exception&) {
        throw InstallError("文件" + Quoted(bak) + "不是考试系统能打开的题库（可能已经损坏），没有改动任何文件：现在的题库照常使用");
    }
    const std::string pid = std::to_string(::getpid());
    ScratchFile previous(dir / ("jjj.restore-" + pid));
    ScratchFile current(dir / ("jjj.bak.restore-" + pid));
    // Copies, then moves, as an import does: jjj is never missing, and jjj.bak stays until the
    // bank in use has taken its place.
    fs::copy_file(bak, previous.Path(), ec);
    if (!ec && outcome.replaced) fs::copy_file(jjj, current.Path(), ec);
    if (ec) {
        throw InstallError("无法复制题库文件（" + ReasonOf(ec) + "），没有改动任何文件：请确认文件夹" + Quoted(dir) + "可以写入、磁盘没有写满");
    }
    ec = ReplaceFile(previous.Path(), jjj);
    if (ec) {
        throw InstallError("无法替换题库文件" + Quoted(jjj) + "（" + ReasonOf(ec) + "），现在的题库没有改动：" + CloseTrainer("恢复") +
                           "；如果考试系统没有运行，请确认有权限修改这个文件夹");
    }
    previous.Keep();
    if (outcome.replaced) {
        const fs::path kept = current.Path();
        current.Keep();
        ec = ReplaceFile(kept, bak);
        if (ec) {
            outcome.backup = kept;
            outcome.notes.push_back("恢复前使用的题库无法另存为" + Quoted(bak) + "（" + ReasonOf(ec) + "），它留在了" + Quoted(kept) +
                                    "：需要时把它改名为 jjj");
        } else {
            outcome.backup = bak;
        }
    }
    return outcome;
}
