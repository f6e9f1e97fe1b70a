// The resource provider over the pictures compiled into the image library.
#include "image/ResourceProvider.h"

namespace kw::image {

// Generated from res/pictures by kw_embed_files, one function per file.
namespace embedded {
std::span<const std::uint8_t> bmp12000(std::string_view name);
std::span<const std::uint8_t> gif12002(std::string_view name);
std::span<const std::uint8_t> bmp12024(std::string_view name);
std::span<const std::uint8_t> bmp12038(std::string_view name);
std::span<const std::uint8_t> png12061(std::string_view name);
std::span<const std::uint8_t> bmp12065(std::string_view name);
} // namespace embedded

namespace {

struct Picture {
    std::string_view name;
    std::string_view type;
    std::span<const std::uint8_t> (*bytes)(std::string_view name);
};

constexpr Picture kPictures[] = {
    {"12000", "BMP", &embedded::bmp12000}, {"12002", "GIF", &embedded::gif12002},
    {"12024", "BMP", &embedded::bmp12024}, {"12038", "BMP", &embedded::bmp12038},
    {"12061", "PNG", &embedded::png12061}, {"12065", "BMP", &embedded::bmp12065},
};

class BuiltinPictures final : public ResourceProvider {
public:
    std::span<const std::uint8_t> find(std::string_view name, std::string_view type) const override
    {
        for (const Picture &picture : kPictures)
            if (picture.name == name && picture.type == type)
                return picture.bytes(name);
        return {};
    }
};

} // namespace

const ResourceProvider &builtinPictures()
{
    static const BuiltinPictures provider;
    return provider;
}

} // namespace kw::image
