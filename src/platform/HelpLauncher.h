// Online help: the help file beside the running program and a viewer program that shows one topic of it.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string_view>

namespace kw::platform {

/// The help file's name beside the executable.
inline constexpr std::string_view kHelpFileName = "tarvelune.chm";

/// The installed data folder for programs in `programFolder` (/usr/bin → /usr/share/kwloutman10).
QString installedDataFolder(const QString &programFolder);
/// The help path for a topic: the folder of `executable`, the help file name and the topic, with nothing in
/// between ("/opt/kw/bin/tarvelune.chm::/48.htm"). An installed program whose folder holds no help file
/// finds it in the installed data folder instead.
QString helpPathFor(const QString &executable, std::string_view topic);
/// The same for the running program (QCoreApplication::applicationFilePath()).
QString helpPath(std::string_view topic);

/// Finds a help viewer once and shows topics with it. When no viewer is found the launcher fails once and
/// then does nothing on every later call, without looking again. Both the search and the start of the
/// viewer are replaceable, so tests run without a viewer.
class HelpLauncher {
public:
    /// Gives the viewer program's full path, or an empty string when there is none.
    using ViewerFinder = std::function<QString()>;
    /// Starts the viewer detached; false when it could not be started.
    using ViewerStarter = std::function<bool(const QString &program, const QStringList &arguments)>;

    HelpLauncher();
    HelpLauncher(ViewerFinder finder, ViewerStarter starter);

    /// Shows a help path ("file.chm::/topic.htm"); false when nothing is shown.
    bool display(const QString &path);
    /// Builds the help path of `topic` for the running program and shows it.
    bool showTopic(std::string_view topic);

    /// How often a viewer was looked for (0 or 1), whether that failed, and the viewer found.
    int searches() const { return m_searches; }
    bool failed() const { return m_failed; }
    const QString &viewer() const { return m_viewer; }

    /// The arguments a viewer program gets for a help path, by the viewer's file name: kchmviewer is told the
    /// page (-showPage), every other viewer gets the file alone.
    static QStringList viewerArguments(const QString &viewer, const QString &path);
    /// The viewers tried in this order, looked up on PATH.
    static QString findInstalledViewer();

private:
    ViewerFinder m_finder;
    ViewerStarter m_starter;
    QString m_viewer;
    bool m_failed = false;
    int m_searches = 0;
};

/// The launcher of this binary (one per module, made on first use).
HelpLauncher &helpLauncher();
/// Replaces the launcher of this binary (tests) and gives back the previous one (null when none was made).
std::unique_ptr<HelpLauncher> replaceHelpLauncher(std::unique_ptr<HelpLauncher> launcher);

/// Shows `topic` of the help file; silently nothing when no viewer is there.
void showHelpTopic(std::string_view topic);

} // namespace kw::platform
