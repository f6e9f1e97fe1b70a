#include "pages/CGlobalSearchDlg.h"

#include "layout/LayoutDocument.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kw::pages {

namespace {

using Values = layout::GlobalSearchValues;

struct SwitchControl {
    int id;
    const char *caption;
    bool Values::*value;
    int indent; // the anonymous switches stand under the search they belong to
};

constexpr std::array<SwitchControl, 5> kSwitchControls = {{
    {res::IDC_ENABLE_GLOBAL_SEARCH, "&Globale Suche ermöglichen", &Values::enableGlobalSearch, 0},
    {res::IDC_SEARCH_EMPLOYEES, "Suche in &Mitarbeitern", &Values::searchEmployees, 1},
    {res::IDC_SEARCH_EMPLOYEES_ANONYMOUS, "auch für anonymen &Benutzer", &Values::searchEmployeesAnonymous,
     2},
    {res::IDC_SEARCH_APPLICATIONS, "Suche in &Anwendungen", &Values::searchApplications, 1},
    {res::IDC_SEARCH_APPLICATIONS_ANONYMOUS, "auch &für anonymen Benutzer",
     &Values::searchApplicationsAnonymous, 2},
}};

constexpr const char *kCaption = "Globale Suche";
constexpr const char *kExplanation =
    "Setzen Sie hier die Einstellungen für die globale Suche und entscheiden Sie, ob Suche in den "
    "Mitarbeitern und in den Anwendungen, ggf. auch für den anonymen Benutzer, erlaubt ist.";
constexpr int kIndentStep = 20;

enum Box { Enable, Employees, EmployeesAnonymous, Applications, ApplicationsAnonymous };

} // namespace

CGlobalSearchDlg::CGlobalSearchDlg(const Values &values, QWidget *parent) : QDialog(parent)
{
    setObjectName(QString::number(res::IDD_GLOBAL_SEARCH));
    setWindowTitle(QString::fromUtf8(kCaption));

    auto *layout = new QVBoxLayout(this);
    auto *explanation = new QLabel(QString::fromUtf8(kExplanation), this);
    explanation->setWordWrap(true);
    explanation->setMinimumWidth(340);
    layout->addWidget(explanation);
    layout->addSpacing(6);

    for (std::size_t i = 0; i < kSwitchControls.size(); ++i) {
        const SwitchControl &control = kSwitchControls[i];
        auto *box = new QCheckBox(QString::fromUtf8(control.caption), this);
        box->setObjectName(QString::number(control.id));
        box->setChecked(values.*control.value);
        connect(box, &QCheckBox::toggled, this, [this] { applyEnableRule(); });
        auto *row = new QHBoxLayout;
        row->addSpacing(control.indent * kIndentStep);
        row->addWidget(box);
        row->addStretch();
        layout->addLayout(row);
        m_boxes[i] = box;
    }
    layout->addStretch();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    applyEnableRule();
}

Values CGlobalSearchDlg::values() const
{
    Values values;
    for (std::size_t i = 0; i < kSwitchControls.size(); ++i)
        values.*kSwitchControls[i].value = m_boxes[i]->isChecked();
    return values;
}

void CGlobalSearchDlg::applyEnableRule()
{
    const bool enabled = m_boxes[Enable]->isChecked();
    m_boxes[Employees]->setEnabled(enabled);
    m_boxes[Applications]->setEnabled(enabled);
    m_boxes[EmployeesAnonymous]->setEnabled(enabled && m_boxes[Employees]->isChecked());
    m_boxes[ApplicationsAnonymous]->setEnabled(enabled && m_boxes[Applications]->isChecked());
}

bool editGlobalSearch(layout::LayoutDocument &document, layout::Pane pane, QWidget *parent)
{
    const layout::PaneSwitches reference = document.model().switches(pane);
    CGlobalSearchDlg dialog(layout::globalSearchValues(reference), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const Values values = dialog.values();
    return document.history().record(dialog.windowTitle().toStdString() + " bearbeiten", [&] {
        layout::storeGlobalSearchValues(values, reference, document.model());
    });
}

} // namespace kw::pages
