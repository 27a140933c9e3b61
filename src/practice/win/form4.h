#pragma once
// Chapter practice: one of the four book chapters chosen in the list at the top, or a
// chapter, section or question kind chosen in the chapter tree, practised from the keypad in
// id order with instant feedback. The keys arrive in the read-only chapter line, which keeps
// the focus. Leaving a chapter through the list, and closing, write the chapter's bookmark.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "data/ado_query.h"
#include "drill/jump_dialog.h"
#include "drill/jump_target.h"
#include "drill/keypad_scheme.h"
#include "drill/win/question_card.h"
#include "ui/combo_box.h"
#include "ui/db_text.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/image_list.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/tree_view.h"

class TADOConnection;

inline constexpr int kChapterCount = 4;
// Chapter k + 1 as the list names it, its range label, and its tree title (= lei1).
inline constexpr std::array<const wchar_t*, kChapterCount> kChapterListTexts = {
    L"一章 各种准驾驶车型通用试题(题号1-861)", L"二章 大型客车,牵引车专用试题(题号862-1080)",
    L"三章 城市公交车,中型客车,大型货车,小型汽车专用试题(题号1081-1149)", L"四章 其他准车型汽车(题号1150-1218)"};
inline constexpr std::array<const wchar_t*, kChapterCount> kChapterRanges = {L"题号1-861", L"题号862-1080",
                                                                               L"题号1081-1149", L"题号1150-1218"};
inline constexpr std::array<const wchar_t*, kChapterCount> kChapterTitles = {
    L"各准驾车型通用试题", L"大型客车牵引车专用试题", L"城市公交车中型客车大型货车小型汽车专用试题", L"其他准驾车型专用试题"};
// The two kind nodes under every section, in this order.
inline constexpr std::array<const wchar_t*, 2> kKindTexts = {L"单项选择题", L"判断题"};
inline constexpr const wchar_t* kShowTreeText = L"双击此处显示章节树";
inline constexpr const wchar_t* kHideTreeText = L"双击此处隐藏章节树";
inline constexpr const wchar_t* kEmptySetRange = L"题号0 无题";

class TForm4 : public TForm, public TJumpTarget {
public:
    // `bank` is the connection to jjj (question and tree queries), `aux` the one to bz
    // (the chapter bookmarks).
    TForm4(TComponent* owner, TADOConnection* bank, TADOConnection* aux);
    std::wstring ClassName() const override { return L"TForm4"; }

private:
    std::unique_ptr<TADOQuery> query1_;
    std::unique_ptr<TADOQuery> query2_;
    std::unique_ptr<TADOQuery> query3_;
    std::unique_ptr<QuestionCard> card_;

public:
    TADOQuery* const ADOQuery1;  // the current question set
    TADOQuery* const ADOQuery2;  // the bookmarks
    TADOQuery* const ADOQuery3;  // the tree's rows, open only while the tree is built

    TComboBox* ComboBox1;  // the chapter list
    TEdit* Edit1;          // the chapter line over the list's text
    TDBText* DBText7;      // the section of the current question
    TLabel* Label19;       // the range label
    TLabel* Label20;       // the tree switch
    TPanel* Panel2;        // the question card
    TLabel* Label12;       // the feedback line
    TImage* Image5;        // the third badge
    TLabel* Label18;       // "加入强化练习"
    TImage* Image1;        // the decorative picture
    TPanel* Panel1;        // the help lines
    TPanel* Panel3;        // the tree panel
    TTreeView* TreeView1;
    TImageList* ImageList1;

    // The chapter whose bookmark the next chapter switch or the closing writes (1..4).
    int current_chapter = 1;

    void FormCreate();
    void ComboBox1Click();
    void ComboBox1Change();
    void ComboBox1CloseUp();
    void Edit1KeyPress(wchar_t& key);
    void Edit1KeyDown(WORD& key, TShiftState shift);
    void Label18Click();
    void Label20DblClick();
    void TreeView1Change(TTreeNode* node);
    void TreeView1GetSelectedIndex(TTreeNode* node);
    void FormClose(TCloseAction& action);
    // Redraws the card's picture from the current row.
    void tpxs() { card_->tpxs(); }

    // The jump dialog's Enter: question id n of the current set, if it holds one.
    void JumpTo(int n) override;
    // The program's jump dialog, handed over by whoever opens the window; key "9" shows it.
    TJumpDialog* JumpDialog = nullptr;

    QuestionCard& Card() { return *card_; }
    // The statement the question query runs for a tree node.
    static std::string NodeStatement(const TTreeNode* node);

private:
    void BuildTree();
    void WriteBookmark();
    void SetRefresh();
    void CardRefresh();
    void Previous();
    void Next();
    void Answer(int code);
    void CloseOnce();

    std::unique_ptr<KeypadScheme> keys_;
    bool closing_ = false;
};
