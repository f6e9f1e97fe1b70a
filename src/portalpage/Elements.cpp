// The page header, the menus, the submenu logo and heading, and the application title bar.
#include "portalpage/Elements.h"

#include "base/StringTable.h"
#include "server/ServerEnvironment.h"

#include <algorithm>

namespace kw::portalpage {

using layout::RegionId;
using namespace kw::server;

namespace {

constexpr int kBarHeight = 23; // page header, title bar and menus
constexpr int kMargin = 10;    // around entries, separators and the header's texts
constexpr std::string_view kSeparatorText = "|";

// The separator between menu entries: its picture's width, or that of "|" in the entries' font.
int separatorWidth(PaintDevice &device, const image::CLayoutImage *picture, const FontSpec &font)
{
    return picture ? picture->Width() : measureIn(device, font, kSeparatorText).width;
}

// Draws the separator after an entry whose text ends at `textEnd`: the picture, or "|" in the current
// font and colour, 10 pixels on. Returns where the next entry starts.
int drawSeparatorAfter(PaintDevice &device, const image::CLayoutImage *picture, int textEnd, int width,
                       int height)
{
    const int x = textEnd + kMargin;
    if (picture) {
        CPreviewElement::drawPictureCentred(device, *picture, x, {x, 0, width, height});
        return textEnd + 20 + width;
    }
    device.drawText(kSeparatorText, {x, 0, width, height}, TextPlacement::Left);
    return x + width + kMargin;
}

std::string joinNonEmpty(std::initializer_list<std::string> parts)
{
    std::string joined;
    for (const std::string &part : parts) {
        if (part.empty())
            continue;
        if (!joined.empty())
            joined += ' ';
        joined += part;
    }
    return joined;
}

} // namespace

// --- page header ---------------------------------------------------------------------------------

CPageHeaderElement::CPageHeaderElement(const layout::LayoutModel &model)
    : CPreviewElement(RegionId::KwRootTop, model)
{
}

void CPageHeaderElement::Create(ElementContext &context)
{
    ReadTexts(context);
    Rebuild(context);
}

void CPageHeaderElement::ReadTexts(ElementContext &context)
{
    leftText.clear();
    centerText.clear();
    rightText.clear();
    if (context.env.factory && context.env.session) {
        try {
            ISession &session = *context.env.session;
            std::string left;
            if (Ref<IPortal> portal = session.GetPortal())
                left = portal->GetPortalName();
            if (left.empty())
                left = session.GetSessionName();
            std::string center;
            if (Ref<IUser> user = session.GetCurrentUser())
                center = joinNonEmpty({user->UserNamePart1(), user->UserNamePart2(), user->UserNamePart3()});
            leftText = std::move(left);
            centerText = std::move(center);
        } catch (const ServerError &) {
            return; // the header shows no texts
        }
    }
    rightText = formatHeaderDate(context.date);
}

void CPageHeaderElement::Rebuild(ElementContext &context)
{
    CPreviewElement::Rebuild(context);
    PaintDevice &device = context.measure;
    m_left = measureIn(device, normalFont(), leftText);
    m_center = measureIn(device, normalFont(), centerText);
    m_right = measureIn(device, normalFont(), rightText);
    // The preferred width leaves room for a blank after each text.
    const int left = measureIn(device, normalFont(), leftText + ' ').width;
    const int center = measureIn(device, normalFont(), centerText + ' ').width;
    const int right = measureIn(device, normalFont(), rightText + ' ').width;
    m_preferredSize = {2 * std::max(left, right) + 20 + center, infoBarShown ? kBarHeight : 0};
}

void CPageHeaderElement::PaintContent(PaintDevice &device, const Rect &client) const
{
    TextStateScope scope(device);
    beginText(device);
    device.drawText(leftText, {kMargin, 0, m_left.width, client.height}, TextPlacement::Left);
    device.drawText(centerText, {(client.width - m_center.width) / 2, 0, m_center.width, client.height},
                    TextPlacement::Left);
    device.drawText(rightText, {client.width - kMargin - m_right.width, 0, m_right.width, client.height},
                    TextPlacement::Left);
}

// --- main menu -----------------------------------------------------------------------------------

CMainMenuElement::CMainMenuElement(const layout::LayoutModel &model)
    : CPreviewElement(RegionId::KwRootNavigate, model), selectedSample(loadString(StringId::SampleSelected)),
      hoverSample(loadString(StringId::SampleHover))
{
}

void CMainMenuElement::Create(ElementContext &context)
{
    // The entries are measured by the rebuild that follows.
    if (context.env.factory)
        LoadEntries(context);
    Rebuild(context);
}

bool CMainMenuElement::LoadEntries(ElementContext &context)
{
    entries.clear();
    try {
        if (!context.env.factory)
            throw ServerError(ServerError::NullPointer, "Es besteht keine Verbindung zum Portalserver.");
        Ref<INavigation> navigation = createObject<INavigation>(*context.env.factory);
        navigation->NavInit(context.env.session, 1);
        Ref<INavEntryCollection> items = navigation->NavEntries();
        if (!items)
            throw ServerError(ServerError::NullPointer, "Die Navigation hat keine Einträge geliefert.");
        const int count = items->NavItemCount();
        for (int index = 0; index < count; ++index) {
            const NavItemInfo info = items->NavItemInfoAt(index);
            if (info.type != 2)
                entries.push_back(info.name);
        }
    } catch (const ServerError &error) {
        context.prompter.showExtendedError(StringId::TopLevelNavigationNotLoaded, error);
        return false;
    }
    measure(context.measure);
    return true;
}

void CMainMenuElement::Rebuild(ElementContext &context)
{
    CPreviewElement::Rebuild(context);
    measure(context.measure);
}

void CMainMenuElement::measure(PaintDevice &device)
{
    m_entryWidths.clear();
    for (const std::string &entry : entries)
        m_entryWidths.push_back(measureIn(device, normalFont(), entry).width);
    m_separatorWidth = separatorWidth(device, separatorPicture(), normalFont());
    m_hoverWidth = measureIn(device, underlinedFont(), hoverSample).width;
    m_selectedWidth = measureIn(device, normalFont(), selectedSample).width;

    const int p = itemWidth();
    const int s = m_separatorWidth;
    int width = kMargin;
    for (std::size_t i = 0; i < m_entryWidths.size(); ++i) {
        width += kMargin + m_entryWidths[i] + p;
        if (i + 1 < m_entryWidths.size())
            width += kMargin + s;
    }
    width += 20 + m_hoverWidth + s;
    width += kMargin + m_selectedWidth + s;
    m_preferredSize = {width, kBarHeight};
}

void CMainMenuElement::PaintContent(PaintDevice &device, const Rect &client) const
{
    TextStateScope scope(device);
    beginText(device);
    const image::CLayoutImage *item = itemPicture();
    const image::CLayoutImage *separator = separatorPicture();
    const int p = itemWidth();
    const int s = m_separatorWidth;
    const int h = client.height;

    // Left: the entries with separators between them.
    int x = kMargin;
    for (std::size_t i = 0; i < entries.size() && i < m_entryWidths.size(); ++i) {
        const Rect text{x + p, 0, m_entryWidths[i], h};
        if (item)
            drawPictureCentred(device, *item, x, text);
        device.drawText(entries[i], text, TextPlacement::Left);
        if (i + 1 == entries.size())
            break;
        x = drawSeparatorAfter(device, separator, text.x + text.width, s, h);
    }

    // Right, from the right edge leftwards: the mouse-over sample, a separator, the selected sample.
    const Rect hover{client.width - kMargin - m_hoverWidth, 0, m_hoverWidth, h};
    device.selectFont(underlinedFont());
    device.setTextColor(style().hoverColor);
    device.drawText(hoverSample, hover, TextPlacement::Left);
    if (item)
        drawPictureCentred(device, *item, hover.x - p, hover);
    const Rect bar{hover.x - p - kMargin - s, 0, s, h};
    device.selectFont(normalFont());
    if (separator) {
        drawPictureCentred(device, *separator, bar.x, bar);
    } else {
        device.setTextColor(style().textColor);
        device.drawText(kSeparatorText, bar, TextPlacement::Left);
    }
    const Rect selected{bar.x - kMargin - m_selectedWidth, 0, m_selectedWidth, h};
    device.setTextColor(style().selectedColor);
    device.drawText(selectedSample, selected, TextPlacement::Left);
    if (item)
        drawPictureCentred(device, *item, selected.x - p, selected);
}

// --- submenu logo and heading --------------------------------------------------------------------

CSubmenuLogoElement::CSubmenuLogoElement(const layout::LayoutModel &model)
    : CPreviewElement(RegionId::KwPics, model)
{
}

CCaptionElement::CCaptionElement(RegionId region, const layout::LayoutModel &model, StringId text,
                                 TextPlacement placement)
    : CPreviewElement(region, model), caption(loadString(text)), m_placement(placement)
{
}

void CCaptionElement::PaintContent(PaintDevice &device, const Rect &client) const
{
    TextStateScope scope(device);
    beginText(device);
    device.drawText(caption, client, m_placement);
}

CSubmenuHeadingElement::CSubmenuHeadingElement(const layout::LayoutModel &model)
    : CCaptionElement(RegionId::KwNavigateHeader, model, StringId::Submenu, TextPlacement::Centered)
{
}

// --- submenu -------------------------------------------------------------------------------------

CSubmenuElement::CSubmenuElement(const layout::LayoutModel &model)
    : CPreviewElement(RegionId::KwNavigate, model), normalSample(loadString(StringId::SampleNormal)),
      selectedSample(loadString(StringId::SampleSelected)), hoverSample(loadString(StringId::SampleHover))
{
}

void CSubmenuElement::Rebuild(ElementContext &context)
{
    CPreviewElement::Rebuild(context);
    PaintDevice &device = context.measure;
    m_indent = measureIn(device, normalFont(), "  ").width;
    m_lines[0] = measureIn(device, normalFont(), normalSample);
    m_lines[1] = measureIn(device, normalFont(), selectedSample);
    m_lines[2] = measureIn(device, underlinedFont(), hoverSample);
}

void CSubmenuElement::PaintContent(PaintDevice &device, const Rect &) const
{
    TextStateScope scope(device);
    beginText(device);
    const image::CLayoutImage *item = itemPicture();
    const int p = itemWidth();
    const struct {
        const std::string &text;
        Color color;
        const FontSpec &font;
    } lines[3] = {{normalSample, style().textColor, normalFont()},
                  {selectedSample, style().selectedColor, normalFont()},
                  {hoverSample, style().hoverColor, underlinedFont()}};
    int top = 5;
    for (int i = 0; i < 3; ++i) {
        const Rect line{m_indent, top, m_lines[i].width, m_lines[i].height};
        if (item)
            drawPictureCentred(device, *item, line.x, line);
        device.selectFont(lines[i].font);
        device.setTextColor(lines[i].color);
        device.drawText(lines[i].text, {line.x + p, line.y, line.width, line.height}, TextPlacement::TopLeft);
        // One and a half lines plus the picture, the half pixel dropped.
        top += (3 * line.height) / 2 + itemHeight();
    }
}

// --- application title bar -----------------------------------------------------------------------

// The two leading blanks of the caption give the indent.
CAppTitleElement::CAppTitleElement(const layout::LayoutModel &model)
    : CCaptionElement(RegionId::KwStartTop, model, StringId::ApplicationTitle, TextPlacement::Left)
{
}

// --- application menu ----------------------------------------------------------------------------

CAppMenuElement::CAppMenuElement(const layout::LayoutModel &model)
    : CPreviewElement(RegionId::KwStartNavigate, model)
{
    for (StringId id : {StringId::AppMenuFavorites, StringId::AppMenuList, StringId::AppMenuSearch,
                        StringId::AppMenuSettings, StringId::AppMenuHelp})
        entries.emplace_back(loadString(id));
}

void CAppMenuElement::Rebuild(ElementContext &context)
{
    CPreviewElement::Rebuild(context);
    PaintDevice &device = context.measure;
    m_entryWidths.clear();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const bool last = i + 1 == entries.size();
        m_entryWidths.push_back(measureIn(device, last ? underlinedFont() : normalFont(), entries[i]).width);
    }
    m_separatorWidth = separatorWidth(device, separatorPicture(), normalFont());
}

void CAppMenuElement::PaintContent(PaintDevice &device, const Rect &client) const
{
    TextStateScope scope(device);
    beginText(device);
    const image::CLayoutImage *item = itemPicture();
    const image::CLayoutImage *separator = separatorPicture();
    const int p = itemWidth();
    const int s = m_separatorWidth;
    const int h = client.height;
    int x = kMargin;
    for (std::size_t i = 0; i < entries.size() && i < m_entryWidths.size(); ++i) {
        const bool first = i == 0;
        const bool last = i + 1 == entries.size();
        const Rect text{x + p, 0, m_entryWidths[i], h};
        if (item)
            drawPictureCentred(device, *item, x, text);
        device.selectFont(last ? underlinedFont() : normalFont());
        device.setTextColor(first ? style().selectedColor : last ? style().hoverColor : style().textColor);
        device.drawText(entries[i], text, TextPlacement::Left);
        if (last)
            break;
        if (!separator) {
            device.selectFont(normalFont());
            device.setTextColor(style().textColor);
        }
        x = drawSeparatorAfter(device, separator, text.x + text.width, s, h);
    }
}

} // namespace kw::portalpage
