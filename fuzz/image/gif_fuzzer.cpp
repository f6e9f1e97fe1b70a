// Fuzz target: the reader of GIF streams.
#include "FuzzPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return kw::fuzz::fuzzPicture(kw::image::ImageType::Gif, data, size);
}
