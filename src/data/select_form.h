#pragma once
// Recognises the statements whose rows can be written back: "select <columns> from <table>"
// followed by nothing or by a where / order by / limit clause, with no second table, no
// grouping, no DISTINCT and no compound select. Each row of such a statement is one row of
// <table>, so the dataset can learn its row id by running the same text with the row id added
// to the select list (AddRowIdToSelect) and write a row back by that id.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct SimpleSelect {
    size_t fromOffset = 0;  // where the top-level FROM keyword starts
    std::string table;      // the table's name, unquoted
};

std::optional<SimpleSelect> ParseSimpleSelect(std::string_view sql);

// The statement with ", "<table>".<rowIdName>" placed at the end of its select list, so the
// row id becomes the last column and "order by 1" still means what it meant.
std::string AddRowIdToSelect(std::string_view sql, const SimpleSelect& form, std::string_view rowIdName);

// An identifier in double quotes with inner quotes doubled.
std::string QuoteIdentifier(std::string_view name);

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
