#pragma once
// TReadTransaction: the reads of one step (a window's opening, a choice) in one transaction
// on a connection, so the engine takes its shared lock on the file once for all of them
// instead of once per statement (under Wine each lock and unlock is a round trip to the
// server). Only for reads: a write inside would be refused by the engine's BEGIN IMMEDIATE.
// Does nothing on a closed connection or inside a transaction already open.
#include "data/ado_connection.h"

class TReadTransaction {
public:
    explicit TReadTransaction(TADOConnection* connection);
    // Ends the transaction; a read transaction has nothing to lose, so a failed end is rolled back.
    ~TReadTransaction();
    TReadTransaction(const TReadTransaction&) = delete;
    TReadTransaction& operator=(const TReadTransaction&) = delete;

private:
    sqlite3* db_ = nullptr;
};
