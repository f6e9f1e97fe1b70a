// The console's command line and the places it falls back to.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kw::console {

struct ConsoleOptions {
    QString portal;          ///< --portal DIR; empty: the demo portal
    QString user;            ///< --user NAME; empty: the portal's first user
    bool idle = false;       ///< --idle: open the module window without asking for a layout
    bool check = false;      ///< --check: open the module window without a layout, then quit
    bool demoPortal = false; ///< no --portal was given
    QString platform;        ///< -platform NAME, one of Qt's own options, which QApplication takes
};

/// Parses the arguments (argv[0] first). Qt's own options of every GUI program (-platform, -geometry,
/// -style, -reverse and the like) are accepted and left to QApplication. Gives the options, or nothing with
/// `message` set to what to print (the help text, the version, or what is wrong; `exitCode` tells which).
std::optional<ConsoleOptions> parseOptions(const QStringList &arguments, QString *message, int *exitCode);

/// The demo portal's folder: the user's data folder of the application, "demo-portal" inside.
QString demoPortalFolder();

/// Whether a window can be shown: a platform was chosen (`platformArgument` from -platform, or
/// QT_QPA_PLATFORM, e.g. offscreen for tests) or an X11 or Wayland display is there.
bool displayAvailable(const QString &platformArgument = {});

} // namespace kw::console
