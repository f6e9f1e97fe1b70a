#include "controls/CBorderStyleBox.h"

#include "base/Values.h"
#include "image/ImageType.h"
#include "platform/PictureImages.h"

namespace kw::controls {

namespace {

constexpr const char *kStripName = "12038";

/// The strip, decoded once (an image, unlike icons and pixmaps, may outlive the application object).
const QImage &borderStyleStrip()
{
    static const QImage strip =
        platform::builtinPicture(kStripName, static_cast<int>(image::ImageType::Bmp), true);
    return strip;
}

} // namespace

CBorderStyleBox::CBorderStyleBox(QWidget *parent) : QComboBox(parent)
{
    setIconSize(QSize(kPictureWidth, kPictureHeight));
    const QList<QIcon> icons = platform::iconStrip(borderStyleStrip(), kPictureWidth);
    for (std::size_t i = 0; i < kBorderStyles.size(); ++i) {
        const QString keyword =
            QString::fromLatin1(kBorderStyles[i].data(), static_cast<int>(kBorderStyles[i].size()));
        const QIcon icon =
            static_cast<qsizetype>(i) < icons.size() ? icons[static_cast<qsizetype>(i)] : QIcon();
        addItem(icon, QString(), keyword);
        setItemData(static_cast<int>(i), keyword, Qt::AccessibleTextRole);
        setItemData(static_cast<int>(i), keyword, Qt::ToolTipRole);
    }
    setCurrentIndex(-1);
}

void CBorderStyleBox::setBorderStyle(std::string_view keyword)
{
    const int index = borderStyleIndex(keyword);
    if (index >= 0)
        setCurrentIndex(index);
}

std::optional<std::string> CBorderStyleBox::borderStyle() const
{
    const int index = currentIndex();
    if (index < 0 || index >= static_cast<int>(kBorderStyles.size()))
        return std::nullopt;
    return std::string(kBorderStyles[static_cast<std::size_t>(index)]);
}

} // namespace kw::controls
