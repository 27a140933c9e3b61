#include "manager_text.h"

#include <windows.h>

#include <cwchar>

#include "base/utf.h"

std::wstring Wide(const std::string& utf8) { return Utf8ToWide(utf8); }

std::wstring Shown(const std::filesystem::path& path) {
    std::filesystem::path shown = path;
    return shown.make_preferred().wstring();
}

std::wstring FileTime(const std::filesystem::path& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FILETIME local{};
    SYSTEMTIME time{};
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &time))
        return std::wstring();
    wchar_t text[32] = {};
    std::swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute);
    return text;
}
