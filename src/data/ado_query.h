#pragma once
// The two dataset kinds the windows use: a query with a statement text, and a whole table.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/dataset.h"

// The statement text of a query, kept as lines like the designer's string list. Any change
// tells the owner (a query closes itself when its statement changes).
class TSQLStrings {
public:
    explicit TSQLStrings(std::function<void()> onChange = {}) : onChange_(std::move(onChange)) {}

    void Clear();
    void Add(std::string_view line);
    // The lines joined by line breaks; setting splits at "\n" (a "\r" before it is dropped).
    std::string Text() const;
    void SetText(std::string_view text);
    int Count() const { return int(lines_.size()); }
    const std::string& operator[](int index) const { return lines_.at(size_t(index)); }

private:
    void Changed() {
        if (onChange_) onChange_();
    }
    std::vector<std::string> lines_;
    std::function<void()> onChange_;
};

class TADOQuery : public TCustomADODataSet {
public:
    TADOQuery() : SQL([this] { Close(); }) {}

    // Changing the statement closes the query, as in the designer; Open runs the new one.
    TSQLStrings SQL;

    // Runs a statement that returns no rows, as its own transaction, and returns the number
    // of rows it changed. A statement that returns rows is refused without being run. The
    // query's open snapshot, if any, is not touched. Failures raise EDatabaseError.
    int ExecSQL();
    int RowsAffected() const { return rowsAffected_; }

protected:
    std::string CommandText() const override { return SQL.Text(); }

private:
    int rowsAffected_ = 0;
};

class TADOTable : public TCustomADODataSet {
public:
    // Set before Open; the dataset holds every row of the table.
    std::string TableName;

protected:
    std::string CommandText() const override;
};
