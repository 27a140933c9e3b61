// The long mutation run: skin_fuzz [COUNT [SEED]] feeds COUNT (default 100000) damaged
// packages to a skin component and stops at the first one that breaks the rule (a crash or a
// sanitizer report ends it anyway). Every fifth input is made from the skin as shipped, the
// others from the reduced copy that packs faster. Not part of ctest; run it by hand.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "skin/skin_painter.h"
#include "skin_mutator.h"

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    const uint32_t seed = argc > 2 ? uint32_t(std::strtoul(argv[2], nullptr, 10)) : 1;
    const std::vector<SkinArchiveEntry> base = muheskin::PaintSkinEntries();
    SkinHost host;
    host.ShowMessage = [](const std::string&) {};
    TSkinData data(host);
    SkinMutator shipped(base, seed);
    SkinMutator reduced(ShrinkImages(base), seed + 1);
    MutationTally tally;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i) {
        std::string how;
        const std::vector<uint8_t> package = (i % 5 == 0 ? shipped : reduced).Next(how);
        const std::string broken = CheckPackage(data, package, tally);
        if (!broken.empty()) {
            std::printf("input %ld (%s): %s\n", i, how.c_str(), broken.c_str());
            return 1;
        }
        if ((i + 1) % 10000 == 0) {
            std::printf("%ld inputs: %d loaded, %d refused, %d older version\n", i + 1, tally.loaded, tally.refused,
                        tally.older);
            std::fflush(stdout);
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("done: %ld inputs (seed %u) in %.0f s: %d loaded, %d refused, %d older version\n", count, seed, seconds,
                tally.loaded, tally.refused, tally.older);
    return 0;
}
