// The dialog "Globale Suche" (12058): the five switches of the portal's global search.
#pragma once

#include "layoutmodel/PageValues.h"

#include <QDialog>

#include <array>

class QCheckBox;

namespace kw::layout {
class LayoutDocument;
}

namespace kw::pages {

namespace res {
inline constexpr int IDD_GLOBAL_SEARCH = 12058;
inline constexpr int IDC_ENABLE_GLOBAL_SEARCH = 1204;
inline constexpr int IDC_SEARCH_EMPLOYEES = 1205;
inline constexpr int IDC_SEARCH_EMPLOYEES_ANONYMOUS = 1206;
inline constexpr int IDC_SEARCH_APPLICATIONS = 1207;
inline constexpr int IDC_SEARCH_APPLICATIONS_ANONYMOUS = 1208;
} // namespace res

class CGlobalSearchDlg : public QDialog {
public:
    explicit CGlobalSearchDlg(const layout::GlobalSearchValues &values, QWidget *parent = nullptr);

    /// The switches as the check boxes show them.
    layout::GlobalSearchValues values() const;

private:
    /// 1205 and 1207 need global search; each anonymous switch also needs its own search.
    void applyEnableRule();

    std::array<QCheckBox *, 5> m_boxes{};
};

/// Command 32911: runs the dialog on the switches of `pane`; on OK with a real change the switches are
/// stored into both panes as one step of the layout's history. True when something was stored.
bool editGlobalSearch(layout::LayoutDocument &document, layout::Pane pane, QWidget *parent);

} // namespace kw::pages
