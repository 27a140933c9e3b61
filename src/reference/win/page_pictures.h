#pragma once
// The pictures of the page on show: BMP files through our own codec, PNG, JPEG, GIF (and
// whatever else the system can read) through the Windows Imaging Component. Each file is read
// once per page and kept as a 32-bit premultiplied bitmap, ready for AlphaBlend.
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "ui/gdi.h"

struct IWICImagingFactory;

class PagePictures {
public:
    struct Picture {
        int width = 0;
        int height = 0;
        Gdi<HBITMAP> bitmap;  // top-down 32-bit DIB section, premultiplied alpha
    };

    PagePictures();
    ~PagePictures();
    PagePictures(const PagePictures&) = delete;
    PagePictures& operator=(const PagePictures&) = delete;

    // The picture in a file, or nullptr when the file cannot be read as a picture.
    const Picture* Get(const std::wstring& path);
    // Forgets every picture (a new page is shown).
    void Clear() { cache_.clear(); }

private:
    std::unique_ptr<Picture> Load(const std::wstring& path);
    std::unique_ptr<Picture> LoadWithImagingComponent(const std::string& bytes);

    std::map<std::wstring, std::unique_ptr<Picture>> cache_;  // nullptr: unreadable
    IWICImagingFactory* factory_ = nullptr;
    bool comStarted_ = false;
};
