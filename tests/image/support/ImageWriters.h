// Encoders for the test pictures: PNG, JPEG and GIF through their libraries, BMP and XBM written here.
// Used by the image tests, the benchmark, the fuzz corpus and the picture generator. They expect valid
// arguments and abort with a message otherwise (they are test tools, not product code).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kw::image::testing {

using Bytes = std::vector<std::uint8_t>;

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;

    friend bool operator==(const Rgba &, const Rgba &) = default;
};

/// A true-colour picture, rows from the top.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<Rgba> data;

    Pixels() = default;
    Pixels(int w, int h, Rgba fill = {}) : width(w), height(h), data(static_cast<std::size_t>(w * h), fill) {}
    Rgba &at(int x, int y) { return data[static_cast<std::size_t>(y * width + x)]; }
    const Rgba &at(int x, int y) const { return data[static_cast<std::size_t>(y * width + x)]; }
};

/// A palette picture, rows from the top.
struct Indexed {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> data;
    std::vector<Rgba> palette;

    Indexed() = default;
    Indexed(int w, int h, std::vector<Rgba> colors)
        : width(w), height(h), data(static_cast<std::size_t>(w * h), 0), palette(std::move(colors))
    {
    }
    std::uint8_t &at(int x, int y) { return data[static_cast<std::size_t>(y * width + x)]; }
    std::uint8_t at(int x, int y) const { return data[static_cast<std::size_t>(y * width + x)]; }
};

/// Writes a file (for the generator and for fixtures).
void writeFile(const std::string &path, const Bytes &bytes);

// PNG

enum class PngColor { Grey, GreyAlpha, Rgb, Rgba };

struct PngOptions {
    PngColor color = PngColor::Rgb;
    int bitDepth = 8; ///< 1, 2, 4, 8 or 16 for grey, 8 or 16 otherwise; grey samples come from red
    bool interlaced = false;
    int transparentGrey = -1;    ///< tRNS grey value (Grey only), in sample units
    bool transparentRgb = false; ///< tRNS colour (Rgb only)
    Rgba transparentColor;
};
Bytes encodePng(const Pixels &pixels, const PngOptions &options);

struct PalettePngOptions {
    int bitDepth = 8; ///< 1, 2, 4 or 8
    bool interlaced = false;
    std::vector<std::uint8_t> alpha; ///< tRNS entries, none when empty
};
Bytes encodePng(const Indexed &picture, const PalettePngOptions &options);

// JPEG

struct JpegOptions {
    int quality = 90;
    bool progressive = false;
    bool grey = false;
    bool cmyk = false; ///< written as Adobe CMYK
    /// Grey only: a progressive script that sends every coefficient bit by bit (514 scans).
    bool scanPerCoefficientBit = false;
};
Bytes encodeJpeg(const Pixels &pixels, const JpegOptions &options);

// GIF

struct GifOptions {
    bool interlaced = false;
    int transparentIndex = -1;
    int screenWidth = 0; ///< 0: the image's size
    int screenHeight = 0;
    int left = 0;
    int top = 0;
    int backgroundIndex = 0;
    bool localColorMap = false; ///< the colour map goes with the image instead of the screen
};
/// The palette is padded to a power of two entries (at least 2).
Bytes encodeGif(const Indexed &picture, const GifOptions &options);

// BMP

enum class BmpCompression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

struct BmpOptions {
    int bitsPerPixel = 24;
    BmpCompression compression = BmpCompression::Rgb;
    bool topDown = false;
    std::uint32_t headerSize = 40; ///< 12, 40, 56, 108 or 124
    /// Red, green, blue and alpha masks for BitFields (alpha only with headers of 56 bytes and more).
    std::array<std::uint32_t, 4> masks{};
};
/// 1, 4 and 8 bits per pixel.
Bytes encodeBmp(const Indexed &picture, const BmpOptions &options);
/// 16, 24 and 32 bits per pixel.
Bytes encodeBmp(const Pixels &pixels, const BmpOptions &options);

// XBM

/// An X bitmap of the picture's set pixels (non-zero indices) in C source form.
std::string encodeXbm(const Indexed &picture, const std::string &name, bool shortValues = false);

} // namespace kw::image::testing
