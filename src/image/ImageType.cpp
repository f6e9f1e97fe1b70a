// File-name classification and resource type names of pictures.
#include "image/ImageType.h"

#include "base/Values.h"

namespace kw::image {

int KwGetImageType(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return 0;
    const std::size_t separator = fileName.find_last_of("/\\");
    if (separator != std::string_view::npos && separator > dot)
        return 0;
    const std::string extension = toLowerAscii(fileName.substr(dot + 1));
    if (extension == "bmp")
        return static_cast<int>(ImageType::Bmp);
    if (extension == "jpg" || extension == "jpeg" || extension == "jpe")
        return static_cast<int>(ImageType::Jpeg);
    if (extension == "gif")
        return static_cast<int>(ImageType::Gif);
    if (extension == "png")
        return static_cast<int>(ImageType::Png);
    if (extension == "xbm")
        return static_cast<int>(ImageType::Xbm);
    return 0;
}

ImageType imageTypeOfContents(std::span<const std::uint8_t> bytes)
{
    const std::string_view text(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    static constexpr std::string_view kPng("\x89PNG\r\n\x1a\n", 8);
    if (text.starts_with("BM"))
        return ImageType::Bmp;
    if (text.starts_with("\xff\xd8\xff"))
        return ImageType::Jpeg;
    if (text.starts_with("GIF87a") || text.starts_with("GIF89a"))
        return ImageType::Gif;
    if (text.starts_with(kPng))
        return ImageType::Png;
    // X bitmaps are C source: blanks and comments may come before the first definition.
    std::size_t at = 0;
    for (;;) {
        at = text.find_first_not_of(" \t\r\n", at);
        if (at == std::string_view::npos || !text.substr(at).starts_with("/*"))
            break;
        const std::size_t end = text.find("*/", at + 2);
        if (end == std::string_view::npos)
            return ImageType::Unknown;
        at = end + 2;
    }
    return at != std::string_view::npos && text.substr(at).starts_with("#define") ? ImageType::Xbm
                                                                                  : ImageType::Unknown;
}

ImageType imageTypeFromCode(int code)
{
    if (code < static_cast<int>(ImageType::Bmp) || code > static_cast<int>(ImageType::Xbm))
        return ImageType::Unknown;
    return static_cast<ImageType>(code);
}

std::string_view resourceTypeName(int code)
{
    switch (imageTypeFromCode(code)) {
    case ImageType::Bmp:
        return "BMP";
    case ImageType::Jpeg:
        return "JPEG";
    case ImageType::Gif:
        return "GIF";
    case ImageType::Png:
        return "PNG";
    case ImageType::Xbm:
        return "XBM";
    case ImageType::Unknown:
        break;
    }
    return "10";
}

} // namespace kw::image
