#pragma once
// The automation interface between the trainer and muhe-probe.exe (both sides include this).
//
// When the environment variable MUHE_AUTOMATION is set (to any non-empty value), the trainer
// creates a hidden message-only window of class kAutomationWindowClass. The probe finds it
// with FindWindowExW(HWND_MESSAGE, …) and sends it WM_COPYDATA with wParam = a window of the
// probe's that takes the reply, dwData = one of the requests below and no data. The trainer
// answers by sending WM_COPYDATA to that window with dwData = kAutomationReply and the reply,
// one JSON object in UTF-8 (no terminating zero), before the request returns TRUE.
//
//   kAutomationDump:    {"window": {"class", "caption", "rect": {"left", "top", "right",
//                        "bottom"}, "client_origin": {"x", "y"}}, "components": [...],
//                        "message_box": null | {"class", "caption", "text"}}
//                       for the process's active window; a message box on top counts as
//                       the message box, and the window below it is described. "rect" is
//                       the window's outer rectangle on the screen, "client_origin" the
//                       screen point of its client area's top-left corner. A component
//                       has name, class, caption, visible, enabled, color, font_color and
//                       its rectangle in the form's client area (left, top, width, height);
//                       a tree view adds "nodes", its rows top to bottom, each {text,
//                       level, selected, expanded, left, top, width, height} with the
//                       rectangle of the node's text in the form's client area; a combo
//                       box adds "items", "item_index" and the "item_height" of a row of
//                       its dropped list; a list view adds "columns" (captions), "items"
//                       (each row an array of its cells) and "item_index"; a progress bar
//                       adds "position", "min" and "max", a picture "picture" ("WxH", or
//                       empty when it shows none).
//   kAutomationWindows: {"windows": [{"class", "caption"}...]}, the visible top-level
//                       windows of the process.
#include <windows.h>

constexpr wchar_t kAutomationWindowClass[] = L"MuheAutomation";
constexpr ULONG_PTR kAutomationDump = 0x4D480001;
constexpr ULONG_PTR kAutomationWindows = 0x4D480002;
constexpr ULONG_PTR kAutomationReply = 0x4D480010;
