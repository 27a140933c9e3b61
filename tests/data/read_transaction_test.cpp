// A step's reads under one transaction: the file stays locked for reading between its
// statements, and once the step is over writes go through as before.
#include <gtest/gtest.h>

#include "data/ado_query.h"
#include "data/read_transaction.h"
#include "fixture_bank.h"

namespace {

class ReadTransactionTest : public BankTest {};

bool InTransaction(const TADOConnection& connection) { return !sqlite3_get_autocommit(connection.Handle()); }

TEST_F(ReadTransactionTest, HoldsTheReadLockForTheStepAndEndsWithIt) {
    RunRaw("jjj", "UPDATE kaoti SET bz=''");
    TADOQuery questions;
    TADOQuery marks;
    {
        TReadTransaction reads(&jjj_);
        ASSERT_TRUE(InTransaction(jjj_));
        OpenQuery(questions, jjj_, "select * from kaoti order by id");
        OpenQuery(marks, jjj_, "select id from kaoti where bz='t'");
        EXPECT_EQ(questions.RecordCount(), int(questions_.size()));
        // Between the statements the file is still locked for reading: another copy's write
        // cannot be committed.
        EXPECT_ANY_THROW(RunRaw("jjj", "UPDATE kaoti SET bz='t' WHERE id=1"));
        // A second step inside leaves the transaction to the outer one.
        { TReadTransaction inner(&jjj_); }
        EXPECT_TRUE(InTransaction(jjj_));
    }
    EXPECT_FALSE(InTransaction(jjj_));
    questions.Edit();
    questions.FieldByName("bz")->SetAsString("t");
    EXPECT_NO_THROW(questions.Post());
    EXPECT_EQ(ReadRaw("jjj", "SELECT count(*) FROM kaoti WHERE bz='t'"), "1");

    TADOConnection closed;
    EXPECT_NO_THROW(TReadTransaction{&closed});
    EXPECT_NO_THROW(TReadTransaction{nullptr});
}

}  // namespace
