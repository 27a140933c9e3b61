#include "reference/html/page.h"

#include "reference/html/charset.h"
#include "reference/html/parser.h"

namespace html {

std::unique_ptr<Page> BuildPage(std::string_view bytes) {
    auto page = std::make_unique<Page>();
    if (bytes.size() > kMaxPageBytes) bytes = bytes.substr(0, kMaxPageBytes);
    page->doc = ParseDocument(DecodeText(bytes, SniffCharset(bytes)));
    page->styled = ComputeStyles(page->doc);
    return page;
}

std::unique_ptr<Page> BuildFailurePage(std::wstring_view path) {
    const std::wstring text =
        L"<!DOCTYPE html><html><head><title>无法打开文件</title></head>"
        L"<body style=\"font-family:宋体;font-size:14px;margin:16px;background:#ffffff;color:#000000\">"
        L"<p style=\"font-weight:bold\">无法打开文件：</p><p>" + EscapeHtml(path) +
        L"</p><p>文件不存在或无法读取。</p></body></html>";
    auto page = std::make_unique<Page>();
    page->doc = ParseDocument(text);
    page->styled = ComputeStyles(page->doc);
    page->failed = true;
    return page;
}

std::wstring EscapeHtml(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
            case '<': out += L"&lt;"; break;
            case '>': out += L"&gt;"; break;
            case '&': out += L"&amp;"; break;
            case '"': out += L"&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace html
