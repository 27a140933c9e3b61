#include "data/schema.h"

#include <filesystem>
#include <system_error>

#include "data/paths.h"

// The picture is the last column: a row's columns are stored in order, and every column
// after a large blob could only be reached by walking the blob's overflow pages, so a query
// that reads the texts of every row would read every picture too.
const char* const kBankSchemaSql =
    "CREATE TABLE kaoti ("
    "id INTEGER PRIMARY KEY, tihao TEXT, timu TEXT, A TEXT, B TEXT, C TEXT, daan TEXT, "
    "t INTEGER, lei1 TEXT, lei2 TEXT, lei3 TEXT, bz TEXT, image BLOB);";

const char* const kStateSchemaSql =
    "CREATE TABLE bz1 (bz TEXT);"
    "CREATE TABLE bzq (bz TEXT);"
    "CREATE TABLE zhangjie (zhangjie TEXT, id TEXT);"
    "CREATE TABLE nr (bt TEXT, nr TEXT);";

namespace {

SqliteDb CreateDatabaseFile(const std::string& path, const char* schemaSql) {
    const std::filesystem::path file = ResolveAgainstWorkingDirectory(path);
    const std::string fileName = PathToUtf8(file);
    std::error_code ec;
    if (std::filesystem::exists(file, ec) || ec) {
        throw EDatabaseError("无法创建数据库文件“" + fileName + "”：" +
                             (ec ? ec.message() : std::string("同名的文件已经存在")));
    }
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(fileName.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    SqliteDb db(raw);
    std::string failure;
    if (rc != SQLITE_OK) {
        failure = EngineReason(rc & 0xff, raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
    } else {
        char* message = nullptr;
        // One transaction, so that a failure leaves no file with half a schema.
        const std::string sql = std::string("BEGIN;") + schemaSql + "COMMIT;";
        if (sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            failure = message ? message : "原因不明";
            sqlite3_free(message);
        }
    }
    if (!failure.empty()) {
        db.Reset();
        std::filesystem::remove(file, ec);
        throw EDatabaseError("无法创建数据库文件“" + fileName + "”：" + failure);
    }
    sqlite3_extended_result_codes(raw, 0);
    sqlite3_busy_timeout(raw, 3000);
    return db;
}

}  // namespace

SqliteDb CreateBankFile(const std::string& path) { return CreateDatabaseFile(path, kBankSchemaSql); }

SqliteDb CreateStateFile(const std::string& path) { return CreateDatabaseFile(path, kStateSchemaSql); }
