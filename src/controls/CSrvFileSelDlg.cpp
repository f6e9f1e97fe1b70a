#include "controls/CSrvFileSelDlg.h"

#include "base/Values.h"
#include "controls/CKwPictureCtrl.h"
#include "image/ImageType.h"
#include "server/PortalAccess.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace kw::controls {

namespace {

constexpr const char *kCaption = "Datei auswählen";

std::string extensionOf(const std::string &name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

/// Whether `name` matches a pattern of the form "*.ext" or "*" (the only forms filter strings use).
bool matchesPattern(const std::string &name, const std::string &pattern)
{
    if (pattern == "*" || pattern == "*.*")
        return true;
    if (pattern.size() > 1 && pattern[0] == '*')
        return equalsIgnoringCase(extensionOf(name), pattern.substr(1));
    return equalsIgnoringCase(name, pattern);
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string::npos) {
            if (start < text.size())
                parts.push_back(text.substr(start));
            break;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

QString noPreviewText()
{
    return QString::fromUtf8("Vorschau nicht möglich");
}

std::vector<CSrvFileSelDlg::FilterEntry> CSrvFileSelDlg::parseFilter(const std::string &filter)
{
    std::vector<FilterEntry> entries;
    const std::vector<std::string> parts = split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            continue;
        entries.push_back({parts[i], split(parts[i + 1], ';')});
    }
    return entries;
}

CSrvFileSelDlg::CSrvFileSelDlg(server::Environment env, Prompter &prompter, FileSelection selection,
                               QWidget *parent)
    : QDialog(parent), m_env(std::move(env)), m_prompter(prompter), m_selection(std::move(selection)),
      m_filters(parseFilter(m_selection.filter))
{
    setObjectName(QStringLiteral("CSrvFileSelDlg"));
    setWindowTitle(QString::fromUtf8(kCaption));

    auto *grid = new QGridLayout(this);
    auto *folderLabel =
        new QLabel(QString::fromUtf8("Ordner: ") + QString::fromStdString(m_selection.folder), this);
    folderLabel->setObjectName(QStringLiteral("folder"));
    grid->addWidget(folderLabel, 0, 0, 1, 2);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("files"));
    m_list->setAccessibleName(QString::fromUtf8("Dateien"));
    m_list->setMinimumSize(220, 200);
    grid->addWidget(m_list, 1, 0);

    m_preview = new CKwPictureCtrl(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setAccessibleName(QString::fromUtf8("Vorschau"));
    m_preview->setFit(CKwPictureCtrl::Fit::ShrinkToFit);
    m_preview->setMinimumSize(200, 200);
    grid->addWidget(m_preview, 1, 1);

    auto *form = new QGridLayout;
    auto *nameLabel = new QLabel(QString::fromUtf8("Datei&name:"), this);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("fileName"));
    m_name->setAccessibleName(QStringLiteral("Dateiname"));
    nameLabel->setBuddy(m_name);
    form->addWidget(nameLabel, 0, 0);
    form->addWidget(m_name, 0, 1);
    auto *typeLabel = new QLabel(QString::fromUtf8("Datei&typ:"), this);
    m_filter = new QComboBox(this);
    m_filter->setObjectName(QStringLiteral("fileType"));
    m_filter->setAccessibleName(QStringLiteral("Dateityp"));
    for (const FilterEntry &entry : m_filters)
        m_filter->addItem(QString::fromStdString(entry.description));
    typeLabel->setBuddy(m_filter);
    form->addWidget(typeLabel, 1, 0);
    form->addWidget(m_filter, 1, 1);
    grid->addLayout(form, 2, 0, 1, 2);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { confirm(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(1, 1);

    connect(m_list, &QListWidget::currentTextChanged, this, [this](const QString &text) {
        if (!text.isEmpty())
            m_name->setText(text);
        showPreview();
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { confirm(); });
    connect(m_filter, &QComboBox::currentIndexChanged, this, [this] { fillList(); });
}

int CSrvFileSelDlg::exec()
{
    if (!readFolder())
        return QDialog::Rejected;
    fillList();
    return QDialog::exec();
}

std::optional<std::string> CSrvFileSelDlg::choose(server::Environment env, Prompter &prompter,
                                                  FileSelection selection, QWidget *parent)
{
    CSrvFileSelDlg dialog(std::move(env), prompter, std::move(selection), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.fileName();
}

bool CSrvFileSelDlg::readFolder()
{
    m_files.clear();
    if (!m_env.factory)
        return true;
    std::string sub = m_selection.folder;
    sub.erase(0, sub.find_first_not_of("\\/"));
    try {
        server::PortalConnection connection(*m_env.factory, m_env.session);
        server::Ref<server::IServerFolder> folder = connection.folder(sub);
        for (std::string name = folder->FirstMatch("*"); folder->SearchDone() == 0;
             name = folder->NextMatch())
            m_files.push_back(name);
        folder->EndMatch();
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::ServerEnvironmentNotRead, error);
        return false;
    }
    std::sort(m_files.begin(), m_files.end(),
              [](const std::string &a, const std::string &b) { return toLowerAscii(a) < toLowerAscii(b); });
    return true;
}

bool CSrvFileSelDlg::allowed(const std::string &name) const
{
    const std::string extension = extensionOf(name);
    const auto &extensions = m_selection.extensions;
    if (!extensions.empty() && std::none_of(extensions.begin(), extensions.end(), [&](const std::string &e) {
            return equalsIgnoringCase(e, extension);
        }))
        return false;
    const int filter = m_filter->currentIndex();
    if (filter < 0 || filter >= static_cast<int>(m_filters.size()))
        return true;
    const auto &patterns = m_filters[static_cast<std::size_t>(filter)].patterns;
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::string &pattern) { return matchesPattern(name, pattern); });
}

std::vector<std::string> CSrvFileSelDlg::listedFiles() const
{
    std::vector<std::string> names;
    for (int row = 0; row < m_list->count(); ++row)
        names.push_back(m_list->item(row)->text().toStdString());
    return names;
}

void CSrvFileSelDlg::fillList()
{
    const std::string keep =
        m_name->text().isEmpty() ? m_selection.proposedFile : m_name->text().toStdString();
    m_list->clear();
    QListWidgetItem *selected = nullptr;
    for (const std::string &name : m_files) {
        if (!allowed(name))
            continue;
        auto *item = new QListWidgetItem(QString::fromStdString(name), m_list);
        if (!selected && equalsIgnoringCase(name, keep))
            selected = item;
    }
    if (selected) {
        m_list->setCurrentItem(selected);
        m_list->scrollToItem(selected);
    } else {
        m_name->setText(QString::fromStdString(keep));
        showPreview();
    }
}

void CSrvFileSelDlg::showPreview()
{
    m_preview->clear();
    m_preview->setText({});
    const QListWidgetItem *item = m_list->currentItem();
    if (!item || !m_env.factory)
        return;
    const std::string name = item->text().toStdString();
    const int type = image::KwGetImageType(name);
    if (type <= 0)
        return;
    std::string sub = m_selection.folder;
    sub.erase(0, sub.find_first_not_of("\\/"));
    server::Bytes bytes;
    try {
        server::PortalConnection connection(*m_env.factory, m_env.session);
        bytes = connection.folder(sub)->GetFile(name, server::ModeRead)->GetBytes();
    } catch (const ServerError &error) {
        m_preview->setText(noPreviewText());
        if (!m_previewErrorShown) {
            m_previewErrorShown = true;
            m_prompter.showExtendedError(StringId::ServerEnvironmentNotRead, error);
        }
        return;
    }
    if (!m_preview->loadPicture(bytes, type))
        m_preview->setText(noPreviewText());
}

std::optional<std::string> CSrvFileSelDlg::resolve(const std::string &typed) const
{
    std::string name = typed;
    if (!name.empty() && extensionOf(name).empty())
        name += m_selection.defaultExtension;
    for (const std::string &file : m_files)
        if (equalsIgnoringCase(file, name) && allowed(file))
            return file;
    return std::nullopt;
}

void CSrvFileSelDlg::confirm()
{
    const std::string typed = m_name->text().trimmed().toStdString();
    if (typed.empty())
        return;
    const std::optional<std::string> found = resolve(typed);
    if (!found) {
        m_prompter.tell("Die Datei \"" + typed + "\" wurde in diesem Ordner nicht gefunden.");
        m_name->setFocus();
        m_name->selectAll();
        return;
    }
    m_fileName = *found;
    accept();
}

} // namespace kw::controls
