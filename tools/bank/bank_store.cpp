#include "bank_store.h"

#include "atomic_write.h"
#include "base/errors.h"
#include "data/ado_connection.h"
#include "data/ado_query.h"
#include "data/password.h"
#include "data/paths.h"
#include "data/schema.h"

void WriteQuestionFile(const std::filesystem::path& file, const std::vector<BankQuestion>& bank) {
    WriteAtomically(file, CreateBankFile, [&](sqlite3* db) {
        SqliteStatement insert = PrepareStatement(
            db, "insert into kaoti (id, tihao, timu, A, B, C, daan, image, t, lei1, lei2, lei3, bz) "
                "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const BankQuestion& q : bank) {
            insert.BindInt(1, q.id);
            insert.BindText(2, q.tihao);
            insert.BindText(3, q.timu);
            insert.BindText(4, q.a);
            insert.BindText(5, q.b);
            insert.BindText(6, q.c);
            insert.BindText(7, q.daan);
            insert.BindBlob(8, q.image);
            if (q.t > 0) insert.BindInt(9, q.t);
            else insert.BindNull(9);
            insert.BindText(10, q.lei1);
            insert.BindText(11, q.lei2);
            insert.BindText(12, q.lei3);
            insert.BindText(13, q.bz);
            insert.Step();
            insert.Rewind();
        }
    }, [](sqlite3* db) { SetDatabasePassword(db, kJjjPassword); });
}

std::vector<BankQuestion> ReadQuestionFile(const std::filesystem::path& dir) { return ReadQuestions(dir / "jjj"); }

std::vector<BankQuestion> ReadQuestions(const std::filesystem::path& file) {
    TADOConnection connection;
    connection.DataSource = PathToUtf8(file);
    connection.Password = kJjjPassword;
    connection.Mode = "Read";
    connection.Open();
    TADOQuery query;
    query.Connection = &connection;
    query.SQL.SetText("select * from kaoti order by id");
    query.Open();
    std::vector<BankQuestion> bank;
    for (; !query.Eof(); query.Next()) {
        BankQuestion q;
        q.id = query.FieldByName("id")->AsInteger();
        q.tihao = query.FieldByName("tihao")->AsString();
        q.timu = query.FieldByName("timu")->AsString();
        q.a = query.FieldByName("A")->AsString();
        q.b = query.FieldByName("B")->AsString();
        q.c = query.FieldByName("C")->AsString();
        q.daan = query.FieldByName("daan")->AsString();
        q.image = query.FieldByName("image")->AsBytes();
        q.t = query.FieldByName("t")->IsNull() ? 0 : query.FieldByName("t")->AsInteger();
        q.lei1 = query.FieldByName("lei1")->AsString();
        q.lei2 = query.FieldByName("lei2")->AsString();
        q.lei3 = query.FieldByName("lei3")->AsString();
        q.bz = query.FieldByName("bz")->AsString();
        bank.push_back(std::move(q));
    }
    return bank;
}
