#include "ConsoleOptions.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kw::console {

namespace {

// Qt's standard options of every GUI program; QApplication takes them out of argv itself.
constexpr const char *qtOptionsWithValue[] = {"platform",
                                              "platformpluginpath",
                                              "platformtheme",
                                              "plugin",
                                              "qwindowgeometry",
                                              "geometry",
                                              "qwindowicon",
                                              "qwindowtitle",
                                              "style",
                                              "stylesheet",
                                              "display",
                                              "session",
                                              "qmljsdebugger",
                                              "fontengine",
                                              "title",
                                              "visual",
                                              "name"};
constexpr const char *qtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

// The option's name without its dashes and an attached "=value", if `argument` is one of Qt's.
QString qtOptionName(const QString &argument, bool *hasValue, bool *valueAttached)
{
    if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("--"))
        return {};
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    *valueAttached = name.contains(QLatin1Char('='));
    name = name.section(QLatin1Char('='), 0, 0);
    for (const char *option : qtOptionsWithValue)
        if (name == QLatin1String(option)) {
            *hasValue = true;
            return name;
        }
    for (const char *option : qtFlagOptions)
        if (name == QLatin1String(option)) {
            *hasValue = false;
            return name;
        }
    return {};
}

// The arguments without Qt's own options; the platform chosen by -platform goes to `platform`.
QStringList withoutQtOptions(const QStringList &arguments, QString *platform)
{
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        bool hasValue = false;
        bool valueAttached = false;
        const QString name = i == 0 ? QString() : qtOptionName(arguments[i], &hasValue, &valueAttached);
        if (name.isEmpty()) {
            rest.append(arguments[i]);
            continue;
        }
        QString value;
        if (valueAttached)
            value = arguments[i].section(QLatin1Char('='), 1);
        else if (hasValue && i + 1 < arguments.size())
            value = arguments[++i];
        if (name == QLatin1String("platform"))
            *platform = value;
    }
    return rest;
}

} // namespace

std::optional<ConsoleOptions> parseOptions(const QStringList &arguments, QString *message, int *exitCode)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Host console of the layout designer KwLOutMan10. In its window Ctrl+Z and Ctrl+Y (or\n"
        "Bearbeiten > Rückgängig, Wiederholen) undo and redo every edit of the layout.\n"
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
    QString platform;
    if (!parser.parse(withoutQtOptions(arguments, &platform))) {
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
    options.platform = platform;
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

bool displayAvailable(const QString &platformArgument)
{
    return !platformArgument.isEmpty() || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace kw::console
