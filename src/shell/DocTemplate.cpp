#include "shell/DocTemplate.h"

#include "shell/CChildFrame.h"
#include "shell/CKwLOutDoc.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QMdiSubWindow>

#include <exception>

namespace kw::shell {

CKwLOutDocTemplate::CKwLOutDocTemplate(ModuleResources &resources) : m_resources(resources) {}

std::uint32_t CKwLOutDocTemplate::resourceId() const
{
    return res::IDR_KWLOUTMAN;
}

ModuleWindow CKwLOutDocTemplate::openDocumentFile(QMdiSubWindow &host)
{
    CChildFrame *frame = nullptr;
    try {
        frame = new CChildFrame;
        // In its sub-window first, so that the frame finds the console's main window while it is made.
        host.setWidget(frame);
        if (!frame->document()->onNewDocument() || !frame->onCreateClient()) {
            host.setWidget(nullptr);
            delete frame;
            return {};
        }
        frame->attachToHost(host);
        frame->tabbedView()->onInitialUpdate();
        frame->activateFrame();
        return {frame, frame->tabbedView(), frame->menus()};
    } catch (const std::exception &error) {
        modulePrompter().tell(error.what());
    } catch (...) {
    }
    if (frame) {
        host.setWidget(nullptr);
        delete frame;
    }
    return {};
}

} // namespace kw::shell
