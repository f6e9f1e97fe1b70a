#include "editors/CTopLevelMenuSheet.h"

#include "base/ServerError.h"
#include "controls/CKwArrowButton.h"
#include "editors/DialogButtons.h"
#include "platform/HelpLauncher.h"
#include "platform/HostMessages.h"
#include "platform/QtStrings.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kw::editors {

namespace {

using platform::qt;

constexpr std::string_view kHelpTopic = "::/73.htm";
constexpr const char *kColumnName = "MenuItems";

/// The page's buttons: ID, caption and what a click does.
struct ButtonResource {
    int id;
    const char *caption;
    void (CTopLevelMenuPage::*run)();
};
constexpr ButtonResource kSideButtons[] = {
    {res::IDC_MENU_NEW, "&Neu", &CTopLevelMenuPage::newEntry},
    {res::IDC_MENU_RENAME, "N&ame ändern", &CTopLevelMenuPage::renameEntry},
    {res::IDC_MENU_RIGHTS, "&Rechte", &CTopLevelMenuPage::editRights},
    {res::IDC_MENU_DELETE, "&Löschen", &CTopLevelMenuPage::deleteEntry},
};
constexpr ButtonResource kStartPageButton = {
    res::IDC_MENU_START_PAGE, "&Startseite des Menüpunkts bearbeiten", &CTopLevelMenuPage::editStartPage};

} // namespace

/// Keeps the typed label from the list until the page's rules have seen it: the page sets the text.
class CTopLevelMenuPage::LabelDelegate final : public QStyledItemDelegate {
public:
    explicit LabelDelegate(QObject *parent) : QStyledItemDelegate(parent) {}
    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &) const override
    {
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            committed = line->text().toStdString();
    }
    mutable std::optional<std::string> committed;
};

CTopLevelMenuPage::CTopLevelMenuPage(portalsettings::MainMenuEditor &editor, MenuEntryEditors editors,
                                     QWidget *parent)
    : QWidget(parent), m_editor(editor), m_editors(std::move(editors))
{
    setObjectName(QString::number(res::IDD_TOP_LEVEL_MENU));
    buildControls();
}

void CTopLevelMenuPage::buildControls()
{
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QString::number(res::IDC_MENU_LIST));
    m_list->setAccessibleName(QStringLiteral("Menüpunkte"));
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({QString::fromLatin1(kColumnName)});
    m_list->header()->setStretchLastSection(true);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *delegate = new LabelDelegate(m_list);
    m_list->setItemDelegate(delegate);
    connect(delegate, &QAbstractItemDelegate::closeEditor, this, [this, delegate](QWidget *) {
        const std::optional<std::string> text = std::exchange(delegate->committed, std::nullopt);
        if (const std::optional<std::size_t> row = std::exchange(m_editingRow, std::nullopt))
            labelEditEnded(*row, text);
    });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { enableControls(); });

    m_up = new controls::CKwArrowButton(Qt::UpArrow, QStringLiteral("Menüpunkt nach oben verschieben"), this);
    m_up->setObjectName(QString::number(res::IDC_MENU_UP));
    m_down =
        new controls::CKwArrowButton(Qt::DownArrow, QStringLiteral("Menüpunkt nach unten verschieben"), this);
    m_down->setObjectName(QString::number(res::IDC_MENU_DOWN));
    connect(m_up, &QToolButton::clicked, this, &CTopLevelMenuPage::moveUp);
    connect(m_down, &QToolButton::clicked, this, &CTopLevelMenuPage::moveDown);
    auto *arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(m_up);
    arrows->addWidget(m_down);
    arrows->addStretch();

    auto button = [this](const ButtonResource &resource) {
        auto *b = new QPushButton(QString::fromUtf8(resource.caption), this);
        b->setObjectName(QString::number(resource.id));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, resource.run);
        return b;
    };
    auto *side = new QVBoxLayout;
    for (const ButtonResource &resource : kSideButtons) {
        QPushButton *b = button(resource);
        // A little air around the captions, which the narrow column would otherwise touch.
        b->setMinimumWidth(b->sizeHint().width() + 2 * b->fontMetrics().averageCharWidth());
        side->addWidget(b);
    }
    side->addStretch();
    auto *help = new QPushButton(QStringLiteral("&Hilfe"), this);
    help->setObjectName(QString::number(res::IDC_MENU_HELP));
    help->setAutoDefault(false);
    auto showHelp = [] { platform::showHelpTopic(kHelpTopic); };
    connect(help, &QPushButton::clicked, this, showHelp);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, showHelp);
    side->addWidget(help);
    m_rename = findChild<QPushButton *>(QString::number(res::IDC_MENU_RENAME));
    m_rights = findChild<QPushButton *>(QString::number(res::IDC_MENU_RIGHTS));
    m_delete = findChild<QPushButton *>(QString::number(res::IDC_MENU_DELETE));
    m_startPage = button(kStartPageButton);

    auto *listColumn = new QVBoxLayout;
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    listRow->addLayout(arrows);
    listColumn->addLayout(listRow, 1);
    listColumn->addWidget(m_startPage, 0, Qt::AlignLeft);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(listColumn, 1);
    layout->addSpacing(6);
    layout->addLayout(side);
    enableControls();
}

std::optional<std::size_t> CTopLevelMenuPage::selectedRow() const
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return static_cast<std::size_t>(m_list->indexOfTopLevelItem(selected.front()));
}

void CTopLevelMenuPage::showEntries(std::optional<std::size_t> row)
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const portalsettings::MainMenuItem &entry : m_editor.items()) {
        auto *item = new QTreeWidgetItem(m_list, {qt(entry.text)});
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    if (row && *row < m_editor.count()) {
        QTreeWidgetItem *item = m_list->topLevelItem(static_cast<int>(*row));
        m_list->setCurrentItem(item);
        item->setSelected(true);
        m_list->scrollToItem(item);
    }
    enableControls();
}

void CTopLevelMenuPage::enableControls()
{
    const std::optional<std::size_t> row = selectedRow();
    for (QPushButton *b : {m_rename, m_rights, m_delete, m_startPage})
        b->setEnabled(row.has_value());
    m_up->setEnabled(row && m_editor.canMoveUp(*row));
    m_down->setEnabled(row && m_editor.canMoveDown(*row));
}

void CTopLevelMenuPage::startLabelEdit(std::size_t row)
{
    QTreeWidgetItem *item = m_list->topLevelItem(static_cast<int>(row));
    // A restart after a refusal and OK's own request may meet: one editor is enough.
    if (!item || m_editingRow)
        return;
    m_list->setFocus();
    m_list->setCurrentItem(item);
    m_editingRow = row;
    m_list->editItem(item, 0);
}

void CTopLevelMenuPage::labelEditEnded(std::size_t row, const std::optional<std::string> &text)
{
    if (row >= m_editor.count())
        return;
    if (m_editor.endLabelEdit(row, text) == portalsettings::MainMenuEditor::LabelEnd::EditAgain) {
        // The editor is still closing: the new edit opens once it is gone.
        QTimer::singleShot(0, this, [this, row] { startLabelEdit(row); });
        return;
    }
    if (QTreeWidgetItem *item = m_list->topLevelItem(static_cast<int>(row)))
        item->setText(0, qt(m_editor.items()[row].text));
    if (onEntriesChanged)
        onEntriesChanged();
}

void CTopLevelMenuPage::newEntry()
{
    m_list->setFocus();
    const std::size_t row = m_editor.insertNew(selectedRow());
    showEntries(row);
    if (onEntriesChanged)
        onEntriesChanged();
    startLabelEdit(row);
}

void CTopLevelMenuPage::renameEntry()
{
    m_list->setFocus();
    if (const std::optional<std::size_t> row = selectedRow())
        startLabelEdit(*row);
}

void CTopLevelMenuPage::moveUp()
{
    const std::optional<std::size_t> row = selectedRow();
    if (!row)
        return;
    if (m_editor.moveUp(*row) != portalsettings::MainMenuEditor::Move::Moved)
        return;
    showEntries(*row - 1);
    if (onEntriesChanged)
        onEntriesChanged();
}

void CTopLevelMenuPage::moveDown()
{
    const std::optional<std::size_t> row = selectedRow();
    if (!row || !m_editor.canMoveDown(*row))
        return;
    if (m_editor.moveDown(*row) != portalsettings::MainMenuEditor::Move::Moved)
        return;
    showEntries(*row + 1);
    if (onEntriesChanged)
        onEntriesChanged();
}

void CTopLevelMenuPage::deleteEntry()
{
    const std::optional<std::size_t> row = selectedRow();
    if (!row)
        return;
    const portalsettings::MainMenuEditor::Removal removal = m_editor.remove(*row);
    if (!removal.removed)
        return;
    showEntries(removal.selection);
    if (onEntriesChanged)
        onEntriesChanged();
}

bool CTopLevelMenuPage::runEditor(const decltype(MenuEntryEditors::rights) &edit)
{
    m_list->setFocus();
    const std::optional<std::size_t> row = selectedRow();
    if (!row || !edit)
        return false;
    return edit(this, m_editor.entry(*row), qt(m_editor.items()[*row].text));
}

void CTopLevelMenuPage::editRights()
{
    runEditor(m_editors.rights);
}

void CTopLevelMenuPage::editStartPage()
{
    // Entry 31's dialog writes the menu's page-content record itself: that change is the editor's own.
    const std::optional<std::size_t> row = selectedRow();
    const bool startPageEntry = row && m_editor.entry(*row).id == portalsettings::kPortalStartPageEntryId;
    const std::optional<std::int64_t> before = startPageEntry ? m_editor.versionNow() : std::nullopt;
    if (runEditor(m_editors.startPage) && startPageEntry)
        m_editor.adoptOwnChange(before);
}

bool CTopLevelMenuPage::event(QEvent *event)
{
    if (auto *update = platform::HostMessageEvent::as(event, platform::messages::LanguageDataUpdate)) {
        if (m_editor.languageDataUpdated(static_cast<std::int32_t>(update->wParam())))
            showEntries(selectedRow());
        return true;
    }
    return QWidget::event(event);
}

CTopLevelMenuSheet::CTopLevelMenuSheet(server::Environment env, Prompter &prompter, MenuEntryEditors editors,
                                       QWidget *parent)
    : QDialog(parent), m_editor(env, prompter)
{
    setWindowTitle(qt(loadString(StringId::MainMenuEditorCaption)));
    m_tabs = new QTabWidget(this);
    m_general = new CTopLevelMenuPage(m_editor, std::move(editors));
    m_language = new CIFLanguagePage;
    try {
        if (!env.session)
            throw ServerError(ServerError::NullPointer, "Das Modul hat keine Sitzung mit dem Portalserver.");
        m_languages = portalsettings::readLanguages(*env.session);
        m_language->languages = m_languages.languages;
    } catch (const ServerError &error) {
        prompter.showExtendedError(StringId::ServerEnvironmentNotRead, error);
    }
    m_editor.defaultLanguage = m_languages.defaultLanguage;
    m_language->fields.menuTitleTextList = &m_editor.names();
    m_tabs->addTab(m_general, QStringLiteral("Allgemein"));
    m_tabs->addTab(m_language, QStringLiteral("Spracheinstellungen"));
    m_general->onEntriesChanged = [this] { m_language->fillGrid(); };

    // The list keeps what was read before a server error.
    m_editor.load();
    m_general->showEntries(std::nullopt);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(makeOkCancelBox(*this));
    resize(560, 420);
}

void CTopLevelMenuSheet::accept()
{
    if (const std::optional<std::size_t> unnamed = m_editor.firstUnnamed()) {
        m_editor.endLabelEdit(*unnamed, std::nullopt);
        m_tabs->setCurrentWidget(m_general);
        m_general->startLabelEdit(*unnamed);
        return;
    }
    const portalsettings::MainMenuEditor::Save result = m_editor.save();
    if (result == portalsettings::MainMenuEditor::Save::Kept)
        return; // the administrator goes on editing; nothing was written
    if (result == portalsettings::MainMenuEditor::Save::ChangedElsewhere) {
        // The editor has read the menu again: show it and let the administrator start over.
        m_general->showEntries(std::nullopt);
        m_language->fillGrid();
        return;
    }
    m_saved = result == portalsettings::MainMenuEditor::Save::Saved;
    QDialog::accept();
}

} // namespace kw::editors
