// The access groups of a main-menu entry: read from the portal once, before the rights dialog first edits
// them.
#pragma once

#include "base/Prompter.h"
#include "portalsettings/MenuEntry.h"
#include "server/LocalPortal.h"

namespace kw::portalsettings {

enum class GroupsRead {
    Kept,   // nothing read: an entry not on the server yet, or its groups are already there
    Read,   // the server's groups are now the entry's
    Failed, // a server error, reported with 12566; the entry is unchanged
};

/// Reads the groups of an entry that exists on the server (`id` not 0) while its `accessGroups` is empty,
/// showing the wait box with 12576 meanwhile.
GroupsRead readMenuEntryGroups(const server::Environment &env, Prompter &prompter, WaitIndicator &wait,
                               MenuEntry &entry);

} // namespace kw::portalsettings
