#include "drill/win/intensive_mark.h"

#include "data/ado_query.h"
#include "drill/exam_paper.h"
#include "ui/application.h"

bool AddToIntensive(TADOQuery* query) {
    if (Application->MessageBox(kAddToIntensiveQuestion, kPromptCaption, MB_YESNO) != IDYES) return false;
    if (!query->Active() || query->IsEmpty()) return false;
    // The post is its own transaction: the mark is on disk when this returns.
    query->Edit();
    query->FieldByName("bz")->SetAsString("t");
    query->Post();
    return true;
}
