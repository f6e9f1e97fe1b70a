// The GIF reader: colour maps, transparency, interlacing, the logical screen and damaged streams.
#include "TestPictures.h"
#include "image/ImageErrors.h"
#include "image/Readers.h"

#include <gtest/gtest.h>

namespace kw::image {
namespace {

using namespace testing;

/// A GIF written by hand with a two-entry colour map and LZW codes of three bits that send a clear code
/// before every pixel, so that any pixel value 0..3 can be sent.
Bytes handMadeGif(int width, int height, const std::vector<int> &pixels)
{
    Bytes out = bytesOf("GIF89a");
    out.insert(out.end(),
               {static_cast<std::uint8_t>(width), 0, static_cast<std::uint8_t>(height), 0, 0x80, 0, 0});
    out.insert(out.end(), {0, 0, 0, 255, 255, 255});
    out.insert(out.end(), {0x2C, 0, 0, 0, 0, static_cast<std::uint8_t>(width), 0,
                           static_cast<std::uint8_t>(height), 0, 0, 2});
    std::vector<int> codes;
    for (const int p : pixels) {
        codes.push_back(4); // clear
        codes.push_back(p);
    }
    codes.push_back(5); // end of information
    Bytes data;
    unsigned bits = 0, count = 0;
    for (const int code : codes) {
        bits |= static_cast<unsigned>(code) << count;
        count += 3;
        while (count >= 8) {
            data.push_back(static_cast<std::uint8_t>(bits));
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        data.push_back(static_cast<std::uint8_t>(bits));
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(length));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

TEST(GifReader, BitsPerPixelFollowTheColourMap)
{
    struct Case {
        int colours;
        int decodedBits;
        int mapEntries;
    };
    const Case cases[] = {{2, 1, 2}, {3, 4, 4}, {16, 4, 16}, {17, 8, 32}, {200, 8, 256}};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.colours) + " colours");
        const Indexed source = stripes(23, 9, c.colours);
        const BitmapImage image = readGif(encodeGif(source, {}));
        EXPECT_EQ(image.bitsPerPixel, c.decodedBits);
        EXPECT_EQ(image.colorCount(), c.mapEntries);
        EXPECT_EQ(image.transparentIndex, -1);
        EXPECT_EQ(image.invariantViolation(), "");
        expectSameIndices(image, source);
    }
}

TEST(GifReader, TransparencyAndInterlacing)
{
    const Indexed source = stripes(7, 19, 6); // 19 rows reach every interlace pass
    for (const bool interlaced : {false, true}) {
        SCOPED_TRACE(interlaced ? "interlaced" : "in order");
        GifOptions options;
        options.interlaced = interlaced;
        options.transparentIndex = 5;
        const BitmapImage image = readGif(encodeGif(source, options));
        EXPECT_EQ(image.transparentIndex, 5);
        expectSameIndices(image, source);
    }
}

TEST(GifReader, ImageIsPlacedOnTheLogicalScreen)
{
    const Indexed source = stripes(4, 3, 4);
    GifOptions options;
    options.screenWidth = 9;
    options.screenHeight = 6;
    options.left = 2;
    options.top = 1;
    options.backgroundIndex = 3;
    options.localColorMap = true;
    BitmapImage image = readGif(encodeGif(source, options));
    ASSERT_EQ(image.width, 9);
    ASSERT_EQ(image.height, 6);
    EXPECT_EQ(image.indexAt(0, 0), 3) << "outside the image: the background colour";
    EXPECT_EQ(image.indexAt(8, 5), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(image.indexAt(x + 2, y + 1), source.at(x, y));

    options.transparentIndex = 1; // with a transparent colour, the screen around is transparent
    image = readGif(encodeGif(source, options));
    EXPECT_EQ(image.indexAt(0, 0), 1);

    options.screenWidth = 3; // an image larger than its screen widens the picture
    image = readGif(encodeGif(source, options));
    EXPECT_EQ(image.width, 6);
}

TEST(GifReader, HandMadeStreamDecodes)
{
    const BitmapImage image = readGif(handMadeGif(3, 2, {0, 1, 1, 0, 0, 1}));
    EXPECT_EQ(image.bitsPerPixel, 1);
    const int expected[2][3] = {{0, 1, 1}, {0, 0, 1}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(image.indexAt(x, y), expected[y][x]);
}

TEST(GifReader, DamagedStreamsFailWithTheirTexts)
{
    const Bytes good = encodeGif(stripes(16, 16, 16), {});
    const Bytes headerOnly = [] {
        Bytes b = bytesOf("GIF89a");
        b.insert(b.end(), {4, 0, 4, 0, 0, 0, 0, 0x3B});
        return b;
    }();
    Bytes badCode = handMadeGif(2, 1, {0, 1});
    badCode[badCode.size() - 4] = 0xFF; // codes beyond the table
    badCode[badCode.size() - 3] = 0xFF;
    Bytes huge = good;
    huge[6] = 0xFF, huge[7] = 0xFF, huge[8] = 0xFF, huge[9] = 0xFF;
    struct Case {
        const char *name;
        Bytes file;
        const std::type_info &type;
        std::string text;
    };
    const Case cases[] = {
        {"empty", {}, typeid(EGifFileReadError), "Error reading from GIF file"},
        {"not a GIF", bytesOf("\x89PNG\r\n\x1a\n and more"), typeid(EGifNotAGifFile),
         "Stream is not in GIF format"},
        {"cut in the screen", Bytes(good.begin(), good.begin() + 9), typeid(EGifFileReadError),
         "Error reading from GIF file"},
        {"cut in the pixels", Bytes(good.begin(), good.end() - 20), typeid(EGifFileReadError),
         "Error reading from GIF file"},
        {"no image", headerOnly, typeid(EGifNoMoreImages), "No more images in the GIF stream"},
        {"unknown block",
         [&] {
             Bytes b = headerOnly;
             b.back() = 0x42;
             return b;
         }(),
         typeid(EGifCorruptFile), "Gif stream is corrupt"},
        {"broken codes", badCode, typeid(EGifCorruptFile), "Gif stream is corrupt"},
        {"colour beyond the map", handMadeGif(2, 1, {0, 3}), typeid(ESubscriptOutOfRange),
         "Subscript out of range"},
        {"huge screen", huge, typeid(EGifError),
         "Image too large (65535 x 65535 pixels; the limit is 16384 pixels per side and 64 megapixels)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        expectError([&] { readGif(c.file); }, c.type, c.text);
    }
}

} // namespace
} // namespace kw::image
