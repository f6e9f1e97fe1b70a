// The server file dialog: picks a file of a portal folder, listed through the server environment.
#pragma once

#include "base/Prompter.h"
#include "server/LocalPortal.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace kw::controls {

class CKwPictureCtrl;

/// What the dialog offers.
struct FileSelection {
    /// The portal folder below the portal path ("Images\\Company", "/KwApplications/KwArea").
    std::string folder;
    /// The file selected when the dialog opens (when the folder holds it).
    std::string proposedFile;
    /// Added to a typed name without extension (".jpg").
    std::string defaultExtension;
    /// Only files with one of these extensions are listed (any case; empty: every file).
    std::vector<std::string> extensions;
    /// Pairs of description and patterns, each ended by '|' ("Bilder (*.png)|*.png|").
    std::string filter;
};

/// A modal dialog listing the files of one portal folder, in name order, filtered by the allowed
/// extensions and the chosen filter. A highlighted picture is previewed through the image object; one that
/// cannot be decoded shows that it cannot be previewed and the dialog stays usable. A server error while
/// listing is reported once (message 12575 with the server's text) and the dialog does not open; one while
/// reading a preview is reported once per dialog.
class CSrvFileSelDlg : public QDialog {
public:
    CSrvFileSelDlg(server::Environment env, Prompter &prompter, FileSelection selection,
                   QWidget *parent = nullptr);

    /// Lists the folder, then runs the dialog; Rejected without showing it when the listing failed.
    int exec() override;

    /// The chosen file's name as the folder spells it (after Accepted).
    const std::string &fileName() const { return m_fileName; }
    /// The names listed under the current filter.
    std::vector<std::string> listedFiles() const;

    /// Runs the dialog; the chosen name, or nothing when cancelled or when the folder could not be listed.
    static std::optional<std::string> choose(server::Environment env, Prompter &prompter,
                                             FileSelection selection, QWidget *parent = nullptr);

    /// The patterns of a filter string, by description, in order.
    struct FilterEntry {
        std::string description;
        std::vector<std::string> patterns; // "*.jpg"
    };
    static std::vector<FilterEntry> parseFilter(const std::string &filter);

private:
    bool readFolder();
    void fillList();
    void showPreview();
    void confirm();
    bool allowed(const std::string &name) const;
    std::optional<std::string> resolve(const std::string &typed) const;

    server::Environment m_env;
    Prompter &m_prompter;
    FileSelection m_selection;
    std::vector<FilterEntry> m_filters;
    std::vector<std::string> m_files; // every file of the folder, in name order
    std::string m_fileName;
    bool m_previewErrorShown = false;

    QListWidget *m_list = nullptr;
    QLineEdit *m_name = nullptr;
    QComboBox *m_filter = nullptr;
    CKwPictureCtrl *m_preview = nullptr;
};

/// The texts the preview shows when there is no picture to show.
QString noPreviewText();

} // namespace kw::controls
