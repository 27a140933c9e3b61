#include "data_folder.h"

#include <windows.h>

#include <string>

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MuheTrainer";

bool HoldsBank(const fs::path& folder) {
    std::error_code ec;
    return !folder.empty() && fs::is_regular_file(folder / "jjj", ec);
}

// The installation folder setup recorded, or nothing when this PC has no installation.
fs::path RecordedInstallation() {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        bytes < sizeof(wchar_t))
        return {};
    std::wstring text(bytes / sizeof(wchar_t), L'\0');
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", RRF_RT_REG_SZ, nullptr, text.data(), &bytes) !=
        ERROR_SUCCESS)
        return {};
    text.resize(wcsnlen(text.c_str(), text.size()));
    return fs::path(text);
}

fs::path ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return fs::path(path).parent_path();
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

fs::path ChooseDataFolder(const fs::path& started, const fs::path& recordedInstall, const fs::path& programFolder) {
    if (HoldsBank(started)) return started;
    if (!recordedInstall.empty() && HoldsBank(recordedInstall / kDataFolderName)) return recordedInstall / kDataFolderName;
    if (!programFolder.empty() && HoldsBank(programFolder / kDataFolderName)) return programFolder / kDataFolderName;
    return started;
}

fs::path FindDataFolder() {
    std::error_code ec;
    return ChooseDataFolder(fs::current_path(ec), RecordedInstallation(), ProgramFolder());
}
