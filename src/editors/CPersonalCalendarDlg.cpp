#include "editors/CPersonalCalendarDlg.h"

#include "editors/DialogButtons.h"
#include "platform/QtStrings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kw::editors {

namespace {

using platform::qt;

constexpr std::string_view kHelpTopic = "::/58.htm";
constexpr const char *kCaption = "Persönlicher Kalender veröffentlichen";
constexpr const char *kExplanation =
    "Wählen Sie unter welchem Hauptmenüpunkt der persönliche Kalender veröffentlicht werden soll.";
constexpr const char *kListLabel = "&Hauptmenü";

} // namespace

CPersonalCalendarDlg::CPersonalCalendarDlg(server::Environment env, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_calendar(std::move(env), prompter)
{
    setObjectName(QString::number(res::IDD_PERSONAL_CALENDAR));
    buildControls();
    fillList();
}

void CPersonalCalendarDlg::buildControls()
{
    setWindowTitle(QString::fromUtf8(kCaption));
    auto *explanation = new QLabel(QString::fromUtf8(kExplanation), this);
    explanation->setWordWrap(true);
    explanation->setMinimumWidth(280);

    // A drop-down list: the rows come sorted from the core, in the order the list shows them.
    m_list = new QComboBox(this);
    m_list->setObjectName(QString::number(res::IDC_MAIN_MENU));
    m_list->setAccessibleName(QString::fromUtf8("Hauptmenü"));
    m_list->setEditable(false);
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_list->setMinimumWidth(180);
    auto *label = new QLabel(QString::fromUtf8(kListLabel), this);
    label->setBuddy(m_list);

    auto *fields = new QVBoxLayout;
    fields->addWidget(explanation);
    fields->addSpacing(12);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_list, 1);
    fields->addLayout(row);
    fields->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addSpacing(8);
    layout->addLayout(makeButtonColumn(*this, res::IDC_HELP_BUTTON, kHelpTopic));
    // 206 x 85 dialog units of an 8-point dialog font.
    setMinimumHeight(140);
}

void CPersonalCalendarDlg::fillList()
{
    m_calendar.load();
    for (const portalsettings::CalendarMenuEntry &entry : m_calendar.entries())
        m_list->addItem(qt(entry.name), entry.id);
    const std::optional<std::size_t> row = m_calendar.selectedRow();
    m_list->setCurrentIndex(row ? static_cast<int>(*row) : -1);
}

void CPersonalCalendarDlg::accept()
{
    const int row = m_list->currentIndex();
    m_calendar.select(row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row)));
    m_calendar.store();
    QDialog::accept();
}

} // namespace kw::editors
