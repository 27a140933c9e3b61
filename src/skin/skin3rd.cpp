#include "skin/skin3rd.h"

#include "base/ini.h"

namespace {

struct Group {
    const char* kind;
    std::vector<const char*> classes;
};

}  // namespace

std::vector<std::string> DefaultSkin3rd() {
    // Grouped by kind, each group's classes in their stored order.
    const Group groups[] = {
        {"Panel", {"TTBDock", "TTBToolbar", "TLMDGROUPBOX", "TLMDSIMPLEPANEL", "TLMDDBCalendar",
                   "TLMDButtonPanel", "TLMDLMDCalculator", "TLMDHeaderPanel", "TLMDTechnicalLine",
                   "TLMDLMDClock"}},
        {"scrollbar", {"TImageEnMView", "TImageEnView"}},
        {"button", {"TRzButton"}},
        {"CheckGroup", {"TRzCheckGroup", "TLMDCheckGroup", "TLMDDBCheckGroup"}},
        {"Radiogroup", {"TRzRadioGroup", "TRzDBRadioGroup", "TLMDRADIOGROUP", "TLMDDBRADIOGROUP",
                        "TWWRADIOGROUP"}},
        {"Radiobutton", {"TRzRadioButton", "TRzDBRadioButton", "TLMDRadiobutton"}},
        {"Checkbox", {"TRzCheckBox", "TRzDBCheckBox", "TDBCheckboxEh", "TDBCheckboxEh", "TLMDCHECKBOX",
                      "TLMDDBCHECKBOX"}},
        {"Edit", {"TRzButtonEdit", "TLMDEDIT", "TLMDMASKEDIT", "TLMDBROWSEEDIT", "TLMDEXTSPINEDIT",
                  "TLMDCALENDAREDIT", "TLMDFILEOPENEDIT", "TLMDFILESAVEEDIT", "TLMDCOLOREDIT",
                  "TLMDDBEDIT", "TLMDDBMASKEDIT", "TLMDDBEXTSPINEDIT", "TLMDDBSPINEDIT",
                  "TLMDDBEDITDBLookup", "TLMDEDITDBLookup", "TDXDBCURRENCYEDIT", "TDXDBEDIT",
                  "TDXDBMASKEDIT", "TDXDBHYPERLINKEDIT", "TDXEDIT", "TDXMASKEDIT", "TWWDBEDIT",
                  "TDXBUTTONEDIT", "TDXCURRENCYEDIT", "TDXHYPERLINKEDIT", "TOVCPICTUREFIELD",
                  "TOVCDBPICTUREFIELD", "TOVCSLIDEREDIT", "TOVCDBSLIDEREDIT", "TOVCSIMPLEFIELD",
                  "TOVCDBSIMPLEFIELD", "TO32DBFLEXEDIT", "TOVCNUMERICFIELD", "TOVCDBNUMERICFIELD"}},
        {"trackbar", {"TLMDTrackbar"}},
        {"combobox", {"TLMDListCombobox", "TLMDCheckListCombobox", "TLMDHeaderListCombobox",
                      "TLMDImageCombobox", "TLMDColorCombobox", "TLMDFontCombobox",
                      "TLMDFontSizeCombobox", "TLMDFontSizeCombobox", "TLMDPrinterCombobox",
                      "TLMDDriveCombobox", "TLMDCalculatorComboBox", "TLMDTrackBarComboBox",
                      "TLMDCalendarComboBox", "TDBLookupCombobox", "TWWDBCombobox", "TWWDBLookupCombo",
                      "TWWDBCombobox", "TWWKeyCombo", "TWWTempKeyCombo", "TWWDBDateTimePicker",
                      "TDXDBPICKEDIT", "TDXDBCALCEDIT", "TDXDBIMAGEEDIT", "TDXDBPOPUPEDIT",
                      "TDXDBEXTLOOKUPEDIT", "TDXDBLOOKUPEDIT", "TDXDBDATEEDIT", "TDXDATEEDIT",
                      "TDXPICKEDIT", "TDXPOPUPEDIT"}},
    };
    std::vector<std::string> lines;
    for (const Group& g : groups)
        for (const char* c : g.classes) lines.push_back(std::string(c) + "=" + g.kind);
    return lines;
}

std::optional<std::string> FindSkin3rdKind(const std::vector<std::string>& lines, std::string_view className) {
    const std::string wanted = AsciiLower(className);
    for (const std::string& line : lines) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        if (AsciiLower(std::string_view(line).substr(0, equals)) == wanted) return line.substr(equals + 1);
    }
    return std::nullopt;
}

TSkin3rdKind ParseSkin3rdKind(std::string_view kind) {
    static constexpr struct {
        const char* name;
        TSkin3rdKind kind;
    } kKinds[] = {
        {"combobox", TSkin3rdKind::Combobox},       {"edit", TSkin3rdKind::Edit},
        {"radiobutton", TSkin3rdKind::Radiobutton}, {"panel", TSkin3rdKind::Panel},
        {"trackbar", TSkin3rdKind::Trackbar},       {"button", TSkin3rdKind::Button},
        {"tab", TSkin3rdKind::Tab},                 {"progress", TSkin3rdKind::Progress},
        {"scrollbar", TSkin3rdKind::Scrollbar},     {"radiogroup", TSkin3rdKind::Radiogroup},
        {"checkgroup", TSkin3rdKind::Checkgroup},   {"checkbox", TSkin3rdKind::Checkbox},
    };
    const std::string lower = AsciiLower(kind);
    for (const auto& k : kKinds)
        if (lower == k.name) return k.kind;
    return TSkin3rdKind::Unknown;
}
