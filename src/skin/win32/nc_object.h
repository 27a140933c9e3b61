#pragma once
// Clickable items of a skinned window's frame: TNCObject, and the caption buttons
// (TWinSysButton) made from the skin's title-bar buttons. An item has a rectangle in window
// coordinates, a visible flag and a state: 1 normal, 2 pressed, 3 hot.
#include <windows.h>

#include <cstddef>  // bitmap32.h uses size_t without including it

#include "base/bitmap32.h"
#include "skin/skin_parts.h"

class TWinSkinForm;

inline constexpr int kItemNormal = 1;
inline constexpr int kItemPressed = 2;
inline constexpr int kItemHot = 3;

class TNCObject {
public:
    explicit TNCObject(TWinSkinForm& owner) : owner_(owner) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    // A different hot item first leaves; a visible item becomes the form's current one,
    // pressed.
    virtual void MouseDown();
    // A visible item turns hot.
    virtual void MouseUp();
    // The item becomes the current one, hot (the previous current item leaves first); nothing
    // happens when it is current already.
    virtual void MouseEnter();
    // A visible item is normal again and the form has no current item.
    virtual void MouseLeave();
    virtual void Paint() {}

    RECT Bounds{};
    bool Visible = false;
    int State = kItemNormal;

protected:
    TWinSkinForm& owner_;
};

// What a caption button's Visibility codes are checked against.
struct TCaptionState {
    int frameKind = 3;
    bool systemMenu = false;
    bool minimizeBox = false;
    bool maximizeBox = false;
    bool maximized = false;
    bool active = false;
    // This window is an MDI parent with a maximized child and a skinned menu bar.
    bool mdiMaximizedWithMenuBar = false;
};

// One code of a button: the first code (V, visibility) or the second (W, visibility1).
bool VisibilityCodeSays(int code, bool first, int action, const TCaptionState& state);
// Both codes say yes; Action 1 also needs a maximize box and Action 2 a minimize box.
bool CaptionButtonVisible(const TDataSkinSysButton& button, const TCaptionState& state);

// A caption button. It keeps its own copy of the skin button, whose image the window icon
// replaces for the icon buttons (Action 3 and 11).
class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm& owner, const TDataSkinSysButton& data) : TNCObject(owner), Data(data) {}
    void Paint() override;

    // The window icon stands in for the image (Action 3 and 11).
    bool IsIconButton() const { return Data.Action == 3 || Data.Action == 11; }

    TDataSkinSysButton Data;
};
