#include "drill/win/intensive_mark.h"

#include "data/ado_query.h"
#include "drill/exam_paper.h"
#include "ui/application.h"

bool AddToIntensive(TADOQuery* query) {
    if (Application->MessageBox(kAddToIntensiveQuestion, kPromptCaption, MB_YESNO) != IDYES) return false;
    if (!query->Active() || query->IsEmpty()) return false;
    // The post is its own transaction: the mark is on disk when this returns. A post that
    // fails leaves the edit pending, and the next move would post it without a word: the
    // edit is dropped, so a refused mark is never written later.
    query->Edit();
    try {
        query->FieldByName("bz")->SetAsString("t");
        query->Post();
    } catch (...) {
        query->Cancel();
        throw;
    }
    return true;
}
