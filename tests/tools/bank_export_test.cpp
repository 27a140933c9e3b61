// Export then import: the school's way of correcting its bank must give back every byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "bank_export.h"
#include "bank_fixture.h"
#include "bank_install.h"
#include "bank_store.h"
#include "csv_import.h"

namespace fs = std::filesystem;

namespace {

// Every column, compared one by one so that a failure names the column.
void ExpectSameBank(const std::vector<BankQuestion>& actual, const std::vector<BankQuestion>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const BankQuestion& a = actual[i];
        const BankQuestion& e = expected[i];
        SCOPED_TRACE("question " + std::to_string(e.id));
        EXPECT_EQ(a.id, e.id);
        EXPECT_EQ(a.tihao, e.tihao);
        EXPECT_EQ(a.timu, e.timu);
        EXPECT_EQ(a.a, e.a);
        EXPECT_EQ(a.b, e.b);
        EXPECT_EQ(a.c, e.c);
        EXPECT_EQ(a.daan, e.daan);
        EXPECT_EQ(a.image, e.image);
        EXPECT_EQ(a.t, e.t);
        EXPECT_EQ(a.lei1, e.lei1);
        EXPECT_EQ(a.lei2, e.lei2);
        EXPECT_EQ(a.lei3, e.lei3);
        EXPECT_EQ(a.bz, e.bz);
        if (testing::Test::HasFailure()) return;
    }
}

std::vector<BankQuestion> RoundTrip(const fs::path& installation, const fs::path& scratch) {
    EXPECT_EQ(ExportBank(installation, scratch / "bank.csv", scratch / "图片"), 1218u);
    const CsvImport in = ReadCsvBank(scratch / "bank.csv", scratch / "图片");
    EXPECT_TRUE(in.problems.empty()) << testing::PrintToString(DescribeCsvProblems(in.problems));
    EXPECT_EQ(in.encoding, TextEncoding::kUtf8);
    InstallBank(scratch / "new", in.rows);
    return ReadQuestionFile(scratch / "new");
}

}  // namespace

TEST(BankExport, TheSampleBankComesBackByteForByte) {
    ScratchDir dir;
    ASSERT_TRUE(fs::exists(fs::path(MUHE_SAMPLE_DIR) / "jjj")) << "run scripts/sample.sh first";
    const auto sample = ReadQuestionFile(MUHE_SAMPLE_DIR);
    ExpectSameBank(RoundTrip(MUHE_SAMPLE_DIR, dir.Path()), sample);
    std::ifstream csv(dir.Path() / "bank.csv", std::ios::binary);
    std::string start(3, '\0');
    csv.read(start.data(), 3);
    EXPECT_EQ(start, "\xEF\xBB\xBF") << "a spreadsheet reads UTF-8 only after its byte-order mark";
    size_t pictures = 0;
    for (const auto& q : sample) pictures += !q.image.empty();
    EXPECT_EQ(size_t(std::distance(fs::directory_iterator(dir.Path() / "图片"), fs::directory_iterator())), pictures);
}

TEST(BankExport, TextAWriterCouldTypeSurvivesTheRoundTrip) {
    ScratchDir dir;
    auto bank = LayOutBank(SyntheticChapters(), TinyPicture);
    bank[0].timu = " 前后有空格，中间有\"引号\"、逗号, 和\t制表符 ";
    bank[1].timu = "两行\r\n第二行\n第三行";
    bank[2].a = "\"整格是引号\"";
    bank[3].tihao = " 1.1.1.4 ";
    bank[4].lei2 = "节\t";
    bank[5].bz = "t";
    bank[6].lei3 = bank[6].lei3 + " ";
    bank[7].c = "";
    bank[7].daan = "B";
    bank[7].lei3 = "判断题";
    InstallBank(dir.Path() / "old", bank);
    const auto installed = ReadQuestionFile(dir.Path() / "old");
    ExpectSameBank(RoundTrip(dir.Path() / "old", dir.Path()), installed);
}

TEST(BankExport, RefusesAFolderWithoutABankInWords) {
    ScratchDir dir;
    try {
        ExportBank(dir.Path(), dir.Path() / "bank.csv", dir.Path() / "pics");
        FAIL() << "there is no bank to export";
    } catch (const ExportError& e) {
        EXPECT_NE(std::string(e.what()).find("中没有题库文件 jjj：请指定"), std::string::npos) << e.what();
    }
    WriteText(dir.Path() / "jjj", "not a database at all");
    try {
        ExportBank(dir.Path(), dir.Path() / "bank.csv", dir.Path() / "pics");
        FAIL() << "a damaged bank cannot be exported";
    } catch (const ExportError& e) {
        EXPECT_NE(std::string(e.what()).find("已经损坏"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(dir.Path() / "bank.csv"));
}
