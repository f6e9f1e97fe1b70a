#include "editors/CPersonalCalendarDlg.h"

#include "platform/HelpLauncher.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace kw::editors {

namespace {

constexpr std::string_view kHelpTopic = "::/58.htm";
constexpr const char *kCaption = "Persönlicher Kalender veröffentlichen";
constexpr const char *kExplanation =
    "Wählen Sie unter welchem Hauptmenüpunkt der persönliche Kalender veröffentlicht werden soll.";
constexpr const char *kListLabel = "&Hauptmenü";

QString qt(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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

    auto button = [this](const char *text, int id) {
        auto *b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::number(id));
        return b;
    };
    QPushButton *ok = button("OK", 1);
    ok->setDefault(true);
    QPushButton *cancel = button("Abbrechen", 2);
    QPushButton *help = button("Hilfe", res::IDC_HELP_BUTTON);
    help->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CPersonalCalendarDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto showHelp = [] { platform::showHelpTopic(kHelpTopic); };
    connect(help, &QPushButton::clicked, this, showHelp);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, showHelp);

    auto *fields = new QVBoxLayout;
    fields->addWidget(explanation);
    fields->addSpacing(12);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_list, 1);
    fields->addLayout(row);
    fields->addStretch();

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {ok, cancel, help})
        buttons->addWidget(b);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addSpacing(8);
    layout->addLayout(buttons);
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
