#include "sign_pages.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

std::string HtmlEscape(const std::string& text) {
    std::string out;
    for (char ch : text) {
        switch (ch) {
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '&': out += "&amp;"; break;
            case '"': out += "&quot;"; break;
            default: out += ch;
        }
    }
    return out;
}

void WriteSignPages(const std::vector<SignPage>& pages, const fs::path& dir, const SignPicture& paint) {
    fs::create_directories(dir / "img");
    for (size_t p = 0; p < pages.size(); ++p) {
        const SignPage& page = pages[p];
        std::string html =
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html><head>\r\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n<title>" +
            HtmlEscape(page.title) +
            "</title>\r\n<style>body{font-family:宋体,SimSun,sans-serif;font-size:14px;background:#fff;margin:12px}"
            "h1{font-size:18px;color:#b00000}table{border-collapse:collapse}td{border:1px solid #9ab;padding:6px;"
            "vertical-align:middle}td.pic{text-align:center;width:120px}b{color:#003a80}</style>\r\n</head><body>\r\n<h1>" +
            HtmlEscape(page.title) + "</h1>\r\n";
        if (!page.intro.empty()) html += "<p>" + HtmlEscape(page.intro) + "</p>\r\n";
        html += "<table>\r\n";
        for (size_t s = 0; s < page.signs.size(); ++s) {
            const SignEntry& sign = page.signs[s];
            std::vector<uint8_t> bmp;
            try {
                bmp = paint(sign.picture);
            } catch (const std::exception& e) {
                throw std::runtime_error("sign page " + page.title + ", sign " + sign.name + " ('" + sign.picture +
                                         "'): " + e.what());
            }
            char file[64];
            std::snprintf(file, sizeof file, "p%02zu_%02zu.bmp", p + 1, s + 1);
            std::ofstream(dir / "img" / file, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
            html += "<tr><td class=\"pic\"><img src=\"img/" + std::string(file) + "\" width=\"104\" height=\"108\" alt=\"" +
                    HtmlEscape(sign.name) + "\"></td><td><b>" + HtmlEscape(sign.name) + "</b><br>" +
                    HtmlEscape(sign.meaning) + "</td></tr>\r\n";
        }
        html += "</table>\r\n</body></html>\r\n";
        std::ofstream out(dir / (page.title + ".htm"), std::ios::binary);
        if (!out) throw std::runtime_error((dir / (page.title + ".htm")).string() + ": cannot be written");
        out << html;
    }
}
