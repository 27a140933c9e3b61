#include <gtest/gtest.h>

#include "page_test_support.h"

// The fake measurer makes every ASCII character 8 px and every other character 16 px wide at
// the default 16 px font, with lines 16 px high and the baseline 12 px below the line's top.

using html::ItemKind;

TEST(Layout, ChineseTextBreaksBetweenCharactersButNotBeforeClosingPunctuation) {
    const LaidOutPage page = LayOut(StandardsPage(L"<p style='margin:0'>一二三四五，六七（八）</p>"), 80);
    const auto texts = page.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->text, L"一二三四");
    EXPECT_EQ(texts[1]->text, L"五，六七");  // "，" never starts a line
    EXPECT_EQ(texts[2]->text, L"（八）");    // "（" never ends one
    EXPECT_EQ(texts[0]->baseline, 12);
    EXPECT_EQ(texts[1]->baseline, 28);
    EXPECT_EQ(page.layout.height, 48);
}

TEST(Layout, WordsWrapAtSpacesAndLinesAreAligned) {
    const LaidOutPage page = LayOut(StandardsPage(L"<p style='margin:0;text-align:center'>aaaa   bbbb\ncccc</p>"
                                                  L"<p style='margin:0' align=right>r</p>"), 80);
    const auto texts = page.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->text, L"aaaa bbbb");  // spaces collapsed, the space at the line end dropped
    EXPECT_EQ(texts[0]->box.left, 4);
    EXPECT_EQ(texts[0]->box.right, 76);
    EXPECT_EQ(texts[1]->text, L"cccc");
    EXPECT_EQ(texts[1]->box.left, 24);
    EXPECT_EQ(texts[2]->box.left, 72);
    // A word in two styles does not break between them, even when it overflows.
    const LaidOutPage word = LayOut(StandardsPage(L"<b>bold</b>er x"), 40);
    ASSERT_EQ(word.Texts().size(), 3u);
    EXPECT_EQ(word.Texts()[1]->text, L"er");
    EXPECT_EQ(word.Texts()[1]->baseline, word.Texts()[0]->baseline);
    EXPECT_EQ(word.Texts()[2]->baseline, 28);
}

TEST(Layout, LineBreaksAndPreformattedText) {
    const LaidOutPage page = LayOut(StandardsPage(L"a<br><br>b<pre style='margin:0'>x  y\n\tz\n</pre>c<br>"), 400);
    const auto texts = page.Texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0]->baseline, 12);
    EXPECT_EQ(texts[1]->text, L"b");
    EXPECT_EQ(texts[1]->baseline, 44);  // an empty line between
    EXPECT_EQ(texts[2]->text, L"x  y");
    EXPECT_EQ(texts[3]->text, L"        z");
    EXPECT_EQ(page.layout.fonts[size_t(texts[2]->font)].face, L"monospace");
    EXPECT_EQ(texts[4]->text, L"c");
    EXPECT_EQ(texts[4]->baseline, 92);
    EXPECT_EQ(page.layout.height, 96);  // a <br> at the end adds no line
}

TEST(Layout, ListMarkersCountAndShowTheirKind) {
    const LaidOutPage page = LayOut(StandardsPage(L"<ol start=3><li>a<li value=10>b<li>c</ol><ol type=i><li>x<li>y</ol><ul><li>d</ul>"));
    std::vector<std::wstring> labels;
    for (const html::DisplayItem* t : page.Texts())
        if (t->text.back() == L'.') labels.push_back(t->text);
    EXPECT_EQ(labels, (std::vector<std::wstring>{L"3.", L"10.", L"11.", L"i.", L"ii."}));
    const auto discs = page.Items(ItemKind::Disc);
    ASSERT_EQ(discs.size(), 1u);
    const html::DisplayItem* d = page.Text(L"d");
    EXPECT_LT(discs[0]->box.right, d->box.left);
    EXPECT_GT(discs[0]->box.bottom, d->box.top);
    EXPECT_LT(discs[0]->box.top, d->baseline);
}

TEST(Layout, TableColumnsFromFixedPercentAndContentWidths) {
    const LaidOutPage fixed = LayOut(StandardsPage(L"<table cellspacing=0 cellpadding=0><tr><td width=50>a</td><td>bb bb</td></tr></table>"));
    EXPECT_EQ(fixed.Text(L"a")->box.left, 0);
    EXPECT_EQ(fixed.Text(L"bb bb")->box.left, 50);

    const LaidOutPage percent = LayOut(StandardsPage(L"<table width=100% cellspacing=0 cellpadding=0><tr><td>a</td><td width=25%>b</td></tr></table>"));
    EXPECT_EQ(percent.Text(L"b")->box.left, 300);

    // Narrow room: the columns shrink toward their narrowest and the text wraps.
    const LaidOutPage narrow = LayOut(StandardsPage(L"<table cellspacing=0 cellpadding=0><tr><td>aaaa aaaa</td><td>bbbb bbbb</td></tr></table>"), 100);
    EXPECT_EQ(narrow.Text(L"bbbb")->box.left, 50);
    EXPECT_EQ(narrow.Texts().size(), 4u);

    // Spacing and padding: cellspacing 3 at the edges and between, cellpadding 2 around content.
    const LaidOutPage spaced = LayOut(StandardsPage(L"<table cellspacing=3 cellpadding=2><tr><td>a</td><td>b</td></tr></table>"));
    EXPECT_EQ(spaced.Text(L"a")->box.left, 5);
    EXPECT_EQ(spaced.Text(L"b")->box.left, 5 + 8 + 2 + 3 + 2);
}

TEST(Layout, SpansAndVerticalAlignment) {
    const LaidOutPage page = LayOut(StandardsPage(
        L"<table cellspacing=0 cellpadding=0><tr><td rowspan=2>tall</td><td>1</td></tr><tr><td>2</td></tr>"
        L"<tr><td colspan=2 valign=bottom height=40>ww</td></tr><tr><td rowspan=0 valign=top>x</td><td>p<br>q</td></tr></table>"));
    EXPECT_EQ(page.Text(L"1")->box.left, 32);
    EXPECT_EQ(page.Text(L"2")->box.left, 32);
    EXPECT_EQ(page.Text(L"1")->baseline, 12);
    EXPECT_EQ(page.Text(L"2")->baseline, 28);
    EXPECT_EQ(page.Text(L"tall")->baseline, 20);  // middle of two rows
    EXPECT_EQ(page.Text(L"ww")->box.left, 0);
    EXPECT_EQ(page.Text(L"ww")->baseline, 32 + 40 - 4);
    EXPECT_EQ(page.Text(L"x")->baseline, 72 + 12);
    EXPECT_EQ(page.layout.height, 72 + 32);
}

TEST(Layout, CollapsedBordersShareOneLineAndSeparateOnesKeepTheirSpacing) {
    const LaidOutPage page = LayOut(StandardsPage(L"<table><tr><td>a</td><td>b</td></tr></table>",
                                                  L"table{border-collapse:collapse}td{border:1px solid #9ab;padding:6px}"));
    EXPECT_EQ(page.Text(L"a")->box.left, 7);
    EXPECT_EQ(page.Text(L"b")->box.left, 28);
    int sharedLines = 0;
    for (const html::DisplayItem* fill : page.Items(ItemKind::Fill)) {
        EXPECT_EQ(fill->color, 0x99AABBu);
        if (fill->box.left == 21 && fill->box.right == 22) ++sharedLines;
    }
    EXPECT_EQ(sharedLines, 2);  // a's right border and b's left border on the same pixel column

    const LaidOutPage raised = LayOut(StandardsPage(L"<table border=1 bgcolor=yellow><tr><td bgcolor=#00ff00>a</td></tr></table>"));
    const auto fills = raised.Items(ItemKind::Fill);
    ASSERT_GE(fills.size(), 10u);
    EXPECT_EQ(fills[0]->color, 0xFFFF00u);  // the table's background, painted first
    EXPECT_EQ(fills[1]->color, 0x00FF00u);
    EXPECT_EQ(fills[1]->box.left, 3);        // border 1 + spacing 2
    EXPECT_EQ(raised.Text(L"a")->box.left, 3 + 1 + 1);
}

TEST(Layout, PicturesTakeGivenNaturalOrPlaceholderSizes) {
    FakeMeasurer measurer;
    measurer.pictures[L"k.bmp"] = {100, 40};
    const LaidOutPage page = LayOut(StandardsPage(L"<a href='b.htm#x'><img src='k.bmp' width=50 border=2></a>"
                                                  L"<img src=missing.bmp width=30 height=20><img src=none.bmp><img src=k.bmp>"),
                                    400, &measurer);
    const auto pictures = page.Items(ItemKind::Picture);
    ASSERT_EQ(pictures.size(), 4u);
    EXPECT_EQ(pictures[0]->box.Width(), 50);
    EXPECT_EQ(pictures[0]->box.Height(), 20);
    EXPECT_EQ(pictures[0]->box.left, 2);
    EXPECT_TRUE(pictures[0]->readable);
    EXPECT_EQ(pictures[1]->box.Width(), 30);
    EXPECT_EQ(pictures[1]->box.Height(), 20);
    EXPECT_FALSE(pictures[1]->readable);
    EXPECT_EQ(pictures[2]->box.Width(), 24);
    EXPECT_EQ(pictures[3]->box.Width(), 100);
    EXPECT_EQ(pictures[3]->box.Height(), 40);
    // Bottoms on the baseline of one line.
    EXPECT_EQ(pictures[1]->box.bottom, pictures[3]->box.bottom);
    const int link = page.layout.LinkAt(pictures[0]->box.left + 5, pictures[0]->box.top + 5);
    ASSERT_GE(link, 0);
    EXPECT_EQ(page.layout.links[size_t(link)], L"b.htm#x");
    EXPECT_EQ(page.layout.LinkAt(pictures[1]->box.left + 5, pictures[1]->box.top + 5), -1);
}

// The page's pictures share one pixel budget, charged once per picture at its natural size,
// in the order they are laid out; a picture that does not fit is broken, later small ones still show.
TEST(Layout, PicturesShareThePagesPixelBudget) {
    FakeMeasurer measurer;
    measurer.pictures[L"big.bmp"] = {3000, 3000};
    measurer.pictures[L"big2.bmp"] = {3000, 3000};
    measurer.pictures[L"small.bmp"] = {100, 100};
    const LaidOutPage page = LayOut(StandardsPage(L"<img src=big.bmp width=30><img src=big2.bmp><img src=big.bmp>"
                                                  L"<table><tr><td><img src=small.bmp></td></tr></table>"),
                                    400, &measurer);
    const auto pictures = page.Items(ItemKind::Picture);
    ASSERT_EQ(pictures.size(), 4u);
    EXPECT_TRUE(pictures[0]->readable);
    EXPECT_FALSE(pictures[1]->readable);
    EXPECT_TRUE(pictures[2]->readable);  // the same picture again costs nothing more
    EXPECT_TRUE(pictures[3]->readable);
    EXPECT_EQ(page.layout.picturePixels, 3000 * 3000 + 100 * 100);
    EXPECT_EQ(pictures[1]->box.Width(), 3000);
}

TEST(Layout, ContentWidthReachesTheWidestItem) {
    EXPECT_EQ(LayOut(StandardsPage(L"<p>short</p>")).layout.contentWidth, 400);
    const LaidOutPage wide = LayOut(StandardsPage(L"<table width=900 bgcolor=#00ff00><tr><td>x</td></tr></table>"
                                                  L"<img src=missing.bmp alt='禁止通行' width=20 height=20>"));
    EXPECT_EQ(wide.layout.contentWidth, 900);
    EXPECT_EQ(wide.Items(ItemKind::Picture).at(0)->alt, L"禁止通行");
}

TEST(Layout, AnchorsMarkWhereTheyStand) {
    const LaidOutPage page = LayOut(StandardsPage(L"<a name=top></a><p style='margin:0'>x</p><div style='height:500px'></div>"
                                                  L"<h2 id=sec style='margin:0'>S</h2>text <a name=inline>y</a>"));
    EXPECT_EQ(page.layout.AnchorTop(L"top"), 0);
    EXPECT_EQ(page.layout.AnchorTop(L"sec"), 516);
    EXPECT_EQ(page.layout.AnchorTop(L"inline"), 516 + 24);  // below the 24 px heading
    EXPECT_EQ(page.layout.AnchorTop(L"nowhere"), std::nullopt);
}

TEST(Layout, BlocksMarginsRulesAndBackgrounds) {
    const LaidOutPage page = LayOut(L"<!DOCTYPE html><body bgcolor=silver><p>one</p><p>two</p><hr width=50%>"
                                    L"<div style='background:red;width:100px;margin:0 auto;padding:4px'>c</div></body>");
    EXPECT_EQ(page.layout.canvas, 0xC0C0C0u);
    EXPECT_EQ(page.Text(L"one")->box.left, 8);
    EXPECT_EQ(page.Text(L"one")->baseline, 8 + 16 + 12);
    EXPECT_EQ(page.Text(L"two")->baseline, 8 + 16 + 16 + 16 + 12);  // 16 px between, not 32
    const auto fills = page.Items(ItemKind::Fill);
    ASSERT_EQ(fills.size(), 5u);
    EXPECT_EQ(fills[0]->box.Width(), 192 + 2);  // the rule: half of 384 and its two edges, centred
    EXPECT_EQ(fills[0]->box.left, 8 + 95);
    const html::DisplayItem* box = fills[4];
    EXPECT_EQ(box->color, 0xFF0000u);
    EXPECT_EQ(box->box.Width(), 108);
    EXPECT_EQ(box->box.left, 8 + (384 - 108) / 2);
    EXPECT_EQ(page.Text(L"c")->box.left, box->box.left + 4);
}

TEST(Layout, ContentPastTheTallestPageStaysWithinIt) {
    std::wstring body;
    for (int i = 0; i < 201; ++i) body += L"<div style='height:10000px'></div>";
    body += L"<table><tr><td>a</td></tr></table><p>after</p><ul><li>marker</li></ul><p><big>gj</big></p>";
    const LaidOutPage page = LayOut(StandardsPage(body, L"table{border-collapse:collapse}td{border:3px solid red}"));
    EXPECT_EQ(page.layout.height, html::kMaxPageHeight);
    for (const html::DisplayItem& item : page.layout.items) {
        EXPECT_GE(item.box.top, 0);
        EXPECT_LE(item.box.bottom, html::kMaxPageHeight);
    }
}
