// The help path and the launcher that looks for a viewer once.
#include "platform/HelpLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kw::platform {
namespace {

struct Started {
    QString program;
    QStringList arguments;
};

TEST(HelpPath, IsTheExecutablesFolderThenTheHelpFileThenTheTopic)
{
    EXPECT_EQ(QStringLiteral("/opt/kw/bin/tarvelune.chm::/48.htm"),
              helpPathFor(QStringLiteral("/opt/kw/bin/kwconsole"), "::/48.htm"));
    const QString folder = QFileInfo(QCoreApplication::applicationFilePath()).absolutePath();
    EXPECT_EQ(QDir(folder).filePath(QStringLiteral("tarvelune.chm")) + QStringLiteral("::/57.htm"),
              helpPath("::/57.htm"));
}

TEST(HelpPath, AnInstalledProgramWithoutAHelpFileBesideItUsesTheDataFolder)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const QString data = installedDataFolder(bin);
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(data));
    EXPECT_TRUE(data.startsWith(prefix.path() + QLatin1Char('/'))) << data.toStdString();
    const QString program = QDir(bin).filePath(QStringLiteral("kwconsole"));
    // Neither there: the path beside the program, where the message says it was looked for.
    EXPECT_EQ(QDir(bin).filePath(QStringLiteral("tarvelune.chm::/48.htm")),
              helpPathFor(program, "::/48.htm"));
    QFile installed(QDir(data).filePath(QStringLiteral("tarvelune.chm")));
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    installed.close();
    EXPECT_EQ(installed.fileName() + QStringLiteral("::/48.htm"), helpPathFor(program, "::/48.htm"));
    // One beside the program wins.
    QFile beside(QDir(bin).filePath(QStringLiteral("tarvelune.chm")));
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    beside.close();
    EXPECT_EQ(beside.fileName() + QStringLiteral("::/48.htm"), helpPathFor(program, "::/48.htm"));
}

TEST(HelpLauncher, WithoutAViewerItFailsOnceAndNeverLooksAgain)
{
    int searches = 0;
    int starts = 0;
    HelpLauncher launcher(
        [&] {
            ++searches;
            return QString();
        },
        [&](const QString &, const QStringList &) {
            ++starts;
            return true;
        });
    EXPECT_FALSE(launcher.showTopic("::/48.htm"));
    EXPECT_FALSE(launcher.showTopic("::/48.htm"));
    EXPECT_FALSE(launcher.display(QStringLiteral("x.chm::/57.htm")));
    EXPECT_EQ(1, searches);
    EXPECT_EQ(0, starts);
    EXPECT_TRUE(launcher.failed());
}

TEST(HelpLauncher, FindsTheViewerOnceAndTellsItThePage)
{
    int searches = 0;
    std::vector<Started> started;
    HelpLauncher launcher(
        [&] {
            ++searches;
            return QStringLiteral("/usr/bin/kchmviewer");
        },
        [&](const QString &program, const QStringList &arguments) {
            started.push_back({program, arguments});
            return true;
        });
    EXPECT_TRUE(launcher.display(QStringLiteral("/opt/kw/bin/tarvelune.chm::/48.htm")));
    EXPECT_TRUE(launcher.display(QStringLiteral("/opt/kw/bin/tarvelune.chm::/57.htm")));
    EXPECT_EQ(1, searches);
    ASSERT_EQ(2u, started.size());
    EXPECT_EQ(QStringLiteral("/usr/bin/kchmviewer"), started[0].program);
    EXPECT_EQ((QStringList{QStringLiteral("-showPage"), QStringLiteral("48.htm"),
                           QStringLiteral("/opt/kw/bin/tarvelune.chm")}),
              started[0].arguments);
    EXPECT_EQ(QStringLiteral("57.htm"), started[1].arguments.at(1));

    // A viewer that knows no page option gets the file alone.
    EXPECT_EQ(QStringList{QStringLiteral("/opt/kw/bin/tarvelune.chm")},
              HelpLauncher::viewerArguments(QStringLiteral("/usr/bin/xchm"),
                                            QStringLiteral("/opt/kw/bin/tarvelune.chm::/48.htm")));
}

TEST(HelpLauncher, TheBinarysLauncherCanBeReplaced)
{
    int searches = 0;
    auto previous = replaceHelpLauncher(std::make_unique<HelpLauncher>(
        [&] {
            ++searches;
            return QString();
        },
        [](const QString &, const QStringList &) { return true; }));
    showHelpTopic("::/48.htm");
    showHelpTopic("::/48.htm");
    EXPECT_EQ(1, searches);
    replaceHelpLauncher(std::move(previous));
}

} // namespace
} // namespace kw::platform
