#pragma once
// Text put on the clipboard, for pasting into Notepad or a spreadsheet.
#include <windows.h>

#include <string>

// Replaces the clipboard's content with `text` (Unicode text). False when another program
// holds the clipboard or the memory for it could not be had.
bool CopyToClipboard(HWND owner, const std::wstring& text);
