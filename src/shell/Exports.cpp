// The module's five exports, the only symbols the library shows. None lets an exception out.
#include "platform/QtStrings.h"
#include "server/MessageFilter.h"
#include "shell/DocTemplate.h"
#include "shell/ModuleContract.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <new>

#define KW_EXPORT extern "C" __attribute__((visibility("default")))

using namespace kw;
using namespace kw::shell;

namespace {

using platform::qt;

ShortCutEntry *shortCutTable()
{
    static ShortCutEntry table[1];
    return table;
}

} // namespace

KW_EXPORT ShortCutEntry *KwGetShortCuts(std::int32_t *count, std::uint32_t *bitmapId)
{
    ShortCutEntry *table = shortCutTable();
    try {
        if (bitmapId)
            *bitmapId = res::IDB_SHORTCUT;
        // The caption comes from the module's resources, which exist only while registered: unless a
        // template registered them already, register for the moment and leave no registration behind.
        ModuleState &state = moduleState();
        const bool scratch = !state.registration;
        if (scratch)
            state.registration = std::make_unique<ModuleResources>();
        table[0].caption = qt(loadString(StringId::OpenLayoutShortcut));
        table[0].command = res::ID_LAYOUT_OPEN;
        if (scratch)
            state.registration.reset();
    } catch (...) {
    }
    if (count)
        *count = 1;
    return table;
}

KW_EXPORT void KwSetIdleInit(bool idle)
{
    moduleState().idleInit = idle;
}

KW_EXPORT std::int32_t KwSetSession(server::IObjectFactory *factory, server::ISession *session)
{
    // Each argument's reference belongs to this call: adopted here, released when these go out of scope.
    const auto factoryArg = server::Ref<server::IObjectFactory>::adopt(factory);
    const auto sessionArg = server::Ref<server::ISession>::adopt(session);
    try {
        server::MessageFilterSettings &filter = server::threadMessageFilter();
        filter.busyDialogEnabled = false;
        filter.retryReplyMs = 1000;
        filter.messagePendingDelayMs = 60000;

        ModuleState &state = moduleState();
        if (!(state.session == sessionArg))
            state.session = sessionArg;
        if (!(state.factory == factoryArg))
            state.factory = factoryArg;
        if (!state.session)
            return 0;
        const server::Ref<server::IUser> user = state.session->GetCurrentUser();
        if (!user)
            return 0;
        return user->GetAccessFlag() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

KW_EXPORT CPaneTemplate *KwGetPaneTemplate(std::uint32_t *resourceId)
{
    try {
        ModuleState &state = moduleState();
        if (!state.registration)
            state.registration = std::make_unique<ModuleResources>();
        if (resourceId)
            *resourceId = res::IDR_KWLOUTMAN;
        return new (std::nothrow) CKwLOutDocTemplate(*state.registration);
    } catch (...) {
        return nullptr;
    }
}

KW_EXPORT void KwTerminate()
{
    try {
        ModuleState &state = moduleState();
        state.session.reset();
        state.factory.reset();
        state.registration.reset();
    } catch (...) {
    }
    server::threadMessageFilter() = server::MessageFilterSettings::defaults();
}
