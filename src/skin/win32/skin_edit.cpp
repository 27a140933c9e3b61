#include "skin/win32/skin_edit.h"

#include "skin/win32/skin_range_controls.h"
#include "ui/gdi.h"

namespace {

void Frame(HDC dc, RECT r, COLORREF colour) {
    Gdi<HBRUSH> brush(CreateSolidBrush(colour));
    FrameRect(dc, &r, brush.Get());
}

}  // namespace

TSkinEdit::TSkinEdit(TWinSkinForm& form, TSkinData& skin) : TSkinControl(form, skin) {}

TSkinEdit::~TSkinEdit() = default;

void TSkinEdit::AttachHandle(HWND hwnd) {
    TSkinControl::AttachHandle(hwnd);
    if (!Attached()) return;
    // An up-down made inside the edit steps its number; it is skinned with it.
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (_wcsicmp(name, L"msctls_updown32") != 0 && _wcsicmp(name, L"TSpinButton") != 0) continue;
        upDown_ = std::make_unique<TSkinUpDown>(form_, skin_);
        upDown_->AttachHandle(child);
        break;
    }
}

void TSkinEdit::Refresh() {
    TSkinControl::Refresh();
    if (upDown_) upDown_->Refresh();
}

void TSkinEdit::Detach() {
    if (upDown_) upDown_->Detach();
    upDown_.reset();
    TSkinControl::Detach();
}

void TSkinEdit::AfterMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            // The control painted with a device context of its own making: the border follows.
            if (m.WParam == 0) PaintWindow(nullptr);
            return;
        case WM_PRINT:
            PaintWindow(reinterpret_cast<HDC>(m.WParam));
            return;
        case WM_NCPAINT:
            PaintWindow(nullptr);
            return;
    }
    TSkinControl::AfterMessage(m);
}

void TSkinEdit::Paint(HDC dc, const RECT& bounds) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (client.right == w && client.bottom == h) return;  // no border
    Frame(dc, bounds, Content().Colours.ButtonShadow);
    Frame(dc, RECT{bounds.left + 1, bounds.top + 1, bounds.right - 1, bounds.bottom - 1}, RGB(255, 255, 255));
}

bool TSkinSizer::BeforeMessage(TMessage& m) {
    TSkinControl::BeforeMessage(m);
    return PaintItself(m);
}

void TSkinSizer::Paint(HDC dc, const RECT& bounds) {
    Gdi<HBRUSH> face(CreateSolidBrush(Content().Colours.ButtonFace));
    FillRect(dc, &bounds, face.Get());
    Frame(dc, bounds, Content().Colours.ButtonShadow);
}
