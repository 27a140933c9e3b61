#pragma once
// A connection to one database file, in the shape the windows are written in: the settings
// are plain fields set before Open, as a form's designer would set them.
#include <string>
#include <vector>

#include "data/sqlite_handle.h"

class TCustomADODataSet;

class TADOConnection {
public:
    // The file, relative to the working directory unless absolute; "\" and "/" both separate.
    std::string DataSource;
    std::string Password;
    // "Share Deny None" (and "ReadWrite") open the file for reading and writing while other
    // programs may use it too; "Read" opens it read-only. Other modes are refused by Open.
    std::string Mode = "Share Deny None";
    // How long a statement waits for another program's lock before it fails, in milliseconds.
    int BusyTimeout = 3000;

    // The rest describe the file to the form that sets them and to a reader of its settings;
    // the engine needs none of them: there is one provider and one file format, there is no
    // login dialog, and the engine locks what a write needs for as long as it needs it.
    std::string Provider = "Microsoft.Jet.OLEDB.4.0";
    std::string UserID = "Admin";
    int EngineType = 5;
    int LockingMode = 1;
    bool LoginPrompt = false;

    TADOConnection() = default;
    ~TADOConnection();
    TADOConnection(const TADOConnection&) = delete;
    TADOConnection& operator=(const TADOConnection&) = delete;

    // Opens the file without ever creating it, checks that it is a database and that the
    // password fits. Every failure raises EDatabaseError naming the file and the reason, and
    // leaves the connection closed. Opening an open connection does nothing.
    void Open();
    // Closes every dataset still open over this connection, then the file. Destroying the
    // connection also clears the Connection of every dataset that was opened over it.
    void Close();
    bool Connected() const { return static_cast<bool>(db_); }
    void SetConnected(bool connected) { connected ? Open() : Close(); }

    // The resolved file name of the open file (empty while closed), for messages.
    const std::string& FileName() const { return fileName_; }
    sqlite3* Handle() const { return db_.Get(); }
    bool ReadOnly() const { return readOnly_; }

private:
    friend class TCustomADODataSet;
    void Attach(TCustomADODataSet* dataSet);
    void Detach(TCustomADODataSet* dataSet);

    SqliteDb db_;
    std::string fileName_;
    bool readOnly_ = false;
    std::vector<TCustomADODataSet*> dataSets_;
};
