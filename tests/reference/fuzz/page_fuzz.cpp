// The long mutation run of the page engine: page_fuzz [COUNT [SEED]] feeds COUNT (default
// 100000) damaged pages through character sets, parser, styles and layout, and stops at the
// first one that breaks a rule (a crash or a sanitizer report ends it anyway). Not part of
// ctest; build it with `cmake --build build/host --target page_fuzz` and run it by hand.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "page_mutator.h"

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    const uint32_t seed = argc > 2 ? uint32_t(std::strtoul(argv[2], nullptr, 10)) : 1;
    PageMutator mutator(seed);
    size_t bytes = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i) {
        std::string how;
        const std::string page = mutator.Next(how);
        bytes += page.size();
        const std::string broken = CheckPage(page);
        if (!broken.empty()) {
            std::printf("input %ld (%s): %s\n", i, how.c_str(), broken.c_str());
            std::ofstream("page_fuzz_failure.htm", std::ios::binary) << page;
            return 1;
        }
        if ((i + 1) % 10000 == 0) {
            std::printf("%ld inputs\n", i + 1);
            std::fflush(stdout);
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("done: %ld inputs (seed %u, %zu bytes) in %.0f s\n", count, seed, bytes, seconds);
    return 0;
}
