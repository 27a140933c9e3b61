#pragma once
// The in-program benchmark (muhe.exe --bench): times start-up to the main window's first
// paint, the card's moves, the mock exam's opening and its key handling, on the installation
// in the working directory, and writes the figures to bench.txt there and to standard output.
// It is a measurement, never a test: nothing is judged.
#include <cstdint>

class TForm1;

// `startTicks` is the performance-counter reading taken first thing in wWinMain. Returns the
// process's exit code.
int RunBenchmark(int64_t startTicks);
