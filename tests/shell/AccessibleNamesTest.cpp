// Every control of every sheet and editor of the module can be named by a screen reader: a button by its
// text, every other control by its accessible name.
#include "ShellTestSupport.h"

#include "controls/CObjectRightsDlg.h"
#include "controls/CSrvFileSelDlg.h"
#include "editors/CCountrySettingsDlg.h"
#include "editors/CMenuItemStartPageDlg.h"
#include "editors/CPersonalCalendarDlg.h"
#include "editors/CPortalStartPageDlg.h"
#include "editors/CTopLevelMenuSheet.h"
#include "editors/CWelcomeTextSheet.h"
#include "layout/CompanySettings.h"
#include "pages/CGlobalSearchDlg.h"
#include "pages/CWebPagePropSheet.h"
#include "shell/CLayoutListDlg.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTextEdit>

#include <functional>
#include <memory>

namespace kw::shell {
namespace {

bool isControl(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QLineEdit *>(widget) ||
           qobject_cast<const QComboBox *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget) ||
           qobject_cast<const QAbstractItemView *>(widget) || qobject_cast<const QTextEdit *>(widget) ||
           qobject_cast<const QAbstractSlider *>(widget) || qobject_cast<const QTabBar *>(widget);
}

/// Whether a control's parts are named by the control (the entry field of a combo box, a list's scroll
/// bars, a tab bar's scroll buttons).
bool insideControl(const QWidget *widget, const QWidget *dialog)
{
    for (const QWidget *up = widget->parentWidget(); up && up != dialog; up = up->parentWidget())
        if (isControl(up))
            return true;
    return false;
}

QString visibleText(const QWidget *control)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text().remove(QLatin1Char('&')).trimmed();
    if (const auto *tabs = qobject_cast<const QTabBar *>(control)) {
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i).trimmed().isEmpty())
                return {};
        return tabs->count() > 0 ? tabs->tabText(0) : QString();
    }
    return {};
}

/// The controls of `dialog` that neither show a text nor carry an accessible name, as "class 'id'".
std::vector<std::string> unnamedControls(const QWidget &dialog)
{
    std::vector<std::string> unnamed;
    for (const QWidget *widget : dialog.findChildren<QWidget *>()) {
        if (!isControl(widget) || insideControl(widget, &dialog))
            continue;
        if (!visibleText(widget).isEmpty() || !widget->accessibleName().trimmed().isEmpty())
            continue;
        unnamed.push_back(std::string(widget->metaObject()->className()) + " '" +
                          widget->objectName().toStdString() + "'");
    }
    return unnamed;
}

class AccessibleNamesTest : public test::ModuleTest {
protected:
    /// A property sheet with every page of the kind made (as if each tab had been shown).
    std::unique_ptr<QDialog> sheet(int kind, bool treeMenu)
    {
        auto made = std::make_unique<pages::CWebPagePropSheet>(QStringLiteral("Bogen"),
                                                               pages::PageContext{portal.env(), prompter});
        made->generalPage.values.treeMenu = treeMenu;
        made->Init(kind, true);
        made->show();
        for (int i = 0; i < static_cast<int>(made->pages().size()); ++i)
            made->SetActivePage(i);
        return made;
    }

    layout::CompanySettings company;
};

TEST_F(AccessibleNamesTest, EveryControlOfEverySheetAndEditorIsNamed)
{
    portalsettings::MenuEntry entry;
    entry.id = 7;
    std::vector<std::int32_t> groups{1};
    const struct {
        const char *name;
        std::function<std::unique_ptr<QDialog>()> open;
    } kDialogs[] = {
        {"property sheet of the content area", [&] { return sheet(1, false); }},
        {"property sheet of the submenu", [&] { return sheet(3, true); }},
        {"global search",
         [] { return std::make_unique<pages::CGlobalSearchDlg>(layout::GlobalSearchValues{}); }},
        {"layout list", [&] { return std::make_unique<CLayoutListDlg>(portal.env(), prompter); }},
        {"country settings",
         [&] { return std::make_unique<editors::CCountrySettingsDlg>(portal.env(), prompter); }},
        {"personal calendar",
         [&] { return std::make_unique<editors::CPersonalCalendarDlg>(portal.env(), prompter); }},
        {"portal start page",
         [&] { return std::make_unique<editors::CPortalStartPageDlg>(portal.env(), prompter); }},
        {"main menu",
         [&] {
             return std::make_unique<editors::CTopLevelMenuSheet>(portal.env(), prompter,
                                                                  editors::MenuEntryEditors{});
         }},
        {"start page of a menu entry",
         [&] {
             return std::make_unique<editors::CMenuItemStartPageDlg>(
                 portal.env(), prompter, portalsettings::MenuItemStartPage::forEntry(entry, "Projekte"));
         }},
        {"welcome text",
         [&] { return std::make_unique<editors::CWelcomeTextSheet>(portal.env(), prompter, company, 1031); }},
        {"access rights",
         [&] {
             auto rights = std::make_unique<controls::CObjectRightsDlg>(portal.env(), prompter);
             rights->setGroups(groups);
             return rights;
         }},
        {"server file dialog",
         [&] {
             return std::make_unique<controls::CSrvFileSelDlg>(
                 portal.env(), prompter,
                 controls::FileSelection{"Images\\Company",
                                         "logo.png",
                                         ".jpg",
                                         {".jpg", ".png", ".gif"},
                                         "Imagedateien (*.jpg;*.png;*.gif)|*.jpg;*.png;*.gif|"});
         }},
    };
    for (const auto &dialog : kDialogs) {
        const std::unique_ptr<QDialog> opened = dialog.open();
        EXPECT_GT(opened->findChildren<QWidget *>().size(), 3) << dialog.name << " has no controls";
        EXPECT_EQ(unnamedControls(*opened), std::vector<std::string>{}) << dialog.name;
    }
}

} // namespace
} // namespace kw::shell
