#include "layoutmodel/LayoutModel.h"

#include "base/StringTable.h"

#include <cassert>

namespace kw::layout {

namespace {

constexpr std::array<std::string_view, 8> kRegionNames = {"KwRootTop",        "KwRootNavigate", "KwPics",
                                                          "KwNavigateHeader", "KwNavigate",     "KwStartTop",
                                                          "KwStartNavigate",  "KwApplication"};

constexpr FieldRole Picture = FieldRole::Picture;

using R = RegionStyle;
const Field<R> kRegionFields[] = {
    {"backgroundColor", &R::backgroundColor},
    {"textColor", &R::textColor},
    {"hoverColor", &R::hoverColor},
    {"selectedColor", &R::selectedColor},
    {"subTextColor", &R::subTextColor},
    {"subHoverColor", &R::subHoverColor},
    {"subSelectedColor", &R::subSelectedColor},
    {"fontFamily", &R::fontFamily},
    {"fontWeight", &R::fontWeight},
    {"fontSize", &R::fontSize},
    {"subFontFamily", &R::subFontFamily},
    {"subFontWeight", &R::subFontWeight},
    {"subFontSize", &R::subFontSize},
    {"backgroundRepeat", &R::backgroundRepeat},
    {"backgroundAttachment", &R::backgroundAttachment},
    {"backgroundImage", &R::backgroundImage, Picture},
    {"textAlign", &R::textAlign},
    {"textDecoration", &R::textDecoration},
    {"verticalAlign", &R::verticalAlign},
    {"whiteSpace", &R::whiteSpace},
    {"useBackgroundImage", &R::useBackgroundImage},
    {"showButtonEffect", &R::showButtonEffect},
    {"focusBorderColor", &R::focusBorderColor},
    {"focusColor", &R::focusColor},
    {"clickBorderColor", &R::clickBorderColor},
    {"clickColor", &R::clickColor},
    {"itemImage", &R::itemImage, Picture},
    {"separatorImage", &R::separatorImage, Picture},
    {"buttonImageNormal", &R::buttonImageNormal, Picture},
    {"buttonImageMouse", &R::buttonImageMouse, Picture},
    {"buttonImageSelect", &R::buttonImageSelect, Picture},
    {"closeLeafsImage", &R::closeLeafsImage, Picture},
    {"openLeafImage", &R::openLeafImage, Picture},
    {"closedLeafImage", &R::closedLeafImage, Picture},
    {"loginButtonImage", &R::loginButtonImage, Picture},
    {"borderStyle", &R::borderStyle},
    {"showFavorites", &R::showFavorites},
};

using P = PageStyle;
const Field<P> kPageFields[] = {
    {"portalFontFamily", &P::portalFontFamily},
    {"portletTitleFontFamily", &P::portletTitleFontFamily},
    {"portalFontWeight", &P::portalFontWeight},
    {"portalTextColor", &P::portalTextColor},
    {"portalBackgroundColor", &P::portalBackgroundColor},
    {"portalFontSize", &P::portalFontSize},
    {"linkColor", &P::linkColor},
    {"linkHoverColor", &P::linkHoverColor},
    {"heading1Color", &P::heading1Color},
    {"heading2Color", &P::heading2Color},
    {"heading3Color", &P::heading3Color},
    {"heading1Font", &P::heading1Font},
    {"heading2Font", &P::heading2Font},
    {"heading3Font", &P::heading3Font},
    {"heading1Size", &P::heading1Size},
    {"heading2Size", &P::heading2Size},
    {"heading3Size", &P::heading3Size},
    {"heading1Weight", &P::heading1Weight},
    {"heading2Weight", &P::heading2Weight},
    {"heading3Weight", &P::heading3Weight},
    {"bulletBigPath", &P::bulletBigPath, Picture},
    {"bulletSmallPath", &P::bulletSmallPath, Picture},
    {"tableHeadLinkColor", &P::tableHeadLinkColor},
    {"tableHeadLinkHoverColor", &P::tableHeadLinkHoverColor},
    {"tableHeadClickedColor", &P::tableHeadClickedColor},
    {"tableHeadLinkFont", &P::tableHeadLinkFont},
    {"gridTitleFont", &P::gridTitleFont},
    {"tableHeadLinkSize", &P::tableHeadLinkSize},
    {"tableHeadLinkWeight", &P::tableHeadLinkWeight},
    {"gridTitleWeight", &P::gridTitleWeight},
    {"gridTitleSize", &P::gridTitleSize},
    {"gridBorderWidth", &P::gridBorderWidth},
    {"gridBorderColor", &P::gridBorderColor},
    {"gridHeaderColor", &P::gridHeaderColor},
    {"gridHeaderSplitColor", &P::gridHeaderSplitColor},
    {"gridTitleBackgroundColor", &P::gridTitleBackgroundColor},
    {"gridTitleTextColor", &P::gridTitleTextColor},
    {"firstRowColor", &P::firstRowColor},
    {"secondRowColor", &P::secondRowColor},
    {"gridTextColor", &P::gridTextColor},
    {"portletLinkColor", &P::portletLinkColor},
    {"portletHeaderClickedColor", &P::portletHeaderClickedColor},
    {"portletLinkHoverColor", &P::portletLinkHoverColor},
    {"portletHeaderSize", &P::portletHeaderSize},
    {"portletHeaderWeight", &P::portletHeaderWeight},
    {"portletBorderColor", &P::portletBorderColor},
    {"portletHeaderBackgroundColor", &P::portletHeaderBackgroundColor},
    {"portletFirstRowColor", &P::portletFirstRowColor},
    {"portletSecondRowColor", &P::portletSecondRowColor},
    {"portletHeaderTextColor", &P::portletHeaderTextColor},
    {"portletTextColor", &P::portletTextColor},
    {"showPortletShadow", &P::showPortletShadow},
    {"mainLinkFont", &P::mainLinkFont},
    {"mainLinkSize", &P::mainLinkSize},
    {"mainLinkWeight", &P::mainLinkWeight},
    {"entryBackgroundColor", &P::entryBackgroundColor},
    {"entryForegroundColor", &P::entryForegroundColor},
    {"entrySelectionBackgroundColor", &P::entrySelectionBackgroundColor},
    {"entrySelectionForegroundColor", &P::entrySelectionForegroundColor},
    {"entryBorderColor", &P::entryBorderColor},
    {"entryBorderStyle", &P::entryBorderStyle},
    {"entryBorderWidth", &P::entryBorderWidth},
    {"requiredImage", &P::requiredImage, Picture},
};

using S = PaneSwitches;
const Field<S> kSwitchFields[] = {
    {"showLogo", &S::showLogo},
    {"showWelcome", &S::showWelcome},
    {"showInfoBar", &S::showInfoBar},
    {"enableGlobalSearch", &S::enableGlobalSearch},
    {"enableEmplSearch", &S::enableEmplSearch},
    {"enableEmplSearchAno", &S::enableEmplSearchAno},
    {"enableAppSearch", &S::enableAppSearch},
    {"enableAppSearchAno", &S::enableAppSearchAno},
    {"showAppInfoBar", &S::showAppInfoBar},
    {"showPicture", &S::showPicture},
    {"useTreeMenu", &S::useTreeMenu},
    {"menuRight", &S::menuRight},
};

// Defaults as text, applied through the field tables.
struct Default {
    std::string_view field;
    std::string_view value;
};

constexpr Default kRecordDefaults[] = {
    {"backgroundColor", "#88C0B8"},
    {"textColor", "#000000"},
    {"hoverColor", "#FFFF00"},
    {"selectedColor", "#CCCCFF"},
    {"fontFamily", "Verdana"},
    {"fontWeight", "700"},
    {"fontSize", "11"},
    {"subFontFamily", "Verdana"},
    {"subFontWeight", "700"},
    {"subFontSize", "11"},
    {"useBackgroundImage", "true"},
};

constexpr Default kMenuEffectDefaults[] = {
    {"showButtonEffect", "false"},   {"focusBorderColor", "#888888"}, {"focusColor", "#888888"},
    {"clickBorderColor", "#888888"}, {"clickColor", "#888888"},
};

constexpr Default kRootTopDefaults[] = {{"backgroundColor", "#489088"},
                                        {"textColor", "#FFFFFF"},
                                        {"textAlign", "center"},
                                        {"verticalAlign", "middle"},
                                        {"whiteSpace", "nowrap"}};
constexpr Default kRootNavigateDefaults[] = {
    {"hoverColor", "#CCCCFF"},        {"selectedColor", "#FFFF00"}, {"textDecoration", "none"},
    {"verticalAlign", "middle"},      {"whiteSpace", "nowrap"},     {"backgroundRepeat", "no-repeat"},
    {"backgroundAttachment", "fixed"}};
constexpr Default kPicsDefaults[] = {{"backgroundColor", "#000000"},
                                     {"textColor", "#FFFFFF"},
                                     {"backgroundRepeat", "no-repeat"},
                                     {"backgroundAttachment", "scroll"}};
constexpr Default kNavigateHeaderDefaults[] = {{"backgroundColor", "#489088"}, {"textColor", "#FFFFFF"}};
constexpr Default kNavigateDefaults[] = {{"subTextColor", "#000000"}};
constexpr Default kStartTopDefaults[] = {{"backgroundColor", "#489088"},
                                         {"fontSize", "17"},
                                         {"verticalAlign", "middle"},
                                         {"whiteSpace", "nowrap"}};
constexpr Default kStartNavigateDefaults[] = {{"textColor", "#FFFFFF"},     {"hoverColor", "#CCCCFF"},
                                              {"selectedColor", "#FFFF00"}, {"textDecoration", "none"},
                                              {"verticalAlign", "middle"},  {"whiteSpace", "nowrap"}};
constexpr Default kApplicationDefaults[] = {{"backgroundColor", "#FFFFFF"}, {"useBackgroundImage", "false"}};

constexpr Default kPageDefaults[] = {
    {"portletTitleFontFamily", "Verdana"},
    {"portalFontWeight", "700"},
    {"portalTextColor", "#000000"},
    {"portalBackgroundColor", "#489088"},
    {"portalFontSize", "13"},
    {"linkColor", "#489088"},
    {"linkHoverColor", "#000066"},
    {"heading1Color", "#666666"},
    {"heading2Color", "#666666"},
    {"heading3Color", "#666666"},
    {"heading1Font", "Verdana"},
    {"heading2Font", "Verdana"},
    {"heading3Font", "Verdana"},
    {"heading1Size", "19"},
    {"heading2Size", "17"},
    {"heading3Size", "13"},
    {"heading1Weight", "700"},
    {"heading2Weight", "700"},
    {"heading3Weight", "700"},
    {"tableHeadLinkColor", "#489088"},
    {"tableHeadLinkHoverColor", "#88C0B8"},
    {"tableHeadClickedColor", "#FF9900"},
    {"gridTitleFont", "Verdana"},
    {"tableHeadLinkSize", "12"},
    {"tableHeadLinkWeight", "700"},
    {"gridTitleWeight", "900"},
    {"gridTitleSize", "12"},
    {"gridBorderWidth", "2"},
    {"gridBorderColor", "#404040"},
    {"gridHeaderColor", "#DDFFDD"},
    {"gridHeaderSplitColor", "#5C5C5C"},
    {"gridTitleBackgroundColor", "#909090"},
    {"gridTitleTextColor", "#000000"},
    {"firstRowColor", "#EEEEEE"},
    {"secondRowColor", "#AAAAAA"},
    {"gridTextColor", "#000000"},
    {"portletLinkColor", "#489088"},
    {"portletHeaderClickedColor", "#FF9900"},
    {"portletLinkHoverColor", "#88C0B8"},
    {"portletHeaderSize", "12"},
    {"portletHeaderWeight", "700"},
    {"portletBorderColor", "#404040"},
    {"portletHeaderBackgroundColor", "#909090"},
    {"portletFirstRowColor", "#EEEEEE"},
    {"portletSecondRowColor", "#AAAAAA"},
    {"portletHeaderTextColor", "#000000"},
    {"portletTextColor", "#000000"},
    {"showPortletShadow", "false"},
    {"mainLinkFont", "Verdana"},
    {"mainLinkSize", "11"},
    {"mainLinkWeight", "400"},
    {"entryBackgroundColor", "#489088"},
    {"entryForegroundColor", "#000000"},
    {"entrySelectionBackgroundColor", "#489088"},
    {"entrySelectionForegroundColor", "#000000"},
    {"entryBorderColor", "#FF9900"},
    {"entryBorderStyle", "solid"},
    {"entryBorderWidth", "1"},
};

std::span<const Default> regionOwnDefaults(RegionId id)
{
    switch (id) {
    case RegionId::KwRootTop:
        return kRootTopDefaults;
    case RegionId::KwRootNavigate:
        return kRootNavigateDefaults;
    case RegionId::KwPics:
        return kPicsDefaults;
    case RegionId::KwNavigateHeader:
        return kNavigateHeaderDefaults;
    case RegionId::KwNavigate:
        return kNavigateDefaults;
    case RegionId::KwStartTop:
        return kStartTopDefaults;
    case RegionId::KwStartNavigate:
        return kStartNavigateDefaults;
    case RegionId::KwApplication:
        return kApplicationDefaults;
    }
    return {};
}

template <class Record>
void applyDefaults(Record &record, std::span<const Field<Record>> table, std::span<const Default> defaults)
{
    for (const Default &d : defaults) {
        const Field<Record> *field = findField(table, d.field);
        assert(field && "default for an unknown field");
        [[maybe_unused]] const bool ok = setFieldText(record, *field, d.value);
        assert(ok && "default that does not fit its field");
    }
}

} // namespace

std::string_view regionName(RegionId id)
{
    return kRegionNames[static_cast<std::size_t>(id)];
}

std::optional<RegionId> regionByName(std::string_view name)
{
    for (RegionId id : kAllRegions)
        if (regionName(id) == name)
            return id;
    return std::nullopt;
}

std::span<const Field<RegionStyle>> regionFields()
{
    return kRegionFields;
}
std::span<const Field<PageStyle>> pageFields()
{
    return kPageFields;
}
std::span<const Field<PaneSwitches>> switchFields()
{
    return kSwitchFields;
}
void giveNewLayoutPictures(LayoutModel &model)
{
    model.region(RegionId::KwPics).backgroundImage = std::string(defaultCornerImage());
}

std::string_view defaultCornerImage()
{
    return loadString(StringId::CornerImageFileName);
}

LayoutModel::LayoutModel() : LayoutModel(defaults()) {}

LayoutModel::LayoutModel(ParseDefaults)
{
    for (RegionId id : kAllRegions) {
        RegionStyle &record = region(id);
        applyDefaults(record, regionFields(), kRecordDefaults);
        if (isMenuRegion(id))
            applyDefaults(record, regionFields(), kMenuEffectDefaults);
        applyDefaults(record, regionFields(), regionOwnDefaults(id));
    }
    applyDefaults(m_page, pageFields(), kPageDefaults);
}

const LayoutModel &LayoutModel::defaults()
{
    static const LayoutModel model{ParseDefaults{}};
    return model;
}

void LayoutModel::resetRegion(RegionId id)
{
    region(id) = defaults().region(id);
    if (id == RegionId::KwApplication)
        m_page = defaults().m_page;
}

void LayoutModel::resetRegions()
{
    for (RegionId id : kAllRegions)
        resetRegion(id);
}

void LayoutModel::setSwitch(bool PaneSwitches::*field, bool value)
{
    for (PaneSwitches &s : m_switches)
        s.*field = value;
}

void LayoutModel::setPageTextColor(Color color)
{
    pageRegion().textColor = color;
    m_page.linkColor = m_page.linkHoverColor = color;
    m_page.heading1Color = m_page.heading2Color = m_page.heading3Color = color;
    m_page.tableHeadLinkColor = color;
}

void LayoutModel::setPageFontFamily(const std::string &family)
{
    pageRegion().fontFamily = family;
    m_page.heading1Font = m_page.heading2Font = m_page.heading3Font = family;
    m_page.tableHeadLinkFont = family;
    m_page.gridTitleFont = family;
}

void LayoutModel::setPageFontSize(int size)
{
    pageRegion().fontSize = size;
    m_page.heading1Size = m_page.heading2Size = m_page.heading3Size = size;
    m_page.tableHeadLinkSize = size;
}

void LayoutModel::setPageFontWeight(const std::string &weight)
{
    pageRegion().fontWeight = weight;
    m_page.heading1Weight = m_page.heading2Weight = m_page.heading3Weight = weight;
    m_page.tableHeadLinkWeight = weight;
}

} // namespace kw::layout
