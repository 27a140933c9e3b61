#include <gtest/gtest.h>

#include "reference/html/parser.h"
#include "reference/html/style.h"
#include "reference/html/values.h"

using html::Style;

namespace {

// The style of the element with the given id.
struct Styled {
    html::Document doc;
    html::StyledDocument styled;

    explicit Styled(const std::wstring& page) : doc(html::ParseDocument(page)), styled(html::ComputeStyles(doc)) {}

    const Style& Of(const wchar_t* id) const {
        for (size_t i = 0; i < doc.nodes.size(); ++i) {
            const std::wstring* value = doc.nodes[i].Attr("id");
            if (value && *value == id) return styled.Of(int(i));
        }
        ADD_FAILURE() << "no element with that id";
        return styled.Of(0);
    }
    std::wstring Face(const wchar_t* id) const { return styled.faces[size_t(Of(id).face)]; }
};

}  // namespace

TEST(Style, ColoursAsPagesWriteThem) {
    EXPECT_EQ(html::ParseLegacyColor(L"#FF0000"), 0xFF0000u);
    EXPECT_EQ(html::ParseLegacyColor(L"ff0000"), 0xFF0000u);
    EXPECT_EQ(html::ParseLegacyColor(L"#f00"), 0xFF0000u);
    EXPECT_EQ(html::ParseLegacyColor(L"Navy"), 0x000080u);
    EXPECT_EQ(html::ParseLegacyColor(L"chucknorris"), 0xC00000u);
    EXPECT_EQ(html::ParseLegacyColor(L""), std::nullopt);
    EXPECT_EQ(html::ParseCssColor(L"#9ab"), 0x99AABBu);
    EXPECT_EQ(html::ParseCssColor(L"rgb(255, 50%, 0)"), 0xFF8000u);
    EXPECT_EQ(html::ParseCssColor(L"transparent"), html::kNoColor);
    EXPECT_EQ(html::ParseCssColor(L"rgb(1,2)"), std::nullopt);
    EXPECT_EQ(html::ParseCssColor(L"notacolour"), std::nullopt);
}

TEST(Style, PresentationalAttributes) {
    Styled s(L"<body bgcolor=#ffffe0 text=navy link=green>"
             L"<font id=f size=5 color=red face='楷体_GB2312'>x<font id=g size=-1>y</font><font id=h size=+9>z</font></font>"
             L"<a id=a href=x.htm>l</a><a id=n name=n>m</a><center id=c><p id=p align=right>t</p></center>"
             L"<table id=t border=2 cellpadding=5 cellspacing=0 bordercolor=blue><tr valign=top><td id=d nowrap>c</td>"
             L"<th id=e>h</th></tr></table><hr id=r noshade size=4>");
    EXPECT_EQ(s.styled.canvas, 0xFFFFE0u);
    EXPECT_EQ(s.Of(L"f").fontSize, 24);
    EXPECT_EQ(s.Of(L"f").color, 0xFF0000u);
    EXPECT_EQ(s.Face(L"f"), L"楷体_GB2312");
    EXPECT_EQ(s.Of(L"g").fontSize, 13);
    EXPECT_EQ(s.Of(L"h").fontSize, 48);
    EXPECT_EQ(s.Of(L"a").color, 0x008000u);
    EXPECT_TRUE(s.Of(L"a").underline);
    EXPECT_EQ(s.Of(L"n").color, 0x000080u);
    EXPECT_FALSE(s.Of(L"n").underline);
    EXPECT_EQ(s.Of(L"c").textAlign, html::TextAlign::Center);
    EXPECT_EQ(s.Of(L"p").textAlign, html::TextAlign::Right);
    const Style& table = s.Of(L"t");
    EXPECT_EQ(table.border[html::kLeft].width, 2);
    EXPECT_EQ(table.border[html::kLeft].color, 0x0000FFu);
    EXPECT_EQ(table.borderSpacing, 0);
    const Style& cell = s.Of(L"d");
    EXPECT_EQ(cell.padding[html::kTop].value, 5);
    EXPECT_EQ(cell.border[html::kTop].width, 1);
    EXPECT_EQ(cell.verticalAlign, html::VerticalAlign::Top);
    EXPECT_EQ(cell.whiteSpace, html::WhiteSpace::NoWrap);
    EXPECT_TRUE(s.Of(L"e").bold);
    EXPECT_EQ(s.Of(L"e").textAlign, html::TextAlign::Center);
    EXPECT_EQ(s.Of(L"r").background, 0x808080u);
    EXPECT_EQ(s.Of(L"r").height.value, 4);
}

TEST(Style, StyleSheetsCascadeBySpecificityOrderAndImportance) {
    Styled s(L"<!DOCTYPE html><style>"
             L"p{color:red;font-size:10px} .x{color:green} p.x{color:blue} #i{color:#123456}"
             L"div p{font-weight:bold} div>span{font-style:italic} a:link{color:#0a0} a:hover{color:red}"
             L"q{color:red!important} b{font:italic bold 12pt/2 \"Microsoft YaHei\", 黑体}"
             L"@media print { p { color: black } } h1,h2{margin:0 1em}</style>"
             L"<p id=p1>a</p><p id=p2 class='y x'>b</p><p id=i class=x>c</p><p id=p3 style='color:#fff;font-size:2em'>d</p>"
             L"<div><p id=p4><span id=s1>e</span></p><span id=s2>f</span></div>"
             L"<a id=l href=a>g</a><q id=q style='color:blue'>h</q><b id=b>i</b><h2 id=h>j</h2>");
    EXPECT_EQ(s.Of(L"p1").color, 0xFF0000u);
    EXPECT_EQ(s.Of(L"p2").color, 0x0000FFu);
    EXPECT_EQ(s.Of(L"i").color, 0x123456u);
    EXPECT_EQ(s.Of(L"p3").color, 0xFFFFFFu);
    EXPECT_EQ(s.Of(L"p3").fontSize, 32);  // 2em of the body's 16px: the element's own rule does not count
    EXPECT_TRUE(s.Of(L"p4").bold);
    EXPECT_FALSE(s.Of(L"p1").bold);
    EXPECT_FALSE(s.Of(L"s1").italic);
    EXPECT_TRUE(s.Of(L"s2").italic);
    EXPECT_EQ(s.Of(L"l").color, 0x00AA00u);
    EXPECT_EQ(s.Of(L"q").color, 0xFF0000u);
    const Style& b = s.Of(L"b");
    EXPECT_TRUE(b.italic);
    EXPECT_TRUE(b.bold);
    EXPECT_EQ(b.fontSize, 16);
    EXPECT_EQ(b.lineHeightFactor, 2.0f);
    EXPECT_EQ(s.Face(L"b"), L"\"Microsoft YaHei\", 黑体");
    EXPECT_EQ(s.Of(L"h").margin[html::kTop].value, 0);
    EXPECT_EQ(s.Of(L"h").margin[html::kLeft].value, 24);  // 1em of the heading's own 24px
}

TEST(Style, QuirksTablesStartFontsAfresh) {
    const std::wstring body = L"<style>body{font-size:12px}</style><center><font size=5><table><tr><td id=d>x</td></tr></table></font></center>";
    Styled quirks(L"<html>" + body);
    EXPECT_EQ(quirks.Of(L"d").fontSize, 16);
    EXPECT_EQ(quirks.Of(L"d").textAlign, html::TextAlign::Left);
    Styled standards(L"<!DOCTYPE html>" + body);
    EXPECT_EQ(standards.Of(L"d").fontSize, 24);
}

TEST(Style, BordersMarginsAndLists) {
    Styled s(L"<style>td{border:1px solid #9ab;padding:6px} .t{border-collapse:collapse} "
             L"div{border-top:3px dashed;margin:1px 2px 3px;padding:0 5%} ol ol{list-style:lower-roman}</style>"
             L"<table class=t><tr><td id=d>x</td></tr></table><div id=v>y</div>"
             L"<ul id=u1><li><ul id=u2><li><ul id=u3></ul></ul></ul><ol type=A id=o1><li><ol id=o2></ol></ol>");
    const Style& d = s.Of(L"d");
    EXPECT_EQ(d.border[html::kRight].width, 1);
    EXPECT_EQ(d.border[html::kRight].color, 0x99AABBu);
    EXPECT_EQ(d.border[html::kRight].style, html::BorderStyle::Solid);
    EXPECT_EQ(d.padding[html::kLeft].value, 6);
    EXPECT_TRUE(d.borderCollapse);
    const Style& v = s.Of(L"v");
    EXPECT_EQ(v.border[html::kTop].width, 3);
    EXPECT_EQ(v.border[html::kTop].color, html::kNoColor);
    EXPECT_EQ(v.border[html::kBottom].Used(), 0);
    EXPECT_EQ(v.margin[html::kBottom].value, 3);
    EXPECT_EQ(v.margin[html::kLeft].value, 2);
    EXPECT_EQ(v.padding[html::kLeft].kind, html::Length::Percent);
    EXPECT_EQ(s.Of(L"u1").listType, html::ListType::Disc);
    EXPECT_EQ(s.Of(L"u2").listType, html::ListType::Circle);
    EXPECT_EQ(s.Of(L"u3").listType, html::ListType::Square);
    EXPECT_EQ(s.Of(L"o1").listType, html::ListType::UpperAlpha);
    EXPECT_EQ(s.Of(L"o2").listType, html::ListType::LowerRoman);
}

// "A > B C": the nearest B above C need not be the one whose parent is an A.
TEST(Style, SelectorsTryEveryAncestorAsCssDoes) {
    Styled s(L"<!DOCTYPE html><style>"
             L".a > .b p{color:#00ff00} .a > .b > .c .d p{font-weight:bold} .x > .y p{font-style:italic}"
             L"div p span{text-decoration:underline}</style>"
             L"<div class=a><div class=b><div class=b><div class=c><div class=d><p id=t><span id=u>t</span></p></div></div></div></div></div>"
             L"<div class=x><div class=z><div class=y><p id=f>f</p></div></div></div>");
    EXPECT_EQ(s.Of(L"t").color, 0x00FF00u);
    EXPECT_FALSE(s.Of(L"t").bold);  // .c's parent is a .b whose parent is a .b, not an .a
    EXPECT_FALSE(s.Of(L"f").italic);
    EXPECT_TRUE(s.Of(L"u").underline);
}

TEST(Style, SelectorListsDropWhollyForAnInvalidPart) {
    Styled s(L"<!DOCTYPE html><style>"
             L"p, a!b {color:red} p, a:hover, q[lang] {font-weight:bold} p, :nonsense {font-style:italic}"
             L"p, , q {text-decoration:underline} em, > p {color:blue} b, i + p {color:#00ff00}</style>"
             L"<p id=p>x</p><b id=b>y</b>");
    EXPECT_EQ(s.Of(L"p").color, 0u);
    EXPECT_TRUE(s.Of(L"p").bold);  // :hover and attributes are valid CSS, never matched here
    EXPECT_FALSE(s.Of(L"p").italic);
    EXPECT_FALSE(s.Of(L"p").underline);
    EXPECT_EQ(s.Of(L"b").color, 0x00FF00u);
}

TEST(Style, FontSizeAttributesWithoutANumberKeepTheInheritedSize) {
    Styled s(L"<!DOCTYPE html><body style='font-size:20px'><font size='' id=a>a</font><font size=' ' id=b>b</font>"
             L"<font size='+' id=c>c</font><font size='-2' id=d>d</font><font size=+9 id=e>e</font></body>");
    EXPECT_EQ(s.Of(L"a").fontSize, 20);
    EXPECT_EQ(s.Of(L"b").fontSize, 20);
    EXPECT_EQ(s.Of(L"c").fontSize, 20);
    EXPECT_EQ(s.Of(L"d").fontSize, 10);
    EXPECT_EQ(s.Of(L"e").fontSize, 48);
}
