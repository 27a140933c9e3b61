#pragma once
// Parses, styles and lays out a page written in a test, with the fake measurer.
#include <string>
#include <vector>

#include "base/utf.h"
#include "fake_measurer.h"
#include "reference/html/layout.h"
#include "reference/html/parser.h"
#include "reference/html/style.h"

struct LaidOutPage {
    html::Document doc;
    html::StyledDocument styled;
    html::PageLayout layout;

    // The text items, in order.
    std::vector<const html::DisplayItem*> Texts() const {
        std::vector<const html::DisplayItem*> out;
        for (const html::DisplayItem& item : layout.items)
            if (item.kind == html::ItemKind::Text) out.push_back(&item);
        return out;
    }
    // The first text item holding the given text.
    const html::DisplayItem* Text(const std::wstring& text) const {
        for (const html::DisplayItem& item : layout.items)
            if (item.kind == html::ItemKind::Text && item.text.find(text) != std::wstring::npos) return &item;
        return nullptr;
    }
    const html::DisplayItem* ExactText(const std::wstring& text) const {
        for (const html::DisplayItem& item : layout.items)
            if (item.kind == html::ItemKind::Text && item.text == text) return &item;
        return nullptr;
    }
    std::vector<const html::DisplayItem*> Items(html::ItemKind kind) const {
        std::vector<const html::DisplayItem*> out;
        for (const html::DisplayItem& item : layout.items)
            if (item.kind == kind) out.push_back(&item);
        return out;
    }
};

inline LaidOutPage LayOut(const std::wstring& page, int width = 400, FakeMeasurer* measurer = nullptr) {
    FakeMeasurer own;
    LaidOutPage out;
    out.doc = html::ParseDocument(page);
    out.styled = html::ComputeStyles(out.doc);
    out.layout = html::LayoutPage(out.styled, width, measurer ? *measurer : own);
    return out;
}

// A page in standards mode, so that tables inherit fonts; `body` goes into <body>.
inline std::wstring StandardsPage(const std::wstring& body, const std::wstring& style = L"") {
    return L"<!DOCTYPE html><html><head><style>body{margin:0}" + style + L"</style></head><body>" + body + L"</body></html>";
}
