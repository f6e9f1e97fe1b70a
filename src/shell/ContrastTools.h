// The frame's contrast tools: the audit of the open layout re-run on every change and told in the status
// bar, the non-modal "Kontrastprüfung" window, and the layout's sample page in the desktop's browser.
#pragma once

#include "audit/Audit.h"
#include "shell/Commands.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QStatusBar;
class QTemporaryDir;
class QTreeWidget;
class QUrl;

namespace kw::shell {

class CKwLOutTabbedView;

/// Opens a file or address in the desktop's program for it; tests put their own in.
using UrlOpener = std::function<bool(const QUrl &)>;
/// Replaces the opener (an empty one restores QDesktopServices) and returns the previous one.
UrlOpener replaceUrlOpener(UrlOpener opener);

/// Runs the audit of a layout as the panes show it; tests put in one that fails.
using AuditRunner = std::function<audit::AuditResult(const layout::LayoutModel &, audit::AuditSwitches,
                                                     audit::Level, const audit::BackdropSource *)>;
/// Replaces the runner (an empty one restores the audit itself) and returns the previous one.
AuditRunner replaceAuditRunner(AuditRunner runner);

/// The audit of the tabbed view's open layout, kept up to date. An audit that fails is told once through
/// the prompter and leaves the list empty and the status "Kontrast: nicht geprüft" until one works again.
class ContrastMonitor {
public:
    explicit ContrastMonitor(CKwLOutTabbedView &view);

    /// Audits the layout as the panes show it now (nothing while no layout is open) and tells the
    /// listeners.
    void refresh();
    const audit::AuditResult &result() const { return m_result; }
    bool layoutOpen() const { return m_open; }
    audit::Level level() const { return m_level; }
    void setLevel(audit::Level level);
    void addListener(std::function<void()> listener) { m_listeners.push_back(std::move(listener)); }

    /// The pair as the window lists it: the region's and the state's German names ("Hauptmenü: Einträge
    /// mit Mauskontakt", "Anwendungsseite: Schaltfläche „Speichern“").
    QString pairCaption(const audit::PairResult &pair) const;

    /// "Kontrast: N Probleme" / "Kontrast: AA erfüllt"; "Kontrast: nicht geprüft" after an audit failed;
    /// empty while no layout is open.
    QString statusText() const;

private:
    CKwLOutTabbedView &m_view;
    audit::Level m_level = audit::Level::AA;
    audit::AuditResult m_result;
    bool m_open = false;
    bool m_failed = false; // the last audit failed (and was told)
    std::vector<std::function<void()>> m_listeners;
};

/// "Kontrastprüfung": the failing pairs (or all of them) with swatches, ratio, what is needed and the
/// proposal; a double click shows the pair's region and opens its property sheet, "Vorschlag übernehmen"
/// applies the selected pair's first proposal.
class CContrastDlg final : public QDialog {
public:
    using PairAction = std::function<void(const audit::PairResult &)>;
    CContrastDlg(ContrastMonitor &monitor, PairAction showRegion, PairAction applyProposal,
                 QWidget *parent = nullptr);

    /// Fills the list from the monitor, keeping the selected pair where it is still listed.
    void refill();
    QTreeWidget *list() const { return m_list; }

private:
    const audit::PairResult *selectedPair() const;
    void updateButtons();
    void growToColumns();

    ContrastMonitor &m_monitor;
    PairAction m_showRegion;
    PairAction m_applyProposal;
    QComboBox *m_level = nullptr;
    QCheckBox *m_showAll = nullptr;
    QTreeWidget *m_list = nullptr;
    QLabel *m_summary = nullptr;
    QPushButton *m_apply = nullptr;
};

/// The frame's part: the status bar text, the window (32940) and "Im Browser ansehen" (32941).
class ContrastTools final : public CommandTarget {
public:
    ContrastTools(CKwLOutTabbedView &view, QStatusBar &statusBar, QWidget *dialogParent);
    ~ContrastTools() override;

    ContrastMonitor &monitor() { return m_monitor; }
    CContrastDlg *dialog() const { return m_dialog.data(); }

    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState &state) override;

    /// Shows the pair's region selected in its pane and opens the region's property sheet.
    void showRegion(const audit::PairResult &pair);
    /// Applies the pair's first proposal as an edit of the layout.
    void applyProposal(const audit::PairResult &pair);
    /// Writes the open layout's sample page into a folder of the session and opens it in the browser.
    void viewInBrowser();

private:
    void showDialog();

    CKwLOutTabbedView &m_view;
    QStatusBar &m_statusBar;
    QLabel *m_status;
    QWidget *m_dialogParent;
    ContrastMonitor m_monitor;
    QPointer<CContrastDlg> m_dialog;
    std::unique_ptr<QTemporaryDir> m_sampleFolder;
};

} // namespace kw::shell
