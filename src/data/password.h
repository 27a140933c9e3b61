#pragma once
// The database password of jjj. The file keeps a salted, stretched SHA-256 of the password in
// the one-row table muhe_lock (salt BLOB, hash BLOB, rounds INTEGER); a connection that brings
// another password is refused. A file without that table, or with the table but no row, has
// no password and accepts only the empty one.
//
// hash = H_rounds, where H_1 = SHA-256(salt ‖ password) and H_i = SHA-256(H_(i-1) ‖ salt ‖ password).
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/sha256.h"
#include "data/sqlite_handle.h"

inline constexpr int kPasswordRounds = 4096;
inline constexpr size_t kPasswordSaltBytes = 16;

Sha256Digest StretchPassword(std::span<const uint8_t> salt, std::string_view password, int rounds);

// Compares in time that does not depend on where the digests differ.
bool DigestsEqual(std::span<const uint8_t> a, std::span<const uint8_t> b);

// Writes the record for a new password (a fresh random salt), replacing any earlier record, in
// one transaction. The empty password removes the record. Used by the bank tool.
void SetDatabasePassword(sqlite3* db, std::string_view password);

enum class PasswordCheck {
    kAccepted,
    kRefused,
    kDamaged,  // the record exists but cannot be read as one (wrong sizes, several rows, ...)
};

// Engine failures (a locked file, a damaged database) raise SqliteError.
PasswordCheck CheckDatabasePassword(sqlite3* db, std::string_view password);
