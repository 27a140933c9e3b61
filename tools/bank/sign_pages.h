#pragma once
// Writes the regulations viewer's sign pages: one HTML page per sign category, with the
// pictures beside them (BMP files, which every version of the system browser shows).
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "content_reader.h"

using SignPicture = std::function<std::vector<uint8_t>(const std::string& picture)>;

// Writes <dir>/<title>.htm for each page and <dir>/img/*.bmp for its signs.
void WriteSignPages(const std::vector<SignPage>& pages, const std::filesystem::path& dir, const SignPicture& paint);

std::string HtmlEscape(const std::string& text);
