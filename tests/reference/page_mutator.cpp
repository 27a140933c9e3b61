#include "page_mutator.h"

#include <algorithm>

#include "base/utf.h"
#include "fake_measurer.h"
#include "reference/html/charset.h"
#include "reference/html/layout.h"
#include "reference/html/links.h"
#include "reference/html/parser.h"
#include "reference/html/style.h"

namespace {

std::string Gbk(const std::wstring& text) {
    // Enough of GBK for the seeds: ASCII and the characters the seed pages use, found by
    // decoding every two-byte code once.
    static std::vector<std::pair<wchar_t, uint16_t>> table = [] {
        std::vector<std::pair<wchar_t, uint16_t>> t;
        for (int lead = 0x81; lead <= 0xFE; ++lead)
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F) continue;
                const std::string bytes{char(lead), char(trail)};
                const std::wstring w = html::DecodeText(bytes, html::Charset::Gb18030);
                if (w.size() == 1 && w[0] != 0xFFFD) t.push_back({w[0], uint16_t(lead << 8 | trail)});
            }
        std::sort(t.begin(), t.end());
        return t;
    }();
    std::string out;
    for (wchar_t c : text) {
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        const auto it = std::lower_bound(table.begin(), table.end(), std::make_pair(c, uint16_t(0)));
        if (it != table.end() && it->first == c) {
            out += char(it->second >> 8);
            out += char(it->second & 0xFF);
        } else {
            out += '?';
        }
    }
    return out;
}

const wchar_t* const kSchoolPage =
    L"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"><title>交通标线</title>"
    L"<style type=\"text/css\"><!-- .t12 {font-size:12px; color:#333333} td {font-family:宋体} a:link{color:#0000ff} --></style>"
    L"</head><body bgcolor=\"#FFFFFF\" leftmargin=\"0\" topmargin=\"0\" link=navy>"
    L"<a name=\"top\"></a><center><font size=\"5\" color=\"red\"><b>道路交通标线</b></font></center><hr size=1 noshade>"
    L"<table width=\"95%\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\" bordercolor=\"#99CCFF\" align=\"center\">"
    L"<tr bgcolor=\"#EEEEEE\"><th width=\"120\">图例</th><th>名称</th><th colspan=2>说明</th></tr>"
    L"<tr><td rowspan=\"2\" align=center><img src=\"img/a1.gif\" width=\"100\" height=\"80\" border=0 alt=\"禁止标线\"></td>"
    L"<td class=t12 nowrap><a href=\"#sec2\">禁止标线</a></td><td>告示道路交通的遵行、禁止、限制等特殊规定&nbsp;&copy;</td><td>&#25968;&#x5B57;</td></tr>"
    L"<tr><td valign=bottom><font face=\"楷体_GB2312\" size=\"+1\"><i>警告<u>标线</u></i></font></td><td colspan=\"2\">"
    L"<ul><li>禁止超车<li>禁止停车<ol type=a start=3><li>一<li>二</ol></ul></td></tr></table>"
    L"<p align=right><a name=\"sec2\">第二节</a>：<a href=\"禁令标志.htm\">禁令标志</a> | <a href=\"http://example.com/\">外部</a></p>"
    L"<pre>  预  留\n\t制表</pre><blockquote><p>引用<br>第二行<sup>2</sup><sub>x</sub></p></blockquote>"
    L"<div style=\"width:300px;margin:0 auto;border:2px solid red;padding:5px;text-align:justify;line-height:150%\">"
    L"Mixed English words and 中文混排，标点符号。</div><dl><dt>术语<dd>解释</dl>"
    L"<table><tr><td><table border=2><tr><td>嵌套</td></tr></table></td></tr></table>"
    L"<form><input type=text><select><option>x</select></form><script>document.write('<p>');</script>"
    L"<p style=\"font:bold 14pt 黑体; background-color:yellow\">强调</p><marquee>滚动</marquee></body></html>";

const wchar_t* const kSignPage =
    L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html><head>\r\n"
    L"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n<title>警告标志</title>\r\n"
    L"<style>body{font-family:宋体,SimSun,sans-serif;font-size:14px;background:#fff;margin:12px}"
    L"h1{font-size:18px;color:#b00000}table{border-collapse:collapse}td{border:1px solid #9ab;padding:6px;"
    L"vertical-align:middle}td.pic{text-align:center;width:120px}b{color:#003a80}</style>\r\n</head><body>\r\n"
    L"<h1>警告标志</h1>\r\n<p>警告标志用来提醒车辆驾驶人和行人前方有需要注意的危险地点。</p>\r\n<table>\r\n"
    L"<tr><td class=\"pic\"><img src=\"img/p01_01.bmp\" width=\"104\" height=\"108\" alt=\"向左急弯路\"></td>"
    L"<td><b>向左急弯路</b><br>前方道路向左急转弯，应当提前减速。</td></tr>\r\n"
    L"<tr><td class=\"pic\"><img src=\"img/p01_02.bmp\" width=\"104\" height=\"108\" alt=\"向右急弯路\"></td>"
    L"<td><b>向右急弯路</b><br>前方道路向右急转弯。</td></tr>\r\n</table>\r\n</body></html>\r\n";

const char* const kFragments[] = {
    "<table>", "</table>", "<tr>", "<td colspan=99999>", "<td rowspan=0>", "<td width=100%>", "</td>", "<th>",
    "<b>", "</b>", "<i>", "</i>", "<font size=+100 face=x>", "</font>", "<a href=\"../x.htm#y\">", "</a>",
    "<a name=z>", "<p>", "</p>", "<br>", "<hr width=300% size=99999>", "<img src=img/a1.gif width=99999 height=-5>",
    "<img src=\"\">", "<ul>", "<ol start=-7 type=I>", "<li value=2147483647>", "<pre>", "\t\t", "<!--", "-->",
    "<script>", "</script>", "<style>td{padding:1e9px;border:999px solid}*{font-size:5000%}</style>",
    "<div style=\"margin:-50px;width:1e30px;line-height:0;text-indent:-9999px\">", "</div>", "<center>",
    "&#x10FFFF;", "&#xD800;", "&#99999999999;", "&nbsp", "&amp", "<meta charset=utf-8>", "<meta charset=gbk>",
    "\x81\x30", "\xFF\xFE", "\xEF\xBB\xBF", "\x81", "\xA1\xA1", "<table border=5000 cellspacing=5000 cellpadding=5000>",
    "<caption>", "<tbody>", "<thead>", "<nobr>", "<marquee>", "<object>", "<select>", "<textarea>", "<xmp>",
    "<plaintext>", "<sub>", "<sup>", "<h1>", "<dd>", "<dt>", "<span style=\"background:red;color:rgb(999,-1,x)\">",
    "<body bgcolor=chucknorris>", "<html>", "</html>", "<base href=x>", "<title>", "</title>", "<!DOCTYPE html>",
    "<tr height=99999>", "<p style=\"font:italic bold 999px/99 serif\">", "<wbr>", "</br>", "<image src=x>",
};

}  // namespace

PageMutator::PageMutator(uint32_t seed) : random(seed) {
    seeds.push_back(Gbk(kSchoolPage));
    seeds.push_back(WideToUtf8(kSchoolPage));
    seeds.push_back(WideToUtf8(kSignPage));
    seeds.push_back(Gbk(kSignPage));
}

std::string PageMutator::Next(std::string& how) {
    std::string page = seeds[Below(seeds.size())];
    const int rounds = 1 + int(Below(3));
    how.clear();
    for (int r = 0; r < rounds; ++r) {
        switch (Below(8)) {
            case 0: how += "truncate "; page = Truncate(std::move(page)); break;
            case 1: how += "flip "; page = FlipBits(std::move(page)); break;
            case 2: case 3: how += "splice "; page = SpliceFragments(std::move(page)); break;
            case 4: how += "repeat "; page = RepeatChunk(std::move(page)); break;
            case 5: how += "nest "; page = NestDeep(std::move(page)); break;
            case 6: how += "shuffle "; page = ShuffleLines(std::move(page)); break;
            default: how += "soup "; page = TagSoup(); break;
        }
    }
    return page;
}

std::string PageMutator::Truncate(std::string page) {
    page.resize(Below(page.size() + 1));
    return page;
}

std::string PageMutator::FlipBits(std::string page) {
    if (page.empty()) return page;
    const size_t flips = 1 + Below(16);
    for (size_t i = 0; i < flips; ++i) page[Below(page.size())] ^= char(1 << Below(8));
    return page;
}

std::string PageMutator::SpliceFragments(std::string page) {
    const size_t count = 1 + Below(12);
    for (size_t i = 0; i < count; ++i) {
        const std::string fragment = kFragments[Below(std::size(kFragments))];
        page.insert(Below(page.size() + 1), fragment);
    }
    return page;
}

std::string PageMutator::RepeatChunk(std::string page) {
    if (page.empty()) return page;
    const size_t start = Below(page.size());
    const size_t length = 1 + Below(std::min<size_t>(page.size() - start, 200));
    const std::string chunk = page.substr(start, length);
    const size_t times = 1 + Below(400);
    std::string repeated;
    for (size_t i = 0; i < times; ++i) repeated += chunk;
    page.insert(start, repeated);
    return page;
}

std::string PageMutator::NestDeep(std::string page) {
    static const char* const kOpeners[] = {"<div>", "<table><tr><td>", "<b>", "<ul><li>", "<font color=red>", "<blockquote>",
                                           "<span>", "<a href=x>"};
    const std::string opener = kOpeners[Below(std::size(kOpeners))];
    const size_t depth = 50 + Below(300);
    std::string nested;
    for (size_t i = 0; i < depth; ++i) nested += opener;
    page.insert(Below(page.size() + 1), nested);
    return page;
}

std::string PageMutator::ShuffleLines(std::string page) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < page.size()) {
        size_t end = page.find('>', start);
        end = end == std::string::npos ? page.size() : end + 1;
        parts.push_back(page.substr(start, end - start));
        start = end;
    }
    for (size_t i = 0; i + 1 < parts.size(); ++i)
        if (Below(4) == 0) std::swap(parts[i], parts[i + 1 + Below(std::min<size_t>(parts.size() - i - 1, 5))]);
    std::string out;
    for (const std::string& p : parts) out += p;
    return out;
}

std::string PageMutator::TagSoup() {
    std::string page;
    const size_t pieces = 5 + Below(200);
    for (size_t i = 0; i < pieces; ++i) {
        switch (Below(3)) {
            case 0: page += kFragments[Below(std::size(kFragments))]; break;
            case 1: page += "文字 text "; break;
            default: page += char(Below(256)); break;
        }
    }
    return page;
}

std::string CheckPage(const std::string& bytes) {
    const html::Charset charset = html::SniffCharset(bytes);
    const std::wstring text = html::DecodeText(bytes, charset);
    const html::ParseLimits limits;
    const html::Document doc = html::ParseDocument(text, limits);
    if (doc.nodes.size() > limits.maxNodes) return "more nodes than the limit";
    // A tree: every node reached once from the root, each child naming its parent.
    std::vector<int> seen(doc.nodes.size(), 0);
    std::vector<std::pair<int, int>> pending{{doc.html, 1}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        if (seen[size_t(node)]++) return "a node reached twice";
        if (depth > limits.maxDepth + 2) return "deeper than the limit";
        for (int child : doc.At(node).children) {
            if (child < 0 || size_t(child) >= doc.nodes.size()) return "a child index outside the tree";
            if (doc.At(child).parent != node) return "a child that names another parent";
            pending.push_back({child, depth + 1});
        }
    }
    const html::StyledDocument styled = html::ComputeStyles(doc);
    FakeMeasurer measurer;
    measurer.pictures[L"img/a1.gif"] = {100, 80};
    measurer.pictures[L"img/p01_01.bmp"] = {104, 108};
    for (int width : {559, 37}) {
        const html::PageLayout layout = html::LayoutPage(styled, width, measurer);
        if (layout.height < 0 || layout.height > html::kMaxPageHeight) return "page height outside its range";
        if (layout.contentWidth < layout.width) return "content narrower than the page";
        if (layout.picturePixels > html::kPagePicturePixels) return "pictures over the page's budget";
        for (const html::DisplayItem& item : layout.items) {
            if (item.box.left > item.box.right || item.box.top > item.box.bottom) return "an item with a negative size";
            if (item.box.top < 0 || item.box.bottom > html::kMaxPageHeight) return "an item outside the page";
            if (item.kind == html::ItemKind::Text && (item.font < 0 || size_t(item.font) >= layout.fonts.size()))
                return "a text item without its font";
            if (item.link >= int(layout.links.size())) return "a link index outside the links";
            if (item.kind == html::ItemKind::Picture) (void)html::ResolvePicture(L"C:\\voduvezu\\bzt\\a.htm", item.text);
        }
        for (const std::wstring& href : layout.links) (void)html::ResolveLink(L"C:\\voduvezu\\bzt\\a.htm", href);
        for (const html::FontKey& font : layout.fonts)
            if (font.size < 1 || font.size > html::kMaxFontSize) return "a font size outside its range";
        (void)layout.PlainText();
    }
    return {};
}
