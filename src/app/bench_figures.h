#pragma once
// What the in-program benchmark measures with: the performance counter, samples with their
// median and slowest, one report line per figure, and painting a window now.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/form.h"

namespace bench {

inline int64_t Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

inline double Milliseconds(int64_t from, int64_t to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(to - from) * 1000.0 / double(f.QuadPart);
}

struct Figures {
    std::vector<double> samples;
    void Add(double ms) { samples.push_back(ms); }
    double Median() {
        std::sort(samples.begin(), samples.end());
        return samples.empty() ? 0 : samples[samples.size() / 2];
    }
    double Max() const { return samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end()); }
};

inline std::string Line(const char* what, double value, const char* unit, double target) {
    char text[160];
    std::snprintf(text, sizeof text, "%-56s %9.3f %s   (target <= %g %s)\n", what, value, unit, target, unit);
    return text;
}

// Paints now what is invalid (WM_PAINT is sent, not posted).
inline void PaintNow(TForm* form) { UpdateWindow(form->Handle()); }

}  // namespace bench
