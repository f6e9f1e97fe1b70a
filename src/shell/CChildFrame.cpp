#include "shell/CChildFrame.h"

#include "platform/HelpLauncher.h"
#include "platform/HostMessages.h"
#include "platform/QtStrings.h"
#include "preview/PaneContents.h"
#include "preview/PaneElements.h"
#include "shell/CHistoryDlg.h"
#include "shell/CKwLOutDoc.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/CKwLOutView.h"
#include "shell/ContrastTools.h"
#include "shell/HelpTopics.h"
#include "shell/MenuResource.h"
#include "shell/ModuleContract.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace kw::shell {

namespace {

using platform::qt;

std::intptr_t address(const void *object)
{
    return reinterpret_cast<std::intptr_t>(object);
}

/// Marks the toolbar's actions, whose changing texts go into their tips.
constexpr const char *kToolBarButtonProperty = "kwToolBarButton";

/// A menu item's new text with the accelerator of its static text ("...\tStrg+Z").
QString menuText(int command, const std::string &text)
{
    QString result = QString::fromStdString(text);
    if (const MenuItemData *item = menuItem(command)) {
        const QString original = QString::fromUtf8(item->text);
        if (const qsizetype tab = original.indexOf(QLatin1Char('\t')); tab >= 0)
            result += original.mid(tab);
    }
    return result;
}

struct HistoryShortcut {
    QKeyCombination keys;
    int command;
};

constexpr HistoryShortcut kHistoryShortcuts[] = {
    {Qt::CTRL | Qt::Key_Z, res::ID_EDIT_UNDO},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, res::ID_EDIT_REDO},
    {Qt::CTRL | Qt::Key_Y, res::ID_EDIT_REDO},
};

} // namespace

CChildFrame::CChildFrame(QWidget *parent)
    : QWidget(parent), m_document(new CKwLOutDoc(this)), m_baseTitle(qt(loadString(StringId::LayoutManager))),
      m_title(m_baseTitle)
{
    setObjectName(QStringLiteral("CChildFrame"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildMenus();
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    help->setContext(Qt::WidgetWithChildrenShortcut);
    connect(help, &QShortcut::activated, this, [this] { routeCommand(res::ID_HELP); });
    createHistoryShortcuts();
}

CChildFrame::~CChildFrame()
{
    m_contrastTools.reset();
    if (m_tabbedView) {
        m_tabbedView->setHistoryListener({});
        m_tabbedView->closeLayout();
    }
    delete m_toolBar.data();
}

QToolBar *CChildFrame::toolBar() const
{
    return m_toolBar.data();
}

CHistoryDlg *CChildFrame::historyWindow() const
{
    return m_historyWindow.data();
}

void CChildFrame::createHistoryShortcuts()
{
    for (const HistoryShortcut &key : kHistoryShortcuts) {
        auto *shortcut = new QShortcut(QKeySequence(key.keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, id = key.command] { routeCommand(id); });
    }
}

void CChildFrame::historyChanged()
{
    const bool modified =
        m_tabbedView && m_tabbedView->document().isOpen() && m_tabbedView->document().isModified();
    const QString title = modified ? m_baseTitle + QStringLiteral(" *") : m_baseTitle;
    if (title != m_title) {
        m_title = title;
        if (m_host)
            m_host->setWindowTitle(m_title);
        onUpdateFrameTitle();
    }
    if (m_historyWindow)
        m_historyWindow->refresh();
    updateCommandStates();
}

QList<QAction *> CChildFrame::actionsOf(int command) const
{
    QList<QAction *> found;
    const auto [first, last] = m_actions.equal_range(command);
    for (auto it = first; it != last; ++it)
        found.append(it->second);
    return found;
}

void CChildFrame::buildMenus()
{
    for (const DropDownData &dropDown : menuResource()) {
        auto *menu = new QMenu(QString::fromUtf8(dropDown.title), this);
        for (const MenuItemData &item : dropDown.items) {
            if (item.command == 0) {
                menu->addSeparator();
                continue;
            }
            QAction *action = menu->addAction(QString::fromUtf8(item.text));
            const int id = item.command;
            action->setProperty(kCommandProperty, id);
            action->setCheckable(item.checkable);
            if (item.handledBy == HandledBy::Console) {
                // The console's own command: it connects and enables it when it offers it.
                action->setProperty(kConsoleCommandProperty, true);
                action->setEnabled(false);
                continue;
            }
            m_actions.emplace(id, action);
            connect(action, &QAction::triggered, this, [this, id] { routeCommand(id); });
        }
        connect(menu, &QMenu::aboutToShow, this, [this] { updateCommandStates(); });
        m_menus.append(menu);
    }
}

bool CChildFrame::createToolBar()
{
    const QList<QImage> &pictures = moduleResources().toolBarImages();
    for (const ToolBarButtonData &button : toolBarResource())
        if (button.picture >= pictures.size())
            return false;
    auto *bar = new QToolBar(m_title, this);
    bar->setObjectName(QString::number(res::IDR_KWLOUTMAN));
    bar->setIconSize(QSize(16, 15));
    bar->hide();
    for (const ToolBarButtonData &button : toolBarResource()) {
        if (button.command == 0) {
            bar->addSeparator();
            continue;
        }
        const int id = button.command;
        QAction *action =
            bar->addAction(QIcon(QPixmap::fromImage(pictures[button.picture])), toolTipText(id));
        action->setProperty(kCommandProperty, id);
        action->setProperty(kToolBarButtonProperty, true);
        // The buttons show only their pictures: a screen reader says what the menu item says.
        bar->widgetForAction(action)->setAccessibleName(toolTipText(id));
        m_actions.emplace(id, action);
        connect(action, &QAction::triggered, this, [this, id] { routeCommand(id); });
    }
    m_toolBar = bar;
    return true;
}

bool CChildFrame::onCreateClient()
{
    m_tabbedView = new CKwLOutTabbedView(this);
    m_tabbedView->setWindowTitle(m_title);
    layout()->addWidget(m_tabbedView);
    m_tabbedView->onCreate();
    m_tabbedView->addPane(new preview::CKwLOutView(true), qt(loadString(StringId::DefaultStartPage)), true);
    m_tabbedView->addPane(new preview::CKwLOutView(false), qt(loadString(StringId::ApplicationPages)), false);
    auto *statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    layout()->addWidget(statusBar);
    m_contrastTools = std::make_unique<ContrastTools>(*m_tabbedView, *statusBar, this);
    connect(m_tabbedView, &QTabWidget::currentChanged, this, [this] { updateCommandStates(); });
    // What 32907 and 32906 answer follows the selection and the keyboard focus.
    m_tabbedView->setCommandStatesListener([this] { updateCommandStates(); });
    m_tabbedView->setHistoryListener([this] { historyChanged(); });
    connect(qApp, &QApplication::focusChanged, this, [this] { updateCommandStates(); });

    if (!createToolBar())
        return false;
    QWidget *console = consoleMainWindow();
    platform::sendHostMessage(console, platform::messages::GetDockStateName, 0, address(this), this);
    platform::postHostMessage(console, platform::messages::PaneCreated, 0, address(m_toolBar.data()), this);
    updateCommandStates();
    return true;
}

void CChildFrame::attachToHost(QMdiSubWindow &host)
{
    m_host = &host;
    m_hostObject = &host;
    host.setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint);
    host.setSystemMenu(nullptr);
    host.setWindowTitle(m_title);
    host.installEventFilter(this);
    host.showMaximized();
}

void CChildFrame::activateFrame()
{
    onUpdateFrameTitle();
    show();
    if (m_host)
        m_host->showMaximized();
}

void CChildFrame::onUpdateFrameTitle()
{
    platform::postHostMessage(consoleMainWindow(), platform::messages::ShowFrameTitle, 0, address(&m_title),
                              this);
}

QWidget *CChildFrame::consoleMainWindow() const
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget())
        if (auto *main = qobject_cast<QMainWindow *>(w))
            return main;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *main = qobject_cast<QMainWindow *>(top))
            return main;
    return nullptr;
}

bool CChildFrame::routeCommand(int id)
{
    bool handled = false;
    try {
        preview::CKwLOutView *pane = m_tabbedView ? m_tabbedView->activePane() : nullptr;
        if (pane)
            handled = pane->onCommand(id);
        else if (m_tabbedView)
            handled = m_tabbedView->onCommand(id);
        if (!handled)
            handled = onCommand(id);
    } catch (const ServerError &error) {
        modulePrompter().showExtendedError(StringId::ServerEnvironmentNotRead, error);
        handled = true;
    } catch (const std::exception &error) {
        modulePrompter().tell(error.what());
        handled = true;
    }
    updateCommandStates();
    return handled;
}

CommandState CChildFrame::commandState(int id)
{
    CommandState state;
    preview::CKwLOutView *pane = m_tabbedView ? m_tabbedView->activePane() : nullptr;
    bool answered = false;
    if (pane)
        answered = pane->onUpdateCommand(id, state);
    else if (m_tabbedView)
        answered = m_tabbedView->onUpdateCommand(id, state);
    if (!answered)
        answered = onUpdateCommand(id, state);
    if (!answered)
        state.enabled = false;
    return state;
}

void CChildFrame::updateCommandStates()
{
    try {
        for (const auto &[id, action] : m_actions) {
            const CommandState state = commandState(id);
            action->setEnabled(state.enabled);
            if (action->isCheckable())
                action->setChecked(state.checked.value_or(false));
            if (!state.text)
                continue;
            if (action->property(kToolBarButtonProperty).toBool())
                action->setToolTip(QString::fromStdString(*state.text).remove(QLatin1Char('&')));
            else
                action->setText(menuText(id, *state.text));
        }
    } catch (const std::exception &) {
        // An update request that fails leaves the items as they were.
    }
}

bool CChildFrame::onCommand(int id)
{
    if (m_contrastTools && m_contrastTools->onCommand(id))
        return true;
    switch (id) {
    case res::ID_VIEW_LAYOUT_BAR:
        m_toolBarWanted = !m_toolBarWanted;
        applyToolBarRule(isVisible());
        return true;
    case res::ID_VIEW_HISTORY:
        if (!m_tabbedView)
            return true;
        if (!m_historyWindow) {
            m_historyWindow = new CHistoryDlg(*m_tabbedView, this);
            placeHistoryWindow();
        }
        m_historyWindow->setVisible(!m_historyWindow->isVisible());
        if (m_historyWindow->isVisible())
            m_historyWindow->refresh();
        return true;
    case res::ID_HELP:
        platform::showHelpTopic(help::Frame);
        return true;
    default:
        return false;
    }
}

void CChildFrame::placeHistoryWindow()
{
    constexpr int kGap = 8;
    const QRect main = window()->frameGeometry();
    const QScreen *screen = window()->screen();
    const QRect desk = screen ? screen->availableGeometry() : main;
    QSize size = m_historyWindow->size();
    // Beside the main window where the screen leaves room for it.
    if (desk.right() - main.right() >= size.width() + kGap) {
        m_historyWindow->move(main.right() + kGap, main.top());
        return;
    }
    // Otherwise at the right edge of the preview, below the page header, the menus and the start page's
    // logo and welcome text: there the page shows least, and nothing that the user edits in place.
    const QRect preview(m_tabbedView->mapToGlobal(QPoint(0, 0)), m_tabbedView->size());
    int top = preview.top() + kGap;
    if (preview::CKwLOutView *start = m_tabbedView->startPagePane(); start && start->contents())
        if (const preview::CAppPageWindow *page = start->contents()->windows().appPage())
            for (const QWidget *control : {static_cast<const QWidget *>(page->logoControl()),
                                           static_cast<const QWidget *>(page->welcomeControl())})
                if (control && !control->isHidden())
                    top = std::max(top, control->mapToGlobal(QPoint(0, control->height())).y() + kGap);
    const int room = preview.bottom() - kGap - top;
    if (room < size.height())
        size.setHeight(std::max(room, m_historyWindow->minimumSizeHint().height()));
    m_historyWindow->resize(size);
    m_historyWindow->move(preview.right() - kGap - size.width(), top);
}

bool CChildFrame::onUpdateCommand(int id, CommandState &state)
{
    if (m_contrastTools && m_contrastTools->onUpdateCommand(id, state))
        return true;
    switch (id) {
    case res::ID_VIEW_LAYOUT_BAR:
        state.checked = m_toolBarWanted;
        return true;
    case res::ID_VIEW_HISTORY:
        state.enabled = m_tabbedView != nullptr;
        state.checked = m_historyWindow && m_historyWindow->isVisible();
        return true;
    case res::ID_HELP:
        return true;
    default:
        return false;
    }
}

void CChildFrame::applyToolBarRule(bool frameShown)
{
    if (!m_toolBar)
        return;
    const bool docked = m_toolBar->parentWidget() != this;
    m_toolBar->setVisible(m_toolBarWanted && frameShown && docked);
}

bool CChildFrame::event(QEvent *event)
{
    if (auto *command = platform::HostMessageEvent::as(event, platform::messages::Command)) {
        command->setResult(routeCommand(static_cast<int>(command->wParam())) ? 1 : 0);
        return true;
    }
    return QWidget::event(event);
}

bool CChildFrame::eventFilter(QObject *watched, QEvent *event)
{
    // Identity by the plain pointer: the filter also sees the events of a sub-window half destroyed.
    if (watched != m_hostObject)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Close:
        // Closing, like every other system command, is the console's business, not the user's.
        event->ignore();
        return true;
    case QEvent::WindowStateChange:
        // Restoring or minimising the window is undone. The console's own switching between its windows
        // may restore a window it deactivates; that one is left to the console. Decided once the change
        // has settled: by then the console may have activated another.
        if (m_host && !(m_host->windowState() & Qt::WindowMaximized))
            QTimer::singleShot(0, this, [this] {
                if (m_host && !(m_host->windowState() & Qt::WindowMaximized) && isActiveHost())
                    m_host->showMaximized();
            });
        return false;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

bool CChildFrame::isActiveHost() const
{
    if (!m_host)
        return false;
    QMdiArea *area = m_host->mdiArea();
    return !area || area->activeSubWindow() == m_host.data();
}

void CChildFrame::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    onUpdateFrameTitle();
    applyToolBarRule(isVisible());
}

void CChildFrame::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    applyToolBarRule(true);
}

void CChildFrame::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    applyToolBarRule(false);
}

} // namespace kw::shell
