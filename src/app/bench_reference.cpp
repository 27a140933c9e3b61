#include "app/bench_reference.h"

#include <filesystem>

#include "app/bench_figures.h"
#include "app/bench_floor.h"
#include "app/window_refs.h"
#include "base/utf.h"
#include "data/data_module.h"
#include "reference/win/form8.h"
#include "ui/application.h"

using namespace bench;

namespace {

// The largest page of the regulation folder (the slowest to show), or empty when there is none.
std::wstring LargestPage() {
    std::wstring largest;
    std::error_code ec;
    uintmax_t largestSize = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TForm8::kPageFolder, ec)) {
        if (entry.path().extension() != L".htm") continue;
        const uintmax_t size = entry.file_size(ec);
        if (!ec && size > largestSize) {
            largestSize = size;
            largest = entry.path().wstring();
        }
    }
    return largest;
}

}  // namespace

std::string BenchReferenceViewer(TForm* owner) {
    std::string report;
    MarkSeries(L"viewer");
    Figures opening, showing, navigating;
    FloorFigures floor;
    const std::wstring largest = LargestPage();
    for (int round = 0; round < 20; ++round) {
        auto* viewer = MeasureOpening([&] { return Form8 = new TForm8(owner, &DataModule3->ADOConnection2); }, opening);
        floor.Capture(viewer->Handle());
        if (!largest.empty()) {
            viewer->Panel2->Visible = true;
            UpdateWindow(viewer->Panel2->Handle());
            for (int k = 0; k < 5; ++k) {
                const int64_t p0 = Now();
                viewer->WebBrowser1->Navigate(largest);
                navigating.Add(Milliseconds(p0, Now()));
                UpdateWindow(viewer->WebBrowser1->Handle());
                showing.Add(Milliseconds(p0, Now()));
            }
        }
        FreeMeasured(Form8);
        floor.Measure(opening.samples.back());
    }
    report += Line("opening the regulations viewer (median of 20)", opening.Median(), "ms", 40);
    report += floor.Lines(20);
    report += Line("opening the regulations viewer (slowest)", opening.Max(), "ms", 40);
    if (largest.empty()) {
        report += "no page in the regulation folder: the page figures are missing\n";
    } else {
        report += "largest sign page: " + WideToUtf8(largest) + "\n";
        report += Line("the largest sign page, navigate to painted (median of 100)", showing.Median(), "ms", 30);
        report += Line("the largest sign page, navigate to painted (slowest)", showing.Max(), "ms", 30);
        report += Line("  of which read, parsed and laid out (median)", navigating.Median(), "ms", 30);
    }
    return report;
}
