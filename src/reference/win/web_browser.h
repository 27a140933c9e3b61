#pragma once
// TWebBrowser: the viewer's page view, in the place and under the name the window gives its
// browser control. It is our own: it reads an HTML file of the regulation folder, lays it out
// with the portable page engine (src/reference/html) and paints it with GDI, so that it looks
// the same on Windows and under Wine (where the system's browser control renders nothing).
//
// - Navigate(path) reads, lays out and repaints at once; a file that cannot be read shows a
//   plain page naming it, never a message box.
// - Pictures: BMP through our codec, PNG, JPEG and GIF through the Windows Imaging Component;
//   a picture that cannot be read (or is over the page's budget) keeps its box, framed, with
//   its alt text.
// - The vertical scroll bar, the wheel and the keys (arrows, Page Up/Down, Home/End, space)
//   scroll; a page wider than the view gets a horizontal scroll bar (and Left/Right); a click on a link to a page of the folder or an anchor goes there in place. A link
//   that leads out of the folder of the page the viewer asked for shows the plain page.
#include <memory>
#include <string>

#include "reference/html/layout.h"
#include "reference/html/page.h"
#include "reference/win/gdi_measurer.h"
#include "reference/win/page_pictures.h"
#include "ui/win_control.h"

class TWebBrowser : public TWinControl {
public:
    explicit TWebBrowser(TComponent* owner);
    ~TWebBrowser() override;
    std::wstring ClassName() const override { return L"TWebBrowser"; }

    // Shows the page in the file at `path` (the whole text is the path).
    void Navigate(const std::wstring& path);
    // The full path navigated to last (by Navigate or a link), empty before the first.
    const std::wstring& LocationURL() const { return location_; }
    // True while the page on show is the plain page of a file that could not be opened.
    bool PageFailed() const { return page_ && page_->failed; }

    // Scrolling, in pixels from the top and the left of the page.
    int ScrollTop() const { return scrollTop_; }
    void ScrollTo(int top);
    int MaxScrollTop() const;
    int ScrollLeft() const { return scrollLeft_; }
    void ScrollLeftTo(int left);
    int MaxScrollLeft() const;
    // The page as laid out for the current width (for tests and the automation dump).
    const html::PageLayout& Layout() const { return layout_; }
    // The plain text of the page on show.
    std::wstring DisplayText() const override;
    // "page": the full path navigated to last.
    void AutomationFields(std::vector<std::pair<std::string, std::wstring>>& fields) const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitWnd() override;
    void WndProc(TMessage& message) override;
    void PaintBackground(HDC dc, const RECT& area) override;

private:
    class Measurer;

    void Open(const std::wstring& path, const std::wstring& fragment);
    void Relayout();
    int PageWidth() const;
    int ViewHeight() const;
    void UpdateScrollBar();
    void FollowLink(int link);

    void WmVScroll(TMessage& message);
    void WmHScroll(TMessage& message);
    void WmMouseWheel(TMessage& message);
    bool WmKeyDown(TMessage& message);
    void WmLButtonUp(TMessage& message);
    bool WmSetCursor(TMessage& message);
    void WmSize();

    void PaintItem(HDC dc, const html::DisplayItem& item, int dx, int dy);
    void PaintBrokenPicture(HDC dc, const html::DisplayItem& item, const RECT& box);
    std::wstring PicturePath(const std::wstring& src) const;

    GdiMeasurer measurer_;
    PagePictures pictures_;
    std::unique_ptr<html::Page> page_;
    html::PageLayout layout_;
    std::wstring location_;
    std::wstring folder_;  // links and pictures are read only from here and its subfolders
    int laidOutWidth_ = -1;
    int scrollTop_ = 0;
    int scrollLeft_ = 0;
    int wheelRemainder_ = 0;
};
