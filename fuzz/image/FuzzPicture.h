// The body shared by the picture fuzz targets: a reader may refuse its input only with an exception of the
// graphics family, and whatever it accepts must be a well-formed picture that draws.
#pragma once

#include "image/ImageErrors.h"
#include "image/LayoutImage.h"
#include "image/Readers.h"
#include "image/RecordingDeviceContext.h"
#include "image/SeekableFile.h"

#include <cstdio>
#include <cstdlib>

namespace kw::fuzz {

inline int fuzzPicture(image::ImageType type, const std::uint8_t *data, std::size_t size)
{
    // Smaller limits than the product's keep each run quick; the code paths are the same.
    image::DecodeLimits limits;
    limits.maxSide = 4096;
    limits.maxPixels = 4 * 1024 * 1024;
    image::BitmapImage picture;
    try {
        picture = image::decodePicture(type, {data, size}, limits);
    } catch (const image::EGraphicsException &) {
        return 0; // a refusal with a text: fine
    }
    // Anything else thrown escapes to libFuzzer, which reports it.
    const std::string broken = picture.invariantViolation();
    if (!broken.empty()) {
        std::fprintf(stderr, "decoded picture is broken: %s\n", broken.c_str());
        std::abort();
    }

    // The same bytes through the image object, drawn with a palette and resolved pixel by pixel.
    image::CLayoutImage object;
    object.setLimits(limits);
    image::MemoryFile file({data, size});
    if (!object.LoadFromFile(&file, static_cast<int>(type)) || object.Width() != picture.width) {
        std::fprintf(stderr, "the image object disagrees with the reader: %s\n", object.lastError().c_str());
        std::abort();
    }
    image::RecordingDeviceContext dc;
    dc.setBitsPerPixel(8);
    object.Draw(dc, 0, 0, picture.width, picture.height, 0, 0, picture.width, picture.height,
                image::RasterOp::SrcCopy, image::PaletteMode::Logical);
    const auto calls = dc.callsOf<image::recorded::StretchDIBits>();
    if (calls.size() != 1 || dc.livePalettes() != 0)
        std::abort();
    unsigned sum = 0;
    for (int y = 0; y < picture.height; y += 7)
        for (int x = 0; x < picture.width; x += 7)
            sum += image::dibPixel(calls[0].info, calls[0].bits, x, y);
    return static_cast<int>(sum & 0);
}

} // namespace kw::fuzz
