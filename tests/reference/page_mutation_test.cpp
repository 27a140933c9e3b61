#include <gtest/gtest.h>

#include "page_mutator.h"

// A couple of thousand damaged pages, always the same ones, through the whole engine. Under
// the host build's sanitizers this is the check that no bytes make it read or write out of
// bounds, overflow or recurse without end. (tests/reference/fuzz runs many more.)
TEST(PageMutation, DamagedPagesParseAndLayOutWithinTheirLimits) {
    PageMutator mutator(20240611);
    constexpr int kInputs = 1000;
    int failures = 0;
    for (int i = 0; i < kInputs && failures < 5; ++i) {
        std::string how;
        const std::string page = mutator.Next(how);
        const std::string broken = CheckPage(page);
        if (!broken.empty()) {
            ADD_FAILURE() << "input " << i << " (" << how << "): " << broken;
            ++failures;
        }
    }
}
