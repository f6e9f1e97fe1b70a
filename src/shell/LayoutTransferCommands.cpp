#include "shell/LayoutTransferCommands.h"

#include "bundle/BundleReader.h"
#include "bundle/LayoutTransfer.h"
#include "layout/LayoutList.h"
#include "platform/QtStrings.h"
#include "shell/CLayoutListDlg.h"
#include "shell/MenuResource.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>

namespace kw::shell {

namespace {

using platform::qt;

// A headline of the string table with the details below it.
std::string withDetails(StringId headline, const std::string &details)
{
    return std::string(loadString(headline)) + "\n\n" + details;
}

// The question for another name when the bundle's layout name is taken: the name in quotes between them.
constexpr std::string_view kNameTakenText = "Das Layout ";
constexpr std::string_view kChooseNameText = " gibt es schon.\nUnter welchem Namen soll es importiert "
                                             "werden?\n(Unter dem bisherigen Namen wird es nach "
                                             "Rückfrage ersetzt.)";
constexpr std::string_view kImportButton = "Importieren";
constexpr std::string_view kCancelButton = "Abbrechen";

// The folder the last file dialog ended in, for the next one.
QString &lastFolder()
{
    static QString folder = QDir::homePath();
    return folder;
}

} // namespace

LayoutTransferCommands::LayoutTransferCommands(QWidget *parent, layout::LayoutDocument &document,
                                               WaitIndicator &wait)
    : m_parent(parent), m_document(document), m_wait(wait)
{
}

bool LayoutTransferCommands::handles(int id)
{
    return id == res::ID_LAYOUT_EXPORT || id == res::ID_LAYOUT_IMPORT;
}

bool LayoutTransferCommands::enabled(int id) const
{
    return id == res::ID_LAYOUT_IMPORT || (m_document.isOpen() && !m_document.isNew());
}

void LayoutTransferCommands::run(int id)
{
    try {
        if (id == res::ID_LAYOUT_EXPORT)
            exportLayout();
        else
            importLayout();
    } catch (const ServerError &error) {
        modulePrompter().showExtendedError(
            id == res::ID_LAYOUT_EXPORT ? StringId::LayoutNotExported : StringId::LayoutNotImported, error);
    } catch (const std::exception &error) {
        modulePrompter().tell(error.what());
    }
}

QString LayoutTransferCommands::chooseFile(int command, bool save, const QString &proposal)
{
    QFileDialog dialog(m_parent, toolTipText(command), lastFolder(),
                       qt(loadString(StringId::BundleFileFilter)));
    dialog.setObjectName(save ? QStringLiteral("exportFileDialog") : QStringLiteral("importFileDialog"));
    // Qt's own dialog on every desktop, so that it looks and answers the same everywhere.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("kwlayout"));
    dialog.resize(dialog.sizeHint().expandedTo(QSize(820, 500)));
    if (!proposal.isEmpty())
        dialog.selectFile(proposal);
    if (runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString file = dialog.selectedFiles().front();
    lastFolder() = QFileInfo(file).absolutePath();
    return file;
}

void LayoutTransferCommands::exportLayout()
{
    const std::optional<server::Environment> env = loadedModuleEnvironment();
    if (!env || !enabled(res::ID_LAYOUT_EXPORT))
        return;
    Prompter &prompter = modulePrompter();
    if (m_document.isModified())
        prompter.tell(StringId::ExportSavedState);
    const QString file =
        chooseFile(res::ID_LAYOUT_EXPORT, true, qt(m_document.title()) + QStringLiteral(".kwlayout"));
    if (file.isEmpty())
        return;
    bundle::Bundle contents;
    std::string refused; // told once the wait box is closed
    {
        WaitScope waitBox(m_wait, loadString(StringId::LayoutExporting));
        try {
            contents = bundle::exportLayout(*env, m_document.name());
            bundle::writeBundleFile(file.toStdString(), bundle::writeBundle(contents));
        } catch (const bundle::BundleRefusal &refusal) {
            refused = refusal.what();
        }
    }
    if (!refused.empty()) {
        prompter.tell(withDetails(StringId::LayoutNotExported, refused));
        return;
    }
    if (!contents.manifest.missing.empty()) {
        std::string list;
        for (const bundle::LeftOutPicture &picture : contents.manifest.missing)
            list += picture.name + ": " + picture.reason + "\n";
        list.pop_back();
        prompter.tell(formatString(StringId::PicturesNotExported, list));
    }
}

std::optional<std::string> LayoutTransferCommands::chooseImportName(const std::string &taken,
                                                                    const server::Environment &env)
{
    QInputDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("importNameDialog"));
    dialog.setWindowTitle(toolTipText(res::ID_LAYOUT_IMPORT));
    dialog.setLabelText(qt(std::string(kNameTakenText) + "\"" + taken + "\"" + std::string(kChooseNameText)));
    dialog.setTextValue(qt(bundle::freeLayoutName(env, taken)));
    dialog.setOkButtonText(qt(kImportButton));
    dialog.setCancelButtonText(qt(kCancelButton));
    if (runModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().trimmed().toStdString();
}

void LayoutTransferCommands::importLayout()
{
    const std::optional<server::Environment> env = loadedModuleEnvironment();
    if (!env)
        return;
    Prompter &prompter = modulePrompter();
    const QString file = chooseFile(res::ID_LAYOUT_IMPORT, false, {});
    if (file.isEmpty())
        return;
    bundle::Bundle contents;
    bundle::ImportPlan plan;
    std::string refused; // told once the wait box is closed
    {
        WaitScope waitBox(m_wait, loadString(StringId::LayoutImporting));
        try {
            contents = bundle::readBundleFile(file.toStdString());
            plan = bundle::planImport(*env, contents, std::nullopt);
        } catch (const bundle::BundleError &refusal) {
            refused = refusal.what();
        } catch (const std::invalid_argument &refusal) {
            refused = refusal.what();
        }
    }
    if (!refused.empty()) {
        prompter.tell(withDetails(StringId::LayoutNotImported, refused));
        return;
    }
    // A layout of that name exists: the user may import under another name (a free one proposed) or keep
    // the name and be asked whether to replace it.
    while (plan.replacesLayout) {
        const std::optional<std::string> name = chooseImportName(plan.layoutName, *env);
        if (!name)
            return;
        if (*name == plan.layoutName)
            break;
        try {
            plan = bundle::planImport(*env, contents, *name);
        } catch (const std::invalid_argument &refusal) {
            prompter.tell(refusal.what());
        }
    }
    if (!bundle::confirmImport(plan, prompter))
        return;
    {
        WaitScope waitBox(m_wait, loadString(StringId::LayoutImporting));
        bundle::applyImport(*env, contents, plan);
    }
    if (!plan.unavailable.empty()) {
        std::string names;
        for (const std::string &name : plan.unavailable)
            names += (names.empty() ? "" : ", ") + name;
        prompter.tell(formatString(StringId::PicturesUnavailable, names));
    }

    // The layout list shows the new layout, chosen; "Öffnen" leaves the open one (asking to save a
    // change) and opens it.
    CLayoutListDlg list(*env, prompter, m_parent);
    list.setOpenMode();
    list.preselect(plan.layoutFile);
    if (list.doModal() != res::IDOK || list.chosenFile().empty())
        return;
    const std::string chosen = list.chosenFile();
    m_document.close();
    m_document.openLayout(chosen);
}

} // namespace kw::shell
