// Moving, locating, reading and writing through a dataset's static cursor.
#include <gtest/gtest.h>

#include <memory>

#include "data/ado_query.h"
#include "fixture_bank.h"

namespace {

class DatasetTest : public BankTest {
protected:
    void SetUp() override {
        BankTest::SetUp();
        OpenQuery(query_, jjj_, "select * from kaoti where id>=1 order by id");
    }
    int Id() { return query_.FieldByName("id")->AsInteger(); }
    TADOQuery query_;
};

}  // namespace

TEST_F(DatasetTest, MovesStayPutAtBothEnds) {
    EXPECT_TRUE(query_.Bof());
    EXPECT_FALSE(query_.Eof());
    query_.Prior();
    EXPECT_EQ(Id(), 1);
    EXPECT_TRUE(query_.Bof());
    query_.Next();
    EXPECT_EQ(Id(), 2);
    EXPECT_FALSE(query_.Bof());
    query_.Last();
    EXPECT_TRUE(query_.Eof());
    const int last = Id();
    EXPECT_EQ(last, int(questions_.size()));
    query_.Next();
    EXPECT_EQ(Id(), last);
    EXPECT_TRUE(query_.Eof());
    query_.Prior();
    EXPECT_EQ(Id(), last - 1);
    EXPECT_FALSE(query_.Eof());
    EXPECT_EQ(query_.RecNo(), last - 1);
    query_.First();
    EXPECT_EQ(Id(), 1);
}

TEST_F(DatasetTest, EmptyResultReadsAsNull) {
    TADOQuery empty;
    OpenQuery(empty, jjj_, "select * from kaoti where id >=9999 order by id");
    EXPECT_EQ(empty.RecordCount(), 0);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_TRUE(empty.Eof());
    EXPECT_TRUE(empty.Bof());
    empty.Next();
    empty.Prior();
    empty.Last();
    EXPECT_TRUE(empty.Eof());
    EXPECT_EQ(empty.FieldByName("timu")->AsString(), "");
    EXPECT_EQ(empty.FieldByName("id")->AsInteger(), 0);
    EXPECT_TRUE(empty.FieldByName("image")->AsBytes().empty());
    EXPECT_FALSE(empty.Locate("id", 1));
    EXPECT_THROW(empty.Edit(), EDatabaseError);
}

TEST_F(DatasetTest, LocateFindsTheFirstMatchOrStays) {
    ASSERT_TRUE(query_.Locate("id", 17));
    EXPECT_EQ(query_.FieldByName("tihao")->AsString(), questions_[16].tihao);
    // Texts that read as the number find an integer column, as the jump dialog needs.
    ASSERT_TRUE(query_.Locate("id", "9"));
    EXPECT_EQ(Id(), 9);
    EXPECT_FALSE(query_.Locate("id", 9999));
    EXPECT_FALSE(query_.Locate("id", "09"));
    EXPECT_FALSE(query_.Locate("lei2", "没有这一节"));
    EXPECT_EQ(Id(), 9);

    // The first "B " answer, whatever the case of the letter.
    int firstB = 0;
    for (const FixtureQuestion& q : questions_) {
        if (q.daan == "B ") {
            firstB = q.id;
            break;
        }
    }
    ASSERT_NE(firstB, 0);
    EXPECT_FALSE(query_.Locate("daan", "b "));
    EXPECT_EQ(Id(), 9);
    ASSERT_TRUE(query_.Locate("DAAN", "b ", loCaseInsensitive));
    EXPECT_EQ(Id(), firstB);
    ASSERT_TRUE(query_.Locate("tihao", "3.", loPartialKey));
    EXPECT_EQ(query_.FieldByName("lei1")->AsString(), kChapterTitles[2]);
    EXPECT_THROW(query_.Locate("nosuchfield", "1"), EDatabaseError);
}

TEST_F(DatasetTest, FieldConversions) {
    EXPECT_THROW(query_.FieldByName("nosuchfield"), EDatabaseError);
    try {
        query_.FieldByName("timu")->AsInteger();
        ADD_FAILURE() << "a question text read as a number";
    } catch (const EConvertError& error) {
        EXPECT_EQ(std::string(error.what()), "'" + questions_[0].timu + "' is not a valid integer value");
    }
    TADOQuery bookmarks;
    OpenQuery(bookmarks, bz_, "select * from zhangjie");
    ASSERT_TRUE(bookmarks.Locate("zhangjie", "3"));
    EXPECT_EQ(bookmarks.FieldByName("id")->AsInteger(), 30);  // stored as text
    ASSERT_TRUE(bookmarks.Locate("zhangjie", 2));
    EXPECT_THROW(bookmarks.FieldByName("id")->AsInteger(), EConvertError);  // empty text

    TADOQuery numbers;
    OpenQuery(numbers, jjj_, "select 2147483648 as big, ' -12 ' as padded, 2.5 as half");
    EXPECT_THROW(numbers.FieldByName("big")->AsInteger(), EConvertError);
    EXPECT_EQ(numbers.FieldByName("big")->AsLargeInt(), 2147483648LL);
    EXPECT_EQ(numbers.FieldByName("padded")->AsInteger(), -12);
    EXPECT_THROW(numbers.FieldByName("half")->AsInteger(), EConvertError);
}

TEST_F(DatasetTest, MarkAndUnmarkAQuestion) {
    ASSERT_TRUE(query_.Locate("id", 4));
    ASSERT_EQ(query_.FieldByName("bz")->AsString(), "");
    TADOQuery other;
    OpenQuery(other, jjj_, "select * from kaoti where id>=1 order by id");
    ASSERT_TRUE(other.Locate("id", 4));

    query_.Edit();
    EXPECT_EQ(query_.State(), TDataSetState::dsEdit);
    query_.FieldByName("bz")->SetAsString("t");
    EXPECT_EQ(query_.FieldByName("bz")->AsString(), "t");  // the pending value reads back
    query_.Post();
    EXPECT_EQ(query_.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(query_.FieldByName("bz")->AsString(), "t");
    EXPECT_EQ(ReadRaw("jjj", "SELECT bz FROM kaoti WHERE id=4"), "t");
    EXPECT_EQ(other.FieldByName("bz")->AsString(), "");  // its own snapshot

    query_.Edit();
    query_.FieldByName("bz")->SetAsString("");
    query_.Post();
    EXPECT_EQ(ReadRaw("jjj", "SELECT bz FROM kaoti WHERE id=4"), "");
    // Only the row written changed.
    EXPECT_EQ(ReadRaw("jjj", "SELECT count(*) FROM kaoti WHERE bz='t'"),
              std::to_string(std::count_if(questions_.begin(), questions_.end(),
                                           [](const FixtureQuestion& q) { return q.bz == "t"; })));
}

TEST_F(DatasetTest, WritesToTablesWithoutAKeyHitExactlyTheCurrentRow) {
    TADOQuery resume;
    OpenQuery(resume, bz_, "select * from bz1");
    resume.Edit();
    resume.FieldByName("bz")->SetAsString("17");
    resume.Post();
    EXPECT_EQ(ReadRaw("bz", "SELECT bz FROM bz1"), "17");

    // Two chapters share the same bookmark text; only the located one changes.
    TADOQuery bookmarks;
    OpenQuery(bookmarks, bz_, "select * from zhangjie");
    ASSERT_TRUE(bookmarks.Locate("zhangjie", "4", loCaseInsensitive));
    bookmarks.Edit();
    bookmarks.FieldByName("id")->SetAsString("38");
    bookmarks.Post();
    EXPECT_EQ(bookmarks.FieldByName("id")->AsString(), "38");
    EXPECT_EQ(ReadRaw("bz", "SELECT group_concat(zhangjie || '=' || id, ',') FROM zhangjie"), "1=3,2=,3=30,4=38");

    // Rows that are identical in every column are still told apart.
    RunRaw("bz", "INSERT INTO bzq (bz) VALUES ('1')");
    TADOQuery twins;
    OpenQuery(twins, bz_, "select bz from bzq");
    twins.Last();
    twins.Edit();
    twins.FieldByName("bz")->SetAsString("2");
    twins.Post();
    EXPECT_EQ(ReadRaw("bz", "SELECT group_concat(bz, ',') FROM bzq"), "1,2");
}

TEST_F(DatasetTest, EditStateRules) {
    EXPECT_THROW(query_.FieldByName("bz")->SetAsString("t"), EDatabaseError);  // not in edit state
    EXPECT_THROW(query_.Post(), EDatabaseError);

    query_.Edit();
    query_.FieldByName("bz")->SetAsString("t");
    query_.Cancel();
    EXPECT_EQ(query_.FieldByName("bz")->AsString(), questions_[0].bz);

    // Leaving the row posts its change, like the designer's datasets do.
    query_.Edit();
    query_.FieldByName("bz")->SetAsString("t");
    query_.Next();
    EXPECT_EQ(query_.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(ReadRaw("jjj", "SELECT bz FROM kaoti WHERE id=1"), "t");

    // Closing drops it.
    query_.Edit();
    query_.FieldByName("bz")->SetAsString("t");
    query_.Close();
    EXPECT_EQ(ReadRaw("jjj", "SELECT bz FROM kaoti WHERE id=2"), questions_[1].bz);

    // The column's type applies to what is written, and the snapshot shows what was stored.
    query_.Open();
    query_.Edit();
    query_.FieldByName("t")->SetAsString("07");
    query_.Post();
    EXPECT_EQ(query_.FieldByName("t")->AsString(), "7");
    EXPECT_EQ(ReadRaw("jjj", "SELECT typeof(t) FROM kaoti WHERE id=1"), "integer");
}

TEST_F(DatasetTest, OtherStatementFormsOpenReadOnly) {
    for (const char* sql : {"select count(*) from kaoti", "select k.id, k.bz from kaoti k order by k.id",
                            "select lei1, count(*) from kaoti group by lei1"}) {
        TADOQuery query;
        OpenQuery(query, jjj_, sql);
        EXPECT_FALSE(query.CanModify()) << sql;
        EXPECT_GT(query.RecordCount(), 0) << sql;
        EXPECT_THROW(query.Edit(), EDatabaseError) << sql;
    }
    TADOQuery distinct;
    OpenQuery(distinct, jjj_, "select distinct lei1 from kaoti");
    EXPECT_FALSE(distinct.CanModify());
    EXPECT_EQ(distinct.RecordCount(), 4);

    // The row id goes behind the select list, so a column number keeps its meaning.
    TADOQuery descending;
    OpenQuery(descending, jjj_, "SELECT id, tihao FROM kaoti ORDER BY 1 DESC");
    EXPECT_TRUE(descending.CanModify());
    EXPECT_EQ(descending.FieldCount(), 2);
    EXPECT_EQ(descending.FieldByName("id")->AsInteger(), int(questions_.size()));
}

TEST_F(DatasetTest, OpeningDoesNotReadThePicturesFromTheFile) {
    // Three pictures of about 270 KB, each on some 70 overflow pages of the file.
    std::vector<uint8_t> big = TinyBitmap(300, 300, 9);
    {
        SqliteDb db = OpenExistingDatabase("jjj");
        SqliteStatement update = PrepareStatement(db.Get(), "UPDATE kaoti SET image = ?1 WHERE id IN (2, 4, 6)");
        update.BindBlob(1, big);
        update.Step();
    }
    const auto pagesReadToOpen = [&](const char* sql) {
        jjj_.Close();
        jjj_.Open();  // a cold page cache
        // Pages mapped into memory bypass the cache's counters: count reads through it.
        ExecuteStatement(jjj_.Handle(), "PRAGMA mmap_size=0");
        TADOQuery query;
        int current = 0, highest = 0;
        sqlite3_db_status(jjj_.Handle(), SQLITE_DBSTATUS_CACHE_MISS, &current, &highest, 1);
        OpenQuery(query, jjj_, sql);
        sqlite3_db_status(jjj_.Handle(), SQLITE_DBSTATUS_CACHE_MISS, &current, &highest, 0);
        return current;
    };
    const int pictures = int(3 * big.size() / 4096);
    const int editable = pagesReadToOpen("select * from kaoti where id>=1 order by id");
    EXPECT_LT(editable, pictures / 4) << editable << " pages read";
    // Read-only datasets keep the bytes themselves, so they do read them: the check sees it.
    EXPECT_GT(pagesReadToOpen("select k.* from kaoti k order by k.id"), pictures);
}

TEST_F(DatasetTest, PicturesAreReadFromTheFileOnlyWhenAsked) {
    std::vector<uint8_t> big = TinyBitmap(300, 300, 9);  // about 270 KB
    {
        SqliteDb db = OpenExistingDatabase("jjj");
        SqliteStatement update = PrepareStatement(db.Get(), "UPDATE kaoti SET image = ?1 WHERE id = 6");
        update.BindBlob(1, big);
        update.Step();
    }
    TADOQuery query;
    OpenQuery(query, jjj_, "select * from kaoti where id>=1 order by id");
    EXPECT_LT(query.SnapshotBytes(), big.size() / 4);
    ASSERT_TRUE(query.Locate("id", 6));
    EXPECT_EQ(query.FieldByName("image")->AsBytes(), big);
    EXPECT_FALSE(query.FieldByName("image")->IsNull());
    ASSERT_TRUE(query.Locate("id", 1));  // an empty picture is empty, not NULL
    EXPECT_TRUE(query.FieldByName("image")->AsBytes().empty());
    EXPECT_FALSE(query.FieldByName("image")->IsNull());

    // A dataset that cannot read by row id keeps the bytes itself.
    TADOQuery copy;
    OpenQuery(copy, jjj_, "select k.image from kaoti k where k.id = 6");
    EXPECT_GT(copy.SnapshotBytes(), big.size());
    EXPECT_EQ(copy.FieldByName("image")->AsBytes(), big);

    // A row deleted behind the dataset's back cannot be read any more, and says so.
    RunRaw("jjj", "DELETE FROM kaoti WHERE id = 6");
    ASSERT_TRUE(query.Locate("id", 6));
    EXPECT_THROW(query.FieldByName("image")->AsBytes(), EDatabaseError);
    EXPECT_EQ(copy.FieldByName("image")->AsBytes(), big);
}

TEST_F(DatasetTest, ObserversHearOfEveryChangeOfTheCurrentRow) {
    struct Card : DataObserver {
        TCustomADODataSet* dataSet = nullptr;
        std::vector<std::string> seen;
        void DataChanged() override { seen.push_back(dataSet->CurrentText("tihao") + dataSet->CurrentText("bz")); }
        void DataSetDestroyed(DataSetView*) override { ADD_FAILURE() << "the query outlives the card"; }
    } card;
    card.dataSet = &query_;
    query_.AddObserver(&card);
    query_.Next();
    query_.Next();
    query_.Edit();
    query_.FieldByName("bz")->SetAsString("t");
    query_.Post();
    query_.Close();
    query_.RemoveObserver(&card);
    query_.Open();
    const std::vector<std::string> expected = {questions_[1].tihao + questions_[1].bz,
                                               questions_[2].tihao + questions_[2].bz, questions_[2].tihao + "t",
                                               questions_[2].tihao + "t", ""};
    EXPECT_EQ(card.seen, expected);
}

TEST_F(DatasetTest, DisabledControlsHearOnceOfTheRowTheyEndOn) {
    struct Card : DataObserver {
        TCustomADODataSet* dataSet = nullptr;
        std::vector<std::string> seen;
        void DataChanged() override { seen.push_back(dataSet->CurrentText("tihao")); }
        void DataSetDestroyed(DataSetView*) override {}
    } card;
    card.dataSet = &query_;
    query_.AddObserver(&card);

    // A walk over rows with the controls disabled (nested, as a caller's caller may also
    // disable them): nothing until the outermost enable, then the row the walk ended on.
    query_.DisableControls();
    query_.DisableControls();
    query_.Next();
    query_.Next();
    query_.EnableControls();
    EXPECT_TRUE(query_.ControlsDisabled());
    EXPECT_TRUE(card.seen.empty());
    query_.Next();
    query_.EnableControls();
    EXPECT_FALSE(query_.ControlsDisabled());
    EXPECT_EQ(card.seen, std::vector<std::string>{questions_[3].tihao});

    // Nothing changed while disabled: nothing to tell; an unmatched enable changes nothing.
    query_.DisableControls();
    query_.EnableControls();
    query_.EnableControls();
    EXPECT_EQ(card.seen.size(), 1u);
    query_.Prior();
    EXPECT_EQ(card.seen, (std::vector<std::string>{questions_[3].tihao, questions_[2].tihao}));
    query_.RemoveObserver(&card);
}

TEST_F(DatasetTest, ABoundObserverOutlivesItsDatasetOrGoesFirst) {
    // An observer in a data-aware control's manner: it unregisters when it goes, unless the
    // dataset went first and told it so. Under the sanitizers a dangling registration on
    // either side is a use after free.
    struct Bound : DataObserver {
        DataSetView* source = nullptr;
        int gone = 0;
        ~Bound() override {
            if (source) source->RemoveObserver(this);
        }
        void DataChanged() override {}
        void DataSetDestroyed(DataSetView* dataSet) override {
            EXPECT_EQ(dataSet, source);
            EXPECT_EQ(dataSet->ObserverCount(), 0u);
            ++gone;
            source = nullptr;
        }
    };
    for (bool dataSetFirst : {true, false}) {
        auto query = std::make_unique<TADOQuery>();
        OpenQuery(*query, jjj_, "select * from kaoti where id>=1 order by id");
        auto first = std::make_unique<Bound>();
        auto second = std::make_unique<Bound>();
        first->source = second->source = query.get();
        query->AddObserver(first.get());
        query->AddObserver(second.get());
        if (dataSetFirst) {
            query.reset();
            EXPECT_EQ(first->gone, 1);
            EXPECT_EQ(second->gone, 1);
            EXPECT_EQ(first->source, nullptr);
        } else {
            second.reset();
            EXPECT_EQ(query->ObserverCount(), 1u);
            query->Next();
            query.reset();
            EXPECT_EQ(first->gone, 1);
        }
    }
}

TEST_F(DatasetTest, ChangingTheStatementClosesTheQuery) {
    EXPECT_TRUE(query_.Active());
    TField* before = query_.FieldByName("id");
    EXPECT_NE(before, nullptr);
    query_.SQL.Clear();
    EXPECT_FALSE(query_.Active());
    EXPECT_THROW(query_.FieldByName("id"), EDatabaseError);
    query_.SQL.SetText("select id\r\nfrom kaoti\nwhere id = 3");
    EXPECT_EQ(query_.SQL.Count(), 3);
    query_.Open();
    EXPECT_EQ(Id(), 3);
    EXPECT_TRUE(query_.CanModify());
}
