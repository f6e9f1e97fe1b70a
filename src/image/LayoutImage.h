// The image object of the preview and the property pages: a picture read from a file or from the
// module's built-in pictures, drawn scaled into a device.
#pragma once

#include "image/BitmapImage.h"
#include "image/DeviceContext.h"

#include <memory>
#include <string>
#include <string_view>

namespace kw::image {

class ResourceProvider;
class SeekableFile;

/// How Draw prepares the device's colours.
enum class PaletteMode : int {
    Logical = 0,  ///< a palette made from the picture's colour map
    Halftone = 1, ///< the device's halftone palette, with halftone stretching
    None = 2      ///< no palette work
};

/// Largest file LoadFromFile reads (256 MiB); larger files fail without being read.
inline constexpr std::uint64_t kMaxPictureFileSize = std::uint64_t{256} * 1024 * 1024;

/// A decoded picture and the text of the last load failure.
///
/// Loading never throws: a failure returns false, leaves the image empty and sets lastError(). Type codes
/// are those of KwGetImageType (1 BMP, 2 JPEG, 3 GIF, 4 PNG, 5 XBM).
class CLayoutImage {
public:
    CLayoutImage();
    ~CLayoutImage();
    CLayoutImage(const CLayoutImage &) = delete;
    CLayoutImage &operator=(const CLayoutImage &) = delete;

    /// Reads the whole file (from its start, whatever its position; a memory file's contents are used
    /// in place) and decodes it with the reader of `type`. A null file or a type outside 1..5 returns false
    /// at once, without reading and without touching the image or lastError(). Otherwise a failure sets
    /// lastError(): a file error's own text (at most 256 bytes), a reader's text, or "unknown error reading
    /// image" for anything else.
    bool LoadFromFile(SeekableFile *file, int type);

    /// Loads the resource `resourceName` of the type name that belongs to `type` (see
    /// resourceTypeName) through a memory file. Returns false, touching nothing, when there is no such
    /// resource; otherwise as LoadFromFile.
    bool LoadFromResource(const ResourceProvider &resources, std::string_view resourceName, int type);
    /// The same from the module's built-in pictures.
    bool LoadFromResource(std::string_view resourceName, int type);

    /// The picture's size; 0 while nothing is loaded.
    int Width() const;
    int Height() const;

    /// Stretches the source rectangle of the picture (picture pixels, y from the top) into the
    /// destination rectangle of the device. Returns the number of scan lines the device drew; 0, with no
    /// call to the device, while nothing is loaded.
    ///
    /// On a device of 32 or more bits per pixel no palette is made whatever `paletteMode` asks. In
    /// Logical mode the palette holds the picture's colour-map entries in order, no more than the device
    /// can show; a true-colour picture has no colour map and gets no palette. A transparent colour-map
    /// entry is drawn in the device's current background colour.
    int Draw(DeviceContext &dc, int xDest, int yDest, int widthDest, int heightDest, int xSrc, int ySrc,
             int widthSrc, int heightSrc, RasterOp rasterOperation, PaletteMode paletteMode) const;

    /// The text of the last load failure; empty until a load fails.
    const std::string &lastError() const { return m_lastError; }
    /// The decoded picture (empty while nothing is loaded).
    const BitmapImage &bitmap() const { return *m_bitmap; }

    /// The size limits the readers apply (DecodeLimits defaults unless changed).
    void setLimits(const DecodeLimits &limits) { m_limits = limits; }

private:
    std::string m_lastError;
    std::unique_ptr<BitmapImage> m_bitmap;
    DecodeLimits m_limits;
};

} // namespace kw::image
