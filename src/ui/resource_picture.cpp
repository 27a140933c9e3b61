#include "ui/resource_picture.h"

#include <windows.h>

#include <span>

#include "base/bmp.h"

Bitmap32 LoadResourcePicture(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);  // module memory: nothing to free
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return DecodeBmp(std::span<const uint8_t>(static_cast<const uint8_t*>(bytes), SizeofResource(module, found)));
}
