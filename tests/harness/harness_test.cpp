// Proves the Windows test harness: a real window under Wine, the 宋体 face resolving to a
// font that has Chinese glyphs, and text really drawn. A broken prefix or a missing font
// mapping fails here first, loudly, instead of as odd failures in the window tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF kTextColour = RGB(0, 0, 255);

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HFONT CreateSongFont(int height, int weight = FW_NORMAL) {
    return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                       DEFAULT_PITCH, L"宋体");
}

// Renders text black-on-white into a 32-bit DIB and returns its pixels.
std::vector<uint32_t> Render(HDC screen, HFONT font, const std::wstring& text, int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ oldBitmap = SelectObject(mem, dib);
    HGDIOBJ oldFont = SelectObject(mem, font);
    RECT all{0, 0, w, h};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, RGB(0, 0, 0));
    TextOutW(mem, 0, 0, text.c_str(), static_cast<int>(text.size()));
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + w * h);
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBitmap);
    DeleteDC(mem);
    DeleteObject(dib);
    return pixels;
}

int InkCount(const std::vector<uint32_t>& pixels) {
    int n = 0;
    for (uint32_t p : pixels) n += (p & 0xFFFFFF) != 0xFFFFFF;
    return n;
}

}  // namespace

TEST(Harness, SongFontHasDistinctChineseGlyphs) {
    HDC screen = GetDC(nullptr);
    HFONT font = CreateSongFont(16);
    ASSERT_NE(font, nullptr);
    {
        HGDIOBJ old = SelectObject(screen, font);
        TEXTMETRICW tm{};
        GetTextMetricsW(screen, &tm);
        EXPECT_EQ(tm.tmCharSet, GB2312_CHARSET) << "no font with the GB2312 character set";
        SelectObject(screen, old);
    }
    // Missing glyphs would all draw as the same box: distinct characters must differ.
    const auto di = Render(screen, font, L"第", 20, 20);
    const auto ti = Render(screen, font, L"题", 20, 20);
    const auto da = Render(screen, font, L"答", 20, 20);
    EXPECT_GT(InkCount(di), 10);
    EXPECT_GT(InkCount(ti), 10);
    EXPECT_NE(di, ti);
    EXPECT_NE(ti, da);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
}

TEST(Harness, BoldSongTextIsHeavierThanRegular) {
    HDC screen = GetDC(nullptr);
    for (int height : {14, 16}) {
        HFONT regular = CreateSongFont(height);
        HFONT bold = CreateSongFont(height, FW_BOLD);
        const int regularInk = InkCount(Render(screen, regular, L"你的成绩为", 120, 24));
        const int boldInk = InkCount(Render(screen, bold, L"你的成绩为", 120, 24));
        EXPECT_GT(boldInk, regularInk + regularInk / 8) << height << " px";
        DeleteObject(regular);
        DeleteObject(bold);
    }
    ReleaseDC(nullptr, screen);
}

TEST(Harness, TextIsDrawnIntoARealWindow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MuheHarnessWindow";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"测试窗口", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                100, 100, 400, 120, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    UpdateWindow(hwnd);

    const std::wstring text = L"第1题 你的答案是:2";
    HDC dc = GetDC(hwnd);
    HFONT font = CreateSongFont(16);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SetTextColor(dc, kTextColour);
    SetBkMode(dc, TRANSPARENT);
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ASSERT_TRUE(TextOutW(dc, 10, 10, text.c_str(), static_cast<int>(text.size())));
    GdiFlush();

    // The text's box holds text-coloured pixels, in its Chinese part as well as its digits;
    // outside the box the window stays white.
    int inText = 0, inChinese = 0, outside = 0;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const bool hit = GetPixel(dc, x, y) == kTextColour;
            const bool inside = x >= 10 && x < 10 + extent.cx && y >= 10 && y < 10 + extent.cy;
            if (hit && inside) ++inText;
            if (hit && inside && x >= 10 + extent.cx / 2) ++inChinese;
            if (hit && !inside) ++outside;
        }
    }
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(hwnd, dc);
    DestroyWindow(hwnd);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);

    EXPECT_GT(extent.cx, 100);
    EXPECT_GT(inText, 150);
    EXPECT_GT(inChinese, 60);
    EXPECT_EQ(outside, 0);
}
