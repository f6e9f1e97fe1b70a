#include "portalsettings/MenuEntryRights.h"

namespace kw::portalsettings {

GroupsRead readMenuEntryGroups(const server::Environment &env, Prompter &prompter, WaitIndicator &wait,
                               MenuEntry &entry)
{
    if (entry.id == 0 || !entry.accessGroups.empty())
        return GroupsRead::Kept;
    try {
        const WaitScope waiting(wait, loadString(StringId::AuthorizedListLoading));
        auto navigation = server::createObject<server::INavigation>(*env.factory);
        navigation->NavInit(env.session, 1);
        server::Ref<server::INavEntry> item = navigation->NavNewEntry();
        item->EntryInit(env.session, entry.id);
        entry.accessGroups = item->EntryGetGroups();
        return GroupsRead::Read;
    } catch (const ServerError &error) {
        prompter.showExtendedError(StringId::AuthorizedListNotRead, error);
        return GroupsRead::Failed;
    }
}

} // namespace kw::portalsettings
