#pragma once
// The practice windows' part of muhe.exe --bench: opening sequential and intensive practice, a
// key's handling and repaint in each, and removing from and clearing a list of 300 marks. Runs
// on the data module's files (a copy: it changes the resume point and the marks); returns the
// report lines.
#include <string>

class TForm;

std::string BenchPracticeWindows(TForm* owner);
