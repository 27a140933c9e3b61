// Pages made to hurt the engine, each checked for what it must still come to: the styles the
// rules give, the text laid out, the limits held. (How long they take is the page benchmark's.)
#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "base/bmp.h"
#include "hostile_pages.h"
#include "page_test_support.h"

using html::ItemKind;

namespace {

const html::Style* StyleById(const LaidOutPage& page, const wchar_t* id) {
    for (size_t i = 0; i < page.doc.nodes.size(); ++i) {
        const std::wstring* value = page.doc.nodes[i].Attr("id");
        if (value && *value == id) return &page.styled.Of(int(i));
    }
    return nullptr;
}

void ExpectBoxesWellFormed(const html::PageLayout& layout) {
    for (const html::DisplayItem& item : layout.items) {
        EXPECT_LE(item.box.left, item.box.right);
        EXPECT_LE(item.box.top, item.box.bottom);
        if (item.box.left > item.box.right || item.box.top > item.box.bottom) return;
    }
}

}  // namespace

// Every rule is a candidate for every block; all of them must still be matched, not cut off
// by the work budget: the last rule that fits wins on every block that has an ancestor.
TEST(HostilePages, CssHeavyPageMatchesEveryRuleWithinTheBudget) {
    const std::wstring text = hostile::CssHeavyPage();
    EXPECT_GT(text.size(), 38000u);
    const LaidOutPage page = LayOut(text);
    for (int i = 1; i < 50; ++i) {
        const std::wstring id = L"d" + std::to_wstring(i);
        const html::Style* s = StyleById(page, id.c_str());
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->color, 0x101022u) << "block " << i;  // rule 1022: ".a62 .b30", the last with an even a-class
    }
    EXPECT_EQ(StyleById(page, L"d0")->color, 0u);
    EXPECT_EQ(page.Texts().size(), 50u);
}

TEST(HostilePages, HalfAMillionCharacterClassAttributeIsSplitOnce) {
    const LaidOutPage page = LayOut(hostile::LongClassPage());
    EXPECT_EQ(StyleById(page, L"inner")->color, 0x00FF00u);
    EXPECT_FALSE(StyleById(page, L"p")->bold);  // that class is beyond the attribute's end
    EXPECT_EQ(StyleById(page, L"outer")->color, 0u);
    EXPECT_NE(page.Text(L"in"), nullptr);
}

TEST(HostilePages, ThirtyThousandTextRunsAllLaidOut) {
    const LaidOutPage page = LayOut(hostile::ManyRunsPage());
    size_t letters = 0;
    for (const html::DisplayItem* item : page.Texts()) letters += size_t(std::count(item->text.begin(), item->text.end(), L'x'));
    EXPECT_EQ(letters, 30000u);
    ExpectBoxesWellFormed(page.layout);
}

TEST(HostilePages, SixtyThousandNodesMisplacedInATableGoBeforeIt) {
    const LaidOutPage page = LayOut(hostile::MisplacedInTablePage());
    EXPECT_TRUE(page.doc.truncated);  // the node limit ends the parse
    const html::Node& body = page.doc.At(page.doc.body);
    ASSERT_GT(body.children.size(), 1000u);
    EXPECT_TRUE(page.doc.At(body.children.back()).Is(html::Tag::Table));
    EXPECT_TRUE(page.doc.At(body.children.front()).Is(html::Tag::Span));
    EXPECT_NE(page.Text(L"cell"), nullptr);
}

// Coordinates are cut far right, and a box cut there keeps its left edge at or before its right.
TEST(HostilePages, TableFarRightKeepsItsEdgesInOrder) {
    const LaidOutPage page = LayOut(hostile::FarRightTablePage());
    ExpectBoxesWellFormed(page.layout);
    bool red = false;
    for (const html::DisplayItem* fill : page.Items(ItemKind::Fill))
        if (fill->color == 0xFF0000u) {
            red = true;
            EXPECT_GE(fill->box.left, 1000000);
        }
    EXPECT_TRUE(red);
}

TEST(HostilePages, BitmapBombsAreBrokenPicturesWithinThePixelBudget) {
    // The bombs are real bitmap files: about 1 KB that declare 8192 x 8192 pixels.
    const std::string bomb = hostile::Rle8Bitmap(8192, 8192);
    EXPECT_LT(bomb.size(), 1200u);
    EXPECT_EQ(ReadBmpSize(std::span(reinterpret_cast<const uint8_t*>(bomb.data()), bomb.size())).height, 8192);
    FakeMeasurer measurer;
    hostile::AddBitmapBombPictures(measurer);
    const LaidOutPage page = LayOut(hostile::BitmapBombPage(), 400, &measurer);
    const auto pictures = page.Items(ItemKind::Picture);
    ASSERT_EQ(pictures.size(), 6u);
    // None fits the page's budget; the small picture after them is still shown, and only it is charged.
    for (size_t i = 0; i < 5; ++i) EXPECT_FALSE(pictures[i]->readable) << pictures[i]->text;
    EXPECT_TRUE(pictures[5]->readable);
    EXPECT_EQ(page.layout.picturePixels, 104 * 108);
    EXPECT_LE(page.layout.picturePixels, html::kPagePicturePixels);
    // A broken picture keeps the box of the size it declares.
    EXPECT_EQ(pictures[0]->box.Width(), 8192);
}

// Rules that need every placement tried, each a candidate for thousands of deep elements: the
// work budget ends the matching, and the page is still laid out whole.
TEST(HostilePages, DeepSelectorsEndAtTheWorkBudget) {
    const LaidOutPage page = LayOut(hostile::DeepSelectorsPage());
    size_t letters = 0;
    for (const html::DisplayItem* item : page.Texts()) letters += size_t(std::count(item->text.begin(), item->text.end(), L'x'));
    EXPECT_EQ(letters, 2000u);
    ExpectBoxesWellFormed(page.layout);
}
