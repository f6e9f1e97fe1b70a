// The module's built-in pictures as Qt images and icons, decoded by the image object and drawn through the
// device layer like every other picture.
#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

#include <string_view>

namespace kw::platform {

/// The built-in picture `name` of image type `type` (1 BMP, 4 PNG, ...) at its own size; a null image when
/// the picture is missing or cannot be decoded. With `magentaTransparent` the key colour #FF00FF of the
/// module's bitmaps becomes transparent.
QImage builtinPicture(std::string_view name, int type, bool magentaTransparent = false);

/// Cuts a strip of equally wide pictures into icons, left to right (an incomplete last piece is dropped).
QList<QIcon> iconStrip(const QImage &strip, int pieceWidth);

} // namespace kw::platform
