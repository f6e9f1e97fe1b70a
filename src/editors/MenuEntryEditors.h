// The two editors of one main-menu entry that the main-menu editor's page "Allgemein" opens: its access
// rights and its start page. Both change only the entry's record; the server is written by the editor's save.
#pragma once

#include "base/Prompter.h"
#include "portalsettings/MenuEntry.h"
#include "server/LocalPortal.h"

#include <QString>

class QWidget;

namespace kw::editors {

/// "&Rechte": reads the entry's groups from the server when it exists there and its list is still empty
/// (wait box 12576, EntryInit/EntryGetGroups, 12566 on a server error and no dialog), then runs
/// CObjectRightsDlg on accessGroups with caption 12565; sets rightsChanged after OK with a change.
/// Returns true when the dialog changed the groups (reading them from the server alone does not count).
bool editMenuEntryRights(QWidget *parent, const server::Environment &env, Prompter &prompter,
                         portalsettings::MenuEntry &entry, const QString &listText);

/// "&Startseite des Menüpunkts bearbeiten": entry 31 opens CPortalStartPageDlg (record untouched; true
/// when its OK changed the menu's page-content record on the server); else CMenuItemStartPageDlg (12021)
/// filled as described; on OK the record's startPage takes its result. Returns true when the record's
/// start page changed.
bool editMenuEntryStartPage(QWidget *parent, const server::Environment &env, Prompter &prompter,
                            portalsettings::MenuEntry &entry, const QString &listText);

} // namespace kw::editors
