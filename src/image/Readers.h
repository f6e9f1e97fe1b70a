// The five picture readers. Each decodes a whole file held in memory into a BitmapImage, or throws an
// exception of the EGraphicsException family (ImageErrors.h) with a text a person can read. Nothing
// else escapes them except std::bad_alloc, and they never print.
#pragma once

#include "image/BitmapImage.h"
#include "image/ImageType.h"

#include <cstdint>
#include <span>

namespace kw::image {

/// Windows bitmaps: core, info (40 bytes) and the longer headers; 1, 4, 8, 16, 24 and 32 bits per pixel;
/// uncompressed, RLE8, RLE4 and bit fields; rows bottom-up or top-down. 16-bit pictures become 24-bit,
/// 32-bit ones keep alpha only where the header names an alpha mask. Checks its colour-map indices itself
/// (as `checkPaletteIndices`), an 8-bit picture while its rows are copied.
BitmapImage readBmp(std::span<const std::uint8_t> data, const DecodeLimits &limits = {});

/// JPEG (baseline, progressive, arithmetic) through libjpeg-turbo. Grey pictures become 8-bit with a grey
/// colour map, colour ones (also CMYK) 24-bit. Truncated or damaged entropy data is a failure.
BitmapImage readJpeg(std::span<const std::uint8_t> data, const DecodeLimits &limits = {});

/// The first image of a GIF through giflib, placed on the logical screen, with the transparent index of
/// its graphic control block; interlaced images are put back in order. The bits per pixel follow the
/// colour map's size (1, 4 or 8).
BitmapImage readGif(std::span<const std::uint8_t> data, const DecodeLimits &limits = {});

/// PNG through libpng. Palette pictures stay palette pictures (1, 4 or 8 bits; a tRNS chunk that makes
/// exactly one entry fully transparent and leaves the rest opaque gives the transparent index, any other
/// tRNS makes the picture 32-bit with alpha). Grey pictures up to 8 bits become palette pictures with a
/// grey colour map (a tRNS grey value becomes the transparent index); colour pictures become 24-bit,
/// with alpha (or a tRNS colour) 32-bit; 16-bit samples are reduced to 8 bits.
BitmapImage readPng(std::span<const std::uint8_t> data, const DecodeLimits &limits = {});

/// X bitmap source text (X11 "char" and X10 "short" arrays); set bits are black on white.
BitmapImage readXbm(std::span<const std::uint8_t> data, const DecodeLimits &limits = {});

/// Throws ESubscriptOutOfRange when a pixel of a palette picture names a colour its map does not have.
void checkPaletteIndices(const BitmapImage &image);
/// The highest of `count` bytes (0 for none).
std::uint8_t highestByte(const std::uint8_t *bytes, std::size_t count);

/// Decodes with the reader of `type` and checks that every colour-map index is inside the colour map
/// (ESubscriptOutOfRange otherwise). Unknown types throw EGraphicsException.
BitmapImage decodePicture(ImageType type, std::span<const std::uint8_t> data,
                          const DecodeLimits &limits = {});

} // namespace kw::image
