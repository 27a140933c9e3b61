#pragma once
// A read-only INI document parsed from memory, with the lookup rules of the system's profile
// reader: section and key names are matched without regard to (ASCII) case, values are
// trimmed, and an absent key yields the caller's default.
//
// Text rules:
// - Lines end with CR LF, LF or CR; a UTF-8 byte-order mark at the very start is skipped.
// - "[name]" starts a section (the name is trimmed; a missing "]" takes the rest of the line).
//   Lines before the first section belong to no section and are ignored.
// - "key=value" inside a section; key and value are trimmed of blanks and tabs, and one pair of
//   matching enclosing quotes ('...' or "...") is removed from the value.
// - Lines starting with ';' are comments; lines without '=' and lines with an empty key are
//   ignored.
// - A key given twice in a section: the first one wins. A section given twice: its keys are
//   merged into the first occurrence (again the first key wins), and it is listed once.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::string_view text);

    // Section names as written, in the order of their first appearance.
    std::vector<std::string> Sections() const;
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // A decimal integer with an optional sign that fits 32 bits; anything else (empty, other
    // characters, overflow) yields the default.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;

private:
    struct Section {
        std::string name;                          // as written
        std::map<std::string, std::string> values; // lower-cased key -> value
    };
    const std::string* Find(std::string_view section, std::string_view key) const;

    std::vector<Section> sections;
    std::map<std::string, size_t> index;  // lower-cased section name -> position in sections
};

// ASCII lower-casing used for every case-insensitive name comparison of the skin engine.
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);
