#include "practice_fixture.h"

#include "data/ado_query.h"

void PracticeTest::SetUp() {
    UiTest::SetUp();
    bank_ = std::make_unique<SampleBank>(keepQuestions_);
    bank_->ExecuteOnBank("update kaoti set bz=''");
    AnswerBoxes(IDNO);
}

void PracticeTest::TearDown() {
    Application->SetBoxResponder({});
    bank_.reset();
    UiTest::TearDown();
}

void PracticeTest::Type(wchar_t key) { TypeOnKeyboard(key); }

void PracticeTest::AnswerBoxes(int answer) {
    Application->SetBoxResponder([answer](const TOpenBox& box) { return box.Kind == TBoxKind::MessageBox ? answer : IDOK; });
}

std::vector<std::wstring> PracticeTest::TakeShownBoxes() {
    std::vector<std::wstring> texts;
    for (const TBoxRecord& box : Application->ShownBoxes()) texts.push_back(box.Text);
    Application->ClearShownBoxes();
    return texts;
}

void PracticeTest::RunOnAux(const std::string& sql) {
    TADOQuery q;
    q.Connection = &bank_->Module().ADOConnection2;
    q.SQL.SetText(sql);
    q.ExecSQL();
}

std::string PracticeTest::StoredResumePoint() {
    TADOQuery q;
    q.Connection = &bank_->Module().ADOConnection2;
    q.SQL.SetText("select bz from bz1");
    q.Open();
    if (q.IsEmpty()) return "(none)";
    std::string all;
    for (; !q.Eof(); q.Next()) all += (all.empty() ? "" : "|") + (q.Fields(0)->IsNull() ? "NULL" : q.Fields(0)->AsString());
    return all;
}

void PracticeTest::Mark(std::initializer_list<int> ids) {
    for (int id : ids) bank_->ExecuteOnBank("update kaoti set bz='t' where id=" + std::to_string(id));
}
