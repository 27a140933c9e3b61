#pragma once
// What the in-program benchmark measures with: the performance counter, samples with their
// median and slowest, one report line per figure, and painting a window now.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/application.h"
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

// A key's slowest handling and repaint stays within one frame at 60 Hz.
inline constexpr double kSlowestKey = 16.7;

inline std::string Line(const char* what, double value, const char* unit, double target) {
    char text[160];
    std::snprintf(text, sizeof text, "%-56s %9.3f %s   (target <= %g %s)\n", what, value, unit, target, unit);
    return text;
}

// A figure that is measured for comparison and has no target of its own.
inline std::string Line(const char* what, double value, const char* unit) {
    char text[160];
    std::snprintf(text, sizeof text, "%-56s %9.3f %s\n", what, value, unit);
    return text;
}

// A mark in the window server's request trace (wineserver -d2 shows the atom's name looked up),
// untimed, so that the window server's requests can be counted per opening.
inline void Mark(const wchar_t* what) { GlobalFindAtomW(what); }

// Names the windows whose openings, floors and keys follow in the trace.
inline void MarkSeries(const wchar_t* name) { Mark((std::wstring(L"muhe-bench-mark-series-") + name).c_str()); }

// Marks one key's handling and repaint (the marks stay outside the timed part).
inline void MarkKeyBegins() { Mark(L"muhe-bench-mark-key-begins"); }
inline void MarkKeyEnds() { Mark(L"muhe-bench-mark-key-ends"); }

// Paints now what is invalid (WM_PAINT is sent, not posted).
inline void PaintNow(TForm* form) { UpdateWindow(form->Handle()); }

// Times `count` keys typed into `window` (as WM_CHAR, which the keyboard's translation
// delivers), each with the form's repaint, into `figures`; `keyOf(k)` is the k-th key.
template <class KeyOf>
void TimeKeys(HWND window, TForm* form, int count, KeyOf keyOf, Figures& figures) {
    for (int k = 0; k < count; ++k) {
        const wchar_t key = keyOf(k);
        MarkKeyBegins();
        const int64_t k0 = Now();
        SendMessageW(window, WM_CHAR, key, 1);
        PaintNow(form);
        figures.Add(Milliseconds(k0, Now()));
        MarkKeyEnds();
    }
}

// A practice window's keys: mostly moves, every third an answer (right ones move on, wrong
// ones name the right option).
inline wchar_t PracticeKey(int k) { return k % 3 == 2 ? wchar_t(L'1' + k % 2) : (k % 7 == 0 ? L'4' : L'6'); }

// The phases of opening a window: its components built, its window made and FormCreate run
// (Show), whatever `settle` waits for (the skin), and the first paint.
struct Opening {
    double building = 0, creating = 0, settling = 0, painting = 0;
    double Total() const { return building + creating + settling + painting; }
};

// Opens the window `make` builds, shows it, lets `settle` run on it when given and paints it;
// `phases` receives the time of each step. The window is the caller's to free.
template <class Make>
auto MeasureOpening(Make make, Opening& phases, void (*settle)(HWND) = nullptr) {
    Mark(L"muhe-bench-mark-opening-begins");
    const int64_t t0 = Now();
    auto* form = make();
    const int64_t t1 = Now();
    form->Show();
    const int64_t t2 = Now();
    if (settle) settle(form->Handle());
    const int64_t t3 = Now();
    PaintNow(form);
    const int64_t t4 = Now();
    Mark(L"muhe-bench-mark-opening-ends");
    phases = {Milliseconds(t0, t1), Milliseconds(t1, t2), Milliseconds(t2, t3), Milliseconds(t3, t4)};
    return form;
}

// The samples of each phase over several openings.
struct OpeningFigures {
    Figures total, building, creating, painting;
    void Add(const Opening& o) {
        total.Add(o.Total());
        building.Add(o.building);
        creating.Add(o.creating);
        painting.Add(o.painting);
    }
};

// Frees a measured window, points the program's reference to it at `restore` and handles
// what freeing posted.
template <class F>
void FreeMeasured(F*& reference, F* restore = nullptr) {
    FreeComponent(reference);
    reference = restore;
    Application->ProcessMessages();
}

// The same, adding the whole opening to `opening`.
template <class Make>
auto MeasureOpening(Make make, Figures& opening) {
    Opening phases;
    auto* form = MeasureOpening(make, phases);
    opening.Add(phases.Total());
    return form;
}

}  // namespace bench
