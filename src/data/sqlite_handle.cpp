#include "data/sqlite_handle.h"

#include <climits>

#include "data/paths.h"

namespace {

std::string EngineMessage(sqlite3* db, int rc) {
    const char* text = db ? sqlite3_errmsg(db) : nullptr;
    return text ? std::string(text) : std::string(sqlite3_errstr(rc));
}

std::string CannotRun(std::string_view sql) { return "无法执行语句“" + StatementForMessage(sql) + "”："; }

[[noreturn]] void ThrowStatementError(sqlite3* db, std::string_view sql, int rc) {
    const std::string engine = EngineMessage(db, rc);
    throw SqliteError(CannotRun(sql) + EngineReason(rc & 0xff, engine), rc & 0xff).WithEngineMessage(engine);
}

}  // namespace

std::string EngineReason(int code, const std::string& engineMessage) {
    switch (code) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "文件被其他程序锁定";
    case SQLITE_READONLY:
        return "文件是只读的";
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return "没有访问权限";
    case SQLITE_NOTADB:
        return "文件不是数据库";
    case SQLITE_CORRUPT:
        return "数据库已损坏";
    case SQLITE_CANTOPEN:
        return "文件无法打开";
    case SQLITE_FULL:
        return "磁盘已满";
    case SQLITE_IOERR:
        return "读写文件时出错";
    case SQLITE_NOMEM:
        return "内存不足";
    case SQLITE_TOOBIG:
        return "数据太大";
    case SQLITE_CONSTRAINT:
        return "数据不符合表的约束（“" + engineMessage + "”）";
    default:
        return "数据库引擎报告“" + engineMessage + "”";
    }
}

std::string WriteFailureReason(sqlite3* db, int code, const std::string& engineMessage) {
    const char* name = db ? sqlite3_db_filename(db, "main") : nullptr;
    if (code != SQLITE_CANTOPEN || !name || !*name) return EngineReason(code, engineMessage);
    const std::string file(name);
    const size_t cut = file.find_last_of("/\\");
    const std::string folder = cut == std::string::npos ? "." : file.substr(0, cut);
    const std::string journal = (cut == std::string::npos ? file : file.substr(cut + 1)) + "-journal";
    return "无法在文件夹“" + folder + "”中创建日志文件“" + journal +
           "”（数据库引擎保存时要在数据库文件旁创建它），请确认该文件夹允许写入";
}

std::string StatementForMessage(std::string_view sql) {
    constexpr size_t kLimit = 300;
    // Trim the line breaks a statement assembled line by line ends with.
    while (!sql.empty() && (sql.back() == '\n' || sql.back() == '\r' || sql.back() == ' ')) sql.remove_suffix(1);
    if (sql.size() <= kLimit) return std::string(sql);
    size_t cut = kLimit;
    while (cut > 0 && (static_cast<unsigned char>(sql[cut]) & 0xC0) == 0x80) --cut;  // keep UTF-8 whole
    return std::string(sql.substr(0, cut)) + "...";
}

SqliteDb& SqliteDb::operator=(SqliteDb&& other) noexcept {
    if (this != &other) {
        Reset();
        db_ = other.db_;
        other.db_ = nullptr;
    }
    return *this;
}

void SqliteDb::Reset() {
    if (db_) {
        // close_v2 defers the close if a statement is still alive instead of leaking the handle.
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
    if (this != &other) {
        Reset();
        stmt_ = other.stmt_;
        other.stmt_ = nullptr;
    }
    return *this;
}

void SqliteStatement::Reset() {
    if (stmt_) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

void SqliteStatement::CheckBind(int rc, int index) {
    if (rc != SQLITE_OK) {
        sqlite3* db = sqlite3_db_handle(stmt_);
        const std::string engine = EngineMessage(db, rc);
        throw SqliteError("无法为语句“" + StatementForMessage(sqlite3_sql(stmt_)) + "”设置第 " +
                              std::to_string(index) + " 个参数：" + EngineReason(rc & 0xff, engine),
                          rc & 0xff)
            .WithEngineMessage(engine);
    }
}

void SqliteStatement::BindNull(int index) { CheckBind(sqlite3_bind_null(stmt_, index), index); }

void SqliteStatement::BindInt(int index, int64_t value) {
    CheckBind(sqlite3_bind_int64(stmt_, index, value), index);
}

void SqliteStatement::BindDouble(int index, double value) {
    CheckBind(sqlite3_bind_double(stmt_, index, value), index);
}

void SqliteStatement::BindText(int index, std::string_view text) {
    CheckBind(sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8), index);
}

void SqliteStatement::BindBlob(int index, std::span<const uint8_t> bytes) {
    // A zero-length blob must stay a blob, not turn into NULL: the engine takes a non-null
    // pointer for that.
    static const uint8_t kEmpty = 0;
    const void* data = bytes.empty() ? &kEmpty : bytes.data();
    CheckBind(sqlite3_bind_blob64(stmt_, index, data, bytes.size(), SQLITE_TRANSIENT), index);
}

bool SqliteStatement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) {
        sqlite3_reset(stmt_);
        return false;
    }
    sqlite3* db = sqlite3_db_handle(stmt_);
    const std::string engine = EngineMessage(db, rc);
    const std::string sql = sqlite3_sql(stmt_) ? sqlite3_sql(stmt_) : "";
    sqlite3_reset(stmt_);
    throw SqliteError(CannotRun(sql) + EngineReason(rc & 0xff, engine), rc & 0xff).WithEngineMessage(engine);
}

void SqliteStatement::Rewind() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

SqliteStatement PrepareStatement(sqlite3* db, std::string_view sql) {
    if (sql.find('\0') != std::string_view::npos) {
        throw SqliteError(CannotRun(sql.substr(0, sql.find('\0'))) + "语句中含有空字符", SQLITE_MISUSE);
    }
    if (sql.size() >= size_t(INT_MAX)) {
        throw SqliteError("无法执行长达 " + std::to_string(sql.size()) + " 字节的语句：语句太长", SQLITE_TOOBIG);
    }
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &raw, &tail);
    SqliteStatement stmt(raw);
    if (rc != SQLITE_OK) ThrowStatementError(db, sql, rc);
    if (!stmt) {
        throw SqliteError(CannotRun(sql) + "语句是空的", SQLITE_MISUSE);
    }
    // What follows the first statement must be nothing but blanks, semicolons and comments:
    // compiling it yields no statement exactly then.
    const size_t used = size_t(tail - sql.data());
    if (used < sql.size()) {
        sqlite3_stmt* rest = nullptr;
        const int restRc = sqlite3_prepare_v2(db, tail, int(sql.size() - used), &rest, nullptr);
        SqliteStatement restStmt(rest);
        if (restRc != SQLITE_OK || restStmt) {
            throw SqliteError(CannotRun(sql) + "其中不止一条语句", SQLITE_MISUSE);
        }
    }
    return stmt;
}

int ExecuteStatement(sqlite3* db, std::string_view sql) {
    SqliteStatement stmt = PrepareStatement(db, sql);
    while (stmt.Step()) {
    }
    return sqlite3_changes(db);
}

SqliteDb OpenExistingDatabase(const std::string& path, int busyTimeoutMs) {
    // An absolute name can never be taken for a "file:" URI, whose query could ask the engine
    // to create the file after all.
    const std::string fileName = PathToUtf8(ResolveAgainstWorkingDirectory(path));
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(fileName.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    SqliteDb db(raw);
    if (rc != SQLITE_OK) {
        const std::string engine = EngineMessage(raw, rc);
        throw SqliteError("无法打开数据库文件“" + fileName + "”：" + EngineReason(rc & 0xff, engine), rc & 0xff)
            .WithEngineMessage(engine);
    }
    sqlite3_extended_result_codes(raw, 0);
    sqlite3_busy_timeout(raw, busyTimeoutMs);
    return db;
}
