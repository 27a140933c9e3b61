// Every statement the windows issue, run against a copy of the sample installation through
// the program's own data module, with the results the windows count on.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>

#include "bank_fixture.h"
#include "bank_model.h"
#include "data/ado_query.h"
#include "data/data_module.h"
#include "data/escape.h"
#include "data/statements.h"

namespace fs = std::filesystem;

namespace {

// A copy of the sample's two files in a scratch folder that is the working directory.
class SampleCopy : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path sample = MUHE_SAMPLE_DIR;
        ASSERT_TRUE(fs::exists(sample / "jjj")) << "run scripts/sample.sh first";
        fs::copy_file(sample / "jjj", dir_.Path() / "jjj");
        fs::copy_file(sample / "bz", dir_.Path() / "bz");
        previous_ = fs::current_path();
        fs::current_path(dir_.Path());
        module_ = std::make_unique<TDataModule3>();
    }
    void TearDown() override {
        module_.reset();
        fs::current_path(previous_);
    }

    std::unique_ptr<TADOQuery> Query(const std::string& sql, bool bank = true) {
        auto q = std::make_unique<TADOQuery>();
        q->Connection = bank ? &module_->ADOConnection1 : &module_->ADOConnection2;
        q->SQL.SetText(sql);
        q->Open();
        return q;
    }

    // Ids of every row, in the order the statement gave them.
    std::vector<int> Ids(const std::string& sql) {
        auto q = Query(sql);
        std::vector<int> ids;
        for (; !q->Eof(); q->Next()) ids.push_back(q->FieldByName("id")->AsInteger());
        return ids;
    }

    ScratchDir dir_;
    fs::path previous_;
    std::unique_ptr<TDataModule3> module_;
};

bool Ascending(const std::vector<int>& ids) { return std::is_sorted(ids.begin(), ids.end()); }

}  // namespace

TEST_F(SampleCopy, QuestionQueriesOfExamSequenceAndResume) {
    const auto all = Ids(statements::kAllQuestions);
    ASSERT_EQ(all.size(), size_t(kBankSize));
    EXPECT_EQ(all.front(), 1);
    EXPECT_EQ(all.back(), kBankSize);
    const auto resumed = Ids(statements::QuestionsFrom("500"));
    ASSERT_EQ(resumed.size(), size_t(kBankSize - 499));
    EXPECT_EQ(resumed.front(), 500);
    // A resume point past the end gives an empty set, not an error.
    EXPECT_TRUE(Ids(statements::QuestionsFrom("1219")).empty());
}

TEST_F(SampleCopy, TwelveSetsOfExactlyOneHundred) {
    for (int set = 1; set <= kSetCount; ++set) {
        const auto ids = Ids(statements::SetPaper(set));
        EXPECT_EQ(ids.size(), size_t(kSetSize)) << "set " << set;
        EXPECT_TRUE(Ascending(ids));
        for (int id : ids) EXPECT_LE(id, kSetCount * kSetSize);
    }
}

TEST_F(SampleCopy, ChapterStatementsAndTreeStatements) {
    // The window reads the four tree queries' rows in one statement and tells the chapter by
    // the book number's first digit: the same rows, in the same order, for every chapter.
    std::map<int, std::vector<std::string>> together;
    for (auto all = Query(statements::kChapterTrees); !all->Eof(); all->Next())
        together[all->FieldByName("tihao")->AsString()[0] - '0'].push_back(all->FieldByName("lei2")->AsString());
    ASSERT_EQ(together.size(), std::size(kChapters));
    for (const ChapterInfo& c : kChapters) {
        std::vector<std::string> alone;
        for (auto tree = Query(statements::ChapterTree(c.number)); !tree->Eof(); tree->Next())
            alone.push_back(tree->FieldByName("lei2")->AsString());
        EXPECT_EQ(together[c.number], alone) << "chapter " << c.number;
    }

    for (const ChapterInfo& c : kChapters) {
        const auto chapter = Ids(statements::Chapter(c.number));
        ASSERT_EQ(chapter.size(), size_t(c.lastId - c.firstId + 1)) << "chapter " << c.number;
        EXPECT_EQ(chapter.front(), c.firstId);
        EXPECT_EQ(chapter.back(), c.lastId);
        // The tree statement has two blanks before "where" and needs the point after the digit.
        auto tree = Query(statements::ChapterTree(c.number));
        EXPECT_EQ(tree->RecordCount(), int(chapter.size()));
        EXPECT_EQ(tree->FieldCount(), 2);
        EXPECT_FALSE(TrimSpaces(tree->FieldByName("lei2")->AsString()).empty());

        const auto byTitle = Ids(statements::TreeChapter(c.title));
        EXPECT_EQ(byTitle, chapter);
    }
}

TEST_F(SampleCopy, SectionAndKindStatementsSplitAChapter) {
    const std::string p = kChapters[0].title;
    auto tree = Query(statements::ChapterTree(1));
    std::map<std::string, int> sectionSizes;
    for (; !tree->Eof(); tree->Next()) ++sectionSizes[TrimSpaces(tree->FieldByName("lei2")->AsString())];
    ASSERT_GE(sectionSizes.size(), 2u);
    for (const auto& [section, size] : sectionSizes) {
        const std::string sectionSql = statements::TreeSection(p, section);
        EXPECT_EQ(int(Ids(sectionSql).size()), size) << section;
        size_t kinds = 0;
        for (const char* k : {kSingleChoice, kTrueFalse}) {
            const std::string kindSql = statements::TreeKind(p, section, k);
            kinds += Ids(kindSql).size();
        }
        EXPECT_EQ(int(kinds), size) << section;
    }
}

TEST_F(SampleCopy, IntensiveMarksAreSetReadAndCleared) {
    EXPECT_TRUE(Ids(statements::kIntensiveList).empty());
    for (int id : {700, 12}) {
        auto chapter = Query(statements::kFirstChapter);
        ASSERT_TRUE(chapter->Locate("id", id));
        chapter->Edit();
        chapter->FieldByName("bz")->SetAsString("t");
        chapter->Post();
    }
    EXPECT_EQ(Ids(statements::kIntensiveList), (std::vector<int>{12, 700}));
    EXPECT_EQ(Ids(statements::kIntensiveListUnordered).size(), 2u);

    auto list = Query(statements::kIntensiveList);
    list->Edit();
    list->FieldByName("bz")->SetAsString("");
    list->Post();
    EXPECT_EQ(Ids(statements::kIntensiveList), (std::vector<int>{700}));

    TADOQuery clear;
    clear.Connection = &module_->ADOConnection1;
    clear.SQL.SetText(statements::kClearIntensive);
    EXPECT_EQ(clear.ExecSQL(), 1);
    EXPECT_TRUE(Ids(statements::kIntensiveList).empty());
}

TEST_F(SampleCopy, ResumePointAndChapterBookmarksAreWrittenBack) {
    auto resume = Query(statements::kResumePoint, false);
    ASSERT_EQ(resume->RecordCount(), 1);
    EXPECT_EQ(TrimSpaces(resume->FieldByName("bz")->AsString()), "1");
    resume->Edit();
    resume->FieldByName("bz")->SetAsString("733");
    resume->Post();
    EXPECT_EQ(Query(statements::kResumePoint, false)->FieldByName("bz")->AsString(), "733");

    auto bookmarks = Query(statements::kBookmarks, false);
    ASSERT_EQ(bookmarks->RecordCount(), 4);
    ASSERT_TRUE(bookmarks->Locate("zhangjie", "3", loCaseInsensitive));
    bookmarks->Edit();
    bookmarks->FieldByName("id")->SetAsString("1100");
    bookmarks->Post();
    auto again = Query(statements::kBookmarks, false);
    std::map<std::string, std::string> rows;
    for (; !again->Eof(); again->Next()) rows[again->FieldByName("zhangjie")->AsString()] = again->FieldByName("id")->AsString();
    EXPECT_EQ(rows["3"], "1100");
    EXPECT_EQ(rows["1"], "1");
    EXPECT_EQ(rows["4"], "1150");

    EXPECT_EQ(Query(statements::kIntensiveCompanion, false)->RecordCount(), 1);
}

TEST_F(SampleCopy, RegulationTextsOpenAsAWholeTableInTreeOrder) {
    TADOTable nr;
    nr.Connection = &module_->ADOConnection2;
    nr.TableName = "nr";
    nr.Open();
    ASSERT_EQ(nr.RecordCount(), int(kLawTitles.size()));
    EXPECT_EQ(nr.FieldByName("bt")->AsString(), "道路交通安全法");
    ASSERT_TRUE(nr.Locate("bt", "机动车登记规定", loCaseInsensitive));
    EXPECT_EQ(nr.FieldByName("nr")->AsString().rfind("{\\rtf1", 0), 0u);
}

// The run-time statements are spliced exactly as the windows always built them; the chapter
// and tree statements differ in one blank and one point, and a quote in a title stays inside
// its literal.
TEST(Statements, BuiltTextsAreWordForWord) {
    EXPECT_EQ(statements::QuestionsFrom("500"), "select * from kaoti where id >=500 order by id");
    EXPECT_EQ(statements::SetPaper(12), "select * from kaoti where t=12 order by id");
    EXPECT_EQ(statements::Chapter(2), "select * from kaoti where tihao like '2%' order by id");
    EXPECT_EQ(statements::ChapterTree(3), "select lei2,id from kaoti  where tihao like '3.%' order by id");
    EXPECT_EQ(statements::TreeKind("p", "c'd", "k"),
              "select * from kaoti where lei1='p' and lei2='c''d' and lei3='k' order by id");
}
