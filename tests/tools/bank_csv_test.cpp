#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "bank_check.h"
#include "bank_fixture.h"
#include "bank_layout.h"
#include "bank_store.h"
#include "base/bmp.h"
#include "csv_import.h"

namespace {

std::string CsvField(const std::string& text) {
    std::string out = "\"";
    for (char ch : text) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + "\"";
}

// Writes the synthetic bank as a school would hand it over: a CSV plus a picture folder.
void WriteCsvBank(const std::filesystem::path& dir, const std::vector<BankQuestion>& bank) {
    std::filesystem::create_directories(dir / "pics");
    std::string csv = "id,tihao,timu,A,B,C,daan,image,t,lei1,lei2,lei3,bz\r\n";
    for (const auto& q : bank) {
        std::string picture;
        if (!q.image.empty()) {
            picture = "q" + std::to_string(q.id) + ".bmp";
            std::ofstream(dir / "pics" / picture, std::ios::binary)
                .write(reinterpret_cast<const char*>(q.image.data()), std::streamsize(q.image.size()));
        }
        csv += std::to_string(q.id) + "," + q.tihao + "," + CsvField(q.timu) + "," + CsvField(q.a) + "," +
               CsvField(q.b) + "," + CsvField(q.c) + "," + q.daan + "," + picture + "," +
               (q.t ? std::to_string(q.t) : std::string()) + "," + q.lei1 + "," + q.lei2 + "," + q.lei3 + ",\r\n";
    }
    WriteText(dir / "bank.csv", csv);
}

int RunBankTool(const std::string& arguments) {
    return std::system((std::string(MUHE_BANK_TOOL) + " " + arguments + " >/dev/null 2>&1").c_str());
}

}  // namespace

TEST(Csv, ParsesQuotedFieldsNewlinesAndDoubledQuotes) {
    const auto records = ParseCsv("\xEF\xBB\xBF" "a,b,c\r\n1,\"x, \"\"y\"\"\nz\",\r\n\n2,,last");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(records[1], (std::vector<std::string>{"1", "x, \"y\"\nz", ""}));
    EXPECT_EQ(records[2], (std::vector<std::string>{"2", "", "last"}));
    try {
        ParseCsv("a,b\n1,\"open\n2,3\n");
        FAIL() << "an unterminated quote must be refused";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos);
    }
}

TEST(CsvImport, ReadsASchoolsBankAndItsPictures) {
    ScratchDir dir;
    const auto bank = LayOutBank(SyntheticChapters(), TinyPicture);
    WriteCsvBank(dir.Path(), bank);
    const CsvImport in = ReadCsvBank(dir.Path() / "bank.csv", dir.Path() / "pics");
    ASSERT_TRUE(in.problems.empty()) << in.problems.front();
    ASSERT_EQ(in.rows.size(), bank.size());
    EXPECT_EQ(in.rows[4].image, bank[4].image);
    EXPECT_EQ(in.rows[4].timu, bank[4].timu);
    EXPECT_EQ(in.rows[1200].t, 0);
    EXPECT_TRUE(CheckQuestions(in.rows).empty());
}

TEST(CsvImport, NamesEveryBadRow) {
    ScratchDir dir;
    std::filesystem::create_directories(dir.Path() / "pics");
    WriteText(dir.Path() / "pics" / "fake.bmp", "BMnot really a bitmap");
    WriteText(dir.Path() / "bank.csv",
              "id,tihao,timu,A,B,C,daan,image,t,lei1,lei2,lei3\n"
              "x1,1.1.1.1,题,甲,乙,丙,A,,1,各准驾车型通用试题,节,单项选择题\n"
              "2,1.1.1.2,题,甲,乙,丙,A,fake.bmp,1,各准驾车型通用试题,节,单项选择题\n"
              "3,1.1.1.3,题,甲,乙,丙,A,missing.bmp,one,各准驾车型通用试题,节,单项选择题\n"
              "4,1.1.1.4,题\n");
    const CsvImport in = ReadCsvBank(dir.Path() / "bank.csv", dir.Path() / "pics");
    const auto has = [&](const std::string& text) {
        for (const auto& p : in.problems) if (p.find(text) != std::string::npos) return true;
        return false;
    };
    EXPECT_TRUE(has("row 2: id 'x1' is not a whole number"));
    EXPECT_TRUE(has("row 3: picture") && has("is not a valid bitmap"));
    EXPECT_TRUE(has("row 4: t 'one' is not a whole number"));
    EXPECT_TRUE(has("missing.bmp cannot be read"));
    EXPECT_TRUE(has("row 5: has 3 fields"));

    WriteText(dir.Path() / "nocol.csv", "id,tihao,timu\n1,1.1,题\n");
    const CsvImport missing = ReadCsvBank(dir.Path() / "nocol.csv", dir.Path() / "pics");
    ASSERT_FALSE(missing.problems.empty());
    EXPECT_NE(missing.problems[0].find("the header has no column A"), std::string::npos);
}

TEST(BankTool, ImportWritesNothingWhenACheckFailsAndAReadableBankOtherwise) {
    ScratchDir dir;
    auto bank = LayOutBank(SyntheticChapters(), TinyPicture);
    bank[99].daan = "E";
    WriteCsvBank(dir.Path() / "bad", bank);
    const auto out = dir.Path() / "install";
    EXPECT_NE(RunBankTool("import " + (dir.Path() / "bad" / "bank.csv").string() + " " +
                          (dir.Path() / "bad" / "pics").string() + " " + out.string()), 0);
    EXPECT_FALSE(std::filesystem::exists(out / "jjj"));

    bank[99].daan = "A";
    WriteCsvBank(dir.Path() / "good", bank);
    ASSERT_EQ(RunBankTool("import " + (dir.Path() / "good" / "bank.csv").string() + " " +
                          (dir.Path() / "good" / "pics").string() + " " + out.string()), 0);
    const auto back = ReadQuestionFile(out);
    ASSERT_EQ(back.size(), bank.size());
    EXPECT_EQ(back[99].daan, "A");
    EXPECT_EQ(back[10].image, bank[10].image);
    EXPECT_EQ(back[0].c, " ");
    EXPECT_TRUE(CheckQuestions(back).empty());
    // No stray build file is left beside the bank.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(out)) ++files;
    EXPECT_EQ(files, 1);
}
