#include "shell/CLayoutListDlg.h"

#include "base/Values.h"
#include "layout/LayoutList.h"
#include "platform/HelpLauncher.h"
#include "platform/QtStrings.h"
#include "server/PortalAccess.h"
#include "shell/HelpTopics.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <exception>

namespace kw::shell {

using namespace kw::server;

namespace {

using platform::qt;

QString objectId(int id)
{
    return QString::number(id);
}

// The dialog template's own texts.
constexpr const char *kCaption = "Layoutmanager";
constexpr const char *kNameLabel = "&Layout";
constexpr const char *kOpenButton = "Öffnen";
constexpr const char *kNewButton = "&Neu";
constexpr const char *kDeleteButton = "Lö&schen";
constexpr const char *kCancelButton = "Abbrechen";

} // namespace

CLayoutListDlg::CLayoutListDlg(Environment env, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_env(std::move(env)), m_prompter(prompter)
{
    setObjectName(objectId(res::IDD_LAYOUTLIST));
    buildControls();
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [] { platform::showHelpTopic(help::LayoutList); });
}

void CLayoutListDlg::buildControls()
{
    setWindowTitle(QString::fromUtf8(kCaption));
    // 286 x 178 dialog units of an 8-point dialog font.
    resize(430, 290);

    m_list = new QListWidget(this);
    m_list->setObjectName(objectId(res::IDC_LAYOUTLIST));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setFrameShape(QFrame::StyledPanel);
    m_list->setIconSize(QSize(16, 16));
    m_list->setAccessibleName(QStringLiteral("Layouts"));

    auto *label = new QLabel(QString::fromUtf8(kNameLabel), this);
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(objectId(res::IDC_LAYOUTNAME));
    m_nameEdit->setAccessibleName(QStringLiteral("Layout"));
    label->setBuddy(m_nameEdit);

    auto button = [this](const char *text, int id) {
        auto *b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(objectId(id));
        b->setAutoDefault(false);
        return b;
    };
    m_ok = button(kOpenButton, res::IDOK);
    m_ok->setDefault(true);
    m_new = button(kNewButton, res::IDC_NEWLAYOUT);
    m_delete = button(kDeleteButton, res::IDC_DELETELAYOUT);
    m_cancel = button(kCancelButton, res::IDCANCEL);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {m_ok, m_new, m_delete, m_cancel})
        buttons->addWidget(b);
    buttons->addStretch();

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_list, 0, 0, 1, 2);
    grid->addLayout(buttons, 0, 2, 2, 1);
    grid->addWidget(label, 1, 0);
    grid->addWidget(m_nameEdit, 1, 1);
    grid->setColumnStretch(1, 1);

    // Nothing may leave a handler into the event loop: what the handlers do not report themselves is
    // reported here.
    auto guarded = [this](auto handler) {
        return [this, handler](auto &&...) {
            try {
                (this->*handler)();
            } catch (const std::exception &error) {
                m_prompter.tell(error.what());
            }
        };
    };
    connect(m_list, &QListWidget::itemSelectionChanged, this, guarded(&CLayoutListDlg::onSelectionChanged));
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        try {
            onDoubleClick(m_list->row(item));
        } catch (const std::exception &error) {
            m_prompter.tell(error.what());
        }
    });
    connect(m_nameEdit, &QLineEdit::textEdited, this, guarded(&CLayoutListDlg::onNameEdited));
    connect(m_ok, &QPushButton::clicked, this, guarded(&CLayoutListDlg::onOK));
    connect(m_new, &QPushButton::clicked, this, guarded(&CLayoutListDlg::onNew));
    connect(m_delete, &QPushButton::clicked, this, guarded(&CLayoutListDlg::onDelete));
    connect(m_cancel, &QPushButton::clicked, this, guarded(&CLayoutListDlg::reject));
}

CLayoutListDlg::Mode CLayoutListDlg::mode() const
{
    if (m_openMode)
        return Mode::Open;
    if (m_saveMode)
        return Mode::Save;
    if (m_deleteMode)
        return Mode::Delete;
    return Mode::StartUp;
}

int CLayoutListDlg::doModal()
{
    initDialog();
    return runModal(*this);
}

void CLayoutListDlg::addRow(const QString &text, const std::string &fileName, int image)
{
    m_fileNames.push_back(fileName);
    auto *item = new QListWidgetItem(text);
    const QList<QImage> &images = moduleResources().layoutListImages();
    if (image < images.size())
        item->setIcon(QIcon(QPixmap::fromImage(images[image])));
    m_list->addItem(item);
}

void CLayoutListDlg::initDialog()
{
    Ref<IFileService> files;
    try {
        if (!m_env.factory)
            throw ServerError(ServerError::NullPointer, "Das Modul hat keine Serverumgebung.");
        files = createObject<IFileService>(*m_env.factory);
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::ServerEnvironmentNotLoaded, error);
        return;
    }
    try {
        if (!m_env.session)
            throw ServerError(ServerError::NullPointer, "Das Modul hat keine Sitzung mit dem Portalserver.");
        files->AttachSession(m_env.session);
        const std::string base = withTrailingBackslash(m_env.session->GetPortal()->GetPortalPath());
        Ref<IServerFolder> style = files->GetFolder(base + folders::Style);
        style->FirstMatch(std::string(layout::kActiveLayoutFile));
        if (style->SearchDone() == 0)
            addRow(qt(loadString(StringId::ActiveLayout)), std::string(layout::kActiveLayoutFile), 0);
        style->EndMatch();

        Ref<IServerFolder> templates = files->GetFolder(base + folders::Templates);
        for (std::string name = templates->FirstMatch("*" + std::string(layout::kLayoutExtension));
             templates->SearchDone() == 0; name = templates->NextMatch())
            addRow(qt(layout::layoutTitle(name)), name, 1);
        templates->EndMatch();
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::LayoutNotRead, error);
        return;
    }
    applyMode();
    m_nameEdit->setFocus();
    for (std::size_t row = 0; row < m_fileNames.size(); ++row)
        if (!m_preselect.empty() && equalsIgnoringCase(m_fileNames[row], m_preselect))
            m_list->setCurrentRow(static_cast<int>(row));
}

void CLayoutListDlg::applyMode()
{
    switch (mode()) {
    case Mode::StartUp:
        break;
    case Mode::Open:
        setWindowTitle(qt(loadString(StringId::LoadLayoutCaption)));
        m_delete->setEnabled(false);
        m_new->setEnabled(false);
        break;
    case Mode::Save:
        setWindowTitle(qt(loadString(StringId::SaveLayoutCaption)));
        m_ok->setText(qt(loadString(StringId::SaveButton)));
        m_delete->setEnabled(false);
        m_new->setEnabled(false);
        break;
    case Mode::Delete:
        setWindowTitle(qt(loadString(StringId::DeleteLayoutCaption)));
        m_ok->setText(qt(loadString(StringId::CloseButton)));
        m_new->setEnabled(false);
        m_nameEdit->setEnabled(false);
        break;
    }
}

void CLayoutListDlg::showName()
{
    m_nameEdit->setText(m_name);
}

void CLayoutListDlg::takeRow(int row)
{
    m_chosenFile = m_fileNames[static_cast<std::size_t>(row)];
    m_name = m_list->item(row)->text();
}

void CLayoutListDlg::onSelectionChanged()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    takeRow(m_list->row(selected.front()));
    const Mode current = mode();
    if (current == Mode::StartUp || current == Mode::Delete)
        m_delete->setEnabled(!m_chosenFile.empty());
    showName();
}

void CLayoutListDlg::onDoubleClick(int row)
{
    if (row < 0 || row >= m_list->count())
        return;
    takeRow(row);
    showName();
    done(res::IDOK);
}

void CLayoutListDlg::onNameEdited()
{
    m_chosenFile.clear();
}

void CLayoutListDlg::onOK()
{
    m_name = m_nameEdit->text();
    const Mode current = mode();
    if (current != Mode::Delete && m_name.isEmpty() && (m_chosenFile.empty() || current == Mode::Save)) {
        m_prompter.tell(StringId::NoLayoutName);
        m_nameEdit->setFocus();
        return;
    }
    if (m_chosenFile.empty()) {
        const std::string typed = m_name.toStdString();
        m_chosenFile = layout::layoutFileFromName(typed);
        if (!layout::isActiveLayoutFile(m_chosenFile) && current != Mode::Save) {
            try {
                if (!m_env.factory)
                    throw ServerError(ServerError::NullPointer, "Das Modul hat keine Serverumgebung.");
                if (!layout::LayoutList(*m_env.factory, m_env.session).namedLayoutExists(m_chosenFile)) {
                    m_prompter.tell(StringId::LayoutFileNotFound);
                    m_chosenFile.clear();
                    return;
                }
            } catch (const ServerError &error) {
                m_prompter.showExtendedError(StringId::ServerEnvironmentNotRead, error);
            }
        }
    }
    done(res::IDOK);
}

void CLayoutListDlg::onNew()
{
    done(ResultNew);
}

int CLayoutListDlg::rowOfChosenFile() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (!selected.isEmpty())
        return m_list->row(selected.front());
    // The selection was cleared but a file is still chosen: the row of that file.
    for (std::size_t i = 0; i < m_fileNames.size(); ++i)
        if (m_fileNames[i] == m_chosenFile)
            return static_cast<int>(i);
    return -1;
}

void CLayoutListDlg::onDelete()
{
    if (m_chosenFile.empty()) {
        m_prompter.tell(StringId::DeleteNeedsExistingLayout);
        return;
    }
    if (layout::isActiveLayoutFile(m_chosenFile)) {
        m_prompter.tell(StringId::ActiveLayoutNotDeletable);
        return;
    }
    const int row = rowOfChosenFile();
    if (row < 0) {
        m_prompter.tell(StringId::DeleteNeedsExistingLayout);
        return;
    }
    const std::string rowText = m_list->item(row)->text().toStdString();
    if (m_prompter.ask(formatString(StringId::AskDeleteLayout, rowText)) != Prompter::Answer::Yes)
        return;
    try {
        if (!m_env.factory)
            throw ServerError(ServerError::NullPointer, "Das Modul hat keine Serverumgebung.");
        layout::LayoutList(*m_env.factory, m_env.session).remove(m_chosenFile);
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::LayoutNotDeleted, error);
        return;
    }
    // Removing the row would move the selection to a neighbour and choose it: remove it unselected.
    {
        const QSignalBlocker quiet(m_list);
        delete m_list->takeItem(row);
        m_list->clearSelection();
    }
    m_fileNames.erase(m_fileNames.begin() + row);
    m_chosenFile.clear();
}

void CLayoutListDlg::reject()
{
    done(res::IDCANCEL);
}

} // namespace kw::shell
