// The module-wide state: the server environment the console handed over, the start-up flag, the module's
// resources, and the replaceable ways the module's windows talk to the user.
#pragma once

#include "base/Prompter.h"
#include "platform/GermanQtTexts.h"
#include "server/LocalPortal.h"

#include <QImage>
#include <QList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QDialog;

namespace kw::shell {

/// The module's resources in the form the windows use them: the toolbar pictures and the layout list's
/// pictures, decoded on first use, and Qt's own texts in German unless the host translated them already.
/// Made while the module has windows (the "lasting registration").
class ModuleResources {
public:
    ModuleResources();
    /// The toolbar pictures (16 x 15), magenta transparent: the six of resource 12000, then undo and redo
    /// of resource 32930.
    const QList<QImage> &toolBarImages();
    /// The two list pictures (16 x 16) of resource 12024: active layout, stored layout.
    const QList<QImage> &layoutListImages();
    /// How many resource sets this module life has made (a diagnostic for the export contract).
    static int made();
    /// How Qt's own texts were made German for the module's windows.
    platform::GermanQtTexts::Source qtTexts() const { return m_qtTexts.source(); }

private:
    platform::GermanQtTexts m_qtTexts;
    QList<QImage> m_toolBar;
    QList<QImage> m_layoutList;
};

/// Runs a prepared modal dialog and returns its result.
using DialogRunner = std::function<int(QDialog &)>;

struct ModuleState {
    server::Ref<server::IObjectFactory> factory;
    server::Ref<server::ISession> session;
    /// The module's next window opens without asking for a layout.
    bool idleInit = false;
    /// The portal's default language (set by the default-language lookup).
    std::int32_t defaultLanguageId = 0;
    /// The resources while the module has a template; null otherwise.
    std::unique_ptr<ModuleResources> registration;

    /// Replacements for tests; null or empty means the real dialogs.
    Prompter *prompter = nullptr;
    WaitIndicator *waitIndicator = nullptr;
    DialogRunner dialogRunner;
};

/// The one state of this module.
ModuleState &moduleState();

/// The server environment as the module holds it (both may be null before KwSetSession).
server::Environment moduleEnvironment();

/// Whether the module has both its object factory and its session.
bool hasModuleEnvironment();

/// The module's server environment when it has one; otherwise tells the user that it is not loaded and
/// gives nothing.
std::optional<server::Environment> loadedModuleEnvironment();

/// The resources of the lasting registration, made now when there is none (a window made without a
/// template, as tests do).
ModuleResources &moduleResources();

/// The prompter the module's windows use: the test's replacement or message boxes. The returned object
/// forwards each call to whichever is current at that moment.
Prompter &modulePrompter();

/// Runs a modal dialog through the test's runner or `exec`.
int runModal(QDialog &dialog);

/// Looks up the portal's default language and stores it in the state; true. Server errors pass to the
/// caller.
bool lookupDefaultLanguage();

} // namespace kw::shell
