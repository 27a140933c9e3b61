#include "skin/win32/skin_component.h"

#include <windows.h>

#include "base/utf.h"
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

TSkinDataComponent::TSkinDataComponent(TComponent* ownerComponent)
    : TComponent(ownerComponent), TSkinData(WindowsSkinHost(), this) {}

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
