#include "skin/win32/nc_object.h"

#include "skin/win32/win_skin_form.h"

void TNCObject::MouseDown() {
    if (TNCObject* hot = owner_.Current(); hot && hot != this) hot->MouseLeave();
    if (!Visible) return;
    owner_.SetCurrent(this);
    State = kItemPressed;
    Paint();
}

void TNCObject::MouseUp() {
    if (!Visible) return;
    State = kItemHot;
    Paint();
}

void TNCObject::MouseEnter() {
    TNCObject* current = owner_.Current();
    if (current == this) return;
    if (current) current->MouseLeave();
    owner_.SetCurrent(this);
    State = kItemHot;
    Paint();
}

void TNCObject::MouseLeave() {
    if (!Visible) return;
    if (owner_.Current() == this) owner_.SetCurrent(nullptr);
    State = kItemNormal;
    Paint();
}

bool VisibilityCodeSays(int code, bool first, int action, const TCaptionState& s) {
    if (code >= 200 && code <= 2000) return true;
    switch (code) {
        case 0: return first ? (s.frameKind != 3 && (action != 0 || s.systemMenu)) : true;
        case 1: return s.maximized;
        case 2: return !s.maximized;
        case 3: return s.active;
        case 4: return !s.active;
        case 6: return first ? (s.maximizeBox && s.systemMenu) : s.maximizeBox;
        case 7: return !s.maximizeBox;
        case 8: return first ? (s.minimizeBox && s.systemMenu) : s.minimizeBox;
        case 9: return !s.minimizeBox;
        case 100: return s.mdiMaximizedWithMenuBar;
        default: return false;  // 5, 10, 11 and anything unknown: never
    }
}

bool CaptionButtonVisible(const TDataSkinSysButton& b, const TCaptionState& s) {
    if (!VisibilityCodeSays(b.Visibility, true, b.Action, s)) return false;
    if (!VisibilityCodeSays(b.Visibility1, false, b.Action, s)) return false;
    if (b.Action == 1 && !s.maximizeBox) return false;
    if (b.Action == 2 && !s.minimizeBox) return false;
    return true;
}

void TWinSysButton::Paint() { owner_.PaintCaptionButton(*this); }
