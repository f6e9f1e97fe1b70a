// The layout list dialog (resource 12014): choose, name or delete a layout. Runs in four modes: start-up
// (no mode set), open, save and delete.
#pragma once

#include "base/Prompter.h"
#include "server/LocalPortal.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kw::shell {

class CLayoutListDlg : public QDialog {
public:
    enum class Mode { StartUp, Open, Save, Delete };
    /// Results besides IDOK (1) and IDCANCEL (2).
    static constexpr int ResultNew = 1051;

    CLayoutListDlg(server::Environment env, Prompter &prompter, QWidget *parent = nullptr);

    /// At most one mode before the dialog runs; should several be set, open wins over save and save over
    /// delete.
    void setOpenMode() { m_openMode = true; }
    void setSaveMode() { m_saveMode = true; }
    void setDeleteMode() { m_deleteMode = true; }
    Mode mode() const;
    /// The row of this file is chosen when the dialog opens (a layout just imported).
    void preselect(std::string fileName) { m_preselect = std::move(fileName); }

    /// Initialises the dialog and runs it modally (through the module's dialog runner): IDOK with the
    /// chosen file set, ResultNew, or IDCANCEL.
    int doModal();

    /// Lists the layouts and applies the mode's look. A server error is reported; the rows listed so
    /// far stay and the mode's look is not applied.
    void initDialog();

    /// The chosen layout's file name ("NAME.kwc" or "global.css"); empty while none is chosen.
    const std::string &chosenFile() const { return m_chosenFile; }
    /// The name as shown in the edit when it was last taken.
    const QString &name() const { return m_name; }
    /// File name of each list row.
    const std::vector<std::string> &fileNames() const { return m_fileNames; }

    // The controls' handlers; public so that tests can call them directly.
    void onSelectionChanged();
    void onDoubleClick(int row);
    void onNameEdited();
    void onOK();
    void onNew();
    void onDelete();

    /// Escape and closing the window answer IDCANCEL.
    void reject() override;

private:
    void buildControls();
    void applyMode();
    void takeRow(int row);
    int rowOfChosenFile() const;
    void showName();
    void addRow(const QString &text, const std::string &fileName, int image);

    server::Environment m_env;
    Prompter &m_prompter;
    std::string m_chosenFile;
    QString m_name;
    std::vector<std::string> m_fileNames;
    bool m_deleteMode = false;
    bool m_saveMode = false;
    bool m_openMode = false;
    std::string m_preselect;

    QListWidget *m_list = nullptr;
    QLineEdit *m_nameEdit = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_new = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace kw::shell
