#include "shell/ContrastTools.h"

#include "layout/SamplePage.h"
#include "layout/ValueChanges.h"
#include "pages/ElementProperties.h"
#include "platform/QtStrings.h"
#include "portalpage/PreviewContrast.h"
#include "preview/PaneContents.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/CKwLOutView.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <exception>

namespace kw::shell {

namespace {

using platform::qt;

using audit::PairResult;
using audit::Verdict;

UrlOpener &urlOpener()
{
    static UrlOpener opener;
    return opener;
}

AuditRunner &auditRunner()
{
    static AuditRunner runner;
    return runner;
}

QString ratioText(double ratio)
{
    return qt(audit::formatRatio(ratio)) + QStringLiteral(":1");
}

QIcon swatch(Color color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor(static_cast<int>(redOf(color)), static_cast<int>(greenOf(color)),
                       static_cast<int>(blueOf(color))));
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, 15, 15);
    painter.end();
    // The same pixmap for a selected row: the colour is what the swatch tells, so it is not tinted.
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Selected);
    return icon;
}

QString verdictCaption(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass:
        return QStringLiteral("erfüllt");
    case Verdict::Fail:
        return QStringLiteral("zu wenig Kontrast");
    case Verdict::NotShown:
        return QStringLiteral("nicht angezeigt");
    }
    return {};
}

struct StateCaption {
    std::string_view state;
    const char *caption;
};

/// The pairs' states as the list names them, after the region's name.
constexpr std::array<StateCaption, 38> kStateCaptions = {{
    {"text", "Text"},
    {"normal", "Einträge"},
    {"hover", "Einträge mit Mauskontakt"},
    {"selected", "selektierter Eintrag"},
    {"focus", "Eintrag mit Fokus"},
    {"click", "angeklickter Eintrag"},
    {"subNormal", "Untereinträge"},
    {"subHover", "Untereinträge mit Mauskontakt"},
    {"subSelected", "selektierter Untereintrag"},
    {"link", "Links"},
    {"linkHover", "Links mit Mauskontakt"},
    {"mainLink", "Hervorgehobene Links"},
    {"mainLinkHover", "Hervorgehobene Links mit Mauskontakt"},
    {"heading1", "Überschrift 1"},
    {"heading2", "Überschrift 2"},
    {"heading3", "Überschrift 3"},
    {"welcome", "Begrüssungstext"},
    {"portal", "Portaltext"},
    {"gridTitle", "Tabellentitel"},
    {"gridHeader", "Tabellenüberschrift"},
    {"tableHeadLink", "Links der Tabellenüberschrift"},
    {"tableHeadHover", "Links der Tabellenüberschrift mit Mauskontakt"},
    {"tableHeadClicked", "angeklickte Links der Tabellenüberschrift"},
    {"gridRow1", "Tabellenzeile 1"},
    {"gridRow2", "Tabellenzeile 2"},
    {"portletTitle", "Portlet-Titel"},
    {"portletHeader", "Portlet-Kopf"},
    {"portletHeaderHover", "Portlet-Kopf mit Mauskontakt"},
    {"portletHeaderClicked", "angeklickter Portlet-Kopf"},
    {"portletRow1", "Portlet-Zeile 1"},
    {"portletRow2", "Portlet-Zeile 2"},
    {"portletLinkRow1", "Portlet-Links in Zeile 1"},
    {"portletLinkRow2", "Portlet-Links in Zeile 2"},
    {"portletLinkHoverRow1", "Portlet-Links mit Mauskontakt in Zeile 1"},
    {"portletLinkHoverRow2", "Portlet-Links mit Mauskontakt in Zeile 2"},
    {"entry", "Eingabefelder"},
    {"entrySelection", "Auswahl in Eingabefeldern"},
    {"button", "Schaltfläche"},
}};

/// The name a button style shows in the Buttons page's list ("Speichern - Gehe Zu"); its key when none.
std::string buttonStyleName(const layout::LayoutModel &model, std::string_view key)
{
    layout::ButtonStyleList styles = model.buttons();
    for (std::size_t i = 0; i < styles.size(); ++i)
        if (styles.styles()[i].key == key)
            return styles.denotationAt(i);
    return std::string(key);
}

/// Which of the pair's colours a proposal changes: "Text" or "Hintergrund".
QString changedColourCaption(const PairResult &pair, const audit::Proposal &proposal)
{
    return proposal.field == pair.pair.foreground ? QStringLiteral("Text") : QStringLiteral("Hintergrund");
}

enum Column {
    PairColumn,
    TextColumn,
    BackgroundColumn,
    RatioColumn,
    NeededColumn,
    VerdictColumn,
    ProposalColumn
};

} // namespace

UrlOpener replaceUrlOpener(UrlOpener opener)
{
    UrlOpener previous = std::move(urlOpener());
    urlOpener() = std::move(opener);
    return previous;
}

AuditRunner replaceAuditRunner(AuditRunner runner)
{
    AuditRunner previous = std::move(auditRunner());
    auditRunner() = std::move(runner);
    return previous;
}

// --- monitor ----------------------------------------------------------------------------------------

ContrastMonitor::ContrastMonitor(CKwLOutTabbedView &view) : m_view(view)
{
    m_result.level = m_level;
}

void ContrastMonitor::setLevel(audit::Level level)
{
    if (level == m_level)
        return;
    m_level = level;
    refresh();
}

void ContrastMonitor::refresh()
{
    m_result = {};
    m_result.level = m_level;
    const layout::LayoutDocument &document = m_view.document();
    preview::CKwLOutView *start = m_view.startPagePane();
    preview::CKwLOutView *application = m_view.appPagesPane();
    m_open = document.isOpen() && start && application && start->contents() && application->contents();
    if (m_open) {
        try {
            // The pictures and text areas as the panes show them, laid out at one size for window and
            // command line alike.
            const portalpage::PreviewBackdrops backdrops(start->contents()->pane(),
                                                         application->contents()->pane());
            const audit::AuditSwitches switches{document.flags().buttonStylesLoaded};
            m_result = auditRunner() ? auditRunner()(document.model(), switches, m_level, &backdrops)
                                     : audit::runAudit(document.model(), switches, m_level, &backdrops);
            audit::addProposals(m_result);
            m_failed = false;
        } catch (const std::exception &error) {
            m_result = {};
            m_result.level = m_level;
            m_open = false;
            // Told once; the audit runs again on every change and says nothing more until it works again.
            if (!m_failed)
                modulePrompter().tell(std::string("Die Kontrastprüfung des Layouts ist fehlgeschlagen.\n") +
                                      error.what());
            m_failed = true;
        }
    } else {
        m_failed = false;
    }
    for (const auto &listener : m_listeners)
        listener();
}

QString ContrastMonitor::pairCaption(const audit::PairResult &result) const
{
    const audit::Pair &pair = result.pair;
    const QString region =
        pages::sheetCaption(pages::elementSheet(pair.region, pair.pane == layout::Pane::StartPage));
    // A button row's state is "button.KEY", one row per style.
    const std::string_view state = pair.state;
    const std::string_view kind = state.substr(0, state.find('.'));
    const auto found = std::ranges::find(kStateCaptions, kind, &StateCaption::state);
    if (found == kStateCaptions.end())
        return region + QStringLiteral(": ") + qt(state);
    QString caption = region + QStringLiteral(": ") + QString::fromUtf8(found->caption);
    if (kind.size() < state.size())
        caption += QStringLiteral(" „%1“").arg(
            qt(buttonStyleName(m_view.document().model(), state.substr(kind.size() + 1))));
    return caption;
}

QString ContrastMonitor::statusText() const
{
    if (m_failed)
        return QStringLiteral("Kontrast: nicht geprüft");
    return m_open ? qt(audit::statusText(m_result)) : QString();
}

// --- window -----------------------------------------------------------------------------------------

CContrastDlg::CContrastDlg(ContrastMonitor &monitor, PairAction showRegion, PairAction applyProposal,
                           QWidget *parent)
    : QDialog(parent, Qt::Tool), m_monitor(monitor), m_showRegion(std::move(showRegion)),
      m_applyProposal(std::move(applyProposal))
{
    setObjectName(QStringLiteral("contrastDialog"));
    setWindowTitle(QStringLiteral("Kontrastprüfung"));
    setModal(false);
    auto *layout = new QVBoxLayout(this);

    auto *options = new QHBoxLayout;
    auto *levelLabel = new QLabel(QStringLiteral("&Stufe:"), this);
    m_level = new QComboBox(this);
    m_level->setObjectName(QStringLiteral("level"));
    m_level->addItem(QStringLiteral("AA (gesetzliche Mindestanforderung)"),
                     static_cast<int>(audit::Level::AA));
    m_level->addItem(QStringLiteral("AAA (erhöht)"), static_cast<int>(audit::Level::AAA));
    m_level->setCurrentIndex(monitor.level() == audit::Level::AAA ? 1 : 0);
    levelLabel->setBuddy(m_level);
    m_showAll = new QCheckBox(QStringLiteral("&Alle Paare anzeigen"), this);
    m_showAll->setObjectName(QStringLiteral("showAll"));
    options->addWidget(levelLabel);
    options->addWidget(m_level);
    options->addSpacing(16);
    options->addWidget(m_showAll);
    options->addStretch();
    layout->addLayout(options);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("contrastList"));
    m_list->setAccessibleName(QStringLiteral("Farbpaare"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({QStringLiteral("Paar"), QStringLiteral("Text"), QStringLiteral("Hintergrund"),
                             QStringLiteral("Verhältnis"), QStringLiteral("Benötigt"),
                             QStringLiteral("Ergebnis"), QStringLiteral("Vorschlag")});
    layout->addWidget(m_list, 1);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    auto *buttons = new QHBoxLayout;
    m_apply = new QPushButton(QStringLiteral("Vorschlag &übernehmen"), this);
    m_apply->setObjectName(QStringLiteral("applyProposal"));
    auto *close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setObjectName(QStringLiteral("close"));
    buttons->addWidget(m_apply);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_level, &QComboBox::currentIndexChanged, this,
            [this] { m_monitor.setLevel(static_cast<audit::Level>(m_level->currentData().toInt())); });
    connect(m_showAll, &QCheckBox::toggled, this, [this] { refill(); });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { updateButtons(); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (const PairResult *pair = selectedPair())
            m_showRegion(*pair);
    });
    connect(m_apply, &QPushButton::clicked, this, [this] {
        if (const PairResult *pair = selectedPair(); pair && !pair->proposals.empty())
            m_applyProposal(*pair);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    resize(720, 460);
    refill();
}

void CContrastDlg::growToColumns()
{
    // Wide enough for every column as filled now, within the screen; never narrower than the user made it.
    const int wanted = m_list->header()->length() + 2 * m_list->frameWidth() + 40;
    const QScreen *shownOn = screen();
    const int room = shownOn ? shownOn->availableGeometry().width() - 40 : 1200;
    const int width = std::min(wanted, std::max(720, room));
    if (width > this->width())
        resize(width, height());
}

const PairResult *CContrastDlg::selectedPair() const
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    const std::string id = selected.front()->data(PairColumn, Qt::UserRole).toString().toStdString();
    for (const PairResult &pair : m_monitor.result().pairs)
        if (pair.pair.id() == id)
            return &pair;
    return nullptr;
}

void CContrastDlg::updateButtons()
{
    const PairResult *pair = selectedPair();
    m_apply->setEnabled(pair && !pair->proposals.empty());
}

void CContrastDlg::refill()
{
    const QString keep = m_list->selectedItems().isEmpty()
                             ? QString()
                             : m_list->selectedItems().front()->data(PairColumn, Qt::UserRole).toString();
    m_list->clear();
    const audit::AuditResult &result = m_monitor.result();
    QTreeWidgetItem *reselect = nullptr;
    for (const PairResult &pair : result.pairs) {
        if (pair.verdict != Verdict::Fail && !m_showAll->isChecked())
            continue;
        auto *item = new QTreeWidgetItem(m_list);
        const QString id = qt(pair.pair.id());
        item->setData(PairColumn, Qt::UserRole, id);
        item->setText(PairColumn, m_monitor.pairCaption(pair));
        // The fields by the names `kwlayout audit` and `kwlayout set` use.
        item->setToolTip(PairColumn, QStringLiteral("%1: Text %2 auf Hintergrund %3")
                                         .arg(id, qt(pair.pair.foreground), qt(pair.pair.background)));
        item->setIcon(TextColumn, swatch(pair.foreground));
        item->setText(TextColumn, qt(formatColor(pair.foreground)));
        item->setIcon(BackgroundColumn, swatch(pair.background));
        QString background = qt(formatColor(pair.background));
        if (pair.pictureUnreadable)
            background += QStringLiteral(" (Bild nicht lesbar: %1)").arg(qt(pair.picture));
        else if (pair.overPicture())
            background += QStringLiteral(" + ") + qt(pair.picture);
        item->setText(BackgroundColumn, background);
        QString ratio = ratioText(pair.ratio);
        if (pair.worstRatio) {
            ratio += QStringLiteral(" (min. %1)").arg(ratioText(*pair.worstRatio));
            item->setToolTip(RatioColumn, QStringLiteral("95 % der Pixel unter dem Text erreichen %1, das "
                                                         "schlechteste Pixel %2.")
                                              .arg(ratioText(pair.ratio), ratioText(*pair.worstRatio)));
        }
        item->setText(RatioColumn, ratio);
        item->setText(NeededColumn,
                      ratioText(pair.needed) + (pair.largeText ? QStringLiteral(" (groß)") : QString()));
        item->setText(VerdictColumn, verdictCaption(pair.verdict));
        if (!pair.proposals.empty()) {
            const audit::Proposal &first = pair.proposals.front();
            item->setIcon(ProposalColumn, swatch(first.color));
            item->setText(ProposalColumn, QStringLiteral("%1: %2 (%3)")
                                              .arg(changedColourCaption(pair, first),
                                                   qt(formatColor(first.color)), ratioText(first.ratio)));
            QStringList tips;
            for (const audit::Proposal &proposal : pair.proposals)
                tips << QStringLiteral("%1 = %2 (%3, Abstand %4)")
                            .arg(qt(proposal.field), qt(formatColor(proposal.color)),
                                 ratioText(proposal.ratio))
                            .arg(proposal.distance * 100, 0, 'f', 1);
            item->setToolTip(ProposalColumn, tips.join(QLatin1Char('\n')));
        }
        if (id == keep)
            reselect = item;
    }
    for (int column = 0; column < m_list->columnCount(); ++column)
        m_list->resizeColumnToContents(column);
    growToColumns();
    if (reselect)
        m_list->setCurrentItem(reselect);
    if (!m_monitor.layoutOpen()) {
        m_summary->setText(QStringLiteral("Es ist kein Layout geöffnet."));
    } else {
        m_summary->setText(
            QStringLiteral("%1 Paare: %2 erfüllt, %3 mit zu wenig Kontrast, %4 nicht angezeigt "
                           "(Stufe %5). Vorschläge sind die nächsten Farben im OKLab-Farbraum.")
                .arg(result.pairs.size())
                .arg(result.count(Verdict::Pass))
                .arg(result.count(Verdict::Fail))
                .arg(result.count(Verdict::NotShown))
                .arg(qt(audit::levelName(result.level))));
    }
    updateButtons();
}

// --- the frame's part -------------------------------------------------------------------------------

ContrastTools::ContrastTools(CKwLOutTabbedView &view, QStatusBar &statusBar, QWidget *dialogParent)
    : m_view(view), m_statusBar(statusBar), m_status(new QLabel(&statusBar)), m_dialogParent(dialogParent),
      m_monitor(view)
{
    m_status->setObjectName(QStringLiteral("contrastStatus"));
    m_statusBar.addWidget(m_status);
    m_monitor.addListener([this] {
        m_status->setText(m_monitor.statusText());
        if (m_dialog)
            m_dialog->refill();
    });
    m_view.setLayoutChangedListener([this] { m_monitor.refresh(); });
    m_monitor.refresh();
}

ContrastTools::~ContrastTools()
{
    m_view.setLayoutChangedListener({});
    delete m_dialog.data();
}

bool ContrastTools::onCommand(int id)
{
    if (id == res::ID_CONTRAST_CHECK) {
        showDialog();
        return true;
    }
    if (id == res::ID_VIEW_IN_BROWSER) {
        viewInBrowser();
        return true;
    }
    return false;
}

bool ContrastTools::onUpdateCommand(int id, CommandState &state)
{
    if (id == res::ID_CONTRAST_CHECK)
        return true;
    if (id == res::ID_VIEW_IN_BROWSER) {
        state.enabled = m_view.document().isOpen();
        return true;
    }
    return false;
}

void ContrastTools::showDialog()
{
    if (!m_dialog) {
        m_dialog = new CContrastDlg(
            m_monitor, [this](const PairResult &pair) { showRegion(pair); },
            [this](const PairResult &pair) { applyProposal(pair); }, m_dialogParent);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void ContrastTools::showRegion(const PairResult &pair)
{
    const std::string name(layout::regionName(pair.pair.region));
    preview::CKwLOutView *pane =
        pair.pair.pane == layout::Pane::StartPage ? m_view.startPagePane() : m_view.appPagesPane();
    if (pane && !pane->element(name))
        pane = m_view.appPagesPane();
    if (!pane || !pane->contents())
        return;
    preview::CPreviewElement *window = pane->element(name);
    if (!window)
        return;
    m_view.setCurrentWidget(pane);
    pane->contents()->windows().select(window);
    m_view.commandStatesChanged();
    try {
        window->EditProperties();
    } catch (const std::exception &error) {
        modulePrompter().tell(error.what());
    }
}

void ContrastTools::applyProposal(const PairResult &pair)
{
    if (pair.proposals.empty())
        return;
    const layout::ValueChange change = audit::changeOf(pair, pair.proposals.front());
    try {
        layout::applyValueChanges(m_view.document(), {&change, 1}, "Kontrastvorschlag übernehmen");
    } catch (const std::exception &error) {
        modulePrompter().tell(error.what());
        return;
    }
    m_view.elementsChanged();
}

void ContrastTools::viewInBrowser()
{
    if (!m_view.document().isOpen())
        return;
    const std::optional<server::Environment> env = loadedModuleEnvironment();
    if (!env)
        return;
    if (!m_sampleFolder)
        m_sampleFolder =
            std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/kwlayout-seite-XXXXXX"));
    if (!m_sampleFolder->isValid()) {
        modulePrompter().tell("Der Ordner für die Beispielseite konnte nicht angelegt werden.");
        return;
    }
    std::filesystem::path index;
    try {
        index = layout::writeSamplePage(m_view.document(), *env, m_sampleFolder->path().toStdString());
    } catch (const std::exception &error) {
        modulePrompter().tell(std::string("Die Beispielseite konnte nicht geschrieben werden.\n") +
                              error.what());
        return;
    }
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(index.string()));
    const bool opened = urlOpener() ? urlOpener()(url) : QDesktopServices::openUrl(url);
    if (!opened)
        modulePrompter().tell("Die Beispielseite konnte nicht im Browser geöffnet werden. Sie liegt in " +
                              index.string());
}

} // namespace kw::shell
