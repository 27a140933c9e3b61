#pragma once
// Where the installation's bank is. The Start menu's entry starts the tool in the data folder;
// started otherwise (from the program's folder, by a copy on a USB stick) it looks where the
// installer put the data.
#include <filesystem>

// The first of these that holds a bank (a file "jjj"): the folder the tool started in, the
// data folder under the installation the installer recorded, the data folder beside the
// program. When none does, the folder it started in.
std::filesystem::path ChooseDataFolder(const std::filesystem::path& started, const std::filesystem::path& recordedInstall,
                                       const std::filesystem::path& programFolder);

// ChooseDataFolder for this process: its working directory, the installer's InstallLocation
// (HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\MuheTrainer) and its own folder.
std::filesystem::path FindDataFolder();

// The data folder's name under an installation, as the installer makes it.
inline constexpr wchar_t kDataFolderName[] = L"数据";
