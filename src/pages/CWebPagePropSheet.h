// The layout property sheet: the modal sheet that carries the pages editing one element of the preview.
#pragma once

#include "base/StringTable.h"
#include "pages/CAppPageHdrPage.h"
#include "pages/CAppPageLinkPage.h"
#include "pages/CAppPageTNLPage.h"
#include "pages/CButtonStyleProp.h"
#include "pages/CEntryStyleProp.h"
#include "pages/CKwAppPortalProp.h"
#include "pages/CMenuSpecials.h"
#include "pages/CN2NDPropPage.h"
#include "pages/CTreeMenu.h"
#include "pages/PropertyPage.h"

#include <QDialog>

#include <vector>

class QDialogButtonBox;
class QStackedWidget;
class QTabBar;

namespace kw::pages {

/// The sheet shows OK, Abbrechen and Hilfe, never Apply: nothing reaches the layout before OK. The General
/// page is always its first page. Pages are made when first shown; leaving a page that refuses a value keeps
/// it active, so neither a tab change nor OK happens until the value is corrected.
class CWebPagePropSheet : public QDialog {
public:
    CWebPagePropSheet(StringId caption, PageContext context, QWidget *parent = nullptr);
    CWebPagePropSheet(const QString &caption, PageContext context, QWidget *parent = nullptr);
    ~CWebPagePropSheet() override;

    // The pages, in the sheet's order.
    CN2NDPropPage generalPage;
    CAppPageHdrPage headingsPage;
    CAppPageLinkPage linksPage;
    CAppPageTNLPage tablesPage;
    CKwAppPortalProp portalPage;
    CEntryStyleProp entryFieldsPage;
    CButtonStyleProp buttonsPage;
    CMenuSpecials specialSettingsPage;
    CTreeMenu treeMenuPage;

    /// Set by a page that finds one of its values changed when it is left or closed; never cleared.
    bool changed = false;
    /// User-defined button styles and entry fields (filled and taken back by the application page).
    bool customButtons = false;
    bool customEntryFields = false;

    /// Adds the further pages for the element's kind (1 application page, 2 main menu, 3 submenu,
    /// 4 application menu, 5 page header) and sets the fields that go with it.
    void Init(int kind, bool withPortal);

    /// The pages the element's kind asks for, in order.
    const std::vector<PageSlot> &pageSet() const { return m_pageSet; }
    /// The pages shown as tabs: one for each of the page set, whether made yet or not.
    const std::vector<CPropertyPage *> &pages() const { return m_pages; }
    /// The Special settings page's kind as Init set it (0 before).
    int specialSettingsKind() const { return m_specialKind; }

    /// Adds a page as the next tab. Pages are added before the sheet runs.
    void AddPage(CPropertyPage &page);
    int activeIndex() const;
    CPropertyPage *activePage() const;
    /// Leaves the active page and shows page `index`; false when the active page refused to be left.
    bool SetActivePage(int index);

    const PageContext &context() const { return m_context; }

    /// OK: leaves the active page, then closes every created page; refused values keep the sheet open.
    void accept() override;
    /// Shows the help topic of the active page.
    void showHelp();

protected:
    void showEvent(QShowEvent *event) override;
    /// F1 shows the active page's help.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void build(const QString &caption);
    /// Adds a page of the kinds table as the next tab.
    void addSlot(PageSlot slot);
    CPropertyPage *pageFor(PageSlot slot);
    void onTabChanged(int index);
    /// The size the largest page of the page set asks for, so that the sheet does not grow when a page
    /// is first shown.
    QSize largestPageSize();

    PageContext m_context;
    std::vector<PageSlot> m_pageSet;
    std::vector<CPropertyPage *> m_pages;
    int m_specialKind = 0;
    int m_current = -1;
    QTabBar *m_tabs = nullptr;
    QStackedWidget *m_stack = nullptr;
};

/// The help topic of a page is shown through this function; tests replace it.
using HelpHandler = void (*)(std::string_view topic);
HelpHandler setHelpHandler(HelpHandler handler);

} // namespace kw::pages
