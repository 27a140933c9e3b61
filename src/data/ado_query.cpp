#include "data/ado_query.h"

#include "data/ado_connection.h"
#include "data/select_form.h"

void TSQLStrings::Clear() {
    lines_.clear();
    Changed();
}

void TSQLStrings::Add(std::string_view line) {
    lines_.emplace_back(line);
    Changed();
}

std::string TSQLStrings::Text() const {
    std::string text;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) text += '\n';
        text += lines_[i];
    }
    return text;
}

void TSQLStrings::SetText(std::string_view text) {
    lines_.clear();
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines_.emplace_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    Changed();
}

int TADOQuery::ExecSQL() {
    sqlite3* db = OpenHandle("执行语句");
    const std::string sql = SQL.Text();
    try {
        SqliteStatement stmt = PrepareStatement(db, sql);
        if (sqlite3_column_count(stmt.Get()) > 0) {
            throw EDatabaseError("语句“" + StatementForMessage(sql) + "”返回记录，这样的语句应当用 Open 打开");
        }
        while (stmt.Step()) {
        }
        rowsAffected_ = sqlite3_changes(db);
    } catch (const SqliteError& error) {
        if (error.Code() != SQLITE_CANTOPEN) throw EDatabaseError(DisplayName() + "：" + error.what());
        throw EDatabaseError(DisplayName() + "：无法执行语句“" + StatementForMessage(sql) + "”：" +
                             WriteFailureReason(db, error.Code(), error.EngineMessage()));
    } catch (const std::exception& error) {
        throw EDatabaseError(DisplayName() + "：" + error.what());
    }
    return rowsAffected_;
}

std::string TADOTable::CommandText() const {
    if (TableName.empty()) throw EDatabaseError(DisplayName() + "：无法打开：没有指定表名");
    return "select * from " + QuoteIdentifier(TableName);
}
