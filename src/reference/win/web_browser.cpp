#include "reference/win/web_browser.h"

#include <windowsx.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "reference/html/links.h"

namespace {

// One line of the arrow keys and one notch of the wheel.
constexpr int kLineStep = 20;
constexpr int kWheelLines = 3;

bool ReadPageFile(const std::wstring& path, std::string& bytes) {
    std::error_code ec;
    const std::filesystem::path file(path);
    if (!std::filesystem::is_regular_file(file, ec)) return false;
    const uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size > html::kMaxPageBytes) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    bytes.resize(size_t(size));
    in.read(bytes.data(), std::streamsize(size));
    return in.gcount() == std::streamsize(size);
}

COLORREF ToColorRef(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

void Fill(HDC dc, const RECT& r, uint32_t rgb) {
    SetDCBrushColor(dc, ToColorRef(rgb));
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace

// The layout's measurer: fonts from GDI, picture sizes from the pictures themselves.
class TWebBrowser::Measurer : public html::PageMeasurer {
public:
    explicit Measurer(TWebBrowser& view) : view_(view) {}

    html::FontMetrics Metrics(const html::FontKey& font) override { return view_.measurer_.Metrics(font); }
    void Extents(const html::FontKey& font, std::wstring_view text, std::vector<int>& ends) override {
        view_.measurer_.Extents(font, text, ends);
    }
    std::optional<html::PictureSize> Picture(const std::wstring& src) override {
        const std::optional<PagePictures::Size> size = view_.pictures_.SizeOf(view_.PicturePath(src));
        if (!size) return std::nullopt;
        return html::PictureSize{size->width, size->height};
    }

private:
    TWebBrowser& view_;
};

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {
    color_ = clWindow;
    SetTabStop(true);
}

TWebBrowser::~TWebBrowser() = default;

void TWebBrowser::CreateParams(TCreateParams& params) {
    params.style |= WS_VSCROLL | WS_HSCROLL | (GetTabStop() ? WS_TABSTOP : 0);
    params.classStyle = CS_DBLCLKS;  // no repaint of the whole window on every size change
}

void TWebBrowser::InitWnd() {
    TWinControl::InitWnd();
    if (!page_) return;
    Relayout();
    const int top = scrollTop_;
    scrollTop_ = -1;
    ScrollTo(top);
}

// The folder of the page the viewer asks for bounds where its links may lead.
void TWebBrowser::Navigate(const std::wstring& path) {
    folder_ = html::FolderOf(path);
    Open(path, L"");
}

void TWebBrowser::Open(const std::wstring& path, const std::wstring& fragment) {
    location_ = path;
    pictures_.Clear();
    std::string bytes;
    const bool read = html::InFolder(folder_, path) && ReadPageFile(path, bytes);
    page_ = read ? html::BuildPage(bytes) : html::BuildFailurePage(path);
    laidOutWidth_ = -1;
    Relayout();
    int top = 0;
    if (!fragment.empty())
        if (const std::optional<int> anchor = layout_.AnchorTop(fragment)) top = *anchor;
    scrollLeft_ = 0;
    scrollTop_ = -1;  // always repaint, even at the same position
    ScrollTo(top);
}

int TWebBrowser::PageWidth() const {
    if (HWND hwnd = WindowHandle()) {
        RECT client{};
        GetClientRect(hwnd, &client);
        return std::max(int(client.right), 1);
    }
    return std::max(width_ - GetSystemMetrics(SM_CXVSCROLL), 1);
}

int TWebBrowser::ViewHeight() const {
    if (HWND hwnd = WindowHandle()) {
        RECT client{};
        GetClientRect(hwnd, &client);
        return std::max(int(client.bottom), 0);
    }
    return std::max(height_, 0);
}

void TWebBrowser::Relayout() {
    if (!page_) return;
    const int width = PageWidth();
    if (width == laidOutWidth_) return;
    Measurer measurer(*this);
    layout_ = html::LayoutPage(page_->styled, width, measurer);
    laidOutWidth_ = width;
}

int TWebBrowser::MaxScrollTop() const { return std::max(layout_.height - ViewHeight(), 0); }

int TWebBrowser::MaxScrollLeft() const { return std::max(layout_.contentWidth - PageWidth(), 0); }

void TWebBrowser::ScrollLeftTo(int left) {
    left = std::clamp(left, 0, MaxScrollLeft());
    if (left == scrollLeft_) return;
    scrollLeft_ = left;
    UpdateScrollBar();
    Invalidate();
}

void TWebBrowser::ScrollTo(int top) {
    top = std::clamp(top, 0, MaxScrollTop());
    if (top == scrollTop_) return;
    scrollTop_ = top;
    UpdateScrollBar();
    Invalidate();
}

void TWebBrowser::UpdateScrollBar() {
    HWND hwnd = WindowHandle();
    if (!hwnd) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(layout_.height - 1, 0);
    info.nPage = UINT(ViewHeight());
    info.nPos = scrollTop_;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    // The horizontal bar shows only while the page is wider than the view, as in browsers; it
    // takes height, never width, so the page need not be laid out again for it.
    scrollLeft_ = std::clamp(scrollLeft_, 0, MaxScrollLeft());
    SCROLLINFO across{};
    across.cbSize = sizeof across;
    across.fMask = SIF_ALL;
    across.nMin = 0;
    across.nMax = MaxScrollLeft() > 0 ? layout_.contentWidth - 1 : 0;
    across.nPage = MaxScrollLeft() > 0 ? UINT(PageWidth()) : 0;
    across.nPos = scrollLeft_;
    SetScrollInfo(hwnd, SB_HORZ, &across, TRUE);
}

// Whoever resizes the window (the toolkit, the parent, the system), the page follows its width.
void TWebBrowser::WmSize() {
    if (!page_) return;
    Relayout();
    const int top = scrollTop_;
    scrollTop_ = -1;
    ScrollTo(top);
}

std::wstring TWebBrowser::DisplayText() const { return layout_.PlainText(); }

void TWebBrowser::AutomationFields(std::vector<std::pair<std::string, std::wstring>>& fields) const {
    fields.emplace_back("page", location_);
}

std::wstring TWebBrowser::PicturePath(const std::wstring& src) const {
    std::wstring path = html::ResolvePicture(location_, src);
    return html::InFolder(folder_, path) ? path : std::wstring();
}

// ---- messages

void TWebBrowser::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_VSCROLL:
            WmVScroll(message);
            return;
        case WM_HSCROLL:
            WmHScroll(message);
            return;
        case WM_MOUSEWHEEL:
            WmMouseWheel(message);
            return;
        case WM_GETDLGCODE:
            message.Result = DLGC_WANTARROWS;
            return;
        case WM_KEYDOWN:
            if (WmKeyDown(message)) return;
            break;
        case WM_LBUTTONDOWN:
            SetFocus();
            message.Result = 0;
            return;
        case WM_LBUTTONUP:
            WmLButtonUp(message);
            return;
        case WM_SETCURSOR:
            if (WmSetCursor(message)) return;
            break;
        case WM_SIZE:
            TWinControl::WndProc(message);
            WmSize();
            return;
    }
    TWinControl::WndProc(message);
}

void TWebBrowser::WmVScroll(TMessage& message) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(WindowHandle(), SB_VERT, &info);
    const int page = std::max(ViewHeight() - kLineStep, kLineStep);
    switch (LOWORD(message.WParam)) {
        case SB_LINEUP: ScrollTo(scrollTop_ - kLineStep); break;
        case SB_LINEDOWN: ScrollTo(scrollTop_ + kLineStep); break;
        case SB_PAGEUP: ScrollTo(scrollTop_ - page); break;
        case SB_PAGEDOWN: ScrollTo(scrollTop_ + page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(MaxScrollTop()); break;
    }
    message.Result = 0;
}

void TWebBrowser::WmHScroll(TMessage& message) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(WindowHandle(), SB_HORZ, &info);
    const int page = std::max(PageWidth() - kLineStep, kLineStep);
    switch (LOWORD(message.WParam)) {
        case SB_LINELEFT: ScrollLeftTo(scrollLeft_ - kLineStep); break;
        case SB_LINERIGHT: ScrollLeftTo(scrollLeft_ + kLineStep); break;
        case SB_PAGELEFT: ScrollLeftTo(scrollLeft_ - page); break;
        case SB_PAGERIGHT: ScrollLeftTo(scrollLeft_ + page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollLeftTo(info.nTrackPos); break;
        case SB_LEFT: ScrollLeftTo(0); break;
        case SB_RIGHT: ScrollLeftTo(MaxScrollLeft()); break;
    }
    message.Result = 0;
}

void TWebBrowser::WmMouseWheel(TMessage& message) {
    // Whole notches scroll; a fine wheel's small deltas add up until they make one.
    wheelRemainder_ += GET_WHEEL_DELTA_WPARAM(message.WParam);
    const int notches = wheelRemainder_ / WHEEL_DELTA;
    wheelRemainder_ -= notches * WHEEL_DELTA;
    if (notches != 0) ScrollTo(scrollTop_ - notches * kWheelLines * kLineStep);
    message.Result = 0;
}

bool TWebBrowser::WmKeyDown(TMessage& message) {
    const int page = std::max(ViewHeight() - kLineStep, kLineStep);
    switch (message.WParam) {
        case VK_UP: ScrollTo(scrollTop_ - kLineStep); break;
        case VK_DOWN: ScrollTo(scrollTop_ + kLineStep); break;
        case VK_LEFT: ScrollLeftTo(scrollLeft_ - kLineStep); break;
        case VK_RIGHT: ScrollLeftTo(scrollLeft_ + kLineStep); break;
        case VK_PRIOR: ScrollTo(scrollTop_ - page); break;
        case VK_NEXT: ScrollTo(scrollTop_ + page); break;
        case VK_SPACE: ScrollTo(scrollTop_ + ((GetKeyState(VK_SHIFT) < 0) ? -page : page)); break;
        case VK_HOME: ScrollTo(0); break;
        case VK_END: ScrollTo(MaxScrollTop()); break;
        default: return false;
    }
    message.Result = 0;
    return true;
}

void TWebBrowser::WmLButtonUp(TMessage& message) {
    message.Result = 0;
    const int link = layout_.LinkAt(GET_X_LPARAM(message.LParam) + scrollLeft_, GET_Y_LPARAM(message.LParam) + scrollTop_);
    if (link >= 0) FollowLink(link);
}

bool TWebBrowser::WmSetCursor(TMessage& message) {
    if (LOWORD(message.LParam) != HTCLIENT) return false;
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(WindowHandle(), &point);
    if (layout_.LinkAt(point.x + scrollLeft_, point.y + scrollTop_) < 0) return false;
    ::SetCursor(LoadCursorW(nullptr, IDC_HAND));
    message.Result = TRUE;
    return true;
}

void TWebBrowser::FollowLink(int link) {
    const html::LinkTarget target = html::ResolveLink(location_, layout_.links[size_t(link)]);
    switch (target.kind) {
        case html::LinkTarget::SamePage:
            if (target.fragment.empty()) ScrollTo(0);
            else if (const std::optional<int> anchor = layout_.AnchorTop(target.fragment)) ScrollTo(*anchor);
            break;
        case html::LinkTarget::Page:
            Open(target.path, target.fragment);
            break;
        default:
            break;  // addresses outside the folder are not followed
    }
}

// ---- painting

void TWebBrowser::PaintBackground(HDC dc, const RECT& area) {
    Fill(dc, area, page_ ? layout_.canvas : 0xFFFFFF);
    if (!page_) return;
    const html::Rect visible{int(area.left) + scrollLeft_, int(area.top) + scrollTop_, int(area.right) + scrollLeft_,
                             int(area.bottom) + scrollTop_};
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    for (const html::DisplayItem& item : layout_.items)
        if (item.box.Intersects(visible)) PaintItem(dc, item, -scrollLeft_, -scrollTop_);
}

void TWebBrowser::PaintItem(HDC dc, const html::DisplayItem& item, int dx, int dy) {
    const RECT box{item.box.left + dx, item.box.top + dy, item.box.right + dx, item.box.bottom + dy};
    switch (item.kind) {
        case html::ItemKind::Fill:
            if (box.right > box.left && box.bottom > box.top) Fill(dc, box, item.color);
            return;
        case html::ItemKind::Text: {
            if (item.background != html::kNoColor) Fill(dc, box, item.background);
            const html::FontKey& key = layout_.fonts[size_t(item.font)];
            SelectGuard font(dc, measurer_.Font(key));
            SetTextColor(dc, ToColorRef(item.color));
            const int baseline = item.baseline + dy;
            ExtTextOutW(dc, box.left, baseline, 0, nullptr, item.text.c_str(), UINT(item.text.size()), nullptr);
            const int thickness = std::max(1, key.size / 16);
            if (item.underline) Fill(dc, RECT{box.left, baseline + 1, box.right, baseline + 1 + thickness}, item.color);
            if (item.strike) {
                const int middle = baseline - layout_.metrics[size_t(item.font)].ascent / 3;
                Fill(dc, RECT{box.left, middle, box.right, middle + thickness}, item.color);
            }
            return;
        }
        case html::ItemKind::Picture: {
            if (box.right <= box.left || box.bottom <= box.top) return;
            const PagePictures::Picture* picture =
                item.readable ? pictures_.Get(PicturePath(item.text), item.box.Width(), item.box.Height()) : nullptr;
            if (!picture) {
                PaintBrokenPicture(dc, item, box);
                return;
            }
            MemDC source(dc);
            SelectGuard select(source.Get(), picture->bitmap.Get());
            const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            SetStretchBltMode(dc, HALFTONE);
            AlphaBlend(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, source.Get(), 0, 0, picture->width,
                       picture->height, blend);
            return;
        }
        case html::ItemKind::Disc:
        case html::ItemKind::Circle: {
            SetDCBrushColor(dc, ToColorRef(item.color));
            SetDCPenColor(dc, ToColorRef(item.color));
            SelectGuard pen(dc, GetStockObject(DC_PEN));
            SelectGuard brush(dc, GetStockObject(item.kind == html::ItemKind::Disc ? DC_BRUSH : NULL_BRUSH));
            Ellipse(dc, box.left, box.top, box.right, box.bottom);
            return;
        }
        case html::ItemKind::Square:
            Fill(dc, box, item.color);
            return;
    }
}

// A picture that cannot be shown keeps its box with a frame and its alt text, as browsers draw
// it, so that a missing sign is seen to be missing.
void TWebBrowser::PaintBrokenPicture(HDC dc, const html::DisplayItem& item, const RECT& box) {
    constexpr uint32_t kFrame = 0x808080;
    Fill(dc, RECT{box.left, box.top, box.right, std::min(box.top + 1, box.bottom)}, kFrame);
    Fill(dc, RECT{box.left, std::max(box.bottom - 1, box.top), box.right, box.bottom}, kFrame);
    Fill(dc, RECT{box.left, box.top, std::min(box.left + 1, box.right), box.bottom}, kFrame);
    Fill(dc, RECT{std::max(box.right - 1, box.left), box.top, box.right, box.bottom}, kFrame);
    if (item.alt.empty() || box.right - box.left < 6 || box.bottom - box.top < 6) return;
    html::FontKey key;
    key.face = html::kDefaultFace;
    key.size = 12;
    SelectGuard font(dc, measurer_.Font(key));
    SetTextColor(dc, ToColorRef(0x404040));
    RECT inside{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3};
    const UINT align = GetTextAlign(dc);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    DrawTextW(dc, item.alt.c_str(), int(item.alt.size()), &inside, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    SetTextAlign(dc, align);
}
