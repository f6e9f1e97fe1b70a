// What the console and the module hand each other through the module's five exports. Both sides are built
// by this project with the same compiler, so the exports pass C++ objects; this header is their only
// common ground (the console never links the module).
#pragma once

#include <QList>
#include <QString>

#include <cstdint>

class QMdiSubWindow;
class QMenu;
class QWidget;

namespace kw::server {
class IObjectFactory;
class ISession;
} // namespace kw::server

namespace kw::shell {

/// A command the console offers for opening the module: a caption and the command it sends.
class ShortCutEntry {
public:
    ShortCutEntry() = default;
    virtual ~ShortCutEntry() = default;
    ShortCutEntry(const ShortCutEntry &) = default;
    ShortCutEntry &operator=(const ShortCutEntry &) = default;

    QString caption;
    std::int32_t reserved = -1;
    std::uint32_t command = static_cast<std::uint32_t>(-1);
};

/// Names of the dynamic properties every menu and toolbar action of the module carries.
inline constexpr const char *kCommandProperty = "kwCommand"; ///< the command number (int)
/// true on the items that belong to the console (the module leaves them greyed and unconnected; the
/// console connects and enables those it offers).
inline constexpr const char *kConsoleCommandProperty = "kwConsoleCommand";

/// A window the module made inside one of the console's sub-windows.
struct ModuleWindow {
    /// The frame, inside the sub-window; null when the window could not be made. It receives the console's
    /// commands ("KwCommand"); hiding it (as the console does with inactive windows) hides its toolbar.
    QWidget *frame = nullptr;
    QWidget *view = nullptr; ///< receives "KwCleanUpSnapIn" before the console closes the window
    QList<QMenu *> menus;    ///< the menu bar while this window is active, owned by the frame
};

/// The module's document template: creates a document with its frame and views on request.
class CPaneTemplate {
public:
    virtual ~CPaneTemplate() = default;
    /// The resource number of the template's menu and toolbar.
    virtual std::uint32_t resourceId() const = 0;
    /// Makes a new document and its frame inside `host` (frameless and maximised). The module
    /// may ask the user which layout to open before this returns. Never throws; on failure the result's
    /// frame is null and `host` is left empty.
    virtual ModuleWindow openDocumentFile(QMdiSubWindow &host) = 0;
    /// The module resources the template draws on (the same for every template of one module life).
    virtual const void *resourceScope() const = 0;

protected:
    CPaneTemplate() = default;
    CPaneTemplate(const CPaneTemplate &) = default;
    CPaneTemplate &operator=(const CPaneTemplate &) = default;
};

// The exports, resolved by name. BOOL results are 32-bit: nonzero is true.
extern "C" {
/// Stores the shortcut picture's resource number and the count of entries; returns the first entry of a
/// table that lives as long as the module.
using KwGetShortCutsFn = ShortCutEntry *(*)(std::int32_t *count, std::uint32_t *bitmapId);
/// Whether the module's next window opens without asking for a layout.
using KwSetIdleInitFn = void (*)(bool idle);
/// Hands over the object factory and the session, one reference each, which the module releases
/// exactly once before it returns. Nonzero when the session's user may use the module.
using KwSetSessionFn = std::int32_t (*)(server::IObjectFactory *factory, server::ISession *session);
/// Stores the template's resource number; returns a new template that the caller owns (null on failure).
using KwGetPaneTemplateFn = CPaneTemplate *(*)(std::uint32_t *resourceId);
/// Releases the server environment and the module resources; once, after the last window is gone.
using KwTerminateFn = void (*)();
}

inline constexpr const char *kExportGetShortCuts = "KwGetShortCuts";
inline constexpr const char *kExportSetIdleInit = "KwSetIdleInit";
inline constexpr const char *kExportSetSession = "KwSetSession";
inline constexpr const char *kExportGetPaneTemplate = "KwGetPaneTemplate";
inline constexpr const char *kExportTerminate = "KwTerminate";

} // namespace kw::shell
