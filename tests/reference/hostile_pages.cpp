#include "hostile_pages.h"

#include <cstdint>
#include <span>

#include "base/bmp.h"

namespace hostile {

std::wstring CssHeavyPage() {
    std::wstring page = L"<!DOCTYPE html><html><head><style>";
    constexpr int kRules = 1024;
    for (int i = 0; i < kRules; ++i)
        page += L".a" + std::to_wstring(i % 64) + L" .b" + std::to_wstring(i % 32) + L"{color:#" +
                std::to_wstring(100000 + i) + L"}\n";
    page += L"</style></head><body>";
    std::wstring classes;
    for (int i = 0; i < 32; ++i) classes += L" a" + std::to_wstring(i * 2) + L" b" + std::to_wstring(i);
    constexpr int kDepth = 50;
    for (int i = 0; i < kDepth; ++i) page += L"<div class='" + classes + L"' id=d" + std::to_wstring(i) + L">x";
    for (int i = 0; i < kDepth; ++i) page += L"</div>";
    return page + L"</body></html>";
}

std::wstring LongClassPage() {
    std::wstring classes;
    for (int i = 0; classes.size() < 500000; ++i) classes += L"k" + std::to_wstring(i) + L' ';
    classes.resize(500000);
    return L"<!DOCTYPE html><html><head><style>.k7 .inner{color:#00ff00} .k99999 p{font-weight:bold} .absent{color:red}"
           L"</style></head><body><div id=outer class='" + classes + L"'><span class=inner id=inner>in</span><p id=p>p</p></div></body></html>";
}

std::wstring ManyRunsPage() {
    std::wstring page = L"<html><body><p>";
    for (int i = 0; i < 15000; ++i) page += L"x<b>x</b>";  // two runs each
    return page + L"</p></body></html>";
}

std::wstring MisplacedInTablePage() {
    std::wstring page = L"<html><body><table><tr><td>cell</td></tr>";
    for (int i = 0; i < 60000; ++i) page += L"<span>m</span>";
    return page + L"</table></body></html>";
}

std::wstring FarRightTablePage() {
    std::wstring page = L"<!DOCTYPE html><html><body>";
    for (int i = 0; i < 60; ++i) page += L"<div style='margin-left:10000px;padding-left:10000px'>";
    page += L"<table bgcolor=#ff0000 border=1><tr><td>far</td></tr></table>";
    for (int i = 0; i < 60; ++i) page += L"</div>";
    return page + L"</body></html>";
}

std::wstring DeepSelectorsPage() {
    std::wstring page = L"<html><head><style>";
    for (int i = 0; i < 1024; ++i)
        page += L"div > div span div > div span div > .c" + std::to_wstring(i % 64) + L"{color:#" + std::to_wstring(100000 + i) + L"}\n";
    page += L"</style></head><body>";
    for (int i = 0; i < 90; ++i) page += i % 2 ? L"<div>" : L"<span>";
    std::wstring classes;
    for (int i = 0; i < 64; ++i) classes += L" c" + std::to_wstring(i);
    for (int i = 0; i < 2000; ++i) page += L"<b class='" + classes + L"'>x</b>";
    return page + L"</body></html>";
}

std::wstring BitmapBombPage() {
    std::wstring page = L"<html><body>";
    for (int i = 1; i <= 5; ++i) page += L"<img src=bomb" + std::to_wstring(i) + L".bmp>";
    return page + L"<img src=small.bmp></body></html>";
}

std::string Rle8Bitmap(int width, int height) {
    constexpr uint32_t kPixelsAt = 14 + 40 + 256 * 4;
    const uint8_t pixels[] = {0, 1};  // end of bitmap
    std::string out;
    const auto u16 = [&](uint32_t v) { out += char(v & 0xFF), out += char((v >> 8) & 0xFF); };
    const auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
    out += "BM";
    u32(kPixelsAt + sizeof pixels);
    u32(0);
    u32(kPixelsAt);
    u32(40);
    u32(uint32_t(width));
    u32(uint32_t(height));
    u16(1);
    u16(8);
    u32(1);  // BI_RLE8
    u32(sizeof pixels);
    u32(2835), u32(2835), u32(256), u32(0);
    for (int i = 0; i < 256; ++i) u32(uint32_t(i * 0x010101));
    out.append(reinterpret_cast<const char*>(pixels), sizeof pixels);
    return out;
}

void AddBitmapBombPictures(FakeMeasurer& measurer) {
    const auto sizeOf = [](const std::string& file) {
        const BmpSize size = ReadBmpSize(std::span(reinterpret_cast<const uint8_t*>(file.data()), file.size()));
        return html::PictureSize{size.width, size.height};
    };
    const html::PictureSize bomb = sizeOf(Rle8Bitmap(8192, 8192));
    for (int i = 1; i <= 5; ++i) measurer.pictures[L"bomb" + std::to_wstring(i) + L".bmp"] = bomb;
    measurer.pictures[L"small.bmp"] = sizeOf(Rle8Bitmap(104, 108));
}

std::vector<Named> AllPages() {
    return {{"css-heavy", CssHeavyPage},       {"long-class", LongClassPage},      {"many-runs", ManyRunsPage},
            {"misplaced-in-table", MisplacedInTablePage}, {"far-right-table", FarRightTablePage},
            {"deep-selectors", DeepSelectorsPage}, {"bitmap-bombs", BitmapBombPage}};
}

}  // namespace hostile
