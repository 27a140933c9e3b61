#pragma once
// Skin3rd: lines "ClassName=kind" that map component classes of other vendors to the kind of
// control skinner they get. The first line whose class name matches wins; class names and
// kinds are compared without regard to case.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TSkin3rdKind {
    None,  // no line names the class
    Combobox,
    Edit,
    Radiobutton,
    Panel,
    Trackbar,
    Button,
    Tab,
    Progress,
    Scrollbar,
    Radiogroup,
    Checkgroup,
    Checkbox,
    Unknown,  // a line names the class with a kind no skinner stands for
};

// The 95 lines a component starts with (three class names appear twice).
std::vector<std::string> DefaultSkin3rd();

// The kind text of the first line naming className, or nothing when no line does.
std::optional<std::string> FindSkin3rdKind(const std::vector<std::string>& lines, std::string_view className);
TSkin3rdKind ParseSkin3rdKind(std::string_view kind);
inline TSkin3rdKind LookupSkin3rd(const std::vector<std::string>& lines, std::string_view className) {
    const std::optional<std::string> kind = FindSkin3rdKind(lines, className);
    return kind ? ParseSkin3rdKind(*kind) : TSkin3rdKind::None;
}
