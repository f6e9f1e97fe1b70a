// Sample pictures and comparisons shared by the image tests.
#pragma once

#include "ImageWriters.h"
#include "image/BitmapImage.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

namespace kw::image::testing {

/// A picture with a different colour in every pixel, and alpha that varies along x.
inline Pixels gradient(int width, int height)
{
    Pixels p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.at(x, y) = {static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1)),
                          static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1)),
                          static_cast<std::uint8_t>((x * 7 + y * 13) & 0xFF),
                          static_cast<std::uint8_t>(x % 2 == 0 ? 255 : 40 + x)};
    return p;
}

/// A palette picture using every entry of a palette of `colours` distinct colours.
inline Indexed stripes(int width, int height, int colours)
{
    std::vector<Rgba> palette;
    for (int i = 0; i < colours; ++i)
        palette.push_back({static_cast<std::uint8_t>(i * 255 / std::max(1, colours - 1)),
                           static_cast<std::uint8_t>(255 - i * 3), static_cast<std::uint8_t>(i * 97 & 0xFF),
                           255});
    Indexed p(width, height, palette);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.at(x, y) = static_cast<std::uint8_t>((x + 3 * y) % colours);
    return p;
}

inline Bytes bytesOf(const std::string &text)
{
    return Bytes(text.begin(), text.end());
}

/// Checks that a decoded palette picture holds exactly the indices and colours of the source.
inline void expectSameIndices(const BitmapImage &image, const Indexed &source)
{
    ASSERT_EQ(image.width, source.width);
    ASSERT_EQ(image.height, source.height);
    ASSERT_LE(image.bitsPerPixel, 8);
    ASSERT_GE(image.colorMap.size(), source.palette.size());
    for (std::size_t i = 0; i < source.palette.size(); ++i) {
        const RgbQuad &entry = image.colorMap[i];
        EXPECT_EQ((Rgba{entry.red, entry.green, entry.blue, 255}),
                  (Rgba{source.palette[i].r, source.palette[i].g, source.palette[i].b, 255}))
            << "colour map entry " << i;
    }
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x)
            ASSERT_EQ(image.indexAt(x, y), source.at(x, y)) << "at " << x << "," << y;
}

/// Checks every pixel's colour (and alpha when `withAlpha`) within `tolerance` per channel.
inline void expectSameColours(const BitmapImage &image, const Pixels &source, int tolerance, bool withAlpha)
{
    ASSERT_EQ(image.width, source.width);
    ASSERT_EQ(image.height, source.height);
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) {
            const RgbQuad got = image.pixelAt(x, y);
            const Rgba &want = source.at(x, y);
            ASSERT_NEAR(got.red, want.r, tolerance) << "red at " << x << "," << y;
            ASSERT_NEAR(got.green, want.g, tolerance) << "green at " << x << "," << y;
            ASSERT_NEAR(got.blue, want.b, tolerance) << "blue at " << x << "," << y;
            if (withAlpha)
                ASSERT_EQ(got.reserved, want.a) << "alpha at " << x << "," << y;
            else
                ASSERT_EQ(got.reserved, 255) << "alpha at " << x << "," << y;
        }
}

/// Runs `decode` and expects it to throw exactly `Error` (or a subclass) with the text `text`.
template <class Error, class Decode> void expectFailure(Decode decode, const std::string &text)
{
    try {
        decode();
        ADD_FAILURE() << "no failure, expected \"" << text << "\"";
    } catch (const Error &error) {
        EXPECT_EQ(std::string(error.what()), text);
    } catch (const std::exception &error) {
        ADD_FAILURE() << "wrong exception type with text \"" << error.what() << "\"";
    }
}

/// Runs `decode` and expects an exception of exactly the dynamic type `type` with the text `text`.
template <class Decode> void expectError(Decode decode, const std::type_info &type, const std::string &text)
{
    try {
        decode();
        ADD_FAILURE() << "no failure, expected \"" << text << "\"";
    } catch (const std::exception &error) {
        EXPECT_EQ(std::string(error.what()), text);
        EXPECT_TRUE(typeid(error) == type)
            << "thrown " << typeid(error).name() << ", expected " << type.name();
    }
}

} // namespace kw::image::testing
