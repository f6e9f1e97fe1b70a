// kwconsole --render end to end: the program draws a pane of a demo layout into a PNG without a display.
#include "PreviewTestSupport.h"

#include "demo/DemoPortal.h"
#include "platform/QPainterDeviceContext.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace kw::preview {
namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string output;
};

ProgramRun kwconsole(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(KW_BINARY_DIR "/bin/kwconsole"), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAll().toStdString()};
}

TEST(RenderCommand, WritesThePaneWithoutADisplay)
{
    kw::test::TempDir dir;
    demo::createDemoPortal(dir.path());
    const QString portal = QString::fromStdString(dir.path().string());
    const QString file = QString::fromStdString((dir.path() / "herbst.png").string());

    const ProgramRun run = kwconsole(
        {"--portal", portal, "--open", "Herbst", "--render", file, "--pane", "app", "--size", "640x480"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const QImage image(file);
    ASSERT_EQ(image.size(), QSize(640, 480));
    // The autumn layout's page header, in its own colour.
    EXPECT_EQ(platform::fromQColor(image.pixelColor(2, 2)), rgb(0x7A, 0x3E, 0x12));
}

TEST(RenderCommand, RefusesWrongLinesAndUnknownLayouts)
{
    kw::test::TempDir dir;
    demo::createDemoPortal(dir.path());
    const QString portal = QString::fromStdString(dir.path().string());
    const QString file = QString::fromStdString((dir.path() / "x.png").string());
    EXPECT_EQ(kwconsole({"--portal", portal, "--render", file, "--size", "12"}).exitCode, 2);
    EXPECT_EQ(kwconsole({"--portal", portal, "--render", file, "--pane", "side"}).exitCode, 2);
    EXPECT_EQ(kwconsole({"--portal", portal, "--open", "Nix", "--render", file}).exitCode, 1);
    EXPECT_EQ(
        kwconsole({"--portal", QString::fromStdString((dir.path() / "none").string()), "--render", file})
            .exitCode,
        1);
    EXPECT_TRUE(QImage(file).isNull()) << "no picture is written after a failure";
}

} // namespace
} // namespace kw::preview
