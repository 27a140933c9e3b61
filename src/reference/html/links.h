#pragma once
// Where a link or a picture of a page leads: pages of the same folder by relative paths
// ("img/p01_01.bmp", "../bzt/禁令标志.htm#stop"), anchors of the same page ("#top"),
// and addresses outside the folder (http:, mailto:), which the page view does not follow.
// Page paths are Windows paths; the result uses backslashes.
#include <string>
#include <string_view>

namespace html {

struct LinkTarget {
    enum Kind { None, SamePage, Page, External };
    Kind kind = None;
    std::wstring path;      // Page: the file to open
    std::wstring fragment;  // the anchor to show, decoded; empty for the top of the page
};

LinkTarget ResolveLink(std::wstring_view pagePath, std::wstring_view href);

// The file a picture's src names, relative to the page; empty for an address outside.
std::wstring ResolvePicture(std::wstring_view pagePath, std::wstring_view src);

// Whether a resolved path lies in a folder or one of its subfolders: the page view follows
// links and reads pictures only there, whatever a page's own links say.
bool InFolder(std::wstring_view folder, std::wstring_view path);
// The folder of a file's path, with its final separator (C:\a\b.htm gives C:\a\).
std::wstring FolderOf(std::wstring_view path);

// Whether two paths name the same file (letters compared without regard to case, either slash).
bool SamePath(std::wstring_view a, std::wstring_view b);

}  // namespace html
