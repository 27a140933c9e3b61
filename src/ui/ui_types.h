#pragma once
// Small types shared by the whole toolkit: the message record a window procedure passes
// along, the toolkit's own messages, key shift states, modal results and the enumerations of
// the controls' properties.
#include <windows.h>

#include <functional>

#include "base/hook_chain.h"

// One window message on its way through a control's WindowProc chain. Result is what the
// window procedure returns.
struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};
using TWndMethod = std::function<void(TMessage&)>;
// A hook in front of a control's message handling: it gets the message and the rest of the
// chain (call next(message) to pass it on; not calling it swallows the message).
using TWndNext = HookChain<TMessage>::Next;
using TWndHook = HookChain<TMessage>::Hook;
using TWndHookToken = HookChain<TMessage>::Token;

// Toolkit messages. CM_ messages are sent by the toolkit to a control's WindowProc (Perform);
// CN_ messages are notifications a parent reflects back to the control they concern, e.g.
// CN_COMMAND carries a button's BN_CLICKED from its parent to the button itself.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;        // WParam: virtual key; Result 1 when taken
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;  // after Enabled changed
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;     // after Caption/Text changed
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;      // the mouse came over the window
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;      // and left it again
constexpr UINT CM_RELEASE = CM_BASE + 33;         // posted to a released form
constexpr UINT CM_MENUCHANGED = CM_BASE + 34;     // the form's menu bar was built anew
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;  // a track bar or up-down moved
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;

// Shift state of a key or mouse event, a set of these flags.
enum TShiftFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
};
using TShiftState = unsigned;
TShiftState KeyboardShiftState();

using TKeyPressEvent = std::function<void(wchar_t& key)>;
using TKeyEvent = std::function<void(WORD& key, TShiftState shift)>;
using TNotifyEvent = std::function<void()>;

// Results of a modal form or a message box: the button ids of the system's boxes.
enum : int {
    mrNone = 0,
    mrOk = IDOK,
    mrCancel = IDCANCEL,
    mrAbort = IDABORT,
    mrRetry = IDRETRY,
    mrIgnore = IDIGNORE,
    mrYes = IDYES,
    mrNo = IDNO,
};

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBevelCut { bvNone, bvLowered, bvRaised };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TPosition { poDesigned, poScreenCenter, poDesktopCenter, poMainFormCenter };
enum TComboBoxStyle { csDropDown, csDropDownList };

enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TBorderIcons = unsigned;

// Mouse cursors, with the values the VCL gives them.
enum TCursor : int {
    crDefault = 0,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crHourGlass = -11,
    crNo = -18,
    crHandPoint = -21,
};
// The system cursor for a TCursor; nullptr for crDefault (the window's own cursor).
HCURSOR CursorHandle(TCursor cursor);
