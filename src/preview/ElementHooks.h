// What the preview asks of the dialogs that edit what it shows. The module window fills these in; a hook
// that is not set opens nothing, and the command that would use it is greyed.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace kw::portalpage {
class CPreviewElement;
}

namespace kw::preview {

struct ElementHooks {
    /// Runs the property sheet of an element modally. True after an OK that changed the layout: the values
    /// went into it as one step of its history, and both panes rebuild, lay themselves out again and
    /// repaint. False after Cancel or an OK without a change: nothing changed.
    std::function<bool(const portalpage::CPreviewElement &)> editProperties;
    /// The start page's logo chooser: the server file dialog on `Images\Company` with the current logo
    /// preselected. The chosen file's name, or nothing on Cancel.
    std::function<std::optional<std::string>(const std::string &currentLogo)> chooseLogo;
    /// The welcome text sheet, opened when the welcome text control receives the focus.
    std::function<void()> editWelcomeText;
};

} // namespace kw::preview
