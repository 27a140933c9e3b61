#pragma once
// Builds the document tree from page text as browsers of the HTML 4 era did with the pages a
// school keeps: implied <html>, <head>, <body>, <tbody> and <tr>; paragraphs, list items and
// cells closed by their successors; misnested formatting (<b><i></b></i>) repaired; text
// inside a table but outside its cells placed before the table.
//
// Whatever the text, parsing ends: it never recurses, and the limits bound the number of
// nodes, the nesting depth and the characters kept. Content past a limit is dropped and the
// document says so (Document::truncated).
#include <string_view>

#include "reference/html/dom.h"

namespace html {

Document ParseDocument(std::wstring_view text, const ParseLimits& limits = {});

}  // namespace html
