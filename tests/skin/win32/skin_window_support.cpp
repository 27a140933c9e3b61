#include "skin_window_support.h"

TestForm::TestForm(const std::wstring& caption, int x, int y, int clientWidth, int clientHeight) : TForm(nullptr) {
    Name = L"TestForm";
    Caption = caption;
    SetBounds(x, y, 400, 300);
    SetClientSize(clientWidth, clientHeight);
    OnClose = [this](TCloseAction&) { ++Closes; };
}

void SkinTest::SetUp() {
    UiTest::SetUp();
    ASSERT_EQ(TSkinManage::Instance(false), nullptr) << "a manager was left behind";
}

void SkinTest::TearDown() {
    for (TForm* form : std::vector<TForm*>(Application->Forms())) FreeComponent(form);
    if (skin_) FreeComponent(skin_);
    skin_ = nullptr;
    // The manager goes with the last skin component.
    EXPECT_EQ(TSkinManage::Instance(false), nullptr);
    UiTest::TearDown();
}

void SkinTest::MakeSkin(TSkinControls controls) {
    skin_ = new TSkinDataComponent(nullptr);
    skin_->BeginLoading();
    skin_->SetActive(true);
    skin_->SetSkinControls(controls);
    ASSERT_TRUE(ReadSkinStreamResource(*skin_, L"SKINSTREAM"));
    skin_->Loaded();
    ASSERT_FALSE(skin_->SkinPending());
    ASSERT_NE(Manager(), nullptr);
}

void SkinTest::MakeSkinFrom(const std::vector<uint8_t>& package, TSkinControls controls) {
    skin_ = new TSkinDataComponent(nullptr);
    skin_->BeginLoading();
    skin_->SetActive(true);
    skin_->SetSkinControls(controls);
    MemoryStream stream;
    const uint32_t count = uint32_t(package.size());
    const uint8_t countBytes[4] = {uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), uint8_t(count >> 24)};
    stream.Write(countBytes, 4);
    stream.Write(package.data(), package.size());
    stream.Seek(0);
    skin_->ReadSkinStream(stream);
    skin_->Loaded();
    ASSERT_FALSE(skin_->SkinPending());
    ASSERT_NE(Manager(), nullptr);
}

TWinSkinForm* SkinTest::Skinned(HWND hwnd) const { return Manager() ? Manager()->FindForm(hwnd) : nullptr; }

void SkinTest::ShowSkinned(TForm& form, bool expectSkin) {
    form.Show();
    SetForegroundWindow(form.Handle());
    if (!expectSkin) {
        PumpFor(100);
        return;
    }
    ASSERT_TRUE(PumpUntil([&] {
        TWinSkinForm* s = Skinned(form.WindowHandle());
        return s && s->LifeState() == lsSkinned && form.Active();
    }));
    PumpFor(60);  // the surface reaches the screen
}

TFrameMetrics SkinTest::SkinMetrics() const {
    const TSkinContent& c = Content();
    TFrameMetrics m;
    m.left = c.Left.Image.width / c.Left.FrameCount;
    m.right = c.Right.Image.width / c.Right.FrameCount;
    m.caption = c.Top.Image.height / c.Top.FrameCount;
    m.bottom = c.Bottom.Image.height / c.Bottom.FrameCount;
    return m;
}

Bitmap32 ScreenWindow(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    Bitmap32 image(w, h);
    BITMAPINFO bi = TopDown32(w, h);
    void* bits = nullptr;
    Gdi<HBITMAP> dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemDC mem(nullptr);
    {
        SelectGuard select(mem.Get(), dib.Get());
        // Only what lies on the screen can be copied (a maximized window's frame lies off it).
        ClientDC screen(nullptr);
        RECT shown{};
        const RECT desk{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (IntersectRect(&shown, &r, &desk))
            BitBlt(mem.Get(), shown.left - r.left, shown.top - r.top, shown.right - shown.left, shown.bottom - shown.top,
                   screen.Get(), shown.left, shown.top, SRCCOPY);
        GdiFlush();
    }
    const auto* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = p[i] & 0xFFFFFF;
    return image;
}

Bitmap32 Crop(const Bitmap32& image, const RECT& r) {
    Bitmap32 out(r.right - r.left, r.bottom - r.top);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.At(x, y) = image.At(r.left + x, r.top + y);
    return out;
}

int Differences(const Bitmap32& a, const Bitmap32& b, const Bitmap32* mask) {
    if (a.width != b.width || a.height != b.height) return -1;
    int n = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            if (mask && (mask->At(x, y) & 0xFFFFFF) == kTransparentPixel) continue;
            n += (a.At(x, y) & 0xFFFFFF) != (b.At(x, y) & 0xFFFFFF);
        }
    return n;
}

LPARAM ScreenPoint(HWND hwnd, int x, int y) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return MAKELPARAM(r.left + x, r.top + y);
}

POINT ButtonCentre(TWinSkinForm& form, int action) {
    for (const auto& b : form.Buttons()) {
        if (b->Visible && b->Data.Action == action)
            return POINT{(b->Bounds.left + b->Bounds.right) / 2, (b->Bounds.top + b->Bounds.bottom) / 2};
    }
    ADD_FAILURE() << "no visible caption button with Action " << action;
    return POINT{-1000, -1000};
}

Bitmap32 PartFace(const TSkinContent& content, const TDataSkinObject& part, int w, int h, int frame) {
    Bitmap32 face(w, h, ColourRefToPixel(content.Colours.ButtonFace));
    DrawPart(face, 0, 0, w, h, part, frame);
    return face;
}

TResourceGrowth GrowthOver(const std::function<void()>& cycle, int cycles) {
    cycle();
    const int gdi = GdiObjectCount(), windows = ThreadWindowCount();
    for (int i = 0; i < cycles; ++i) cycle();
    return TResourceGrowth{GdiObjectCount() - gdi, ThreadWindowCount() - windows};
}

void PaintNow(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

HWND OpenMenuWindow() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(hwnd, name, 16);
            if (std::wstring(name) == L"#32768" && IsWindowVisible(hwnd)) {
                *reinterpret_cast<HWND*>(data) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}
