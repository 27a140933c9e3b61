#include "reference/html/picture_scale.h"

#include <algorithm>
#include <vector>

namespace html {

PictureSize KeptSize(PictureSize natural, PictureSize shown) {
    return {std::clamp(shown.width, 1, std::max(natural.width, 1)), std::clamp(shown.height, 1, std::max(natural.height, 1))};
}

Bitmap32 ShrinkPicture(Bitmap32 picture, PictureSize size) {
    if (picture.Empty() || size.width <= 0 || size.height <= 0 || size.width > picture.width || size.height > picture.height ||
        (size.width == picture.width && size.height == picture.height))
        return picture;
    // The source columns [first[i], first[i + 1]) make output column i; rows likewise.
    const auto spans = [](int from, int to) {
        std::vector<int> first(size_t(to) + 1);
        for (int i = 0; i <= to; ++i) first[size_t(i)] = int(int64_t(i) * from / to);
        return first;
    };
    const std::vector<int> columns = spans(picture.width, size.width);
    const std::vector<int> rows = spans(picture.height, size.height);
    Bitmap32 out(size.width, size.height);
    std::vector<uint64_t> sums(size_t(size.width) * 4);  // per output column: B, G, R, A
    for (int oy = 0; oy < size.height; ++oy) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int y = rows[size_t(oy)]; y < rows[size_t(oy) + 1]; ++y) {
            for (int ox = 0; ox < size.width; ++ox) {
                uint64_t* sum = &sums[size_t(ox) * 4];
                for (int x = columns[size_t(ox)]; x < columns[size_t(ox) + 1]; ++x) {
                    const uint32_t p = picture.At(x, y);
                    for (int c = 0; c < 4; ++c) sum[c] += (p >> (8 * c)) & 0xFF;
                }
            }
        }
        const uint64_t height = uint64_t(rows[size_t(oy) + 1] - rows[size_t(oy)]);
        for (int ox = 0; ox < size.width; ++ox) {
            const uint64_t area = height * uint64_t(columns[size_t(ox) + 1] - columns[size_t(ox)]);
            const uint64_t* sum = &sums[size_t(ox) * 4];
            uint32_t p = 0;
            for (int c = 0; c < 4; ++c) p |= uint32_t((sum[c] + area / 2) / area) << (8 * c);
            out.At(ox, oy) = p;
        }
    }
    return out;
}

}  // namespace html
