#include "shell/DocTemplate.h"

#include "shell/CChildFrame.h"
#include "shell/CKwLOutDoc.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QMdiSubWindow>
#include <QVBoxLayout>

#include <exception>

namespace kw::shell {

CKwLOutDocTemplate::CKwLOutDocTemplate(ModuleResources &resources) : m_resources(resources) {}

std::uint32_t CKwLOutDocTemplate::resourceId() const
{
    return res::IDR_KWLOUTMAN;
}

ModuleWindow CKwLOutDocTemplate::openDocumentFile(QMdiSubWindow &host)
{
    // The frame lies on a page of its own inside the sub-window, so that the console can hide and show the
    // frame (and with it the toolbar) without hiding the sub-window itself.
    QWidget *page = nullptr;
    try {
        page = new QWidget;
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *frame = new CChildFrame(page);
        layout->addWidget(frame);
        // In its sub-window first, so that the frame finds the console's main window while it is made.
        host.setWidget(page);
        // Titled before the start-up question, so that the console never shows a window without a name.
        host.setWindowTitle(frame->title());
        if (frame->document()->onNewDocument() && frame->onCreateClient()) {
            frame->attachToHost(host);
            frame->tabbedView()->onInitialUpdate();
            frame->activateFrame();
            return {frame, frame->tabbedView(), frame->menus()};
        }
    } catch (const std::exception &error) {
        modulePrompter().tell(error.what());
    } catch (...) {
    }
    if (page) {
        host.setWidget(nullptr);
        delete page;
    }
    return {};
}

} // namespace kw::shell
