#pragma once
// Builds a database beside its final name and moves it into place only once it is complete,
// so that a failed run leaves whatever was there before.
#include <unistd.h>

#include <filesystem>
#include <string>

#include "data/paths.h"
#include "data/sqlite_handle.h"

// `create` makes the empty database; `fill` runs inside one transaction, `finish` after it
// (the password record keeps its own).
template <typename Fill, typename Finish>
void WriteAtomically(const std::filesystem::path& file, SqliteDb (*create)(const std::string&), Fill fill, Finish finish) {
    std::filesystem::path temp = file;
    temp += ".new-" + std::to_string(::getpid());
    std::filesystem::remove(temp);
    try {
        {
            SqliteDb db = create(PathToUtf8(temp));
            ExecuteStatement(db.Get(), "BEGIN");
            fill(db.Get());
            ExecuteStatement(db.Get(), "COMMIT");
            finish(db.Get());
        }
        std::filesystem::rename(temp, file);
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(temp, ec);
        throw;
    }
}
