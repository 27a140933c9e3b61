// A school's import from end to end: what the checks say about a broken file and how much,
// which pictures are refused, and what an import leaves in the folder it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "bank_check.h"
#include "bank_fixture.h"
#include "bank_install.h"
#include "bank_store.h"
#include "csv_import.h"
#include "csv_text.h"

namespace fs = std::filesystem;

namespace {

const std::vector<BankQuestion>& Bank() {
    static const std::vector<BankQuestion> bank = LayOutBank(SyntheticChapters(), TinyPicture);
    return bank;
}

std::vector<std::string> Lines(const std::vector<BankQuestion>& bank) {
    return DescribeByQuestion(CheckQuestions(bank), bank);
}

bool Has(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

size_t LineCount(const std::string& text) { return size_t(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

TEST(BankCheck, MissingQuestionsAreOneLinePerRunNotOnePerLaterQuestion) {
    auto one = Bank();
    one.erase(one.begin() + 99);  // question 100, of a set
    const auto lines = Lines(one);
    EXPECT_TRUE(Has(lines, "“id”列：缺少第 100 题")) << testing::PrintToString(lines);
    EXPECT_TRUE(Has(lines, "题库共有 1217 道题，应为 1218 道"));
    EXPECT_LE(lines.size(), 3u) << testing::PrintToString(lines);  // the count, the gap, the short set

    auto run = Bank();
    run.erase(run.begin() + 1199, run.begin() + 1210);
    EXPECT_TRUE(Has(Lines(run), "缺少第 1200～1210 题（共 11 道）")) << testing::PrintToString(Lines(run));
    EXPECT_FALSE(Has(Lines(run), "缺少第 1201"));
}

TEST(CsvText, NamesTheLineOfAGbkRowInAUtf8File) {
    std::string text = "id,timu\n";
    for (int i = 2; i <= 100; ++i) text += std::to_string(i) + ",机动车驾驶人应当遵守道路交通安全法律\n";
    text += "101,\xBB\xFA\xB6\xAF\xB3\xB5\n";  // 机动车 in GBK
    text += "102,驾驶\n";
    try {
        DecodeCsvText(text);
        FAIL() << "a GBK row in a UTF-8 file must be refused";
    } catch (const EncodingError& e) {
        EXPECT_NE(std::string(e.what()).find("第 101 行"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("从 GBK 编码的文件中复制来的"), std::string::npos) << e.what();
    }
}

TEST(CsvImport, SkipsTrailingRowsOfSeparatorsOnly) {
    ScratchDir dir;
    WriteText(dir.Path() / "bank.csv", WriteCsvBank(dir.Path(), Bank()) + ",,,,,,,,,,,,\r\n,, ,,,,,,,,,,\r\n\t\r\n");
    const CsvImport in = ReadCsvBank(dir.Path() / "bank.csv", dir.Path() / "pics");
    ASSERT_TRUE(in.problems.empty()) << DescribeCsvProblem(in.problems.front());
    EXPECT_EQ(in.rows.size(), Bank().size());
}

TEST(CsvImport, RefusesEmptyPicturesAndNamesOutsideTheFolderByRowAndColumn) {
    ScratchDir dir;
    fs::create_directories(dir.Path() / "pics" / "signs");
    const auto& picture = Bank()[0].image.empty() ? Bank()[5].image : Bank()[0].image;
    ASSERT_FALSE(picture.empty());
    const std::string bmp(picture.begin(), picture.end());
    WriteText(dir.Path() / "pics" / "signs" / "ok.bmp", bmp);
    WriteText(dir.Path() / "pics" / "empty.bmp", "");
    WriteText(dir.Path() / "outside.bmp", bmp);  // readable, but not from the picture folder
    const char* const names[] = {"signs\\ok.bmp", "signs/ok.bmp", "empty.bmp", "..\\outside.bmp", "../outside.bmp",
                                 "signs\\..\\..\\outside.bmp", "C:\\outside.bmp", "/etc/hostname", "\\outside.bmp"};
    std::string csv = "id,tihao,timu,A,B,C,daan,image,t,lei1,lei2,lei3\n";
    for (size_t i = 0; i < std::size(names); ++i) {
        csv += std::to_string(i + 1) + ",1.1." + std::to_string(i + 1) + ",题,甲,乙,,A," + names[i] + ",1,各准驾车型通用试题,节,判断题\n";
    }
    WriteText(dir.Path() / "bank.csv", csv);
    const CsvImport in = ReadCsvBank(dir.Path() / "bank.csv", dir.Path() / "pics");
    const std::vector<std::string> problems = DescribeCsvProblems(in.problems);
    EXPECT_EQ(in.rows[0].image, picture) << "a subfolder with a Windows separator";
    EXPECT_EQ(in.rows[1].image, picture);
    EXPECT_FALSE(Has(problems, "第 2 行")) << testing::PrintToString(problems);
    EXPECT_FALSE(Has(problems, "第 3 行"));
    EXPECT_TRUE(Has(problems, "第 4 行，“image”列：图片文件")) << testing::PrintToString(problems);
    EXPECT_TRUE(Has(problems, "是空的（0 字节）"));
    for (size_t row = 5; row <= 10; ++row) {
        EXPECT_TRUE(Has(problems, "第 " + std::to_string(row) + " 行，“image”列：图片文件名“")) << row << testing::PrintToString(problems);
    }
    EXPECT_EQ(problems.size(), 7u) << testing::PrintToString(problems);
}

TEST(BankInstall, ThreeImportsIntoOneFolderKeepThePreviousBankEachTime) {
    ScratchDir dir;
    const fs::path folder = dir.Path() / "数据";
    auto bank = Bank();
    std::vector<std::string> notes;
    for (const char* text : {"第一版", "第二版", "第三版"}) {
        bank[0].timu = text;
        const InstallOutcome outcome = InstallBank(folder, bank);
        notes = outcome.notes;
        EXPECT_EQ(outcome.backup, bank[0].timu == "第一版" ? fs::path() : folder / "jjj.bak");
    }
    EXPECT_EQ(ReadQuestionFile(folder)[0].timu, "第三版");
    fs::create_directories(dir.Path() / "bak");
    fs::copy_file(folder / "jjj.bak", dir.Path() / "bak" / "jjj");
    EXPECT_EQ(ReadQuestionFile(dir.Path() / "bak")[0].timu, "第二版");
    EXPECT_EQ(Names(folder), (std::vector<std::string>{"jjj", "jjj.bak"})) << "no scratch file is left";
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("还没有 bz、bangzhu.chm"), std::string::npos) << notes[0];
    WriteText(folder / "bz", "x");
    WriteText(folder / "bangzhu.chm", "x");
    EXPECT_TRUE(InstallBank(folder, bank).notes.empty());
}

TEST(BankInstall, ATargetThatIsAFileIsRefusedInWordsAndUntouched) {
    ScratchDir dir;
    WriteText(dir.Path() / "数据", "a file");
    try {
        InstallBank(dir.Path() / "数据", Bank());
        FAIL() << "a file is no folder";
    } catch (const InstallError& e) {
        EXPECT_NE(std::string(e.what()).find("是一个文件，不是文件夹：请指定"), std::string::npos) << e.what();
    }
    EXPECT_EQ(fs::file_size(dir.Path() / "数据"), 6u);
    try {
        InstallBank(dir.Path() / "数据" / "下面", Bank());
        FAIL() << "a folder under a file cannot be made";
    } catch (const InstallError& e) {
        EXPECT_NE(std::string(e.what()).find("无法创建文件夹"), std::string::npos) << e.what();
    }
}

TEST(BankTool, AHundredThousandBadRowsGiveAShortReportAndTheRules) {
    ScratchDir dir;
    std::string csv = "id,tihao,timu,A,B,C,daan,image,t,lei1,lei2,lei3\n";
    for (int i = 0; i < 100000; ++i) csv += "x,1.1,题,甲,乙,丙,A,,1,各准驾车型通用试题,节,单项选择题\n";
    WriteText(dir.Path() / "big.csv", csv);
    std::string output;
    EXPECT_NE(RunBankTool("import " + (dir.Path() / "big.csv").string() + " " + dir.Path().string() + " " +
                              (dir.Path() / "out").string(), &output), 0);
    EXPECT_EQ(LineCount(output), kProblemsShown + 2) << output.substr(0, 2000);
    EXPECT_NE(output.find("另有 99950 处问题没有列出"), std::string::npos);
    EXPECT_NE(output.find("共发现 100000 处问题，没有写入任何文件。题库必须正好有 1218 道题"), std::string::npos);
    EXPECT_NE(output.find("第 1～1200 题分成 12 套、每套正好 100 道"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.Path() / "out"));

    std::string usage;
    EXPECT_EQ(RunBankTool("", &usage) >> 8, 2);
    EXPECT_NE(usage.find("1201～1218 题不属于任何一套"), std::string::npos) << usage;
    EXPECT_NE(usage.find("还需要 bz 和 bangzhu.chm"), std::string::npos) << usage;
}

TEST(BankInstall, AJournalLeftByTheTrainerStopsTheImport) {
    ScratchDir dir;
    auto bank = Bank();
    InstallBank(dir.Path(), bank);
    WriteText(dir.Path() / "jjj-journal", "left by a crash");
    const auto bytes = [&] {
        std::ifstream in(dir.Path() / "jjj", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string before = bytes();
    bank[0].timu = "新的";
    try {
        InstallBank(dir.Path(), bank);
        FAIL() << "the journal would be played back into the new bank";
    } catch (const InstallError& e) {
        EXPECT_NE(std::string(e.what()).find("请启动一次考试系统再正常退出"), std::string::npos) << e.what();
    }
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"jjj", "jjj-journal"}));
}

TEST(CsvImport, ProgressCountsEveryRowAndAStopLeavesNothingToImport) {
    ScratchDir dir;
    WriteText(dir.Path() / "bank.csv", WriteCsvBank(dir.Path(), Bank()));
    std::vector<size_t> seen;
    size_t totalSeen = 0;
    const CsvImport whole = CheckCsvBank(dir.Path() / "bank.csv", dir.Path() / "pics", [&](size_t done, size_t total) {
        seen.push_back(done);
        totalSeen = total;
        return true;
    });
    EXPECT_FALSE(whole.cancelled);
    EXPECT_TRUE(whole.problems.empty());
    EXPECT_EQ(totalSeen, Bank().size());
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 0u);
    EXPECT_EQ(seen.back(), Bank().size());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));

    const CsvImport stopped = CheckCsvBank(dir.Path() / "bank.csv", dir.Path() / "pics",
                                           [](size_t done, size_t) { return done < 100; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(stopped.problems.empty()) << "a stopped check is no verdict on the bank";
    EXPECT_LE(stopped.rows.size(), 100u);
}

TEST(CsvImport, AMissingPictureFolderOrAFolderForTheFileIsOneLine) {
    ScratchDir dir;
    WriteText(dir.Path() / "bank.csv", WriteCsvBank(dir.Path(), Bank()));
    const CsvImport noPictures = ReadCsvBank(dir.Path() / "bank.csv", dir.Path() / "图片");
    ASSERT_EQ(noPictures.problems.size(), 1u);
    EXPECT_NE(noPictures.problems[0].what.find("图片文件夹"), std::string::npos) << noPictures.problems[0].what;
    EXPECT_EQ(noPictures.problems[0].row, 0);
    const CsvImport folder = ReadCsvBank(dir.Path(), dir.Path() / "pics");
    ASSERT_EQ(folder.problems.size(), 1u);
    EXPECT_NE(folder.problems[0].what.find("是一个文件夹：请给出 CSV 文件本身"), std::string::npos) << folder.problems[0].what;
}
