// The exports seen from inside the module: the thread's message filter, the resources' registration and the
// default-language lookup.
#include "ShellTestSupport.h"

#include "server/MessageFilter.h"
#include "shell/ModuleState.h"

extern "C" {
kw::shell::ShortCutEntry *KwGetShortCuts(std::int32_t *count, std::uint32_t *bitmapId);
std::int32_t KwSetSession(kw::server::IObjectFactory *factory, kw::server::ISession *session);
kw::shell::CPaneTemplate *KwGetPaneTemplate(std::uint32_t *resourceId);
void KwTerminate();
}

namespace kw::shell::test {
namespace {

using server::MessageFilterSettings;
using server::threadMessageFilter;

void expectFilter(const MessageFilterSettings &expected)
{
    const MessageFilterSettings &actual = threadMessageFilter();
    EXPECT_EQ(expected.busyDialogEnabled, actual.busyDialogEnabled);
    EXPECT_EQ(expected.retryReplyMs, actual.retryReplyMs);
    EXPECT_EQ(expected.messagePendingDelayMs, actual.messagePendingDelayMs);
}

TEST(ModuleExports, SetSessionConfiguresTheThreadsFilterAndTerminateRestoresIt)
{
    DemoPortal portal;
    threadMessageFilter() = {true, 7, 7};
    KwTerminate(); // without a session: nothing to release, the filter is restored all the same
    expectFilter(MessageFilterSettings::defaults());

    portal.env().factory->addRef();
    portal.env().session->addRef();
    EXPECT_NE(0, KwSetSession(portal.env().factory.get(), portal.env().session.get()));
    expectFilter({false, 1000, 60000});
    EXPECT_EQ(portal.env().session, moduleState().session);
    KwTerminate();
    expectFilter(MessageFilterSettings::defaults());
    EXPECT_FALSE(moduleState().session);
    EXPECT_FALSE(moduleState().factory);
}

TEST(ModuleExports, ShortCutsRegisterOnlyForTheMomentAndTemplatesShareOneRegistration)
{
    const int before = ModuleResources::made();
    std::int32_t count = 0;
    std::uint32_t bitmap = 0;
    KwGetShortCuts(&count, &bitmap);
    EXPECT_EQ(before + 1, ModuleResources::made());
    EXPECT_EQ(nullptr, moduleState().registration);

    std::unique_ptr<CPaneTemplate> first(KwGetPaneTemplate(nullptr));
    std::unique_ptr<CPaneTemplate> second(KwGetPaneTemplate(nullptr));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(before + 2, ModuleResources::made());
    EXPECT_EQ(moduleState().registration.get(), first->resourceScope());
    EXPECT_EQ(first->resourceScope(), second->resourceScope());
    first.reset();
    second.reset();
    KwTerminate();
    EXPECT_EQ(nullptr, moduleState().registration);
}

TEST(ModuleExports, TheDefaultLanguageIsThePortals)
{
    DemoPortal portal;
    moduleState().session = portal.env().session;
    EXPECT_TRUE(lookupDefaultLanguage());
    EXPECT_EQ(1031, moduleState().defaultLanguageId);
    moduleState().session.reset();
    EXPECT_THROW(lookupDefaultLanguage(), ServerError);
    moduleState().defaultLanguageId = 0;
}

} // namespace
} // namespace kw::shell::test
