#include "data/paths.h"

#include <algorithm>

std::filesystem::path ResolveAgainstWorkingDirectory(std::string_view name) {
    std::u8string text(name.begin(), name.end());
#ifdef _WIN32
    std::replace(text.begin(), text.end(), u8'/', u8'\\');
#else
    std::replace(text.begin(), text.end(), u8'\\', u8'/');
#endif
    std::filesystem::path path(text);
    if (path.is_relative()) path = std::filesystem::current_path() / path;
    return path.lexically_normal();
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
