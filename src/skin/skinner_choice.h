#pragma once
// Which control skinner a control gets. The window side describes a control (its class name,
// what kind of control it is, its tag and style) and carries out the choice; the rules
// themselves need no window, so they are tested on their own.
#include <string>
#include <vector>

#include "skin/skin_types.h"

enum class TSkinnerKind {
    None,       // not skinned
    Tab,        // TSkinTab
    Tab31,      // TSkinTab31
    CheckBox,   // TSkinCheckBox
    TrackBar,   // TSkinTrackBar
    UpDown,     // TSkinUpDown
    RadioButton,
    StatusBar,  // TSkinStatusBar
    Progress,
    ScControl,  // TSkinScControl (scrolling containers)
    ComBox,     // TSkinComBox
    Edit,       // TSkinEdit (attached by handle)
    ScrollBar,  // TSkinScrollBar (the control's own scroll bars)
    BitButton,  // TSkinBitButton
    SpeedButton,
    Box,        // TSkinBox: recoloured only
    ListView,
    Button,     // TSkinButton
    Sizer,      // TSkinSizer
};

// What a control is, as far as the rules ask. Kind flags count descendants too.
struct TControlTraits {
    std::string className;  // as the control reports it
    int tag = 0;
    bool tabControl = false;
    bool pageControl = false;
    bool checkBox = false;
    bool radioGroup = false;
    bool groupBox = false;
    bool radioButton = false;
    bool flatContainer = false;  // a tool-bar-like container with a Flat property
    bool statusBar = false;
    bool progressBar = false;
    bool scrollingContainer = false;
    bool comboBox = false;
    bool dateTimeTimeKind = false;  // a date-time picker showing a time
    bool bitBtn = false;
    bool speedButton = false;
    bool panel = false;
    bool listView = false;
    bool memo = false;
    bool scrollingControl = false;  // a further scrolling control class
    bool scrollBarStyle = false;    // the window style has a horizontal or vertical scroll bar
    bool treeView = false;
    bool gridOrList = false;
    bool button = false;
    bool edit = false;
    bool container = false;  // a further container class
    bool form = false;       // an embedded form
};

// The choice for one control: the skinner, and what is done to the control besides.
struct TSkinnerChoice {
    TSkinnerKind kind = TSkinnerKind::None;
    bool recolour = false;  // the skinner sets the control to ButtonFace (and restores it)
    bool recurse = false;   // the control's children are dispatched too
    bool leaveAlone = false;  // a class the skin never touches
    bool makeFlat = false;
    bool colourButtonFace = false;  // the control itself is coloured ButtonFace
    bool sizeGripOff = false;
    bool transparent = false;  // its "Transparent" property is set
    // Children of a group lose their parent's colour and get childKind (recoloured).
    bool childrenParentColourOff = false;
    TSkinnerKind childKind = TSkinnerKind::None;
    // The class was found in Skin3rd (the fixed table was not consulted).
    bool fromSkin3rd = false;

    bool Skinned() const { return kind != TSkinnerKind::None; }
};

struct TSkinnerRules {
    TSkinControls controls;
    int disableTag = 99;
    const std::vector<std::string>* skin3rd = nullptr;
    bool hasTabsPart = false;  // the skin has a Tabs part with an image
};

// True when the control is left out before any rule: its Tag modulo 100 is DisableTag.
bool DisabledByTag(int tag, int disableTag);

// The choice for a form's control (after OnSkinControl has had its say and declined).
TSkinnerChoice ChooseSkinner(const TControlTraits& control, const TSkinnerRules& rules);

// The choice for a child window of a plain window (a system dialog), by its class name and
// style; SkinControls plays no part.
TSkinnerKind ChoosePlainSkinner(const std::wstring& className, unsigned long style);
