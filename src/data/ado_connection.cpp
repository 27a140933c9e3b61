#include "data/ado_connection.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "data/coalescing_vfs.h"
#include "data/dataset.h"
#include "data/password.h"
#include "data/paths.h"

namespace {

[[noreturn]] void Refuse(const std::string& fileName, const std::string& reason) {
    throw EDatabaseError("无法打开数据库文件“" + fileName + "”：" + reason);
}

std::string ReasonFor(int code, const std::string& engineMessage) {
    // Opening reads only; a file the program may not read is one it may not open.
    if (code == SQLITE_READONLY) return "没有访问权限";
    return EngineReason(code, engineMessage);
}

}  // namespace

TADOConnection::~TADOConnection() {
    Close();
    const std::vector<TCustomADODataSet*> known = dataSets_;
    for (TCustomADODataSet* dataSet : known) dataSet->ConnectionDestroyed(this);
}

void TADOConnection::Open() {
    if (db_) return;
    if (DataSource.empty()) throw EDatabaseError("无法打开数据库：没有指定数据库文件");

    int flags = 0;
    if (Mode.empty() || Mode == "Share Deny None" || Mode == "ReadWrite") {
        flags = SQLITE_OPEN_READWRITE;
    } else if (Mode == "Read") {
        flags = SQLITE_OPEN_READONLY;
    } else {
        throw EDatabaseError("无法打开数据库“" + DataSource + "”：不支持打开方式“" + Mode + "”");
    }

    const std::filesystem::path file = ResolveAgainstWorkingDirectory(DataSource);
    const std::string fileName = PathToUtf8(file);
    // The engine would only say "unable to open"; looking first gives the learner the reason.
    // The open below never creates the file either way.
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found) Refuse(fileName, "文件不存在");
    if (status.type() == std::filesystem::file_type::directory) Refuse(fileName, "这是一个文件夹，不是文件");

    sqlite3* raw = nullptr;
    // Writes go through a layer that joins consecutive ones: clearing the marks rewrites every
    // marked row with its picture, page by page, and each write is a round trip under Wine.
    const int rc = sqlite3_open_v2(fileName.c_str(), &raw, flags, CoalescingVfsName());
    SqliteDb db(raw);
    if (rc != SQLITE_OK) Refuse(fileName, ReasonFor(rc & 0xff, raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
    sqlite3_extended_result_codes(raw, 0);
    sqlite3_busy_timeout(raw, std::max(0, BusyTimeout));
    // Pictures are read page by page on every move of a card; mapped into memory they cost
    // no system call per page (which is what makes them slow to read under Wine).
    sqlite3_exec(raw, "PRAGMA mmap_size=268435456", nullptr, nullptr, nullptr);
    // Clearing 300 marks rewrites their rows with ~5 MB of pictures in one transaction; in the
    // default 2 MB cache the engine spilled pages mid-statement, each spill a journal sync and
    // a break in the runs of writes. The pages are only taken as a statement needs them.
    sqlite3_exec(raw, "PRAGMA cache_size=-8192", nullptr, nullptr, nullptr);

    try {
        // The engine reads nothing until asked; reading the schema here makes a foreign or
        // damaged file fail at Open rather than at the first query.
        SqliteStatement schema = PrepareStatement(raw, "SELECT count(*) FROM sqlite_master");
        schema.Step();
        schema.Reset();
        // An empty file is a valid empty database to the engine, but it is no bank: a copy
        // that was cut short would otherwise open and fail later with "no such table".
        SqliteStatement pages = PrepareStatement(raw, "PRAGMA page_count");
        pages.Step();
        const bool empty = sqlite3_column_int64(pages.Get(), 0) == 0;
        pages.Reset();
        if (empty) Refuse(fileName, "文件是空的，不是数据库");

        switch (CheckDatabasePassword(raw, Password)) {
        case PasswordCheck::kAccepted:
            break;
        case PasswordCheck::kRefused:
            Refuse(fileName, "密码错误");
        case PasswordCheck::kDamaged:
            Refuse(fileName, "文件中的密码记录已损坏");
        }
    } catch (const SqliteError& error) {
        Refuse(fileName, ReasonFor(error.Code(), error.EngineMessage().empty() ? error.what() : error.EngineMessage()));
    }

    db_ = std::move(db);
    fileName_ = fileName;
    readOnly_ = (flags & SQLITE_OPEN_READONLY) != 0;
}

void TADOConnection::Close() {
    // Every statement must be gone before the engine's handle closes.
    for (TCustomADODataSet* dataSet : dataSets_) {
        if (dataSet->openConnection_ == this) dataSet->Close();
    }
    db_.Reset();
    fileName_.clear();
    readOnly_ = false;
}

void TADOConnection::Attach(TCustomADODataSet* dataSet) {
    if (std::find(dataSets_.begin(), dataSets_.end(), dataSet) == dataSets_.end()) dataSets_.push_back(dataSet);
}

void TADOConnection::Detach(TCustomADODataSet* dataSet) {
    dataSets_.erase(std::remove(dataSets_.begin(), dataSets_.end(), dataSet), dataSets_.end());
}
