#include "ui/db_rich_edit.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "base/errors.h"
#include "base/utf.h"

namespace {

// The rich-edit classes live in riched20.dll, loaded once for the program's lifetime (its
// windows may outlive any one control object's destructor).
void LoadRichEditLibrary() {
    static const HMODULE library = LoadLibraryW(L"riched20.dll");
    if (!library) throw Exception("The rich-text control (riched20.dll) is not available");
}

struct StreamSource {
    const char* data;
    size_t size;
    size_t offset;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const size_t count = std::min(size_t(std::max<LONG>(wanted, 0)), source->size - source->offset);
    std::memcpy(buffer, source->data + source->offset, count);
    source->offset += count;
    *given = LONG(count);
    return 0;
}

bool IsRtf(const std::string& text) { return text.compare(0, 5, "{\\rtf") == 0; }

}  // namespace

TDBRichEdit::TDBRichEdit(TComponent* owner) : TWinControl(owner) {
    color_ = clWindow;
    SetTabStop(true);
}

TDBRichEdit::~TDBRichEdit() {
    if (dataSource_) dataSource_->RemoveObserver(this);
}

void TDBRichEdit::SetDataSource(DataSetView* dataSource) {
    if (dataSource == dataSource_) return;
    if (dataSource_) dataSource_->RemoveObserver(this);
    dataSource_ = dataSource;
    if (dataSource_) dataSource_->AddObserver(this);
    DataChanged();
}

void TDBRichEdit::SetDataField(const std::string& field) {
    if (field == dataField_) return;
    dataField_ = field;
    DataChanged();
}

void TDBRichEdit::CreateParams(TCreateParams& params) {
    LoadRichEditLibrary();
    params.systemClass = L"RichEdit20W";
    params.style |= ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_DISABLENOSCROLL | WS_VSCROLL |
                    (GetTabStop() ? WS_TABSTOP : 0);
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TDBRichEdit::InitWnd() {
    TWinControl::InitWnd();
    SendMessageW(WindowHandle(), EM_SETBKGNDCOLOR, 0, LPARAM(ColorToRGB(color_)));
    SendMessageW(WindowHandle(), EM_SETTARGETDEVICE, 0, 0);  // lines wrap at the box's width
    Load();
}

void TDBRichEdit::DataChanged() {
    content_ = dataSource_ && !dataField_.empty() && dataSource_->HasCurrentRow() ? dataSource_->CurrentText(dataField_)
                                                                                   : std::string();
    if (WindowHandle()) Load();
    if (OnChange) OnChange();
}

void TDBRichEdit::DataSetDestroyed(DataSetView* dataSet) {
    if (dataSet != dataSource_) return;
    // The text on show stays; the handlers are not told, the dataset being on its way out.
    dataSource_ = nullptr;
}

void TDBRichEdit::Load() {
    HWND hwnd = WindowHandle();
    if (!hwnd) return;
    // Rich text as it is stored; plain text as UTF-16, so that Chinese survives any code page.
    std::string bytes;
    WPARAM format = SF_RTF;
    if (IsRtf(content_)) {
        bytes = content_;
    } else {
        const std::wstring wide = Utf8ToWide(content_);
        bytes.assign(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
        format = SF_TEXT | SF_UNICODE;
    }
    StreamSource source{bytes.data(), bytes.size(), 0};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadStream;
    SendMessageW(hwnd, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    FitFormattingRectangle();
    SendMessageW(hwnd, EM_SETSEL, 0, 0);
    SendMessageW(hwnd, EM_SCROLLCARET, 0, 0);
}

// The lines wrap inside the client area as it is, left of the vertical scroll bar: Wine's rich
// edit keeps the formatting rectangle it took before the bar was there (its lines ran under the
// bar), so the rectangle is given explicitly, and again whenever the box changes its size.
void TDBRichEdit::FitFormattingRectangle() {
    HWND hwnd = WindowHandle();
    if (!hwnd) return;
    RECT client{};
    GetClientRect(hwnd, &client);
    if (IsRectEmpty(&client)) return;
    InflateRect(&client, -1, 0);
    SendMessageW(hwnd, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&client));
}

void TDBRichEdit::WndProc(TMessage& message) {
    TWinControl::WndProc(message);
    if (message.Msg == WM_SIZE) FitFormattingRectangle();
}

std::wstring TDBRichEdit::DisplayText() const {
    if (!WindowHandle()) return Utf8ToWide(IsRtf(content_) ? std::string() : content_);
    return GetCaption();
}
