#include "help_builder.h"

#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The help is compiled for simplified Chinese: the viewer of a Chinese Windows reads the
// contents, the index and the title in the system's code page (936), and the pages say so.
constexpr const char* kCharset = "gb2312";

struct Page {
    std::string file;
    std::string title;                  // the page's <title>
    std::string name;                   // its entry in the contents
    std::vector<std::string> headings;  // its <h2> headings, for the index
};

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error(file.string() + ": cannot be read");
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error(file.string() + ": cannot be written");
}

// UTF-8 to code page 936. A character the code page lacks would show as a question mark in
// the viewer, so it stops the build, naming where it is.
std::string ToGbk(const std::string& utf8, const std::string& where) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == iconv_t(-1)) throw std::runtime_error("no UTF-8 to GBK conversion on this system");
    std::string out(utf8.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* to = out.data();
    size_t outLeft = out.size();
    const size_t result = iconv(cd, &in, &inLeft, &to, &outLeft);
    const int error = errno;
    iconv_close(cd);
    if (result == size_t(-1)) {
        const size_t at = utf8.size() - inLeft;
        const size_t lineStart = utf8.rfind('\n', at) == std::string::npos ? 0 : utf8.rfind('\n', at) + 1;
        const long line = 1 + std::count(utf8.begin(), utf8.begin() + long(at), '\n');
        const std::string why = error == EILSEQ ? "a character that code page 936 (GBK) does not have"
                                                : "text that is not valid UTF-8";
        throw std::runtime_error(where + ", line " + std::to_string(line) + ": " + why + " in \"" +
                                 utf8.substr(lineStart, std::min<size_t>(at - lineStart + 8, 80)) + "\"");
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string Between(const std::string& html, const std::string& open, const std::string& close, size_t& from) {
    const size_t b = html.find(open, from);
    if (b == std::string::npos) return from = std::string::npos, std::string();
    const size_t e = html.find(close, b + open.size());
    if (e == std::string::npos) return from = std::string::npos, std::string();
    from = e + close.size();
    return html.substr(b + open.size(), e - b - open.size());
}

// The page's declared encoding becomes the help's: both the HTML5 form and the http-equiv
// form the help viewer of older systems reads. A page without a declaration gets one (on
// the line of its <head>, so that line numbers in messages stay those of the source).
std::string DeclareCharset(std::string html) {
    static const std::string kDeclarations[] = {"charset=\"utf-8\"", "charset=utf-8", "charset=\"UTF-8\"", "charset=UTF-8"};
    bool declared = false;
    for (const std::string& old : kDeclarations) {
        const std::string now = old.find('"') != std::string::npos ? std::string("charset=\"") + kCharset + "\"" : std::string("charset=") + kCharset;
        for (size_t at = html.find(old); at != std::string::npos; at = html.find(old, at + now.size())) {
            html.replace(at, old.size(), now);
            declared = true;
        }
    }
    if (!declared) {
        const size_t head = html.find("<head>");
        const std::string meta = std::string("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=") + kCharset + "\">";
        if (head == std::string::npos) throw std::runtime_error("a help page has no <head>");
        html.insert(head + 6, meta);
    }
    return html;
}

std::string HtmlAttribute(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '"') out += "&quot;";
        else if (ch == '&') out += "&amp;";
        else out += ch;
    }
    return out;
}

std::string SitemapEntry(const std::string& name, const std::string& file) {
    return "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + HtmlAttribute(name) +
           "\"><param name=\"Local\" value=\"" + file + "\"></OBJECT>\r\n";
}

std::string SitemapHead() {
    return std::string("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<HTML><HEAD>"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=") +
           kCharset + "\"></HEAD><BODY>\r\n<UL>\r\n";
}

Page ReadPage(const fs::path& file) {
    Page page;
    page.file = file.filename().string();
    const std::string html = ReadFile(file);
    size_t at = 0;
    page.title = Between(html, "<title>", "</title>", at);
    if (page.title.empty()) page.title = file.stem().string();
    // "木禾驾驶员考试系统 - 模拟考试" is listed in the contents as "模拟考试".
    const size_t dash = page.title.rfind(" - ");
    page.name = dash == std::string::npos ? page.title : page.title.substr(dash + 3);
    for (at = 0; at != std::string::npos;) {
        std::string heading = Between(html, "<h2>", "</h2>", at);
        if (!heading.empty()) page.headings.push_back(heading);
    }
    return page;
}

// Contents: one entry per page, the first page first.
std::string Contents(const std::vector<Page>& pages) {
    std::string hhc = SitemapHead();
    for (const Page& page : pages) hhc += SitemapEntry(page.name, page.file);
    return hhc + "</UL>\r\n</BODY></HTML>\r\n";
}

// Index: every page under its name and every heading under its text; a heading that several
// pages share ("按键") names its page.
std::string Index(const std::vector<Page>& pages) {
    std::map<std::string, int> uses;
    for (const Page& page : pages)
        for (const std::string& heading : page.headings) ++uses[heading];
    std::vector<std::pair<std::string, std::string>> keywords;
    for (const Page& page : pages) {
        keywords.emplace_back(page.name, page.file);
        for (const std::string& heading : page.headings)
            keywords.emplace_back(uses[heading] > 1 ? heading + "（" + page.name + "）" : heading, page.file);
    }
    // In code page 936 order, which puts the common characters in pinyin order.
    std::sort(keywords.begin(), keywords.end(), [](const auto& a, const auto& b) {
        return std::pair(ToGbk(a.first, "the index"), a.second) < std::pair(ToGbk(b.first, "the index"), b.second);
    });
    keywords.erase(std::unique(keywords.begin(), keywords.end()), keywords.end());
    std::string hhk = SitemapHead();
    for (const auto& [keyword, file] : keywords) hhk += SitemapEntry(keyword, file);
    return hhk + "</UL>\r\n</BODY></HTML>\r\n";
}

std::string RunChmcmd(const fs::path& work) {
    const std::string command = "cd '" + work.string() + "' && chmcmd --no-html-scan bangzhu.hhp 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("chmcmd could not be started");
    std::array<char, 512> buffer{};
    while (fgets(buffer.data(), int(buffer.size()), pipe)) output += buffer.data();
    const int status = pclose(pipe);
    if (status != 0 || !fs::exists(work / "bangzhu.chm")) throw std::runtime_error("chmcmd failed:\n" + output);
    return output;
}

// Removes the scratch folder whichever way the build ends.
struct ScratchFolder {
    fs::path path;
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

// The pages in the order the first page links them, then any other page by name.
std::vector<std::string> PageOrder(const fs::path& pages) {
    std::vector<std::string> rest;
    for (const auto& entry : fs::directory_iterator(pages)) {
        if (entry.is_regular_file() && entry.path().extension() == ".html") rest.push_back(entry.path().filename().string());
    }
    std::sort(rest.begin(), rest.end());
    if (std::find(rest.begin(), rest.end(), "index.html") == rest.end())
        throw std::runtime_error(pages.string() + ": the help pages need an index.html");
    std::vector<std::string> order{"index.html"};
    const std::string first = ReadFile(pages / "index.html");
    for (size_t at = 0; at != std::string::npos;) {
        const std::string link = Between(first, "href=\"", "\"", at);
        const auto page = std::find(rest.begin(), rest.end(), link);
        if (page != rest.end() && std::find(order.begin(), order.end(), link) == order.end()) order.push_back(link);
    }
    for (const auto& name : rest)
        if (std::find(order.begin(), order.end(), name) == order.end()) order.push_back(name);
    return order;
}

}  // namespace

void BuildHelpFile(const fs::path& pages, const fs::path& out) {
    const std::vector<std::string> names = PageOrder(pages);

    ScratchFolder work{fs::temp_directory_path() / ("muhe-help-" + std::to_string(::getpid()))};
    fs::remove_all(work.path);
    fs::create_directories(work.path);
    std::vector<Page> read;
    for (const auto& name : names) {
        read.push_back(ReadPage(pages / name));
        WriteFile(work.path / name, ToGbk(DeclareCharset(ReadFile(pages / name)), (pages / name).string()));
    }
    WriteFile(work.path / "toc.hhc", ToGbk(Contents(read), "the contents"));
    WriteFile(work.path / "index.hhk", ToGbk(Index(read), "the index"));

    // Language 0x804 (Chinese, PRC) and a GB2312 default font tell the viewer the code page.
    std::string hhp =
        "[OPTIONS]\r\nCompatibility=1.1 or later\r\nCompiled file=bangzhu.chm\r\nContents file=toc.hhc\r\n"
        "Index file=index.hhk\r\nDefault topic=index.html\r\nDefault Font=宋体,10,134\r\n"
        "Display compile progress=No\r\nLanguage=0x804\r\nTitle=" +
        read.front().title + "\r\n\r\n[FILES]\r\n";
    for (const auto& name : names) hhp += name + "\r\n";
    WriteFile(work.path / "bangzhu.hhp", ToGbk(hhp, "the project file"));

    RunChmcmd(work.path);
    fs::copy_file(work.path / "bangzhu.chm", out, fs::copy_options::overwrite_existing);
}
