// Where built-in pictures come from: a lookup of bytes by resource name and resource type.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kw::image {

/// Finds a resource's bytes by name and type name ("12061", "PNG").
class ResourceProvider {
public:
    virtual ~ResourceProvider() = default;
    /// The bytes of the resource, or an empty span when there is none of that name and type. The bytes
    /// stay valid as long as the provider lives.
    virtual std::span<const std::uint8_t> find(std::string_view name, std::string_view type) const = 0;

protected:
    ResourceProvider() = default;
    ResourceProvider(const ResourceProvider &) = default;
    ResourceProvider &operator=(const ResourceProvider &) = default;
};

/// The module's own pictures, compiled into the program from res/pictures:
///
/// | name  | type | picture |
/// |-------|------|---------|
/// | 12000 | BMP  | toolbar: six 16 x 15 buttons for 32901, 32900, 32903, 32905, 32907, 32906 |
/// | 12002 | GIF  | placeholder for a picture that does not exist |
/// | 12024 | BMP  | two 16 x 16 list pictures: active layout, stored layout |
/// | 12038 | BMP  | nine 48 x 18 border style pictures, none to outset |
/// | 12061 | PNG  | idle picture shown while no layout is open |
/// | 12065 | BMP  | 16 x 16 shortcut picture |
///
/// The BMP pictures show magenta (#FF00FF) where they are transparent.
const ResourceProvider &builtinPictures();

} // namespace kw::image
