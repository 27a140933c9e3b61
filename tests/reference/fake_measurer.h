#pragma once
// A stand-in for the system's fonts and pictures: every ASCII character is half the font size
// wide and every other character the full size, the ascent is four fifths of the size; the
// pictures it knows are listed by name. Layout results can then be worked out by hand.
#include <map>
#include <string>

#include "reference/html/layout.h"

class FakeMeasurer : public html::PageMeasurer {
public:
    html::FontMetrics Metrics(const html::FontKey& font) override {
        ++metricsCalls;
        const int ascent = font.size * 4 / 5;
        return {ascent, font.size - ascent};
    }

    void Extents(const html::FontKey& font, std::wstring_view text, std::vector<int>& ends) override {
        ++extentCalls;
        ends.clear();
        int x = 0;
        for (wchar_t c : text) {
            x += CharWidth(font, c);
            ends.push_back(x);
        }
    }

    std::optional<html::PictureSize> Picture(const std::wstring& src) override {
        const auto found = pictures.find(src);
        if (found == pictures.end()) return std::nullopt;
        return found->second;
    }

    static int CharWidth(const html::FontKey& font, wchar_t c) {
        if ((c & 0xFC00) == 0xDC00 && sizeof(wchar_t) == 2) return 0;  // the second half of a pair
        return c < 0x80 ? font.size / 2 : font.size;
    }

    std::map<std::wstring, html::PictureSize> pictures;
    int metricsCalls = 0;
    int extentCalls = 0;
};
