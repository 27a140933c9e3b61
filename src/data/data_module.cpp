#include "data/data_module.h"

namespace {

void Configure(TADOConnection& connection, const char* dataSource, const char* password) {
    connection.DataSource = dataSource;
    connection.Password = password;
    connection.Provider = "Microsoft.Jet.OLEDB.4.0";
    connection.UserID = "Admin";
    connection.Mode = "Share Deny None";
    connection.EngineType = 5;
    connection.LockingMode = 1;
    connection.LoginPrompt = false;
}

}  // namespace

TDataModule3::TDataModule3() {
    Configure(ADOConnection1, ".\\jjj", "842067");
    Configure(ADOConnection2, ".\\bz", "");
    ADOConnection1.Open();
    ADOConnection2.Open();
}
