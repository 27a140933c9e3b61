#pragma once
// The regulations viewer: a fixed tree of the traffic laws and the sign categories; a law is
// shown as rich text from the table nr of bz, a sign category as a page of the regulation
// folder in the page view, which covers the text box while it is shown.
#include <memory>

#include "data/ado_query.h"
#include "reference/win/web_browser.h"
#include "ui/db_rich_edit.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/tree_view.h"

class TADOConnection;

class TForm8 : public TForm {
public:
    // `texts` is the connection to bz the regulation texts are read over.
    TForm8(TComponent* owner, TADOConnection* texts);
    std::wstring ClassName() const override { return L"TForm8"; }

    // The folder of the regulation pages, fixed wherever the program and its data are.
    static constexpr const wchar_t* kPageFolder = L"C:\\voduvezu\\bzt\\";

private:
    std::unique_ptr<TADOTable> table_;

public:
    TADOTable* const ADOTable1;
    TPanel* Panel1;
    TLabel* Label1;
    TImageList* ImageList1;
    TTreeView* TreeView1;
    TDBRichEdit* DBRichEdit1;
    TPanel* Panel2;
    TWebBrowser* WebBrowser1;

    void FormCreate();
    void TreeView1Change(TTreeNode* node);
    void DBRichEdit1Change();

private:
    void BuildTree();
    // Shows the page of a name: the page panel first, then the page.
    void ShowPage(const std::wstring& name);
};
