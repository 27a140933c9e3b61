#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "skin/lzh.h"
#include "skin/skin3rd.h"
#include "skin/skin_data.h"
#include "skin/skin_reader.h"
#include "skin_test_support.h"

using namespace skintest;

namespace {

std::vector<uint8_t> NamedSkin(const std::string& name) {
    return PackageOf("[TitlebarSkin]\r\nSkinName=" + name + "\r\n[Buttons]\r\nBitmap=b.bmp\r\n",
                     {{"b.bmp", Bmp(10, 2)}});
}

void Load(TSkinData& data, const std::vector<uint8_t>& package) {
    MemoryStream value = SkinStreamOf(package);
    data.ReadSkinStream(value);
}

std::vector<uint8_t> OldVersionPackage() {
    std::vector<uint8_t> archive = BuildSkinArchive({{"x.ini", Bytes("[TitlebarSkin]\r\nSkinName=old\r\n")}});
    archive[0] = 0x1F;  // 19999
    return PackSkinPackage(archive);
}

std::filesystem::path TempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

}  // namespace

TEST(SkinComponent, StartsWithItsPropertyDefaults) {
    TSkinData data;
    EXPECT_FALSE(data.Active());
    EXPECT_EQ(data.DisableTag(), 99);
    EXPECT_EQ(data.SkinControls(), TSkinControls::Default());
    EXPECT_EQ(data.Skin3rd(), DefaultSkin3rd());
    EXPECT_EQ(data.SkinFormtype(), sfMainform);
    EXPECT_TRUE(data.MenuUpdate());
    EXPECT_TRUE(data.SkinFile().empty());
    EXPECT_TRUE(data.SkinPending());
    EXPECT_TRUE(data.PaintFlag());
    EXPECT_EQ(data.GetSkinStore(), "(none)");
    EXPECT_TRUE(data.Content().Buttons.Image.Empty());  // an empty part until a skin loads
    std::vector<std::string> mine = {"TMine=edit"};
    data.SetSkin3rd(mine);
    mine.push_back("TOther=panel");
    EXPECT_EQ(data.Skin3rd().size(), 1u);  // a copy
}

TEST(SkinComponent, SkinStreamRoundTripAndEmptyCounts) {
    TestHost host;
    TSkinData data(host.Host());
    const std::vector<uint8_t> package = NamedSkin("first");
    Load(data, package);
    EXPECT_FALSE(data.SkinPending());
    EXPECT_EQ(data.Content().SkinName, "first");
    EXPECT_EQ(data.Package().Buffer(), package);

    // A count of 0 or less stores and loads nothing.
    for (int32_t count : {0, -1, INT32_MIN}) {
        MemoryStream value;
        value.Write(&count, 4);  // little-endian on every target
        value.Write(Bytes("ignored"));
        value.Seek(0);
        data.ReadSkinStream(value);
        EXPECT_EQ(data.Package().Buffer(), package) << count;
        EXPECT_FALSE(data.SkinPending()) << count;
        EXPECT_EQ(value.Position(), 4u) << count;
    }

    MemoryStream written;
    data.WriteSkinStream(written);
    EXPECT_EQ(written.Size(), 4 + package.size());
    written.Seek(0);
    TSkinData copy(host.Host());
    copy.ReadSkinStream(written);
    EXPECT_EQ(copy.Content().SkinName, "first");

    TSkinData empty;
    MemoryStream none;
    empty.WriteSkinStream(none);
    EXPECT_EQ(none.Buffer(), std::vector<uint8_t>(4, 0));
}

TEST(SkinComponent, CutShortSkinStreamIsRefused) {
    TSkinData data;
    Load(data, NamedSkin("kept"));
    MemoryStream value = SkinStreamOf(NamedSkin("new"));
    value.SetSize(value.Size() - 1);
    EXPECT_THROW(data.ReadSkinStream(value), ESkinError);
    MemoryStream twoBytes(std::vector<uint8_t>{1, 0});
    EXPECT_THROW(data.ReadSkinStream(twoBytes), ESkinError);
    EXPECT_EQ(data.Content().SkinName, "kept");
    EXPECT_FALSE(data.SkinPending());
}

TEST(SkinComponent, FailedLoadsKeepThePreviousSkin) {
    TestHost host;
    TSkinData data(host.Host());
    const std::vector<uint8_t> good = NamedSkin("kept");
    Load(data, good);

    // Another archive version: the user is told, nothing is loaded, and no further window is
    // skinned until a skin loads.
    Load(data, OldVersionPackage());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_TRUE(data.SkinPending());
    EXPECT_EQ(data.Content().SkinName, "kept");
    EXPECT_EQ(data.Package().Buffer(), good);

    Load(data, good);
    EXPECT_FALSE(data.SkinPending());

    // No description, a broken archive, an image that is not a bitmap: a clear error each time.
    const std::vector<uint8_t> noIni = PackSkinPackage(BuildSkinArchive({{"a.bmp", Bmp(2, 2)}}));
    EXPECT_THROW(Load(data, noIni), ESkinError);
    std::vector<uint8_t> brokenArchive = BuildSkinArchive({{"a.ini", Bytes("[x]")}});
    brokenArchive[4] = 0xFF;  // name list longer than the archive
    EXPECT_THROW(Load(data, PackSkinPackage(brokenArchive)), ESkinError);
    const std::vector<uint8_t> badImage =
        PackageOf("[Buttons]\r\nBitmap=b.bmp\r\n[TitlebarSkin]\r\nSkinName=bad\r\n", {{"b.bmp", Bytes("BMnonsense")}});
    EXPECT_THROW(Load(data, badImage), EInvalidGraphic);
    EXPECT_EQ(data.Content().SkinName, "kept");
    EXPECT_EQ(data.Content().Buttons.Image.width, 10);
    EXPECT_EQ(data.Package().Buffer(), good);
    EXPECT_TRUE(data.SkinPending());
}

TEST(SkinComponent, TheFirstDescriptionEntryIsRead) {
    TSkinData data;
    Load(data, PackSkinPackage(BuildSkinArchive({{"notes.ini.txt", Bytes("[TitlebarSkin]\r\nSkinName=first\r\n")},
                                                 {"skin.ini", Bytes("[TitlebarSkin]\r\nSkinName=second\r\n")}})));
    EXPECT_EQ(data.Content().SkinName, "first");
}

TEST(SkinComponent, SkinFileLoadsAndAppliesOrChangesNothing) {
    TestHost host;
    TSkinData data(host.Host());
    Load(data, NamedSkin("resource"));

    data.SetSkinFile(L"/no/such/dir/skin.skn");
    EXPECT_EQ(data.SkinFile(), L"/no/such/dir/skin.skn");
    EXPECT_TRUE(data.SkinPending());  // skinning cannot switch on until a skin loads
    EXPECT_EQ(data.Content().SkinName, "resource");
    EXPECT_TRUE(host.manager.calls.empty());

    const std::filesystem::path file = TempFile("muhe_skin_test_file.skn", NamedSkin("from file"));
    data.SetSkinFile(file.wstring());
    EXPECT_FALSE(data.SkinPending());
    EXPECT_EQ(data.Content().SkinName, "from file");
    EXPECT_EQ(host.manager.calls,
              (std::vector<std::string>{"SetCurrentSkin", "DropCachedParts", "RequestAction 3 250"}));

    const std::filesystem::path bad = TempFile("muhe_skin_test_bad.skn", {1, 2, 3});
    EXPECT_THROW(data.SetSkinFile(bad.wstring()), ESkinError);
    EXPECT_EQ(data.Content().SkinName, "from file");
    EXPECT_EQ(data.Package().Buffer(), NamedSkin("from file"));

    // A file of another archive version tells the user and is not applied.
    const std::filesystem::path old = TempFile("muhe_skin_test_old.skn", OldVersionPackage());
    host.manager.calls.clear();
    EXPECT_NO_THROW(data.SetSkinFile(old.wstring()));
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.manager.calls.empty());
    EXPECT_EQ(data.Content().SkinName, "from file");
    std::filesystem::remove(file);
    std::filesystem::remove(bad);
    std::filesystem::remove(old);
}

TEST(SkinComponent, DesignModeStoresButNeverLoads) {
    TSkinData data;
    data.SetDesigning(true);
    Load(data, NamedSkin("designed"));
    EXPECT_TRUE(data.SkinPending());
    EXPECT_EQ(data.Content().SkinName, "");
    EXPECT_EQ(data.GetSkinStore(), "(Good)");
    data.SetSkinStore("anything");
    EXPECT_EQ(data.GetSkinStore(), "(Good)");
    EXPECT_FALSE(data.LoadSkin());
    data.SetSkinFile(L"whatever.skn");
    EXPECT_EQ(data.Package().Size(), 0u);
    EXPECT_EQ(data.GetSkinStore(), "(none)");
}

TEST(SkinLifecycle, MainFormComponentAfterReading) {
    {
        TestHost host;
        TSkinData data(host.Host());
        data.BeginLoading();
        Load(data, NamedSkin("x"));
        data.SetActive(true);  // while reading, only stored
        EXPECT_TRUE(host.manager.calls.empty());
        data.Loaded();
        EXPECT_TRUE(data.Active());
        EXPECT_EQ(host.manager.calls, (std::vector<std::string>{"Register", "InstallHook", "RequestAction 1 250"}));
    }
    {
        TestHost host;
        TSkinData data(host.Host());
        data.BeginLoading();
        data.SetActive(true);
        data.Loaded();  // no usable skin: Active comes up false
        EXPECT_FALSE(data.Active());
        EXPECT_EQ(host.manager.calls, (std::vector<std::string>{"Register", "InstallHook"}));
    }
}

TEST(SkinLifecycle, OtherFormTypesSwitchTheManagerOnAtOnce) {
    for (TSkinFormType type : {sfOnlyThisForm, sfDialog}) {
        TestHost host;
        TSkinData data(host.Host());
        data.SetSkinFormtype(type);
        data.BeginLoading();
        data.Loaded();
        EXPECT_EQ(host.manager.calls,
                  (std::vector<std::string>{"Register", "SwitchOn", "CountActivation", "SkinOwnerForm"}));
    }
}

TEST(SkinLifecycle, SetActiveRequestsDeferredActions) {
    TestHost host;
    TSkinData data(host.Host());
    data.SetActive(true);  // no skin yet: stored, nothing asked but the current skin
    EXPECT_TRUE(data.Active());
    EXPECT_EQ(host.manager.calls, std::vector<std::string>{"SetCurrentSkin"});
    data.SetActive(true);  // unchanged: nothing
    EXPECT_EQ(host.manager.calls.size(), 1u);
    data.SetActive(false);
    Load(data, NamedSkin("x"));
    data.SetActive(true);
    EXPECT_EQ(host.manager.calls,
              (std::vector<std::string>{"SetCurrentSkin", "RequestAction 2 250", "SetCurrentSkin",
                                        "RequestAction 1 250", "SetCurrentSkin"}));

    host.manager.calls.clear();
    data.SetSkinFormtype(sfOnlyThisForm);
    data.SetActive(false);
    EXPECT_EQ(host.manager.calls, (std::vector<std::string>{"SetCurrentSkin", "RequestAction 2 250"}));

    host.manager.calls.clear();
    data.SetSkinFormtype(sfDialog);
    data.SetActive(true);
    EXPECT_TRUE(data.Active());
    EXPECT_TRUE(host.manager.calls.empty());
}

TEST(SkinLifecycle, ApplyAndDestroy) {
    TestHost host;
    {
        TSkinData data(host.Host());
        data.ApplySkin();
        EXPECT_EQ(host.manager.calls,
                  (std::vector<std::string>{"SetCurrentSkin", "DropCachedParts", "RequestAction 3 250"}));
        host.manager.calls.clear();
    }
    EXPECT_EQ(host.manager.calls, std::vector<std::string>{"Unregister"});

    TestHost noManager;
    { TSkinData data(noManager.Host()); }  // never made one: nothing to unregister from
    EXPECT_FALSE(noManager.managerExists);
}
