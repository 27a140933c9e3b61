// Every statement the windows issue, run against the fixture bank; what each should return
// is worked out from the fixture's own rows.
#include <gtest/gtest.h>

#include <functional>

#include "data/ado_query.h"
#include "data/escape.h"
#include "fixture_bank.h"

namespace {

using Keep = std::function<bool(const FixtureQuestion&)>;

class StatementTest : public BankTest {
protected:
    std::vector<int> Ids(const Keep& keep) const {
        std::vector<int> ids;
        for (const FixtureQuestion& q : questions_) {
            if (keep(q)) ids.push_back(q.id);
        }
        return ids;
    }

    // The ids of the rows from the first to the end, checked against RecordCount.
    std::vector<int> Run(const std::string& sql) {
        TADOQuery query;
        OpenQuery(query, jjj_, sql);
        std::vector<int> ids;
        for (; !query.Eof(); query.Next()) ids.push_back(query.FieldByName("id")->AsInteger());
        EXPECT_EQ(query.RecordCount(), int(ids.size())) << sql;
        return ids;
    }
};

}  // namespace

TEST_F(StatementTest, WholeBankReadsBackEveryColumn) {
    TADOQuery query;
    OpenQuery(query, jjj_, "select * from kaoti where id>=1 order by id");
    ASSERT_EQ(query.RecordCount(), int(questions_.size()));
    EXPECT_TRUE(query.CanModify());
    for (const FixtureQuestion& q : questions_) {
        ASSERT_FALSE(query.Eof());
        EXPECT_EQ(query.FieldByName("id")->AsInteger(), q.id);
        EXPECT_EQ(query.FieldByName("tihao")->AsString(), q.tihao);
        EXPECT_EQ(query.FieldByName("timu")->AsString(), q.timu);
        EXPECT_EQ(query.FieldByName("A")->AsString() + "|" + query.FieldByName("B")->AsString() + "|" +
                      query.FieldByName("C")->AsString(),
                  q.a + "|" + q.b + "|" + q.c);
        EXPECT_EQ(query.FieldByName("daan")->AsString(), q.daan);
        EXPECT_EQ(query.FieldByName("image")->AsBytes(), q.image);
        EXPECT_EQ(query.FieldByName("t")->IsNull(), !q.t);
        EXPECT_EQ(query.FieldByName("t")->AsInteger(), q.t.value_or(0));
        EXPECT_EQ(query.FieldByName("lei1")->AsString() + "|" + query.FieldByName("lei2")->AsString() + "|" +
                      query.FieldByName("lei3")->AsString(),
                  q.lei1 + "|" + q.lei2 + "|" + q.lei3);
        EXPECT_EQ(query.FieldByName("bz")->AsString(), q.bz);
        query.Next();
    }
    EXPECT_TRUE(query.Eof());
}

TEST_F(StatementTest, QuestionListsHoldTheirQuestionsInIdOrder) {
    TADOQuery resume;
    OpenQuery(resume, bz_, "select * from bz1");
    const std::string n = resume.FieldByName("bz")->AsString();
    ASSERT_EQ(n, kFixtureResumePoint);
    const std::string p = EscapeQuotes(kChapterTitles[0]);
    const std::string c = "道路交通安全法律法规";  // a section in two separate runs
    const std::string sectionSql =
        "select * from kaoti where lei1='" + p + "'" + " and lei2=" + "'" + c + "'" + " order by id";
    struct Case {
        std::string sql;
        Keep keep;
    };
    std::vector<Case> cases = {
        // The fixture's resume point lies beyond its last question: an empty practice set.
        {"select * from kaoti where id >=" + n + " order by id", [](auto& q) { return q.id >= 500; }},
        {"select * from kaoti where id >=" + std::string("12") + " order by id", [](auto& q) { return q.id >= 12; }},
        {"select * from kaoti where tihao like '1%' order by id", [](auto& q) { return q.tihao[0] == '1'; }},
        // The design-time text for chapter 2 has no point after the digit.
        {"select * from kaoti where tihao like '2%' order by id", [](auto& q) { return q.lei1 == kChapterTitles[1]; }},
        {"select * from kaoti where lei1='" + p + "'" + " order by id", [](auto& q) { return q.lei1 == kChapterTitles[0]; }},
        {sectionSql, [&](auto& q) { return q.lei1 == kChapterTitles[0] && q.lei2 == c; }},
        {"select * from kaoti where bz='t' order by id", [](auto& q) { return q.bz == "t"; }},
    };
    for (int set = 1; set <= 12; ++set) {
        cases.push_back({"select * from kaoti where t=" + std::to_string(set) + " order by id",
                         [set](auto& q) { return q.t == set; }});
    }
    for (int chapter = 1; chapter <= 4; ++chapter) {
        const std::string digit = std::to_string(chapter);
        cases.push_back({"select * from kaoti where tihao like '" + digit + "%" + "'" + " order by id",
                         [digit](auto& q) { return q.tihao.substr(0, 1) == digit; }});
    }
    for (const std::string k : {"单项选择题", "判断题"}) {
        cases.push_back({"select * from kaoti where lei1='" + p + "'" + " and lei2=" + "'" + c + "'" +
                             " and lei3=" + "'" + k + "'" + " order by id",
                         [&, k](auto& q) { return q.lei1 == kChapterTitles[0] && q.lei2 == c && q.lei3 == k; }});
    }
    for (const Case& test : cases) EXPECT_EQ(Run(test.sql), Ids(test.keep)) << test.sql;

    const std::vector<int> section = Run(sectionSql);
    EXPECT_TRUE(std::adjacent_find(section.begin(), section.end(), [](int a, int b) { return b != a + 1; }) !=
                section.end());
    EXPECT_LT(Ids([](auto& q) { return q.t.has_value(); }).size(), questions_.size());
}

TEST_F(StatementTest, TreeStatementsListSectionsInOrder) {
    for (int n = 1; n <= 4; ++n) {
        TADOQuery tree;
        OpenQuery(tree, jjj_, "select lei2,id from kaoti  where tihao like '" + std::to_string(n) + ".%' order by id");
        ASSERT_EQ(tree.FieldCount(), 2);
        std::string listed, expected;
        for (; !tree.Eof(); tree.Next()) listed += tree.Fields(0)->AsString() + tree.Fields(1)->AsString() + ";";
        for (const FixtureQuestion& q : questions_) {
            if (q.lei1 == kChapterTitles[n - 1]) expected += q.lei2 + std::to_string(q.id) + ";";
        }
        EXPECT_EQ(listed, expected);
    }
}

TEST_F(StatementTest, IntensiveStatementsReadAndClearTheMarks) {
    const std::vector<int> marked = Ids([](const FixtureQuestion& q) { return q.bz == "t"; });
    ASSERT_FALSE(marked.empty());
    TADOQuery unordered;
    OpenQuery(unordered, jjj_, "select * from kaoti where bz='t'");
    EXPECT_EQ(unordered.RecordCount(), int(marked.size()));

    TADOQuery clear;
    clear.Connection = &jjj_;
    clear.SQL.Add("update kaoti set bz='' where bz='t'");
    EXPECT_EQ(clear.ExecSQL(), int(marked.size()));
    EXPECT_TRUE(Run("select * from kaoti where bz='t' order by id").empty());
    EXPECT_EQ(ReadRaw("jjj", "SELECT count(*) FROM kaoti WHERE bz=''"), std::to_string(questions_.size()));
    // The query opened before the update keeps its own rows.
    EXPECT_EQ(unordered.RecordCount(), int(marked.size()));
    EXPECT_EQ(unordered.FieldByName("bz")->AsString(), "t");
}

TEST_F(StatementTest, StateFileStatementsAndTheLawTable) {
    TADOQuery bookmarks;
    OpenQuery(bookmarks, bz_, "select * from zhangjie");
    std::string listed, expected;
    for (; !bookmarks.Eof(); bookmarks.Next()) {
        listed += bookmarks.FieldByName("zhangjie")->AsString() + "=" + bookmarks.FieldByName("id")->AsString() + ";";
    }
    for (const auto& [chapter, id] : FixtureBookmarks()) expected += chapter + "=" + id + ";";
    EXPECT_EQ(listed, expected);
    TADOQuery intensive;
    OpenQuery(intensive, bz_, "select * from bzq");
    EXPECT_EQ(intensive.RecordCount(), 1);

    TADOTable laws;
    laws.Connection = &bz_;
    laws.TableName = "nr";
    laws.Open();
    EXPECT_TRUE(laws.CanModify());
    ASSERT_EQ(laws.RecordCount(), int(FixtureLaws().size()));
    for (const FixtureLaw& law : FixtureLaws()) {
        ASSERT_TRUE(laws.Locate("bt", law.bt, loCaseInsensitive));
        EXPECT_EQ(laws.FieldByName("nr")->AsString(), law.nr);
    }
}

TEST_F(StatementTest, SplicedQuotesStayInsideTheLiteral) {
    RunRaw("jjj", "UPDATE kaoti SET lei2 = 'it''s' WHERE id = 5");
    EXPECT_EQ(Run("select * from kaoti where lei1='" + EscapeQuotes(kChapterTitles[0]) + "'" + " and lei2=" + "'" +
                  EscapeQuotes("it's") + "'" + " order by id"),
              std::vector<int>{5});

    const std::string before = ReadRaw("jjj", "SELECT group_concat(id || bz, ',') FROM kaoti");
    for (const char* attack : {"x' or '1'='1", "x'; update kaoti set bz='t'; --", "' or 1=1 --"}) {
        EXPECT_TRUE(Run("select * from kaoti where lei2='" + EscapeQuotes(attack) + "'" + " order by id").empty())
            << attack;
        TADOQuery write;
        write.Connection = &jjj_;
        write.SQL.Add("update kaoti set bz='t' where lei2='" + EscapeQuotes(attack) + "'");
        EXPECT_EQ(write.ExecSQL(), 0) << attack;
    }
    EXPECT_EQ(ReadRaw("jjj", "SELECT group_concat(id || bz, ',') FROM kaoti"), before);
}
