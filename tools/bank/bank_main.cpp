// muhe-bank: writes the sample installation, checks an installation, imports a school's
// own bank from CSV.
#include <array>
#include <filesystem>
#include <iostream>
#include <string>

#include "bank_check.h"
#include "bank_layout.h"
#include "bank_store.h"
#include "base/bmp.h"
#include "csv_import.h"
#include "help_builder.h"
#include "picture_painter.h"
#include "sign_pages.h"

namespace fs = std::filesystem;

namespace {

#ifndef MUHE_ASSETS_DIR
#define MUHE_ASSETS_DIR "assets"
#endif

int Usage() {
    std::cerr << "usage: muhe-bank sample DIR           write the sample installation into DIR\n"
                 "       muhe-bank check DIR            check every convention of an installation\n"
                 "       muhe-bank import CSV IMAGES DIR  build DIR/jjj from a school's own bank\n"
                 "options: --assets DIR (content folder, default " MUHE_ASSETS_DIR ")\n";
    return 2;
}

// Most pictures are stored with a palette, as painted line art has few colours; some are
// kept at 24 and 32 bits and some at 4 bits, so that the program meets every common depth.
std::vector<uint8_t> QuestionPicture(const std::string& picture, int ordinal) {
    static constexpr std::array<int, 10> kDepths{8, 24, 8, 4, 8, 8, 32, 8, 24, 8};
    return EncodeBmp(PaintPicture(picture), kDepths[size_t(ordinal) % kDepths.size()]);
}

int WriteSample(const fs::path& assets, const fs::path& dir) {
    std::array<std::vector<ContentQuestion>, 4> chapters;
    for (int c = 0; c < 4; ++c) chapters[size_t(c)] = ReadChapterFile(assets / "bank" / ("chapter" + std::to_string(c + 1) + ".txt"));
    const auto bank = LayOutBank(chapters, QuestionPicture);
    const auto problems = CheckQuestions(bank);
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

int Check(const fs::path& dir) {
    const auto problems = CheckInstallation(dir);
    for (const auto& p : problems) std::cout << p << "\n";
    if (!problems.empty()) {
        std::cout << problems.size() << " problem(s) in " << dir.string() << "\n";
        return 1;
    }
    std::cout << dir.string() << ": every convention holds\n";
    return 0;
}

int Import(const fs::path& csv, const fs::path& images, const fs::path& dir) {
    CsvImport in = ReadCsvBank(csv, images);
    auto problems = in.problems;
    if (problems.empty()) problems = CheckQuestions(in.rows);
    if (!problems.empty()) {
        for (const auto& p : problems) std::cerr << p << "\n";
        std::cerr << "nothing was written\n";
        return 1;
    }
    fs::create_directories(dir);
    WriteQuestionFile(dir / "jjj", in.rows);
    std::cout << "wrote " << (dir / "jjj").string() << " with " << in.rows.size() << " questions\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    fs::path assets = MUHE_ASSETS_DIR;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--assets") {
            assets = args[i + 1];
            args.erase(args.begin() + long(i), args.begin() + long(i) + 2);
            break;
        }
    }
    try {
        if (args.size() == 2 && args[0] == "sample") return WriteSample(assets, args[1]);
        if (args.size() == 2 && args[0] == "check") return Check(args[1]);
        if (args.size() == 4 && args[0] == "import") return Import(args[1], args[2], args[3]);
    } catch (const std::exception& e) {
        std::cerr << "muhe-bank: " << e.what() << "\n";
        return 1;
    }
    return Usage();
}
