#pragma once
// Damaged pages: good pages of the kinds a school keeps (GBK and UTF-8, tables, lists, styles,
// links), cut, bit-flipped, spliced with markup fragments, repeated and nested deep, made with
// a seeded generator. The short mutation test and the long fuzz run share it.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

class PageMutator {
public:
    explicit PageMutator(uint32_t seed);

    // The next damaged page as file bytes; `how` names the damage.
    std::string Next(std::string& how);

private:
    std::string Truncate(std::string page);
    std::string FlipBits(std::string page);
    std::string SpliceFragments(std::string page);
    std::string RepeatChunk(std::string page);
    std::string NestDeep(std::string page);
    std::string ShuffleLines(std::string page);
    std::string TagSoup();

    size_t Below(size_t n) { return n == 0 ? 0 : size_t(random() % n); }

    std::vector<std::string> seeds;
    std::mt19937 random;
};

// Feeds one page through the whole engine (character set, parser, styles, layout at several
// widths, link and picture resolution). The rules: the tree is a tree within its limits,
// every item lies inside the page, every index names something. Returns the broken rule, or
// an empty text.
std::string CheckPage(const std::string& bytes);
