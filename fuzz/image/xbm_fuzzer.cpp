// Fuzz target: the reader of X bitmap sources.
#include "FuzzPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return kw::fuzz::fuzzPicture(kw::image::ImageType::Xbm, data, size);
}
