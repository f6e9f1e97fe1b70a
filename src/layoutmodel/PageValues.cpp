// Model fields behind the values of the further property pages.
#include "layoutmodel/PageValues.h"

#include "base/Values.h"

namespace kw::layout {
namespace {

using P = PageStyle;
using R = RegionStyle;

int weightIndex(const std::string &weight)
{
    return weightIndexFromText(weight);
}

/// A weight index back into the model; no selection keeps the model's text.
void storeWeight(int index, std::string &weight)
{
    if (index >= 0)
        weight = weightTextFromIndex(index);
}

struct HeadingFields {
    Color P::*color;
    std::string P::*font;
    std::string P::*weight;
    int P::*size;
    std::string P::*bullet; // null for heading 3
};

constexpr std::array<HeadingFields, 3> kHeadingFields = {{
    {&P::heading1Color, &P::heading1Font, &P::heading1Weight, &P::heading1Size, &P::bulletBigPath},
    {&P::heading2Color, &P::heading2Font, &P::heading2Weight, &P::heading2Size, &P::bulletSmallPath},
    {&P::heading3Color, &P::heading3Font, &P::heading3Weight, &P::heading3Size, nullptr},
}};

/// What the font groups of the Tables and the Portal page stand for in the model.
struct GridFields {
    std::array<Color P::*, GridValues::kColorSlots> colors;
    std::string P::*titleFont;
    int P::*titleSize;
    std::string P::*titleWeight;
    std::string P::*secondFont;
    int P::*secondSize;
    std::string P::*secondWeight;
};

constexpr GridFields kTableFields = {
    {&P::tableHeadLinkColor, &P::tableHeadClickedColor, &P::tableHeadLinkHoverColor, &P::gridBorderColor,
     &P::gridTitleTextColor, &P::gridTitleBackgroundColor, &P::gridHeaderColor, &P::gridHeaderSplitColor,
     &P::firstRowColor, &P::secondRowColor, &P::gridTextColor},
    &P::gridTitleFont,
    &P::gridTitleSize,
    &P::gridTitleWeight,
    &P::tableHeadLinkFont,
    &P::tableHeadLinkSize,
    &P::tableHeadLinkWeight};

constexpr GridFields kPortalFields = {
    {&P::portletLinkColor, &P::portletHeaderClickedColor, &P::portletLinkHoverColor, &P::portletBorderColor,
     &P::portalTextColor, &P::portalBackgroundColor, &P::portletHeaderBackgroundColor,
     &P::portletFirstRowColor, &P::portletSecondRowColor, &P::portletHeaderTextColor, &P::portletTextColor},
    &P::portletTitleFontFamily,
    &P::portalFontSize,
    &P::portalFontWeight,
    &P::portalFontFamily,
    &P::portletHeaderSize,
    &P::portletHeaderWeight};

GridValues gridValues(const PageStyle &page, const GridFields &fields)
{
    GridValues values;
    for (int slot = 0; slot < GridValues::kColorSlots; ++slot)
        values.colors[static_cast<std::size_t>(slot)] = page.*fields.colors[static_cast<std::size_t>(slot)];
    values.titleFont = page.*fields.titleFont;
    values.titleSize = page.*fields.titleSize;
    values.titleWeight = weightIndex(page.*fields.titleWeight);
    values.secondFont = page.*fields.secondFont;
    values.secondSize = page.*fields.secondSize;
    values.secondWeight = weightIndex(page.*fields.secondWeight);
    return values;
}

void storeGridValues(const GridValues &values, const GridFields &fields, PageStyle &page)
{
    for (int slot = 0; slot < GridValues::kColorSlots; ++slot)
        page.*fields.colors[static_cast<std::size_t>(slot)] = values.colors[static_cast<std::size_t>(slot)];
    page.*fields.titleFont = values.titleFont;
    page.*fields.titleSize = values.titleSize;
    storeWeight(values.titleWeight, page.*fields.titleWeight);
    page.*fields.secondFont = values.secondFont;
    page.*fields.secondSize = values.secondSize;
    storeWeight(values.secondWeight, page.*fields.secondWeight);
}

constexpr std::array<Color P::*, EntryValues::kColorSlots> kEntryColorFields = {
    &P::entryBackgroundColor, &P::entryForegroundColor, &P::entrySelectionBackgroundColor,
    &P::entrySelectionForegroundColor, &P::entryBorderColor};

constexpr std::array<Color R::*, MenuSpecialValues::kColorSlots> kEffectColorFields = {
    &R::focusColor, &R::focusBorderColor, &R::clickColor, &R::clickBorderColor};

struct MenuSpecialPicture {
    std::string MenuSpecialValues::*value;
    std::string R::*field;
};

constexpr std::array<MenuSpecialPicture, 6> kMenuSpecialPictures = {{
    {&MenuSpecialValues::effectBorderStyle, &R::borderStyle},
    {&MenuSpecialValues::imageNormal, &R::buttonImageNormal},
    {&MenuSpecialValues::imageHover, &R::buttonImageMouse},
    {&MenuSpecialValues::imageSelected, &R::buttonImageSelect},
    {&MenuSpecialValues::linkImage, &R::itemImage},
    {&MenuSpecialValues::separatorImage, &R::separatorImage},
}};

constexpr std::array<std::string R::*, 4> kTreeMenuImageFields = {&R::closeLeafsImage, &R::openLeafImage,
                                                                  &R::closedLeafImage, &R::loginButtonImage};

using G = GlobalSearchValues;
using S = PaneSwitches;

constexpr std::array<std::pair<bool G::*, bool S::*>, 5> kGlobalSearchSwitches = {{
    {&G::enableGlobalSearch, &S::enableGlobalSearch},
    {&G::searchEmployees, &S::enableEmplSearch},
    {&G::searchEmployeesAnonymous, &S::enableEmplSearchAno},
    {&G::searchApplications, &S::enableAppSearch},
    {&G::searchApplicationsAnonymous, &S::enableAppSearchAno},
}};

} // namespace

HeadingValues headingValues(const PageStyle &page)
{
    HeadingValues values;
    for (std::size_t level = 0; level < kHeadingFields.size(); ++level) {
        const HeadingFields &fields = kHeadingFields[level];
        HeadingLevel &heading = values.levels[level];
        heading.color = page.*fields.color;
        heading.font = page.*fields.font;
        heading.weight = weightIndex(page.*fields.weight);
        heading.size = page.*fields.size;
        if (fields.bullet)
            heading.bullet = page.*fields.bullet;
    }
    return values;
}

void storeHeadingValues(const HeadingValues &values, PageStyle &page)
{
    for (std::size_t level = 0; level < kHeadingFields.size(); ++level) {
        const HeadingFields &fields = kHeadingFields[level];
        const HeadingLevel &heading = values.levels[level];
        page.*fields.color = heading.color;
        page.*fields.font = heading.font;
        storeWeight(heading.weight, page.*fields.weight);
        page.*fields.size = heading.size;
        if (fields.bullet)
            page.*fields.bullet = heading.bullet;
    }
}

LinkValues linkValues(const PageStyle &page)
{
    return {page.linkColor, page.linkHoverColor, page.mainLinkFont, weightIndex(page.mainLinkWeight),
            page.mainLinkSize};
}

void storeLinkValues(const LinkValues &values, PageStyle &page)
{
    page.linkColor = values.linkColor;
    page.linkHoverColor = values.linkHoverColor;
    page.mainLinkFont = values.emphasisFont;
    storeWeight(values.emphasisWeight, page.mainLinkWeight);
    page.mainLinkSize = values.emphasisSize;
}

GridValues tableValues(const PageStyle &page)
{
    GridValues values = gridValues(page, kTableFields);
    values.borderWidth = page.gridBorderWidth;
    return values;
}

void storeTableValues(const GridValues &values, PageStyle &page)
{
    storeGridValues(values, kTableFields, page);
    page.gridBorderWidth = values.borderWidth;
}

GridValues portalValues(const PageStyle &page)
{
    GridValues values = gridValues(page, kPortalFields);
    values.showShadow = page.showPortletShadow;
    return values;
}

void storePortalValues(const GridValues &values, PageStyle &page)
{
    storeGridValues(values, kPortalFields, page);
    page.showPortletShadow = values.showShadow;
}

EntryValues entryValues(const PageStyle &page)
{
    EntryValues values;
    for (std::size_t slot = 0; slot < kEntryColorFields.size(); ++slot)
        values.colors[slot] = page.*kEntryColorFields[slot];
    values.borderWidth = page.entryBorderWidth;
    values.borderStyle = page.entryBorderStyle;
    values.requiredImage = page.requiredImage;
    return values;
}

void storeEntryValues(const EntryValues &values, PageStyle &page)
{
    for (std::size_t slot = 0; slot < kEntryColorFields.size(); ++slot)
        page.*kEntryColorFields[slot] = values.colors[slot];
    page.entryBorderWidth = values.borderWidth;
    page.entryBorderStyle = values.borderStyle;
    page.requiredImage = values.requiredImage;
}

MenuSpecialValues menuSpecialValues(const RegionStyle &region)
{
    MenuSpecialValues values;
    values.buttonEffects = region.showButtonEffect;
    for (std::size_t slot = 0; slot < kEffectColorFields.size(); ++slot)
        values.effectColors[slot] = region.*kEffectColorFields[slot];
    for (const MenuSpecialPicture &picture : kMenuSpecialPictures)
        values.*picture.value = region.*picture.field;
    return values;
}

void storeMenuSpecialValues(const MenuSpecialValues &values, RegionStyle &region)
{
    region.showButtonEffect = values.buttonEffects;
    for (std::size_t slot = 0; slot < kEffectColorFields.size(); ++slot)
        region.*kEffectColorFields[slot] = values.effectColors[slot];
    for (const MenuSpecialPicture &picture : kMenuSpecialPictures)
        region.*picture.field = values.*picture.value;
}

TreeMenuValues treeMenuValues(const RegionStyle &region)
{
    TreeMenuValues values;
    for (std::size_t i = 0; i < kTreeMenuImageFields.size(); ++i)
        values.images[i] = region.*kTreeMenuImageFields[i];
    return values;
}

void storeTreeMenuValues(const TreeMenuValues &values, RegionStyle &region)
{
    for (std::size_t i = 0; i < kTreeMenuImageFields.size(); ++i)
        region.*kTreeMenuImageFields[i] = values.images[i];
}

GlobalSearchValues globalSearchValues(const PaneSwitches &switches)
{
    GlobalSearchValues values;
    for (const auto &[value, field] : kGlobalSearchSwitches)
        values.*value = switches.*field;
    return values;
}

bool storeGlobalSearchValues(const GlobalSearchValues &values, const PaneSwitches &reference,
                             LayoutModel &model)
{
    if (values == globalSearchValues(reference))
        return false;
    for (const auto &[value, field] : kGlobalSearchSwitches)
        model.setSwitch(field, values.*value);
    return true;
}

} // namespace kw::layout
