// What each call leaves behind when the engine refuses it.
#include <gtest/gtest.h>

#include "data/ado_query.h"
#include "data/paths.h"
#include "fixture_bank.h"

namespace {

class FailureTest : public BankTest {
protected:
    std::string Marks() { return ReadRaw("jjj", "SELECT group_concat(id || bz, ',') FROM kaoti"); }

    // Another connection that holds the file's lock for good, as a program that opened it
    // exclusively and wrote to it would.
    SqliteDb LockExclusively(const char* file) {
        SqliteDb holder = OpenExistingDatabase(file, 50);
        ExecuteStatement(holder.Get(), "PRAGMA locking_mode=EXCLUSIVE");
        ExecuteStatement(holder.Get(), std::string(file) == "jjj" ? "UPDATE kaoti SET bz = bz WHERE id = 1"
                                                                  : "UPDATE bzq SET bz = bz");
        return holder;
    }
};

}  // namespace

TEST_F(FailureTest, RejectedStatementNamesItselfAndLeavesTheQueryClosed) {
    TADOQuery query;
    OpenQuery(query, jjj_, "select * from kaoti where id>=1 order by id");
    query.SQL.Clear();
    query.SQL.Add("select * from kaoti where nosuchcolumn=1");
    try {
        query.Open();
        ADD_FAILURE() << "a bad statement opened";
    } catch (const EDatabaseError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("select * from kaoti where nosuchcolumn=1"), std::string::npos) << message;
        EXPECT_NE(message.find("无法执行语句“select * from kaoti where nosuchcolumn=1”：数据库引擎报告“no such column"),
                  std::string::npos)
            << message;
    }
    EXPECT_FALSE(query.Active());
    EXPECT_THROW(query.FieldByName("id"), EDatabaseError);
    // Fixing the text opens it again.
    query.SQL.SetText("select * from kaoti where id>=1 order by id");
    query.Open();
    EXPECT_EQ(query.RecordCount(), int(questions_.size()));
}

TEST_F(FailureTest, OpenAndExecSqlRefuseTheWrongKindWithoutRunningIt) {
    const std::string before = Marks();
    TADOQuery query;
    query.Connection = &jjj_;
    query.SQL.Add("update kaoti set bz='t'");
    EXPECT_THROW(query.Open(), EDatabaseError);
    EXPECT_FALSE(query.Active());
    query.SQL.SetText("select * from kaoti");
    EXPECT_THROW(query.ExecSQL(), EDatabaseError);
    // A second statement behind the first is refused, and the first does not run either.
    query.SQL.SetText("update kaoti set bz='t' where id=1; update kaoti set bz='t'");
    EXPECT_THROW(query.ExecSQL(), EDatabaseError);
    query.SQL.SetText("update kaoti set nosuchcolumn='t'");
    EXPECT_THROW(query.ExecSQL(), EDatabaseError);
    query.SQL.SetText("   ");
    EXPECT_THROW(query.ExecSQL(), EDatabaseError);
    query.SQL.SetText(std::string("update kaoti set bz='t' where lei2='x") + '\0' + "' or 1=1");
    EXPECT_THROW(query.ExecSQL(), EDatabaseError);
    EXPECT_EQ(Marks(), before);
    // A closed connection is an error, not a crash.
    TADOQuery orphan;
    orphan.SQL.Add("select * from bz1");
    EXPECT_THROW(orphan.Open(), EDatabaseError);
    EXPECT_THROW(orphan.ExecSQL(), EDatabaseError);
}

TEST_F(FailureTest, PostAgainstAnExclusiveLockKeepsTheEdit) {
    TADOQuery query;
    OpenQuery(query, jjj_, "select * from kaoti where id>=1 order by id");
    ASSERT_TRUE(query.Locate("id", 3));
    const std::string old = query.FieldByName("bz")->AsString();
    ASSERT_NE(old, "t");
    const std::string before = Marks();
    {
        SqliteDb holder = LockExclusively("jjj");
        query.Edit();
        query.FieldByName("bz")->SetAsString("t");
        try {
            query.Post();
            ADD_FAILURE() << "posted through an exclusive lock";
        } catch (const EDatabaseError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("文件被其他程序锁定"), std::string::npos) << message;
            EXPECT_NE(message.find("jjj"), std::string::npos) << message;
        }
        EXPECT_EQ(query.State(), TDataSetState::dsEdit);
        EXPECT_EQ(query.FieldByName("bz")->AsString(), "t");  // still pending
        // A move would post: it fails the same way and the dataset stays on its row.
        EXPECT_THROW(query.Next(), EDatabaseError);
        EXPECT_EQ(query.FieldByName("id")->AsInteger(), 3);
        // ExecSQL is refused by the lock as well.
        TADOQuery clear;
        clear.Connection = &jjj_;
        clear.SQL.Add("update kaoti set bz='' where bz='t'");
        EXPECT_THROW(clear.ExecSQL(), EDatabaseError);
    }
    EXPECT_EQ(Marks(), before);
    query.Cancel();
    EXPECT_EQ(query.FieldByName("bz")->AsString(), old);  // the snapshot is unchanged

    // Once the other program lets go, the same edit goes through.
    query.Edit();
    query.FieldByName("bz")->SetAsString("t");
    query.Post();
    EXPECT_EQ(ReadRaw("jjj", "SELECT bz FROM kaoti WHERE id=3"), "t");
}

TEST_F(FailureTest, PostRefusedByTheEngineWritesNothing) {
    // The file refuses every change of this table, as a read-only copy would.
    RunRaw("bz", "CREATE TRIGGER refuse BEFORE UPDATE ON bz1 BEGIN SELECT RAISE(ABORT, 'read-only copy'); END");
    TADOQuery resume;
    OpenQuery(resume, bz_, "select * from bz1");
    resume.Edit();
    resume.FieldByName("bz")->SetAsString("12");
    try {
        resume.Post();
        ADD_FAILURE() << "the refused post succeeded";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("read-only copy"), std::string::npos) << error.what();
    }
    EXPECT_EQ(resume.State(), TDataSetState::dsEdit);
    EXPECT_EQ(ReadRaw("bz", "SELECT bz FROM bz1"), kFixtureResumePoint);
    resume.Cancel();
    EXPECT_EQ(resume.FieldByName("bz")->AsString(), kFixtureResumePoint);

    // No transaction is left open behind the failure: another write goes through.
    TADOQuery marks;
    OpenQuery(marks, bz_, "select * from zhangjie");
    marks.Edit();
    marks.FieldByName("id")->SetAsString("5");
    marks.Post();
    EXPECT_EQ(ReadRaw("bz", "SELECT id FROM zhangjie WHERE zhangjie='1'"), "5");
}

TEST_F(FailureTest, PostOfARowDeletedElsewhereFails) {
    TADOQuery query;
    OpenQuery(query, bz_, "select * from zhangjie");
    ASSERT_TRUE(query.Locate("zhangjie", "2"));
    RunRaw("bz", "DELETE FROM zhangjie WHERE zhangjie='2'");
    query.Edit();
    query.FieldByName("id")->SetAsString("20");
    try {
        query.Post();
        ADD_FAILURE() << "posted a row that is gone";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("这一行已不存在"), std::string::npos) << error.what();
    }
    EXPECT_EQ(ReadRaw("bz", "SELECT count(*) FROM zhangjie"), "3");
    EXPECT_EQ(query.State(), TDataSetState::dsEdit);
}

TEST_F(FailureTest, OpenAgainstAnExclusiveLockFailsClosed) {
    TADOQuery query;
    query.Connection = &bz_;
    query.SQL.Add("select * from zhangjie");
    {
        SqliteDb holder = LockExclusively("bz");
        EXPECT_THROW(query.Open(), EDatabaseError);
        EXPECT_FALSE(query.Active());
    }
    query.Open();
    EXPECT_EQ(query.RecordCount(), int(FixtureBookmarks().size()));
}

namespace {

// The engine's file system, except that the journal beside a database cannot be created, as
// in a folder the learner may not write to. It is the default while it lives.
class NoJournalVfs {
public:
    NoJournalVfs() : real_(sqlite3_vfs_find(nullptr)), vfs_(*real_) {
        vfs_.zName = "no-journal";
        vfs_.pAppData = this;
        vfs_.xOpen = [](sqlite3_vfs* self, const char* name, sqlite3_file* file, int flags, int* outFlags) {
            sqlite3_vfs* real = static_cast<NoJournalVfs*>(self->pAppData)->real_;
            if (flags & SQLITE_OPEN_MAIN_JOURNAL) return SQLITE_CANTOPEN;
            return real->xOpen(real, name, file, flags, outFlags);
        };
        sqlite3_vfs_register(&vfs_, 1);
    }
    ~NoJournalVfs() {
        sqlite3_vfs_unregister(&vfs_);
        sqlite3_vfs_register(real_, 1);
    }
    NoJournalVfs(const NoJournalVfs&) = delete;
    NoJournalVfs& operator=(const NoJournalVfs&) = delete;

private:
    sqlite3_vfs* real_;
    sqlite3_vfs vfs_;
};

}  // namespace

TEST_F(FailureTest, AJournalThatCannotBeCreatedNamesItsFolder) {
    const std::string folder = PathToUtf8(std::filesystem::current_path().filename());
    const std::string before = Marks();
    TADOQuery clear;
    clear.Connection = &jjj_;
    clear.SQL.Add("update kaoti set bz='' where bz='t'");
    {
        NoJournalVfs noJournal;
        jjj_.Close();
        jjj_.Open();
        TADOQuery query;
        OpenQuery(query, jjj_, "select * from kaoti where id>=1 order by id");
        query.Edit();
        query.FieldByName("bz")->SetAsString("t");
        try {
            query.Post();
            ADD_FAILURE() << "posted without a journal";
        } catch (const EDatabaseError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("日志文件“jjj-journal”"), std::string::npos) << message;
            EXPECT_NE(message.find(folder + "”中"), std::string::npos) << message;
            EXPECT_NE(message.find("请确认该文件夹允许写入"), std::string::npos) << message;
        }
        query.Cancel();
        try {
            clear.ExecSQL();
            ADD_FAILURE() << "cleared without a journal";
        } catch (const EDatabaseError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("update kaoti set bz='' where bz='t'"), std::string::npos) << message;
            EXPECT_NE(message.find("日志文件“jjj-journal”"), std::string::npos) << message;
        }
        jjj_.Close();
    }
    EXPECT_EQ(Marks(), before);
    jjj_.Open();
    clear.ExecSQL();  // with the journal the same statement runs
}
