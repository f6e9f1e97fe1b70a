#include "editors/CPortalStartPageDlg.h"

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

using portalsettings::StartPageTarget;
using portalsettings::StartPageValues;

constexpr std::string_view kHelpTopic = "::/74.htm";
constexpr const char *kCaption = "Startseite";
constexpr const char *kExplanation = "Hier können Sie angeben, welche Startseite Sie verwenden möchten.";
constexpr const char *kListText = "Liste";

/// The controls of one group, in the order of the choices.
struct GroupResources {
    StartPageTarget StartPageValues::*target;
    int headerId;
    const char *header;
    std::array<int, 3> choiceIds;
    int pageId;
    int listId;
    const char *pageName;
    const char *listName;
};
constexpr std::array<GroupResources, 2> kGroups = {{
    {&StartPageValues::anonymous,
     res::IDC_HEADER_ANONYMOUS,
     " Startseite für &anonymen Benutzer",
     {res::IDC_ANONYMOUS_STANDARD, res::IDC_ANONYMOUS_CUSTOM, res::IDC_ANONYMOUS_ALTERNATIVE},
     res::IDC_ANONYMOUS_PAGE,
     res::IDC_ANONYMOUS_LIST,
     "Alternative Startseite für anonyme Benutzer",
     "Liste der Seiten für anonyme Benutzer"},
    {&StartPageValues::main,
     res::IDC_HEADER_MAIN,
     " Startseite für alle anderen Benutzer",
     {res::IDC_MAIN_STANDARD, res::IDC_MAIN_CUSTOM, res::IDC_MAIN_ALTERNATIVE},
     res::IDC_MAIN_PAGE,
     res::IDC_MAIN_LIST,
     "Alternative Startseite für alle anderen Benutzer",
     "Liste der Seiten für alle anderen Benutzer"},
}};
constexpr std::array<const char *, 3> kChoiceTexts = {
    "Standardstartseite", "Benutzerdefinierter Seiteninhalt", "Alternative Startseite"};

} // namespace

CPortalStartPageDlg::CPortalStartPageDlg(server::Environment env, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_env(env), m_prompter(prompter), m_startPage(std::move(env), prompter)
{
    setObjectName(QString::number(res::IDD_PORTAL_START_PAGE));
    buildControls();
    // After a read error the controls show what was read, the standard start pages at the least.
    m_startPage.read();
    showValues();
}

void CPortalStartPageDlg::buildControls()
{
    setWindowTitle(QString::fromUtf8(kCaption));
    auto *fields = new QVBoxLayout;
    auto *explanation = new QLabel(QString::fromUtf8(kExplanation), this);
    fields->addWidget(explanation);

    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        const GroupResources &resources = kGroups[g];
        Group &group = m_groups[g];
        fields->addSpacing(8);
        auto *header = new SectionHeader(QString::fromUtf8(resources.header), this);
        header->setObjectName(QString::number(resources.headerId));
        fields->addWidget(header);

        auto *grid = new QGridLayout;
        grid->setContentsMargins(12, 0, 0, 0);
        auto *buttons = new QButtonGroup(this);
        for (std::size_t c = 0; c < kChoiceTexts.size(); ++c) {
            auto *choice = new QRadioButton(QString::fromUtf8(kChoiceTexts[c]), this);
            choice->setObjectName(QString::number(resources.choiceIds[c]));
            buttons->addButton(choice, static_cast<int>(c));
            connect(choice, &QRadioButton::clicked, this, [this] {
                m_startPage.edited();
                takeValues();
                enableAlternatives();
            });
            grid->addWidget(choice, static_cast<int>(c), 0, 1, 3, Qt::AlignLeft);
            group.choices[c] = choice;
        }
        header->setBuddy(group.choices[0]);
        group.page = new QLineEdit(this);
        group.page->setObjectName(QString::number(resources.pageId));
        group.page->setAccessibleName(QString::fromUtf8(resources.pageName));
        group.page->setMinimumWidth(group.page->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 36);
        connect(group.page, &QLineEdit::textEdited, this, [this] { m_startPage.edited(); });
        group.list = new QPushButton(QString::fromUtf8(kListText), this);
        group.list->setObjectName(QString::number(resources.listId));
        group.list->setAccessibleDescription(QString::fromUtf8(resources.listName));
        group.list->setAutoDefault(false);
        connect(group.list, &QPushButton::clicked, this, [this, g] { chooseFromList(g); });
        grid->setColumnMinimumWidth(0, 20);
        grid->addWidget(group.page, 3, 1);
        grid->addWidget(group.list, 3, 2);
        grid->setColumnStretch(1, 1);
        fields->addLayout(grid);
    }
    fields->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addSpacing(8);
    layout->addLayout(makeButtonColumn(*this, res::IDC_START_PAGE_HELP, kHelpTopic));
}

void CPortalStartPageDlg::showValues()
{
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        const StartPageTarget &target = m_startPage.controls.*kGroups[g].target;
        for (std::size_t c = 0; c < m_groups[g].choices.size(); ++c)
            m_groups[g].choices[c]->setChecked(static_cast<int>(c) == target.choice);
        m_groups[g].page->setText(qt(target.page));
    }
    enableAlternatives();
}

void CPortalStartPageDlg::takeValues()
{
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        StartPageTarget &target = m_startPage.controls.*kGroups[g].target;
        for (std::size_t c = 0; c < m_groups[g].choices.size(); ++c)
            if (m_groups[g].choices[c]->isChecked())
                target.choice = static_cast<int>(c);
        target.page = m_groups[g].page->text().toStdString();
    }
}

void CPortalStartPageDlg::enableAlternatives()
{
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        const bool alternative =
            (m_startPage.controls.*kGroups[g].target).choice == portalsettings::AlternativeStartPage;
        m_groups[g].page->setEnabled(alternative);
        m_groups[g].list->setEnabled(alternative);
    }
}

void CPortalStartPageDlg::chooseFromList(std::size_t group)
{
    takeValues();
    StartPageTarget &target = m_startPage.controls.*kGroups[group].target;
    controls::FileSelection selection{portalsettings::kStartPageFolder,
                                      portalsettings::proposedListFile(target.page),
                                      ".asp",
                                      {".asp", ".htm", ".html"},
                                      std::string(loadString(StringId::WebPageFilter))};
    const std::optional<std::string> chosen =
        controls::CSrvFileSelDlg::choose(m_env, m_prompter, std::move(selection), this);
    if (!chosen || chosen->empty())
        return;
    target.page = *chosen;
    m_startPage.edited();
    m_groups[group].page->setText(qt(target.page));
}

void CPortalStartPageDlg::accept()
{
    takeValues();
    // A page the script cannot hold keeps the dialog open for another one.
    if (m_startPage.accept() == portalsettings::PortalStartPage::Outcome::Refused)
        return;
    QDialog::accept();
}

} // namespace kw::editors
