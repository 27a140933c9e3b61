#pragma once
// The parts a loaded skin is made of. Painting code reads them directly; every integer is
// 32-bit signed as the description gives it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <cstddef>  // bitmap32.h uses size_t without including it

#include "base/bitmap32.h"
#include "skin/skin_types.h"

// An image cut into FrameCount frames (side by side, or stacked for the Top and Bottom frame
// borders and the menu bar) with fixed slices at its edges; the middle is stretched or tiled.
struct TDataSkinObject {
    virtual ~TDataSkinObject() = default;

    int32_t LeftWidth = 0;
    int32_t TopHeight = 0;
    int32_t RightWidth = 0;
    int32_t BottomHeight = 0;
    Bitmap32 Image;
    int32_t Trans = 0;  // non-zero: the magenta transparent colour is honoured
    int32_t Tile = 0;   // 0 stretch, 1 tile (for the frame borders: the Stretch value)
    std::string Name;   // the section (or border) the part was read from
    int32_t FrameCount = 1;
    int32_t Style = 0;
    // Palette indexes for the text in the normal, hot and pressed states; -1: none given.
    int32_t NormalColour = -1;
    int32_t MouseOverColour = -1;
    int32_t PressedColour = -1;
    // Explicit text colours for the same states.
    ColourRef NormalColour2 = 0;
    ColourRef MouseOverColour2 = 0;
    ColourRef PressedColour2 = 0;
};

// A part with a second image: the tab page border, the progress chunk, the up-down glyphs or
// the mirrored combo button.
struct TDataSkinBorder : TDataSkinObject {
    Bitmap32 Image2;
};

// The push-button part with the check-box and radio-button images.
struct TDataSkinButton : TDataSkinObject {
    Bitmap32 CheckImage;
    Bitmap32 RadioImage;
    int32_t RadioFrameCount = 0;
    int32_t CheckFrameCount = 0;
};

// The caption text settings; Image is the TextBack picture drawn behind the text.
struct TDataSkinTitle : TDataSkinObject {
    int32_t TextShift = 0;
    int32_t TextShiftVert = 0;
    int32_t TextRightClip = 0;
    int32_t TextAlignment = 0;  // 0 left (TextShift), 1 centred, 2 right
    int32_t Textbackground = 0;
    int32_t FontHeight = 14;
    int32_t TXTBackleft = 0;
    int32_t TXTBackRight = 0;
    ColourRef ActiveTextColour = kColourNone;
    ColourRef InactiveTextColour = kColourNone;
};

// One title-bar button. Action says what a click does, Align where it sits, Visibility and
// Visibility1 when it shows (both must agree).
struct TDataSkinSysButton : TDataSkinObject {
    int32_t Action = 0;
    int32_t Align = 0;
    int32_t Xcoord = 0;
    int32_t Ycoord = 0;
    int32_t CombineOp = -1;
    int32_t Visibility = 0;
    int32_t Visibility1 = 0;
};

// The colour table of a skin, one member per key of the description's [Colours] section.
struct TSkinColours {
    ColourRef WindowText = 0;
    ColourRef ButtonFace = 0;
    ColourRef Scrollbar = 0;
    ColourRef HilightText = 0;
    ColourRef Hilight = 0;
    ColourRef Menubar = 0;
    ColourRef Menu = 0;
    ColourRef MenuText = 0;
    ColourRef ButtonText = 0;
    ColourRef ButtonHilight = 0;
    ColourRef Buttonlight = 0;
    ColourRef ButtonShadow = 0;
    ColourRef ButtonDkShadow = 0;
    ColourRef MenuBarText = 0;
    ColourRef TitleTextActive = 0;
    ColourRef TitleTextNoActive = 0;
};

// Everything a skin description yields. The four frame borders, Buttons and Title always
// exist (possibly without images); the other slots are empty when the description has no
// section (or no image key) for them.
struct TSkinContent {
    std::string SkinName;
    TSkinColours Colours;
    std::vector<ColourRef> Palette;
    // The colour of the background brush (ButtonFace), which the window side makes anew at
    // every load.
    ColourRef BackgroundColour = 0;

    TDataSkinBorder Left, Right, Top, Bottom;
    std::vector<TDataSkinSysButton> TitleButtons;  // the skin's buttons, then the three MDI ones
    TDataSkinButton Buttons;
    TDataSkinTitle Title;
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> MenuBar;

    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinObject> Toolbars;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll;
    std::unique_ptr<TDataSkinObject> VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb;
    std::unique_ptr<TDataSkinObject> VertScrollThumb;
    std::unique_ptr<TDataSkinObject> ThumbHorz;
    std::unique_ptr<TDataSkinObject> ThumbVert;
    std::unique_ptr<TDataSkinObject> ThumbLeft;
    std::unique_ptr<TDataSkinObject> ThumbRight;
    std::unique_ptr<TDataSkinObject> ThumbUp;
    std::unique_ptr<TDataSkinObject> ThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz;
    std::unique_ptr<TDataSkinBorder> UpDownVert;
};
