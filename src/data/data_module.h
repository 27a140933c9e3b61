#pragma once
// The program's two database connections, opened when the module is created: ADOConnection1
// to the question bank jjj, ADOConnection2 to bz. Both files are found relative to the working
// directory. An error from either open propagates (start-up shows it and ends); the one that
// did open is closed again on the way out.
#include "data/ado_connection.h"

class TDataModule3 {
public:
    TDataModule3();
    TDataModule3(const TDataModule3&) = delete;
    TDataModule3& operator=(const TDataModule3&) = delete;

    TADOConnection ADOConnection1;
    TADOConnection ADOConnection2;
};
