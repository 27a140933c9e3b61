#pragma once
// The system's dialogs in which the manager asks for files and folders (the common item
// dialogs of Windows), as functions a test can replace. Each returns the path chosen, or
// nothing when the dialog was cancelled.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

enum class TFileKind { Csv, Text };

struct TBankDialogs {
    // A file to read (a CSV file or a spreadsheet's text file).
    std::function<std::optional<std::filesystem::path>(HWND owner, const std::wstring& title)> OpenFile;
    // A file to write, `name` proposed in `folder`.
    std::function<std::optional<std::filesystem::path>(HWND owner, const std::wstring& title, const std::filesystem::path& folder,
                                                       const std::wstring& name, TFileKind kind)>
        SaveFile;
    // A folder, starting in `start`.
    std::function<std::optional<std::filesystem::path>(HWND owner, const std::wstring& title, const std::filesystem::path& start)>
        ChooseFolder;
};

// The system's dialogs. The thread must have entered a single-threaded COM apartment.
TBankDialogs SystemBankDialogs();
