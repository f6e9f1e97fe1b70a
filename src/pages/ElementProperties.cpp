#include "pages/ElementProperties.h"

#include "controls/CKwColorBtn.h"
#include "layout/LayoutDocument.h"
#include "layoutmodel/GeneralValues.h"
#include "layoutmodel/PageValues.h"
#include "pages/CWebPagePropSheet.h"
#include "portalpage/Elements.h"

#include <array>

namespace kw::pages {

namespace {

using layout::RegionId;

struct ElementSheetRow {
    RegionId region;
    ElementSheet sheet;
};

constexpr std::array<ElementSheetRow, 8> kElementSheets = {{
    {RegionId::KwRootNavigate, {StringId::MainMenu, 2}},
    {RegionId::KwNavigate, {StringId::Submenu, 3}},
    {RegionId::KwStartNavigate, {StringId::ApplicationMenu, 4}},
    {RegionId::KwRootTop, {StringId::PageHeader, 5}},
    {RegionId::KwApplication, {StringId::ApplicationPage, 1}},
    {RegionId::KwNavigateHeader, {StringId::SubmenuHeading, 0}},
    {RegionId::KwStartTop, {StringId::ApplicationTitle, 0, false, true}},
    {RegionId::KwPics, {StringId::SubmenuLogo, 0}},
}};

/// Stores a page's values into the page style when they differ from what it holds; true when stored.
template <class Values>
bool storeChanged(const Values &values, Values (*read)(const layout::PageStyle &),
                  void (*store)(const Values &, layout::PageStyle &), layout::PageStyle &page)
{
    if (values == read(page))
        return false;
    store(values, page);
    return true;
}

} // namespace

ElementSheet elementSheet(RegionId region, bool defaultStartPage)
{
    ElementSheet sheet{StringId::LayoutManager};
    for (const ElementSheetRow &row : kElementSheets)
        if (row.region == region)
            sheet = row.sheet;
    if (region == RegionId::KwApplication && defaultStartPage) {
        sheet.caption = StringId::DefaultStartPage;
        sheet.withPortal = true;
    }
    return sheet;
}

ElementSheet elementSheet(const portalpage::CPreviewElement &element)
{
    const auto *page = dynamic_cast<const portalpage::CAppPageElement *>(&element);
    return elementSheet(element.region(), page && page->isDefaultStartPage);
}

QString sheetCaption(const ElementSheet &sheet)
{
    std::string_view caption = loadString(sheet.caption);
    if (sheet.dropLeadingBlank && !caption.empty() && caption.front() == ' ')
        caption.remove_prefix(1);
    return QString::fromUtf8(caption.data(), static_cast<int>(caption.size()));
}

bool editElementProperties(QWidget *parent, const portalpage::CPreviewElement &element,
                           layout::LayoutDocument &document, server::Environment env, Prompter &prompter)
{
    const ElementSheet setup = elementSheet(element);
    const auto *submenu = dynamic_cast<const portalpage::CSubmenuElement *>(&element);
    const RegionId region = element.region();

    controls::CKwColorBtn::SetColors(document.layoutColors().colors());
    CWebPagePropSheet sheet(sheetCaption(setup), PageContext{std::move(env), prompter}, parent);
    sheet.generalPage.values =
        layout::generalValues(document.model(), region, submenu && submenu->treeMenuShown);
    // The application page's further pages edit the page style; "Portal" only on the default start page.
    layout::PageStyle &pageStyle = document.model().page();
    const bool applicationPage = setup.kind == 1;
    if (applicationPage) {
        sheet.tablesPage.values = layout::tableValues(pageStyle);
        if (setup.withPortal)
            sheet.portalPage.values = layout::portalValues(pageStyle);
    }
    if (setup.kind != 0)
        sheet.Init(setup.kind, setup.withPortal);
    if (sheet.exec() != QDialog::Accepted)
        return false;

    if (sheet.changed)
        document.setModified(true);
    bool stored = layout::storeGeneralValues(sheet.generalPage.values, region, document.model());
    if (applicationPage) {
        stored |=
            storeChanged(sheet.tablesPage.values, &layout::tableValues, &layout::storeTableValues, pageStyle);
        if (setup.withPortal)
            stored |= storeChanged(sheet.portalPage.values, &layout::portalValues, &layout::storePortalValues,
                                   pageStyle);
    }
    return stored || sheet.changed;
}

} // namespace kw::pages
