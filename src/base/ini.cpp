#include "base/ini.h"

#include <charconv>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The profile reader drops one pair of enclosing quotes so that a value can keep blanks at
// its ends; descriptions written for it rely on that.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value.remove_prefix(1);
        value.remove_suffix(1);
    }
    return value;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return out;
}

IniFile::IniFile(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    Section* current = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size())
            pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;

        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            std::string_view name = line.substr(1);
            const size_t close = name.find(']');
            if (close != std::string_view::npos) name = name.substr(0, close);
            name = Trim(name);
            const std::string key = AsciiLower(name);
            auto found = index.find(key);
            if (found == index.end()) {
                found = index.emplace(key, sections.size()).first;
                sections.push_back(Section{std::string(name), {}});
            }
            current = &sections[found->second];
            continue;
        }
        if (!current) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, equals));
        if (key.empty()) continue;
        current->values.emplace(AsciiLower(key), std::string(Unquote(Trim(line.substr(equals + 1)))));
    }
}

std::vector<std::string> IniFile::Sections() const {
    std::vector<std::string> names;
    names.reserve(sections.size());
    for (const Section& s : sections) names.push_back(s.name);
    return names;
}

bool IniFile::SectionExists(std::string_view section) const {
    return index.contains(AsciiLower(section));
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
    return Find(section, key) != nullptr;
}

const std::string* IniFile::Find(std::string_view section, std::string_view key) const {
    const auto s = index.find(AsciiLower(section));
    if (s == index.end()) return nullptr;
    const auto& values = sections[s->second].values;
    const auto v = values.find(AsciiLower(key));
    return v == values.end() ? nullptr : &v->second;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const std::string* value = Find(section, key);
    return value ? *value : std::string(defaultValue);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                             int32_t defaultValue) const {
    const std::string* value = Find(section, key);
    if (!value || value->empty()) return defaultValue;
    std::string_view digits = *value;
    // from_chars takes a minus sign but not a plus sign.
    if (digits.front() == '+') {
        digits.remove_prefix(1);
        if (digits.empty() || digits.front() == '-' || digits.front() == '+') return defaultValue;
    }
    int32_t result = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), result, 10);
    if (error != std::errc() || end != digits.data() + digits.size()) return defaultValue;
    return result;
}
