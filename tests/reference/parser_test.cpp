#include <gtest/gtest.h>

#include "base/utf.h"
#include "reference/html/entities.h"
#include "reference/html/parser.h"

using html::Document;
using html::Tag;

namespace {

// The tree as text: elements as <name>...</name>, text as written. Attributes are left out.
std::string Shape(const Document& doc, int node) {
    const html::Node& n = doc.At(node);
    if (n.isText) return WideToUtf8(n.text);
    std::string out = "<" + n.name + ">";
    for (int child : n.children) out += Shape(doc, child);
    return out + "</" + n.name + ">";
}

std::string BodyOf(const std::wstring& page) {
    const Document doc = html::ParseDocument(page);
    std::string out;
    for (int child : doc.At(doc.body).children) out += Shape(doc, child);
    return out;
}

}  // namespace

TEST(Parser, ImpliedEndsOfParagraphsListsAndCells) {
    EXPECT_EQ(BodyOf(L"<p>one<p>two<div>three</div>"), "<p>one</p><p>two</p><div>three</div>");
    EXPECT_EQ(BodyOf(L"<ul><li>a<li>b</ul>"), "<ul><li>a</li><li>b</li></ul>");
    EXPECT_EQ(BodyOf(L"<dl><dt>t<dd>d<dt>u</dl>"), "<dl><dt>t</dt><dd>d</dd><dt>u</dt></dl>");
    EXPECT_EQ(BodyOf(L"<h1>a<h2>b</h2>"), "<h1>a</h1><h2>b</h2>");
    EXPECT_EQ(BodyOf(L"x</p>y"), "x<p></p>y");
    EXPECT_EQ(BodyOf(L"a<br>b</br>c"), "a<br></br>b<br></br>c");
}

TEST(Parser, TablesGetTheirImpliedPartsAndStrayContentGoesBeforeThem) {
    EXPECT_EQ(BodyOf(L"<table><td>1<td>2<tr><td>3</table>"),
              "<table><tbody><tr><td>1</td><td>2</td></tr><tr><td>3</td></tr></tbody></table>");
    EXPECT_EQ(BodyOf(L"<table><tr>stray<td>in</td></tr></table>"),
              "stray<table><tbody><tr><td>in</td></tr></tbody></table>");
    EXPECT_EQ(BodyOf(L"<table><b>bold</b><tr><td>x</table>"),
              "<b>bold</b><table><tbody><tr><td>x</td></tr></tbody></table>");
    // A table straight inside a table ends the first; one inside a cell nests.
    EXPECT_EQ(BodyOf(L"<table><tr><td><table><tr><td>in</table>out</table>"),
              "<table><tbody><tr><td><table><tbody><tr><td>in</td></tr></tbody></table>out</td></tr></tbody></table>");
    EXPECT_EQ(BodyOf(L"<td>no table</td>"), "no table");
}

TEST(Parser, MisnestedFormattingIsRepairedAsBrowsersDo) {
    EXPECT_EQ(BodyOf(L"<b>1<i>2</b>3</i>"), "<b>1<i>2</i></b><i>3</i>");
    EXPECT_EQ(BodyOf(L"<b>1<p>2</b>3</p>"), "<b>1</b><p><b>2</b>3</p>");
    EXPECT_EQ(BodyOf(L"<p><font>a<p>b</font>"), "<p><font>a</font></p><p><font>b</font></p>");
    EXPECT_EQ(BodyOf(L"<a href=1>x<a href=2>y</a>"), "<a>x</a><a>y</a>");
    // Formatting never leaks out of a cell.
    EXPECT_EQ(BodyOf(L"<table><tr><td><b>x</td><td>y</td></table>"),
              "<table><tbody><tr><td><b>x</b></td><td>y</td></tr></tbody></table>");
}

TEST(Parser, ReferencesInTextAndAttributes) {
    const Document doc = html::ParseDocument(L"<p title=\"a&amp;b&copy=1\">&lt;&nbsp;&#26631;&#x7EBF;&notit; &bogus; &#128; &#0;</p>");
    const html::Node& p = doc.At(doc.At(doc.body).children[0]);
    EXPECT_EQ(*p.Attr("title"), L"a&b&copy=1");
    EXPECT_EQ(doc.At(p.children[0]).text, L"<\u00A0标线¬it; &bogus; € \xFFFD");
    std::wstring out;
    size_t consumed = 0;
    EXPECT_TRUE(html::DecodeCharacterReference(L"hearts;", 0, false, out, consumed));
    EXPECT_EQ(out, L"♥");
    EXPECT_EQ(consumed, 7u);
}

TEST(Parser, RawTextTitleStyleAndDoctype) {
    const Document doc = html::ParseDocument(
        L"<!DOCTYPE html><title>标&amp;题</title><style>p>b{color:red}</style><script>if (a<b) x='</p>';</script><p>t");
    EXPECT_EQ(doc.title, L"标&题");
    ASSERT_EQ(doc.styleSheets.size(), 1u);
    EXPECT_EQ(doc.styleSheets[0], L"p>b{color:red}");
    EXPECT_FALSE(doc.quirks);
    EXPECT_EQ(BodyOf(L"<style>a</style><script>x<y</script><p>t"), "<style>a</style><script>x<y</script><p>t</p>");
    EXPECT_TRUE(html::ParseDocument(L"<html><p>").quirks);
    EXPECT_TRUE(html::ParseDocument(L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"><p>").quirks);
    EXPECT_FALSE(html::ParseDocument(L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\"><p>").quirks);
}

TEST(Parser, BodyAttributesAndBrokenTags) {
    const Document doc = html::ParseDocument(L"text<body bgcolor=red><body text=blue bgcolor=green><pre>\nkept\n</pre><p a='unterminated>");
    const html::Node& body = doc.At(doc.body);
    EXPECT_EQ(*body.Attr("bgcolor"), L"red");
    EXPECT_EQ(*body.Attr("text"), L"blue");
    EXPECT_EQ(BodyOf(L"<pre>\nkept\n</pre>a < b <3 <!-- c --> d</ x>"), "<pre>kept\n</pre>a < b <3  d");
}

TEST(Parser, LimitsBoundDepthNodesAndText) {
    html::ParseLimits limits;
    limits.maxDepth = 20;
    std::wstring deep;
    for (int i = 0; i < 1000; ++i) deep += L"<div>";
    deep += L"bottom";
    Document doc = html::ParseDocument(deep, limits);
    EXPECT_TRUE(doc.truncated);
    int depth = 0;
    for (int node = doc.body; !doc.At(node).children.empty(); node = doc.At(node).children.back()) ++depth;
    EXPECT_LE(depth, 20);
    EXPECT_EQ(doc.TextContent(doc.body), L"bottom");

    limits = {};
    limits.maxNodes = 100;
    std::wstring many;
    for (int i = 0; i < 1000; ++i) many += L"<p>x";
    doc = html::ParseDocument(many, limits);
    EXPECT_TRUE(doc.truncated);
    EXPECT_LE(doc.nodes.size(), 100u);

    limits = {};
    limits.maxTextChars = 1000;
    doc = html::ParseDocument(std::wstring(5000, L'字'), limits);
    EXPECT_TRUE(doc.truncated);
    EXPECT_LE(doc.TextContent(doc.body).size(), 1000u);
    // Reopened formatting copies its attributes: they count too.
    std::wstring reopened = L"<p><font face='" + std::wstring(400, L'x') + L"'>";
    for (int i = 0; i < 100; ++i) reopened += L"<p>t";
    doc = html::ParseDocument(reopened, limits);
    EXPECT_TRUE(doc.truncated);
}

TEST(Parser, TagNamesRoundTrip) {
    for (int t = 1; t <= int(Tag::Xmp); ++t) {
        const Tag tag = Tag(t);
        EXPECT_EQ(html::TagFromName(html::TagName(tag)), tag) << t;
    }
    EXPECT_EQ(html::TagFromName("blink2"), Tag::Unknown);
}
