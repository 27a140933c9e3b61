#pragma once
// The layout of the two database files, and the only code that creates either file (the bank
// tool and the test fixtures call it; the program itself never creates a database).
#include <string>

#include "data/sqlite_handle.h"

// jjj: the question table. `id` is the question number and the key (an INTEGER PRIMARY KEY, so
// "order by id" walks the table in its own order).
extern const char* const kBankSchemaSql;

// bz: the resume point, the intensive list's table, the chapter bookmarks and the regulation
// texts. None of these tables has a key; rows are told apart by the engine's row id.
extern const char* const kStateSchemaSql;

// Create a new, empty jjj or bz at the given path (UTF-8, relative paths against the working
// directory) and return a connection to it for filling. An existing file is never touched: it
// raises EDatabaseError, as does any failure, after which no half-made file is left behind.
SqliteDb CreateBankFile(const std::string& path);
SqliteDb CreateStateFile(const std::string& path);
