#pragma once
// The pictures of the page on show: BMP files through our own codec, PNG, JPEG, GIF (and
// whatever else the system can read) through the Windows Imaging Component. Laying a page out
// needs only each picture's size, read from its headers; the pixels are decoded when the
// picture is first painted (a long sign page shows a few of its pictures at a time), then kept
// as a 32-bit premultiplied bitmap, ready for AlphaBlend, no larger than it is shown.
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ui/gdi.h"

struct IWICImagingFactory;

class PagePictures {
public:
    struct Picture {
        int width = 0;
        int height = 0;
        Gdi<HBITMAP> bitmap;  // top-down 32-bit DIB section, premultiplied alpha
        bool reduced = false;  // kept smaller than the picture's own size
    };

    PagePictures();
    ~PagePictures();
    PagePictures(const PagePictures&) = delete;
    PagePictures& operator=(const PagePictures&) = delete;

    struct Size {
        int width = 0;
        int height = 0;
    };

    // The size a picture file declares, from its headers; nullopt when they cannot be read.
    // A file whose headers read but whose pixels do not is a picture Get refuses later.
    std::optional<Size> SizeOf(const std::wstring& path);
    // The picture in a file, kept at the size it is shown at when that is smaller than its own
    // (shown again larger, it is read again up to that size); nullptr when the file cannot be
    // read as a picture.
    const Picture* Get(const std::wstring& path, int shownWidth, int shownHeight);
    // Forgets every picture (a new page is shown).
    void Clear() {
        cache_.clear();
        sizes_.clear();
    }

private:
    std::unique_ptr<Picture> Load(const std::wstring& path, int shownWidth, int shownHeight);
    std::unique_ptr<Picture> LoadWithImagingComponent(const std::string& bytes, int shownWidth, int shownHeight);
    std::optional<Size> SizeWithImagingComponent(const std::wstring& path);

    std::map<std::wstring, std::unique_ptr<Picture>> cache_;  // nullptr: unreadable
    std::map<std::wstring, std::optional<Size>> sizes_;
    IWICImagingFactory* Factory();

    IWICImagingFactory* factory_ = nullptr;
    bool factoryTried_ = false;
    bool comStarted_ = false;
};
