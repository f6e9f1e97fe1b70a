#include "pages/ElementProperties.h"

#include "controls/CKwColorBtn.h"
#include "layout/LayoutDocument.h"
#include "layoutmodel/GeneralValues.h"
#include "layoutmodel/PageValues.h"
#include "pages/CWebPagePropSheet.h"
#include "platform/QtStrings.h"
#include "portalpage/Elements.h"

#include <array>

namespace kw::pages {

namespace {

using platform::qt;

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

/// Stores a page's values into the page style when they differ from what the page was given (so that a
/// model text such as the weight "bold" stays as it was when the page hands it back unchanged).
template <class Values, class Target>
void storeIfEdited(const Values &edited, const Values &handedIn, void (*store)(const Values &, Target &),
                   Target &target)
{
    if (edited != handedIn)
        store(edited, target);
}

/// Takes back the Buttons page's styles when they differ from the ones handed in (the default names the
/// page fills in do not count) and the switch for user-defined buttons.
void storeButtonStyles(const CWebPagePropSheet &sheet, const layout::ButtonStyleList &handedIn,
                       layout::LayoutDocument &document)
{
    const auto &edited = sheet.buttonsPage.styles.styles();
    layout::ButtonStyleList named = handedIn;
    for (std::size_t i = 0; i < named.size(); ++i)
        named.denotationAt(i);
    if (edited != handedIn.styles() && edited != named.styles())
        document.model().buttons() = sheet.buttonsPage.styles;
    document.flags().buttonStylesLoaded = sheet.customButtons;
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
    return qt(caption);
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
    // The application page's further pages edit the page style ("Portal" only on the default start
    // page). Values handed back unchanged are not stored, so that a model text such as the weight "bold"
    // stays as it was.
    const bool appPage = setup.kind == 1;
    layout::PageStyle &page = document.model().page();
    const layout::HeadingValues headings = layout::headingValues(page);
    const layout::LinkValues links = layout::linkValues(page);
    const auto tables = layout::tableValues(page);
    const auto portal = layout::portalValues(page);
    const layout::EntryValues entry = layout::entryValues(page);
    // The layout's switch for user-defined entry fields decides whether the stylesheets style INPUT.
    bool &customEntryFields = document.flags().entryStyleFromCss;
    // The three menus' Special settings and the submenu's tree pictures edit the element's region.
    const bool menu = setup.kind >= 2 && setup.kind <= 4;
    layout::RegionStyle &style = document.model().region(region);
    const layout::MenuSpecialValues specials = layout::menuSpecialValues(style);
    const layout::TreeMenuValues treeImages = layout::treeMenuValues(style);
    if (menu)
        sheet.specialSettingsPage.values = specials;
    if (submenu)
        sheet.treeMenuPage.values = treeImages;
    if (appPage) {
        sheet.entryFieldsPage.values = entry;
        sheet.customEntryFields = customEntryFields;
        sheet.headingsPage.values = headings;
        sheet.linksPage.values = links;
        sheet.tablesPage.values = tables;
        if (setup.withPortal)
            sheet.portalPage.values = portal;
    }
    // The Buttons page works on a copy of the button styles; user-defined buttons are on when the layout
    // publishes its button rules.
    const layout::ButtonStyleList buttons = document.model().buttons();
    if (appPage) {
        sheet.buttonsPage.styles = buttons;
        sheet.customButtons = document.flags().buttonStylesLoaded;
    }
    if (setup.kind != 0)
        sheet.Init(setup.kind, setup.withPortal);
    if (sheet.exec() != QDialog::Accepted)
        return false;

    // What the page gives back for fields nobody touched (the keywords its controls stand for, one text
    // colour for mouse-over and selection) is no edit: it goes in without a step and counts as saved.
    const bool respelled = document.history().adoptSavedChange(
        [&] { layout::storeGeneralValues(sheet.generalPage.untouchedValues(), region, document.model()); });
    // Everything the sheet gives back is one step of the layout's history, named after the sheet; the
    // history marks the layout modified exactly when a value changed.
    const std::string stepName = sheetCaption(setup).trimmed().toStdString() + " bearbeiten";
    const bool edited = document.history().record(stepName, [&] {
        layout::storeGeneralValues(sheet.generalPage.values, region, document.model());
        if (appPage) {
            storeIfEdited(sheet.headingsPage.values, headings, &layout::storeHeadingValues, page);
            storeIfEdited(sheet.linksPage.values, links, &layout::storeLinkValues, page);
            storeIfEdited(sheet.tablesPage.values, tables, &layout::storeTableValues, page);
            if (setup.withPortal)
                storeIfEdited(sheet.portalPage.values, portal, &layout::storePortalValues, page);
            storeIfEdited(sheet.entryFieldsPage.values, entry, &layout::storeEntryValues, page);
            customEntryFields = sheet.customEntryFields;
            storeButtonStyles(sheet, buttons, document);
        }
        if (menu)
            storeIfEdited(sheet.specialSettingsPage.values, specials, &layout::storeMenuSpecialValues, style);
        if (submenu)
            storeIfEdited(sheet.treeMenuPage.values, treeImages, &layout::storeTreeMenuValues, style);
    });
    return edited || respelled;
}

} // namespace kw::pages
