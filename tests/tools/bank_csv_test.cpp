#include <gtest/gtest.h>

#include <iconv.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "bank_check.h"
#include "bank_fixture.h"
#include "bank_layout.h"
#include "bank_store.h"
#include "base/bmp.h"
#include "csv_import.h"
#include "csv_text.h"

namespace {

// Converts UTF-8 text to another encoding with the C library, as a spreadsheet would save it.
std::string Encode(const std::string& utf8, const char* charset) {
    iconv_t cd = iconv_open(charset, "UTF-8");
    std::string out(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* o = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (rc == size_t(-1)) throw std::runtime_error(std::string("cannot encode as ") + charset);
    out.resize(out.size() - outLeft);
    return out;
}

std::string RefusalOf(const std::string& bytes) {
    try {
        DecodeCsvText(bytes);
    } catch (const EncodingError& e) {
        return e.what();
    }
    return "accepted";
}

}  // namespace

TEST(Csv, ParsesQuotedFieldsNewlinesAndDoubledQuotesWithEitherSeparator) {
    const auto records = ParseCsv("\xEF\xBB\xBF" "a,b,c\r\n1,\"x, \"\"y\"\"\nz\",\r\n\n2,,last");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(records[1], (std::vector<std::string>{"1", "x, \"y\"\nz", ""}));
    EXPECT_EQ(records[2], (std::vector<std::string>{"2", "", "last"}));
    const std::string tabbed = "a\tb\r\n1,2\t\"x\ty\"\r\n";
    ASSERT_EQ(DetectSeparator(tabbed), '\t');
    EXPECT_EQ(ParseCsv(tabbed, '\t')[1], (std::vector<std::string>{"1,2", "x\ty"}));
    EXPECT_EQ(DetectSeparator("a,b\n1\t2\n"), ',');
    try {
        ParseCsv("a,b\n1,\"open\n2,3\n");
        FAIL() << "an unterminated quote must be refused";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("第 2 行：有一个以引号开头的字段"), std::string::npos) << e.what();
    }
}

TEST(CsvText, DecidesTheEncodingFromTheBytes) {
    const std::string text = "id,timu\n1,机动车驾驶人“违法”€\n";
    EXPECT_EQ(DecodeCsvText(text).encoding, TextEncoding::kUtf8);
    const DecodedText bom = DecodeCsvText("\xEF\xBB\xBF" + text);
    EXPECT_EQ(bom.utf8, text);
    const DecodedText gbk = DecodeCsvText(Encode(text, "GBK"));
    EXPECT_EQ(gbk.encoding, TextEncoding::kGb18030);
    EXPECT_EQ(gbk.utf8, text);
    const std::string astral = "第𠀇题\n";  // a character only GB18030's four-byte codes hold
    EXPECT_EQ(DecodeCsvText(Encode(astral, "GB18030")).utf8, astral);
    const DecodedText le = DecodeCsvText("\xFF\xFE" + Encode(astral + text, "UTF-16LE"));
    EXPECT_EQ(le.encoding, TextEncoding::kUtf16);
    EXPECT_EQ(le.utf8, astral + text);
    EXPECT_EQ(DecodeCsvText("\xFE\xFF" + Encode(text, "UTF-16BE")).utf8, text);
}

TEST(CsvText, RefusesWhatIsNoneOfThemWithOneMessageNamingTheLine) {
    const std::string gbk = Encode("id,timu\n1,题目\n", "GBK");
    const auto refused = [](const std::string& message, const std::string& expected) {
        EXPECT_EQ(message.rfind("文件编码有误：", 0), 0u) << message;
        EXPECT_NE(message.find(expected), std::string::npos) << message;
    };
    // 0xFF is neither UTF-8 nor GBK.
    refused(RefusalOf(gbk + "2,\xFF\n"), "第 3 行（第 " + std::to_string(gbk.size() + 3) + " 个字节）既不是有效的 UTF-8，也不是有效的 GBK/GB18030");
    refused(RefusalOf(Encode("id\n1\n", "UTF-16LE")), "第 1 行有空字节（0x00）");
    refused(RefusalOf("\xEF\xBB\xBF" "id\n" + gbk), "UTF-8 的字节顺序标记开头，但第 3 行的字节不是有效的 UTF-8");
    refused(RefusalOf(std::string("\xFF\xFEi\0d", 5)), "字节数是奇数");
    refused(RefusalOf(std::string("\xFF\xFEi\0\n\0\x00\xD8x\0", 10)), "第 2 行有不成对的代理项");
}

TEST(CsvImport, ReadsASchoolsBankInEveryEncodingAndSeparator) {
    ScratchDir dir;
    const auto bank = LayOutBank(SyntheticChapters(), TinyPicture);
    const std::string csv = WriteCsvBank(dir.Path(), bank);
    const std::string tabbed = WriteCsvBank(dir.Path(), bank, '\t');
    WriteText(dir.Path() / "utf8.csv", csv);
    WriteText(dir.Path() / "gbk.csv", Encode(csv, "GBK"));
    WriteText(dir.Path() / "unicode.txt", "\xFF\xFE" + Encode(tabbed, "UTF-16LE"));
    for (const char* name : {"utf8.csv", "gbk.csv", "unicode.txt"}) {
        const CsvImport in = ReadCsvBank(dir.Path() / name, dir.Path() / "pics");
        ASSERT_TRUE(in.problems.empty()) << name << ": " << DescribeCsvProblem(in.problems.front());
        ASSERT_EQ(in.rows.size(), bank.size()) << name;
        EXPECT_EQ(in.rows[4].image, bank[4].image) << name;
        EXPECT_EQ(in.rows[4].timu, bank[4].timu) << name;
        EXPECT_EQ(in.rows[7].lei2, bank[7].lei2) << name;
        EXPECT_EQ(in.rows[1200].t, 0) << name;
        EXPECT_TRUE(CheckQuestions(in.rows).empty()) << name;
    }
    EXPECT_EQ(ReadCsvBank(dir.Path() / "gbk.csv", dir.Path() / "pics").encoding, TextEncoding::kGb18030);
    EXPECT_EQ(ReadCsvBank(dir.Path() / "unicode.txt", dir.Path() / "pics").separator, '\t');
}

TEST(CsvImport, NamesTheRowTheColumnAndTheFaultOfEveryBadRow) {
    ScratchDir dir;
    std::filesystem::create_directories(dir.Path() / "pics");
    WriteText(dir.Path() / "pics" / "fake.bmp", "BMnot really a bitmap");
    WriteText(dir.Path() / "bank.csv",
              "id,tihao,timu,A,B,C,daan,image,t,lei1,lei2,lei3\n"
              "x1,1.1.1.1,题,甲,乙,丙,A,,1,各准驾车型通用试题,节,单项选择题\n"
              "2,1.1.1.2,题,甲,乙,丙,A,fake.bmp,1,各准驾车型通用试题,节,单项选择题\n"
              "3,1.1.1.3,题,甲,乙,丙,A,missing.bmp,one,各准驾车型通用试题,节,单项选择题\n"
              "4,1.1.1.4,题\n"
              "1,1.1.1.5,题,甲,乙,丙,E,,1,各准驾车型通用试题,节,单项选择题\n");
    const CsvImport in = ReadCsvBank(dir.Path() / "bank.csv", dir.Path() / "pics");
    const auto has = [](const std::vector<CsvProblem>& problems, const std::string& text) {
        for (const auto& line : DescribeCsvProblems(problems)) if (line.find(text) != std::string::npos) return true;
        return false;
    };
    EXPECT_TRUE(has(in.problems, "第 2 行，“id”列：“x1”不是整数"));
    EXPECT_TRUE(has(in.problems, "第 3 行，“image”列：图片文件") && has(in.problems, "fake.bmp”不是有效的 BMP 位图文件"));
    EXPECT_TRUE(has(in.problems, "第 4 行，“t”列：“one”不是整数"));
    EXPECT_TRUE(has(in.problems, "第 4 行，“image”列：图片文件") && has(in.problems, "missing.bmp”无法读取"));
    EXPECT_TRUE(has(in.problems, "第 5 行：有 3 个字段，标题行有 12 个"));
    // The same faults as a window lists them: by row and column, the message without either.
    std::vector<std::string> places;
    for (const CsvProblem& p : in.problems) places.push_back(std::to_string(p.row) + " " + p.column);
    EXPECT_EQ(places, (std::vector<std::string>{"2 id", "3 image", "4 t", "4 image", "5 "}));
    EXPECT_EQ(in.problems[0].what, "“x1”不是整数");
    // The checks of the bank name the row in the file, not the question number; a fault of the
    // bank as a whole has no row.
    const auto checks = CheckCsvBank(dir.Path() / "bank.csv", dir.Path() / "pics");
    EXPECT_EQ(checks.problems.size(), in.problems.size()) << "the bank is checked only once the file reads cleanly";
    const auto byRow = ProblemsByRow(CheckQuestions(in.rows), in);
    EXPECT_TRUE(has(byRow, "第 6 行，“daan”列：答案“E”应为 A、B 或 C")) << testing::PrintToString(DescribeCsvProblems(byRow));
    EXPECT_TRUE(std::any_of(byRow.begin(), byRow.end(), [](const CsvProblem& p) { return p.row == 0 && p.column == "id"; }))
        << "the missing questions";

    WriteText(dir.Path() / "nocol.csv", "id,tihao,timu,Timu\n1,1.1,题,题\n");
    const CsvImport missing = ReadCsvBank(dir.Path() / "nocol.csv", dir.Path() / "pics");
    EXPECT_TRUE(has(missing.problems, "第 1 行（标题行），“Timu”列：这一列出现了两次"));
    EXPECT_TRUE(has(missing.problems, "第 1 行（标题行），“A”列：缺少这一列"));
}

TEST(BankTool, ImportWritesNothingWhenACheckFailsAndKeepsTheBankItReplaces) {
    ScratchDir dir;
    auto bank = LayOutBank(SyntheticChapters(), TinyPicture);
    bank[99].daan = "E";
    WriteText(dir.Path() / "bad.csv", WriteCsvBank(dir.Path(), bank));
    const auto out = dir.Path() / "install";
    const std::string pics = (dir.Path() / "pics").string();
    EXPECT_NE(RunBankTool("import " + (dir.Path() / "bad.csv").string() + " " + pics + " " + out.string()), 0);
    EXPECT_FALSE(std::filesystem::exists(out / "jjj"));

    bank[99].daan = "A";
    WriteText(dir.Path() / "good.csv", Encode(WriteCsvBank(dir.Path(), bank), "GBK"));
    ASSERT_EQ(RunBankTool("import " + (dir.Path() / "good.csv").string() + " " + pics + " " + out.string()), 0);
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

    // Importing again keeps the bank it replaces beside the new one.
    bank[5].timu = "新的题目";
    WriteText(dir.Path() / "newer.csv", WriteCsvBank(dir.Path(), bank));
    ASSERT_EQ(RunBankTool("import " + (dir.Path() / "newer.csv").string() + " " + pics + " " + out.string()), 0);
    EXPECT_EQ(ReadQuestionFile(out)[5].timu, "新的题目");
    std::filesystem::create_directories(dir.Path() / "before");
    std::filesystem::rename(out / "jjj.bak", dir.Path() / "before" / "jjj");
    EXPECT_EQ(ReadQuestionFile(dir.Path() / "before")[5].timu, back[5].timu);
}
