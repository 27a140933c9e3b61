#include <gtest/gtest.h>

#include <filesystem>

#include "base/errors.h"
#include "base/utf.h"
#include "data/ado_query.h"
#include "reference/win/form8.h"
#include "support/sample_bank.h"
#include "ui/automation.h"
#include "viewer_fixture.h"

// The regulations viewer on a copy of the sample bank, with the sample's sign pages in the
// regulation folder.

namespace {

const std::wstring kFolder = L"C:\\voduvezu\\bzt\\";

class ViewerTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        InstallSignPages();
        bank_ = std::make_unique<SampleBank>();
    }
    void TearDown() override {
        viewer_.reset();
        bank_.reset();
        UiTest::TearDown();
    }

    TForm8* Open() {
        viewer_.reset(new TForm8(nullptr, &bank_->Module().ADOConnection2));
        viewer_->Show();
        EXPECT_TRUE(PumpUntil([&] { return viewer_->Active(); }));
        return viewer_.get();
    }
    void RunOnTexts(const std::string& sql) {
        TADOQuery q;
        q.Connection = &bank_->Module().ADOConnection2;
        q.SQL.SetText(sql);
        q.ExecSQL();
    }
    TTreeNode* Node(const std::wstring& text) {
        for (int i = 0; i < viewer_->TreeView1->Items->Count(); ++i)
            if (viewer_->TreeView1->Items->Item(i)->GetText() == text) return viewer_->TreeView1->Items->Item(i);
        ADD_FAILURE() << "no node " << WideToUtf8(text);
        return viewer_->TreeView1->Items->Item(0);
    }
    // Selects a node as a click on its row does.
    void Click(const std::wstring& text) {
        const RECT r = Node(text)->DisplayRect();
        ClickAt(viewer_->TreeView1->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PumpFor(20);
    }
    std::wstring Page() { return viewer_->WebBrowser1->LocationURL(); }
    bool PageShown() { return viewer_->Panel2->Visible; }
    std::wstring Text() { return viewer_->DBRichEdit1->DisplayText(); }

    std::unique_ptr<SampleBank> bank_;
    Owned<TForm8> viewer_;
};

}  // namespace

TEST_F(ViewerTest, OpensOnTheFirstLawWithTheWholeTreeAndNoPage) {
    TForm8* v = Open();
    EXPECT_EQ(v->Caption.Get(), L"法规法则");
    EXPECT_EQ(v->Width.Get(), 810);
    EXPECT_EQ(v->Height.Get(), 555);
    EXPECT_EQ(v->Color.Get(), clBtnFace);
    EXPECT_EQ(v->Panel1->Color.Get(), clHighlight);
    EXPECT_EQ(v->Panel1->Width * 10000 + v->Panel1->Height, 793 * 10000 + 521);
    EXPECT_EQ(v->Label1->Caption.Get(), L"道路交通安全法");
    EXPECT_EQ(v->Label1->Font->Color.Get(), clRed);
    EXPECT_EQ(v->Label1->Font->Height.Get(), 14);
    EXPECT_EQ(v->TreeView1->Width * 10000 + v->TreeView1->Height, 218 * 10000 + 497);
    EXPECT_EQ(v->DBRichEdit1->Width * 10000 + v->DBRichEdit1->Height, 561 * 10000 + 497);
    EXPECT_EQ(v->Panel2->Width * 10000 + v->Panel2->Height, 561 * 10000 + 495);
    EXPECT_EQ(v->WebBrowser1->Width * 10000 + v->WebBrowser1->Height, 559 * 10000 + 492);
    EXPECT_FALSE(PageShown());
    EXPECT_EQ(Page(), L"");

    // The fixed tree, fully expanded, nothing selected, its pictures W, F and P.
    EXPECT_EQ(v->TreeView1->Items->Count(), 24);
    EXPECT_EQ(v->TreeView1->VisibleNodes().size(), 24u);
    EXPECT_EQ(v->TreeView1->Selected.Get(), nullptr);
    EXPECT_EQ(Node(L"交通法规")->GetImageIndex() * 10 + Node(L"交通法规")->GetSelectedIndex(), 0);
    EXPECT_EQ(Node(L"交通标志")->GetImageIndex() * 10 + Node(L"交通标志")->GetSelectedIndex(), 1);
    EXPECT_EQ(Node(L"道路交通安全法")->GetImageIndex() * 10 + Node(L"道路交通安全法")->GetSelectedIndex(), 11);
    EXPECT_EQ(Node(L"道路交通标线")->GetImageIndex() * 10 + Node(L"道路交通标线")->GetSelectedIndex(), 11);
    EXPECT_EQ(Node(L"警告标线")->GetImageIndex() * 10 + Node(L"警告标线")->GetSelectedIndex(), 22);
    EXPECT_EQ(Node(L"汽车徽标")->GetImageIndex() * 10 + Node(L"汽车徽标")->GetSelectedIndex(), 0);
    EXPECT_EQ(Node(L"警告标线")->Level(), 2);

    // The first row of nr in table order, as rich text.
    v->ADOTable1->First();
    const std::wstring firstTitle = Utf8ToWide(v->ADOTable1->FieldByName("bt")->AsString());
    EXPECT_EQ(firstTitle, L"道路交通安全法");
    EXPECT_EQ(Text().find(firstTitle), 0u);
    EXPECT_GT(Text().size(), 200u);
    EXPECT_EQ(Text().find(L"\\rtf"), std::wstring::npos);

    // What the automation interface reports.
    const JsonValue dump = ParseJson(AutomationDumpWindow(v->Handle()));
    for (const JsonValue& c : dump["components"].items) {
        if (c["name"].text == "DBRichEdit1") {
            EXPECT_EQ(Utf8ToWide(c["caption"].text), Text());
        }
        if (c["name"].text == "WebBrowser1") {
            EXPECT_TRUE(c.Has("page"));
        }
    }
}

TEST_F(ViewerTest, ArrowKeysApplyTheNodeRulesToEveryNodePassed) {
    TForm8* v = Open();
    struct Expected {
        const wchar_t* text;
        enum { Root, Law, Page } kind;
        const wchar_t* page;
    };
    const Expected walk[] = {
        {L"交通法规", Expected::Root, nullptr},
        {L"道路交通安全法", Expected::Law, nullptr},
        {L"道路交通安全法实施条例", Expected::Law, nullptr},
        {L"高速公路交通管理办法", Expected::Law, nullptr},
        {L"收费公路管理条例", Expected::Law, nullptr},
        {L"道路交通安全违法行为处理程序规定", Expected::Law, nullptr},
        {L"交通事故处理程序规定", Expected::Law, nullptr},
        {L"机动车驾驶员培训管理规定", Expected::Law, nullptr},
        {L"机动车登记规定", Expected::Law, nullptr},
        {L"机动车驾驶证申请和使用规定", Expected::Law, nullptr},
        {L"公安部三十条便民利民措施", Expected::Law, nullptr},
        {L"交通标志", Expected::Root, nullptr},
        {L"警告标志", Expected::Page, L"警告标志"},
        {L"禁令标志", Expected::Page, L"禁令标志"},
        {L"指示标志", Expected::Page, L"指示标志"},
        {L"指路标志", Expected::Page, L"指路标志"},
        {L"旅游区标志", Expected::Page, L"旅游区标志"},
        {L"道路施工安全标志", Expected::Page, L"道路施工安全标志"},
        {L"辅助标志", Expected::Page, L"辅助标志"},
        {L"道路交通标线", Expected::Page, L"禁止标线"},
        {L"禁止标线", Expected::Page, L"禁止标线"},
        {L"警告标线", Expected::Page, L"警告标线"},
        {L"指示标线", Expected::Page, L"指示标线"},
        {L"汽车徽标", Expected::Page, L"汽车徽标"},
    };
    Click(L"交通法规");
    bool shown = false;
    std::wstring page;
    for (size_t i = 0; i < std::size(walk); ++i) {
        if (i > 0) PressKey(VK_DOWN);
        const Expected& e = walk[i];
        SCOPED_TRACE(WideToUtf8(e.text));
        ASSERT_EQ(v->TreeView1->Selected.Get(), Node(e.text));
        EXPECT_EQ(v->Label1->Caption.Get(), e.text);
        if (e.kind == Expected::Law) {
            shown = false;
            EXPECT_EQ(Text().find(e.text), 0u) << "the law's text is on show";
        } else if (e.kind == Expected::Page) {
            shown = true;
            page = kFolder + e.page + L".htm";
        }
        EXPECT_EQ(PageShown(), shown);
        EXPECT_EQ(Page(), page);
        if (shown) {
            EXPECT_FALSE(v->WebBrowser1->PageFailed());
        }
    }
    // Back up: the root keeps the page, the law above it hides it.
    PressKey(VK_HOME);
    EXPECT_EQ(v->Label1->Caption.Get(), L"交通法规");
    EXPECT_TRUE(PageShown());
    EXPECT_EQ(Page(), kFolder + L"汽车徽标.htm");
    Click(L"指示标线");
    Click(L"交通标志");
    EXPECT_EQ(v->Label1->Caption.Get(), L"交通标志");
    EXPECT_EQ(Page(), kFolder + L"指示标线.htm");
    EXPECT_TRUE(PageShown());
    Click(L"收费公路管理条例");
    EXPECT_FALSE(PageShown());
    EXPECT_EQ(Text().find(L"收费公路管理条例"), 0u);
}

TEST_F(ViewerTest, ALawWithoutItsRowKeepsTheTextOnShow) {
    RunOnTexts("delete from nr where bt='机动车登记规定'");
    TForm8* v = Open();
    Click(L"交通事故处理程序规定");
    const std::wstring before = Text();
    Click(L"机动车登记规定");
    EXPECT_EQ(v->Label1->Caption.Get(), L"机动车登记规定");
    EXPECT_EQ(Text(), before);
    EXPECT_FALSE(PageShown());
}

TEST_F(ViewerTest, ARowTitledTheProhibitionSignsShowsTheirPageWhenItsTextLoads) {
    RunOnTexts("update nr set bt='  禁令标志 ' where rowid=(select min(rowid) from nr)");
    TForm8* v = Open();
    EXPECT_TRUE(PageShown());
    EXPECT_EQ(Page(), kFolder + L"禁令标志.htm");
    EXPECT_EQ(v->Label1->Caption.Get(), L"道路交通安全法");
}

TEST_F(ViewerTest, AMissingTableFailsTheOpening) {
    RunOnTexts("drop table nr");
    const int windows = ThreadWindowCount();
    EXPECT_THROW(Owned<TForm8>(new TForm8(nullptr, &bank_->Module().ADOConnection2)), EDatabaseError);
    EXPECT_EQ(ThreadWindowCount(), windows);
}

TEST_F(ViewerTest, ASignPageShowsItsPicturesAndTableBorders) {
    TForm8* v = Open();
    Click(L"警告标志");
    const html::PageLayout& layout = v->WebBrowser1->Layout();
    const Bitmap32 shot = PrintClient(v->WebBrowser1->Handle());
    int pictures = 0;
    for (const html::DisplayItem& item : layout.items) {
        if (item.kind != html::ItemKind::Picture || item.box.bottom > shot.height) continue;
        ++pictures;
        EXPECT_TRUE(item.readable);
        const RECT box{item.box.left, item.box.top, item.box.right, item.box.bottom};
        EXPECT_LT(ShareNear(shot, box, Rgb(255, 255, 255)), 0.9) << "a painted picture, not an empty box";
        // The cell's border runs down beside the picture, in the page's border colour.
        bool border = false;
        for (int x = box.right; x < box.right + 40 && !border; ++x)
            border = ShareNear(shot, RECT{x, box.top, x + 1, box.bottom}, Rgb(0x99, 0xAA, 0xBB)) > 0.9;
        EXPECT_TRUE(border);
    }
    EXPECT_GE(pictures, 2);
}

TEST_F(ViewerTest, AMissingPageShowsAPlainPageAndNoBox) {
    const std::filesystem::path page = kFolder + L"汽车徽标.htm";
    const std::filesystem::path aside = kFolder + L"汽车徽标.htm.aside";
    std::filesystem::rename(page, aside);
    TForm8* v = Open();
    Click(L"汽车徽标");
    std::filesystem::rename(aside, page);
    EXPECT_TRUE(PageShown());
    EXPECT_TRUE(v->WebBrowser1->PageFailed());
    EXPECT_NE(v->WebBrowser1->DisplayText().find(page.wstring()), std::wstring::npos);
    EXPECT_TRUE(Application->ShownBoxes().empty());
}
