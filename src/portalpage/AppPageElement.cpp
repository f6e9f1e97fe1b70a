// The application page: sample lines in the page's styles, and on the default start page the portal
// heading with the places of the company logo and the welcome text.
#include "portalpage/Elements.h"

#include "base/StringTable.h"
#include "image/ImageType.h"

#include <algorithm>

namespace kw::portalpage {

using layout::RegionId;

namespace {

constexpr int kLeft = 10;       // the first line's distance from the left edge
constexpr int kLineGap = 12;    // below the top, below the controls, between lines
constexpr int kIndentStep = 10; // after the portal heading and each heading
constexpr int kSampleGap = 10;  // between the samples of one line
constexpr int kSymbolGap = 4;   // between an outline symbol and its heading
constexpr int kLogoTop = 12;    // the logo control below the element's top
constexpr int kWelcomeGap = 24; // the welcome control below the logo's height (or the top)
constexpr Size kWelcomePadding{10, 6};
constexpr int kCellPadding = 3; // the table samples' cells reach this far beside their texts

// Loads a picture whose name may change, decoding it again only when it did.
void loadNamed(PictureSource &pictures, const std::string &name, std::string &loadedName,
               std::unique_ptr<image::CLayoutImage> &picture)
{
    if (name == loadedName)
        return;
    if (name.empty())
        picture.reset();
    else
        pictures.load(name, picture);
    loadedName = name;
}

} // namespace

CAppPageElement::CAppPageElement(const layout::LayoutModel &model, bool defaultStartPage)
    : CPreviewElement(RegionId::KwApplication, model), isDefaultStartPage(defaultStartPage)
{
}

void CAppPageElement::setCompany(const layout::CompanySettings &company, bool reloadLogo)
{
    m_logoFile = company.logoFile;
    m_welcomeText = company.shownWelcome;
    m_reloadLogo = m_reloadLogo || reloadLogo;
}

FontSpec CAppPageElement::welcomeFont() const
{
    const layout::PageStyle &page = model().page();
    return makeFont(page.heading1Font.empty() ? style().fontFamily : page.heading1Font, page.heading1Size,
                    page.heading1Weight);
}

void CAppPageElement::Rebuild(ElementContext &context)
{
    CPreviewElement::Rebuild(context);
    if (isDefaultStartPage) {
        const layout::PageStyle &page = model().page();
        loadNamed(context.pictures, page.bulletBigPath, m_bulletBigName, m_bulletBig);
        loadNamed(context.pictures, page.bulletSmallPath, m_bulletSmallName, m_bulletSmall);
        loadLogo(context);
        const Size text = measureIn(context.measure, welcomeFont(), m_welcomeText);
        m_welcomeSize = {text.width + kWelcomePadding.width, text.height + kWelcomePadding.height};
    }
    layoutPieces(context.measure);
}

void CAppPageElement::loadLogo(ElementContext &context)
{
    if (m_logoFile == m_loadedLogoFile && !m_reloadLogo)
        return;
    if (m_logoFile.empty()) {
        m_logoPicture.reset();
    } else if (image::KwGetImageType(m_logoFile) > 0) {
        try {
            context.pictures.load(m_logoFile, m_logoPicture);
        } catch (const ServerError &error) {
            context.prompter.showExtendedError(StringId::CompanyLogoNotRead, error);
            context.pictures.loadPlaceholder(m_logoPicture);
        }
    }
    // A name of no known picture type leaves the logo as it was.
    m_loadedLogoFile = m_logoFile;
    m_reloadLogo = false;
}

Rect CAppPageElement::logoRect(int width) const
{
    if (!isDefaultStartPage || !logoShown)
        return {};
    const int w = m_logoPicture ? m_logoPicture->Width() : 0;
    const int h = m_logoPicture ? m_logoPicture->Height() : 0;
    return {(width - w) / 2, kLogoTop, w, h};
}

Rect CAppPageElement::welcomeRect(int width) const
{
    if (!isDefaultStartPage || !welcomeShown)
        return {};
    const int logoHeight = logoShown && m_logoPicture ? m_logoPicture->Height() : 0;
    return {(width - m_welcomeSize.width) / 2, logoHeight + kWelcomeGap, m_welcomeSize.width,
            m_welcomeSize.height};
}

void CAppPageElement::layoutPieces(PaintDevice &measure)
{
    const layout::RegionStyle &s = style();
    const layout::PageStyle &page = model().page();
    // Texts whose own family is not set take the page's.
    auto fontOf = [&](const std::string &family, int size, const std::string &weight,
                      bool underline = false) {
        return makeFont(family.empty() ? s.fontFamily : family, size, weight, underline);
    };

    m_pieces.clear();
    int x = kLeft;
    int y = kLineGap;
    int right = 0;

    // A line of samples side by side, all as high as the highest; the next line starts below it.
    struct Sample {
        std::string text;
        FontSpec font;
        Color color;
        std::optional<Color> cell = {}; ///< the table cell's colour the sample stands in
    };
    auto addLine = [&](std::vector<Sample> samples) {
        std::vector<Size> sizes;
        int height = 0;
        for (const Sample &sample : samples) {
            sizes.push_back(measureIn(measure, sample.font, sample.text));
            height = std::max(height, sizes.back().height);
        }
        int left = x;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            Piece piece;
            piece.text = std::move(samples[i].text);
            piece.font = std::move(samples[i].font);
            piece.color = samples[i].color;
            piece.rect = {left, y, sizes[i].width, height};
            if (samples[i].cell) {
                piece.fill = samples[i].cell;
                piece.box = {left - kCellPadding, y, sizes[i].width + 2 * kCellPadding, height};
            }
            right = std::max(right, left + sizes[i].width);
            left += sizes[i].width + kSampleGap;
            m_pieces.push_back(std::move(piece));
        }
        y += height + kLineGap;
    };

    if (isDefaultStartPage) {
        // Below the last of the shown controls.
        const Rect logo = logoRect(0);
        const Rect welcome = welcomeRect(0);
        if (welcomeShown)
            y = welcome.y + welcome.height + kLineGap;
        else if (logoShown)
            y = logo.y + logo.height + kLineGap;
        right = std::max(logo.width, welcome.width);

        Piece heading;
        heading.text = loadString(StringId::PortalHeading);
        heading.font = fontOf(page.portalFontFamily, page.portalFontSize, page.portalFontWeight);
        heading.color = page.portalTextColor;
        heading.fill = page.portalBackgroundColor;
        const Size text = measureIn(measure, heading.font, heading.text);
        // The box is the text enlarged by 40 x 24; like every line, the heading moves the next one down by
        // its text height + 12.
        heading.rect = {x, y, text.width + 40, text.height + 24};
        heading.box = heading.rect;
        heading.placement = TextPlacement::Centered;
        right = std::max(right, x + heading.rect.width);
        y += text.height + kLineGap;
        x += kIndentStep;
        m_pieces.push_back(std::move(heading));
    }

    const struct {
        StringId text;
        const std::string &font;
        int size;
        const std::string &weight;
        Color color;
        const image::CLayoutImage *symbol;
    } headings[3] = {
        {StringId::Heading1, page.heading1Font, page.heading1Size, page.heading1Weight, page.heading1Color,
         isDefaultStartPage ? m_bulletBig.get() : nullptr},
        {StringId::Heading2, page.heading2Font, page.heading2Size, page.heading2Weight, page.heading2Color,
         isDefaultStartPage ? m_bulletSmall.get() : nullptr},
        {StringId::Heading3, page.heading3Font, page.heading3Size, page.heading3Weight, page.heading3Color,
         nullptr},
    };
    for (const auto &h : headings) {
        Piece piece;
        piece.text = loadString(h.text);
        piece.font = fontOf(h.font, h.size, h.weight);
        piece.color = h.color;
        const Size text = measureIn(measure, piece.font, piece.text);
        int textX = x;
        if (h.symbol && h.symbol->Width() > 0) {
            piece.picture = h.symbol;
            piece.pictureX = x;
            textX = x + h.symbol->Width() + kSymbolGap;
        }
        piece.rect = {textX, y, text.width, text.height};
        right = std::max(right, textX + text.width);
        y += text.height + kLineGap;
        x += kIndentStep;
        m_pieces.push_back(std::move(piece));
    }

    addLine({{std::string(loadString(StringId::NormalText)), normalFont(), s.textColor},
             {std::string(loadString(StringId::SampleLink)), normalFont(), page.linkColor},
             {std::string(loadString(StringId::SampleLinkHover)), underlinedFont(), page.linkHoverColor}});
    const FontSpec tableHead =
        fontOf(page.tableHeadLinkFont, page.tableHeadLinkSize, page.tableHeadLinkWeight);
    FontSpec tableHeadHover = tableHead;
    tableHeadHover.underline = true;
    // The table samples stand in the cells the portal shows them in: the title row and the header row.
    addLine({{std::string(loadString(StringId::TableHeading)),
              fontOf(page.gridTitleFont, page.gridTitleSize, page.gridTitleWeight), page.gridTitleTextColor,
              page.gridTitleBackgroundColor},
             {std::string(loadString(StringId::TableSelected)), tableHead, page.tableHeadClickedColor,
              page.gridHeaderColor},
             {std::string(loadString(StringId::TableHover)), tableHeadHover, page.tableHeadLinkHoverColor,
              page.gridHeaderColor}});
    std::vector<Sample> highlighted = {{std::string(loadString(StringId::HighlightedLinks)),
                                        fontOf(page.mainLinkFont, page.mainLinkSize, page.mainLinkWeight),
                                        page.linkColor}};
    if (!m_layoutLabel.empty())
        highlighted.push_back({m_layoutLabel, normalFont(), s.textColor});
    addLine(std::move(highlighted));

    m_preferredSize = {right, y - kLineGap};
}

void CAppPageElement::PaintContent(PaintDevice &device, const Rect &client) const
{
    TextStateScope scope(device);
    beginText(device);
    // The controls paint themselves; the samples stay off them.
    if (isDefaultStartPage) {
        if (logoShown)
            device.excludeClipRect(logoRect(client.width));
        if (welcomeShown)
            device.excludeClipRect(welcomeRect(client.width));
    }
    for (const Piece &piece : m_pieces) {
        device.selectFont(piece.font);
        device.setTextColor(piece.color);
        if (piece.picture)
            drawPictureCentred(device, *piece.picture, piece.pictureX, piece.rect);
        if (!piece.fill) {
            device.drawText(piece.text, piece.rect, piece.placement);
            continue;
        }
        device.fillRect(piece.box, device.nearestColor(*piece.fill));
        const Color background = device.setBackgroundColor(*piece.fill);
        device.drawText(piece.text, piece.rect, piece.placement);
        device.setBackgroundColor(background);
    }
}

} // namespace kw::portalpage
