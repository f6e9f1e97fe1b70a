// Choosing the reader for a picture type.
#include "image/ImageErrors.h"
#include "image/Readers.h"

#include <algorithm>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kw::image {

// The check runs over every pixel of an 8-bit picture, so it must cost no more than the copy beside it:
// with SSE2 four running maxima of 16 bytes each take 64 bytes per step and are folded only at the end.
std::uint8_t highestByte(const std::uint8_t *bytes, std::size_t count)
{
    std::uint8_t highest = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    constexpr std::size_t kStep = 64;
    if (count >= kStep) {
        auto load = [bytes](std::size_t at) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + at));
        };
        __m128i a = _mm_setzero_si128(), b = a, c = a, d = a;
        for (; i + kStep <= count; i += kStep) {
            a = _mm_max_epu8(a, load(i));
            b = _mm_max_epu8(b, load(i + 16));
            c = _mm_max_epu8(c, load(i + 32));
            d = _mm_max_epu8(d, load(i + 48));
        }
        alignas(16) std::array<std::uint8_t, 16> lanes;
        _mm_store_si128(reinterpret_cast<__m128i *>(lanes.data()),
                        _mm_max_epu8(_mm_max_epu8(a, b), _mm_max_epu8(c, d)));
        highest = *std::max_element(lanes.begin(), lanes.end());
    }
#endif
    for (; i < count; ++i)
        highest = std::max(highest, bytes[i]);
    return highest;
}

void checkPaletteIndices(const BitmapImage &image)
{
    if (image.bitsPerPixel > 8 || image.empty())
        return;
    const int count = image.colorCount();
    if (count >= (1 << image.bitsPerPixel))
        return;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t *row = image.rowFromTop(y);
        if (image.bitsPerPixel == 8) {
            if (highestByte(row, static_cast<std::size_t>(image.width)) >= count)
                throw ESubscriptOutOfRange();
            continue;
        }
        for (int x = 0; x < image.width; ++x)
            if (image.indexAt(x, y) >= count)
                throw ESubscriptOutOfRange();
    }
}

BitmapImage decodePicture(ImageType type, std::span<const std::uint8_t> data, const DecodeLimits &limits)
{
    BitmapImage image;
    switch (type) {
    case ImageType::Bmp:
        return readBmp(data, limits); // checks its indices itself
    case ImageType::Jpeg:
        image = readJpeg(data, limits);
        break;
    case ImageType::Gif:
        image = readGif(data, limits);
        break;
    case ImageType::Png:
        image = readPng(data, limits);
        break;
    case ImageType::Xbm:
        image = readXbm(data, limits);
        break;
    case ImageType::Unknown:
        throw EGraphicsException("Unknown picture type");
    }
    checkPaletteIndices(image);
    return image;
}

} // namespace kw::image
