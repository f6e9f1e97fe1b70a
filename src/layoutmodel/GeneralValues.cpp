// Which region fills which fields of the General page.
#include "layoutmodel/GeneralValues.h"

#include "base/Values.h"

#include <array>

namespace kw::layout {

namespace {

struct RegionHandOver {
    RegionId region;
    GeneralHandOver handOver;
};

constexpr unsigned kMainText = TextColor | MainFont;

constexpr std::array<RegionHandOver, 8> kHandOvers = {{
    {RegionId::KwRootTop, {Background | kMainText | Favorites, true, false, false}},
    {RegionId::KwRootNavigate, {Background | kMainText | HoverSelected, false, false, false}},
    {RegionId::KwPics, {Background | TextColor, false, true, false}},
    {RegionId::KwNavigateHeader, {Background | kMainText, true, false, false}},
    {RegionId::KwNavigate,
     {Background | kMainText | HoverSelected | SubEntries | Favorites, false, false, true}},
    {RegionId::KwStartTop, {Background | kMainText, true, false, false}},
    {RegionId::KwStartNavigate, {Background | kMainText | HoverSelected, false, false, false}},
    {RegionId::KwApplication, {Background | kMainText | HoverSelected, true, false, false}},
}};

/// One text group of the page and the region fields behind it.
struct FontGroup {
    std::string RegionStyle::*family;
    int RegionStyle::*size;
    std::string RegionStyle::*weight;
    std::string GeneralValues::*pageFamily;
    int GeneralValues::*pageSize;
    int GeneralValues::*pageWeight;
};

constexpr FontGroup kMainFont = {&RegionStyle::fontFamily, &RegionStyle::fontSize,
                                 &RegionStyle::fontWeight, &GeneralValues::fontFamily,
                                 &GeneralValues::fontSize, &GeneralValues::fontWeightIndex};
constexpr FontGroup kSubFont = {&RegionStyle::subFontFamily, &RegionStyle::subFontSize,
                                &RegionStyle::subFontWeight, &GeneralValues::subFontFamily,
                                &GeneralValues::subFontSize, &GeneralValues::subFontWeightIndex};

/// Colours by group, region field and page field.
struct ColorField {
    unsigned group;
    Color RegionStyle::*region;
    Color GeneralValues::*page;
};

constexpr std::array<ColorField, 7> kColors = {{
    {Background, &RegionStyle::backgroundColor, &GeneralValues::backgroundColor},
    {TextColor, &RegionStyle::textColor, &GeneralValues::textColor},
    {HoverSelected, &RegionStyle::hoverColor, &GeneralValues::hoverColor},
    {HoverSelected, &RegionStyle::selectedColor, &GeneralValues::selectedColor},
    {SubEntries, &RegionStyle::subTextColor, &GeneralValues::subTextColor},
    {SubEntries, &RegionStyle::subHoverColor, &GeneralValues::subHoverColor},
    {SubEntries, &RegionStyle::subSelectedColor, &GeneralValues::subSelectedColor},
}};

struct TextField {
    std::string RegionStyle::*region;
    std::string GeneralValues::*page;
};

constexpr std::array<TextField, 3> kBackgroundTexts = {{
    {&RegionStyle::backgroundImage, &GeneralValues::backgroundImage},
    {&RegionStyle::backgroundRepeat, &GeneralValues::backgroundRepeat},
    {&RegionStyle::backgroundAttachment, &GeneralValues::backgroundAttachment},
}};

void fillFont(const RegionStyle &style, const FontGroup &group, GeneralValues &values)
{
    values.*group.pageFamily = style.*group.family;
    values.*group.pageSize = style.*group.size;
    values.*group.pageWeight = weightIndexFromText(style.*group.weight);
}

void storeFont(const GeneralValues &values, const FontGroup &group, RegionStyle &style)
{
    style.*group.family = values.*group.pageFamily;
    style.*group.size = values.*group.pageSize;
    if (values.*group.pageWeight >= 0)
        style.*group.weight = weightTextFromIndex(values.*group.pageWeight);
}

} // namespace

GeneralHandOver generalHandOver(RegionId region)
{
    for (const RegionHandOver &entry : kHandOvers)
        if (entry.region == region)
            return entry.handOver;
    return {};
}

GeneralValues generalValues(const LayoutModel &model, RegionId region, bool treeMenuShown)
{
    const GeneralHandOver handOver = generalHandOver(region);
    const RegionStyle &style = model.region(region);
    GeneralValues values;
    for (const ColorField &color : kColors)
        if (handOver.fields & color.group)
            values.*color.page = style.*color.region;
    if (handOver.fields & Background)
        for (const TextField &text : kBackgroundTexts)
            values.*text.page = style.*text.region;
    if (handOver.fields & MainFont)
        fillFont(style, kMainFont, values);
    if (handOver.fields & SubEntries)
        fillFont(style, kSubFont, values);
    if (handOver.fields & Favorites)
        values.showFavorites = style.showFavorites;
    values.singleColor = handOver.singleColor;
    values.noText = handOver.noText;
    values.treeMenu = handOver.treeMenu && treeMenuShown;
    return values;
}

bool storeGeneralValues(const GeneralValues &values, RegionId region, LayoutModel &model)
{
    const GeneralHandOver handOver = generalHandOver(region);
    RegionStyle &style = model.region(region);
    const RegionStyle before = style;
    for (const ColorField &color : kColors)
        if (handOver.fields & color.group)
            style.*color.region = values.*color.page;
    if (handOver.fields & Background)
        for (const TextField &text : kBackgroundTexts)
            style.*text.region = values.*text.page;
    if (handOver.fields & MainFont)
        storeFont(values, kMainFont, style);
    if (handOver.fields & SubEntries)
        storeFont(values, kSubFont, style);
    if (handOver.fields & Favorites)
        style.showFavorites = values.showFavorites;
    return !(style == before);
}

} // namespace kw::layout
