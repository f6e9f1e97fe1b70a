// The console's side of the module contract: loads the module library, resolves its five exports and calls
// them in the order the module relies on.
#pragma once

#include "server/LocalPortal.h"
#include "shell/ModuleContract.h"

#include <QLibrary>
#include <QString>

#include <memory>

namespace kw::console {

/// The module library's path: $KWCONSOLE_MODULE when set, else the one modulePathBeside finds for the
/// running program.
QString defaultModulePath();
/// The module beside a program folder: lib/libKwLOutMan10.so next to it in a build folder
/// (build/bin → build/lib), else the installed module folder (/usr/bin → /usr/lib/<arch>/KwLOutMan10).
QString modulePathBeside(const QString &programFolder);

class ModuleHost {
public:
    explicit ModuleHost(QString path);
    /// Terminates the module when that was not done yet; the library stays loaded until the process ends
    /// (its Qt objects may still be referenced by the event loop's bookkeeping).
    ~ModuleHost();
    ModuleHost(const ModuleHost &) = delete;
    ModuleHost &operator=(const ModuleHost &) = delete;

    /// Loads the library and resolves all five exports; false with `error` set when any is missing.
    bool load(QString *error);
    bool loaded() const { return m_terminate != nullptr; }
    QString path() const { return m_library.fileName(); }

    /// KwGetShortCuts: the module's shortcut (the first entry) and the picture's resource number.
    struct ShortCut {
        QString caption;
        std::int32_t reserved = 0;
        std::uint32_t command = 0;
        std::uint32_t bitmapId = 0;
        std::int32_t count = 0;
    };
    ShortCut shortCut();
    /// KwSetSession with one reference of each object handed over; true when the user may use the module.
    bool setSession(const server::Environment &env);
    /// KwSetIdleInit.
    void setIdleInit(bool idle);
    /// KwGetPaneTemplate; the template is the caller's. Null on failure.
    std::unique_ptr<shell::CPaneTemplate> paneTemplate(std::uint32_t *resourceId = nullptr);
    /// KwTerminate, once; later calls do nothing.
    void terminate();
    bool terminated() const { return m_terminated; }

private:
    QLibrary m_library;
    shell::KwGetShortCutsFn m_getShortCuts = nullptr;
    shell::KwSetIdleInitFn m_setIdleInit = nullptr;
    shell::KwSetSessionFn m_setSession = nullptr;
    shell::KwGetPaneTemplateFn m_getPaneTemplate = nullptr;
    shell::KwTerminateFn m_terminate = nullptr;
    bool m_terminated = false;
};

} // namespace kw::console
