#pragma once
// TWebBrowser: the viewer's page view, in the place and under the name the window gives its
// browser control. It is our own: it reads an HTML file of the regulation folder, lays it out
// with the portable page engine (src/reference/html) and paints it with GDI, so that it looks
// the same on Windows and under Wine (where the system's browser control renders nothing).
//
// - Navigate(path) reads, lays out and repaints at once; a file that cannot be read shows a
//   plain page naming it, never a message box.
// - Pictures: BMP through our codec, PNG, JPEG and GIF through the Windows Imaging Component;
//   a picture that cannot be read keeps its box, empty.
// - The vertical scroll bar, the wheel and the keys (arrows, Page Up/Down, Home/End, space)
//   scroll; a click on a link to a page of the folder or an anchor goes there in place.
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

    // Scrolling, in pixels from the top of the page.
    int ScrollTop() const { return scrollTop_; }
    void ScrollTo(int top);
    int MaxScrollTop() const;
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
    void WmMouseWheel(TMessage& message);
    bool WmKeyDown(TMessage& message);
    void WmLButtonUp(TMessage& message);
    bool WmSetCursor(TMessage& message);
    void WmSize();

    void PaintItem(HDC dc, const html::DisplayItem& item, int dy);
    std::wstring PicturePath(const std::wstring& src) const;

    GdiMeasurer measurer_;
    PagePictures pictures_;
    std::unique_ptr<html::Page> page_;
    html::PageLayout layout_;
    std::wstring location_;
    int laidOutWidth_ = -1;
    int scrollTop_ = 0;
    int wheelRemainder_ = 0;
};
