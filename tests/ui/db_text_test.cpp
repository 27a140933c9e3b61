// TDBText follows its dataset's current row and lets go of the dataset when it goes.
#include <cstring>
#include <map>
#include <new>

#include "ui/db_rich_edit.h"
#include "ui/db_text.h"
#include "ui/builders.h"
#include "ui_test_support.h"

namespace {

class FakeDataSet : public DataSetView {
public:
    std::vector<std::map<std::string, std::string>> rows;
    int current = -1;

    bool HasCurrentRow() const override { return current >= 0 && current < int(rows.size()); }
    std::string CurrentText(const std::string& field) const override {
        if (!HasCurrentRow()) return std::string();
        const auto& row = rows[size_t(current)];
        const auto it = row.find(field);
        return it == row.end() ? std::string() : it->second;
    }
    void MoveTo(int row) {
        current = row;
        NotifyObservers();
    }
};

class DBTextTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        data.rows = {{{"timu", "驾驶机动车在道路上行驶时，应当怎样做？"}, {"A", "减速"}},
                     {{"timu", "行人横过道路时应当怎样做？"}, {"A", "停车让行"}}};
        form.reset(new TForm(nullptr));
        form->BorderStyle = bsNone;
        form->SetBounds(0, 0, 400, 300);
        form->Color = clWhite;
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }
    TDBText* AddText(const std::string& field) {
        auto* text = new TDBText(form.get());
        text->Parent = form.get();
        text->SetBounds(10, 10, 300, 60);
        text->DataField = field;
        text->DataSource = &data;
        return text;
    }
    FakeDataSet data;
    Owned<TForm> form;
};

TEST_F(DBTextTest, FollowsTheCurrentRowAndRepaints) {
    TDBText* text = AddText("timu");
    EXPECT_EQ(text->DisplayText(), L"");  // no current row yet
    data.MoveTo(0);
    EXPECT_EQ(text->DisplayText(), L"驾驶机动车在道路上行驶时，应当怎样做？");
    form->Show();
    HWND hwnd = form->WindowHandle();
    UpdateWindow(hwnd);
    const Bitmap32 first = PrintClient(hwnd);

    data.MoveTo(1);
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_EQ(RectText(update), "10,10,310,70");
    EXPECT_EQ(text->DisplayText(), L"行人横过道路时应当怎样做？");
    const Bitmap32 second = PrintClient(hwnd);
    EXPECT_NE(first.pixels, second.pixels);
    EXPECT_GT(CountOther(second, text->BoundsRect(), Rgb(255, 255, 255)), 50);

    data.MoveTo(-1);  // closed
    EXPECT_EQ(text->DisplayText(), L"");
    EXPECT_EQ(CountOther(PrintClient(hwnd), text->BoundsRect(), Rgb(255, 255, 255)), 0);

    data.MoveTo(0);
    text->DataField = "nosuchcolumn";
    EXPECT_EQ(text->DisplayText(), L"");
    text->DataField = "A";
    EXPECT_EQ(text->DisplayText(), L"减速");
}

TEST_F(DBTextTest, WordWrapSpreadsALongTextOverLines) {
    TDBText* text = AddText("timu");
    text->SetBounds(10, 10, 120, 200);
    text->WordWrap = true;
    text->Font->Height = 16;
    data.MoveTo(0);
    form->Create();
    const Bitmap32 shot = PrintClient(form->WindowHandle());
    // Ink below the first line.
    EXPECT_GT(CountOther(shot, RECT{10, 36, 130, 210}, Rgb(255, 255, 255)), 20);
}

TEST_F(DBTextTest, LetsGoOfTheDataSetWhenRebindOrDestroyed) {
    TDBText* text = AddText("timu");
    FakeDataSet other;
    other.rows = {{{"timu", "其他"}}};
    text->DataSource = &other;
    other.MoveTo(0);
    EXPECT_EQ(text->DisplayText(), L"其他");
    form->Show();
    UpdateWindow(form->WindowHandle());
    data.MoveTo(1);  // the old dataset no longer reaches it
    EXPECT_FALSE(GetUpdateRect(form->WindowHandle(), nullptr, FALSE));

    // A text deleted while its dataset lives on: a stale registration would call into the
    // zeroed storage and crash right here.
    alignas(TDBText) unsigned char storage[sizeof(TDBText)];
    auto* gone = new (storage) TDBText(nullptr);
    gone->DataField = "timu";
    gone->DataSource = &data;
    gone->~TDBText();
    std::memset(storage, 0, sizeof(storage));
    TDBText* still = AddText("A");
    data.MoveTo(0);
    EXPECT_EQ(still->DisplayText(), L"减速");
}

TEST_F(DBTextTest, ADataSetThatGoesFirstUnbindsItsTextsInEitherOrderOfAFormsMembers) {
    // A form whose dataset is a member: the member goes before the form's components.
    struct CardForm : TForm {
        explicit CardForm() : TForm(nullptr) {
            Text1 = new TDBText(this);
            Text1->Parent = this;
            Text1->SetBounds(10, 10, 300, 40);
            Text1->DataField = "timu";
            Text1->DataSource = &Query1;
        }
        FakeDataSet Query1;
        TDBText* Text1;
    };
    {
        Owned<CardForm> card(new CardForm);
        card->Query1.rows = data.rows;
        card->Query1.MoveTo(0);
        card->Show();
        EXPECT_EQ(card->Text1->DisplayText(), L"驾驶机动车在道路上行驶时，应当怎样做？");
    }

    // A dataset destroyed while its texts live on; its storage is then scribbled over, so
    // a text still pointing there would crash when it repaints or goes.
    alignas(FakeDataSet) unsigned char storage[sizeof(FakeDataSet)];
    auto* early = new (storage) FakeDataSet;
    early->rows = data.rows;
    TDBText* text = AddText("timu");
    text->DataSource = early;
    early->MoveTo(1);
    form->Show();
    EXPECT_EQ(text->DisplayText(), L"行人横过道路时应当怎样做？");
    early->~FakeDataSet();
    for (size_t i = 0; i < sizeof(storage); ++i) storage[i] = static_cast<unsigned char>(i * 7 + 1);
    EXPECT_EQ(text->DataSource.Get(), nullptr);
    EXPECT_EQ(text->DisplayText(), L"");
    EXPECT_EQ(CountOther(PrintClient(form->WindowHandle()), text->BoundsRect(), Rgb(255, 255, 255)), 0);
    form.reset();

    // The other order: the form with its texts goes, the dataset outlives it with no one left
    // on its list.
    form.reset(new TForm(nullptr));
    AddText("timu");
    AddText("A");
    EXPECT_EQ(data.ObserverCount(), 2u);
    form.reset();
    EXPECT_EQ(data.ObserverCount(), 0u);
    data.MoveTo(0);
}

// The rich-text box wraps its lines inside the area left of its vertical scroll bar: the last
// character of every line stands wholly inside the client area, and the lines use it.
TEST_F(DBTextTest, TheRichTextBoxWrapsInsideTheAreaLeftOfItsScrollBar) {
    std::string law = "道路交通安全法\r\n";
    for (int i = 0; i < 30; ++i)
        law += "机动车驾驶人应当遵守道路交通安全法律、法规的规定，按照操作规范安全驾驶、文明驾驶，不得有妨碍安全驾驶的行为。";
    data.rows = {{{"nr", law}}};
    form->SetBounds(0, 0, 700, 560);
    auto* box = new TDBRichEdit(form.get());
    box->Parent = form.get();
    box->SetBounds(10, 10, 561, 497);
    SetSongFont(box, 14, clBlack, fsBold);
    box->DataField = "nr";
    box->DataSource = &data;
    data.MoveTo(0);
    form->Show();
    PumpFor(100);
    HWND h = box->WindowHandle();
    RECT client{};
    GetClientRect(h, &client);
    const int lines = int(SendMessageW(h, EM_GETLINECOUNT, 0, 0));
    ASSERT_GT(lines, 20);
    int widest = 0;
    for (int line = 0; line < lines; ++line) {
        const int start = int(SendMessageW(h, EM_LINEINDEX, WPARAM(line), 0));
        const int length = int(SendMessageW(h, EM_LINELENGTH, WPARAM(start), 0));
        if (length < 2) continue;
        // The line's last character ends where the next one would start on the same line: at
        // least one character's width (14 px) after its own start.
        POINTL last{};
        SendMessageW(h, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&last), LPARAM(start + length - 1));
        EXPECT_LE(last.x + 14, client.right) << "line " << line << " runs past the visible area";
        widest = std::max(widest, int(last.x) + 14);
    }
    EXPECT_GT(widest, client.right - 40) << "the lines use the width there is";
}

}  // namespace
