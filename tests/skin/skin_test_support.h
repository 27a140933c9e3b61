#pragma once
// Helpers shared by the skin tests: images, packages, SkinStream values, a host with fixed
// system colours and a skin manager that records what it is asked.
#include <cstddef>
#include <string>
#include <vector>

#include "base/bitmap32.h"
#include "base/bmp.h"
#include "skin/skin_archive.h"
#include "skin/skin_data.h"

namespace skintest {

inline std::vector<uint8_t> Bmp(int width, int height, uint32_t fill = 0x336699) {
    return EncodeBmp(Bitmap32(width, height, fill), 24);
}

inline std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

inline std::vector<uint8_t> PackageOf(const std::string& description, std::vector<SkinArchiveEntry> images = {},
                                      const std::string& descriptionName = "test.ini") {
    images.push_back({descriptionName, Bytes(description)});
    return PackSkinPackage(BuildSkinArchive(images));
}

// The SkinStream property value holding a package.
inline MemoryStream SkinStreamOf(const std::vector<uint8_t>& package) {
    MemoryStream value;
    const uint32_t n = uint32_t(package.size());
    const uint8_t count[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
    value.Write(count, 4);
    value.Write(package);
    value.Seek(0);
    return value;
}

// A distinct, recognisable value for every system colour.
inline ColourRef TestSystemColour(SysColour c) { return MakeColourRef(uint8_t(int(c) * 10 + 1), 77, 199); }

class RecordingManager : public ISkinManager {
public:
    std::vector<std::string> calls;
    void Register(TSkinData&) override { calls.push_back("Register"); }
    void Unregister(TSkinData&) override { calls.push_back("Unregister"); }
    void SwitchOn() override { calls.push_back("SwitchOn"); }
    void CountActivation() override { calls.push_back("CountActivation"); }
    void SkinOwnerForm(TSkinData&) override { calls.push_back("SkinOwnerForm"); }
    void InstallHook() override { calls.push_back("InstallHook"); }
    void SetCurrentSkin(TSkinData* skin) override { calls.push_back(skin ? "SetCurrentSkin" : "SetCurrentSkin(none)"); }
    void DropCachedParts() override { calls.push_back("DropCachedParts"); }
    void RequestAction(int action, int delayMs) override {
        calls.push_back("RequestAction " + std::to_string(action) + " " + std::to_string(delayMs));
    }
};

// A host whose manager exists once asked for with create set.
struct TestHost {
    std::vector<std::string> messages;
    RecordingManager manager;
    bool managerExists = false;

    SkinHost Host() {
        SkinHost host;
        host.ShowMessage = [this](const std::string& m) { messages.push_back(m); };
        host.SystemColour = TestSystemColour;
        host.Manager = [this](bool create) -> ISkinManager* {
            if (create) managerExists = true;
            return managerExists ? &manager : nullptr;
        };
        return host;
    }
};

}  // namespace skintest
