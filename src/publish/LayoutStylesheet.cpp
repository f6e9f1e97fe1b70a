#include "publish/LayoutStylesheet.h"

#include "base/Values.h"
#include "publish/ButtonStylesheet.h"
#include "publish/CssValues.h"
#include "publish/RegionRules.h"
#include "publish/SettingsScripts.h"

namespace kw::publish {

using layout::LayoutModel;
using layout::PageStyle;
using layout::RegionId;
using layout::RegionStyle;

namespace {

constexpr Color kActiveLinkColor = rgb(0xFF, 0, 0);

std::vector<RegionId> regionsWithOwnBackground(const LayoutModel &model)
{
    std::vector<RegionId> regions;
    for (RegionId id : layout::kAllRegions)
        if (model.region(id).useBackgroundImage)
            regions.push_back(id);
    return regions;
}

void setPadding(CCssElement &e, std::string_view bottomTop, std::string_view rightLeft)
{
    e.SetProperty("PADDING-BOTTOM", bottomTop);
    e.SetProperty("PADDING-TOP", bottomTop);
    e.SetProperty("PADDING-RIGHT", rightLeft);
    e.SetProperty("PADDING-LEFT", rightLeft);
}

void setFont(CCssElement &e, const std::string &family, int size, const std::string &weight)
{
    e.SetProperty("FONT-FAMILY", family);
    setPx(e, "FONT-SIZE", size);
    e.SetProperty("FONT-WEIGHT", weight);
}

// A pseudo-class with a colour, optional fonts and a decoration.
struct Font {
    const std::string *family = nullptr;
    int size = 0;
    const std::string *weight = nullptr; // null: no weight written
};
void addLinkState(CCssElement &parent, std::string name, Color color, const Font *font,
                  std::string_view decoration)
{
    CCssElement &pseudo = addPseudo(parent, std::move(name));
    setColor(pseudo, "COLOR", color);
    if (font) {
        pseudo.SetProperty("FONT-FAMILY", *font->family);
        setPx(pseudo, "FONT-SIZE", font->size);
        if (font->weight)
            pseudo.SetProperty("FONT-WEIGHT", *font->weight);
    }
    pseudo.SetProperty("TEXT-DECORATION", decoration);
}

// active, link, visited, hover of one link kind.
void addLinkStates(CCssElement &parent, Color link, Color hover, const Font *font,
                   std::string_view activeDecoration, std::string_view hoverDecoration)
{
    addLinkState(parent, "active", kActiveLinkColor, font, activeDecoration);
    addLinkState(parent, "link", link, font, "none");
    addLinkState(parent, "visited", link, font, "none");
    addLinkState(parent, "hover", hover, font, hoverDecoration);
}

// The portlet header's style, the same under TD and TR.
void writePortletHeader(CCssElement &parent, const PageStyle &page)
{
    CCssElement &header = addClass(parent, "KwPortletHeader");
    setColor(header, "BACKGROUND-COLOR", page.portletHeaderBackgroundColor);
    setColor(header, "COLOR", page.portletHeaderTextColor);
    setFont(header, page.portalFontFamily, page.portletHeaderSize, page.portletHeaderWeight);
    header.SetProperty("TEXT-ALIGN", "left");
}

void writeBody(CCssElement &root, const LayoutModel &model, const std::vector<RegionId> &regions)
{
    const RegionStyle &page = model.pageRegion();
    CCssElement &body = addTag(root, "BODY");
    setColor(body, "BACKGROUND-COLOR", page.backgroundColor);
    setColor(body, "COLOR", page.textColor);
    body.SetProperty("FONT-FAMILY", page.fontFamily);
    setPx(body, "FONT-SIZE", page.fontSize);
    body.SetProperty("FONT-WEIGHT", page.fontWeight);
    body.SetProperty("LIST-STYLE", "square");
    body.SetProperty("BORDER", "none");
    setBackgroundPicture(body, page.backgroundImage, page.backgroundAttachment, page.backgroundRepeat);
    for (RegionId id : regions) {
        const RegionStyle &r = model.region(id);
        CCssElement &rule = addClass(body, std::string(layout::regionName(id)));
        setColor(rule, "BACKGROUND-COLOR", r.backgroundColor);
        setBackgroundPicture(rule, r.backgroundImage, r.backgroundAttachment, r.backgroundRepeat);
    }
}

void writeTd(CCssElement &root, const LayoutModel &model, const std::vector<RegionId> &regions)
{
    const RegionStyle &pageRegion = model.pageRegion();
    const PageStyle &page = model.page();
    CCssElement &td = addTag(root, "TD");
    writePageFont(td, pageRegion);
    td.SetProperty("TEXT-ALIGN", "left");

    CCssElement &portal = addClass(td, "KwPortal");
    setColor(portal, "COLOR", page.portalTextColor);
    setColor(portal, "BACKGROUND-COLOR", page.portalBackgroundColor);
    setFont(portal, page.portalFontFamily, page.portalFontSize, page.portalFontWeight);
    portal.SetProperty("TEXT-ALIGN", "left");

    CCssElement &help = addClass(td, "OnlineHelp");
    writePageFont(help, pageRegion);
    help.SetProperty("FONT-STYLE", "italic");

    CCssElement &gridTitle = addClass(td, "KwGridTitle");
    gridTitle.SetProperty("FONT-WEIGHT", page.gridTitleWeight);
    setPx(gridTitle, "FONT-SIZE", page.gridTitleSize);
    setColor(gridTitle, "COLOR", page.gridTitleTextColor);
    gridTitle.SetProperty("FONT-FAMILY", page.gridTitleFont);

    CCssElement &portletTitle = addClass(td, "KwPortletTitle");
    setColor(portletTitle, "COLOR", page.portalTextColor);
    setFont(portletTitle, page.portletTitleFontFamily, page.portalFontSize, page.portalFontWeight);
    portletTitle.SetProperty("TEXT-ALIGN", "left");

    writePortletHeader(td, page);

    setColor(addClass(td, "KwGridText"), "COLOR", page.gridTextColor);
    setColor(addClass(td, "KwPortletText"), "COLOR", page.portletTextColor);
    setPadding(addClass(td, "KwGridEntries"), "3px", "5px");
    setColor(addClass(td, "KwFirstPortletBorder"), "BACKGROUND-COLOR", page.portletBorderColor);

    for (RegionId id : regions)
        if (id != RegionId::KwPics)
            writeRegionText(td, layout::regionName(id), model.region(id));
}

void writeTable(CCssElement &root, const PageStyle &page)
{
    CCssElement &table = addTag(root, "TABLE");
    CCssElement &grid = addClass(table, "KwFirstGridBorder");
    setPx(grid, "BORDER-WIDTH", page.gridBorderWidth);
    grid.SetProperty("BORDER-STYLE", "groove");
    setColor(grid, "BORDER-COLOR", page.gridBorderColor);
    setColor(addClass(table, "KwFirstPortletBorder"), "BORDER-COLOR", page.portletBorderColor);
}

void writeHeadings(CCssElement &root, const PageStyle &page)
{
    struct Heading {
        const char *name;
        Color color;
        const std::string &font;
        int size;
        const std::string &weight;
    };
    const Heading headings[] = {
        {"H1", page.heading1Color, page.heading1Font, page.heading1Size, page.heading1Weight},
        {"H2", page.heading2Color, page.heading2Font, page.heading2Size, page.heading2Weight},
        {"H3", page.heading3Color, page.heading3Font, page.heading3Size, page.heading3Weight},
    };
    auto fill = [](CCssElement &e, const Heading &h) {
        setColor(e, "COLOR", h.color);
        setFont(e, h.font, h.size, h.weight);
    };
    for (const Heading &h : headings) {
        fill(addTag(root, h.name), h);
        fill(addClass(addTag(root, "TD"), h.name), h);
    }
}

void writeTh(CCssElement &root, const PageStyle &page)
{
    CCssElement &th = addTag(root, "TH");
    setColor(th, "COLOR", page.heading3Color);
    setFont(th, page.heading3Font, page.heading3Size, page.heading3Weight);
    th.SetProperty("TEXT-ALIGN", "left");
    setPadding(addClass(th, "KwGridHeader"), "3px", "5px");
    CCssElement &portletHeader = addClass(th, "KwPortletHeader");
    setPadding(portletHeader, "3px", "15px");
    setFont(portletHeader, page.portalFontFamily, page.portletHeaderSize, page.portletHeaderWeight);
    portletHeader.SetProperty("TEXT-ALIGN", "left");
}

void writeTr(CCssElement &root, const PageStyle &page)
{
    CCssElement &tr = addTag(root, "TR");
    CCssElement &gridTitle = addClass(tr, "KwGridTitle");
    gridTitle.SetProperty("PADDING-BOTTOM", "3px");
    gridTitle.SetProperty("PADDING-TOP", "3px");
    setColor(gridTitle, "BACKGROUND-COLOR", page.gridTitleBackgroundColor);
    setColor(addClass(tr, "KwGridHeader"), "BACKGROUND-COLOR", page.gridHeaderColor);
    setColor(addClass(tr, "KwGridHeaderSplit"), "BACKGROUND-COLOR", page.gridHeaderSplitColor);
    CCssElement &portletTitle = addClass(tr, "KwPortletTitle");
    portletTitle.SetProperty("PADDING-BOTTOM", "3px");
    portletTitle.SetProperty("PADDING-TOP", "3px");
    setColor(portletTitle, "BACKGROUND-COLOR", page.portalBackgroundColor);
    writePortletHeader(tr, page);
}

bool hasOwnLinkStyle(RegionId id)
{
    switch (id) {
    case RegionId::KwRootNavigate:
    case RegionId::KwNavigate:
    case RegionId::KwStartNavigate:
    case RegionId::KwRootTop:
    case RegionId::KwStartTop:
        return false;
    case RegionId::KwPics:
    case RegionId::KwNavigateHeader:
    case RegionId::KwApplication:
        return true;
    }
    return false;
}

void writeLinks(CCssElement &root, const LayoutModel &model, const std::vector<RegionId> &regions)
{
    const RegionStyle &pageRegion = model.pageRegion();
    const PageStyle &page = model.page();
    CCssElement &a = addTag(root, "A");
    const Font pageFont{&pageRegion.fontFamily, pageRegion.fontSize, nullptr};
    addLinkStates(a, page.linkColor, page.linkHoverColor, &pageFont, "underline", "underline");

    const Font mainLinkFont{&page.mainLinkFont, page.mainLinkSize, &page.mainLinkWeight};
    addLinkStates(addClass(a, "KwMainLink"), page.linkColor, page.linkHoverColor, &mainLinkFont, "underline",
                  "underline");
    addLinkStates(addClass(a, "KwPortletText"), page.portletLinkColor, page.portletLinkHoverColor, nullptr,
                  "underline", "underline");
    CCssElement &sub = addClass(a, "KwNavigateSub");
    addLinkState(sub, "link", model.region(RegionId::KwNavigate).subTextColor, nullptr, "none");

    for (RegionId id : regions) {
        if (!hasOwnLinkStyle(id))
            continue;
        const RegionStyle &r = model.region(id);
        const Font font{&r.fontFamily, r.fontSize, &r.fontWeight};
        CCssElement &rule = addClass(a, std::string(layout::regionName(id)));
        addLinkState(rule, "active", kActiveLinkColor, &font, "none");
        addLinkState(rule, "link", r.textColor, &font, "none");
        addLinkState(rule, "visited", r.textColor, &font, "none");
        addLinkState(rule, "hover", r.textColor, &font, "underline");
    }
}

void writeTableHeadLinks(CCssElement &root, LayoutModel &model)
{
    PageStyle &page = model.page();
    if (page.tableHeadLinkFont.empty())
        page.tableHeadLinkFont = page.gridTitleFont;
    CCssElement &a = addTag(addTag(root, "TH"), "A");
    const Font font{&page.tableHeadLinkFont, page.tableHeadLinkSize, &page.tableHeadLinkWeight};
    addLinkStates(a, page.tableHeadLinkColor, page.tableHeadLinkHoverColor, &font, "underline", "underline");
}

void writeEntryFields(CCssElement &root, const LayoutModel &model, const LayoutTreeOptions &options)
{
    if (!options.entryStyleFromCss && !options.buttonStylesLoaded)
        return;
    const PageStyle &page = model.page();
    const std::string &family = model.pageRegion().fontFamily;
    CCssElement &input = addTag(root, "INPUT");
    if (options.entryStyleFromCss) {
        setColor(input, "COLOR", page.entryForegroundColor);
        setColor(input, "BACKGROUND-COLOR", page.entryBackgroundColor);
        input.SetProperty("BORDER", entryBorder(page));
        input.SetProperty("FONT-FAMILY", family);
    }
    if (options.buttonStylesLoaded && !options.active)
        writeButtonRules(model.buttons(), input);
    addClass(input, "KwCheckbox").SetProperty("BORDER", "none");
    addClass(input, "KwRadio").SetProperty("BORDER", "none");
    for (const char *tag : {"TEXTAREA", "SELECT"}) {
        CCssElement &field = addTag(root, tag);
        setColor(field, "COLOR", page.entryForegroundColor);
        setColor(field, "BACKGROUND-COLOR", page.entryBackgroundColor);
        field.SetProperty("BORDER", options.entryStyleFromCss ? entryBorder(page) : std::string());
        field.SetProperty("FONT-FAMILY", family);
    }
}

void writeMouseColors(CCssElement &root, const LayoutModel &model)
{
    const RegionStyle &top = model.region(RegionId::KwRootNavigate);
    const RegionStyle &second = model.region(RegionId::KwNavigate);
    const RegionStyle &app = model.region(RegionId::KwStartNavigate);
    const PageStyle &page = model.page();
    struct Entry {
        const char *name;
        Color in, clicked;
    };
    const Entry entries[] = {
        {"KwRootNavigate", top.hoverColor, top.selectedColor},
        {"KwNavigate", second.hoverColor, second.selectedColor},
        {"KwNavigateSub", second.subHoverColor, second.subSelectedColor},
        {"KwStartNavigate", app.hoverColor, app.selectedColor},
        {"A", page.linkHoverColor, page.linkColor},
        {"TH", page.tableHeadLinkHoverColor, page.tableHeadClickedColor},
        {"KwPortletHeader", page.portletLinkHoverColor, page.portletHeaderClickedColor},
    };
    CCssElement &mouse = addTag(addChild(root, "", css::CSS_BLOCK), "MOUSE");
    for (const Entry &entry : entries) {
        CCssElement &e = addClass(mouse, entry.name);
        setColor(e, "COLOR-IN", entry.in);
        setColor(e, "COLOR-CLICKED", entry.clicked);
    }
}

// ShowImageBeforeLink and the pictures, only where set.
void setSettingPicture(CCssElement &e, std::string_view key, const std::string &name)
{
    if (!name.empty())
        e.SetProperty(key, "../images/company/" + name);
}

void writeMenuStyle(CCssElement &menuStyles, const char *name, const RegionStyle &r, RegionId id)
{
    CCssElement &e = addClass(menuStyles, name);
    e.SetProperty("ShowButtonEffect", formatSwitch(r.showButtonEffect));
    setColor(e, "FieldOnFocusBorderColor", r.focusBorderColor);
    setColor(e, "FieldOnFocusColor", r.focusColor);
    setColor(e, "FieldOnClickBorderColor", r.clickBorderColor);
    setColor(e, "FieldOnClickColor", r.clickColor);
    e.SetProperty("BorderStyle", scriptBorderStyle(r.borderStyle));
    setSettingPicture(e, "ButtonImageNormal", r.buttonImageNormal);
    setSettingPicture(e, "ButtonImageSelect", r.buttonImageSelect);
    setSettingPicture(e, "ButtonImageMouse", r.buttonImageMouse);
    e.SetProperty("ShowImageBeforeLink", formatSwitch(!r.itemImage.empty()));
    setSettingPicture(e, "ImageBeforeLinkPath", r.itemImage);
    if (id == RegionId::KwNavigate) {
        setSettingPicture(e, "CloseLeafs", r.closeLeafsImage);
        setSettingPicture(e, "OpenLeaf", r.openLeafImage);
        setSettingPicture(e, "ClosedLeaf", r.closedLeafImage);
        setSettingPicture(e, "LoginButton", r.loginButtonImage);
    } else {
        setSettingPicture(e, "ImageBetweenLinkPath", r.separatorImage);
    }
}

void writeSettings(CCssElement &root, const LayoutModel &model)
{
    const layout::PaneSwitches &start = model.switches(layout::Pane::StartPage);
    const layout::PaneSwitches &app = model.switches(layout::Pane::ApplicationPages);
    const PageStyle &page = model.page();
    CCssElement &settings = addChild(root, "KwStyleAsp", css::CSS_BLOCK);

    CCssElement &appearance = addClass(settings, "Appearance");
    const std::pair<const char *, bool> switches[] = {
        {"ShowInfoBar", app.showInfoBar},       {"ShowLogo", start.showLogo},
        {"ShowWelcomeText", start.showWelcome}, {"ShowAppInfo", app.showAppInfoBar},
        {"ShowPicture", app.showPicture},       {"ShowSecLevNavRight", app.menuRight},
        {"ShowTreeNavigation", app.useTreeMenu}};
    for (const auto &[key, value] : switches)
        appearance.SetProperty(key, formatSwitch(value));

    CCssElement &search = addClass(settings, "GlobalSearch");
    const std::pair<const char *, bool> searches[] = {{"EnableGlobalSearch", app.enableGlobalSearch},
                                                      {"EnableAppSearch", app.enableAppSearch},
                                                      {"EnableAppSearchAno", app.enableAppSearchAno},
                                                      {"EnableEmplSearch", app.enableEmplSearch},
                                                      {"EnableEmplSearchAno", app.enableEmplSearchAno}};
    for (const auto &[key, value] : searches)
        search.SetProperty(key, formatSwitch(value));

    auto settingPicture = [](const std::string &name) {
        return name.empty() ? name : "../images/company/" + name;
    };
    CCssElement &header = addClass(settings, "Header");
    header.SetProperty("BulletBigPath", settingPicture(page.bulletBigPath));
    header.SetProperty("BulletSmallPath", settingPicture(page.bulletSmallPath));

    CCssElement &entry = addClass(settings, "EntryStyle");
    setColor(entry, "EntrySelectionBackground", page.entrySelectionBackgroundColor);
    setColor(entry, "EntrySelectionForeground", page.entrySelectionForegroundColor);
    setColor(entry, "EntryBackground", page.entryBackgroundColor);
    setColor(entry, "EntryForeground", page.entryForegroundColor);
    entry.SetProperty("RequiredImage", settingPicture(page.requiredImage));

    CCssElement &table = addClass(settings, "TableStyle");
    setColor(table, "FirstRowColor", page.firstRowColor);
    setColor(table, "SecondRowColor", page.secondRowColor);

    CCssElement &portlet = addClass(settings, "PortletStyle");
    setColor(portlet, "FirstRowColor", page.portletFirstRowColor);
    setColor(portlet, "SecondRowColor", page.portletSecondRowColor);
    portlet.SetProperty("ShowShadow", formatSwitch(page.showPortletShadow));

    CCssElement &menuStyles = addClass(settings, "MenuStyles");
    writeMenuStyle(menuStyles, "Top", model.region(RegionId::KwRootNavigate), RegionId::KwRootNavigate);
    writeMenuStyle(menuStyles, "2ndLevel", model.region(RegionId::KwNavigate), RegionId::KwNavigate);
    writeMenuStyle(menuStyles, "App", model.region(RegionId::KwStartNavigate), RegionId::KwStartNavigate);
}

} // namespace

void buildLayoutTree(LayoutModel &model, const LayoutTreeOptions &options, CCssElement &root)
{
    const std::vector<RegionId> regions = regionsWithOwnBackground(model);
    writeBody(root, model, regions);
    writeTd(root, model, regions);
    writeTable(root, model.page());
    writeHeadings(root, model.page());
    writeTh(root, model.page());
    writeTr(root, model.page());
    writeLinks(root, model, regions);
    writeTableHeadLinks(root, model);
    writeEntryFields(root, model, options);
    addRegionContributions(root, model, options.companySettings);
    writeMouseColors(root, model);
    writeButtonBlock(model.buttons(), root);
    writeSettings(root, model);
}

} // namespace kw::publish
