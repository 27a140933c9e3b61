// The sample installation the test command writes into build/sample: it passes every check,
// and its content has the shape the windows' tests rely on.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "bank_check.h"
#include "bank_store.h"
#include "base/bmp.h"

namespace {

const std::filesystem::path kSample = MUHE_SAMPLE_DIR;

const std::vector<BankQuestion>& SampleBank() {
    static const std::vector<BankQuestion> bank = ReadQuestionFile(kSample);
    return bank;
}

int BitCount(const std::vector<uint8_t>& bmp) { return bmp.size() > 29 ? bmp[28] | (bmp[29] << 8) : 0; }

}  // namespace

TEST(SampleInstallation, PassesEveryCheck) {
    ASSERT_TRUE(std::filesystem::exists(kSample / "jjj")) << "run scripts/sample.sh first";
    const auto problems = CheckInstallation(kSample);
    for (const auto& p : problems) ADD_FAILURE() << p;
}

TEST(SampleInstallation, PicturesCoverEnoughQuestionsSizesAndDepths) {
    const auto& bank = SampleBank();
    int pictures = 0, larger = 0;
    std::set<int> depths;
    for (const auto& q : bank) {
        if (q.image.empty()) continue;
        ++pictures;
        const Bitmap32 image = DecodeBmp(q.image);
        larger += image.width > 207 || image.height > 216;
        depths.insert(BitCount(q.image));
    }
    EXPECT_GE(pictures * 100, int(bank.size()) * 15) << pictures << " pictures";
    EXPECT_GT(larger, 0);
    EXPECT_GE(depths.size(), 3u);
}

TEST(SampleInstallation, NoTwoQuestionsAlikeAndAnswersAreSpread) {
    std::set<std::string> texts;
    int answers[3] = {0, 0, 0};
    for (const auto& q : SampleBank()) {
        EXPECT_TRUE(texts.insert(q.timu).second) << "question " << q.id << " repeats an earlier text";
        const char letter = q.daan.empty() ? '?' : q.daan[0];
        if (letter >= 'A' && letter <= 'C') ++answers[letter - 'A'];
    }
    for (int count : answers) EXPECT_GT(count, 150);
}
