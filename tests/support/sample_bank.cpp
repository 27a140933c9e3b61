#include "support/sample_bank.h"

#include <atomic>
#include <stdexcept>

#include "data/ado_query.h"
#include "base/utf.h"
#include "data/paths.h"
#include "data/sqlite_handle.h"

namespace fs = std::filesystem;

SampleBank::SampleBank(int keepQuestions) {
    static std::atomic<int> counter{0};
    const fs::path sample(Utf8ToWide(MUHE_SAMPLE_DIR));
    if (!fs::exists(sample / "jjj")) throw std::runtime_error("the sample installation is missing: " + sample.string());
    folder_ = fs::temp_directory_path() / ("muhe-window-test-" + std::to_string(counter++) + "-" +
                                           std::to_string(std::rand()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::copy_file(sample / "jjj", folder_ / "jjj");
    fs::copy_file(sample / "bz", folder_ / "bz");
    previous_ = fs::current_path();
    fs::current_path(folder_);
    if (keepQuestions > 0) ExecuteOnBank("delete from kaoti where id > " + std::to_string(keepQuestions));
    module_ = std::make_unique<TDataModule3>();
}

SampleBank::~SampleBank() {
    module_.reset();
    std::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(folder_, ec);
}

void SampleBank::ExecuteOnBank(const std::string& sql) {
    SqliteDb db = OpenExistingDatabase(PathToUtf8(folder_ / "jjj"));
    ExecuteStatement(db.Get(), sql);
}

std::string SampleBank::Column(int id, const std::string& column) {
    TADOQuery q;
    q.Connection = &module_->ADOConnection1;
    q.SQL.SetText("select " + column + " from kaoti where id=" + std::to_string(id));
    q.Open();
    return q.IsEmpty() ? std::string() : q.Fields(0)->AsString();
}

std::vector<int> SampleBank::Ids(const std::string& where) {
    TADOQuery q;
    q.Connection = &module_->ADOConnection1;
    q.SQL.SetText("select id from kaoti where " + where + " order by id");
    q.Open();
    std::vector<int> ids;
    for (; !q.Eof(); q.Next()) ids.push_back(q.Fields(0)->AsInteger());
    return ids;
}

SqliteDb SampleBank::HoldWriteLock(const std::string& file) {
    SqliteDb holder = OpenExistingDatabase(PathToUtf8(folder_ / file), 0);
    ExecuteStatement(holder.Get(), "BEGIN IMMEDIATE");
    return holder;
}

void SampleBank::ShortenLockWaits() {
    for (TADOConnection* connection : {&module_->ADOConnection1, &module_->ADOConnection2}) {
        connection->Close();
        connection->BusyTimeout = 50;
        connection->Open();
    }
}
