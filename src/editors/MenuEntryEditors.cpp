#include "editors/MenuEntryEditors.h"

#include "controls/CObjectRightsDlg.h"
#include "editors/CMenuItemStartPageDlg.h"
#include "editors/CPortalStartPageDlg.h"
#include "platform/WaitBox.h"
#include "portalsettings/MenuEntryRights.h"

namespace kw::editors {

bool editMenuEntryRights(QWidget *parent, const server::Environment &env, Prompter &prompter,
                         portalsettings::MenuEntry &entry, const QString &listText)
{
    {
        platform::QtWaitBox wait;
        if (portalsettings::readMenuEntryGroups(env, prompter, wait, entry) ==
            portalsettings::GroupsRead::Failed)
            return false;
    }
    controls::CObjectRightsDlg dialog(env, prompter, parent);
    dialog.setWindowTitle(
        QString::fromStdString(formatString(StringId::MenuEntryRightsCaption, listText.toStdString())));
    dialog.setGroups(entry.accessGroups);
    if (dialog.exec() != QDialog::Accepted || !dialog.changed())
        return false;
    entry.rightsChanged = true;
    return true;
}

bool editMenuEntryStartPage(QWidget *parent, const server::Environment &env, Prompter &prompter,
                            portalsettings::MenuEntry &entry, const QString &listText)
{
    if (entry.id == portalsettings::kPortalStartPageEntryId) {
        CPortalStartPageDlg dialog(env, prompter, parent);
        dialog.exec();
        return dialog.startPage().menuChanged();
    }
    CMenuItemStartPageDlg dialog(
        env, prompter, portalsettings::MenuItemStartPage::forEntry(entry, listText.toStdString()), parent);
    if (dialog.exec() != QDialog::Accepted || dialog.values().startPage == entry.startPage)
        return false;
    entry.startPage = dialog.values().startPage;
    return true;
}

} // namespace kw::editors
