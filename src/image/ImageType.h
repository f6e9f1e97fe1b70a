// Picture type codes and the classification of file names by extension.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kw::image {

/// Type codes of the pictures the image object reads; callers keep them as plain ints.
enum class ImageType : int { Unknown = 0, Bmp = 1, Jpeg = 2, Gif = 3, Png = 4, Xbm = 5 };

/// The type code of a file name by its extension, ignoring case: ".bmp" 1, ".jpg", ".jpeg" and ".jpe" 2,
/// ".gif" 3, ".png" 4, ".xbm" 5. Anything else, including a name without extension or a dot that belongs
/// to a folder of the path, gives 0.
int KwGetImageType(std::string_view fileName);

/// The type a picture's contents announce by their signature: "BM" (BMP), FF D8 FF (JPEG), "GIF87a" or
/// "GIF89a", the PNG signature, or "#define" after blanks and comments (XBM); Unknown for anything else.
ImageType imageTypeOfContents(std::span<const std::uint8_t> bytes);

/// The type for a code, Unknown for any code outside 1..5.
ImageType imageTypeFromCode(int code);

/// The resource type name under which built-in pictures of a type are kept: "BMP", "JPEG", "GIF", "PNG",
/// "XBM", and "10" (the raw-data type) for any other code.
std::string_view resourceTypeName(int code);

} // namespace kw::image
