#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/utf.h"
#include "content_reader.h"
#include "page_test_support.h"
#include "reference/html/charset.h"
#include "sign_pages.h"

// The sign pages as the bank tool writes them for the sample installation, laid out at the
// width of the viewer's page panel: every sign shows its picture, its name and its meaning in a
// bordered table that fits the panel.

namespace fs = std::filesystem;

TEST(SignPages, EverySamplePageLaysOutWithItsPicturesNamesAndBorders) {
    const std::vector<SignPage> pages = ReadSignPages(fs::path(MUHE_ASSETS_DIR) / "signs" / "pages.txt");
    ASSERT_EQ(pages.size(), 11u);
    const fs::path dir = fs::temp_directory_path() / "muhe_sign_pages_test";
    fs::remove_all(dir);
    WriteSignPages(pages, dir, [](const std::string&) { return std::vector<uint8_t>{'B', 'M'}; });
    FakeMeasurer measurer;
    for (const auto& entry : fs::directory_iterator(dir / "img"))
        measurer.pictures[L"img/" + Utf8ToWide(entry.path().filename().string())] = {104, 108};

    constexpr int kPanelWidth = 559 - 17;  // the page panel less its scroll bar
    for (const SignPage& page : pages) {
        SCOPED_TRACE(page.title);
        std::ifstream in(dir / (page.title + ".htm"), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        ASSERT_EQ(html::SniffCharset(bytes.str()), html::Charset::Utf8);
        const LaidOutPage laid = LayOut(html::DecodeText(bytes.str(), html::Charset::Utf8), kPanelWidth, &measurer);
        EXPECT_FALSE(laid.doc.truncated);
        EXPECT_EQ(laid.layout.title, Utf8ToWide(page.title));
        const html::DisplayItem* heading = laid.Text(Utf8ToWide(page.title));
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->color, 0xB00000u);
        EXPECT_EQ(laid.layout.fonts[size_t(heading->font)].size, 18);
        EXPECT_TRUE(laid.layout.fonts[size_t(heading->font)].bold);

        const auto pictures = laid.Items(html::ItemKind::Picture);
        ASSERT_EQ(pictures.size(), page.signs.size());
        const std::wstring text = laid.layout.PlainText();
        for (size_t s = 0; s < page.signs.size(); ++s) {
            EXPECT_TRUE(pictures[s]->readable);
            EXPECT_EQ(pictures[s]->box.Width(), 104);
            EXPECT_EQ(pictures[s]->box.Height(), 108);
            EXPECT_NE(text.find(Utf8ToWide(page.signs[s].name)), std::wstring::npos) << page.signs[s].name;
            // The name stands right of its picture, in the same row.
            const html::DisplayItem* name = laid.ExactText(Utf8ToWide(page.signs[s].name));
            ASSERT_NE(name, nullptr);
            EXPECT_GT(name->box.left, pictures[s]->box.right);
            EXPECT_LT(name->box.top, pictures[s]->box.bottom + 20);
            if (s > 0) {
                EXPECT_GT(pictures[s]->box.top, pictures[s - 1]->box.bottom);
            }
        }
        int borderLines = 0;
        for (const html::DisplayItem* fill : laid.Items(html::ItemKind::Fill)) borderLines += fill->color == 0x99AABBu;
        EXPECT_EQ(borderLines, int(page.signs.size()) * 8);
        for (const html::DisplayItem& item : laid.layout.items) EXPECT_LE(item.box.right, kPanelWidth);
    }
    fs::remove_all(dir);
}
