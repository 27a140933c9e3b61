#pragma once
// Move-only owners of SQLite's connection and statement handles, and the few helpers that
// turn the engine's result codes into EDatabaseError. Everything above this file talks to the
// engine through these, so no handle can leak past an exception.
#include <sqlite3.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/errors.h"

// An EDatabaseError that remembers the engine's primary result code, so that the connection
// and the datasets can give the reason in the learner's words instead of the raw text.
class SqliteError : public EDatabaseError {
public:
    SqliteError(const std::string& message, int code) : EDatabaseError(message), code_(code) {}
    int Code() const { return code_; }                 // primary code (SQLITE_BUSY, ...)
    const std::string& EngineMessage() const { return engineMessage_; }
    SqliteError& WithEngineMessage(std::string text) {
        engineMessage_ = std::move(text);
        return *this;
    }

private:
    int code_;
    std::string engineMessage_;
};

// The engine's failure in the learner's words: a Chinese reason for the primary result code;
// where the code alone says little (a statement the engine rejects, a broken constraint) the
// engine's own text follows in quotes, since it names the table or column concerned.
std::string EngineReason(int code, const std::string& engineMessage);

// The reason a write to the database of `db` failed: EngineReason, except that a file that
// cannot be opened while writing is the journal the engine creates beside the database, so
// the reason names that folder (a folder the learner may not write to is the usual cause).
std::string WriteFailureReason(sqlite3* db, int code, const std::string& engineMessage);

class SqliteDb {
public:
    SqliteDb() = default;
    explicit SqliteDb(sqlite3* db) : db_(db) {}
    ~SqliteDb() { Reset(); }
    SqliteDb(SqliteDb&& other) noexcept : db_(other.db_) { other.db_ = nullptr; }
    SqliteDb& operator=(SqliteDb&& other) noexcept;
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    sqlite3* Get() const { return db_; }
    explicit operator bool() const { return db_ != nullptr; }
    void Reset();  // closes the connection; statements must already be finalized

private:
    sqlite3* db_ = nullptr;
};

class SqliteStatement {
public:
    SqliteStatement() = default;
    explicit SqliteStatement(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~SqliteStatement() { Reset(); }
    SqliteStatement(SqliteStatement&& other) noexcept : stmt_(other.stmt_) { other.stmt_ = nullptr; }
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    sqlite3_stmt* Get() const { return stmt_; }
    explicit operator bool() const { return stmt_ != nullptr; }
    void Reset();  // finalizes

    // Binding by 1-based parameter index; the bytes are copied by the engine.
    void BindNull(int index);
    void BindInt(int index, int64_t value);
    void BindDouble(int index, double value);
    void BindText(int index, std::string_view text);
    void BindBlob(int index, std::span<const uint8_t> bytes);

    // Steps once: true for a row, false when done. Failures raise SqliteError naming the
    // statement. The statement is reset (its locks released) when it is done or fails.
    bool Step();
    void Rewind();  // sqlite3_reset + clear bindings

private:
    void CheckBind(int rc, int index);
    sqlite3_stmt* stmt_ = nullptr;
};

// Compiles exactly one statement. An empty text, a text holding a second statement, or a
// NUL byte inside the text are refused: the engine would silently ignore what follows, and
// what follows is exactly where a spliced value that broke out of its quotes would sit.
SqliteStatement PrepareStatement(sqlite3* db, std::string_view sql);

// Prepares and runs a statement that returns no rows; returns the number of rows it changed.
int ExecuteStatement(sqlite3* db, std::string_view sql);

// Opens an existing database file for reading and writing; never creates one. The path is
// UTF-8, relative to the working directory unless absolute. Raises SqliteError when the engine
// refuses.
SqliteDb OpenExistingDatabase(const std::string& path, int busyTimeoutMs = 3000);

// A statement text shortened for an error message: the whole text when short, otherwise its
// beginning with an ellipsis.
std::string StatementForMessage(std::string_view sql);
