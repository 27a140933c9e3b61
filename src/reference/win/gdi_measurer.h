#pragma once
// The page layout's measurer on Windows: the system's fonts through GDI, one font per face,
// size and weight, kept for the page view's lifetime. A face list is resolved to the first
// face that is there ("宋体,SimSun,sans-serif"); generic names and missing faces fall back to
// 宋体, as on a Chinese Windows.
#include <windows.h>

#include <map>
#include <memory>
#include <tuple>
#include <string>
#include <vector>

#include "reference/html/layout.h"
#include "ui/gdi.h"

class GdiMeasurer {
public:
    GdiMeasurer();
    GdiMeasurer(const GdiMeasurer&) = delete;
    GdiMeasurer& operator=(const GdiMeasurer&) = delete;

    // The font for a key (created once); never nullptr.
    HFONT Font(const html::FontKey& key);
    html::FontMetrics Metrics(const html::FontKey& key);
    void Extents(const html::FontKey& key, std::wstring_view text, std::vector<int>& ends);
    // The face a family list ends up with.
    std::wstring ResolveFace(const std::wstring& families);

private:
    struct Entry {
        Gdi<HFONT> font;
        html::FontMetrics metrics;
    };
    Entry& EntryFor(const html::FontKey& key);
    bool FaceInstalled(const std::wstring& face);

    MemDC dc_;
    std::map<std::tuple<std::wstring, int, bool, bool>, std::unique_ptr<Entry>> fonts_;
    std::map<std::wstring, std::wstring> faces_;
    std::map<std::wstring, bool> installed_;
};
