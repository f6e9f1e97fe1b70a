// The language texts: the page "Spracheinstellungen" (12612), a grid of the texts of the maps it is given,
// one row per map and language, and the one-page sheet that carries it with the portal's languages.
#pragma once

#include "base/Prompter.h"
#include "base/StringTable.h"
#include "portalsettings/LanguageTexts.h"
#include "server/LocalPortal.h"

#include <QDialog>
#include <QWidget>

class QTableWidget;
class QTableWidgetItem;

namespace kw::editors {

namespace res {
inline constexpr int IDD_LANGUAGE_PAGE = 12612;
inline constexpr int IDC_LANGUAGE_GRID = 1299;
} // namespace res

/// The page edits the maps of `fields` in place: the column "Text" is edited in the grid, and every
/// finished edit is stored at once and announced to the sheet's first page with "LanguageData updaten".
class CIFLanguagePage : public QWidget {
public:
    explicit CIFLanguagePage(QWidget *parent = nullptr);

    portalsettings::LanguageTextFields fields;
    std::vector<portalsettings::Language> languages;
    /// Set by an owner that fills the grid itself.
    bool emptyGrid = false;

    /// Makes the columns and, unless `emptyGrid`, fills the grid (again when shown anew).
    void OnInitDialog();
    /// Empties the grid and fills it from the maps.
    void fillGrid();
    QTableWidget *grid() const { return m_grid; }

protected:
    bool event(QEvent *event) override;
    /// The columns follow the grid's size.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void setColumnWidths();
    void textEdited(QTableWidgetItem *item);
    /// The page that hears of edited texts: the first page of the sheet that holds this one.
    QWidget *firstPageOfSheet();

    QTableWidget *m_grid = nullptr;
    bool m_initialised = false;
    bool m_filling = false;
};

/// A sheet with the language page alone. The languages are read from the session when it is built; a
/// server error is reported and leaves the list empty.
class CLanguageSheet : public QDialog {
public:
    CLanguageSheet(StringId caption, server::Environment env, Prompter &prompter, QWidget *parent = nullptr);

    CIFLanguagePage &page() { return *m_page; }
    const std::vector<portalsettings::Language> &languages() const { return m_languages.languages; }
    std::int32_t defaultLanguage() const { return m_languages.defaultLanguage; }
    /// The pages in order (this sheet has one).
    QWidget *firstPage() const;

private:
    portalsettings::PortalLanguages m_languages;
    CIFLanguagePage *m_page = nullptr;
};

} // namespace kw::editors
