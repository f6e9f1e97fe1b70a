#include "platform/HelpLauncher.h"

#include "platform/QtStrings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <memory>
#include <utility>

namespace kw::platform {

namespace {

bool startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

std::unique_ptr<HelpLauncher> &launcherSlot()
{
    static std::unique_ptr<HelpLauncher> slot;
    return slot;
}

} // namespace

QString installedDataFolder(const QString &programFolder)
{
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(KW_BIN_TO_DATA)));
}

QString helpPathFor(const QString &executable, std::string_view topic)
{
    const QString folder = QFileInfo(executable).absolutePath();
    const QString beside = QDir(folder).filePath(qt(kHelpFileName));
    const QString installed = QDir(installedDataFolder(folder)).filePath(qt(kHelpFileName));
    const bool useInstalled = !QFileInfo::exists(beside) && QFileInfo::exists(installed);
    return (useInstalled ? installed : beside) + qt(topic);
}

QString helpPath(std::string_view topic)
{
    return helpPathFor(QCoreApplication::applicationFilePath(), topic);
}

HelpLauncher::HelpLauncher() : HelpLauncher(&HelpLauncher::findInstalledViewer, &startDetached) {}

HelpLauncher::HelpLauncher(ViewerFinder finder, ViewerStarter starter)
    : m_finder(std::move(finder)), m_starter(std::move(starter))
{
}

QString HelpLauncher::findInstalledViewer()
{
    for (const char *name : {"kchmviewer", "xchm"})
        if (QString found = QStandardPaths::findExecutable(QString::fromLatin1(name)); !found.isEmpty())
            return found;
    return {};
}

QStringList HelpLauncher::viewerArguments(const QString &viewer, const QString &path)
{
    const qsizetype split = path.indexOf(QStringLiteral("::"));
    const QString file = split < 0 ? path : path.left(split);
    QString page = split < 0 ? QString() : path.mid(split + 2);
    while (page.startsWith(QLatin1Char('/')))
        page.remove(0, 1);
    if (QFileInfo(viewer).fileName() == QLatin1String("kchmviewer") && !page.isEmpty())
        return {QStringLiteral("-showPage"), page, file};
    return {file};
}

bool HelpLauncher::display(const QString &path)
{
    if (m_failed)
        return false;
    if (m_viewer.isEmpty()) {
        ++m_searches;
        m_viewer = m_finder ? m_finder() : QString();
        if (m_viewer.isEmpty()) {
            m_failed = true;
            return false;
        }
    }
    return m_starter && m_starter(m_viewer, viewerArguments(m_viewer, path));
}

bool HelpLauncher::showTopic(std::string_view topic)
{
    return display(helpPath(topic));
}

HelpLauncher &helpLauncher()
{
    std::unique_ptr<HelpLauncher> &slot = launcherSlot();
    if (!slot)
        slot = std::make_unique<HelpLauncher>();
    return *slot;
}

std::unique_ptr<HelpLauncher> replaceHelpLauncher(std::unique_ptr<HelpLauncher> launcher)
{
    std::swap(launcherSlot(), launcher);
    return launcher;
}

void showHelpTopic(std::string_view topic)
{
    helpLauncher().showTopic(topic);
}

} // namespace kw::platform
