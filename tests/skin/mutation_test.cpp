#include <gtest/gtest.h>

#include "skin/skin_painter.h"
#include "skin_mutator.h"
#include "skin_test_support.h"

// A few thousand damaged packages, always the same ones: every one either loads or is refused
// with a clear error that leaves the skin before in place. (tests/skin/fuzz runs many more.)
TEST(SkinMutation, DamagedPackagesLoadOrFailCleanly) {
    skintest::TestHost host;
    TSkinData data(host.Host());
    const std::vector<SkinArchiveEntry> base = ShrinkImages(muheskin::PaintSkinEntries());
    MemoryStream value = skintest::SkinStreamOf(PackSkinPackage(BuildSkinArchive(base)));
    data.ReadSkinStream(value);
    ASSERT_FALSE(data.SkinPending());

    SkinMutator mutator(base, 20240601);
    MutationTally tally;
    constexpr int kInputs = 3000;
    int failures = 0;
    for (int i = 0; i < kInputs && failures < 5; ++i) {
        std::string how;
        const std::vector<uint8_t> package = mutator.Next(how);
        const std::string broken = CheckPackage(data, package, tally);
        if (!broken.empty()) {
            ADD_FAILURE() << "input " << i << " (" << how << "): " << broken;
            ++failures;
        }
    }
    // The damage reaches every outcome: some packages still load, some are refused, some look
    // like another archive version.
    EXPECT_GT(tally.loaded, kInputs / 10);
    EXPECT_GT(tally.refused, kInputs / 10);
    EXPECT_GT(tally.older, 0);
    EXPECT_EQ(tally.loaded + tally.refused + tally.older, kInputs);
}
