#pragma once
// The small value types of the skin component: colours, the control-kind set and the form
// types.
#include <cstdint>
#include <initializer_list>

// A colour as the window system takes it: 0x00BBGGRR (red in the low byte).
using ColourRef = uint32_t;
// "No colour given", the value the title text colours keep unless the skin names one.
inline constexpr ColourRef kColourNone = 0x1FFFFFFF;

constexpr ColourRef MakeColourRef(uint8_t r, uint8_t g, uint8_t b) {
    return ColourRef(r) | (ColourRef(g) << 8) | (ColourRef(b) << 16);
}
// Bitmap32 pixels are 0x00RRGGBB; these convert between the two layouts.
constexpr uint32_t ColourRefToPixel(ColourRef c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr ColourRef PixelToColourRef(uint32_t p) { return ColourRefToPixel(p); }

// System colours the skin falls back on, numbered as the window system numbers them so that
// the host can pass the value straight to its colour query.
enum class SysColour : int {
    ScrollBar = 0,
    Menu = 4,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
};

// Kinds of window and control the component skins; bit i of a set is member i.
enum TSkinControlType {
    xcMainMenu,
    xcPopupMenu,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcSystemMenu,
    xcFastReport,
};
inline constexpr int kSkinControlTypeCount = xcFastReport + 1;

class TSkinControls {
public:
    constexpr TSkinControls() = default;
    constexpr TSkinControls(std::initializer_list<TSkinControlType> members) {
        for (TSkinControlType m : members) bits |= Bit(m);
    }
    static constexpr TSkinControls FromBits(uint32_t bits) {
        TSkinControls s;
        s.bits = bits & ((1u << kSkinControlTypeCount) - 1);
        return s;
    }
    // Every member but xcFastReport: the component's default.
    static constexpr TSkinControls Default() {
        return FromBits(((1u << kSkinControlTypeCount) - 1) & ~Bit(xcFastReport));
    }

    constexpr bool Contains(TSkinControlType m) const { return (bits & Bit(m)) != 0; }
    constexpr TSkinControls& Include(TSkinControlType m) { bits |= Bit(m); return *this; }
    constexpr TSkinControls& Exclude(TSkinControlType m) { bits &= ~Bit(m); return *this; }
    constexpr uint32_t Bits() const { return bits; }
    constexpr bool operator==(const TSkinControls&) const = default;

private:
    static constexpr uint32_t Bit(TSkinControlType m) { return 1u << unsigned(m); }
    uint32_t bits = 0;
};

// sfMainform skins every form and dialog of the application, sfOnlyThisForm only the form
// that owns the component, sfDialog is the skin for message boxes and standard dialogs.
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };
