#include <gtest/gtest.h>

#include "reference/html/links.h"

using html::LinkTarget;

namespace {
const std::wstring kPage = L"C:\\voduvezu\\bzt\\警告标志.htm";
}

TEST(Links, RelativePagesAnchorsAndOutsideAddresses) {
    LinkTarget t = html::ResolveLink(kPage, L"禁令标志.htm");
    EXPECT_EQ(t.kind, LinkTarget::Page);
    EXPECT_EQ(t.path, L"C:\\voduvezu\\bzt\\禁令标志.htm");
    EXPECT_EQ(t.fragment, L"");

    t = html::ResolveLink(kPage, L"../other/./sub/../p.htm?x=1#part%202");
    EXPECT_EQ(t.path, L"C:\\voduvezu\\other\\p.htm");
    EXPECT_EQ(t.fragment, L"part 2");

    t = html::ResolveLink(kPage, L"#top");
    EXPECT_EQ(t.kind, LinkTarget::SamePage);
    EXPECT_EQ(t.fragment, L"top");
    t = html::ResolveLink(kPage, L"警告标志.HTM#a");
    EXPECT_EQ(t.kind, LinkTarget::SamePage);
    EXPECT_EQ(t.fragment, L"a");

    EXPECT_EQ(html::ResolveLink(kPage, L"http://example.com/").kind, LinkTarget::External);
    EXPECT_EQ(html::ResolveLink(kPage, L"mailto:school@example.com").kind, LinkTarget::External);
    EXPECT_EQ(html::ResolveLink(kPage, L"javascript:void(0)").kind, LinkTarget::External);
    EXPECT_EQ(html::ResolveLink(kPage, L"\\\\server\\share\\a.htm").kind, LinkTarget::External);
    EXPECT_EQ(html::ResolveLink(kPage, L"  ").kind, LinkTarget::None);
    EXPECT_EQ(html::ResolveLink(kPage, L"../../../../x.htm").path, L"C:\\x.htm");
}

TEST(Links, AbsolutePathsEscapesAndPictures) {
    EXPECT_EQ(html::ResolveLink(kPage, L"file:///D:/pages/a.htm").path, L"D:\\pages\\a.htm");
    EXPECT_EQ(html::ResolveLink(kPage, L"/root.htm").path, L"C:\\root.htm");
    EXPECT_EQ(html::ResolveLink(kPage, L"E:\\x\\y.htm").path, L"E:\\x\\y.htm");
    // Escaped UTF-8 and escaped GBK both name 标志.htm.
    EXPECT_EQ(html::ResolveLink(kPage, L"%E6%A0%87%E5%BF%97.htm").path, L"C:\\voduvezu\\bzt\\标志.htm");
    EXPECT_EQ(html::ResolveLink(kPage, L"%B1%EA%D6%BE.htm").path, L"C:\\voduvezu\\bzt\\标志.htm");
    EXPECT_EQ(html::ResolveLink(kPage, L"100%.htm").path, L"C:\\voduvezu\\bzt\\100%.htm");
    EXPECT_EQ(html::ResolvePicture(kPage, L" img/p01_01.bmp "), L"C:\\voduvezu\\bzt\\img\\p01_01.bmp");
    EXPECT_EQ(html::ResolvePicture(kPage, L"http://example.com/a.gif"), L"");
    EXPECT_TRUE(html::SamePath(L"C:\\A\\b.htm", L"c:/a/B.HTM"));
    EXPECT_FALSE(html::SamePath(L"C:\\a\\b.htm", L"C:\\a\\c.htm"));
}

TEST(Links, NavigationStaysInsideTheFolder) {
    const std::wstring folder = html::FolderOf(kPage);
    EXPECT_EQ(folder, L"C:\\voduvezu\\bzt\\");
    LinkTarget t = html::ResolveLink(kPage, L"../../Windows/win.ini");
    EXPECT_EQ(t.path, L"C:\\Windows\\win.ini");
    EXPECT_FALSE(html::InFolder(folder, t.path));
    EXPECT_FALSE(html::InFolder(folder, html::ResolveLink(kPage, L"file:///C:/voduvezu/bztx/a.htm").path));
    EXPECT_FALSE(html::InFolder(folder, html::ResolveLink(kPage, L"../bzt").path));
    EXPECT_TRUE(html::InFolder(folder, html::ResolveLink(kPage, L"sub/../禁令标志.htm").path));
    EXPECT_TRUE(html::InFolder(folder, html::ResolveLink(kPage, L"file:///c:/VODUVEZU/bzt/img/a.htm").path));
    EXPECT_TRUE(html::InFolder(L"C:\\voduvezu\\bzt", html::ResolvePicture(kPage, L"img/p01_01.bmp")));
    EXPECT_FALSE(html::InFolder(L"", L"C:\\a.htm"));
    // file://server/share is another computer, not a path inside the folder.
    EXPECT_EQ(html::ResolveLink(kPage, L"file://server/share/a.htm").kind, LinkTarget::External);
    EXPECT_EQ(html::ResolvePicture(kPage, L"file://server/share/a.bmp"), L"");
    EXPECT_EQ(html::ResolveLink(kPage, L"file://D:/pages/a.htm").path, L"D:\\pages\\a.htm");
}
