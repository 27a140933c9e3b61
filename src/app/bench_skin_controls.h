#pragma once
// The skinned controls' and menus' share of muhe.exe --bench: the system menu opened and
// painted, a bit button's hot and pressed repaints, and a full repaint of the skinned main
// window. Runs on the main window as start-up left it; returns the report's lines.
#include <string>

std::string BenchSkinnedControls();
