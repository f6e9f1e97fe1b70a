#include "ConsoleOptions.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kw::console {

std::optional<ConsoleOptions> parseOptions(const QStringList &arguments, QString *message, int *exitCode)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Host console of the layout designer KwLOutMan10.\n"
        "kwconsole [--portal DIR] --open NAME --render FILE.png [--pane start|app] [--size WxH]\n"
        "draws a pane of a layout into a PNG file without a window."));
    const QCommandLineOption portal(QStringLiteral("portal"), QStringLiteral("Portal folder to open."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("Login name of the portal user."),
                                  QStringLiteral("NAME"));
    const QCommandLineOption idle(QStringLiteral("idle"),
                                  QStringLiteral("Open the designer without asking for a layout."));
    const QCommandLineOption check(
        QStringLiteral("check"),
        QStringLiteral(
            "Open the portal and the designer's window without a layout, then quit; the exit status "
            "tells whether that worked (for installation checks)."));
    parser.addOptions({portal, user, idle, check});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information."));
    parser.addOption(version);
    // The parser names the program only once an application object exists; this runs before.
    const QString program =
        arguments.isEmpty() ? QStringLiteral("kwconsole") : QFileInfo(arguments[0]).fileName();
    const QString usage = parser.helpText().replace(QStringLiteral("<executable_name>"), program);
    if (!parser.parse(arguments)) {
        *message = parser.errorText() + QLatin1Char('\n') + usage;
        *exitCode = 2;
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        *message = usage;
        *exitCode = 0;
        return std::nullopt;
    }
    if (parser.isSet(version)) {
        *message = program + QStringLiteral(" " KW_VERSION "\n");
        *exitCode = 0;
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *message =
            QStringLiteral("Unexpected argument: %1\n").arg(parser.positionalArguments().front()) + usage;
        *exitCode = 2;
        return std::nullopt;
    }
    ConsoleOptions options;
    options.portal = parser.value(portal);
    options.user = parser.value(user);
    options.check = parser.isSet(check);
    options.idle = parser.isSet(idle) || options.check;
    options.demoPortal = options.portal.isEmpty();
    if (options.demoPortal)
        options.portal = demoPortalFolder();
    return options;
}

QString demoPortalFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .absoluteFilePath(QStringLiteral("demo-portal"));
}

bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace kw::console
