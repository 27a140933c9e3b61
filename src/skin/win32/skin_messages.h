#pragma once
// The skin engine's private window messages. Their values are an interface: other windows
// send them, and a skinned window answers them whatever else it is.
#include <windows.h>

// Repaints the skinned frame.
inline constexpr UINT kSkinRepaintFrame = 0x3502;
// Posted (wParam 0, lParam 1000) right after a window was skinned: finishes skinning.
inline constexpr UINT kSkinFinish = 0x3503;
inline constexpr LPARAM kSkinFinishParam = 1000;
// "Are you skinned?": skinned windows and skinned pop-up menus answer 1. A caption button
// whose Action has no built-in meaning posts it with the Action in wParam.
inline constexpr UINT kSkinQuery = 0x3504;
// Sent to a skinned form: refresh colours and controls.
inline constexpr UINT kSkinRefresh = 0x3401;
