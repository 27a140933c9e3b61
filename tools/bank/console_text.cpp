#include "console_text.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

#include "base/utf.h"
#endif

namespace {

void Print(FILE* stream, const std::string& line) {
    const std::string text = line + "\n";
#ifdef _WIN32
    HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Utf8ToWide(text);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), DWORD(wide.size()), &written, nullptr);
        return;
    }
#endif
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

}  // namespace

void PrintOut(const std::string& line) { Print(stdout, line); }
void PrintError(const std::string& line) { Print(stderr, line); }
