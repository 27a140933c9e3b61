#include <gtest/gtest.h>

#include <wincodec.h>

#include "base/bmp.h"
#include "base/utf.h"
#include "reference/hostile_pages.h"
#include "reference/html/links.h"
#include "reference/win/web_browser.h"
#include "ui/form.h"
#include "viewer_fixture.h"

// The page view in a form of its own, on pages the tests write: pictures of every format,
// borders, scrolling by keys, wheel and scroll bar, links in place, a missing file.

namespace {

class PageViewTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form_.reset(new TForm(nullptr));
        form_->SetBounds(0, 0, 600, 400);
        view_ = new TWebBrowser(form_.get());
        view_->Name = L"WebBrowser1";
        view_->SetBounds(0, 0, 559, 300);
        view_->Parent = form_.get();
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return form_->Active(); }));
    }
    void TearDown() override {
        form_.reset();  // before the toolkit's clean-up frees every form left
        UiTest::TearDown();
    }

    std::string Html(const std::string& body) {
        return "<!DOCTYPE html><html><head><meta charset=utf-8><style>body{margin:0;background:#ffffff}</style></head><body>" +
               body + "</body></html>";
    }

    HWND View() { return view_->Handle(); }
    void Wheel(int delta) { SendMessageW(View(), WM_MOUSEWHEEL, WPARAM(WORD(short(delta))) << 16, 0); }
    RECT Client() {
        RECT r{};
        GetClientRect(View(), &r);
        return r;
    }
    const html::DisplayItem* Item(html::ItemKind kind, size_t index = 0) {
        size_t seen = 0;
        for (const html::DisplayItem& item : view_->Layout().items)
            if (item.kind == kind && seen++ == index) return &item;
        return nullptr;
    }
    RECT OnScreen(const html::DisplayItem& item) {
        const int dx = view_->ScrollLeft(), dy = view_->ScrollTop();
        return RECT{item.box.left - dx, item.box.top - dy, item.box.right - dx, item.box.bottom - dy};
    }

    // A broken picture: a grey frame, and inside white, or some of its alt text.
    void ExpectBrokenPicture(const Bitmap32& shot, const html::DisplayItem& picture, bool withText) {
        const RECT r = OnScreen(picture);
        EXPECT_EQ(ShareNear(shot, RECT{r.left, r.top, r.right, r.top + 1}, Rgb(0x80, 0x80, 0x80)), 1.0);
        EXPECT_EQ(ShareNear(shot, RECT{r.left, r.top, r.left + 1, r.bottom}, Rgb(0x80, 0x80, 0x80)), 1.0);
        const double white = ShareNear(shot, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, Rgb(255, 255, 255));
        if (withText) {
            EXPECT_LT(white, 0.97);
            EXPECT_GT(white, 0.3);
        } else {
            EXPECT_EQ(white, 1.0);
        }
    }

    PageFolder folder_;
    Owned<TForm> form_;
    TWebBrowser* view_ = nullptr;
};

}  // namespace

TEST_F(PageViewTest, PicturesOfEveryFormatAndBordersPaint) {
    Bitmap32 blue(8, 6, Rgb(0, 0, 255));
    const std::vector<uint8_t> bmp = EncodeBmp(blue, 24);
    folder_.Write(L"img\\a.bmp", std::string(bmp.begin(), bmp.end()));
    folder_.WritePicture(L"img\\b.png", GUID_ContainerFormatPng, 5, 5, Rgb(0, 160, 0));
    folder_.WritePicture(L"img\\c.jpg", GUID_ContainerFormatJpeg, 16, 16, Rgb(200, 0, 200));
    folder_.Write(L"img\\d.gif", OnePixelGif(Rgb(255, 0, 0)));
    folder_.Write(L"img\\e.bmp", "BM this is no bitmap");
    folder_.Write(L"img\\f.bmp", std::string(bmp.begin(), bmp.begin() + 70));  // sound headers, pixels cut off
    const std::wstring page = folder_.Write(
        L"p.htm", Html("<table style='border-collapse:collapse'><tr>"
                       "<td style='border:2px solid #9ab;padding:4px'><img src='img/a.bmp' width=40 height=30></td>"
                       "<td style='border:2px solid #9ab;padding:4px'><img src='img/b.png' width=40 height=30></td>"
                       "<td style='border:2px solid #9ab;padding:4px'><img src='IMG\\C.JPG' width=40 height=30></td>"
                       "<td style='border:2px solid #9ab;padding:4px'><img src='img/d.gif' width=40 height=30></td>"
                       "<td style='border:2px solid #9ab;padding:4px'><img src='img/e.bmp' width=40 height=30></td>"
                       "<td style='border:2px solid #9ab;padding:4px'><img src='img/none.png'></td>"
                       "<td style='border:2px solid #9ab;padding:4px'><img src='img/f.bmp'></td></tr></table>"));
    view_->Navigate(page);
    EXPECT_EQ(view_->LocationURL(), page);
    EXPECT_FALSE(view_->PageFailed());
    const Bitmap32 shot = PrintClient(View());
    const uint32_t colours[] = {Rgb(0, 0, 255), Rgb(0, 160, 0), Rgb(200, 0, 200), Rgb(255, 0, 0)};
    for (size_t i = 0; i < 4; ++i) {
        const html::DisplayItem* picture = Item(html::ItemKind::Picture, i);
        ASSERT_NE(picture, nullptr);
        EXPECT_TRUE(picture->readable) << i;
        EXPECT_GT(ShareNear(shot, OnScreen(*picture), colours[i], i == 2 ? 24 : 0), 0.9) << "picture " << i;
    }
    // A damaged bitmap and a missing file keep their boxes, framed and empty.
    for (size_t i = 4; i < 6; ++i) {
        const html::DisplayItem* picture = Item(html::ItemKind::Picture, i);
        ASSERT_NE(picture, nullptr);
        EXPECT_FALSE(picture->readable);
        EXPECT_GT(picture->box.Width(), 0);
        ExpectBrokenPicture(shot, *picture, false);
    }
    // Headers that read give the box its size; the pixels that do not leave it framed.
    const html::DisplayItem* cut = Item(html::ItemKind::Picture, 6);
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->box.Width() * 100 + cut->box.Height(), 8 * 100 + 6);
    ExpectBrokenPicture(shot, *cut, false);
    // The cell borders: a vertical line of the border colour between the first two pictures.
    const html::DisplayItem* first = Item(html::ItemKind::Picture, 0);
    const int between = first->box.right + 4 + 1;
    EXPECT_GT(ShareNear(shot, RECT{between, first->box.top, between + 1, first->box.bottom}, Rgb(0x99, 0xAA, 0xBB)), 0.9);
}

TEST_F(PageViewTest, ScrollsByKeysWheelAndScrollBar) {
    std::string body;
    for (int i = 0; i < 60; ++i) body += "<p style='margin:0;height:40px'>line " + std::to_string(i) + "</p>";
    body += "<div style='background:#ff0000;height:50px'></div>";
    view_->Navigate(folder_.Write(L"long.htm", Html(body)));
    const int max = view_->MaxScrollTop();
    EXPECT_EQ(max, 60 * 40 + 50 - Client().bottom);
    EXPECT_EQ(view_->ScrollTop(), 0);

    view_->SetFocus();
    PumpUntil([&] { return view_->Focused(); });
    PressKey(VK_DOWN);
    EXPECT_EQ(view_->ScrollTop(), 20);
    PressKey(VK_NEXT);
    const int page = view_->ScrollTop() - 20;
    EXPECT_GT(page, 200);
    PressKey(VK_END);
    EXPECT_EQ(view_->ScrollTop(), max);
    // At the end the red block at the bottom is on screen.
    const Bitmap32 bottom = PrintClient(View());
    const RECT client = Client();
    EXPECT_GT(ShareNear(bottom, RECT{0, client.bottom - 40, client.right, client.bottom}, Rgb(255, 0, 0)), 0.9);
    PressKey(VK_HOME);
    EXPECT_EQ(view_->ScrollTop(), 0);

    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(view_->ScrollTop(), 60);
    Wheel(-WHEEL_DELTA / 2);
    EXPECT_EQ(view_->ScrollTop(), 60);  // half a notch waits for the other half
    Wheel(-WHEEL_DELTA / 2);
    EXPECT_EQ(view_->ScrollTop(), 120);
    Wheel(10 * WHEEL_DELTA);
    EXPECT_EQ(view_->ScrollTop(), 0);

    SendMessageW(View(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(view_->ScrollTop(), page);
    SendMessageW(View(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(view_->ScrollTop(), max);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(View(), SB_VERT, &info);
    EXPECT_EQ(info.nPos, max);
    EXPECT_EQ(info.nMax + 1, 60 * 40 + 50);
    EXPECT_EQ(int(info.nPage), client.bottom);
}

TEST_F(PageViewTest, LinksOpenPagesOfTheFolderInPlace) {
    const std::wstring second = folder_.Write(L"sub\\二.htm", Html("<div style='height:900px'>top</div><a name=part>part</a>"));
    const std::wstring first = folder_.Write(
        L"一.htm", Html("<p><a href='sub/%E4%BA%8C.htm#part'>next</a> <a href='#end'>down</a> <a href='http://example.com/'>out</a></p>"
                        "<div style='height:900px'></div><a name=end>end</a>"));
    view_->Navigate(first);
    const auto clickText = [&](const std::wstring& text) {
        for (const html::DisplayItem& item : view_->Layout().items)
            if (item.kind == html::ItemKind::Text && item.text == text) {
                const RECT r = OnScreen(item);
                ClickAt(View(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
                return;
            }
        ADD_FAILURE() << "no link " << WideToUtf8(text);
    };
    clickText(L"out");
    EXPECT_EQ(view_->LocationURL(), first);
    EXPECT_EQ(view_->ScrollTop(), 0);
    clickText(L"down");
    EXPECT_EQ(view_->LocationURL(), first);
    EXPECT_EQ(view_->ScrollTop(), view_->MaxScrollTop());
    view_->ScrollTo(0);
    clickText(L"next");
    EXPECT_EQ(view_->LocationURL(), second);
    EXPECT_EQ(view_->ScrollTop(), std::min(view_->Layout().AnchorTop(L"part").value_or(-1), view_->MaxScrollTop()));
    EXPECT_GT(view_->ScrollTop(), 0);
}

TEST_F(PageViewTest, MissingFileShowsAPlainPageNamingIt) {
    const std::wstring missing = (folder_.Path() / L"不在.htm").wstring();
    view_->Navigate(missing);
    EXPECT_TRUE(view_->PageFailed());
    EXPECT_EQ(view_->LocationURL(), missing);
    const std::wstring text = view_->DisplayText();
    EXPECT_NE(text.find(L"无法打开文件"), std::wstring::npos);
    EXPECT_NE(text.find(missing), std::wstring::npos);
    EXPECT_TRUE(Application->ShownBoxes().empty());
    // A folder is no page either; a page after it shows again.
    view_->Navigate(folder_.Path().wstring());
    EXPECT_TRUE(view_->PageFailed());
    view_->Navigate(folder_.Write(L"ok.htm", "<p>\xB5\xC0\xC2\xB7</p>"));  // GBK, no declaration
    EXPECT_FALSE(view_->PageFailed());
    EXPECT_EQ(view_->DisplayText(), L"道路");
}

TEST_F(PageViewTest, ANarrowerViewLaysThePageOutAgain) {
    view_->Navigate(folder_.Write(L"w.htm", Html("<p>" + std::string(200, 'x') + " " + std::string(10, 'y') + "</p>")));
    const int wide = view_->Layout().width;
    view_->Width = 300;
    PumpFor(50);
    EXPECT_LT(view_->Layout().width, wide);
    EXPECT_EQ(view_->Layout().width, int(Client().right));
}

TEST_F(PageViewTest, BrokenPicturesShowTheirAltTextAndPicturesOverTheBudgetAreBroken) {
    folder_.Write(L"bomb.bmp", hostile::Rle8Bitmap(8192, 8192));  // about 1 KB, 256 MB decoded
    Bitmap32 blue(8, 6, Rgb(0, 0, 255));
    const std::vector<uint8_t> bmp = EncodeBmp(blue, 24);
    folder_.Write(L"a.bmp", std::string(bmp.begin(), bmp.end()));
    view_->Navigate(folder_.Write(L"p.htm", Html("<img src=none.bmp alt='禁止通行 No entry' width=160 height=60>"
                                                 "<img src=bomb.bmp alt='over the budget' width=80 height=40><img src=a.bmp width=40 height=30>")));
    const Bitmap32 shot = PrintClient(View());
    const html::DisplayItem* missing = Item(html::ItemKind::Picture, 0);
    const html::DisplayItem* bomb = Item(html::ItemKind::Picture, 1);
    const html::DisplayItem* small = Item(html::ItemKind::Picture, 2);
    ASSERT_TRUE(missing && bomb && small);
    ExpectBrokenPicture(shot, *missing, true);
    EXPECT_FALSE(bomb->readable);
    ExpectBrokenPicture(shot, *bomb, true);
    EXPECT_TRUE(small->readable);
    EXPECT_GT(ShareNear(shot, OnScreen(*small), Rgb(0, 0, 255)), 0.9);
}

TEST_F(PageViewTest, AWidePageScrollsAcross) {
    view_->Navigate(folder_.Write(L"wide.htm", Html("<div style='width:1500px;height:40px;background:#00ff00'></div>"
                                                    "<div style='margin-left:1400px;width:100px;height:40px;background:#ff0000'></div>")));
    const int width = int(Client().right);
    EXPECT_EQ(view_->Layout().contentWidth, 1500);
    EXPECT_EQ(view_->MaxScrollLeft(), 1500 - width);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(View(), SB_HORZ, &info));
    EXPECT_EQ(info.nMax + 1, 1500);
    EXPECT_EQ(int(info.nPage), width);
    EXPECT_EQ(view_->ScrollLeft(), 0);
    view_->SetFocus();
    PumpUntil([&] { return view_->Focused(); });
    PressKey(VK_RIGHT);
    EXPECT_EQ(view_->ScrollLeft(), 20);
    SendMessageW(View(), WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(view_->ScrollLeft(), 1500 - width);
    const Bitmap32 shot = PrintClient(View());
    EXPECT_GT(ShareNear(shot, RECT{width - 90, 45, width - 10, 75}, Rgb(255, 0, 0)), 0.9);
    SendMessageW(View(), WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(view_->ScrollLeft(), 0);
    // A page that fits has no bar across.
    view_->Navigate(folder_.Write(L"narrow.htm", Html("<p>fits</p>")));
    EXPECT_EQ(view_->MaxScrollLeft(), 0);
    EXPECT_EQ(GetWindowLongW(View(), GWL_STYLE) & WS_HSCROLL, 0);
}

TEST_F(PageViewTest, LinksAndPicturesOutsideTheFolderAreNotRead) {
    folder_.Write(L"outside.htm", Html("<p>outside</p>"));
    Bitmap32 blue(8, 6, Rgb(0, 0, 255));
    const std::vector<uint8_t> bmp = EncodeBmp(blue, 24);
    folder_.Write(L"up.bmp", std::string(bmp.begin(), bmp.end()));
    const std::wstring inner = folder_.Write(L"sub\\in.htm", Html("<p><a href='../outside.htm'>up</a></p><img src='../up.bmp'>"));
    view_->Navigate(inner);
    EXPECT_FALSE(view_->PageFailed());
    const html::DisplayItem* picture = Item(html::ItemKind::Picture);
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->readable);
    const html::DisplayItem* link = nullptr;
    for (const html::DisplayItem& item : view_->Layout().items)
        if (item.kind == html::ItemKind::Text && item.text == L"up") link = &item;
    ASSERT_NE(link, nullptr);
    const RECT r = OnScreen(*link);
    ClickAt(View(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_TRUE(view_->PageFailed());
    EXPECT_TRUE(html::SamePath(view_->LocationURL(), (folder_.Path() / L"outside.htm").wstring())) << WideToUtf8(view_->LocationURL());
    EXPECT_NE(view_->DisplayText().find(L"无法打开文件"), std::wstring::npos);
}
