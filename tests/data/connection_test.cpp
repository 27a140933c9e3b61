#include <gtest/gtest.h>

#include <filesystem>
#include <cstring>
#include <fstream>

#include "data/data_module.h"
#include "data/password.h"
#include "data/paths.h"
#include "data/schema.h"
#include "fixture_bank.h"

namespace {

// The message of the EDatabaseError that opening raises; fails the test when none is raised.
std::string OpenFailure(const char* dataSource, const char* password, int busyTimeout = 50) {
    TADOConnection connection;
    connection.DataSource = dataSource;
    connection.Password = password;
    connection.BusyTimeout = busyTimeout;
    try {
        connection.Open();
    } catch (const EDatabaseError& error) {
        EXPECT_FALSE(connection.Connected());
        return error.what();
    }
    ADD_FAILURE() << "opening " << dataSource << " succeeded";
    return {};
}

void WriteFile(const char* name, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(std::u8string(name, name + std::strlen(name))), std::ios::binary);
    out << bytes;
}

class ConnectionTest : public ::testing::Test {
protected:
    ConnectionTest() { WriteFixtureBank(); }
    TempWorkingDirectory directory_;
};

}  // namespace

TEST_F(ConnectionTest, OpensRelativeToTheWorkingDirectoryWithEitherSeparator) {
    for (const char* source : {".\\jjj", "./jjj", "jjj"}) {
        TADOConnection connection;
        connection.DataSource = source;
        connection.Password = kBankPassword;
        connection.Open();
        EXPECT_TRUE(connection.Connected());
        EXPECT_EQ(std::filesystem::path(std::u8string(connection.FileName().begin(), connection.FileName().end())),
                  std::filesystem::current_path() / "jjj");
        connection.Close();
        EXPECT_FALSE(connection.Connected());
    }
    const std::string absolute = PathToUtf8(std::filesystem::current_path() / "bz");
    TADOConnection state;
    state.DataSource = absolute;
    state.Open();
    EXPECT_TRUE(state.Connected());
}

TEST_F(ConnectionTest, MissingFileIsNamedAndNeverCreated) {
    for (const char* mode : {"Share Deny None", "Read"}) {
        TADOConnection connection;
        connection.DataSource = ".\\nosuchfile";
        connection.Mode = mode;
        try {
            connection.Open();
            ADD_FAILURE() << "opened a missing file";
        } catch (const EDatabaseError& error) {
            // In the learner's language, with the file's full name.
            EXPECT_EQ(std::string(error.what()), "无法打开数据库文件“" +
                                                     PathToUtf8(std::filesystem::current_path() / "nosuchfile") +
                                                     "”：文件不存在");
        }
        EXPECT_FALSE(std::filesystem::exists("nosuchfile"));
    }
    EXPECT_FALSE(std::filesystem::exists("nosuchfile-journal"));
    EXPECT_THROW(OpenExistingDatabase("file:nosuchfile?mode=rwc"), EDatabaseError);
    EXPECT_FALSE(std::filesystem::exists("nosuchfile"));
}

TEST_F(ConnectionTest, ForeignFilesFailAtOpenWithTheirReason) {
    WriteFile("notes", "This is a text file, not a question bank.\n" + std::string(600, 'x'));
    WriteFile("empty", "");
    std::filesystem::create_directory("folder");

    std::string message = OpenFailure("notes", "");
    EXPECT_NE(message.find("notes"), std::string::npos) << message;
    EXPECT_NE(message.find("文件不是数据库"), std::string::npos) << message;
    message = OpenFailure("empty", "");
    EXPECT_NE(message.find("empty”：文件是空的"), std::string::npos) << message;
    EXPECT_EQ(std::filesystem::file_size("empty"), 0u);
    message = OpenFailure("folder", "");
    EXPECT_NE(message.find("folder”：这是一个文件夹"), std::string::npos) << message;
}

TEST_F(ConnectionTest, PasswordIsCheckedAgainstTheRecord) {
    const std::string message = OpenFailure(".\\jjj", "842068");
    EXPECT_NE(message.find("jjj"), std::string::npos) << message;
    EXPECT_NE(message.find("密码错误"), std::string::npos) << message;
    EXPECT_NE(OpenFailure(".\\jjj", "").find("密码错误"), std::string::npos);
    // bz has no record: only the empty password fits.
    EXPECT_NE(OpenFailure(".\\bz", "842067").find("密码错误"), std::string::npos);

    // A new password replaces the old one under a fresh salt; the empty one removes the record.
    const std::string firstSalt = ReadRaw("jjj", "SELECT hex(salt) FROM muhe_lock");
    SetDatabasePassword(OpenExistingDatabase("jjj").Get(), "新密码");
    EXPECT_NE(ReadRaw("jjj", "SELECT hex(salt) FROM muhe_lock"), firstSalt);
    EXPECT_NE(OpenFailure(".\\jjj", kBankPassword).find("密码错误"), std::string::npos);
    TADOConnection connection;
    connection.DataSource = "jjj";
    connection.Password = "新密码";
    EXPECT_NO_THROW(connection.Open());
    connection.Close();
    SetDatabasePassword(OpenExistingDatabase("jjj").Get(), "");
    connection.Password = "";
    EXPECT_NO_THROW(connection.Open());
}

TEST_F(ConnectionTest, DamagedPasswordRecordIsRefused) {
    RunRaw("jjj", "INSERT INTO muhe_lock SELECT * FROM muhe_lock");  // two records
    EXPECT_NE(OpenFailure(".\\jjj", kBankPassword).find("密码记录已损坏"), std::string::npos);
    RunRaw("jjj", "DELETE FROM muhe_lock WHERE rowid > 1");
    RunRaw("jjj", "UPDATE muhe_lock SET hash = x'0102'");
    EXPECT_NE(OpenFailure(".\\jjj", kBankPassword).find("密码记录已损坏"), std::string::npos);
    RunRaw("jjj", "UPDATE muhe_lock SET hash = zeroblob(32), rounds = 0");
    EXPECT_NE(OpenFailure(".\\jjj", kBankPassword).find("密码记录已损坏"), std::string::npos);
    RunRaw("jjj", "DROP TABLE muhe_lock");
    RunRaw("jjj", "CREATE TABLE muhe_lock (secret TEXT)");
    EXPECT_NE(OpenFailure(".\\jjj", kBankPassword).find("密码记录已损坏"), std::string::npos);
}

TEST_F(ConnectionTest, FileLockedExclusivelyElsewhereIsReported) {
    SqliteDb holder = OpenExistingDatabase("bz");
    ExecuteStatement(holder.Get(), "PRAGMA locking_mode=EXCLUSIVE");
    ExecuteStatement(holder.Get(), "UPDATE bzq SET bz = bz");  // the write takes the lock for good

    const std::string message = OpenFailure(".\\bz", "", 30);
    EXPECT_NE(message.find("bz"), std::string::npos) << message;
    EXPECT_NE(message.find("文件被其他程序锁定"), std::string::npos) << message;

    holder.Reset();
    TADOConnection connection;
    connection.DataSource = ".\\bz";
    EXPECT_NO_THROW(connection.Open());
}

TEST_F(ConnectionTest, ReadModeRefusesWrites) {
    TADOConnection connection;
    connection.DataSource = "bz";
    connection.Mode = "Read";
    connection.Open();
    TADOQuery query;
    query.Connection = &connection;
    query.SQL.Add("select * from bz1");
    query.Open();
    EXPECT_FALSE(query.CanModify());
    EXPECT_THROW(query.Edit(), EDatabaseError);
    query.SQL.SetText("update bz1 set bz='1'");
    EXPECT_THROW(query.ExecSQL(), EDatabaseError);
    EXPECT_EQ(ReadRaw("bz", "SELECT bz FROM bz1"), kFixtureResumePoint);
}

TEST_F(ConnectionTest, ClosingTheConnectionClosesItsDatasets) {
    TADOQuery query;
    {
        TADOConnection connection;
        connection.DataSource = "bz";
        connection.Open();
        query.Connection = &connection;
        query.SQL.Add("select * from zhangjie");
        query.Open();
        EXPECT_TRUE(query.Active());
        connection.Close();
        EXPECT_FALSE(query.Active());
        EXPECT_THROW(query.Open(), EDatabaseError);
        connection.Open();
        query.Open();
        EXPECT_TRUE(query.Active());
    }  // the connection goes away while the query is open
    EXPECT_FALSE(query.Active());
    EXPECT_THROW(query.Open(), EDatabaseError);
}

TEST_F(ConnectionTest, DataModuleOpensBothFilesOrFails) {
    {
        TDataModule3 module;
        EXPECT_TRUE(module.ADOConnection1.Connected());
        EXPECT_TRUE(module.ADOConnection2.Connected());
    }
    std::filesystem::remove("bz");
    try {
        TDataModule3 module;
        ADD_FAILURE() << "created without bz";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("bz"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(std::filesystem::exists("bz"));
    CreateStateFile("bz");
    SetDatabasePassword(OpenExistingDatabase("jjj").Get(), "another");
    EXPECT_THROW(TDataModule3 module, EDatabaseError);
}

TEST_F(ConnectionTest, CreatingRefusesToOverwrite) {
    const std::string before = ReadRaw("jjj", "SELECT count(*) FROM kaoti");
    EXPECT_THROW(CreateBankFile("jjj"), EDatabaseError);
    EXPECT_THROW(CreateStateFile("jjj"), EDatabaseError);
    EXPECT_EQ(ReadRaw("jjj", "SELECT count(*) FROM kaoti"), before);
}
