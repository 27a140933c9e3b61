// The description of "Muhe Blue": which image each part uses and its slices, frames and
// colours. Keys the painters never read are left out; absent keys take their defaults.
#include <string>

#include "skin/skin_painter.h"

namespace muheskin {
namespace {

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string Int(int value) { return std::to_string(value); }

// A generic part: image, slices, transparency, tiling and the button text colours.
std::string Part(const std::string& section, const std::string& image, int left, int top, int right, int bottom,
                 int trans = 0, const std::string& extra = "") {
    return Lines({"[" + section + "]", "Image=" + image, "LeftWidth=" + Int(left), "TopHeight=" + Int(top),
                  "RightWidth=" + Int(right), "BottomHeight=" + Int(bottom), "Trans=" + Int(trans), "Tile=0",
                  "NormalColour2=25 35 55", "MouseOverColour2=16 48 104", "PressedColour2=16 48 104"}) +
           extra + "\r\n";
}

// A title-bar button at the right end of the caption (Align 1: Xcoord counts from the right).
std::string CaptionButton(const std::string& section, const std::string& image, int action, int slot,
                          int visibility, int visibility1) {
    const int x = kBorder + 2 + slot * (kCaptionButtonGap + kCaptionButtonWidth) + kCaptionButtonWidth;
    return Lines({"[" + section + "]", "ButtonImage=" + image, "Action=" + Int(action), "Align=1",
                  "Xcoord=" + Int(x), "Ycoord=" + Int(kCaptionButtonTop), "Visibility=" + Int(visibility),
                  "Visibility1=" + Int(visibility1)}) +
           "\r\n";
}

}  // namespace

std::string SkinDescription() {
    std::string d;
    d += Lines({"; Muhe Blue, the skin of the trainer. Drawn by muhe-skin paint.", ""});
    d += Lines({"[TitlebarSkin]", "SkinName=Muhe Blue", ""});
    d += Lines({
        "[Personality]",
        // Frame borders: Top and Bottom stack their active and inactive frames, Left and Right
        // put them side by side. The side borders keep the caption rows and the bottom corner
        // fixed; the Top keeps its rounded ends.
        "Top=FrameTop.bmp", "TopFrame=2", "TopTopHeight=" + Int(kTopSlice), "TopBotHeight=" + Int(kTopSlice),
        "TopStretch=1", "TopTrans=1",
        "Bottom=FrameBottom.bmp", "BottomFrame=2", "BottomStretch=1", "BottomTrans=1",
        "Left=FrameLeft.bmp", "LeftFrame=2", "LeftTopHeight=" + Int(kCaptionHeight), "LeftBotHeight=" + Int(kBorder),
        "LeftStretch=1", "LeftTrans=1",
        "Right=FrameRight.bmp", "RightFrame=2", "RightTopHeight=" + Int(kCaptionHeight),
        "RightBotHeight=" + Int(kBorder), "RightStretch=1", "RightTrans=1",
        // The caption text starts after the window icon and stops short of the buttons.
        "TextBack=dialog.bmp", "TextAlignment=0", "TextShift=20", "TextShiftVert=0",
        "TextRightClip=" + Int(2 + 3 * (kCaptionButtonWidth + kCaptionButtonGap)), "Textbackground=1",
        "TXTBackleft=8", "TXTBackRight=8",
        "ActiveTextR=255", "ActiveTextG=255", "ActiveTextB=255",
        "InActiveTextR=60", "InActiveTextG=72", "InActiveTextB=92",
        "menuBar=menu.bmp", "TileMenu=0", "TileLeftMenu=1", "TileRightMenu=1",
        "",
    });
    d += Lines({"[Colours]",
                "WindowText=20 30 45",
                "ButtonFace=236 241 247",
                "Scrollbar=226 233 242",
                "HilightText=255 255 255",
                "Hilight=56 104 170",
                "Menubar=240 244 250",
                "Menu=250 251 253",
                "MenuText=25 35 55",
                "ButtonText=25 35 55",
                "ButtonHilight=255 255 255",
                "Buttonlight=246 249 252",
                "ButtonShadow=140 158 184",
                "ButtonDkShadow=80 98 128",
                "MenuBarText=25 40 70",
                "TitleTextActive=255 255 255",
                "TitleTextNoActive=60 72 92",
                ""});
    // The palette the parts' colour indexes refer to.
    const char* palette[] = {"25 40 70", "255 255 255", "56 104 170", "120 130 145", "190 50 40", "40 130 70"};
    for (int i = 0; i < 6; ++i) d += Lines({"[Colour" + Int(i) + "]", std::string("color=") + palette[i], ""});

    // Title-bar buttons, right to left: close, maximize or restore, minimize; then the
    // window icon, which opens the system menu.
    d += CaptionButton("ButtonClose", "CloseButton.bmp", 0, 0, 0, 0);
    d += CaptionButton("ButtonMaximize", "MaxButton.bmp", 1, 1, 6, 2);
    d += CaptionButton("ButtonRestore", "RestroreButton.bmp", 1, 1, 6, 1);
    d += CaptionButton("ButtonMinimize", "MinButton.bmp", 2, 2, 8, 0);
    d += Lines({"[ButtonSystemMenu]", "Action=3", "Align=0", "Xcoord=6", "Ycoord=5", "Visibility=0",
                "Visibility1=0", ""});
    d += Lines({"[MDICONTROLS]", "Image=button-mdi.bmp", ""});

    d += Lines({"[Buttons]", "Bitmap=buttons.bmp", "CheckButton=checkbox.bmp", "RadioButton=radio.bmp",
                "LeftWidth=4", "RightWidth=4", "TopHeight=4", "BottomHeight=4", "Trans=0", "Tile=0",
                "NormalColour=0", "MouseOverColour=2", "PressedColour=2",
                "NormalColour2=25 35 55", "MouseOverColour2=16 48 104", "PressedColour2=16 48 104", ""});
    d += Lines({"[Fonts]", "FontHeight=12", ""});
    d += Lines({"[Progress]", "Bitmap=progress.bmp", "Style=0", "LeftWidth=3", "RightWidth=3", "TopHeight=3",
                "BottomHeight=3", "Trans=0", "Tile=0", ""});

    d += Part("GroupBoxEdge", "groupboxedge.bmp", 4, 4, 4, 4);
    d += Part("Toolbars", "toolbarbg.bmp", 3, 3, 3, 3);
    d += Part("Tabs", "buttons-tabs.bmp", 4, 4, 4, 2, 0, "Border=tabborder.bmp\r\n");
    d += Part("StatusBarEdges", "status.bmp", 2, 2, 2, 2);
    d += Part("ComboButton", "combo.bmp", 3, 3, 3, 3, 0, "Style=0\r\n");
    d += Part("SunkEdge", "sunkedge.bmp", 2, 2, 2, 2);
    d += Part("ExtraImages", "combo-arrows.bmp", 0, 0, 0, 0, 1);
    d += Part("Headerbar", "header.bmp", 3, 3, 3, 3);
    d += Part("MenuItem", "buttons-menu.bmp", 3, 3, 3, 3, 1);
    d += Part("MenuBackground", "menuborder.bmp", 3, 3, 3, 3);
    d += Part("Scrollbar", "arrows.bmp", 0, 0, 0, 0, 1);
    d += Part("HorzScroll", "hscroll_back.bmp", 0, 1, 0, 1);
    d += Part("VertScroll", "vscroll_back.bmp", 1, 0, 1, 0);
    d += Part("HorzScrollThumb", "hscroll_bar.bmp", 5, 0, 5, 0, 0, "FrameCount=3\r\n");
    d += Part("VertScrollThumb", "vscroll_bar.bmp", 0, 5, 0, 5, 0, "FrameCount=3\r\n");
    for (const char* thumb : {"ThumbHorz", "ThumbVert", "ThumbLeft", "ThumbRight", "ThumbUp", "ThumbDown"})
        d += Part(std::string("Trackbar.") + thumb, "buttons-toolbar.bmp", 3, 3, 3, 3);
    d += Part("UpDown.Horz", "groupboxlabel.bmp", 2, 2, 2, 2);
    d += Part("UpDown.Vert", "menutool.bmp", 2, 2, 2, 2);
    return d;
}

}  // namespace muheskin
