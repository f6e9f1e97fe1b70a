#include "shell/CKwLOutView.h"

#include "editors/CCountrySettingsDlg.h"
#include "editors/CPersonalCalendarDlg.h"
#include "editors/CPortalStartPageDlg.h"
#include "editors/CTopLevelMenuSheet.h"
#include "editors/MenuEntryEditors.h"
#include "pages/CGlobalSearchDlg.h"
#include "platform/QPainterDeviceContext.h"
#include "preview/PaneContents.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/MenuResource.h"
#include "shell/ModuleContract.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QCoreApplication>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>
#include <exception>

namespace kw::preview {

namespace {

using layout::PaneSwitches;
namespace res = shell::res;

constexpr SwitchCommand kSwitchCommands[] = {
    {res::ID_SHOW_INFO_BAR, &PaneSwitches::showInfoBar, true},
    {res::ID_SHOW_LOGO, &PaneSwitches::showLogo, false},
    {res::ID_SHOW_WELCOME, &PaneSwitches::showWelcome, false},
    {res::ID_SHOW_APP_INFO_BAR, &PaneSwitches::showAppInfoBar, true},
    {res::ID_SHOW_PICTURE, &PaneSwitches::showPicture, true},
    {res::ID_USE_TREE_MENU, &PaneSwitches::useTreeMenu, true},
    {res::ID_MENU_RIGHT, &PaneSwitches::menuRight, true},
};

/// The portal settings editors, opened on the module's server environment whether or not a layout is open.
constexpr int kPortalSettingsCommands[] = {res::ID_COUNTRY_SETTINGS, res::ID_EDIT_CALENDAR,
                                           res::ID_EDIT_START_PAGE};

bool isPortalSettingsCommand(int id)
{
    return std::ranges::find(kPortalSettingsCommands, id) != std::end(kPortalSettingsCommands);
}

/// When an item of the element's context menu is enabled.
enum class ContextRule {
    Always,
    CanEditProperties, ///< the element has properties
    CanChooseGraphic,  ///< the start page's content area
    AppPagesActive,    ///< the tabbed view shows the application pages pane
};

struct ContextItem {
    int command;
    ContextRule rule;
};

constexpr ContextItem kContextItems[] = {
    {res::ID_EDIT_MAIN_MENU, ContextRule::Always},
    {res::ID_EDIT_START_PAGE, ContextRule::Always},
    {res::ID_EDIT_CALENDAR, ContextRule::Always},
    {res::ID_EDIT_LAYOUT, ContextRule::CanEditProperties},
    {res::ID_EDIT_GRAPHIC, ContextRule::CanChooseGraphic},
    {res::ID_SHOW_INFO_BAR, ContextRule::Always},
    {res::ID_SHOW_LOGO, ContextRule::CanChooseGraphic},
    {res::ID_SHOW_WELCOME, ContextRule::CanChooseGraphic},
    {res::ID_SHOW_APP_INFO_BAR, ContextRule::AppPagesActive},
    {res::ID_SHOW_PICTURE, ContextRule::Always},
    {res::ID_USE_TREE_MENU, ContextRule::Always},
    {res::ID_MENU_RIGHT, ContextRule::Always},
    {res::ID_EDIT_GLOBAL_SEARCH, ContextRule::Always},
};

const ContextItem *contextItem(int command)
{
    const auto found = std::ranges::find(kContextItems, command, &ContextItem::command);
    return found == std::end(kContextItems) ? nullptr : &*found;
}

// Commands 32792, 32801 and 32791: the country settings, the personal calendar and the start page dialogs,
// run modally on the module's server environment.
void runPortalSettingsEditor(int id, QWidget *parent)
{
    const std::optional<server::Environment> loaded = shell::loadedModuleEnvironment();
    if (!loaded)
        return;
    const server::Environment &env = *loaded;
    Prompter &prompter = shell::modulePrompter();
    try {
        if (id == shell::res::ID_COUNTRY_SETTINGS) {
            editors::CCountrySettingsDlg dialog(env, prompter, parent);
            shell::runModal(dialog);
        } else if (id == shell::res::ID_EDIT_START_PAGE) {
            editors::CPortalStartPageDlg dialog(env, prompter, parent);
            shell::runModal(dialog);
        } else {
            editors::CPersonalCalendarDlg dialog(env, prompter, parent);
            shell::runModal(dialog);
        }
    } catch (const std::exception &error) {
        prompter.tell(error.what());
    }
}

/// "Logo anzeigen: aus (Standardstartseite)": the switch's menu text and its new state, and for a switch
/// of one pane that pane's tab.
std::string switchStepName(const SwitchCommand &command, bool on, layout::Pane pane)
{
    std::string name = shell::toolTipText(command.command).toStdString() + (on ? ": ein" : ": aus");
    if (!command.bothPanes)
        name += std::string(" (") +
                std::string(loadString(pane == layout::Pane::StartPage ? StringId::DefaultStartPage
                                                                       : StringId::ApplicationPages)) +
                ")";
    return name;
}

/// The menu command that takes the step.
int historyCommand(HistoryStep step)
{
    return step == HistoryStep::Back ? res::ID_EDIT_UNDO : res::ID_EDIT_REDO;
}

} // namespace

const SwitchCommand *switchCommand(int command)
{
    const auto found = std::ranges::find(kSwitchCommands, command, &SwitchCommand::command);
    return found == std::end(kSwitchCommands) ? nullptr : &*found;
}

CKwLOutView::CKwLOutView(bool isStartPagePane, QWidget *parent)
    : QAbstractScrollArea(parent), m_isStartPagePane(isStartPagePane)
{
    setObjectName(isStartPagePane ? QStringLiteral("startPagePane") : QStringLiteral("appPagesPane"));
    setFrameShape(QFrame::NoFrame);
    m_idlePicture.LoadFromResource(std::to_string(shell::res::IDB_IDLEPICTURE), 4);
}

CKwLOutView::~CKwLOutView() = default;

void CKwLOutView::setTabbedView(shell::CKwLOutTabbedView *view)
{
    m_tabbedView = view;
    if (!view || m_contents)
        return;
    m_contents = std::make_unique<PaneContents>(
        m_isStartPagePane ? layout::Pane::StartPage : layout::Pane::ApplicationPages, view->document(),
        shell::moduleEnvironment(), shell::modulePrompter(), viewport(), static_cast<ElementHost *>(this));
    Layout(viewport()->width(), viewport()->height());
}

const std::map<std::string, CPreviewElement *, std::less<>> &CKwLOutView::elements() const
{
    static const std::map<std::string, CPreviewElement *, std::less<>> none;
    return m_contents ? m_contents->windows().elements() : none;
}

CPreviewElement *CKwLOutView::element(std::string_view name) const
{
    return m_contents ? m_contents->windows().element(name) : nullptr;
}

void CKwLOutView::Layout(int width, int height)
{
    m_requestedWidth = width;
    m_requestedHeight = height;
    placeElements();
}

void CKwLOutView::placeElements()
{
    if (!m_contents)
        return;
    const QSize client = viewport()->size();
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const portalpage::Size scroll = m_contents->layout(m_requestedWidth, m_requestedHeight, client, offset);
    horizontalScrollBar()->setRange(0, std::max(0, scroll.width - client.width()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setRange(0, std::max(0, scroll.height - client.height()));
    verticalScrollBar()->setPageStep(client.height());
    // Changing a range may have moved the scroll position: place once more for it.
    const QPoint moved(horizontalScrollBar()->value(), verticalScrollBar()->value());
    if (moved != offset)
        m_contents->layout(m_requestedWidth, m_requestedHeight, client, moved);
}

void CKwLOutView::ApplySwitches()
{
    if (!m_contents)
        return;
    m_contents->applySwitches();
    Layout(viewport()->width(), viewport()->height());
    viewport()->update();
}

void CKwLOutView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    Layout(viewport()->width(), viewport()->height());
    if (QWidget *top = window(); top && top->isMaximized())
        QCoreApplication::postEvent(this, new RelayoutEvent(viewport()->width(), viewport()->height()));
}

void CKwLOutView::scrollContentsBy(int, int)
{
    placeElements();
}

bool CKwLOutView::event(QEvent *event)
{
    if (event->type() == RelayoutEvent::kType) {
        const auto *relayout = static_cast<RelayoutEvent *>(event);
        Layout(relayout->width, relayout->height);
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool CKwLOutView::layoutOpen() const
{
    return m_tabbedView && m_tabbedView->document().isOpen();
}

bool CKwLOutView::onCommand(int id)
{
    if (isPortalSettingsCommand(id)) {
        runPortalSettingsEditor(id, this);
        return true;
    }
    if (id == res::ID_EDIT_GLOBAL_SEARCH) {
        if (layoutOpen() && pages::editGlobalSearch(m_tabbedView->document(), paneKind(), this))
            m_tabbedView->elementsChanged();
        return true;
    }
    if (const SwitchCommand *command = switchCommand(id)) {
        toggleSwitch(*command);
        return true;
    }
    switch (id) {
    case res::ID_EDIT_MAIN_MENU:
        // The main menu element's second action.
        editMainMenu();
        return true;
    case res::ID_EDIT_LAYOUT:
        if (CPreviewElement *target = propertiesTarget())
            target->EditProperties();
        return true;
    case res::ID_EDIT_GRAPHIC:
        if (CPreviewElement *target = graphicTarget())
            target->ChooseGraphic();
        return true;
    default:
        break;
    }
    return m_tabbedView && m_tabbedView->onCommand(id);
}

bool CKwLOutView::onUpdateCommand(int id, shell::CommandState &state)
{
    if (isPortalSettingsCommand(id) || id == res::ID_EDIT_MAIN_MENU)
        return true;
    if (id == res::ID_EDIT_GLOBAL_SEARCH) {
        state.enabled = layoutOpen();
        return true;
    }
    if (const SwitchCommand *command = switchCommand(id)) {
        state.checked = m_tabbedView && m_tabbedView->document().model().switches(paneKind()).*command->field;
        return true;
    }
    switch (id) {
    case res::ID_EDIT_LAYOUT:
        state.enabled = propertiesTarget() != nullptr && m_tabbedView->elementHooks().editProperties;
        return true;
    case res::ID_EDIT_GRAPHIC: {
        const CAppPageWindow *page = m_contents ? m_contents->windows().appPage() : nullptr;
        state.enabled = m_isStartPagePane && layoutOpen() && page &&
                        (page->selected() || page->holdsFocus()) && m_tabbedView->elementHooks().chooseLogo;
        return true;
    }
    default:
        break;
    }
    return m_tabbedView && m_tabbedView->onUpdateCommand(id, state);
}

layout::Pane CKwLOutView::paneKind() const
{
    return m_isStartPagePane ? layout::Pane::StartPage : layout::Pane::ApplicationPages;
}

CPreviewElement *CKwLOutView::propertiesTarget() const
{
    if (!m_contents || !layoutOpen())
        return nullptr;
    PaneElements &windows = m_contents->windows();
    if (CAppPageWindow *page = windows.appPage(); page && page->holdsFocus())
        return page;
    return windows.selected();
}

CPreviewElement *CKwLOutView::graphicTarget() const
{
    if (!m_contents || !layoutOpen())
        return nullptr;
    PaneElements &windows = m_contents->windows();
    CPreviewElement *selected = windows.selected();
    const bool mainMenuSelected =
        selected && selected->element().region() == layout::RegionId::KwRootNavigate;
    if (!m_isStartPagePane && !mainMenuSelected)
        return nullptr;
    if (CAppPageWindow *page = windows.appPage(); page && page->holdsFocus())
        return page;
    return selected;
}

std::unique_ptr<QMenu> CKwLOutView::createContextMenu(const CPreviewElement &window)
{
    const shell::DropDownData &edit = shell::menuResource()[1];
    auto menu = std::make_unique<QMenu>(QString::fromUtf8(edit.title), this);
    menu->setObjectName(QStringLiteral("contextMenu"));
    const bool appPagesActive = m_tabbedView && m_tabbedView->activePane() == m_tabbedView->appPagesPane();
    const layout::PaneSwitches *switches =
        m_tabbedView ? &m_tabbedView->document().model().switches(paneKind()) : nullptr;
    for (const shell::MenuItemData &item : edit.items) {
        if (!item.inContextMenu)
            continue;
        if (item.command == 0) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(QString::fromUtf8(item.text));
        action->setObjectName(QString::number(item.command));
        action->setProperty(shell::kCommandProperty, item.command);
        bool enabled = false;
        if (const ContextItem *rule = contextItem(item.command)) {
            switch (rule->rule) {
            case ContextRule::Always:
                enabled = true;
                break;
            case ContextRule::CanEditProperties:
                enabled =
                    window.CanEditProperties() && m_tabbedView && m_tabbedView->elementHooks().editProperties;
                break;
            case ContextRule::CanChooseGraphic:
                enabled = window.CanChooseGraphic();
                break;
            case ContextRule::AppPagesActive:
                enabled = appPagesActive;
                break;
            }
        }
        // "Grafik" on the content area is the logo chooser, which needs its dialog.
        if (item.command == res::ID_EDIT_GRAPHIC)
            enabled = enabled && m_tabbedView && m_tabbedView->elementHooks().chooseLogo;
        action->setEnabled(enabled);
        if (const SwitchCommand *command = switchCommand(item.command); command && switches) {
            action->setCheckable(true);
            action->setChecked(switches->*command->field);
        }
    }
    return menu;
}

void CKwLOutView::showContextMenu(CPreviewElement &window, const QPoint &globalPos)
{
    if (!layoutOpen())
        return;
    const std::unique_ptr<QMenu> menu = createContextMenu(window);
    // Chosen first, then run once the menu is gone: a command may open a modal dialog.
    const QAction *chosen = menu->exec(globalPos);
    if (chosen)
        elementCommand(window, chosen->property(shell::kCommandProperty).toInt());
}

void CKwLOutView::elementCommand(CPreviewElement &window, int id)
{
    guarded([&] {
        if (id == res::ID_EDIT_LAYOUT)
            window.EditProperties();
        else if (id == res::ID_EDIT_GRAPHIC)
            window.ChooseGraphic();
        else
            onCommand(id);
    });
    if (m_tabbedView)
        m_tabbedView->commandStatesChanged();
}

void CKwLOutView::toggleSwitch(const SwitchCommand &command)
{
    if (!m_tabbedView)
        return;
    CKwLOutView *other = command.bothPanes ? m_tabbedView->otherPane(this) : nullptr;
    layout::LayoutModel &model = m_tabbedView->document().model();
    // Each pane inverts its own switch, as the two may differ.
    auto invert = [&](const CKwLOutView &pane) {
        bool &value = model.switches(pane.paneKind()).*command.field;
        value = !value;
    };
    const bool on = !(model.switches(paneKind()).*command.field);
    m_tabbedView->document().history().record(switchStepName(command, on, paneKind()), [&] {
        invert(*this);
        if (other)
            invert(*other);
    });
    ApplySwitches();
    if (other)
        other->ApplySwitches();
    m_tabbedView->notifyLayoutChanged();
}

void CKwLOutView::relayoutAfter(void (PaneContents::*change)())
{
    if (!m_contents)
        return;
    ((*m_contents).*change)();
    Layout(viewport()->width(), viewport()->height());
    viewport()->update();
}

void CKwLOutView::rebuildElements()
{
    relayoutAfter(&PaneContents::rebuild);
}

void CKwLOutView::companyChanged()
{
    relayoutAfter(&PaneContents::companyChanged);
}

void CKwLOutView::editProperties(CPreviewElement &window)
{
    if (!m_tabbedView || !layoutOpen() || !window.CanEditProperties())
        return;
    const auto &edit = m_tabbedView->elementHooks().editProperties;
    if (!edit)
        return;
    guarded([&] {
        if (edit(window.element()))
            m_tabbedView->elementsChanged();
    });
}

void CKwLOutView::chooseGraphic(CPreviewElement &window)
{
    if (window.element().region() == layout::RegionId::KwRootNavigate) {
        editMainMenu();
        return;
    }
    if (!window.CanChooseGraphic() || !layoutOpen())
        return;
    guarded([&] { chooseLogo(); });
}

void CKwLOutView::editMainMenu()
{
    const std::optional<server::Environment> loaded = shell::loadedModuleEnvironment();
    if (!loaded)
        return;
    const server::Environment &env = *loaded;
    Prompter &prompter = shell::modulePrompter();
    guarded([&] {
        editors::MenuEntryEditors entryEditors;
        entryEditors.rights = [&](QWidget *parent, portalsettings::MenuEntry &entry, const QString &text) {
            return editors::editMenuEntryRights(parent, env, prompter, entry, text);
        };
        entryEditors.startPage = [&](QWidget *parent, portalsettings::MenuEntry &entry, const QString &text) {
            return editors::editMenuEntryStartPage(parent, env, prompter, entry, text);
        };
        editors::CTopLevelMenuSheet sheet(env, prompter, std::move(entryEditors), this);
        if (shell::runModal(sheet) != QDialog::Accepted)
            return;
        if (m_tabbedView)
            m_tabbedView->mainMenuChanged();
        else
            mainMenuChanged();
    });
}

void CKwLOutView::mainMenuChanged()
{
    relayoutAfter(&PaneContents::mainMenuChanged);
}

void CKwLOutView::chooseLogo()
{
    const auto &choose = m_tabbedView->elementHooks().chooseLogo;
    if (!choose)
        return;
    layout::LayoutDocument &doc = m_tabbedView->document();
    layout::CompanySettings &company = doc.companySettings();
    const std::optional<std::string> chosen = choose(company.logoFile);
    if (!chosen || *chosen == company.logoFile)
        return;
    // The history marks the layout modified and the company settings to be published.
    doc.history().record("Logo auswählen", [&] { company.logoFile = *chosen; });
    // Both panes take the name; a file of no known picture type leaves the logo shown as it was.
    m_tabbedView->companyChanged();
}

void CKwLOutView::welcomeTextEdited(const std::string &text)
{
    if (!m_tabbedView || !layoutOpen())
        return;
    layout::LayoutDocument &doc = m_tabbedView->document();
    // Typed key by key, one step; the history marks the layout modified and the start page content as to
    // be published.
    doc.history().record(
        "Begrüssungstext bearbeiten", [&] { doc.companySettings().shownWelcome = text; },
        layout::StepMerge::WelcomeText);
    guarded([&] { m_tabbedView->companyChanged(); });
}

void CKwLOutView::welcomeTextFocused()
{
    if (!m_tabbedView || !layoutOpen())
        return;
    if (const auto &edit = m_tabbedView->elementHooks().editWelcomeText) {
        guarded([&] {
            edit();
            m_tabbedView->companyChanged();
        });
    }
    m_tabbedView->commandStatesChanged();
}

bool CKwLOutView::canStepHistory(HistoryStep step)
{
    shell::CommandState state;
    return onUpdateCommand(historyCommand(step), state) && state.enabled;
}

void CKwLOutView::stepHistory(HistoryStep step)
{
    guarded([&] { onCommand(historyCommand(step)); });
    if (m_tabbedView)
        m_tabbedView->commandStatesChanged();
}

void CKwLOutView::selectionChanged()
{
    if (m_tabbedView)
        m_tabbedView->commandStatesChanged();
}

template <class F> void CKwLOutView::guarded(F &&action)
{
    try {
        action();
    } catch (const ServerError &error) {
        shell::modulePrompter().showExtendedError(StringId::ServerEnvironmentNotRead, error);
    } catch (const std::exception &error) {
        shell::modulePrompter().tell(error.what());
    }
}

void CKwLOutView::layoutChanged()
{
    if (m_contents)
        m_contents->layoutLoaded();
    Layout(viewport()->width(), viewport()->height());
    viewport()->update();
}

void CKwLOutView::layoutSaved()
{
    if (m_contents)
        m_contents->layoutSaved();
    Layout(viewport()->width(), viewport()->height());
    viewport()->update();
}

void CKwLOutView::drawIdlePicture(image::DeviceContext &dc, int clientWidth, int clientHeight) const
{
    const int width = m_idlePicture.Width();
    const int height = m_idlePicture.Height();
    m_idlePicture.Draw(dc, (clientWidth - width) / 2, (clientHeight - height) / 2, width, height, 0, 0, width,
                       height, image::RasterOp::SrcCopy, image::PaletteMode::Logical);
}

void CKwLOutView::paintEvent(QPaintEvent *)
{
    if (layoutOpen())
        return;
    QPainter painter(viewport());
    platform::QPainterDeviceContext dc(painter);
    drawIdlePicture(dc, viewport()->width(), viewport()->height());
}

} // namespace kw::preview
