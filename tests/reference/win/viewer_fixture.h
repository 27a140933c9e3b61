#pragma once
// What the viewer's window tests share: a folder of pages written by the test (with pictures
// in each format the page view reads), the sample's sign pages in the fixed regulation folder,
// and pixels of a control as it paints.
#include <windows.h>

#include <filesystem>
#include <string>

#include "base/bitmap32.h"
#include "ui_test_support.h"

// A folder of the test's own, removed with everything in it when the object goes.
class PageFolder {
public:
    PageFolder();
    ~PageFolder();
    PageFolder(const PageFolder&) = delete;
    PageFolder& operator=(const PageFolder&) = delete;

    // Writes a file (UTF-8 text or bytes) and returns its full path.
    std::wstring Write(const std::wstring& name, const std::string& bytes);
    // Writes a picture of one colour in a container the Windows Imaging Component encodes
    // (GUID_ContainerFormatPng, GUID_ContainerFormatJpeg).
    std::wstring WritePicture(const std::wstring& name, const GUID& container, int width, int height, uint32_t rgb);
    const std::filesystem::path& Path() const { return folder_; }

private:
    std::filesystem::path folder_;
};

// A one-pixel GIF of the given colour, written by hand.
std::string OnePixelGif(uint32_t rgb);

// Copies the sample installation's sign pages into C:\voduvezu\bzt\ (once per run).
void InstallSignPages();

// The share of pixels in the rectangle whose colour is within `tolerance` of rgb (per channel).
double ShareNear(const Bitmap32& image, const RECT& area, uint32_t rgb, int tolerance = 0);
