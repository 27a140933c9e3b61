#include "viewer_fixture.h"

#include <wincodec.h>

#include <cstdlib>
#include <fstream>
#include <random>

#include "base/utf.h"

namespace fs = std::filesystem;

PageFolder::PageFolder() {
    std::random_device random;
    folder_ = fs::temp_directory_path() / (L"muhe_pages_" + std::to_wstring(random()));
    fs::create_directories(folder_);
}

PageFolder::~PageFolder() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

std::wstring PageFolder::Write(const std::wstring& name, const std::string& bytes) {
    const fs::path file = folder_ / name;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return file.wstring();
}

std::wstring PageFolder::WritePicture(const std::wstring& name, const GUID& container, int width, int height, uint32_t rgb) {
    const fs::path file = folder_ / name;
    fs::create_directories(file.parent_path());
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    IPropertyBag2* options = nullptr;
    bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                         reinterpret_cast<void**>(&factory))) &&
              SUCCEEDED(factory->CreateStream(&stream)) &&
              SUCCEEDED(stream->InitializeFromFilename(file.wstring().c_str(), GENERIC_WRITE)) &&
              SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
              SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
              SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options)) &&
              SUCCEEDED(frame->SetSize(UINT(width), UINT(height)));
    if (ok) {
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        ok = SUCCEEDED(frame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat24bppBGR;
        const UINT stride = UINT(width) * 3;
        std::vector<BYTE> pixels(size_t(stride) * UINT(height));
        for (size_t i = 0; i + 2 < pixels.size(); i += 3) {
            pixels[i] = BYTE(rgb);
            pixels[i + 1] = BYTE(rgb >> 8);
            pixels[i + 2] = BYTE(rgb >> 16);
        }
        ok = ok && SUCCEEDED(frame->WritePixels(UINT(height), stride, UINT(pixels.size()), pixels.data())) &&
             SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    }
    if (options) options->Release();
    if (frame) frame->Release();
    if (encoder) encoder->Release();
    if (stream) stream->Release();
    if (factory) factory->Release();
    CoUninitialize();
    EXPECT_TRUE(ok) << "the picture could not be written";
    return file.wstring();
}

std::string OnePixelGif(uint32_t rgb) {
    const char r = char(rgb >> 16), g = char(rgb >> 8), b = char(rgb);
    // Header, a screen of 1 x 1 with a two-colour table, one image of index 0 (LZW: clear,
    // 0, end), trailer.
    std::string gif = "GIF89a";
    gif += std::string("\x01\x00\x01\x00\x80\x00\x00", 7);
    gif += std::string{r, g, b, 0, 0, 0};
    gif += std::string("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B", 16);
    return gif;
}

void InstallSignPages() {
    static bool installed = false;
    if (installed) return;
    const fs::path from = fs::path(MUHE_SAMPLE_DIR) / "bzt";
    const fs::path to = L"C:\\voduvezu\\bzt";
    std::error_code ec;
    fs::create_directories(to, ec);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    ASSERT_FALSE(ec) << "the sample's sign pages could not be installed: " << ec.message();
    installed = true;
}

double ShareNear(const Bitmap32& image, const RECT& area, uint32_t rgb, int tolerance) {
    int close = 0, total = 0;
    for (int y = std::max(0, int(area.top)); y < std::min(image.height, int(area.bottom)); ++y)
        for (int x = std::max(0, int(area.left)); x < std::min(image.width, int(area.right)); ++x) {
            const uint32_t p = image.At(x, y);
            ++total;
            if (std::abs(int(RedOf(p)) - int(RedOf(rgb))) <= tolerance && std::abs(int(GreenOf(p)) - int(GreenOf(rgb))) <= tolerance &&
                std::abs(int(BlueOf(p)) - int(BlueOf(rgb))) <= tolerance)
                ++close;
        }
    return total ? double(close) / total : 0;
}
