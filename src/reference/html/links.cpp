#include "reference/html/links.h"

#include <string>
#include <vector>

#include "base/utf.h"
#include "reference/html/charset.h"
#include "reference/html/values.h"

namespace html {

namespace {

bool IsSeparator(wchar_t c) { return c == '/' || c == '\\'; }
bool IsAsciiLetter(wchar_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

int HexValue(wchar_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// True when the bytes are well-formed UTF-8.
bool IsUtf8(const std::string& bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        const int length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (length == 0 || i + size_t(length) > bytes.size()) return false;
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(bytes[i + size_t(k)]) & 0xC0) != 0x80) return false;
        i += size_t(length);
    }
    return true;
}

// %XX escapes decoded: the escaped bytes are read as UTF-8 when they are valid UTF-8 and as
// GBK otherwise (old editors escaped the page's own code page).
std::wstring PercentDecode(std::wstring_view text) {
    std::wstring out;
    for (size_t i = 0; i < text.size();) {
        const bool escape = text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0;
        if (!escape) {
            out += text[i++];
            continue;
        }
        std::string bytes;
        while (i + 2 < text.size() && text[i] == '%' && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            bytes += char(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 3;
        }
        out += IsUtf8(bytes) ? Utf8ToWide(bytes) : DecodeText(bytes, Charset::Gb18030);
    }
    return out;
}

// The drive ("C:") or server share ("\\server\share") a path starts with, or empty.
std::wstring_view RootOf(std::wstring_view path) {
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') return path.substr(0, 2);
    return {};
}

// Joins segments, resolving "." and ".." (never above the root).
std::wstring Normalise(std::wstring_view root, std::wstring_view rest) {
    std::vector<std::wstring_view> segments;
    size_t i = 0;
    while (i <= rest.size()) {
        size_t end = i;
        while (end < rest.size() && !IsSeparator(rest[end])) ++end;
        const std::wstring_view segment = rest.substr(i, end - i);
        if (segment == L"..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != L".") {
            segments.push_back(segment);
        }
        i = end + 1;
    }
    std::wstring out(root);
    for (size_t k = 0; k < segments.size(); ++k) {
        if (!out.empty() || !root.empty() || k > 0) out += L'\\';
        out += segments[k];
    }
    return out;
}

// Whether href starts with a scheme ("http:", "mailto:"); a single letter is a drive.
bool HasScheme(std::wstring_view href, std::wstring_view& scheme) {
    size_t i = 0;
    while (i < href.size() && (IsAsciiLetter(href[i]) || (i > 0 && (href[i] == '+' || href[i] == '-' || href[i] == '.' ||
                                                                     (href[i] >= '0' && href[i] <= '9')))))
        ++i;
    if (i < 2 || i >= href.size() || href[i] != ':') return false;
    scheme = href.substr(0, i);
    return true;
}

// The file a reference names, relative to the page; empty when it leads outside the folder tree.
std::wstring ResolvePath(std::wstring_view pagePath, std::wstring_view reference) {
    std::wstring_view scheme;
    if (HasScheme(reference, scheme)) {
        if (!EqualsNoCase(scheme, "file")) return {};
        reference.remove_prefix(scheme.size() + 1);
        size_t slashes = 0;
        while (slashes < reference.size() && IsSeparator(reference[slashes])) ++slashes;
        reference.remove_prefix(slashes);
        // file://server/share names another computer; file:///C:/ and file://C:/ a local file.
        if (slashes == 2 && RootOf(reference).empty()) return {};
    }
    const std::wstring decoded = PercentDecode(reference);
    const std::wstring_view path = decoded;
    if (const std::wstring_view root = RootOf(path); !root.empty()) return Normalise(root, path.substr(2));
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return {};  // another computer
    const std::wstring_view pageRoot = RootOf(pagePath);
    if (!path.empty() && IsSeparator(path[0])) return Normalise(pageRoot, path);
    size_t folderEnd = pagePath.size();
    while (folderEnd > 0 && !IsSeparator(pagePath[folderEnd - 1])) --folderEnd;
    std::wstring combined(pagePath.substr(pageRoot.size(), folderEnd - pageRoot.size()));
    combined += path;
    return Normalise(pageRoot, combined);
}

}  // namespace

LinkTarget ResolveLink(std::wstring_view pagePath, std::wstring_view href) {
    href = TrimSpaces(href);
    LinkTarget target;
    if (href.empty()) return target;
    std::wstring_view fragment;
    if (const size_t hash = href.find('#'); hash != std::wstring_view::npos) {
        fragment = href.substr(hash + 1);
        href = href.substr(0, hash);
    }
    if (const size_t query = href.find('?'); query != std::wstring_view::npos) href = href.substr(0, query);
    target.fragment = PercentDecode(fragment);
    if (href.empty()) {
        target.kind = LinkTarget::SamePage;
        return target;
    }
    target.path = ResolvePath(pagePath, href);
    target.kind = target.path.empty() ? LinkTarget::External : LinkTarget::Page;
    if (target.kind == LinkTarget::Page && SamePath(target.path, pagePath)) target.kind = LinkTarget::SamePage;
    return target;
}

std::wstring ResolvePicture(std::wstring_view pagePath, std::wstring_view src) {
    src = TrimSpaces(src);
    if (src.empty()) return {};
    if (const size_t query = src.find_first_of(L"?#"); query != std::wstring_view::npos) src = src.substr(0, query);
    return ResolvePath(pagePath, src);
}

bool SamePath(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i], y = b[i];
        if (IsSeparator(x) && IsSeparator(y)) continue;
        if (x >= 'A' && x <= 'Z') x = wchar_t(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = wchar_t(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace html

namespace html {

bool InFolder(std::wstring_view folder, std::wstring_view path) {
    while (!folder.empty() && IsSeparator(folder.back())) folder.remove_suffix(1);
    if (folder.empty() || path.size() <= folder.size() + 1 || !IsSeparator(path[folder.size()])) return false;
    // Resolved paths hold no "." or ".." segments, so a path that starts with the folder is inside it.
    return SamePath(folder, path.substr(0, folder.size()));
}

std::wstring FolderOf(std::wstring_view path) {
    size_t end = path.size();
    while (end > 0 && !IsSeparator(path[end - 1])) --end;
    return std::wstring(path.substr(0, end));
}

}  // namespace html
