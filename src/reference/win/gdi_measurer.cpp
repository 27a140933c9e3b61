#include "reference/win/gdi_measurer.h"

#include <algorithm>

#include "reference/html/values.h"

namespace {

constexpr wchar_t kSongTi[] = L"宋体";

bool IsQuote(wchar_t c) { return c == '"' || c == '\''; }

std::vector<std::wstring> SplitFamilies(const std::wstring& families) {
    std::vector<std::wstring> out;
    size_t start = 0;
    while (start <= families.size() && out.size() < 16) {
        size_t comma = families.find(L',', start);
        if (comma == std::wstring::npos) comma = families.size();
        std::wstring_view name = html::TrimSpaces(std::wstring_view(families).substr(start, comma - start));
        if (name.size() >= 2 && IsQuote(name.front()) && name.back() == name.front()) name = name.substr(1, name.size() - 2);
        if (!name.empty() && name.size() < LF_FACESIZE) out.emplace_back(name);
        start = comma + 1;
    }
    return out;
}

}  // namespace

GdiMeasurer::GdiMeasurer() : dc_(nullptr) {}

bool GdiMeasurer::FaceInstalled(const std::wstring& face) {
    const auto found = installed_.find(face);
    if (found != installed_.end()) return found->second;
    // A face that is there (itself or through a substitute the system maps) keeps its name
    // when selected; a missing one comes back as whatever the font mapper chose instead.
    LOGFONTW lf{};
    lf.lfHeight = -16;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    Gdi<HFONT> font(CreateFontIndirectW(&lf));
    wchar_t chosen[LF_FACESIZE] = {};
    {
        SelectGuard select(dc_.Get(), font.Get());
        GetTextFaceW(dc_.Get(), LF_FACESIZE, chosen);
    }
    const bool there = lstrcmpiW(chosen, face.c_str()) == 0;
    installed_.emplace(face, there);
    return there;
}

std::wstring GdiMeasurer::ResolveFace(const std::wstring& families) {
    const auto found = faces_.find(families);
    if (found != faces_.end()) return found->second;
    std::wstring face = kSongTi;
    for (const std::wstring& name : SplitFamilies(families)) {
        if (html::EqualsNoCase(name, "monospace")) {
            if (FaceInstalled(L"新宋体")) {
                face = L"新宋体";
                break;
            }
            continue;
        }
        if (html::EqualsNoCase(name, "serif") || html::EqualsNoCase(name, "sans-serif") || html::EqualsNoCase(name, "cursive") ||
            html::EqualsNoCase(name, "fantasy") || name == kSongTi || html::EqualsNoCase(name, "simsun"))
            break;
        if (FaceInstalled(name)) {
            face = name;
            break;
        }
    }
    faces_.emplace(families, face);
    return face;
}

GdiMeasurer::Entry& GdiMeasurer::EntryFor(const html::FontKey& key) {
    const auto id = std::make_tuple(key.face, key.size, key.bold, key.italic);
    const auto found = fonts_.find(id);
    if (found != fonts_.end()) return *found->second;
    LOGFONTW lf{};
    lf.lfHeight = -std::clamp(key.size, 1, html::kMaxFontSize);
    lf.lfWeight = key.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = key.italic;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = ResolveFace(key.face);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    auto entry = std::make_unique<Entry>();
    entry->font.Reset(CreateFontIndirectW(&lf));
    if (!entry->font) entry->font.Reset(CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, kSongTi));
    TEXTMETRICW tm{};
    {
        SelectGuard select(dc_.Get(), entry->font.Get());
        GetTextMetricsW(dc_.Get(), &tm);
    }
    entry->metrics = {int(tm.tmAscent), int(tm.tmDescent)};
    Entry& result = *entry;
    fonts_.emplace(id, std::move(entry));
    return result;
}

HFONT GdiMeasurer::Font(const html::FontKey& key) { return EntryFor(key).font.Get(); }

html::FontMetrics GdiMeasurer::Metrics(const html::FontKey& key) { return EntryFor(key).metrics; }

void GdiMeasurer::Extents(const html::FontKey& key, std::wstring_view text, std::vector<int>& ends) {
    ends.assign(text.size(), 0);
    if (text.empty()) return;
    SelectGuard select(dc_.Get(), EntryFor(key).font.Get());
    // In pieces: the system measures an int's worth of characters at most, and long runs cost
    // nothing extra this way.
    constexpr size_t kPiece = 4096;
    int offset = 0;
    for (size_t start = 0; start < text.size(); start += kPiece) {
        const size_t count = std::min(kPiece, text.size() - start);
        SIZE size{};
        GetTextExtentExPointW(dc_.Get(), text.data() + start, int(count), 0, nullptr, ends.data() + start, &size);
        for (size_t i = start; i < start + count; ++i) ends[i] += offset;
        offset = ends[start + count - 1];
    }
}
