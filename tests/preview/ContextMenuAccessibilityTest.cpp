// The element's context menu as assistive technology sees it: part of the pane, its items named, enabled,
// greyed and checked as the menu shows them.
#include "OpenedPanes.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QWindow>

#include <map>

namespace kw::preview {
namespace {

using test::OpenedPanes;
using test::settle;

/// What a screen reader learns of one menu item.
struct SpokenItem {
    bool enabled = false;
    bool checkable = false;
    bool checked = false;
    bool operator==(const SpokenItem &) const = default;
};

std::ostream &operator<<(std::ostream &out, const SpokenItem &item)
{
    return out << (item.enabled ? "enabled" : "greyed")
               << (item.checkable ? item.checked ? ", checked" : ", unchecked" : "");
}

class ContextMenuAccessibilityTest : public OpenedPanes {
protected:
    /// Right-clicks `element` of `pane` and reads the menu that opens through its accessible interface,
    /// item name to state; the menu is closed without choosing.
    std::map<std::string, SpokenItem> spokenMenu(CKwLOutView *pane, const char *element)
    {
        view->setCurrentWidget(pane);
        settle();
        std::map<std::string, SpokenItem> items;
        QTimer::singleShot(0, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(menu);
            ASSERT_NE(spoken, nullptr);
            EXPECT_EQ(spoken->role(), QAccessible::PopupMenu);
            // Part of the window: the pane is its parent, the window it pops up from its transient parent.
            EXPECT_EQ(menu->parentWidget(), pane);
            ASSERT_NE(menu->windowHandle(), nullptr);
            EXPECT_EQ(menu->windowHandle()->transientParent(), pane->window()->windowHandle());
            for (int i = 0; i < spoken->childCount(); ++i) {
                QAccessibleInterface *item = spoken->child(i);
                if (item->role() == QAccessible::Separator)
                    continue;
                const QAccessible::State state = item->state();
                items[item->text(QAccessible::Name).toStdString()] = {!state.disabled, bool(state.checkable),
                                                                      bool(state.checked)};
            }
            menu->close();
        });
        QTest::mouseClick(pane->element(element), Qt::RightButton, {}, QPoint(20, 20));
        settle();
        return items;
    }
};

TEST_F(ContextMenuAccessibilityTest, ItemsAreReadAsTheMenuShowsThem)
{
    view->elementHooks().chooseLogo = [](const std::string &) { return std::optional<std::string>(); };
    view->elementHooks().editProperties = [](const portalpage::CPreviewElement &) { return false; };
    layout::LayoutModel &model = view->document().model();
    layout::PaneSwitches &startSwitches = model.switches(layout::Pane::StartPage);
    layout::PaneSwitches &appSwitches = model.switches(layout::Pane::ApplicationPages);
    startSwitches.showInfoBar = true;
    appSwitches.showInfoBar = false;
    startSwitches.showAppInfoBar = false;
    appSwitches.showAppInfoBar = true;
    startSwitches.showPicture = true;
    appSwitches.showPicture = false;
    model.setSwitch(&layout::PaneSwitches::menuRight, false);
    model.setSwitch(&layout::PaneSwitches::useTreeMenu, true);

    const SpokenItem on{true, false, false}, off{false, false, false};
    const SpokenItem checkedOn{true, true, true}, uncheckedOn{true, true, false};
    const SpokenItem checkedOff{false, true, true}, uncheckedOff{false, true, false};
    const std::map<std::string, SpokenItem> contentArea = {
        {"Hauptmenü", on},
        {"Startseite", on},
        {"Persönlicher Kalender", on},
        {"Layout", on},
        {"Grafik", on},
        {"Infoleiste anzeigen", checkedOn},
        {"Logo anzeigen", checkedOn},
        {"Begrüssungstext anzeigen", checkedOn},
        {"Anwendungsinfoleiste anzeigen", uncheckedOff},
        {"Bild anzeigen", checkedOn},
        {"Baummenü verwenden", checkedOn},
        {"Menü rechts anzeigen", uncheckedOn},
        {"Globale Suche", on},
    };
    std::map<std::string, SpokenItem> submenu = contentArea;
    submenu["Grafik"] = off;
    submenu["Logo anzeigen"] = checkedOff;
    submenu["Begrüssungstext anzeigen"] = checkedOff;
    submenu["Infoleiste anzeigen"] = uncheckedOn;
    submenu["Anwendungsinfoleiste anzeigen"] = checkedOn;
    submenu["Bild anzeigen"] = uncheckedOn;

    EXPECT_EQ(spokenMenu(start, "KwApplication"), contentArea);
    EXPECT_EQ(spokenMenu(application, "KwNavigate"), submenu);
}

} // namespace
} // namespace kw::preview
