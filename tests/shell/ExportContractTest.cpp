// The built module as the console loads it: exactly five exports, the shortcut, the templates, and the
// references KwSetSession takes and gives back on every path.
#include "ModuleHost.h"

#include "server/LocalPortal.h"
#include "shell/ModuleContract.h"

#include "TempPortal.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace kw::shell {
namespace {

using console::ModuleHost;
using namespace kw::server;

const QString kModule = QStringLiteral(KW_BINARY_DIR "/lib/libKwLOutMan10.so");

// A session whose every call fails, to break KwSetSession where it asks for the user.
class FailingSession final : public ISession {
public:
    Ref<IPortal> GetPortal() override { throw ServerError(ServerError::Fail, "no portal"); }
    Ref<IUser> GetCurrentUser() override { throw ServerError(ServerError::Fail, "no user"); }
    std::string GetSessionName() override { return {}; }
    Ref<ILanguageList> GetLanguages(int) override { throw ServerError(ServerError::Fail, "no languages"); }
    bool ReloadLanguageTexts(int) override { return false; }
    void RunAsOneTransaction(const std::function<void()> &) override
    {
        throw ServerError(ServerError::Fail, "no database");
    }
};

class ExportContract : public ::testing::Test {
protected:
    ModuleHost host{kModule};
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(host.load(&error)) << error.toStdString();
    }
    void TearDown() override { host.terminate(); }
};

TEST_F(ExportContract, TheLibraryShowsExactlyTheFiveExports)
{
    const QString nm = QStandardPaths::findExecutable(QStringLiteral("nm"));
    if (nm.isEmpty())
        GTEST_SKIP() << "nm is not installed";
    QProcess process;
    process.start(nm, {QStringLiteral("-D"), QStringLiteral("--defined-only"), kModule});
    ASSERT_TRUE(process.waitForFinished());
    QStringList names;
    for (const QString &line :
         QString::fromLocal8Bit(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() == 3 && fields[1] == QStringLiteral("T"))
            names.append(fields[2]);
    }
    names.sort();
    EXPECT_EQ(
        (QStringList{"KwGetPaneTemplate", "KwGetShortCuts", "KwSetIdleInit", "KwSetSession", "KwTerminate"}),
        names);
}

TEST_F(ExportContract, TheShortCutOpensALayout)
{
    const ModuleHost::ShortCut shortCut = host.shortCut();
    EXPECT_EQ(1, shortCut.count);
    EXPECT_EQ(12065u, shortCut.bitmapId);
    EXPECT_EQ(QStringLiteral("Layout öffnen"), shortCut.caption);
    EXPECT_EQ(-1, shortCut.reserved);
    EXPECT_EQ(32900u, shortCut.command);
}

TEST_F(ExportContract, TemplatesShareTheModulesResources)
{
    host.shortCut();
    std::uint32_t firstId = 0;
    std::uint32_t secondId = 0;
    const auto first = host.paneTemplate(&firstId);
    const auto second = host.paneTemplate(&secondId);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(12000u, firstId);
    EXPECT_EQ(12000u, secondId);
    EXPECT_EQ(12000u, first->resourceId());
    EXPECT_EQ(first->resourceScope(), second->resourceScope()) << "one registration for both";
}

TEST_F(ExportContract, SetSessionKeepsOneReferenceOfEachAndReleasesTheHandedOnes)
{
    test::TempPortal portal(true);
    test::TempPortal guest(true, "gast");
    const Environment &env = portal.env();
    const int factoryRefs = env.factory->refCount();
    const int sessionRefs = env.session->refCount();

    EXPECT_TRUE(host.setSession(env));
    EXPECT_EQ(factoryRefs + 1, env.factory->refCount());
    EXPECT_EQ(sessionRefs + 1, env.session->refCount());
    EXPECT_TRUE(host.setSession(env)) << "the same objects again";
    EXPECT_EQ(factoryRefs + 1, env.factory->refCount());
    EXPECT_EQ(sessionRefs + 1, env.session->refCount());

    // A user without access: FALSE, and the module holds both all the same.
    const Environment &denied = guest.env();
    const int guestSessionRefs = denied.session->refCount();
    EXPECT_FALSE(host.setSession(denied));
    EXPECT_EQ(guestSessionRefs + 1, denied.session->refCount());
    EXPECT_EQ(factoryRefs, env.factory->refCount()) << "the earlier objects were let go";
    EXPECT_EQ(sessionRefs, env.session->refCount());

    // No session: FALSE; the factory is kept, the guest's session let go.
    EXPECT_FALSE(host.setSession({env.factory, nullptr}));
    EXPECT_EQ(factoryRefs + 1, env.factory->refCount());
    EXPECT_EQ(guestSessionRefs, denied.session->refCount());

    // A session that fails: FALSE, nothing escapes, nothing leaks.
    const Ref<ISession> failing = makeRef<FailingSession>();
    EXPECT_FALSE(host.setSession({env.factory, failing}));
    EXPECT_EQ(2, failing->refCount());
    EXPECT_EQ(factoryRefs + 1, env.factory->refCount());

    host.terminate();
    EXPECT_EQ(1, failing->refCount());
    EXPECT_EQ(factoryRefs, env.factory->refCount());
    host.terminate(); // only once
    EXPECT_EQ(factoryRefs, env.factory->refCount());
}

TEST_F(ExportContract, TerminateWithoutASessionReleasesNothing)
{
    test::TempPortal portal(true);
    const int factoryRefs = portal.env().factory->refCount();
    host.shortCut();
    host.terminate();
    EXPECT_TRUE(host.terminated());
    EXPECT_EQ(factoryRefs, portal.env().factory->refCount());
}

} // namespace
} // namespace kw::shell
