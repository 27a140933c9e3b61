#pragma once
// The dataset shared by TADOQuery and TADOTable: a static cursor over the rows a statement
// returned when the dataset opened.
//
// Open takes a snapshot: every row's values, and, when the statement has the simple form
// "select <columns> from <table> ..." (see select_form.h), every row's row id, which it learns
// by running the same text with the row id added at the end of the select list. Only such a
// dataset can be edited; Post updates exactly the row with that id, so tables without a key
// are written correctly too. Blob columns of an editable dataset are not copied into the
// snapshot: the snapshot keeps their type and size, and the bytes are read by row id when a
// field is read, so an open question query holds the texts but no pictures. (A picture read
// later comes from the file as it is then; the program never changes pictures.)
//
// Other datasets over the same rows keep their own snapshot: a Post here does not change them.
//
// What a failing call leaves behind (every failure is an EDatabaseError, or EConvertError for
// a field read as a number):
//   Open       the dataset stays closed (a query whose statement was changed is already
//              closed by the change, so "open on the old statement" is never kept);
//   Post       nothing is written, the dataset stays in edit state with its pending values,
//              the snapshot is unchanged; the edit can be posted again or cancelled;
//   a move or Locate in edit state posts first; if that fails the position is unchanged;
//   Edit       (read-only or empty dataset) the dataset stays in browse state;
//   reading a picture whose row was deleted by another program: the position is unchanged;
//   ExecSQL    (TADOQuery) the statement's own transaction is rolled back, the dataset is
//              untouched.
// Close never fails.
//
// Data-aware controls observe the dataset (DataSetView): they are told after every open,
// close, move (also a move that stays put at an end), post, cancel and field change, except
// while their controls are disabled (DisableControls), after which they are told once.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/data_link.h"
#include "data/field.h"
#include "data/sqlite_handle.h"

class TADOConnection;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit };

enum TLocateOption : unsigned { loCaseInsensitive = 1, loPartialKey = 2 };

class TLocateOptions {
public:
    constexpr TLocateOptions() = default;
    constexpr TLocateOptions(TLocateOption option) : bits_(option) {}
    constexpr TLocateOptions operator|(TLocateOptions other) const { return TLocateOptions(bits_ | other.bits_); }
    constexpr bool Contains(TLocateOption option) const { return (bits_ & option) != 0; }

private:
    constexpr explicit TLocateOptions(unsigned bits) : bits_(bits) {}
    unsigned bits_ = 0;
};
constexpr TLocateOptions operator|(TLocateOption a, TLocateOption b) { return TLocateOptions(a) | b; }

class TCustomADODataSet : public DataSetView {
public:
    // Borrowed; set before Open. A connection that is destroyed clears it in every dataset
    // that has been opened over it.
    TADOConnection* Connection = nullptr;
    std::string Name;  // names the dataset in messages ("ADOQuery1")

    TCustomADODataSet() = default;
    ~TCustomADODataSet() override;

    // Runs the statement and takes the snapshot; stands on the first row. Opening an open
    // dataset does nothing. A failure raises EDatabaseError naming the statement and the
    // engine's reason, and the dataset stays closed.
    void Open();
    // Drops the snapshot and any unposted change. Never fails.
    void Close();
    bool Active() const { return state_ != TDataSetState::dsInactive; }
    void SetActive(bool active) { active ? Open() : Close(); }
    TDataSetState State() const { return state_; }
    // True when the dataset can be edited (the statement has the simple form).
    bool CanModify() const { return Active() && editable_; }

    // Moving. A move at either end stays on the row it is on and sets Eof or Bof. First sets
    // Bof, Last sets Eof. In edit state a move first posts a changed row (or cancels an
    // unchanged one), like every other way of leaving the row.
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const { return !Active() || eof_; }
    bool Bof() const { return !Active() || bof_; }
    int RecordCount() const;
    int RecNo() const;  // 1-based position of the current row; 0 when empty
    bool IsEmpty() const { return !Active() || rowCount_ == 0; }

    // Moves to the first row whose field equals the value and returns true; with no such row
    // the position stays and it returns false. A text value is compared with the field's text
    // (AsString); loCaseInsensitive compares ASCII letters without case (the bank's other
    // letters have none), loPartialKey matches a field that starts with the value. An integer
    // value matches a number equal to it or a text that reads as that whole number.
    bool Locate(std::string_view fieldName, std::string_view value, TLocateOptions options = {});
    bool Locate(std::string_view fieldName, const char* value, TLocateOptions options = {}) {
        return Locate(fieldName, std::string_view(value), options);
    }
    bool Locate(std::string_view fieldName, int64_t value, TLocateOptions options = {});
    bool Locate(std::string_view fieldName, int value, TLocateOptions options = {}) {
        return Locate(fieldName, int64_t(value), options);
    }

    // Fields exist while the dataset is open; the pointers stay valid until it closes.
    // Names are matched without regard to ASCII case. An unknown name raises EDatabaseError.
    TField* FieldByName(std::string_view name);
    TField* FindField(std::string_view name);  // nullptr when unknown
    int FieldCount() const { return int(fields_.size()); }
    TField* Fields(int index);

    // Editing the current row: Edit, set fields, Post. Post writes the changed fields of
    // exactly this row in one transaction and then reflects what the file holds in the
    // snapshot. A failing Post raises EDatabaseError, writes nothing, and leaves the dataset
    // in edit state with the change still pending and the snapshot as it was.
    void Edit();
    void Post();
    void Cancel();

    // Bytes the snapshot holds (cells, texts, row ids), for the memory budget.
    size_t SnapshotBytes() const;

    // DataSetView
    bool HasCurrentRow() const override { return Active() && rowCount_ > 0; }
    std::string CurrentText(const std::string& field) const override;

protected:
    // The statement to run (TADOQuery: its SQL text; TADOTable: the whole table).
    virtual std::string CommandText() const = 0;
    std::string DisplayName() const { return Name.empty() ? std::string("数据集") : Name; }
    sqlite3* OpenHandle(const char* operation) const;  // the connection's handle or an error

private:
    friend class TField;
    friend class TADOConnection;

    enum class CellType : uint8_t { kNull, kInteger, kFloat, kText, kBlob, kDeferredText, kDeferredBlob };
    struct Cell {
        CellType type = CellType::kNull;
        uint32_t size = 0;     // bytes of a text or blob
        uint64_t payload = 0;  // the integer, the double's bits, or the offset into arena_
    };
    struct Column {
        std::string origin;    // the table column it comes from; empty for an expression
        bool deferred = false; // blob bytes are read on demand
    };

    void CheckActive(const char* operation) const;
    void CheckBrowseMode();
    void Store(Cell& cell, const FieldValue& value);
    void StoreFromStatement(Cell& cell, sqlite3_stmt* stmt, int column, bool deferred);
    // A deferred cell from the snapshot's length and type columns.
    void StoreDeferredSize(Cell& cell, sqlite3_stmt* stmt, int lengthColumn, int typeColumn);
    FieldValue CellValue(int row, int column) const;
    FieldValue ReadDeferred(int row, int column) const;
    FieldValue CurrentValue(int column) const;
    bool CurrentIsNull(int column) const;
    void SetPendingValue(int column, FieldValue value);
    bool Matches(int row, int column, std::string_view value, TLocateOptions options) const;
    bool Matches(int row, int column, int64_t value) const;
    void MoveTo(int row);
    void ResetState();
    const TField* FindFieldConst(std::string_view name) const;
    std::string ChooseRowIdName(sqlite3* db, const std::string& table) const;

    void ConnectionDestroyed(TADOConnection* connection);

    TADOConnection* openConnection_ = nullptr;  // the connection of the open snapshot
    // The connection that knows about this dataset (from its first Open over it until the
    // dataset or the connection goes away), so that a connection that is destroyed first can
    // close the dataset and clear its Connection instead of leaving it dangling.
    TADOConnection* attachedTo_ = nullptr;
    TDataSetState state_ = TDataSetState::dsInactive;
    bool hasRowIds_ = false;  // the statement has the simple form
    bool sizesOnly_ = false;  // the snapshot read the deferred columns' sizes, not their bytes
    bool editable_ = false;   // ... and the connection may write
    std::string table_;
    std::string rowIdName_;
    std::vector<Column> columns_;
    std::vector<std::unique_ptr<TField>> fields_;
    int rowCount_ = 0;
    std::vector<Cell> cells_;       // rowCount_ * columns, row by row
    std::vector<int64_t> rowIds_;   // one per row when editable
    std::string arena_;             // the bytes of every text and blob cell
    int current_ = 0;
    bool bof_ = true;
    bool eof_ = true;
    std::vector<std::optional<FieldValue>> pending_;
    mutable std::vector<SqliteStatement> deferredReaders_;  // per column, prepared on first use
};
