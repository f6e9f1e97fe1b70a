// The element base: fonts, pictures, background, focus mark.
#include "portalpage/PreviewElement.h"

#include "base/Values.h"
#include "portalpage/TopNavigation.h"

namespace kw::portalpage {

using layout::RegionId;

int controlIdOf(RegionId id)
{
    return 101 + static_cast<int>(id);
}

FontSpec makeFont(std::string_view familyList, int size, std::string_view weight, bool underline)
{
    FontSpec font;
    const std::size_t comma = familyList.find(',');
    font.family = std::string(trimBlanks(familyList.substr(0, comma)));
    font.pixelHeight = size;
    const int index = weightIndexFromText(weight);
    font.weight = index < 0 ? 0 : (index + 1) * 100;
    font.underline = underline;
    return font;
}

void drawPicture(PaintDevice &device, const image::CLayoutImage &picture, int x, int y)
{
    const int width = picture.Width();
    const int height = picture.Height();
    picture.Draw(device.pictures(), x, y, width, height, 0, 0, width, height, image::RasterOp::SrcCopy,
                 image::PaletteMode::Logical);
}

CPreviewElement::CPreviewElement(RegionId region, const layout::LayoutModel &model)
    : m_region(region), m_model(model)
{
}

CPreviewElement::~CPreviewElement() = default;

std::string_view CPreviewElement::name() const
{
    return layout::regionName(m_region);
}

void CPreviewElement::Create(ElementContext &context)
{
    Rebuild(context);
}

Size CPreviewElement::GetPreferredSize() const
{
    return {200, 20};
}

void CPreviewElement::Rebuild(ElementContext &context)
{
    const layout::RegionStyle &s = style();
    m_normalFont = makeFont(s.fontFamily, s.fontSize, s.fontWeight);
    m_plainFont = m_normalFont;
    m_underlinedFont = m_normalFont;
    m_underlinedFont.underline = true;
    if (loadsTopNavigationPictures())
        copyTopNavigationFiles(context.env);
    int type = m_backgroundImageType;
    const PictureSource::Outcome outcome =
        context.pictures.load(s.backgroundImage, m_backgroundPicture, &type);
    if (outcome == PictureSource::Outcome::File)
        m_backgroundImageType = type;
    if (outcome != PictureSource::Outcome::Nothing)
        m_backgroundPictureMissing = outcome == PictureSource::Outcome::Placeholder;
    if (layout::isMenuRegion(m_region))
        loadMenuPictures(context.pictures);
}

void CPreviewElement::loadMenuPictures(PictureSource &pictures)
{
    // Decoded once per change of their names; an empty name means no picture.
    const layout::RegionStyle &s = style();
    if (s.itemImage != m_itemPictureName) {
        if (s.itemImage.empty())
            m_itemPicture.reset();
        else
            pictures.load(s.itemImage, m_itemPicture);
        m_itemPictureName = s.itemImage;
    }
    if (s.separatorImage != m_separatorPictureName) {
        if (s.separatorImage.empty())
            m_separatorPicture.reset();
        else
            pictures.load(s.separatorImage, m_separatorPicture);
        m_separatorPictureName = s.separatorImage;
    }
}

void CPreviewElement::Paint(PaintDevice &device, const Rect &client) const
{
    PaintBackground(device, client);
    PaintContent(device, client);
    PaintFocusMark(device, client);
}

void CPreviewElement::PaintBackground(PaintDevice &device, const Rect &client) const
{
    const layout::RegionStyle &s = style();
    device.fillRect(client, device.nearestColor(s.backgroundColor));
    const image::CLayoutImage *picture = m_backgroundPicture.get();
    if (s.backgroundImage.empty() || !picture || picture->Width() < 1 || picture->Height() < 1)
        return;
    const int width = picture->Width();
    const int height = picture->Height();
    drawPicture(device, *picture, 0, 0);
    if (s.backgroundRepeat != "repeat")
        return;
    // Column by column from the second one on, each with its copies downwards; the first column's
    // copies last.
    if (width < client.width) {
        for (int i = 1; i <= client.width / width; ++i) {
            drawPicture(device, *picture, i * width, 0);
            if (height < client.height)
                for (int j = 1; j <= client.height / height; ++j)
                    drawPicture(device, *picture, i * width, j * height);
        }
    }
    if (height < client.height)
        for (int j = 1; j <= client.height / height; ++j)
            drawPicture(device, *picture, 0, j * height);
}

void CPreviewElement::PaintFocusMark(PaintDevice &device, const Rect &client) const
{
    if (!m_selected)
        return;
    const Color background = device.setBackgroundColor(style().backgroundColor);
    const Color text = device.setTextColor(style().textColor);
    device.drawFocusRect(client);
    device.setBackgroundColor(background);
    device.setTextColor(text);
}

void CPreviewElement::PaintContent(PaintDevice &, const Rect &) const {}

void CPreviewElement::beginText(PaintDevice &device) const
{
    device.setBackgroundColor(style().backgroundColor);
    device.setTextColor(style().textColor);
    device.selectFont(m_normalFont);
    if (!style().backgroundImage.empty())
        device.setBackgroundMode(BackgroundMode::Transparent);
}

int CPreviewElement::itemWidth() const
{
    return m_itemPicture ? m_itemPicture->Width() : 0;
}

int CPreviewElement::itemHeight() const
{
    return m_itemPicture ? m_itemPicture->Height() : 0;
}

void CPreviewElement::drawPictureCentred(PaintDevice &device, const image::CLayoutImage &picture, int x,
                                         const Rect &textRect)
{
    drawPicture(device, picture, x, textRect.y + (textRect.height - picture.Height()) / 2);
}

} // namespace kw::portalpage
