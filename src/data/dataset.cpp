#include "data/dataset.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "data/ado_connection.h"
#include "data/select_form.h"

namespace {

bool DeclaredAsBlob(const char* declType) {
    if (!declType) return false;
    const std::string_view type(declType);
    for (size_t i = 0; i + 4 <= type.size(); ++i) {
        if (EqualsIgnoringAsciiCase(type.substr(i, 4), "blob")) return true;
    }
    return false;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool TextMatches(std::string_view cell, std::string_view value, TLocateOptions options) {
    if (options.Contains(loPartialKey)) {
        if (cell.size() < value.size()) return false;
        cell = cell.substr(0, value.size());
    } else if (cell.size() != value.size()) {
        return false;
    }
    if (!options.Contains(loCaseInsensitive)) return cell == value;
    for (size_t i = 0; i < cell.size(); ++i) {
        if (FoldAscii(cell[i]) != FoldAscii(value[i])) return false;
    }
    return true;
}

std::string ReasonFor(const std::exception& error, sqlite3* db) {
    if (const auto* engine = dynamic_cast<const SqliteError*>(&error); engine && !engine->EngineMessage().empty())
        return WriteFailureReason(db, engine->Code(), engine->EngineMessage());
    return error.what();
}

}  // namespace

TCustomADODataSet::~TCustomADODataSet() {
    // Bound controls still alive forget the dataset (those gone have unregistered already);
    // they are told no change of data, only that it goes.
    ReleaseObservers();
    openConnection_ = nullptr;
    ResetState();
    if (attachedTo_) attachedTo_->Detach(this);
}

void TCustomADODataSet::ConnectionDestroyed(TADOConnection* connection) {
    Close();
    if (Connection == connection) Connection = nullptr;
    attachedTo_ = nullptr;
}

void TCustomADODataSet::CheckActive(const char* operation) const {
    if (!Active()) {
        throw EDatabaseError(DisplayName() + "：数据集已关闭，无法" + operation);
    }
}

sqlite3* TCustomADODataSet::OpenHandle(const char* operation) const {
    if (!Connection || !Connection->Connected()) {
        throw EDatabaseError(DisplayName() + "：无法" + operation + "：数据库连接没有打开");
    }
    return Connection->Handle();
}

void TCustomADODataSet::ResetState() {
    state_ = TDataSetState::dsInactive;
    hasRowIds_ = false;
    sizesOnly_ = false;
    editable_ = false;
    table_.clear();
    rowIdName_.clear();
    columns_.clear();
    fields_.clear();
    rowCount_ = 0;
    cells_ = {};
    rowIds_ = {};
    arena_ = {};
    current_ = 0;
    bof_ = true;
    eof_ = true;
    pending_.clear();
    deferredReaders_.clear();
}

std::string TCustomADODataSet::ChooseRowIdName(sqlite3* db, const std::string& table) const {
    // A table may declare a column of its own under one of the row id's names; that name then
    // means the column, so take one that is still free.
    std::vector<std::string> names;
    SqliteStatement info = PrepareStatement(db, "SELECT name FROM pragma_table_info(?1)");
    info.BindText(1, table);
    while (info.Step()) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(info.Get(), 0));
        names.emplace_back(name ? name : "");
    }
    if (names.empty()) return {};  // not a table we can see
    for (const char* candidate : {"rowid", "_rowid_", "oid"}) {
        const bool taken = std::any_of(names.begin(), names.end(),
                                       [&](const std::string& n) { return EqualsIgnoringAsciiCase(n, candidate); });
        if (!taken) return candidate;
    }
    return {};
}

void TCustomADODataSet::Open() {
    if (Active()) return;
    sqlite3* db = OpenHandle("打开");
    const std::string sql = CommandText();
    try {
        SqliteStatement original = PrepareStatement(db, sql);
        const int columnCount = sqlite3_column_count(original.Get());
        if (columnCount == 0) {
            throw EDatabaseError("语句“" + StatementForMessage(sql) + "”不返回记录，这样的语句应当用 ExecSQL 执行");
        }

        SqliteStatement withRowId;
        std::optional<SimpleSelect> form = ParseSimpleSelect(sql);
        if (form) {
            const std::string rowIdName = ChooseRowIdName(db, form->table);
            if (!rowIdName.empty()) {
                try {
                    SqliteStatement candidate = PrepareStatement(db, AddRowIdToSelect(sql, *form, rowIdName));
                    bool fromTable = sqlite3_column_count(candidate.Get()) == columnCount + 1;
                    for (int i = 0; fromTable && i < columnCount; ++i) {
                        const char* table = sqlite3_column_table_name(candidate.Get(), i);
                        const char* database = sqlite3_column_database_name(candidate.Get(), i);
                        fromTable = table && database && EqualsIgnoringAsciiCase(table, form->table) &&
                                    std::strcmp(database, "main") == 0;
                    }
                    if (fromTable) {
                        withRowId = std::move(candidate);
                        hasRowIds_ = true;
                        table_ = sqlite3_column_table_name(withRowId.Get(), 0);
                        rowIdName_ = rowIdName;
                    }
                } catch (const EDatabaseError&) {
                    // A view, or a table without row ids: the dataset opens read-only.
                }
            }
        }
        editable_ = hasRowIds_ && !Connection->ReadOnly();

        // The columns as the statement names them (the snapshot below may compute some).
        sqlite3_stmt* described = hasRowIds_ ? withRowId.Get() : original.Get();
        columns_.resize(size_t(columnCount));
        std::vector<int> deferredColumns;
        for (int i = 0; i < columnCount; ++i) {
            if (hasRowIds_) {
                const char* origin = sqlite3_column_origin_name(described, i);
                columns_[size_t(i)].origin = origin ? origin : "";
                columns_[size_t(i)].deferred = DeclaredAsBlob(sqlite3_column_decltype(described, i));
                if (columns_[size_t(i)].deferred) deferredColumns.push_back(i);
            }
            const char* name = sqlite3_column_name(described, i);
            fields_.push_back(std::make_unique<TField>(this, i, name ? name : ""));
        }
        deferredReaders_.resize(size_t(columnCount));

        // Stepping a statement loads every column it returns, pictures included. The snapshot
        // runs the same rows asking only for each picture's length and type, which the engine
        // answers from the row's header without reading the picture.
        SqliteStatement stmt;
        if (hasRowIds_ && !deferredColumns.empty()) {
            const std::string table = QuoteIdentifier(table_);
            std::string list;
            for (int i = 0; i < columnCount; ++i) {
                const std::string column = table + "." + QuoteIdentifier(columns_[size_t(i)].origin);
                list += (i ? ", " : "") + (columns_[size_t(i)].deferred ? "length(" + column + ")" : column);
            }
            list += ", " + table + "." + rowIdName_;
            for (int i : deferredColumns) list += ", typeof(" + table + "." + QuoteIdentifier(columns_[size_t(i)].origin) + ")";
            try {
                stmt = PrepareStatement(db, "select " + list + " " + std::string(sql.substr(form->fromOffset)));
                sizesOnly_ = true;
            } catch (const EDatabaseError&) {
                sizesOnly_ = false;  // an alias or the like: read the rows as they are
            }
        }
        if (!stmt) stmt = hasRowIds_ ? std::move(withRowId) : std::move(original);

        while (stmt.Step()) {
            cells_.resize(cells_.size() + size_t(columnCount));
            Cell* row = cells_.data() + cells_.size() - size_t(columnCount);
            int typeColumn = columnCount + 1;
            for (int i = 0; i < columnCount; ++i) {
                if (sizesOnly_ && columns_[size_t(i)].deferred) {
                    StoreDeferredSize(row[i], stmt.Get(), i, typeColumn++);
                } else {
                    StoreFromStatement(row[i], stmt.Get(), i, columns_[size_t(i)].deferred);
                }
            }
            if (hasRowIds_) rowIds_.push_back(sqlite3_column_int64(stmt.Get(), columnCount));
            ++rowCount_;
        }
    } catch (const std::exception& error) {
        ResetState();
        throw EDatabaseError(DisplayName() + "：" + error.what());
    }
    cells_.shrink_to_fit();
    rowIds_.shrink_to_fit();
    arena_.shrink_to_fit();
    pending_.assign(columns_.size(), std::nullopt);
    state_ = TDataSetState::dsBrowse;
    current_ = 0;
    bof_ = true;
    eof_ = rowCount_ == 0;
    openConnection_ = Connection;
    if (attachedTo_ != Connection) {
        if (attachedTo_) attachedTo_->Detach(this);
        attachedTo_ = Connection;
        attachedTo_->Attach(this);
    }
    NotifyObservers();
}

void TCustomADODataSet::Close() {
    const bool wasActive = Active();
    openConnection_ = nullptr;
    ResetState();
    if (wasActive) NotifyObservers();
}

void TCustomADODataSet::Store(Cell& cell, const FieldValue& value) {
    cell = Cell{};
    switch (value.type) {
    case FieldValue::Type::kNull:
        break;
    case FieldValue::Type::kInteger:
        cell.type = CellType::kInteger;
        cell.payload = uint64_t(value.integer);
        break;
    case FieldValue::Type::kFloat:
        cell.type = CellType::kFloat;
        std::memcpy(&cell.payload, &value.real, sizeof value.real);
        break;
    case FieldValue::Type::kText:
    case FieldValue::Type::kBlob:
        cell.type = value.type == FieldValue::Type::kText ? CellType::kText : CellType::kBlob;
        cell.size = uint32_t(value.bytes.size());
        cell.payload = arena_.size();
        arena_ += value.bytes;
        break;
    }
}

void TCustomADODataSet::StoreFromStatement(Cell& cell, sqlite3_stmt* stmt, int column, bool deferred) {
    cell = Cell{};
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        cell.type = CellType::kInteger;
        cell.payload = uint64_t(sqlite3_column_int64(stmt, column));
        break;
    case SQLITE_FLOAT: {
        const double real = sqlite3_column_double(stmt, column);
        cell.type = CellType::kFloat;
        std::memcpy(&cell.payload, &real, sizeof real);
        break;
    }
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const bool text = sqlite3_column_type(stmt, column) == SQLITE_TEXT;
        // For a deferred column only the size is kept; the bytes stay in the file.
        if (deferred) {
            cell.type = text ? CellType::kDeferredText : CellType::kDeferredBlob;
            cell.size = uint32_t(sqlite3_column_bytes(stmt, column));
            break;
        }
        const void* data = text ? static_cast<const void*>(sqlite3_column_text(stmt, column))
                                : sqlite3_column_blob(stmt, column);
        cell.type = text ? CellType::kText : CellType::kBlob;
        cell.size = uint32_t(sqlite3_column_bytes(stmt, column));
        cell.payload = arena_.size();
        if (cell.size > 0) arena_.append(static_cast<const char*>(data), cell.size);
        break;
    }
    default:
        break;
    }
}

void TCustomADODataSet::StoreDeferredSize(Cell& cell, sqlite3_stmt* stmt, int lengthColumn, int typeColumn) {
    cell = Cell{};
    const char* type = reinterpret_cast<const char*>(sqlite3_column_text(stmt, typeColumn));
    const std::string_view kind = type ? type : "";
    if (kind.empty() || kind == "null") return;
    // Any value stays in the file and is read by row id when asked for (its size here is the
    // engine's length: bytes of a blob, characters of a text).
    cell.type = kind == "text" ? CellType::kDeferredText : CellType::kDeferredBlob;
    cell.size = uint32_t(sqlite3_column_int64(stmt, lengthColumn));
}

FieldValue TCustomADODataSet::ReadDeferred(int row, int column) const {
    SqliteStatement& reader = deferredReaders_[size_t(column)];
    sqlite3* db = OpenHandle("读取字段");
    if (!reader) {
        reader = PrepareStatement(db, "SELECT " + QuoteIdentifier(columns_[size_t(column)].origin) + " FROM " +
                                          QuoteIdentifier(table_) + " WHERE " + rowIdName_ + " = ?1");
    }
    reader.BindInt(1, rowIds_[size_t(row)]);
    if (!reader.Step()) {
        throw EDatabaseError(DisplayName() + "：无法读取字段“" + fields_[size_t(column)]->FieldName() +
                             "”：文件“" + openConnection_->FileName() + "”的表“" + table_ + "”中已没有这一行");
    }
    sqlite3_stmt* stmt = reader.Get();
    FieldValue value;
    switch (sqlite3_column_type(stmt, 0)) {
    case SQLITE_INTEGER:
        value = FieldValue::Integer(sqlite3_column_int64(stmt, 0));
        break;
    case SQLITE_FLOAT:
        value = FieldValue::Float(sqlite3_column_double(stmt, 0));
        break;
    case SQLITE_TEXT:
        value.type = FieldValue::Type::kText;
        value.bytes.assign(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                           size_t(sqlite3_column_bytes(stmt, 0)));
        break;
    case SQLITE_BLOB: {
        value.type = FieldValue::Type::kBlob;
        const int size = sqlite3_column_bytes(stmt, 0);
        if (size > 0) value.bytes.assign(static_cast<const char*>(sqlite3_column_blob(stmt, 0)), size_t(size));
        break;
    }
    default:
        break;
    }
    reader.Rewind();  // releases the read lock at once
    return value;
}

FieldValue TCustomADODataSet::CellValue(int row, int column) const {
    const Cell& cell = cells_[size_t(row) * columns_.size() + size_t(column)];
    switch (cell.type) {
    case CellType::kNull:
        return FieldValue::Null();
    case CellType::kInteger:
        return FieldValue::Integer(int64_t(cell.payload));
    case CellType::kFloat: {
        double real = 0;
        std::memcpy(&real, &cell.payload, sizeof real);
        return FieldValue::Float(real);
    }
    case CellType::kText:
        return FieldValue::Text(std::string_view(arena_.data() + cell.payload, cell.size));
    case CellType::kBlob:
        return FieldValue::Blob(std::string_view(arena_.data() + cell.payload, cell.size));
    case CellType::kDeferredText:
    case CellType::kDeferredBlob:
        return ReadDeferred(row, column);
    }
    return FieldValue::Null();
}

FieldValue TCustomADODataSet::CurrentValue(int column) const {
    CheckActive("读取字段");
    if (state_ == TDataSetState::dsEdit && pending_[size_t(column)]) return *pending_[size_t(column)];
    if (rowCount_ == 0) return FieldValue::Null();
    return CellValue(current_, column);
}

bool TCustomADODataSet::CurrentIsNull(int column) const {
    CheckActive("读取字段");
    if (state_ == TDataSetState::dsEdit && pending_[size_t(column)]) {
        return pending_[size_t(column)]->type == FieldValue::Type::kNull;
    }
    if (rowCount_ == 0) return true;
    return cells_[size_t(current_) * columns_.size() + size_t(column)].type == CellType::kNull;
}

void TCustomADODataSet::SetPendingValue(int column, FieldValue value) {
    CheckActive("设置字段");
    if (state_ != TDataSetState::dsEdit) throw EDatabaseError(DisplayName() + "：数据集不在编辑状态");
    if (columns_[size_t(column)].origin.empty()) {
        throw EDatabaseError(DisplayName() + "：字段“" + fields_[size_t(column)]->FieldName() + "”不能修改");
    }
    pending_[size_t(column)] = std::move(value);
    NotifyObservers();
}

const TField* TCustomADODataSet::FindFieldConst(std::string_view name) const {
    for (const auto& field : fields_) {
        if (EqualsIgnoringAsciiCase(field->FieldName(), name)) return field.get();
    }
    return nullptr;
}

TField* TCustomADODataSet::FindField(std::string_view name) {
    CheckActive("查找字段");
    return const_cast<TField*>(FindFieldConst(name));
}

std::string TCustomADODataSet::CurrentText(const std::string& field) const {
    if (!HasCurrentRow()) return {};
    const TField* found = FindFieldConst(field);
    return found ? found->AsString() : std::string();
}

TField* TCustomADODataSet::FieldByName(std::string_view name) {
    TField* field = FindField(name);
    if (!field) throw EDatabaseError(DisplayName() + "：找不到字段“" + std::string(name) + "”");
    return field;
}

TField* TCustomADODataSet::Fields(int index) {
    CheckActive("查找字段");
    if (index < 0 || index >= FieldCount()) {
        throw EDatabaseError(DisplayName() + "：字段序号越界（" + std::to_string(index) + "）");
    }
    return fields_[size_t(index)].get();
}

int TCustomADODataSet::RecordCount() const {
    CheckActive("统计记录数");
    return rowCount_;
}

int TCustomADODataSet::RecNo() const {
    CheckActive("取得记录号");
    return rowCount_ == 0 ? 0 : current_ + 1;
}

void TCustomADODataSet::CheckBrowseMode() {
    if (state_ != TDataSetState::dsEdit) return;
    const bool changed = std::any_of(pending_.begin(), pending_.end(), [](const auto& v) { return v.has_value(); });
    if (changed) {
        Post();
    } else {
        Cancel();
    }
}

void TCustomADODataSet::MoveTo(int row) {
    current_ = row;
    bof_ = false;
    eof_ = false;
}

void TCustomADODataSet::First() {
    CheckActive("移到第一条记录");
    CheckBrowseMode();
    current_ = 0;
    bof_ = true;
    eof_ = rowCount_ == 0;
    NotifyObservers();
}

void TCustomADODataSet::Last() {
    CheckActive("移到最后一条记录");
    CheckBrowseMode();
    current_ = std::max(rowCount_ - 1, 0);
    bof_ = rowCount_ == 0;
    eof_ = true;
    NotifyObservers();
}

void TCustomADODataSet::Next() {
    CheckActive("移到下一条记录");
    CheckBrowseMode();
    if (current_ + 1 < rowCount_) {
        MoveTo(current_ + 1);
    } else {
        eof_ = true;
    }
    NotifyObservers();
}

void TCustomADODataSet::Prior() {
    CheckActive("移到上一条记录");
    CheckBrowseMode();
    if (current_ > 0 && rowCount_ > 0) {
        MoveTo(current_ - 1);
    } else {
        bof_ = true;
    }
    NotifyObservers();
}

bool TCustomADODataSet::Matches(int row, int column, std::string_view value, TLocateOptions options) const {
    const Cell& cell = cells_[size_t(row) * columns_.size() + size_t(column)];
    switch (cell.type) {
    case CellType::kText:
    case CellType::kBlob:
        return TextMatches(std::string_view(arena_.data() + cell.payload, cell.size), value, options);
    case CellType::kInteger: {
        char buffer[24];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, int64_t(cell.payload));
        return TextMatches(std::string_view(buffer, size_t(result.ptr - buffer)), value, options);
    }
    case CellType::kNull:
        return TextMatches(std::string_view(), value, options);
    default:
        return TextMatches(ValueAsString(CellValue(row, column)), value, options);
    }
}

bool TCustomADODataSet::Matches(int row, int column, int64_t value) const {
    const Cell& cell = cells_[size_t(row) * columns_.size() + size_t(column)];
    switch (cell.type) {
    case CellType::kInteger:
        return int64_t(cell.payload) == value;
    case CellType::kNull:
    case CellType::kBlob:
    case CellType::kDeferredBlob:
        return false;
    case CellType::kText: {
        int64_t number = 0;
        return ParseInteger(std::string_view(arena_.data() + cell.payload, cell.size), number) && number == value;
    }
    default: {
        const FieldValue other = CellValue(row, column);
        if (other.type == FieldValue::Type::kFloat) return other.real == double(value);
        int64_t number = 0;
        return other.type == FieldValue::Type::kText && ParseInteger(other.bytes, number) && number == value;
    }
    }
}

bool TCustomADODataSet::Locate(std::string_view fieldName, std::string_view value, TLocateOptions options) {
    CheckActive("查找记录");
    const int column = FieldByName(fieldName)->Index();
    CheckBrowseMode();
    // An integer cell matches a whole-text search only through its decimal form; when the
    // value is such a form, compare numbers instead of printing every cell.
    int64_t number = 0;
    const bool decimal = !options.Contains(loPartialKey) && ParseInteger(value, number) &&
                         std::to_string(number) == value;
    for (int row = 0; row < rowCount_; ++row) {
        const Cell& cell = cells_[size_t(row) * columns_.size() + size_t(column)];
        const bool match = (cell.type == CellType::kInteger && !options.Contains(loPartialKey))
                               ? decimal && int64_t(cell.payload) == number
                               : Matches(row, column, value, options);
        if (match) {
            MoveTo(row);
            NotifyObservers();
            return true;
        }
    }
    return false;
}

bool TCustomADODataSet::Locate(std::string_view fieldName, int64_t value, TLocateOptions /*options*/) {
    CheckActive("查找记录");
    const int column = FieldByName(fieldName)->Index();
    CheckBrowseMode();
    for (int row = 0; row < rowCount_; ++row) {
        if (Matches(row, column, value)) {
            MoveTo(row);
            NotifyObservers();
            return true;
        }
    }
    return false;
}

void TCustomADODataSet::Edit() {
    CheckActive("编辑记录");
    if (state_ == TDataSetState::dsEdit) return;
    if (!editable_) throw EDatabaseError(DisplayName() + "：不能修改只读的数据集");
    if (rowCount_ == 0) throw EDatabaseError(DisplayName() + "：无法编辑：数据集没有当前记录");
    pending_.assign(columns_.size(), std::nullopt);
    state_ = TDataSetState::dsEdit;
}

void TCustomADODataSet::Cancel() {
    if (state_ != TDataSetState::dsEdit) return;
    pending_.assign(columns_.size(), std::nullopt);
    state_ = TDataSetState::dsBrowse;
    NotifyObservers();
}

void TCustomADODataSet::Post() {
    CheckActive("保存记录");
    if (state_ != TDataSetState::dsEdit) throw EDatabaseError(DisplayName() + "：数据集不在编辑状态");
    std::vector<int> changed;
    for (size_t i = 0; i < pending_.size(); ++i) {
        if (pending_[i]) changed.push_back(int(i));
    }
    if (changed.empty()) {
        Cancel();
        return;
    }
    sqlite3* db = OpenHandle("保存记录");

    std::string assignments;
    std::string selected;
    for (size_t k = 0; k < changed.size(); ++k) {
        const std::string column = QuoteIdentifier(columns_[size_t(changed[k])].origin);
        if (k > 0) {
            assignments += ", ";
            selected += ", ";
        }
        assignments += column + " = ?" + std::to_string(k + 1);
        selected += column;
    }
    const std::string table = QuoteIdentifier(table_);
    const std::string update = "UPDATE " + table + " SET " + assignments + " WHERE " + rowIdName_ + " = ?" +
                               std::to_string(changed.size() + 1);
    const std::string reselect = "SELECT " + selected + " FROM " + table + " WHERE " + rowIdName_ + " = ?1";
    const int64_t rowId = rowIds_[size_t(current_)];

    std::vector<FieldValue> stored;
    try {
        // One transaction for the write and the read-back, so the snapshot gets exactly what
        // this write left in the file (the column's type may have converted the value).
        ExecuteStatement(db, "BEGIN IMMEDIATE");
        SqliteStatement write = PrepareStatement(db, update);
        for (size_t k = 0; k < changed.size(); ++k) {
            const FieldValue& value = *pending_[size_t(changed[k])];
            const int index = int(k + 1);
            switch (value.type) {
            case FieldValue::Type::kNull:
                write.BindNull(index);
                break;
            case FieldValue::Type::kInteger:
                write.BindInt(index, value.integer);
                break;
            case FieldValue::Type::kFloat:
                write.BindDouble(index, value.real);
                break;
            case FieldValue::Type::kText:
                write.BindText(index, value.bytes);
                break;
            case FieldValue::Type::kBlob:
                write.BindBlob(index, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(value.bytes.data()),
                                                               value.bytes.size()));
                break;
            }
        }
        write.BindInt(int(changed.size() + 1), rowId);
        write.Step();
        if (sqlite3_changes(db) != 1) throw EDatabaseError("这一行已不存在");

        SqliteStatement read = PrepareStatement(db, reselect);
        read.BindInt(1, rowId);
        if (!read.Step()) throw EDatabaseError("这一行已不存在");
        for (size_t k = 0; k < changed.size(); ++k) {
            const int i = int(k);
            switch (sqlite3_column_type(read.Get(), i)) {
            case SQLITE_INTEGER:
                stored.push_back(FieldValue::Integer(sqlite3_column_int64(read.Get(), i)));
                break;
            case SQLITE_FLOAT:
                stored.push_back(FieldValue::Float(sqlite3_column_double(read.Get(), i)));
                break;
            case SQLITE_TEXT:
                stored.push_back(FieldValue::Text(std::string_view(
                    reinterpret_cast<const char*>(sqlite3_column_text(read.Get(), i)),
                    size_t(sqlite3_column_bytes(read.Get(), i)))));
                break;
            case SQLITE_BLOB: {
                const int size = sqlite3_column_bytes(read.Get(), i);
                const char* data = static_cast<const char*>(sqlite3_column_blob(read.Get(), i));
                stored.push_back(FieldValue::Blob(size > 0 ? std::string_view(data, size_t(size)) : std::string_view()));
                break;
            }
            default:
                stored.push_back(FieldValue::Null());
            }
        }
        read.Reset();
        write.Reset();
        ExecuteStatement(db, "COMMIT");
    } catch (const std::exception& error) {
        if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw EDatabaseError(DisplayName() + "：无法保存文件“" + openConnection_->FileName() + "”中表“" + table_ +
                             "”的这一行：" + ReasonFor(error, db));
    }

    for (size_t k = 0; k < changed.size(); ++k) {
        const size_t column = size_t(changed[k]);
        Cell& cell = cells_[size_t(current_) * columns_.size() + column];
        const FieldValue& value = stored[k];
        if (columns_[column].deferred &&
            (value.type == FieldValue::Type::kText || value.type == FieldValue::Type::kBlob)) {
            cell = Cell{value.type == FieldValue::Type::kText ? CellType::kDeferredText : CellType::kDeferredBlob,
                        uint32_t(value.bytes.size()), 0};
        } else {
            Store(cell, value);
        }
    }
    pending_.assign(columns_.size(), std::nullopt);
    state_ = TDataSetState::dsBrowse;
    NotifyObservers();
}

size_t TCustomADODataSet::SnapshotBytes() const {
    size_t bytes = cells_.capacity() * sizeof(Cell) + rowIds_.capacity() * sizeof(int64_t) + arena_.capacity();
    for (const Column& column : columns_) bytes += sizeof column + column.origin.capacity();
    for (const auto& field : fields_) bytes += sizeof(TField) + field->FieldName().capacity();
    return bytes;
}
