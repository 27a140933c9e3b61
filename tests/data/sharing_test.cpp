// Two copies of the program on the same files (two learners at one school PC): a write waits
// for the other copy's write or read to finish instead of failing, and neither loses anything.
// The other copy is a second connection on a thread of its own, with the connection settings
// the program uses (its default busy timeout).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "data/ado_query.h"
#include "fixture_bank.h"

namespace {

using namespace std::chrono_literals;

class SharingTest : public BankTest {
protected:
    void SetUp() override {
        BankTest::SetUp();
        RunRaw("jjj", "UPDATE kaoti SET bz=''");
    }

    // A connection as the program's data module makes it: the default busy timeout.
    void ConnectAsTheProgram(TADOConnection& connection) {
        connection.DataSource = ".\\jjj";
        connection.Password = kBankPassword;
        connection.Open();
    }

    // The other copy: takes a lock on jjj by running `begin` and `work`, tells the test it holds
    // it, keeps it for `hold`, then commits.
    std::thread OtherCopy(const char* begin, std::string work, std::chrono::milliseconds hold) {
        return std::thread([this, begin, work, hold] {
            SqliteDb db = OpenExistingDatabase("jjj", 50);
            ExecuteStatement(db.Get(), begin);
            SqliteStatement reading;
            if (work.rfind("SELECT", 0) == 0) {
                reading = PrepareStatement(db.Get(), work);
                reading.Step();  // a read in progress holds its shared lock
            } else {
                ExecuteStatement(db.Get(), work);
            }
            holding_ = true;
            std::this_thread::sleep_for(hold);
            reading.Reset();
            ExecuteStatement(db.Get(), "COMMIT");
            released_ = true;
        });
    }
    void WaitUntilHeld() {
        while (!holding_) std::this_thread::sleep_for(1ms);
    }

    std::atomic<bool> holding_{false};
    std::atomic<bool> released_{false};
};

}  // namespace

TEST_F(SharingTest, AMarkWaitsForTheOtherCopysWriteAndBothStay) {
    TADOConnection connection;
    ConnectAsTheProgram(connection);
    TADOQuery query;
    OpenQuery(query, connection, "select * from kaoti where id>=1 order by id");
    ASSERT_TRUE(query.Locate("id", 3));

    std::thread other = OtherCopy("BEGIN IMMEDIATE", "UPDATE kaoti SET bz='t' WHERE id=2", 400ms);
    WaitUntilHeld();
    query.Edit();
    query.FieldByName("bz")->SetAsString("t");
    EXPECT_NO_THROW(query.Post());
    EXPECT_TRUE(released_) << "the post went through while the other copy held its write";
    other.join();
    EXPECT_EQ(ReadRaw("jjj", "SELECT group_concat(id, ',') FROM kaoti WHERE bz='t'"), "2,3");
}

TEST_F(SharingTest, AWriteWaitsForTheOtherCopysReadToFinish) {
    TADOConnection connection;
    ConnectAsTheProgram(connection);
    TADOQuery query;
    OpenQuery(query, connection, "select * from kaoti where id>=1 order by id");
    query.Edit();
    query.FieldByName("bz")->SetAsString("t");

    std::thread other = OtherCopy("BEGIN", "SELECT id FROM kaoti", 400ms);
    WaitUntilHeld();
    EXPECT_NO_THROW(query.Post());
    other.join();

    // Clearing the list waits the same way.
    std::thread reader = OtherCopy("BEGIN", "SELECT id FROM kaoti", 400ms);
    WaitUntilHeld();
    TADOQuery clear;
    clear.Connection = &connection;
    clear.SQL.SetText("update kaoti set bz='' where bz='t'");
    EXPECT_NO_THROW(clear.ExecSQL());
    EXPECT_EQ(clear.RowsAffected(), 1);
    reader.join();
    EXPECT_EQ(ReadRaw("jjj", "SELECT count(*) FROM kaoti WHERE bz='t'"), "0");
}

TEST_F(SharingTest, TwoCopiesMarkingInTurnLoseNoMark) {
    const int count = int(questions_.size());
    auto markEvery = [count](int first) {
        TADOConnection connection;
        connection.DataSource = ".\\jjj";
        connection.Password = kBankPassword;
        connection.Open();
        TADOQuery query;
        query.Connection = &connection;
        query.SQL.SetText("select * from kaoti where id>=1 order by id");
        query.Open();
        for (int id = first; id <= count; id += 2) {
            query.Locate("id", id);
            query.Edit();
            query.FieldByName("bz")->SetAsString("t");
            query.Post();
        }
    };
    std::atomic<int> failures{0};
    auto guarded = [&](int first) {
        try {
            markEvery(first);
        } catch (const std::exception& error) {
            ++failures;
            ADD_FAILURE() << error.what();
        }
    };
    std::thread odd(guarded, 1);
    std::thread even(guarded, 2);
    odd.join();
    even.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(ReadRaw("jjj", "SELECT count(*) FROM kaoti WHERE bz='t'"), std::to_string(count));
}
