#include "shell/CKwLOutTabbedView.h"

#include "editors/CWelcomeTextSheet.h"
#include "pages/ElementProperties.h"
#include "pages/ImageChooser.h"

#include "platform/HostMessages.h"
#include "preview/PaneElements.h"
#include "shell/CKwLOutView.h"
#include "shell/CLayoutListDlg.h"
#include "shell/MenuResource.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QApplication>

#include <exception>

namespace kw::shell {

namespace {

// The wait box the document shows: the test's replacement when there is one, else the view's own.
class ForwardingWait final : public WaitIndicator {
public:
    explicit ForwardingWait(WaitIndicator &own) : m_own(own) {}
    void show(std::string_view text) override { current().show(text); }
    void close() override { current().close(); }

private:
    WaitIndicator &current() const
    {
        WaitIndicator *replacement = moduleState().waitIndicator;
        return replacement ? *replacement : m_own;
    }
    WaitIndicator &m_own;
};

bool isLayoutCommand(int id)
{
    return id >= res::ID_LAYOUT_OPEN && id <= res::ID_LAYOUT_SAVE_AS_ACTIVE;
}

bool isHistoryCommand(int id)
{
    return id == res::ID_EDIT_UNDO || id == res::ID_EDIT_REDO;
}

/// "Rüc&kgängig: <step>": the menu item's text before its accelerator, and the step's name with its
/// ampersands kept from becoming mnemonics.
std::string historyCommandText(int id, const layout::LayoutStep *step)
{
    std::string text = menuItem(id)->text;
    text = text.substr(0, text.find('\t'));
    if (!step)
        return text;
    text += ": ";
    for (const char c : step->name)
        text += c == '&' ? std::string("&&") : std::string(1, c);
    return text;
}

} // namespace

CKwLOutTabbedView::CKwLOutTabbedView(QWidget *parent)
    : QTabWidget(parent), m_wait(std::make_unique<ForwardingWait>(m_waitBox)),
      m_document(std::make_unique<layout::LayoutDocument>(
          moduleEnvironment(), modulePrompter(), static_cast<layout::LayoutChooser &>(*this), *m_wait)),
      m_transfer(this, *m_document, *m_wait)
{
    setObjectName(QStringLiteral("CKwLOutTabbedView"));
    setDocumentMode(true);
    setTabPosition(QTabWidget::South);
    m_document->setListener(this);
    // The preview's editing dialogs: the element's property sheet, the start page's logo chooser and its
    // welcome text sheet.
    m_hooks.editProperties = [this](const portalpage::CPreviewElement &element) {
        return pages::editElementProperties(window(), element, document(), moduleEnvironment(),
                                            modulePrompter());
    };
    m_hooks.chooseLogo = [this](const std::string &currentLogo) {
        return pages::chooseCompanyImage({moduleEnvironment(), modulePrompter()}, currentLogo, window());
    };
    m_hooks.editWelcomeText = [this] {
        // The shown text follows the portal's default language as it is now. The sheet stores the texts
        // on the server at once: no step of the layout's history, and nothing left to save.
        lookupDefaultLanguage();
        document().history().adoptSavedChange([this] {
            editors::CWelcomeTextSheet sheet(moduleEnvironment(), modulePrompter(),
                                             document().companySettings(), moduleState().defaultLanguageId,
                                             window());
            runModal(sheet);
        });
    };
}

CKwLOutTabbedView::~CKwLOutTabbedView()
{
    m_document->setListener(nullptr);
}

void CKwLOutTabbedView::onCreate()
{
    layout::LayoutDocument &doc = document();
    doc.setNew(false);
    doc.setOpen(false);
    doc.setName({});
    if (moduleState().idleInit)
        return;
    CLayoutListDlg dialog(moduleEnvironment(), modulePrompter());
    const int result = dialog.doModal();
    if (result == res::IDOK) {
        doc.setName(dialog.chosenFile());
        doc.setOpen(true);
    } else if (result == CLayoutListDlg::ResultNew) {
        doc.setNew(true);
        doc.setOpen(true);
    }
}

void CKwLOutTabbedView::addPane(preview::CKwLOutView *pane, const QString &title, bool active)
{
    pane->setTabbedView(this);
    if (pane->isStartPagePane())
        m_startPagePane = pane;
    else
        m_appPagesPane = pane;
    const int index = addTab(pane, title);
    if (active)
        setCurrentIndex(index);
}

void CKwLOutTabbedView::onInitialUpdate()
{
    layout::LayoutDocument &doc = document();
    if (!doc.name().empty() && !loadedModuleEnvironment()) {
        doc.setOpen(false);
        doc.setName({});
    }
    guarded([&] { doc.load(); });
}

preview::CKwLOutView *CKwLOutTabbedView::activePane() const
{
    return dynamic_cast<preview::CKwLOutView *>(currentWidget());
}

preview::CKwLOutView *CKwLOutTabbedView::otherPane(const preview::CKwLOutView *pane) const
{
    if (pane && pane == m_startPagePane)
        return m_appPagesPane;
    if (pane && pane == m_appPagesPane)
        return m_startPagePane;
    return nullptr;
}

QWidget *CKwLOutTabbedView::GetTwin(const QWidget *window) const
{
    if (const auto *pane = dynamic_cast<const preview::CKwLOutView *>(window))
        return otherPane(pane);
    const auto *element = dynamic_cast<const preview::CPreviewElement *>(window);
    if (!element)
        return nullptr;
    for (preview::CKwLOutView *pane : {m_startPagePane, m_appPagesPane}) {
        if (!pane || pane->element(element->objectName().toStdString()) != element)
            continue;
        const preview::CKwLOutView *other = otherPane(pane);
        return other ? other->element(element->objectName().toStdString()) : nullptr;
    }
    return nullptr;
}

void CKwLOutTabbedView::commandStatesChanged() const
{
    if (m_commandStatesChanged)
        m_commandStatesChanged();
}

void CKwLOutTabbedView::notifyLayoutChanged() const
{
    if (m_layoutChanged)
        m_layoutChanged();
}

void CKwLOutTabbedView::elementsChanged()
{
    for (preview::CKwLOutView *pane : {m_startPagePane, m_appPagesPane})
        if (pane)
            pane->rebuildElements();
    notifyLayoutChanged();
}

void CKwLOutTabbedView::companyChanged()
{
    for (preview::CKwLOutView *pane : {m_startPagePane, m_appPagesPane})
        if (pane)
            pane->companyChanged();
    notifyLayoutChanged();
}

void CKwLOutTabbedView::mainMenuChanged()
{
    for (preview::CKwLOutView *pane : {m_startPagePane, m_appPagesPane})
        if (pane)
            pane->mainMenuChanged();
    notifyLayoutChanged();
}

bool CKwLOutTabbedView::historyAvailable() const
{
    return document().isOpen() && !QApplication::activeModalWidget();
}

void CKwLOutTabbedView::goToHistoryPosition(std::size_t position)
{
    if (!historyAvailable())
        return;
    guarded([&] { showHistoryChanges(document().history().goTo(position)); });
}

void CKwLOutTabbedView::showHistoryChanges(const layout::LayoutChanges &changes)
{
    for (preview::CKwLOutView *pane : {m_startPagePane, m_appPagesPane}) {
        if (!pane)
            continue;
        if (changes.switchesOf(pane->paneKind()))
            pane->ApplySwitches();
        else if (changes.values)
            pane->rebuildElements();
        if (changes.company)
            pane->companyChanged();
    }
    notifyLayoutChanged();
}

template <class F> void CKwLOutTabbedView::guarded(F &&command)
{
    try {
        command();
    } catch (const ServerError &error) {
        modulePrompter().showExtendedError(StringId::ServerEnvironmentNotRead, error);
    } catch (const std::exception &error) {
        modulePrompter().tell(error.what());
    }
}

bool CKwLOutTabbedView::onCommand(int id)
{
    if (isHistoryCommand(id)) {
        const layout::LayoutHistory &history = document().history();
        if (id == res::ID_EDIT_UNDO && history.canUndo())
            goToHistoryPosition(history.position() - 1);
        else if (id == res::ID_EDIT_REDO && history.canRedo())
            goToHistoryPosition(history.position() + 1);
        return true;
    }
    if (LayoutTransferCommands::handles(id)) {
        m_transfer.run(id);
        return true;
    }
    if (!isLayoutCommand(id))
        return false;
    if (!loadedModuleEnvironment())
        return true;
    layout::LayoutDocument &doc = document();
    switch (id) {
    case res::ID_LAYOUT_NEW:
        guarded([&] { doc.commandNew(); });
        break;
    case res::ID_LAYOUT_OPEN:
        guarded([&] { doc.commandOpen(); });
        break;
    case res::ID_LAYOUT_SAVE:
        guarded([&] { doc.commandSave(); });
        break;
    case res::ID_LAYOUT_SAVE_AS:
        guarded([&] { doc.commandSaveAs(); });
        break;
    case res::ID_LAYOUT_SAVE_AS_ACTIVE:
        guarded([&] { doc.commandSaveAsActive(); });
        break;
    case res::ID_LAYOUT_DELETE:
        guarded([&] { deleteLayouts(); });
        break;
    }
    return true;
}

bool CKwLOutTabbedView::onUpdateCommand(int id, CommandState &state)
{
    if (isHistoryCommand(id)) {
        const layout::LayoutHistory &history = document().history();
        const layout::LayoutStep *step = id == res::ID_EDIT_UNDO ? history.undoStep() : history.redoStep();
        state.enabled = step && historyAvailable();
        state.text = historyCommandText(id, step);
        return true;
    }
    if (LayoutTransferCommands::handles(id)) {
        state.enabled = m_transfer.enabled(id);
        return true;
    }
    if (!isLayoutCommand(id))
        return false;
    state.enabled = true;
    return true;
}

void CKwLOutTabbedView::closeLayout()
{
    if (!hasModuleEnvironment())
        document().setModified(false);
    guarded([this] { document().close(); });
}

void CKwLOutTabbedView::cleanUp()
{
    if (!hasModuleEnvironment())
        document().setModified(false);
    guarded([this] { document().cleanUp(); });
}

void CKwLOutTabbedView::deleteLayouts()
{
    CLayoutListDlg dialog(moduleEnvironment(), modulePrompter());
    dialog.setDeleteMode();
    dialog.doModal();
}

std::optional<std::string> CKwLOutTabbedView::chooseForOpen()
{
    CLayoutListDlg dialog(moduleEnvironment(), modulePrompter());
    dialog.setOpenMode();
    if (dialog.doModal() != res::IDOK)
        return std::nullopt;
    return dialog.chosenFile();
}

std::optional<std::string> CKwLOutTabbedView::chooseForSave()
{
    CLayoutListDlg dialog(moduleEnvironment(), modulePrompter());
    dialog.setSaveMode();
    if (dialog.doModal() != res::IDOK)
        return std::nullopt;
    return dialog.chosenFile();
}

void CKwLOutTabbedView::layoutLoaded()
{
    for (preview::CKwLOutView *pane : {m_startPagePane, m_appPagesPane})
        if (pane)
            pane->layoutChanged();
    notifyLayoutChanged();
}

void CKwLOutTabbedView::layoutSaved()
{
    for (preview::CKwLOutView *pane : {m_startPagePane, m_appPagesPane})
        if (pane)
            pane->layoutSaved();
    notifyLayoutChanged();
}

void CKwLOutTabbedView::historyChanged()
{
    if (m_historyListener)
        m_historyListener();
}

bool CKwLOutTabbedView::event(QEvent *event)
{
    if (auto *message = platform::HostMessageEvent::as(event, platform::messages::CleanUpSnapIn)) {
        cleanUp();
        message->setResult(0);
        return true;
    }
    return QTabWidget::event(event);
}

} // namespace kw::shell
