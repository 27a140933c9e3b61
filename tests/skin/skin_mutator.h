#pragma once
// Damaged skin packages: truncated, bit-flipped, with forged sizes and headers, damaged
// images and damaged descriptions, made from a good skin with a seeded generator. The short
// mutation test and the long fuzz run share it.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "skin/skin_archive.h"
#include "skin/skin_data.h"

class SkinMutator {
public:
    SkinMutator(std::vector<SkinArchiveEntry> base, uint32_t seed);

    // The next damaged package; `how` names the damage.
    std::vector<uint8_t> Next(std::string& how);

private:
    std::vector<uint8_t> TruncatePackage();
    std::vector<uint8_t> FlipPackageBits();
    std::vector<uint8_t> ForgeDeclaredSize();
    std::vector<uint8_t> ForgeArchiveHeader();
    std::vector<uint8_t> ForgeSizeTable();
    std::vector<uint8_t> DamageNameList();
    std::vector<uint8_t> DamageImage();
    std::vector<uint8_t> DamageDescription();
    std::vector<uint8_t> ReorderEntries();

    int Below(int n) { return n <= 0 ? 0 : int(random() % uint32_t(n)); }
    int64_t EdgeValue(int64_t near);
    std::string Token();
    std::vector<uint8_t> Pack(const std::vector<uint8_t>& archive) const;

    std::vector<SkinArchiveEntry> entries;
    std::vector<uint8_t> archive;
    std::vector<uint8_t> package;
    size_t descriptionIndex = 0;
    std::mt19937 random;
};

// The same skin with every image reduced to a quarter of its size each way: cheap to pack again
// after each damage, so that a short run can afford thousands of inputs.
std::vector<SkinArchiveEntry> ShrinkImages(const std::vector<SkinArchiveEntry>& entries);

// The outcomes of feeding packages to a component.
struct MutationTally {
    int loaded = 0;   // a skin loaded from the damaged package
    int refused = 0;  // a clear error; the skin before stayed
    int older = 0;    // taken for another archive version; the skin before stayed
};

// Feeds one package to the component (which holds whatever skin it holds) through its
// SkinStream property. The rule: either the new skin loads (and its parts can be drawn at any
// size and frame), or a clear error (an Exception) or a refusal leaves the skin before exactly
// as it was. Returns the broken rule, or an empty text.
std::string CheckPackage(TSkinData& data, const std::vector<uint8_t>& package, MutationTally& tally);
