// The access rights dialog: which of the portal's user groups may reach an object, as a list of group
// identifiers that the dialog edits in place.
#pragma once

#include "base/Prompter.h"
#include "server/LocalPortal.h"

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class QListWidget;

namespace kw::controls {

/// One user group as the dialog lists it.
struct UserGroup {
    std::int32_t id = 0;
    std::string name;
};

/// Lists the portal's user groups (table `user_groups`, by name) with a check box each, the groups of the
/// handed list checked. Groups of the list that the portal does not know are listed after them as
/// "Gruppe N" and kept unless unchecked. OK writes the list back only when the set of groups changed:
/// the groups that stay keep their order, newly checked ones follow in the order listed. The caller sets
/// the caption (`setWindowTitle`).
class CObjectRightsDlg : public QDialog {
public:
    CObjectRightsDlg(server::Environment env, Prompter &prompter, QWidget *parent = nullptr);

    /// The list the dialog edits; it must outlive the dialog's run.
    void setGroups(std::vector<std::int32_t> &groups) { m_groups = &groups; }

    /// Reads the portal's groups and runs the dialog. A server error is reported once (12575) and the
    /// dialog does not open (Rejected); the list is untouched.
    int exec() override;
    void accept() override;

    /// After OK: the set of groups differs from the one handed in.
    bool changed() const { return m_changed; }

    /// The portal's user groups by name (throws ServerError).
    static std::vector<UserGroup> readUserGroups(const server::Environment &env);
    /// How a group the portal does not know is listed.
    static QString unknownGroupName(std::int32_t id);

private:
    void fillList(const std::vector<UserGroup> &known);

    server::Environment m_env;
    Prompter &m_prompter;
    std::vector<std::int32_t> m_noGroups; // edited until `setGroups` names the caller's list
    std::vector<std::int32_t> *m_groups = &m_noGroups;
    bool m_changed = false;
    QListWidget *m_list = nullptr;
};

} // namespace kw::controls
