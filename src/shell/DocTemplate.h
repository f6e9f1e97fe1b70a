// The module's document template: makes a document, its frame and the frame's views in a console
// sub-window.
#pragma once

#include "shell/ModuleContract.h"

namespace kw::shell {

class ModuleResources;

class CKwLOutDocTemplate final : public CPaneTemplate {
public:
    explicit CKwLOutDocTemplate(ModuleResources &resources);

    std::uint32_t resourceId() const override;
    ModuleWindow openDocumentFile(QMdiSubWindow &host) override;
    const void *resourceScope() const override { return &m_resources; }

private:
    ModuleResources &m_resources;
};

} // namespace kw::shell
