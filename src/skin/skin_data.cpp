#include "skin/skin_data.h"

#include <filesystem>
#include <fstream>

#include "base/ini.h"
#include "base/utf.h"
#include "skin/skin3rd.h"
#include "skin/skin_ini.h"
#include "skin/skin_reader.h"

namespace {

// A package is never much larger than the archive it unpacks to (LZHUF adds at most about
// one bit per byte), so a bigger file is not a skin.
constexpr uint64_t kSkinMaxFileSize = uint64_t(kSkinMaxUnpackedSize) * 2;

std::filesystem::path ToPath(const std::wstring& path) {
    if constexpr (sizeof(wchar_t) == 2) {
        return std::filesystem::path(path);  // the Windows API takes UTF-16 as it is
    } else {
        return std::filesystem::path(WideToUtf8(path));
    }
}

// Reads the whole file; throws ESkinError naming it when that is impossible.
std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& file, const std::wstring& name) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? std::streamoff(in.tellg()) : -1;
    if (size < 0) throw ESkinError("The skin file " + WideToUtf8(name) + " cannot be read");
    if (uint64_t(size) > kSkinMaxFileSize)
        throw ESkinError("The skin file " + WideToUtf8(name) + " is too large to be a skin package");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size)))
        throw ESkinError("The skin file " + WideToUtf8(name) + " cannot be read");
    return bytes;
}

}  // namespace

TSkinData::TSkinData(SkinHost platform, TComponent* ownerComponent)
    : host(std::move(platform)), owner(ownerComponent), skin3rd(DefaultSkin3rd()) {}

TSkinData::~TSkinData() {
    if (ISkinManager* manager = Manager(false)) manager->Unregister(*this);
}

ISkinManager* TSkinData::Manager(bool create) const {
    return host.Manager ? host.Manager(create) : nullptr;
}

ColourRef TSkinData::SystemColour(SysColour colour) const {
    return host.SystemColour ? host.SystemColour(colour) : ClassicSystemColour(colour);
}

std::string TSkinData::GetSkinStore() const {
    return designing && package.Size() > 0 ? "(Good)" : "(none)";
}

void TSkinData::ReadSkinStream(MemoryStream& stream) {
    uint8_t countBytes[4];
    if (stream.Read(countBytes, 4) != 4) throw ESkinError("The SkinStream value has no byte count");
    const int32_t count = int32_t(uint32_t(countBytes[0]) | uint32_t(countBytes[1]) << 8 |
                                  uint32_t(countBytes[2]) << 16 | uint32_t(countBytes[3]) << 24);
    if (count <= 0) return;
    if (size_t(count) > stream.Remaining())
        throw ESkinError("The SkinStream value announces " + std::to_string(count) + " bytes but holds " +
                         std::to_string(stream.Remaining()));
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    stream.Read(bytes.data(), bytes.size());
    if (designing) {
        package = MemoryStream(std::move(bytes));
        return;
    }
    LoadCandidate(MemoryStream(std::move(bytes)));
}

void TSkinData::WriteSkinStream(MemoryStream& stream) const {
    const uint32_t count = uint32_t(package.Size());
    const uint8_t countBytes[4] = {uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), uint8_t(count >> 24)};
    stream.Write(countBytes, 4);
    if (count > 0) stream.Write(package.Bytes());
}

void TSkinData::SetSkinFile(const std::wstring& path) {
    skinFile = path;
    skinPending = true;
    if (designing) {
        if (!path.empty()) package.Clear();
        return;
    }
    if (path.empty()) return;
    const std::filesystem::path file = ToPath(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return;
    // A file that does not load (another archive version) leaves the windows as they are:
    // re-skinning with no new skin would only drop their caption buttons.
    if (LoadCandidate(MemoryStream(ReadWholeFile(file, path)))) ApplySkin();
}

bool TSkinData::LoadCandidate(MemoryStream candidate) {
    std::swap(package, candidate);
    bool loaded = false;
    try {
        loaded = LoadSkin();
    } catch (...) {
        std::swap(package, candidate);
        throw;
    }
    if (!loaded) std::swap(package, candidate);
    return loaded;
}

bool TSkinData::LoadSkin() {
    if (designing) return false;
    skinPending = true;
    TSkinReader reader(host.ShowMessage);
    if (!reader.OpenPackage(package)) return false;
    MemoryStream description;
    std::string name;
    if (!reader.ExtractFirstMatching(".ini", description, name))
        throw ESkinError("The skin package holds no skin description (no entry named *.ini)");
    const std::span<const uint8_t> text = description.Bytes();
    const IniFile ini(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    TSkinContent fresh = LoadSkinIni(ini, reader, [this](SysColour c) { return SystemColour(c); });
    content = std::move(fresh);
    skinPending = false;
    return true;
}

void TSkinData::Loaded() {
    loading = false;
    if (designing) return;
    ISkinManager* manager = Manager(true);
    if (!manager) return;
    manager->Register(*this);
    if (skinFormtype != sfMainform) {
        manager->SwitchOn();
        manager->CountActivation();
        manager->SkinOwnerForm(*this);
        return;
    }
    manager->InstallHook();
    if (active) {
        if (skinPending)
            active = false;  // stored as on, but there is no skin to show
        else
            manager->RequestAction(kSkinActionSkinAll, kSkinActionDelayMs);
    }
}

void TSkinData::SetActive(bool value) {
    if (value == active) return;
    active = value;
    if (loading || designing) return;
    ISkinManager* manager = Manager(true);
    if (!manager) return;
    const bool request = !(value && skinPending);
    const int action = value ? kSkinActionSkinAll : kSkinActionUnskinAll;
    switch (skinFormtype) {
    case sfOnlyThisForm:
        manager->SetCurrentSkin(this);
        if (request) manager->RequestAction(action, kSkinActionDelayMs);
        break;
    case sfDialog:
        break;
    case sfMainform:
        if (request) manager->RequestAction(action, kSkinActionDelayMs);
        manager->SetCurrentSkin(this);
        break;
    }
}

void TSkinData::ApplySkin() {
    ISkinManager* manager = Manager(true);
    if (!manager) return;
    manager->SetCurrentSkin(this);
    manager->DropCachedParts();
    manager->RequestAction(kSkinActionReskin, kSkinActionDelayMs);
}
