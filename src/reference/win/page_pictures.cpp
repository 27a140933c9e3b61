#include "reference/win/page_pictures.h"

#include <wincodec.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "base/bmp.h"
#include "base/errors.h"

namespace {

// The largest picture file read.
constexpr uintmax_t kMaxPictureBytes = 32 << 20;

// Owns one reference to a COM object.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    T** Out() { return &p_; }

private:
    T* p_ = nullptr;
};

std::unique_ptr<PagePictures::Picture> MakePicture(int width, int height, const void* premultipliedBgra) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) return nullptr;
    auto picture = std::make_unique<PagePictures::Picture>();
    picture->bitmap.Reset(bitmap);
    picture->width = width;
    picture->height = height;
    std::memcpy(bits, premultipliedBgra, size_t(width) * size_t(height) * 4);
    return picture;
}

bool ReadFile(const std::wstring& path, std::string& bytes) {
    std::error_code ec;
    const std::filesystem::path file(path);
    const uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size > kMaxPictureBytes) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    bytes.resize(size_t(size));
    in.read(bytes.data(), std::streamsize(size));
    return bool(in) || in.gcount() == std::streamsize(size);
}

}  // namespace

PagePictures::PagePictures() {
    const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comStarted_ = SUCCEEDED(started);
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory_))))
        factory_ = nullptr;
}

PagePictures::~PagePictures() {
    cache_.clear();
    if (factory_) factory_->Release();
    if (comStarted_) CoUninitialize();
}

const PagePictures::Picture* PagePictures::Get(const std::wstring& path) {
    const auto found = cache_.find(path);
    if (found != cache_.end()) return found->second.get();
    std::unique_ptr<Picture> picture = Load(path);
    const Picture* result = picture.get();
    cache_.emplace(path, std::move(picture));
    return result;
}

std::unique_ptr<PagePictures::Picture> PagePictures::Load(const std::wstring& path) {
    std::string bytes;
    if (path.empty() || !ReadFile(path, bytes) || bytes.empty()) return nullptr;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        try {
            Bitmap32 image = DecodeBmp(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
            if (image.Empty()) return nullptr;
            for (uint32_t& p : image.pixels) p |= 0xFF000000u;  // opaque
            return MakePicture(image.width, image.height, image.pixels.data());
        } catch (const EInvalidGraphic&) {
            return nullptr;
        }
    }
    return LoadWithImagingComponent(bytes);
}

std::unique_ptr<PagePictures::Picture> PagePictures::LoadWithImagingComponent(const std::string& bytes) {
    if (!factory_) return nullptr;
    ComRef<IWICStream> stream;
    if (FAILED(factory_->CreateStream(stream.Out()))) return nullptr;
    if (FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), DWORD(bytes.size()))))
        return nullptr;
    ComRef<IWICBitmapDecoder> decoder;
    if (FAILED(factory_->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out())))
        return nullptr;
    ComRef<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.Out()))) return nullptr;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 || width > UINT(kBmpMaxSide) ||
        height > UINT(kBmpMaxSide) || uint64_t(width) * height > kBmpMaxPixels)
        return nullptr;
    ComRef<IWICBitmapSource> converted;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.Get(), converted.Out()))) return nullptr;
    std::vector<uint8_t> pixels(size_t(width) * height * 4);
    if (FAILED(converted->CopyPixels(nullptr, width * 4, UINT(pixels.size()), pixels.data()))) return nullptr;
    return MakePicture(int(width), int(height), pixels.data());
}
