#include "publish/MenuStylesheet.h"

#include "publish/CssValues.h"
#include "publish/RegionRules.h"

namespace kw::publish {

using layout::RegionId;
using layout::RegionStyle;

namespace {

constexpr RegionId kMenuRegions[] = {RegionId::KwRootNavigate, RegionId::KwNavigate,
                                     RegionId::KwStartNavigate, RegionId::KwRootTop, RegionId::KwStartTop};

bool inMenuList(RegionId id)
{
    for (RegionId menu : kMenuRegions)
        if (menu == id)
            return true;
    return false;
}

struct LinkStyle {
    Color color, hoverColor;
    const std::string &family;
    int size;
    const std::string &weight;
};

void writeLinkPseudo(CCssElement &parent, std::string name, Color color, const LinkStyle &style,
                     std::string_view decoration)
{
    CCssElement &pseudo = addPseudo(parent, std::move(name));
    setColor(pseudo, "COLOR", color);
    pseudo.SetProperty("FONT-FAMILY", style.family);
    setPx(pseudo, "FONT-SIZE", style.size);
    pseudo.SetProperty("FONT-WEIGHT", style.weight);
    pseudo.SetProperty("TEXT-DECORATION", decoration);
}

} // namespace

void buildMenuTree(const layout::LayoutModel &model, bool entryStyleFromCss, CCssElement &root,
                   const std::function<void()> &companySettings)
{
    std::vector<RegionId> regions;
    for (RegionId id : layout::kAllRegions)
        if (inMenuList(id) && model.region(id).useBackgroundImage)
            regions.push_back(id);

    CCssElement &body = addTag(root, "BODY");
    for (RegionId id : regions) {
        const RegionStyle &r = model.region(id);
        CCssElement &rule = addClass(body, std::string(layout::regionName(id)));
        setColor(rule, "BACKGROUND-COLOR", r.backgroundColor);
        setBackgroundPicture(rule, r.backgroundImage, r.backgroundAttachment, r.backgroundRepeat);
        rule.SetProperty("BORDER", "none");
    }

    CCssElement &td = addTag(root, "TD");
    writePageFont(td, model.pageRegion());
    td.SetProperty("TEXT-ALIGN", "left");
    for (RegionId id : regions)
        if (id != RegionId::KwPics)
            writeRegionText(td, layout::regionName(id), model.region(id));

    CCssElement &a = addTag(root, "A");
    for (RegionId id : regions) {
        const RegionStyle &r = model.region(id);
        const std::string_view hoverDecoration = r.showButtonEffect ? "none" : "underline";
        const Color hover = layout::isMenuRegion(id) ? r.hoverColor : r.textColor;
        const LinkStyle main{r.textColor, hover, r.fontFamily, r.fontSize, r.fontWeight};
        CCssElement &rule = addClass(a, std::string(layout::regionName(id)));
        writeLinkPseudo(rule, "active", rgb(0xFF, 0, 0), main, "none");
        writeLinkPseudo(rule, "link", main.color, main, "none");
        writeLinkPseudo(rule, "visited", main.color, main, "none");
        writeLinkPseudo(rule, "hover", main.hoverColor, main, hoverDecoration);
        if (equalsIgnoringCase(layout::regionName(id), "kwnavigate")) {
            const LinkStyle sub{r.subTextColor, r.subHoverColor, r.subFontFamily, r.subFontSize,
                                r.subFontWeight};
            CCssElement &subRule = addClass(a, "KwNavigateSub");
            writeLinkPseudo(subRule, "link", sub.color, sub, "none");
            writeLinkPseudo(subRule, "visited", sub.color, sub, "none");
            writeLinkPseudo(subRule, "hover", sub.hoverColor, sub, hoverDecoration);
        }
    }

    CCssElement &input = addTag(root, "INPUT");
    if (entryStyleFromCss) {
        const layout::PageStyle &page = model.page();
        setColor(input, "COLOR", page.entryForegroundColor);
        setColor(input, "BACKGROUND-COLOR", page.entryBackgroundColor);
        input.SetProperty("BORDER", entryBorder(page));
        input.SetProperty("FONT-FAMILY", model.pageRegion().fontFamily);
    }

    // The regions' rules need the top-level TABLE, TR and TH of the layout file, which this tree does
    // not have; only the start page's content region takes part, publishing changed company settings.
    if (companySettings)
        companySettings();
}

} // namespace kw::publish
