#include "ConsoleWindow.h"
#include "PublishHistoryDialog.h"

#include "platform/HostMessages.h"
#include "platform/PictureImages.h"
#include "shell/Resource.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

namespace kw::console {

using namespace kw::server;
namespace messages = platform::messages;

namespace {

constexpr const char *kConsoleName = "kwconsole";
constexpr int kRecoveryWatchMs = 500; // how often the console looks for new recovery notes

std::string text(const QString &s)
{
    return s.toStdString();
}

QString userName(ISession &session)
{
    const Ref<IUser> user = session.GetCurrentUser();
    if (!user)
        return {};
    QStringList parts;
    for (const std::string &part : {user->UserNamePart1(), user->UserNamePart2(), user->UserNamePart3()})
        if (!part.empty())
            parts.append(QString::fromStdString(part));
    return parts.join(QLatin1Char(' '));
}

} // namespace

ConsoleWindow::ConsoleWindow(ModuleHost &host, Prompter &prompter, QWidget *parent)
    : QMainWindow(parent), m_host(host), m_prompter(prompter)
{
    setObjectName(QStringLiteral("kwconsole"));
    m_shortCut = m_host.shortCut();

    m_mdi = new QMdiArea(this);
    m_mdi->setViewMode(QMdiArea::TabbedView);
    m_mdi->setDocumentMode(true);
    m_mdi->setTabsClosable(false);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *w) { onWindowActivated(w); });

    buildMenus();
    resize(1100, 760);
    updateTitle();

    // Recovery runs whenever a save or an activation takes the portal's write lock; what it did is told
    // as soon as no dialog is open.
    m_recoveryWatch = new QTimer(this);
    m_recoveryWatch->setInterval(kRecoveryWatchMs);
    connect(m_recoveryWatch, &QTimer::timeout, this, [this] {
        if (m_env.factory && !QApplication::activeModalWidget())
            tellRecoveryNotes(true);
    });
    m_recoveryWatch->start();
}

ConsoleWindow::~ConsoleWindow()
{
    // Whatever is still open goes before the template does; the layouts were cleaned up by closeEvent.
    for (ModuleWindowRecord &record : m_windows)
        delete record.window.data();
    m_windows.clear();
    m_template.reset();
}

void ConsoleWindow::buildMenus()
{
    auto *file = new QMenu(QStringLiteral("&Datei"), this);
    file->addAction(QStringLiteral("Firma &öffnen...\tStrg+F"), this, [this] { chooseCompany(); });
    file->addSeparator();
    file->addAction(QStringLiteral("&Beenden"), this, [this] { close(); });
    auto *view = new QMenu(QStringLiteral("&Ansicht"), this);
    m_consoleMenus = {file, view};

    m_extrasMenu = new QMenu(QStringLiteral("E&xtras"), this);
    m_shortCutAction = m_extrasMenu->addAction(m_shortCut.caption, this, [this] { runShortCut(); });
    m_shortCutAction->setObjectName(QStringLiteral("shortCut"));
    QAction *country = m_extrasMenu->addAction(QStringLiteral("&Ländereinstellungen..."), this, [this] {
        sendCommandToActivePane(shell::res::ID_COUNTRY_SETTINGS);
    });
    country->setObjectName(QStringLiteral("countrySettings"));
    QAction *contrast = m_extrasMenu->addAction(QStringLiteral("&Kontrastprüfung..."), this, [this] {
        sendCommandToActivePane(shell::res::ID_CONTRAST_CHECK);
    });
    contrast->setObjectName(QStringLiteral("contrastCheck"));
    QAction *history = m_extrasMenu->addAction(QStringLiteral("Veröffentlichungsverlauf..."), this,
                                               [this] { showPublishHistory(); });
    history->setObjectName(QStringLiteral("publishHistory"));

    m_shortCutBar = addToolBar(QStringLiteral("Halvering-Manager"));
    m_shortCutBar->setObjectName(QStringLiteral("shortCutBar"));
    const QImage picture = platform::builtinPicture(std::to_string(m_shortCut.bitmapId), 1, true);
    if (!picture.isNull())
        m_shortCutAction->setIcon(QIcon(QPixmap::fromImage(picture)));
    m_shortCutBar->addAction(m_shortCutAction);
    QAction *barToggle = m_shortCutBar->toggleViewAction();
    barToggle->setText(QStringLiteral("&Halvering-Manager Leiste"));
    view->addAction(barToggle);

    updateMenuBar();
}

void ConsoleWindow::connectConsoleItems(const QList<QMenu *> &menus)
{
    for (QMenu *menu : menus) {
        for (QAction *action : menu->actions()) {
            if (!action->property(shell::kConsoleCommandProperty).toBool())
                continue;
            switch (action->property(shell::kCommandProperty).toInt()) {
            case shell::res::ID_COMPANY_OPEN:
                action->setEnabled(true);
                connect(action, &QAction::triggered, this, [this] { chooseCompany(); });
                break;
            case shell::res::ID_APP_EXIT:
                action->setEnabled(true);
                connect(action, &QAction::triggered, this, [this] { close(); });
                break;
            case shell::res::ID_VIEW_CONSOLE_BAR:
                action->setEnabled(true);
                action->setChecked(m_shortCutBar->isVisible());
                connect(action, &QAction::triggered, m_shortCutBar, &QWidget::setVisible);
                connect(m_shortCutBar, &QToolBar::visibilityChanged, action, &QAction::setChecked);
                break;
            default:
                break; // not offered by this console: stays greyed
            }
        }
    }
}

bool ConsoleWindow::openPortal(const QString &folder, const QString &user)
{
    m_moduleAllowed = false;
    m_portalFolder = folder;
    m_portalName.clear();
    try {
        m_env = LocalPortal::open(folder.toStdString(), user.toStdString());
        m_notesTold = 0;
        const std::string name = m_env.session->GetPortal()->GetPortalName();
        m_portalName = QString::fromStdString(name.empty() ? m_env.session->GetSessionName() : name);
    } catch (const std::exception &error) {
        m_env = {};
        m_prompter.tell(text(QStringLiteral("Die Firma in %1 konnte nicht geöffnet werden:\n%2")
                                 .arg(folder, QString::fromUtf8(error.what()))));
        updateTitle();
        return false;
    }
    tellRecoveryNotes();
    m_moduleAllowed = m_host.setSession(m_env);
    if (!m_template)
        m_template = m_host.paneTemplate();
    updateTitle();
    if (!m_moduleAllowed) {
        QString who;
        try {
            who = userName(*m_env.session);
        } catch (const std::exception &) {
        }
        m_prompter.tell(text(QStringLiteral("Der Benutzer %1 hat keinen Zugriff auf den Layout Manager. "
                                            "Melden Sie sich mit einem anderen Benutzer an (--user NAME).")
                                 .arg(who.isEmpty() ? QStringLiteral("(unbekannt)") : who)));
        return false;
    }
    return true;
}

// Opening the portal, or a later save, may have finished or undone an interrupted activation: the user is
// told, once for each note.
void ConsoleWindow::tellRecoveryNotes(bool quiet)
{
    try {
        auto publishing = server::createObject<server::IPublishing>(*m_env.factory);
        publishing->AttachSession(m_env.session);
        const std::vector<std::string> notes = publishing->RecoveryNotes();
        // Counted as told before they are shown: a note is never shown twice, even while one is on screen.
        const std::size_t from = std::exchange(m_notesTold, std::max(m_notesTold, notes.size()));
        for (std::size_t i = from; i < notes.size(); ++i)
            m_prompter.tell(notes[i]);
    } catch (const std::exception &error) {
        if (!quiet)
            m_prompter.tell(error.what());
    }
}

void ConsoleWindow::showPublishHistory()
{
    if (!m_env.factory) {
        m_prompter.tell(text(QStringLiteral("Es ist keine Firma geöffnet.")));
        return;
    }
    PublishHistoryDialog dialog(m_env, m_prompter, this);
    dialog.exec();
}

QMdiSubWindow *ConsoleWindow::openModuleWindow(bool idle)
{
    if (!m_moduleAllowed || !m_template) {
        m_prompter.tell(text(QStringLiteral("Der Layout Manager ist für diese Firma nicht freigegeben.")));
        return nullptr;
    }
    m_host.setIdleInit(idle);
    auto *window = new QMdiSubWindow;
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_mdi->addSubWindow(window);
    const shell::ModuleWindow made = m_template->openDocumentFile(*window);
    if (!made.frame) {
        delete window;
        m_prompter.tell(
            text(QStringLiteral("Das Fenster des Layout Managers konnte nicht geöffnet werden.")));
        return nullptr;
    }
    ModuleWindowRecord record{window, made.frame, made.view, {}};
    for (QMenu *menu : made.menus)
        record.menus.append(menu);
    m_windows.push_back(record);
    connectConsoleItems(made.menus);
    m_mdi->setActiveSubWindow(window);
    onWindowActivated(window);
    return window;
}

void ConsoleWindow::closeModuleWindow(QMdiSubWindow *window)
{
    ModuleWindowRecord *record = recordOf(window);
    if (!record)
        return;
    platform::sendHostMessage(record->view.data(), messages::CleanUpSnapIn, 0, 0, this);
    delete record->window.data();
    forgetClosedWindows();
    updateMenuBar();
    updateTitle();
}

void ConsoleWindow::closeAllModuleWindows()
{
    while (!m_windows.empty()) {
        QMdiSubWindow *window = m_windows.back().window.data();
        if (!window) {
            m_windows.pop_back();
            continue;
        }
        closeModuleWindow(window);
    }
}

QList<QMdiSubWindow *> ConsoleWindow::moduleWindows() const
{
    QList<QMdiSubWindow *> out;
    for (const ModuleWindowRecord &record : m_windows)
        if (record.window)
            out.append(record.window.data());
    return out;
}

QList<QToolBar *> ConsoleWindow::dockedToolBars() const
{
    QList<QToolBar *> out;
    for (const QPointer<QToolBar> &bar : m_docked)
        if (bar)
            out.append(bar.data());
    return out;
}

void ConsoleWindow::runShortCut()
{
    if (!m_moduleAllowed) {
        m_prompter.tell(text(QStringLiteral("Der Layout Manager ist für diese Firma nicht freigegeben.")));
        return;
    }
    forgetClosedWindows();
    if (m_windows.empty() && !openModuleWindow(true))
        return;
    if (!currentRecord())
        m_mdi->setActiveSubWindow(m_windows.back().window.data());
    sendCommandToActivePane(static_cast<int>(m_shortCut.command));
}

bool ConsoleWindow::sendCommandToActivePane(int command)
{
    forgetClosedWindows();
    ModuleWindowRecord *record = currentRecord();
    if (!record && !m_windows.empty())
        record = &m_windows.back();
    if (!record || !record->frame) {
        m_prompter.tell(text(QStringLiteral("Es ist kein Fenster des Layout Managers geöffnet.")));
        return false;
    }
    return platform::sendHostMessage(record->frame.data(), messages::Command,
                                     static_cast<std::uintptr_t>(command), 0, this) != 0;
}

void ConsoleWindow::chooseCompany()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Firma öffnen"), m_portalFolder);
    if (folder.isEmpty())
        return;
    closeAllModuleWindows();
    if (openPortal(folder, {}))
        openModuleWindow(false);
}

ConsoleWindow::ModuleWindowRecord *ConsoleWindow::recordOf(const QMdiSubWindow *window)
{
    if (!window)
        return nullptr;
    for (ModuleWindowRecord &record : m_windows)
        if (record.window.data() == window)
            return &record;
    return nullptr;
}

ConsoleWindow::ModuleWindowRecord *ConsoleWindow::recordOfFrame(const QObject *frame)
{
    if (!frame)
        return nullptr;
    for (ModuleWindowRecord &record : m_windows)
        if (record.frame.data() == frame)
            return &record;
    return nullptr;
}

void ConsoleWindow::forgetClosedWindows()
{
    std::erase_if(m_windows,
                  [](const ModuleWindowRecord &record) { return !record.window || !record.frame; });
}

ConsoleWindow::ModuleWindowRecord *ConsoleWindow::currentRecord()
{
    if (ModuleWindowRecord *record = recordOf(m_current.data()); record && record->frame)
        return record;
    return nullptr;
}

void ConsoleWindow::onWindowActivated(QMdiSubWindow *window)
{
    // Losing the focus to another application deactivates every sub-window: that changes nothing here.
    if (window && window != m_current) {
        m_current = window;
        // Only the active module window's frame is shown; the others wait behind it, and their toolbars
        // with them. The focus moves into the shown frame first, so that hiding the others does not hand
        // it (and the activation) back to one of them.
        if (ModuleWindowRecord *active = currentRecord()) {
            active->frame->show();
            if (!active->frame->isAncestorOf(QApplication::focusWidget()))
                active->frame->setFocus();
        }
        for (ModuleWindowRecord &record : m_windows)
            if (record.frame && record.window.data() != window)
                record.frame->hide();
    }
    updateMenuBar();
    updateTitle();
}

void ConsoleWindow::updateMenuBar()
{
    QMenuBar *bar = menuBar();
    bar->clear();
    const ModuleWindowRecord *record = currentRecord();
    // "Extras" stands before the module's last drop-down, "Hilfe", where users look for it.
    if (record) {
        QList<QMenu *> menus;
        for (const QPointer<QMenu> &menu : record->menus)
            if (menu)
                menus.append(menu.data());
        for (qsizetype i = 0; i < menus.size(); ++i) {
            if (i + 1 == menus.size())
                bar->addMenu(m_extrasMenu);
            bar->addMenu(menus[i]);
        }
        if (menus.isEmpty())
            bar->addMenu(m_extrasMenu);
    } else {
        for (QMenu *menu : m_consoleMenus)
            bar->addMenu(menu);
        bar->addMenu(m_extrasMenu);
    }
}

void ConsoleWindow::updateTitle()
{
    QString title = QString::fromLatin1(kConsoleName);
    if (!m_portalName.isEmpty())
        title += QStringLiteral(" - ") + m_portalName;
    if (currentRecord() && !m_moduleTitle.isEmpty())
        title += QStringLiteral(" - ") + m_moduleTitle;
    setWindowTitle(title);
    statusBar()->showMessage(m_portalFolder);
}

bool ConsoleWindow::event(QEvent *event)
{
    using platform::HostMessageEvent;
    if (auto *message = HostMessageEvent::as(event, messages::GetDockStateName)) {
        ++m_announced;
        message->setResult(0);
        return true;
    }
    if (auto *message = HostMessageEvent::as(event, messages::PaneCreated)) {
        // Posted: the frame may be gone by now, and with it the toolbar.
        QObject *frame = message->source();
        auto *bar = reinterpret_cast<QToolBar *>(message->lParam());
        if (frame && bar && bar->parent() == frame) {
            addToolBar(Qt::TopToolBarArea, bar);
            m_docked.append(bar);
            const auto *frameWidget = qobject_cast<QWidget *>(frame);
            bar->setVisible(frameWidget && frameWidget->isVisible());
        }
        return true;
    }
    if (auto *message = HostMessageEvent::as(event, messages::ShowFrameTitle)) {
        if (QObject *frame = message->source()) {
            m_moduleTitle = *reinterpret_cast<const QString *>(message->lParam());
            if (ModuleWindowRecord *record = recordOfFrame(frame); record && record->window)
                record->window->setWindowTitle(m_moduleTitle);
            updateTitle();
        }
        return true;
    }
    return QMainWindow::event(event);
}

void ConsoleWindow::closeEvent(QCloseEvent *event)
{
    closeAllModuleWindows();
    event->accept();
}

} // namespace kw::console
