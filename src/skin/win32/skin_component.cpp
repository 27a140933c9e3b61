#include "skin/win32/skin_component.h"

#include <windows.h>

#include "base/errors.h"
#include "base/utf.h"
#include "ui/gdi.h"
#include "skin/memory_stream.h"
#include "skin/win32/skin_manage.h"
#include "ui/application.h"

SkinHost WindowsSkinHost() {
    SkinHost host;
    host.ShowMessage = [](const std::string& text) {
        Application->MessageBox(Utf8ToWide(text), Application->Title.Get(), MB_OK);
    };
    host.SystemColour = [](SysColour colour) { return ColourRef(GetSysColor(int(colour))); };
    host.Manager = [](bool create) -> ISkinManager* { return TSkinManage::Instance(create); };
    return host;
}

namespace {

// A bitmap resource as 32-bit pixels (empty when the program has none of that name).
Bitmap32 BitmapResource(const wchar_t* name) {
    Gdi<HBITMAP> bitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap.Get(), sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
    Bitmap32 image(info.bmWidth, info.bmHeight);
    BITMAPINFO bi = TopDown32(image.width, image.height);
    ClientDC screen(nullptr);
    if (!GetDIBits(screen.Get(), bitmap.Get(), 0, UINT(image.height), image.pixels.data(), &bi, DIB_RGB_COLORS)) return {};
    for (uint32_t& p : image.pixels) p &= 0xFFFFFF;
    return image;
}

TImageList* MenuGlyphList(TComponent* owner) {
    auto* list = new TImageList(owner, 16, 16);
    const Bitmap32 glyphs = BitmapResource(L"KEVRELMENU");
    try {
        if (!glyphs.Empty()) list->AddMasked(glyphs, clWhite);
    } catch (const Exception&) {
        // A strip that is not whole glyphs leaves the menus without pictures.
    }
    return list;
}

}  // namespace

TSkinDataComponent::TSkinDataComponent(TComponent* ownerComponent)
    : TComponent(ownerComponent), TSkinData(WindowsSkinHost(), this), MenuGlyphs(MenuGlyphList(this)) {}

TSkinDataComponent* AddProgramSkin(TComponent* form, TSkinControls controls) {
    auto* skin = new TSkinDataComponent(form);
    skin->Name = L"SkinData1";
    skin->BeginLoading();
    skin->SetActive(true);
    skin->SetDisableTag(99);
    skin->SetSkinControls(controls);
    skin->SetSkinFormtype(sfMainform);
    skin->SetMenuUpdate(true);
    try {
        ReadSkinStreamResource(*skin, L"SKINSTREAM");
    } catch (const std::exception& e) {
        // The program works without its skin: say why the windows look plain.
        Application->ShowException(e);
    }
    skin->Loaded();
    return skin;
}

bool ReadSkinStreamResource(TSkinData& skin, const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);  // module memory: nothing to free
    const auto* bytes = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bytes) return false;
    MemoryStream stream(std::vector<uint8_t>(bytes, bytes + SizeofResource(module, found)));
    skin.ReadSkinStream(stream);
    return true;
}
