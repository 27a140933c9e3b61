#include "reference/win/page_pictures.h"

#include <wincodec.h>

#include <cstring>
#include <algorithm>
#include <vector>

#include "base/bmp.h"
#include "base/errors.h"
#include "reference/html/picture_scale.h"
#include "ui/com_ref.h"
#include "ui/gdi.h"

namespace {

// The largest picture file read.
constexpr uintmax_t kMaxPictureBytes = 32 << 20;

std::unique_ptr<PagePictures::Picture> MakePicture(int width, int height, const void* premultipliedBgra) {
    BITMAPINFO info = TopDown32(width, height);
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

// An open file, closed when the object goes.
class OpenFile {
public:
    explicit OpenFile(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OpenFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// Reads the first `limit` bytes of a file (all of it when shorter) in one opening: under Wine
// every call into the file system is a round trip, and a page asks for many pictures. False
// for a missing file, a folder, or a file beyond the largest picture read.
bool ReadStart(const std::wstring& path, size_t limit, std::string& bytes) {
    if (path.empty()) return false;
    const OpenFile file(path);
    LARGE_INTEGER size{};
    if (file.Get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        uint64_t(size.QuadPart) > kMaxPictureBytes)
        return false;
    bytes.resize(std::min(size_t(size.QuadPart), limit));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), bytes.data() + done, DWORD(bytes.size() - done), &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

bool IsBmp(const std::string& bytes) { return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M'; }

}  // namespace

PagePictures::PagePictures() = default;

// The imaging component is started when a page first holds a picture other than a bitmap
// file: loading it costs the viewer's opening several milliseconds under Wine, and the
// sample's pages are all bitmaps.
IWICImagingFactory* PagePictures::Factory() {
    if (factoryTried_) return factory_;
    factoryTried_ = true;
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory_))))
        factory_ = nullptr;
    return factory_;
}

PagePictures::~PagePictures() {
    cache_.clear();
    if (factory_) factory_->Release();
    if (comStarted_) CoUninitialize();
}

std::optional<PagePictures::Size> PagePictures::SizeOf(const std::wstring& path) {
    const auto known = sizes_.find(path);
    if (known != sizes_.end()) return known->second;
    std::optional<Size> size;
    const auto decoded = cache_.find(path);
    std::string head;
    if (decoded != cache_.end() && (!decoded->second || !decoded->second->reduced)) {
        if (decoded->second) size = Size{decoded->second->width, decoded->second->height};
    } else if (ReadStart(path, kBmpHeadBytes, head) && !head.empty()) {
        if (IsBmp(head)) {
            try {
                const BmpSize bmp = ReadBmpSize(std::span(reinterpret_cast<const uint8_t*>(head.data()), head.size()));
                size = Size{bmp.width, bmp.height};
            } catch (const EInvalidGraphic&) {
            }
        } else {
            size = SizeWithImagingComponent(path);
        }
    }
    sizes_.emplace(path, size);
    return size;
}

const PagePictures::Picture* PagePictures::Get(const std::wstring& path, int shownWidth, int shownHeight) {
    const auto found = cache_.find(path);
    if (found != cache_.end()) {
        const Picture* kept = found->second.get();
        if (!kept || !kept->reduced || (shownWidth <= kept->width && shownHeight <= kept->height)) return kept;
        // Shown larger than it was kept: read again, at the larger of both sizes.
        shownWidth = std::max(shownWidth, kept->width);
        shownHeight = std::max(shownHeight, kept->height);
    }
    std::unique_ptr<Picture> picture = Load(path, shownWidth, shownHeight);
    const Picture* result = picture.get();
    cache_.insert_or_assign(path, std::move(picture));
    return result;
}

std::unique_ptr<PagePictures::Picture> PagePictures::Load(const std::wstring& path, int shownWidth, int shownHeight) {
    std::string bytes;
    if (!ReadStart(path, size_t(kMaxPictureBytes), bytes) || bytes.empty()) return nullptr;
    if (IsBmp(bytes)) {
        try {
            Bitmap32 image = DecodeBmp(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
            if (image.Empty()) return nullptr;
            const html::PictureSize natural{image.width, image.height};
            image = html::ShrinkPicture(std::move(image), html::KeptSize(natural, {shownWidth, shownHeight}));
            for (uint32_t& p : image.pixels) p |= 0xFF000000u;  // opaque
            std::unique_ptr<Picture> picture = MakePicture(image.width, image.height, image.pixels.data());
            if (picture) picture->reduced = image.width < natural.width || image.height < natural.height;
            return picture;
        } catch (const EInvalidGraphic&) {
            return nullptr;
        }
    }
    return LoadWithImagingComponent(bytes, shownWidth, shownHeight);
}

std::optional<PagePictures::Size> PagePictures::SizeWithImagingComponent(const std::wstring& path) {
    IWICImagingFactory* const factory = Factory();
    if (!factory) return std::nullopt;
    // The decoder reads what it needs of the file for the frame's size; no pixel is decoded.
    ComRef<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                   decoder.Out())))
        return std::nullopt;
    ComRef<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    if (FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 ||
        width > UINT(kBmpMaxSide) || height > UINT(kBmpMaxSide) || uint64_t(width) * height > kBmpMaxPixels)
        return std::nullopt;
    return Size{int(width), int(height)};
}

std::unique_ptr<PagePictures::Picture> PagePictures::LoadWithImagingComponent(const std::string& bytes, int shownWidth,
                                                                              int shownHeight) {
    IWICImagingFactory* const factory = Factory();
    if (!factory) return nullptr;
    ComRef<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.Out()))) return nullptr;
    if (FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), DWORD(bytes.size()))))
        return nullptr;
    ComRef<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out())))
        return nullptr;
    ComRef<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.Out()))) return nullptr;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 || width > UINT(kBmpMaxSide) ||
        height > UINT(kBmpMaxSide) || uint64_t(width) * height > kBmpMaxPixels)
        return nullptr;
    // Scaled down by the decoder where it is shown smaller, so that the whole is never held.
    const html::PictureSize kept = html::KeptSize({int(width), int(height)}, {shownWidth, shownHeight});
    IWICBitmapSource* source = frame.Get();
    ComRef<IWICBitmapScaler> scaler;
    if (UINT(kept.width) < width || UINT(kept.height) < height) {
        if (SUCCEEDED(factory->CreateBitmapScaler(scaler.Out())) &&
            SUCCEEDED(scaler->Initialize(frame.Get(), UINT(kept.width), UINT(kept.height), WICBitmapInterpolationModeFant))) {
            source = scaler.Get();
        }
    }
    UINT keptWidth = width, keptHeight = height;
    if (FAILED(source->GetSize(&keptWidth, &keptHeight)) || keptWidth == 0 || keptHeight == 0 || keptWidth > width ||
        keptHeight > height)
        return nullptr;
    ComRef<IWICBitmapSource> converted;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, source, converted.Out()))) return nullptr;
    std::vector<uint8_t> pixels(size_t(keptWidth) * keptHeight * 4);
    if (FAILED(converted->CopyPixels(nullptr, keptWidth * 4, UINT(pixels.size()), pixels.data()))) return nullptr;
    std::unique_ptr<Picture> picture = MakePicture(int(keptWidth), int(keptHeight), pixels.data());
    if (picture) picture->reduced = keptWidth < width || keptHeight < height;
    return picture;
}
