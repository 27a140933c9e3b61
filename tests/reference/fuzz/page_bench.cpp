// How long each hostile page takes through parser, styles and layout, and the peak memory of
// the process: page_bench [REPEATS]. A page of up to 1 MB should lay out within a second and
// 200 MB; the sanitizers of the host build make everything several times slower.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "base/utf.h"
#include "hostile_pages.h"
#include "reference/html/charset.h"
#include "reference/html/parser.h"
#include "reference/html/style.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("%-20s %9s %9s %9s %9s %9s %10s\n", "page", "bytes", "parse ms", "style ms", "layout ms", "total ms", "peak MB");
    for (const hostile::Named& named : hostile::AllPages()) {
        const std::string bytes = WideToUtf8(named.make());
        double best[3] = {1e9, 1e9, 1e9};
        for (int r = 0; r < repeats; ++r) {
            FakeMeasurer measurer;
            hostile::AddBitmapBombPictures(measurer);
            auto start = std::chrono::steady_clock::now();
            const html::Document doc = html::ParseDocument(html::DecodeText(bytes, html::SniffCharset(bytes)));
            best[0] = std::min(best[0], Seconds(start));
            start = std::chrono::steady_clock::now();
            const html::StyledDocument styled = html::ComputeStyles(doc);
            best[1] = std::min(best[1], Seconds(start));
            start = std::chrono::steady_clock::now();
            const html::PageLayout layout = html::LayoutPage(styled, 559, measurer);
            best[2] = std::min(best[2], Seconds(start));
        }
        std::printf("%-20s %9zu %9.1f %9.1f %9.1f %9.1f %10.1f\n", named.name, bytes.size(), best[0] * 1000, best[1] * 1000,
                    best[2] * 1000, (best[0] + best[1] + best[2]) * 1000, double(PeakKilobytes()) / 1024);
    }
    return 0;
}
