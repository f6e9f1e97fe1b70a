// The resource provider over the pictures compiled into the image library.
#include "image/ResourceProvider.h"

#include <string>

namespace kw::image {

// Generated from res/pictures by kw_embed_files; the names are "TYPE/NAME".
std::span<const std::uint8_t> embeddedPicture(std::string_view key);

namespace {

class BuiltinPictures final : public ResourceProvider {
public:
    std::span<const std::uint8_t> find(std::string_view name, std::string_view type) const override
    {
        std::string key(type);
        key += '/';
        key += name;
        return embeddedPicture(key);
    }
};

} // namespace

const ResourceProvider &builtinPictures()
{
    static const BuiltinPictures provider;
    return provider;
}

} // namespace kw::image
