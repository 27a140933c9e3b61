#include "bank_dialogs.h"

#include <shobjidl.h>

#include <memory>

#include "base/errors.h"
#include "ui/com_ref.h"

namespace fs = std::filesystem;

namespace {

struct TaskMemFree {
    void operator()(wchar_t* p) const { CoTaskMemFree(p); }
};

void Check(HRESULT hr, const char* what) {
    if (FAILED(hr)) throw Exception(std::string("系统的文件对话框无法打开（") + what + "，错误代码 " + std::to_string(unsigned(hr)) + "）");
}

// Starts the dialog in `folder` when it exists (a path it cannot show leaves the system's choice).
void StartIn(IFileDialog& dialog, const fs::path& folder) {
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) return;
    ComRef<IShellItem> item;
    if (SUCCEEDED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_IShellItem, reinterpret_cast<void**>(item.Out()))))
        dialog.SetFolder(item.Get());
}

void SetKind(IFileDialog& dialog, TFileKind kind) {
    if (kind == TFileKind::Csv) {
        const COMDLG_FILTERSPEC types[] = {{L"CSV 文件（*.csv）", L"*.csv"}, {L"文本文件（*.txt）", L"*.txt"}, {L"所有文件", L"*.*"}};
        dialog.SetFileTypes(3, types);
        dialog.SetDefaultExtension(L"csv");
    } else {
        const COMDLG_FILTERSPEC types[] = {{L"文本文件（*.txt）", L"*.txt"}, {L"所有文件", L"*.*"}};
        dialog.SetFileTypes(2, types);
        dialog.SetDefaultExtension(L"txt");
    }
}

// Shows the dialog; the file system path chosen, or nothing when it was cancelled.
std::optional<fs::path> Show(IFileDialog& dialog, HWND owner, const std::wstring& title, FILEOPENDIALOGOPTIONS extra) {
    FILEOPENDIALOGOPTIONS options = 0;
    Check(dialog.GetOptions(&options), "GetOptions");
    Check(dialog.SetOptions(options | extra | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR), "SetOptions");
    dialog.SetTitle(title.c_str());
    const HRESULT shown = dialog.Show(owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return std::nullopt;
    Check(shown, "Show");
    ComRef<IShellItem> item;
    Check(dialog.GetResult(item.Out()), "GetResult");
    wchar_t* raw = nullptr;
    Check(item->GetDisplayName(SIGDN_FILESYSPATH, &raw), "GetDisplayName");
    const std::unique_ptr<wchar_t, TaskMemFree> path(raw);
    return fs::path(path.get());
}

template <class T>
void Create(const CLSID& type, ComRef<T>& dialog) {
    Check(CoCreateInstance(type, nullptr, CLSCTX_INPROC_SERVER, __uuidof(T), reinterpret_cast<void**>(dialog.Out())),
          "CoCreateInstance");
}

}  // namespace

TBankDialogs SystemBankDialogs() {
    TBankDialogs dialogs;
    dialogs.OpenFile = [](HWND owner, const std::wstring& title) {
        ComRef<IFileOpenDialog> dialog;
        Create(CLSID_FileOpenDialog, dialog);
        SetKind(*dialog.Get(), TFileKind::Csv);
        return Show(*dialog.Get(), owner, title, FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST);
    };
    dialogs.SaveFile = [](HWND owner, const std::wstring& title, const fs::path& folder, const std::wstring& name, TFileKind kind) {
        ComRef<IFileSaveDialog> dialog;
        Create(CLSID_FileSaveDialog, dialog);
        SetKind(*dialog.Get(), kind);
        StartIn(*dialog.Get(), folder);
        dialog->SetFileName(name.c_str());
        return Show(*dialog.Get(), owner, title, FOS_OVERWRITEPROMPT | FOS_PATHMUSTEXIST);
    };
    dialogs.ChooseFolder = [](HWND owner, const std::wstring& title, const fs::path& start) {
        ComRef<IFileOpenDialog> dialog;
        Create(CLSID_FileOpenDialog, dialog);
        StartIn(*dialog.Get(), start);
        return Show(*dialog.Get(), owner, title, FOS_PICKFOLDERS | FOS_PATHMUSTEXIST);
    };
    return dialogs;
}
