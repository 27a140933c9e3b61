#pragma once
// The regulations viewer's part of muhe.exe --bench: opening the viewer (table nr, tree, the
// first law, first paint) and the largest page of the regulation folder from navigate to
// painted. Returns the report lines.
#include <string>

class TForm;

std::string BenchReferenceViewer(TForm* owner);
