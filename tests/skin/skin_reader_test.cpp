#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/lzh.h"
#include "skin/skin_archive.h"
#include "skin/skin_reader.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }
std::string Text(const MemoryStream& s) { return std::string(s.Bytes().begin(), s.Bytes().end()); }

void PutInt32(std::vector<uint8_t>& out, int64_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(uint64_t(value) >> (8 * i)));
}

// A raw archive with every field under the test's control.
std::vector<uint8_t> RawArchive(int32_t version, const std::string& nameList, const std::vector<int64_t>& sizes,
                                const std::string& bodies, int64_t listLength = -1) {
    std::vector<uint8_t> a;
    PutInt32(a, version);
    PutInt32(a, listLength >= 0 ? listLength : int64_t(nameList.size()));
    PutInt32(a, 0x11111111);  // reserved words are never read
    PutInt32(a, 0x22222222);
    a.insert(a.end(), nameList.begin(), nameList.end());
    for (int64_t s : sizes) PutInt32(a, s);
    a.insert(a.end(), bodies.begin(), bodies.end());
    return a;
}

MemoryStream Package(const std::vector<uint8_t>& archive) { return MemoryStream(PackSkinPackage(archive)); }

struct Recorder {
    std::vector<std::string> messages;
    std::function<void(const std::string&)> Box() {
        return [this](const std::string& m) { messages.push_back(m); };
    }
};

TSkinReader OpenedReader(const std::vector<SkinArchiveEntry>& entries) {
    TSkinReader reader;
    MemoryStream package = Package(BuildSkinArchive(entries));
    EXPECT_TRUE(reader.OpenPackage(package));
    return reader;
}

}  // namespace

TEST(SkinReader, LooksUpEntriesWithoutRegardToCase) {
    const TSkinReader reader = OpenedReader({{"FrameTop.bmp", Bytes("BMtop")},
                                             {"Buttons.BMP", Bytes("BMbuttons")},
                                             {"muhe.ini", Bytes("[x]")},
                                             {"FRAMETOP.bmp", Bytes("BMsecond")}});
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"frametop.bmp", "buttons.bmp", "muhe.ini", "frametop.bmp"}));
    MemoryStream out(Bytes("stale"));
    reader.ExtractEntry("FRAMETOP.BMP", out);
    EXPECT_EQ(Text(out), "BMtop");  // the first of two equal names
    EXPECT_EQ(out.Position(), 0u);
    reader.ExtractEntry("buttons.bmp", out);
    EXPECT_EQ(Text(out), "BMbuttons");
    reader.ExtractEntry("frametop", out);  // exact names only
    EXPECT_EQ(out.Size(), 0u);
}

TEST(SkinReader, FirstMatchingFindsTheSubstringAnywhere) {
    const TSkinReader reader = OpenedReader({{"a.bmp", Bytes("BMa")},
                                             {"old.ini.bak", Bytes("backup")},
                                             {"Skin.INI", Bytes("[real]")}});
    MemoryStream out;
    std::string name = "unchanged";
    ASSERT_TRUE(reader.ExtractFirstMatching(".ini", out, name));
    EXPECT_EQ(name, "old.ini.bak");
    EXPECT_EQ(Text(out), "backup");
    EXPECT_EQ(out.Position(), 0u);
    // The substring is compared as given against the lower-cased names.
    name = "unchanged";
    out = MemoryStream(Bytes("stale"));
    EXPECT_FALSE(reader.ExtractFirstMatching(".INI", out, name));
    EXPECT_EQ(name, "unchanged");
    EXPECT_EQ(out.Size(), 0u);
}

TEST(SkinReader, NameListLines) {
    EXPECT_EQ(SplitNameList("a.bmp\r\nb.ini"), (std::vector<std::string>{"a.bmp", "b.ini"}));
    EXPECT_EQ(SplitNameList("a.bmp\r\nb.ini\r\n"), (std::vector<std::string>{"a.bmp", "b.ini"}));
    EXPECT_EQ(SplitNameList("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitNameList("a\nb\rc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(SplitNameList("").empty());

    // In an archive, a last name without CR LF still gets its entry.
    TSkinReader reader;
    MemoryStream package = Package(RawArchive(20000, "one.bmp\r\ntwo.ini", {2, 3}, "BMxyz"));
    ASSERT_TRUE(reader.OpenPackage(package));
    ASSERT_EQ(reader.Count(), 2);
    MemoryStream out;
    reader.ExtractEntry("two.ini", out);
    EXPECT_EQ(Text(out), "xyz");
}

TEST(SkinReader, DirectoryFiguresOfAnArchive) {
    const std::vector<SkinArchiveEntry> entries = {{"x.bmp", Bytes("12345")}, {"y.ini", {}}, {"z.bmp", Bytes("67")}};
    const std::vector<uint8_t> archive = BuildSkinArchive(entries);
    MemoryStream package = Package(archive);
    TSkinReader reader;
    ASSERT_TRUE(reader.OpenPackage(package));
    EXPECT_EQ(reader.NameListLength(), int32_t(std::string("x.bmp\r\ny.ini\r\nz.bmp\r\n").size()));
    EXPECT_EQ(reader.Count(), 3);
    EXPECT_EQ(reader.EntrySize(0) + reader.EntrySize(1) + reader.EntrySize(2), 7);
    EXPECT_EQ(reader.BodyBytes(), 7u);
    EXPECT_EQ(package.Position(), package.Size());  // the decoder took the whole stream
    MemoryStream out(Bytes("stale"));
    reader.ExtractEntry("y.ini", out);
    EXPECT_EQ(out.Size(), 0u);
    reader.ExtractEntry("z.bmp", out);
    EXPECT_EQ(Text(out), "67");
}

TEST(SkinReader, OtherVersionsAreRefusedWithTheMessage) {
    Recorder recorder;
    TSkinReader reader(recorder.Box());
    MemoryStream good = Package(BuildSkinArchive({{"keep.bmp", Bytes("BMk")}}));
    ASSERT_TRUE(reader.OpenPackage(good));
    for (int32_t version : {19999, 20001, 0, -20000}) {
        MemoryStream old = Package(RawArchive(version, "a.bmp\r\n", {1}, "B"));
        EXPECT_FALSE(reader.OpenPackage(old)) << version;
    }
    ASSERT_EQ(recorder.messages.size(), 4u);
    EXPECT_EQ(recorder.messages[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(reader.Names(), std::vector<std::string>{"keep.bmp"});  // the open archive stays
}

TEST(SkinReader, ArchivesOutsideTheFormatAreRejectedAndTheOpenOneStays) {
    struct Case {
        const char* name;
        std::vector<uint8_t> archive;
    };
    std::string manyNames;
    std::vector<int64_t> manySizes;
    for (int i = 0; i < 1002; ++i) {
        manyNames += "e" + std::to_string(i) + ".bmp\r\n";
        manySizes.push_back(0);
    }
    const Case cases[] = {
        {"header shorter than 16 bytes", {0x20, 0x4E, 0, 0, 5, 0, 0, 0}},
        {"negative name-list length", RawArchive(20000, "a.bmp\r\n", {1}, "B", 0xFFFFFFFF)},
        {"name list longer than the archive", RawArchive(20000, "a.bmp\r\n", {1}, "B", 5000)},
        {"size table past the end", RawArchive(20000, "a.bmp\r\nb.bmp\r\nc.bmp\r\n", {1}, "")},
        {"negative entry size", RawArchive(20000, "a.bmp\r\n", {-1}, "BM")},
        {"sizes past the end", RawArchive(20000, "a.bmp\r\nb.bmp\r\n", {2, 3}, "BMBM")},
        {"size near 2^31", RawArchive(20000, "a.bmp\r\n", {0x7FFFFFFF}, "BM")},
        {"1002 entries", RawArchive(20000, manyNames, manySizes, "")},
    };
    TSkinReader reader;
    MemoryStream good = Package(BuildSkinArchive({{"keep.bmp", Bytes("BMk")}}));
    ASSERT_TRUE(reader.OpenPackage(good));
    for (const Case& c : cases) {
        MemoryStream package = Package(c.archive);
        EXPECT_THROW(reader.OpenPackage(package), ESkinError) << c.name;
        EXPECT_EQ(reader.Names(), std::vector<std::string>{"keep.bmp"}) << c.name;
    }
    MemoryStream out;
    reader.ExtractEntry("keep.bmp", out);
    EXPECT_EQ(Text(out), "BMk");

    // 1001 entries is the most an archive may hold.
    manyNames.resize(manyNames.find("e1001.bmp"));
    manySizes.pop_back();
    MemoryStream most = Package(RawArchive(20000, manyNames, manySizes, ""));
    EXPECT_TRUE(reader.OpenPackage(most));
    EXPECT_EQ(reader.Count(), 1001);
}

TEST(SkinReader, BrokenPackagesAreRejected) {
    TSkinReader reader;
    MemoryStream empty;
    EXPECT_THROW(reader.OpenPackage(empty), ESkinError);
    MemoryStream three(std::vector<uint8_t>{1, 2, 3});
    EXPECT_THROW(reader.OpenPackage(three), ESkinError);
    // An unpacked size beyond any skin is refused before anything is decoded.
    std::vector<uint8_t> huge;
    PutInt32(huge, int64_t(kSkinMaxUnpackedSize) + 1);
    MemoryStream forged(huge);
    EXPECT_THROW(reader.OpenPackage(forged), ESkinError);
    // A package cut off after its size decodes zeros: no valid header comes out.
    std::vector<uint8_t> cut = PackSkinPackage(BuildSkinArchive({{"a.bmp", Bytes("BMa")}}));
    cut.resize(4);
    MemoryStream truncated(cut);
    EXPECT_FALSE(reader.OpenPackage(truncated));  // version 0 reads as another version
}
