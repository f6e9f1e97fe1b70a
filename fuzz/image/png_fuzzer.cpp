// Fuzz target: the reader of PNG streams. Chunk checksums are repaired before decoding, so that mutations
// reach the chunk readers instead of ending at the first checksum; damaged checksums themselves are covered
// by the tests.
#include "FuzzPicture.h"

#include <vector>

#include <zlib.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::uint8_t> png(data, data + size);
    std::size_t at = 8; // after the signature
    while (at + 8 <= png.size()) {
        const std::size_t length = (std::size_t{png[at]} << 24) | (std::size_t{png[at + 1]} << 16) |
                                   (std::size_t{png[at + 2]} << 8) | png[at + 3];
        if (length > png.size() - at - 8 || png.size() - at - 8 - length < 4)
            break;
        const uLong crc = crc32(0, &png[at + 4], static_cast<uInt>(length + 4));
        for (int i = 0; i < 4; ++i)
            png[at + 8 + length + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        at += 12 + length;
    }
    return kw::fuzz::fuzzPicture(kw::image::ImageType::Png, png.data(), png.size());
}
