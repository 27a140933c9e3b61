#pragma once
// A page ready to lay out: its document and computed styles, from the bytes of a file, or the
// plain page that says a file could not be opened.
#include <memory>
#include <string>
#include <string_view>

#include "reference/html/dom.h"
#include "reference/html/style.h"

namespace html {

// The largest page file read; a bigger file counts as unreadable.
constexpr size_t kMaxPageBytes = 8 << 20;

struct Page {
    Document doc;
    StyledDocument styled;  // refers to doc: a Page never moves (it is held by pointer)
    bool failed = false;    // the plain page for a file that could not be opened
};

std::unique_ptr<Page> BuildPage(std::string_view bytes);

// "无法打开文件" and the path, on a page of its own.
std::unique_ptr<Page> BuildFailurePage(std::wstring_view path);

// Text with <, >, & and quotes written as references.
std::wstring EscapeHtml(std::wstring_view text);

}  // namespace html
