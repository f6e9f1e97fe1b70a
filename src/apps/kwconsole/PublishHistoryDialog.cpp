#include "PublishHistoryDialog.h"

#include "base/TextCodec.h"
#include "platform/QtStrings.h"
#include "publish/PublishingTexts.h"
#include "publish/UnifiedDiff.h"
#include "server/PortalAccess.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kw::console {

namespace {

using platform::qt;

std::optional<std::string> textOf(const std::optional<server::Bytes> &bytes)
{
    if (!bytes)
        return std::nullopt;
    return cp1252ToUtf8(*bytes);
}

// "2026-12-07T01:23:45Z" as "07.12.2026 01:23:45 UTC".
QString shownTime(const std::string &time)
{
    if (time.size() != 20)
        return qt(time);
    return qt(time.substr(8, 2) + "." + time.substr(5, 2) + "." + time.substr(0, 4) + " " +
              time.substr(11, 8) + " UTC");
}

// The entry as the list shows it, for "der Aktivierung ...": the list shows no ids.
std::string shownEntry(const server::PublishEntry &entry)
{
    return "von \"" + entry.layout + "\" am " + shownTime(entry.time).toStdString();
}

// A server error about the entry, with a refusal's "Aktivierung <id>" named as the list shows the entry.
std::string aboutEntry(const server::PublishEntry &entry, const ServerError &error)
{
    const std::string message = error.what();
    const std::string byId = server::rollbackRefusal(std::to_string(entry.id), "");
    if (!message.starts_with(byId))
        return message;
    return server::rollbackRefusal(shownEntry(entry), message.substr(byId.size()));
}

} // namespace

PublishHistoryDialog::PublishHistoryDialog(server::Environment env, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_env(std::move(env)), m_prompter(prompter)
{
    setObjectName(QStringLiteral("publishHistory"));
    setWindowTitle(QStringLiteral("Veröffentlichungsverlauf"));

    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("historyList"));
    m_list->setAccessibleName(QStringLiteral("Aktivierungen"));
    m_list->setHeaderLabels({QStringLiteral("Zeit"), QStringLiteral("Benutzer"), QStringLiteral("Layout")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    m_diff = new QPlainTextEdit;
    m_diff->setObjectName(QStringLiteral("historyDiff"));
    m_diff->setAccessibleName(QStringLiteral("Änderungen beim Zurücksetzen"));
    m_diff->setReadOnly(true);
    m_diff->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_diff->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto *diffBox = new QWidget;
    auto *diffLayout = new QVBoxLayout(diffBox);
    diffLayout->setContentsMargins(0, 0, 0, 0);
    diffLayout->addWidget(
        new QLabel(QStringLiteral("Was das Zurücksetzen auf den Stand direkt nach der gewählten Aktivierung "
                                  "am veröffentlichten Stand ändert:")));
    diffLayout->addWidget(m_diff);

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(m_list);
    splitter->addWidget(diffBox);
    splitter->setStretchFactor(1, 2);

    auto *buttons = new QDialogButtonBox;
    m_rollback = buttons->addButton(QStringLiteral("Zurücksetzen"), QDialogButtonBox::ActionRole);
    m_rollback->setObjectName(QStringLiteral("rollback"));
    QPushButton *close = buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_rollback, &QPushButton::clicked, this, [this] { rollBackSelected(); });
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { showSelected(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    layout->addWidget(buttons);
    resize(760, 560);
    reload();
}

void PublishHistoryDialog::reload()
{
    m_list->clear();
    try {
        auto publishing = server::createObject<server::IPublishing>(*m_env.factory);
        publishing->AttachSession(m_env.session);
        m_entries = publishing->HistoryEntries();
    } catch (const ServerError &error) {
        m_entries.clear();
        m_prompter.tell(QStringLiteral("Der Veröffentlichungsverlauf konnte nicht gelesen werden:\n%1")
                            .arg(QString::fromUtf8(error.what()))
                            .toStdString());
    }
    for (const server::PublishEntry &entry : m_entries)
        new QTreeWidgetItem(m_list, {shownTime(entry.time), qt(entry.user), qt(entry.layout)});
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    showSelected();
}

const server::PublishEntry *PublishHistoryDialog::selected() const
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    return row >= 0 && row < static_cast<int>(m_entries.size()) ? &m_entries[static_cast<std::size_t>(row)]
                                                                : nullptr;
}

void PublishHistoryDialog::showSelected()
{
    const server::PublishEntry *entry = selected();
    m_rollback->setEnabled(entry != nullptr);
    if (!entry) {
        m_diff->clear();
        return;
    }
    std::string text;
    try {
        for (const server::PendingChange &change :
             server::rollbackChanges(*m_env.factory, m_env.session, entry->id))
            text += publish::unifiedDiff(change.path, textOf(change.before), textOf(change.after));
        if (text.empty()) {
            // The portal is in that state already: rolling back would change nothing.
            text = publish::kRollbackChangesNothing;
            m_rollback->setEnabled(false);
        }
    } catch (const ServerError &error) {
        // Refused (or unreadable): there is nothing to roll back to.
        text = aboutEntry(*entry, error);
        m_rollback->setEnabled(false);
    }
    m_diff->setPlainText(qt(text));
}

void PublishHistoryDialog::rollBackSelected()
{
    const server::PublishEntry *entry = selected();
    if (!entry || m_prompter.ask(publish::rollbackQuestion(shownEntry(*entry))) != Prompter::Answer::Yes)
        return;
    try {
        auto publishing = server::createObject<server::IPublishing>(*m_env.factory);
        publishing->AttachSession(m_env.session);
        publishing->HistoryRollback(entry->id);
    } catch (const ServerError &error) {
        m_prompter.tell(QStringLiteral("Das Portal konnte nicht auf den Stand nach dieser Aktivierung "
                                       "zurückgesetzt werden:\n%1")
                            .arg(qt(aboutEntry(*entry, error)))
                            .toStdString());
    }
    reload();
}

} // namespace kw::console
