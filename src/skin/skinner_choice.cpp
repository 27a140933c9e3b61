#include "skin/skinner_choice.h"

#include <cwctype>

#include "base/ini.h"
#include "skin/skin3rd.h"

namespace {

bool OneOf(const std::string& upper, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (upper == name) return true;
    return false;
}

TSkinnerChoice Skinner(TSkinnerKind kind, bool recolour = false) {
    TSkinnerChoice c;
    c.kind = kind;
    c.recolour = recolour;
    return c;
}

TSkinnerChoice Recurse() {
    TSkinnerChoice c;
    c.recurse = true;
    return c;
}

// A group of radio buttons or check boxes: its children get the button skinner when that
// member is set, the group itself the box.
TSkinnerChoice Group(TSkinnerKind children, bool childrenAdmitted) {
    TSkinnerChoice c = Skinner(TSkinnerKind::Box, true);
    if (childrenAdmitted) {
        c.childrenParentColourOff = true;
        c.childKind = children;
    }
    return c;
}

// A class named in Skin3rd: the kind decides, and a kind whose member is off leaves the
// control as it is.
TSkinnerChoice FromSkin3rd(TSkin3rdKind kind, const TSkinnerRules& r) {
    const TSkinControls& on = r.controls;
    TSkinnerChoice c;
    switch (kind) {
        case TSkin3rdKind::Combobox:
            if (on.Contains(xcCombo)) c = Skinner(TSkinnerKind::ComBox);
            break;
        case TSkin3rdKind::Edit:
            if (on.Contains(xcEdit)) c = Skinner(TSkinnerKind::Edit);
            break;
        case TSkin3rdKind::Radiobutton:
            if (on.Contains(xcRadioButton)) c = Skinner(TSkinnerKind::RadioButton, true);
            break;
        case TSkin3rdKind::Panel:
            if (on.Contains(xcPanel)) {
                c = Skinner(TSkinnerKind::Box, true);
                c.transparent = true;
            }
            break;
        case TSkin3rdKind::Trackbar:
            if (on.Contains(xcButton)) {
                c = Skinner(TSkinnerKind::TrackBar);
                c.transparent = true;
            }
            break;
        case TSkin3rdKind::Button:
            if (on.Contains(xcButton)) c = Skinner(TSkinnerKind::Button);
            break;
        case TSkin3rdKind::Tab:
            if (on.Contains(xcTab) && r.hasTabsPart) c = Skinner(TSkinnerKind::Tab);
            break;
        case TSkin3rdKind::Progress:
            if (on.Contains(xcProgress)) c = Skinner(TSkinnerKind::Progress);
            break;
        case TSkin3rdKind::Scrollbar:
            if (on.Contains(xcScrollbar)) c = Skinner(TSkinnerKind::ScrollBar);
            break;
        case TSkin3rdKind::Radiogroup:
            if (on.Contains(xcPanel)) c = Group(TSkinnerKind::RadioButton, on.Contains(xcRadioButton));
            break;
        case TSkin3rdKind::Checkgroup:
            if (on.Contains(xcPanel)) c = Group(TSkinnerKind::CheckBox, on.Contains(xcCheckBox));
            break;
        case TSkin3rdKind::Checkbox:
            if (on.Contains(xcCheckBox)) c = Skinner(TSkinnerKind::CheckBox, true);
            break;
        case TSkin3rdKind::None:
        case TSkin3rdKind::Unknown: break;
    }
    c.fromSkin3rd = true;
    return c;
}

}  // namespace

bool DisabledByTag(int tag, int disableTag) { return tag % 100 == disableTag; }

TSkinnerChoice ChooseSkinner(const TControlTraits& t, const TSkinnerRules& r) {
    const std::string cls = AsciiUpper(t.className);
    const TSkinControls& on = r.controls;
    const bool tabs = on.Contains(xcTab) && r.hasTabsPart;
    const int tag = t.tag % 100;

    if (OneOf(cls, {"TDBCOMBOBOXEH", "TQRPREVIEW", "TFRDESIGNERPAGE", "TFRPBOX"})) {
        TSkinnerChoice c;
        c.leaveAlone = true;
        return c;
    }
    if (cls == "TTOOLBAR") {
        TSkinnerChoice c;
        c.makeFlat = true;
        c.colourButtonFace = true;
        return c;
    }
    if (t.pageControl && tabs) return Skinner(TSkinnerKind::Tab);
    if (r.skin3rd) {
        // A line with a kind no skinner stands for says nothing; the fixed table decides.
        const TSkin3rdKind kind = LookupSkin3rd(*r.skin3rd, t.className);
        if (kind != TSkin3rdKind::None && kind != TSkin3rdKind::Unknown) return FromSkin3rd(kind, r);
    }

    // The fixed table: the first row whose control test and member both hold.
    if (cls == "TTABSET" && tabs) return Skinner(TSkinnerKind::Tab31);
    if (cls == "TTABBEDNOTEBOOK" && tabs) return Skinner(TSkinnerKind::Tab);
    if (cls == "TMVCPANEL") return Recurse();
    if (t.tabControl && tabs) return Skinner(TSkinnerKind::Tab);
    if (t.checkBox && on.Contains(xcCheckBox)) return Skinner(TSkinnerKind::CheckBox, true);
    if (cls == "TTRACKBAR" && on.Contains(xcButton)) return Skinner(TSkinnerKind::TrackBar);
    if (cls == "TUPDOWN" && on.Contains(xcButton)) return Skinner(TSkinnerKind::UpDown);
    if (t.radioGroup && on.Contains(xcRadioButton)) return Group(TSkinnerKind::RadioButton, true);
    if (cls == "TDBNAVIGATOR" && on.Contains(xcPanel)) {
        TSkinnerChoice c = Skinner(TSkinnerKind::Box, true);
        c.makeFlat = true;
        return c;
    }
    if (t.groupBox && on.Contains(xcPanel)) {
        TSkinnerChoice c = Skinner(TSkinnerKind::Box, true);
        c.recurse = true;
        c.childrenParentColourOff = true;
        return c;
    }
    if (t.radioButton && on.Contains(xcRadioButton)) return Skinner(TSkinnerKind::RadioButton, true);
    if (t.flatContainer && on.Contains(xcToolbar)) {
        TSkinnerChoice c = Skinner(TSkinnerKind::Box, true);
        c.makeFlat = true;
        return c;
    }
    if (t.statusBar && on.Contains(xcStatusBar)) {
        TSkinnerChoice c = Skinner(TSkinnerKind::StatusBar);
        c.sizeGripOff = true;
        return c;
    }
    if (t.progressBar && on.Contains(xcProgress)) return Skinner(TSkinnerKind::Progress);
    if (t.scrollingContainer && on.Contains(xcScrollbar)) return Skinner(TSkinnerKind::ScControl);
    if ((t.comboBox || tag == 95) && on.Contains(xcCombo)) return Skinner(TSkinnerKind::ComBox);
    if (cls == "TDATETIMEPICKER" && on.Contains(xcEdit))
        return Skinner(t.dateTimeTimeKind ? TSkinnerKind::Edit : TSkinnerKind::ComBox);
    if (cls == "TRICHEDIT" && on.Contains(xcScrollbar)) return Skinner(TSkinnerKind::ScrollBar);
    if (OneOf(cls, {"TWWDBRICHEDIT", "TDXDBMEMO"}) && on.Contains(xcScrollbar)) return Skinner(TSkinnerKind::ScrollBar);
    if (t.bitBtn && on.Contains(xcBitBtn)) return Skinner(TSkinnerKind::BitButton);
    if (t.speedButton && on.Contains(xcSpeedButton)) return Skinner(TSkinnerKind::SpeedButton);
    if (t.panel && on.Contains(xcPanel)) {
        TSkinnerChoice c = Skinner(TSkinnerKind::Box, true);
        c.recurse = true;
        return c;
    }
    if (OneOf(cls, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}) && on.Contains(xcScrollbar))
        return Skinner(TSkinnerKind::ScrollBar);
    if (t.listView && on.Contains(xcScrollbar)) return Skinner(TSkinnerKind::ListView);
    if (t.memo && on.Contains(xcScrollbar)) return Skinner(TSkinnerKind::ScrollBar);
    if (t.scrollingControl && on.Contains(xcScrollbar)) {
        TSkinnerChoice c = Skinner(TSkinnerKind::ScrollBar);
        c.colourButtonFace = true;
        return c;
    }
    const bool scrollBars = t.scrollBarStyle || t.tag == 55 || t.treeView || t.gridOrList;
    if ((tag == 96 || scrollBars) && on.Contains(xcScrollbar)) return Skinner(TSkinnerKind::ScrollBar);
    if (t.button && on.Contains(xcButton)) return Skinner(TSkinnerKind::Button);
    if ((t.edit || tag == 97) && on.Contains(xcEdit)) return Skinner(TSkinnerKind::Edit);
    if (t.container) return Recurse();
    if (t.form) {
        TSkinnerChoice c = Recurse();
        c.colourButtonFace = true;
        return c;
    }
    return {};
}

TSkinnerKind ChoosePlainSkinner(const std::wstring& className, unsigned long style) {
    std::wstring cls;
    for (wchar_t ch : className) cls += wchar_t(std::towlower(ch));
    if (cls == L"button") {
        switch (style & 0x0F) {
            case 0x07: return TSkinnerKind::None;  // a group box
            case 0x02:                             // check box, automatic, three-state
            case 0x03:
            case 0x05:
            case 0x06: return TSkinnerKind::CheckBox;
            case 0x04:
            case 0x09: return TSkinnerKind::RadioButton;
            default: return TSkinnerKind::Button;
        }
    }
    if (cls == L"combobox") return (style & 0x03) == 0x01 ? TSkinnerKind::None : TSkinnerKind::ComBox;
    if (cls == L"comboboxex32") return TSkinnerKind::ComBox;  // attached to its first child
    if (cls == L"scrollbar") return TSkinnerKind::Sizer;
    if (cls == L"systabcontrol32") return (style & 0x2000) ? TSkinnerKind::None : TSkinnerKind::Tab;
    if (cls == L"edit") return TSkinnerKind::Edit;
    return TSkinnerKind::None;
}
