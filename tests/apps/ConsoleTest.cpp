// kwconsole with the built module: options, opening portals, the module's window with its toolbar, title
// and menus, refusals, commands to the pane, and closing.
#include "ConsoleOptions.h"
#include "ConsoleWindow.h"
#include "ModuleHost.h"

#include "demo/DemoPortal.h"
#include "platform/HostMessages.h"
#include "server/PortalAccess.h"
#include "shell/ModuleContract.h"

#include "EnglishWords.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kw::console {
namespace {

const QString kModule = QStringLiteral(KW_BINARY_DIR "/lib/libKwLOutMan10.so");

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Answers the module's own modal dialogs (which the test cannot reach inside the library) by closing them,
// and notes what they showed.
class ModalCloser {
public:
    ModalCloser()
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            auto *dialog = qobject_cast<QDialog *>(modal);
            if (!dialog)
                return;
            if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
                seen.append(box->text());
                informative.append(box->informativeText());
            } else
                seen.append(dialog->objectName() + QLatin1Char(' ') + dialog->windowTitle());
            dialog->reject();
        });
        m_timer.start();
    }
    QStringList seen;
    QStringList informative; // of the message boxes, in order

private:
    QTimer m_timer;
};

// Counts the "KwCleanUpSnapIn" messages delivered anywhere in the application.
class CleanUpCounter : public QObject {
public:
    CleanUpCounter() { qApp->installEventFilter(this); }
    ~CleanUpCounter() override { qApp->removeEventFilter(this); }
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (platform::HostMessageEvent::is(event, platform::messages::CleanUpSnapIn))
            ++count;
        return false;
    }
};

TEST(ConsoleOptions, PortalAndUserOrTheDemoPortal)
{
    QCoreApplication::setApplicationName(QStringLiteral("KwLOutMan10"));
    QString message;
    int exitCode = -1;
    auto parsed =
        parseOptions({"kwconsole", "--portal", "/srv/portal", "--user", "gast"}, &message, &exitCode);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(QStringLiteral("/srv/portal"), parsed->portal);
    EXPECT_EQ(QStringLiteral("gast"), parsed->user);
    EXPECT_FALSE(parsed->demoPortal);

    parsed = parseOptions({"kwconsole", "--user", "gast"}, &message, &exitCode);
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->demoPortal);
    EXPECT_TRUE(parsed->portal.endsWith(QStringLiteral("/KwLOutMan10/demo-portal")))
        << parsed->portal.toStdString();

    for (const QStringList &bad : {QStringList{"kwconsole", "--bogus"}, QStringList{"kwconsole", "extra"},
                                   QStringList{"kwconsole", "--portal"}}) {
        EXPECT_FALSE(parseOptions(bad, &message, &exitCode)) << bad.join(' ').toStdString();
        EXPECT_EQ(2, exitCode);
        EXPECT_FALSE(message.isEmpty());
    }
    EXPECT_FALSE(parseOptions({"kwconsole", "--help"}, &message, &exitCode));
    EXPECT_EQ(0, exitCode);
    EXPECT_TRUE(message.contains(QStringLiteral("--portal")));
}

TEST(ConsoleOptions, VersionAndTheInstallationCheck)
{
    QString message;
    int exitCode = -1;
    EXPECT_FALSE(parseOptions({"kwconsole", "--version"}, &message, &exitCode));
    EXPECT_EQ(0, exitCode);
    EXPECT_EQ(QStringLiteral("kwconsole " KW_VERSION "\n"), message);
    // The check opens the designer without asking for a layout.
    const auto parsed = parseOptions({"kwconsole", "--check"}, &message, &exitCode);
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->check);
    EXPECT_TRUE(parsed->idle);
}

TEST(ConsoleOptions, QtsOwnOptionsAreLeftToTheApplication)
{
    QString message;
    int exitCode = -1;
    auto parsed = parseOptions({"kwconsole", "-platform", "offscreen", "-geometry", "800x600+0+0",
                                "-style=fusion", "-reverse", "--portal", "/srv/portal", "--check"},
                               &message, &exitCode);
    ASSERT_TRUE(parsed) << message.toStdString();
    EXPECT_EQ(QStringLiteral("offscreen"), parsed->platform);
    EXPECT_EQ(QStringLiteral("/srv/portal"), parsed->portal);
    EXPECT_TRUE(parsed->check);
    // A platform on the command line is a display as good as QT_QPA_PLATFORM.
    EXPECT_TRUE(displayAvailable(parsed->platform));
    // Only Qt's own names are passed over; other single-dash words are still mistakes.
    EXPECT_FALSE(parseOptions({"kwconsole", "-platforms", "x"}, &message, &exitCode));
    EXPECT_EQ(2, exitCode);
}

TEST(ModulePath, TheBuildFoldersLibFirstThenTheInstalledModuleFolder)
{
    test::TempDir prefix;
    const QString root = QString::fromStdString(prefix.path().string());
    const QString bin = root + QStringLiteral("/bin");
    const QString installed =
        QDir::cleanPath(bin + QStringLiteral("/" KW_BIN_TO_MODULE "/libKwLOutMan10.so"));
    EXPECT_TRUE(installed.startsWith(root + QStringLiteral("/lib"))) << installed.toStdString();
    EXPECT_TRUE(installed.contains(QStringLiteral("/KwLOutMan10/"))) << installed.toStdString();
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_EQ(installed, modulePathBeside(bin));
    QFile built(root + QStringLiteral("/lib/libKwLOutMan10.so"));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/lib")) && built.open(QIODevice::WriteOnly));
    built.close();
    EXPECT_EQ(built.fileName(), modulePathBeside(bin));
}

TEST(ConsoleOptions, ADisplayIsThereWhenAPlatformOrAServerIsNamed)
{
    const QByteArray saved[] = {qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY")};
    const char *names[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
    for (const char *name : names)
        qunsetenv(name);
    EXPECT_FALSE(displayAvailable());
    for (const char *name : names) {
        qputenv(name, "x");
        EXPECT_TRUE(displayAvailable()) << name;
        qunsetenv(name);
    }
    for (int i = 0; i < 3; ++i)
        if (!saved[i].isNull())
            qputenv(names[i], saved[i]);
}

class Console : public ::testing::Test {
protected:
    test::TempDir demo;
    ModuleHost host{kModule};
    test::ScriptedPrompter prompter;
    std::unique_ptr<ConsoleWindow> window;

    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(host.load(&error)) << error.toStdString();
        kw::demo::createDemoPortal(demo.path());
        window = std::make_unique<ConsoleWindow>(host, prompter);
        window->show();
    }
    void TearDown() override
    {
        if (window)
            window->close();
        window.reset();
        host.terminate();
    }
    QString demoFolder() const { return QString::fromStdString(demo.path().string()); }
    QStringList menuTitles() const
    {
        QStringList titles;
        for (QAction *action : window->menuBar()->actions())
            titles.append(action->text());
        return titles;
    }
    QAction *moduleItem(int command) const
    {
        for (QAction *top : window->menuBar()->actions())
            if (top->menu())
                for (QAction *item : top->menu()->actions())
                    if (item->property(shell::kCommandProperty).toInt() == command)
                        return item;
        return nullptr;
    }
};

TEST_F(Console, ShowsTheModulesWindowWithItsToolbarTitleAndMenus)
{
    EXPECT_EQ(QStringLiteral("Layout öffnen"),
              window->findChild<QAction *>(QStringLiteral("shortCut"))->text());
    EXPECT_FALSE(window->findChild<QAction *>(QStringLiteral("shortCut"))->icon().isNull());
    EXPECT_EQ((QStringList{"&Datei", "&Ansicht", "E&xtras"}), menuTitles());

    ASSERT_TRUE(window->openPortal(demoFolder(), {}));
    EXPECT_TRUE(window->moduleAllowed());
    QMdiSubWindow *sub = window->openModuleWindow(true);
    ASSERT_NE(nullptr, sub);
    settle();
    EXPECT_EQ(1, window->announcedFrames());
    ASSERT_EQ(1, window->dockedToolBars().size());
    QPointer<QToolBar> bar = window->dockedToolBars()[0];
    EXPECT_EQ(window.get(), bar->parentWidget());
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(QStringLiteral("Layout Manager"), window->moduleTitle());
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral(" - Layout Manager")));
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("Demo-Portal")));

    EXPECT_EQ((QStringList{"&Datei", "&Bearbeiten", "&Ansicht", "E&xtras", "&Hilfe"}), menuTitles());
    ASSERT_NE(nullptr, moduleItem(32772));
    EXPECT_TRUE(moduleItem(32772)->isEnabled()) << "Firma öffnen is the console's";
    EXPECT_FALSE(moduleItem(32773)->isEnabled()) << "Neue Firma is not offered";
    EXPECT_TRUE(moduleItem(32900)->isEnabled());
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();

    CleanUpCounter cleanUps;
    window->closeAllModuleWindows();
    EXPECT_EQ(1, cleanUps.count);
    EXPECT_TRUE(window->moduleWindows().isEmpty());
    EXPECT_TRUE(bar.isNull());
    EXPECT_EQ((QStringList{"&Datei", "&Ansicht", "E&xtras"}), menuTitles());
}

TEST_F(Console, RefusesTheModuleToAUserWithoutAccessAndToAPortalItCannotOpen)
{
    EXPECT_FALSE(window->openPortal(demoFolder(), QStringLiteral("gast")));
    EXPECT_FALSE(window->moduleAllowed());
    ASSERT_EQ(1u, prompter.messages().size());
    EXPECT_NE(std::string::npos, prompter.messages()[0].find("Gustav Gast hat keinen Zugriff"))
        << prompter.describe();
    EXPECT_EQ(nullptr, window->openModuleWindow(true));
    window->runShortCut();
    EXPECT_EQ(3u, prompter.messages().size());

    EXPECT_FALSE(window->openPortal(demoFolder() + QStringLiteral("/nowhere"), {}));
    EXPECT_NE(std::string::npos, prompter.messages().back().find("konnte nicht geöffnet werden"));

    // The console stays usable: another portal opens.
    EXPECT_TRUE(window->openPortal(demoFolder(), {}));
    EXPECT_NE(nullptr, window->openModuleWindow(true));
}

TEST_F(Console, SendsCommandsToTheActivePaneAndTheShortCutToTheModule)
{
    ASSERT_TRUE(window->openPortal(demoFolder(), {}));
    EXPECT_FALSE(window->sendCommandToActivePane(32792)) << "no module window yet";
    EXPECT_EQ(1u, prompter.messages().size());

    ModalCloser closer;
    window->runShortCut(); // opens a window without a question, then asks for a layout
    ASSERT_EQ(1, window->moduleWindows().size());
    ASSERT_EQ(1, closer.seen.size());
    EXPECT_EQ(QStringLiteral("12014 Layout laden"), closer.seen[0]);

    // The active pane gets the command and opens the country settings dialog.
    EXPECT_TRUE(window->sendCommandToActivePane(32792));
    ASSERT_EQ(2, closer.seen.size());
    EXPECT_EQ(closer.seen[1], QString::fromUtf8("12018 Ländereinstellungen"));
}

TEST_F(Console, OpeningTellsWhatRecoveryDidAndExtrasOpensThePublishingHistory)
{
    QAction *history = window->findChild<QAction *>(QStringLiteral("publishHistory"));
    ASSERT_NE(nullptr, history);
    EXPECT_EQ(QStringLiteral("Veröffentlichungsverlauf..."), history->text());
    history->trigger();
    ASSERT_EQ(1u, prompter.messages().size());
    EXPECT_EQ("Es ist keine Firma geöffnet.", prompter.messages()[0]);

    // A temporary file left by a killed write is removed when the portal is opened, and the user told.
    test::writeFile(demo.path() / "_KwStyle/.kwtmp-left", "half");
    ASSERT_TRUE(window->openPortal(demoFolder(), {}));
    EXPECT_FALSE(std::filesystem::exists(demo.path() / "_KwStyle/.kwtmp-left"));
    ASSERT_EQ(2u, prompter.messages().size());
    EXPECT_EQ("Eine temporäre Datei eines unterbrochenen Schreibvorgangs wurde gelöscht.",
              prompter.messages()[1])
        << prompter.describe();

    ModalCloser closer;
    history->trigger();
    ASSERT_EQ(1, closer.seen.size());
    EXPECT_EQ(QStringLiteral("publishHistory Veröffentlichungsverlauf"), closer.seen[0]);
}

// Recovery also runs when a save takes the portal's write lock after opening: what it did is told then,
// once, however often the lock is taken afterwards.
TEST_F(Console, RecoveryAfterOpeningIsToldOnce)
{
    ASSERT_TRUE(window->openPortal(demoFolder(), {}));
    ASSERT_TRUE(prompter.messages().empty()) << prompter.describe();
    const server::Environment &env = window->environment();
    auto takeTheLock = [&] { server::PublishScope batch(*env.factory, env.session, "Herbst"); };
    auto waitForTheConsole = [] {
        for (int i = 0; i < 30; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(50);
        }
    };
    test::writeFile(demo.path() / "_KwStyle/.kwtmp-left", "half");
    takeTheLock();
    EXPECT_FALSE(std::filesystem::exists(demo.path() / "_KwStyle/.kwtmp-left"));
    waitForTheConsole();
    EXPECT_EQ(
        prompter.messages(),
        std::vector<std::string>{"Eine temporäre Datei eines unterbrochenen Schreibvorgangs wurde gelöscht."})
        << prompter.describe();
    takeTheLock();
    takeTheLock();
    waitForTheConsole();
    EXPECT_EQ(prompter.messages().size(), 1u) << prompter.describe();
}

// The extended error dialog shows the server's reason beside the string table's message, in German as
// the rest of the window: here the start page dialog on a portal without KwStartPage.asp.
TEST_F(Console, TheServersReasonInTheErrorDialogIsGerman)
{
    ASSERT_TRUE(window->openPortal(demoFolder(), {}));
    std::filesystem::remove(demo.path() / "_KwInclude/KwCompany/KwStartPage.asp");
    ASSERT_NE(nullptr, window->openModuleWindow(true));
    settle();
    QAction *startPage = moduleItem(32791);
    ASSERT_NE(nullptr, startPage);

    ModalCloser closer;
    startPage->trigger();
    ASSERT_EQ(1, closer.informative.size()) << closer.seen.join('\n').toStdString();
    EXPECT_EQ(QStringLiteral("Die Startseiteninformation konnte nicht gelesen werden."), closer.seen[0]);
    const std::string folder = std::filesystem::canonical(demo.path() / "_KwInclude/KwCompany").string();
    const std::string reason = closer.informative[0].toStdString();
    EXPECT_EQ("Die Datei \"KwStartPage.asp\" ist im Ordner " + folder + " nicht vorhanden.", reason);
    std::string withoutFolder = reason;
    if (const std::size_t at = withoutFolder.find(folder); at != std::string::npos)
        withoutFolder.erase(at, folder.size());
    EXPECT_EQ(test::englishWordsIn(withoutFolder), std::vector<std::string>{}) << reason;
}

TEST_F(Console, ClosingCleansUpEveryModuleWindow)
{
    ASSERT_TRUE(window->openPortal(demoFolder(), {}));
    ASSERT_NE(nullptr, window->openModuleWindow(true));
    ASSERT_NE(nullptr, window->openModuleWindow(true));
    settle();
    ASSERT_EQ(2, window->dockedToolBars().size());
    // Only the active window's toolbar shows; switching windows switches toolbars.
    EXPECT_FALSE(window->dockedToolBars()[0]->isVisible());
    EXPECT_TRUE(window->dockedToolBars()[1]->isVisible());
    window->mdiArea()->setActiveSubWindow(window->moduleWindows()[0]);
    EXPECT_TRUE(window->dockedToolBars()[0]->isVisible());
    EXPECT_FALSE(window->dockedToolBars()[1]->isVisible());

    CleanUpCounter cleanUps;
    window->close();
    EXPECT_EQ(2, cleanUps.count);
    EXPECT_TRUE(window->moduleWindows().isEmpty());
    EXPECT_TRUE(window->dockedToolBars().isEmpty());
}

} // namespace
} // namespace kw::console
