#include "data/read_transaction.h"

TReadTransaction::TReadTransaction(TADOConnection* connection) {
    sqlite3* db = connection && connection->Connected() ? connection->Handle() : nullptr;
    if (!db || !sqlite3_get_autocommit(db)) return;
    // A deferred BEGIN touches no file: the first read takes the shared lock, the end drops it.
    if (sqlite3_exec(db, "BEGIN DEFERRED", nullptr, nullptr, nullptr) == SQLITE_OK) db_ = db;
}

TReadTransaction::~TReadTransaction() {
    if (!db_ || sqlite3_get_autocommit(db_)) return;
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}
