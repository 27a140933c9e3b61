#include "bank_sample.h"

#include <array>
#include <iostream>
#include <string>

#include "bank_check.h"
#include "bank_layout.h"
#include "bank_store.h"
#include "base/bmp.h"
#include "help_builder.h"
#include "picture_painter.h"
#include "sign_pages.h"

namespace fs = std::filesystem;

namespace {

// Most pictures are stored with a palette, as painted line art has few colours; some are
// kept at 24 and 32 bits and some at 4 bits, so that the program meets every common depth.
std::vector<uint8_t> QuestionPicture(const std::string& picture, int ordinal) {
    static constexpr std::array<int, 10> kDepths{8, 24, 8, 4, 8, 8, 32, 8, 24, 8};
    return EncodeBmp(PaintPicture(picture), kDepths[size_t(ordinal) % kDepths.size()]);
}

}  // namespace

int WriteSample(const fs::path& assets, const fs::path& dir) {
    std::array<std::vector<ContentQuestion>, 4> chapters;
    for (int c = 0; c < 4; ++c) chapters[size_t(c)] = ReadChapterFile(assets / "bank" / ("chapter" + std::to_string(c + 1) + ".txt"));
    const auto bank = LayOutBank(chapters, QuestionPicture);
    const auto problems = DescribeByQuestion(CheckQuestions(bank), bank);
    if (!problems.empty()) {
        for (const auto& p : problems) std::cerr << p << "\n";
        return 1;
    }
    fs::create_directories(dir);
    WriteQuestionFile(dir / "jjj", bank);
    WriteAuxiliaryFile(dir / "bz", ReadLawTexts(assets / "laws"));
    BuildHelpFile(assets / "help", dir / "bangzhu.chm");
    WriteSignPages(ReadSignPages(assets / "signs" / "pages.txt"), dir / "bzt",
                   [](const std::string& picture) { return EncodeBmp(PaintPicture(picture), 8); });
    int pictures = 0;
    for (const auto& q : bank) pictures += !q.image.empty();
    std::cout << "wrote " << dir.string() << ": jjj (" << bank.size() << " questions, " << pictures
              << " with pictures), bz, bangzhu.chm, bzt/\n";
    return 0;
}
