#include "skin/skin_host.h"

ColourRef ClassicSystemColour(SysColour colour) {
    switch (colour) {
    case SysColour::ScrollBar:
    case SysColour::Menu:
    case SysColour::ButtonFace:
    case SysColour::InactiveCaptionText: return MakeColourRef(212, 208, 200);
    case SysColour::MenuText:
    case SysColour::WindowText:
    case SysColour::ButtonText: return MakeColourRef(0, 0, 0);
    case SysColour::CaptionText:
    case SysColour::HighlightText:
    case SysColour::ButtonHighlight: return MakeColourRef(255, 255, 255);
    case SysColour::Highlight: return MakeColourRef(10, 36, 106);
    case SysColour::ButtonShadow: return MakeColourRef(128, 128, 128);
    }
    return 0;
}
