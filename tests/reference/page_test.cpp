#include <gtest/gtest.h>

#include "fake_measurer.h"
#include "reference/html/layout.h"
#include "reference/html/page.h"

TEST(Page, FailurePageNamesTheFileInChinese) {
    const auto page = html::BuildFailurePage(L"C:\\voduvezu\\bzt\\<禁止标线>&.htm");
    EXPECT_TRUE(page->failed);
    FakeMeasurer measurer;
    const html::PageLayout layout = html::LayoutPage(page->styled, 559, measurer);
    const std::wstring text = layout.PlainText();
    EXPECT_NE(text.find(L"无法打开文件"), std::wstring::npos);
    EXPECT_NE(text.find(L"C:\\voduvezu\\bzt\\<禁止标线>&.htm"), std::wstring::npos) << text.size();
}

TEST(Page, BytesInTheirCharacterSet) {
    // GBK without a declaration, and UTF-8 with one.
    const auto gbk = html::BuildPage("<title>\xBD\xFB\xD6\xB9\xB1\xEA\xCF\xDF</title><p>x");
    EXPECT_EQ(gbk->doc.title, L"禁止标线");
    EXPECT_FALSE(gbk->failed);
    const auto utf8 = html::BuildPage("<meta charset=utf-8><title>\xE6\xA0\x87</title>");
    EXPECT_EQ(utf8->doc.title, L"标");
}
