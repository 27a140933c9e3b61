// A new skin from a file while windows are skinned: every window takes the new frame around
// the same client area; a damaged file leaves them on the skin they had.
#include <filesystem>
#include <fstream>

#include "skin/skin_reader.h"
#include "skin/skin_test_support.h"
#include "skin_window_support.h"

namespace {

// A plain skin: 6-pixel borders, a 30-pixel caption, no transparent parts, one close button.
std::vector<uint8_t> PlainSkin() {
    const std::string description =
        "[Personality]\r\nTop=top.bmp\r\nTopFrame=2\r\nTopTrans=0\r\nBottom=bottom.bmp\r\nBottomFrame=2\r\n"
        "BottomTrans=0\r\nLeft=left.bmp\r\nLeftFrame=2\r\nLeftTrans=0\r\nRight=right.bmp\r\nRightFrame=2\r\n"
        "RightTrans=0\r\n[ButtonClose]\r\nButtonImage=close.bmp\r\nAction=0\r\nAlign=1\r\nXcoord=26\r\nYcoord=5\r\n";
    return skintest::PackageOf(description, {{"top.bmp", skintest::Bmp(40, 60, 0x204060)},
                                             {"bottom.bmp", skintest::Bmp(40, 12, 0x204060)},
                                             {"left.bmp", skintest::Bmp(12, 40, 0x204060)},
                                             {"right.bmp", skintest::Bmp(12, 40, 0x204060)},
                                             {"close.bmp", skintest::Bmp(120, 20, 0xC04030)}});
}

std::filesystem::path WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / name;
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return file;
}

class SkinChangeTest : public SkinTest {};

TEST_F(SkinChangeTest, ANewSkinReframesEveryWindowAndADamagedOneChangesNothing) {
    MakeSkin();
    auto* first = new TestForm(L"第一");
    auto* second = new TestForm(L"第二", 500, 300);
    ShowSkinned(*first);
    ShowSkinned(*second);
    RECT client{};
    GetClientRect(first->Handle(), &client);
    int changes = 0;
    skin_->OnSkinChanged = [&](TSkinData&) { ++changes; };

    skin_->SetSkinFile(WriteFile("muhe-plain.skn", PlainSkin()).wstring());
    ASSERT_TRUE(PumpUntil([&] { return changes == 1; }));
    for (TForm* form : {static_cast<TForm*>(first), static_cast<TForm*>(second)}) {
        HWND h = form->Handle();
        TWinSkinForm* s = Skinned(h);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->LifeState(), lsSkinned);
        EXPECT_EQ(s->Metrics().left, 6);
        EXPECT_EQ(s->Metrics().caption, 30);
        RECT window{}, now{};
        GetWindowRect(h, &window);
        GetClientRect(h, &now);
        POINT origin{0, 0};
        ClientToScreen(h, &origin);
        EXPECT_EQ(origin.y - window.top, 30);
        EXPECT_EQ(window.right - window.left, now.right + 12);
        // No part is transparent: the region is the whole window.
        Gdi<HRGN> region(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(h, region.Get()), ERROR);
        RECT box{};
        GetRgnBox(region.Get(), &box);
        EXPECT_EQ(RectText(box), RectText(RECT{0, 0, window.right - window.left, window.bottom - window.top}));
        EXPECT_TRUE(PtInRegion(region.Get(), 0, 0));
    }
    RECT after{};
    GetClientRect(first->Handle(), &after);
    EXPECT_EQ(RectText(after), RectText(client));

    // Damaged where the reader can tell: an unpacked size beyond what any skin may have.
    std::vector<uint8_t> damaged = PlainSkin();
    std::fill(damaged.begin(), damaged.begin() + 4, uint8_t(0xFF));
    EXPECT_THROW(skin_->SetSkinFile(WriteFile("muhe-damaged.skn", damaged).wstring()), ESkinError);
    PumpFor(400);
    EXPECT_EQ(Skinned(first->Handle())->Metrics().caption, 30);
    EXPECT_EQ(Skinned(first->Handle())->LifeState(), lsSkinned);
    EXPECT_EQ(changes, 1);
    // The frame is still painted from the skin it has.
    SendMessageW(first->Handle(), 0x3502, 0, 0);
    PumpFor(60);
    const Bitmap32 shot = ScreenWindow(first->Handle());
    EXPECT_EQ(shot.At(2, shot.height / 2), 0x204060u);
    EXPECT_EQ(shot.At(shot.width / 2, 2), 0x204060u);
}

}  // namespace
