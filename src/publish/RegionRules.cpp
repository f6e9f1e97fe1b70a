#include "publish/RegionRules.h"

#include "publish/CssValues.h"

namespace kw::publish {

using layout::RegionId;
using layout::RegionStyle;

void writePageFont(CCssElement &element, const RegionStyle &page)
{
    setColor(element, "COLOR", page.textColor);
    element.SetProperty("FONT-FAMILY", page.fontFamily);
    setPx(element, "FONT-SIZE", page.fontSize);
    element.SetProperty("FONT-WEIGHT", page.fontWeight);
}

void writeRegionText(CCssElement &td, std::string_view name, const RegionStyle &region)
{
    CCssElement &rule = addClass(td, std::string(name));
    writePageFont(rule, region);
    const std::pair<std::string_view, const std::string *> keywords[] = {
        {"TEXT-ALIGN", &region.textAlign},
        {"TEXT-DECORATION", &region.textDecoration},
        {"VERTICAL-ALIGN", &region.verticalAlign},
        {"WHITE-SPACE", &region.whiteSpace}};
    for (const auto &[property, value] : keywords)
        if (!value->empty())
            rule.SetProperty(property, *value);
}

std::string entryBorder(const layout::PageStyle &page)
{
    return formatColor(page.entryBorderColor) + " " + formatPx(page.entryBorderWidth) + " " +
           page.entryBorderStyle;
}

namespace {

CCssElement *findChild(CCssElement &root, std::string_view name)
{
    return root.FindChild(name);
}

CCssElement &findOrAppendTag(CCssElement &root, std::string_view name)
{
    if (CCssElement *existing = findChild(root, name))
        return *existing;
    return addTag(root, std::string(name));
}

// Rules A (with width) and D (without): the bar fills its table cell and centres its text.
void addBarRules(CCssElement &root, std::string_view name, bool withWidth)
{
    if (CCssElement *table = findChild(root, "TABLE")) {
        CCssElement &rule = addClass(*table, std::string(name));
        rule.SetProperty("HEIGHT", "100%");
        if (withWidth)
            rule.SetProperty("WIDTH", "100%");
        rule.SetProperty("VERTICAL-ALIGN", "middle");
    }
    addClass(findOrAppendTag(root, "TR"), std::string(name)).SetProperty("VERTICAL-ALIGN", "middle");
}

// Rule B: the submenu heading's own style as TH > KwNavigate.
void addHeadingRule(CCssElement &root, const RegionStyle &heading)
{
    CCssElement &rule = addClass(findOrAppendTag(root, "TH"), "KwNavigate");
    setColor(rule, "BACKGROUND-COLOR", heading.backgroundColor);
    if (heading.backgroundImage.empty()) {
        rule.SetProperty("BACKGROUND-IMAGE", "none");
    } else {
        rule.SetProperty("BACKGROUND-IMAGE", pictureUrl(heading.backgroundImage));
        rule.SetProperty("BACKGROUND-ATTACHMENT", heading.backgroundAttachment);
        rule.SetProperty("BACKGROUND-REPEAT", heading.backgroundRepeat);
    }
    writePageFont(rule, heading);
    rule.SetProperty("TEXT-ALIGN", "center");
    rule.SetProperty("TEXT-DECORATION", "none");
    rule.SetProperty("WHITE-SPACE", "nowrap");
}

} // namespace

void addRegionContributions(CCssElement &root, const layout::LayoutModel &model,
                            const std::function<void()> &companySettings)
{
    if (companySettings)
        companySettings();
    for (RegionId id : layout::kAllRegions) {
        const std::string_view name = layout::regionName(id);
        switch (id) {
        case RegionId::KwRootTop:
        case RegionId::KwRootNavigate:
        case RegionId::KwStartTop:
            addBarRules(root, name, true);
            break;
        case RegionId::KwStartNavigate:
            addBarRules(root, name, false);
            break;
        case RegionId::KwNavigate:
            if (CCssElement *table = findChild(root, "TABLE"))
                addClass(*table, "KwNavigate");
            break;
        case RegionId::KwNavigateHeader:
            addHeadingRule(root, model.region(id));
            break;
        case RegionId::KwPics:
        case RegionId::KwApplication:
            break;
        }
    }
}

} // namespace kw::publish
