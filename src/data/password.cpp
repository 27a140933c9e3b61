#include "data/password.h"

#include <vector>

namespace {

constexpr int kMaxRounds = 10'000'000;  // a record asking for more is treated as damaged
constexpr size_t kMinSaltBytes = 8;
constexpr size_t kMaxSaltBytes = 256;

bool HasLockTable(sqlite3* db) {
    SqliteStatement stmt =
        PrepareStatement(db, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name='muhe_lock'");
    stmt.Step();
    return sqlite3_column_int(stmt.Get(), 0) > 0;
}

}  // namespace

Sha256Digest StretchPassword(std::span<const uint8_t> salt, std::string_view password, int rounds) {
    Sha256 hasher;
    hasher.Update(salt);
    hasher.Update(password);
    Sha256Digest digest = hasher.Final();
    for (int i = 1; i < rounds; ++i) {
        hasher.Update(digest);
        hasher.Update(salt);
        hasher.Update(password);
        digest = hasher.Final();
    }
    return digest;
}

bool DigestsEqual(std::span<const uint8_t> a, std::span<const uint8_t> b) {
    if (a.size() != b.size()) return false;
    // Every byte is looked at whatever the earlier ones were; volatile keeps the compiler from
    // turning the loop back into an early exit.
    volatile uint8_t difference = 0;
    for (size_t i = 0; i < a.size(); ++i) difference = uint8_t(difference | (a[i] ^ b[i]));
    return difference == 0;
}

void SetDatabasePassword(sqlite3* db, std::string_view password) {
    ExecuteStatement(db, "BEGIN IMMEDIATE");
    try {
        ExecuteStatement(db, "DROP TABLE IF EXISTS muhe_lock");
        if (!password.empty()) {
            ExecuteStatement(db, "CREATE TABLE muhe_lock (salt BLOB, hash BLOB, rounds INTEGER)");
            uint8_t salt[kPasswordSaltBytes];
            sqlite3_randomness(int(sizeof salt), salt);
            const Sha256Digest hash = StretchPassword(salt, password, kPasswordRounds);
            SqliteStatement insert = PrepareStatement(db, "INSERT INTO muhe_lock (salt, hash, rounds) VALUES (?1, ?2, ?3)");
            insert.BindBlob(1, salt);
            insert.BindBlob(2, hash);
            insert.BindInt(3, kPasswordRounds);
            insert.Step();
        }
        ExecuteStatement(db, "COMMIT");
    } catch (...) {
        if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

PasswordCheck CheckDatabasePassword(sqlite3* db, std::string_view password) {
    if (!HasLockTable(db)) return password.empty() ? PasswordCheck::kAccepted : PasswordCheck::kRefused;

    SqliteStatement stmt;
    try {
        stmt = PrepareStatement(db, "SELECT salt, hash, rounds FROM muhe_lock LIMIT 2");
    } catch (const SqliteError& error) {
        if (error.Code() == SQLITE_ERROR) return PasswordCheck::kDamaged;  // a table of another shape
        throw;
    }
    if (!stmt.Step()) return password.empty() ? PasswordCheck::kAccepted : PasswordCheck::kRefused;
    sqlite3_stmt* row = stmt.Get();
    if (sqlite3_column_type(row, 0) != SQLITE_BLOB || sqlite3_column_type(row, 1) != SQLITE_BLOB ||
        sqlite3_column_type(row, 2) != SQLITE_INTEGER) {
        return PasswordCheck::kDamaged;
    }
    const auto* saltData = static_cast<const uint8_t*>(sqlite3_column_blob(row, 0));
    const std::vector<uint8_t> salt(saltData, saltData + sqlite3_column_bytes(row, 0));
    const auto* hashData = static_cast<const uint8_t*>(sqlite3_column_blob(row, 1));
    const std::vector<uint8_t> stored(hashData, hashData + sqlite3_column_bytes(row, 1));
    const sqlite3_int64 rounds = sqlite3_column_int64(row, 2);
    const bool secondRow = stmt.Step();
    if (secondRow) {
        stmt.Rewind();
        return PasswordCheck::kDamaged;
    }
    if (salt.size() < kMinSaltBytes || salt.size() > kMaxSaltBytes || stored.size() != Sha256Digest().size() ||
        rounds < 1 || rounds > kMaxRounds) {
        return PasswordCheck::kDamaged;
    }
    const Sha256Digest given = StretchPassword(salt, password, int(rounds));
    return DigestsEqual(given, stored) ? PasswordCheck::kAccepted : PasswordCheck::kRefused;
}
