#include "editors/CMenuItemStartPageDlg.h"

#include "controls/CSrvFileSelDlg.h"
#include "editors/DialogButtons.h"
#include "editors/SectionHeader.h"
#include "platform/QtStrings.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kw::editors {

namespace {

using platform::qt;

constexpr std::string_view kHelpTopic = "::/74_2.htm";
constexpr const char *kCaption = "Startseite des Menüpunkts";
constexpr const char *kExplanation = "Hier können Sie angeben, welche Startseite beim Aufruf\n"
                                     "dieses Menüpunkts angezeigt werden soll.";
constexpr const char *kHeader = " Startseite des Menüpunkts";

struct ChoiceResource {
    int id;
    const char *text;
};
constexpr std::array<ChoiceResource, 3> kChoices = {{
    {res::IDC_MENU_START_STANDARD, "Standardstartseite"},
    {res::IDC_MENU_START_CUSTOM, "Benutzerdefinierter Seiteninhalt"},
    {res::IDC_MENU_START_ALTERNATIVE, "Alternative Startseite"},
}};

} // namespace

CMenuItemStartPageDlg::CMenuItemStartPageDlg(server::Environment env, Prompter &prompter,
                                             portalsettings::MenuItemStartPage values, QWidget *parent)
    : QDialog(parent), m_env(std::move(env)), m_prompter(prompter), m_values(std::move(values))
{
    setObjectName(QString::number(res::IDD_MENU_ITEM_START_PAGE));
    buildControls();
    if (!m_values.caption.empty())
        setWindowTitle(qt(m_values.caption));
    m_values.open();
    showValues();
}

void CMenuItemStartPageDlg::buildControls()
{
    setWindowTitle(QString::fromUtf8(kCaption));
    auto *fields = new QVBoxLayout;
    fields->addWidget(new QLabel(QString::fromUtf8(kExplanation), this));
    fields->addSpacing(8);
    auto *header = new SectionHeader(QString::fromUtf8(kHeader), this);
    header->setObjectName(QString::number(res::IDC_MENU_START_HEADER));
    fields->addWidget(header);

    auto *grid = new QGridLayout;
    grid->setContentsMargins(12, 0, 0, 0);
    auto *group = new QButtonGroup(this);
    for (std::size_t c = 0; c < kChoices.size(); ++c) {
        auto *choice = new QRadioButton(QString::fromUtf8(kChoices[c].text), this);
        choice->setObjectName(QString::number(kChoices[c].id));
        group->addButton(choice, static_cast<int>(c));
        connect(choice, &QRadioButton::clicked, this, [this, c] {
            m_values.choose(static_cast<int>(c));
            enableAlternative();
        });
        grid->addWidget(choice, static_cast<int>(c), 0, 1, 3, Qt::AlignLeft);
        m_choices[c] = choice;
    }
    m_page = new QLineEdit(this);
    m_page->setObjectName(QString::number(res::IDC_MENU_START_EDIT));
    m_page->setAccessibleName(QString::fromUtf8("Alternative Startseite des Menüpunkts"));
    m_page->setMinimumWidth(m_page->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 36);
    connect(m_page, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_values.edit(text.toStdString()); });
    m_list = new QPushButton(QString::fromUtf8("Liste..."), this);
    m_list->setObjectName(QString::number(res::IDC_MENU_START_LIST));
    m_list->setAccessibleDescription(QString::fromUtf8("Seite aus dem Bereichsordner des Portals wählen"));
    m_list->setAutoDefault(false);
    connect(m_list, &QPushButton::clicked, this, [this] { chooseFromList(); });
    grid->setColumnMinimumWidth(0, 20);
    grid->addWidget(m_page, 3, 1);
    grid->addWidget(m_list, 3, 2);
    grid->setColumnStretch(1, 1);
    fields->addLayout(grid);
    fields->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addSpacing(8);
    layout->addLayout(makeButtonColumn(*this, res::IDC_MENU_START_HELP, kHelpTopic));
}

void CMenuItemStartPageDlg::showValues()
{
    for (std::size_t c = 0; c < m_choices.size(); ++c)
        m_choices[c]->setChecked(static_cast<int>(c) == m_values.choice);
    m_page->setText(qt(m_values.startPage));
    enableAlternative();
}

void CMenuItemStartPageDlg::enableAlternative()
{
    const bool alternative = m_values.choice == portalsettings::AlternativeStartPage;
    m_page->setEnabled(alternative);
    m_list->setEnabled(alternative);
}

void CMenuItemStartPageDlg::chooseFromList()
{
    controls::FileSelection selection{portalsettings::kMenuStartPageFolder,
                                      m_values.proposedFile(),
                                      ".asp",
                                      {".asp", ".htm", ".html"},
                                      std::string(loadString(StringId::WebPageFilter))};
    const std::optional<std::string> chosen =
        controls::CSrvFileSelDlg::choose(m_env, m_prompter, std::move(selection), this);
    if (!chosen || chosen->empty())
        return;
    m_values.takeListedFile(*chosen);
    m_page->setText(qt(m_values.startPage));
}

void CMenuItemStartPageDlg::accept()
{
    if (m_values.accept(m_prompter) == portalsettings::MenuItemStartPage::Outcome::Declined) {
        reject();
        return;
    }
    QDialog::accept();
}

} // namespace kw::editors
