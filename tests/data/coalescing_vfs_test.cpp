// The layer that joins consecutive writes: whatever it holds must be in the file before the
// engine reads, syncs or rolls back, or a spilled page would be read back stale and a
// transaction's pages would miss the disk.
#include <gtest/gtest.h>

#include <string>

#include "data/ado_query.h"
#include "data/coalescing_vfs.h"
#include "data/sqlite_handle.h"
#include "fixture_bank.h"

namespace {

SqliteDb Open(const char* vfs) {
    sqlite3* raw = nullptr;
    EXPECT_EQ(sqlite3_open_v2("t.db", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, vfs), SQLITE_OK);
    return SqliteDb(raw);
}

int64_t Number(sqlite3* db, const char* sql) {
    SqliteStatement s = PrepareStatement(db, sql);
    s.Step();
    return sqlite3_column_int64(s.Get(), 0);
}

// Rows of `t` equal to the reference copy `orig`, pictures included.
int64_t Unchanged(sqlite3* db) {
    return Number(db, "SELECT count(*) FROM t JOIN orig USING (id) WHERE t.mark = orig.mark AND t.pic = orig.pic");
}

class CoalescingVfsTest : public ::testing::Test {
protected:
    CoalescingVfsTest() {
        SqliteDb db = Open(nullptr);
        ExecuteStatement(db.Get(), "CREATE TABLE t (id INTEGER PRIMARY KEY, mark TEXT, pic BLOB)");
        ExecuteStatement(db.Get(), "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60) "
                                   "INSERT INTO t SELECT i, 't', randomblob(20000 + i) FROM n");
        ExecuteStatement(db.Get(), "CREATE TABLE orig AS SELECT * FROM t");
    }
    TempWorkingDirectory directory_;
};

TEST_F(CoalescingVfsTest, SpilledPagesReadBackAndRollBackWholeAndACommitReachesTheFile) {
    ASSERT_NE(CoalescingVfsName(), nullptr);
    SqliteDb db = Open(CoalescingVfsName());
    // A cache of ten pages spills the rewritten rows to the file in the middle of the
    // transaction, and the engine reads some of them back.
    ExecuteStatement(db.Get(), "PRAGMA cache_size=10");
    ExecuteStatement(db.Get(), "BEGIN");
    ExecuteStatement(db.Get(), "UPDATE t SET mark = '' WHERE mark = 't'");
    EXPECT_EQ(Number(db.Get(), "SELECT count(*) FROM t WHERE mark = ''"), 60);
    EXPECT_EQ(Number(db.Get(), "SELECT count(*) FROM t JOIN orig USING (id) WHERE t.pic = orig.pic"), 60);
    ExecuteStatement(db.Get(), "ROLLBACK");
    EXPECT_EQ(Unchanged(db.Get()), 60);

    ExecuteStatement(db.Get(), "UPDATE t SET mark = '' WHERE mark = 't'");
    // Another connection, through the default layer, sees the committed rows whole.
    SqliteDb plain = Open(nullptr);
    EXPECT_EQ(Number(plain.Get(), "SELECT count(*) FROM t WHERE mark = ''"), 60);
    EXPECT_EQ(Number(plain.Get(), "SELECT count(*) FROM t JOIN orig USING (id) WHERE t.pic = orig.pic"), 60);
    SqliteStatement check = PrepareStatement(plain.Get(), "PRAGMA integrity_check");
    ASSERT_TRUE(check.Step());
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check.Get(), 0)), "ok");
}

TEST_F(CoalescingVfsTest, RowsLargerThanAnyWriteOfTheEngineArriveWhole) {
    // Half a megabyte a row, in a cache that holds the transaction: at commit the pages follow
    // one another for megabytes, more than a file layer takes in one write.
    SqliteDb db = Open(CoalescingVfsName());
    ExecuteStatement(db.Get(), "PRAGMA cache_size=-16384");
    ExecuteStatement(db.Get(), "UPDATE t SET pic = zeroblob(500000) || pic WHERE id <= 8");
    SqliteDb plain = Open(nullptr);
    EXPECT_EQ(Number(plain.Get(), "SELECT count(*) FROM t JOIN orig USING (id) WHERE t.pic = zeroblob(500000) || orig.pic"),
              8);
    EXPECT_EQ(Number(plain.Get(), "SELECT count(*) FROM t JOIN orig USING (id) WHERE t.pic = orig.pic"), 52);
}

TEST(CoalescingVfsConnectionTest, TheProgramsConnectionsWriteThroughTheLayer) {
    TempWorkingDirectory directory;
    WriteFixtureBank();
    TADOConnection connection;
    connection.DataSource = ".\\jjj";
    connection.Password = kBankPassword;
    connection.Open();
    sqlite3_vfs* vfs = nullptr;
    ASSERT_EQ(sqlite3_file_control(connection.Handle(), "main", SQLITE_FCNTL_VFS_POINTER, &vfs), SQLITE_OK);
    ASSERT_NE(vfs, nullptr);
    EXPECT_STREQ(vfs->zName, CoalescingVfsName());

    TADOQuery clear;
    clear.Connection = &connection;
    clear.SQL.SetText("update kaoti set bz='' where bz='t'");
    clear.ExecSQL();
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2("jjj", &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    SqliteDb plain(raw);
    EXPECT_EQ(Number(plain.Get(), "SELECT count(*) FROM kaoti WHERE bz = 't'"), 0);
    EXPECT_GT(Number(plain.Get(), "SELECT count(*) FROM kaoti"), 0);
}

}  // namespace
