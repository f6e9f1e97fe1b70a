// kwconsole: the host console. Opens a portal, loads the module KwLOutMan10 and shows its windows.
#include "ConsoleOptions.h"
#include "ConsoleWindow.h"
#include "ModuleHost.h"
#include "RenderCommand.h"

#include "demo/DemoPortal.h"
#include "platform/QtPrompter.h"
#include "server/LocalPortal.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMdiSubWindow>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <exception>

using namespace kw;

namespace {

void print(FILE *to, const QString &message)
{
    std::fputs(message.toLocal8Bit().constData(), to);
    if (!message.endsWith(QLatin1Char('\n')))
        std::fputc('\n', to);
}

// The demo portal is made on the first start; a failure is reported and the console opens without it.
bool ensureDemoPortal(const QString &folder, Prompter &prompter)
{
    if (server::LocalPortal::holdsPortal(folder.toStdString()))
        return true;
    try {
        demo::createDemoPortal(folder.toStdString());
        print(stdout, QStringLiteral("kwconsole: created the demo portal in %1").arg(folder));
        std::fflush(stdout);
        return true;
    } catch (const std::exception &error) {
        prompter.tell(QStringLiteral("Das Demo-Portal konnte nicht angelegt werden:\n%1")
                          .arg(QString::fromUtf8(error.what()))
                          .toStdString());
        return false;
    }
}

// The icon of the desktop theme when the package installed one, else the pictures built into the program.
QIcon applicationIcon()
{
    QIcon builtIn;
    for (int size : {16, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/kwloutman10-%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QStringLiteral("kwloutman10"), builtIn);
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing a layout into a file needs no window, and no display.
    if (console::wantsRender(argc, argv))
        return console::runRender(argc, argv);
    // The command line first, so that --help and mistakes are answered without a display. The name decides
    // where the demo portal lives.
    QCoreApplication::setApplicationName(QStringLiteral("KwLOutMan10"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QString message;
    int exitCode = 0;
    const std::optional<console::ConsoleOptions> options =
        console::parseOptions(arguments, &message, &exitCode);
    if (!options) {
        print(exitCode == 0 ? stdout : stderr, message);
        return exitCode;
    }
    // Without a display Qt would abort inside QApplication; say so plainly instead.
    if (!console::displayAvailable(options->platform)) {
        std::fputs("kwconsole: no display found (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                   "Start it in a graphical session, or set QT_QPA_PLATFORM (for example offscreen).\n",
                   stderr);
        return 3;
    }
    QApplication app(argc, argv);
    app.setWindowIcon(applicationIcon());
    // Qt's own texts (standard buttons, file dialogs) in German like every other text of the window.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);

    platform::QtPrompter prompter({}, QStringLiteral("kwconsole"));
    console::ModuleHost host(console::defaultModulePath());
    QString error;
    if (!host.load(&error)) {
        print(stderr, QStringLiteral("kwconsole: cannot load the module: %1").arg(error));
        prompter.tell(QStringLiteral("Das Modul konnte nicht geladen werden:\n%1").arg(error).toStdString());
        return 1;
    }

    int result = 0;
    {
        console::ConsoleWindow window(host, prompter);
        window.show();
        const bool portalReady = !options->demoPortal || ensureDemoPortal(options->portal, prompter);
        const bool opened = portalReady && window.openPortal(options->portal, options->user);
        if (opened) {
            const bool idle = options->idle;
            const bool check = options->check;
            QTimer::singleShot(0, &window, [&window, &app, idle, check] {
                QMdiSubWindow *moduleWindow = window.openModuleWindow(idle);
                if (check) {
                    window.closeAllModuleWindows();
                    app.exit(moduleWindow ? 0 : 1);
                }
            });
        }
        result = options->check && !opened ? 1 : app.exec();
    }
    host.terminate();
    return result;
}
