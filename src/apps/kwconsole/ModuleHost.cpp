#include "ModuleHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kw::console {

QString defaultModulePath()
{
    const QString overridden = qEnvironmentVariable("KWCONSOLE_MODULE");
    if (!overridden.isEmpty())
        return overridden;
    return modulePathBeside(QCoreApplication::applicationDirPath());
}

QString modulePathBeside(const QString &programFolder)
{
    const QDir folder(programFolder);
    // The build folder puts every library in lib/ beside bin/; an installed prefix has the module folder.
    const QString inBuild = folder.absoluteFilePath(QStringLiteral("../lib/libKwLOutMan10.so"));
    if (QFileInfo::exists(inBuild))
        return QDir::cleanPath(inBuild);
    return QDir::cleanPath(folder.absoluteFilePath(QStringLiteral(KW_BIN_TO_MODULE "/libKwLOutMan10.so")));
}

ModuleHost::ModuleHost(QString path) : m_library(std::move(path)) {}

ModuleHost::~ModuleHost()
{
    terminate();
}

bool ModuleHost::load(QString *error)
{
    if (!m_library.load()) {
        if (error)
            *error = m_library.errorString();
        return false;
    }
    auto resolve = [this](const char *name) { return m_library.resolve(name); };
    m_getShortCuts = reinterpret_cast<shell::KwGetShortCutsFn>(resolve(shell::kExportGetShortCuts));
    m_setIdleInit = reinterpret_cast<shell::KwSetIdleInitFn>(resolve(shell::kExportSetIdleInit));
    m_setSession = reinterpret_cast<shell::KwSetSessionFn>(resolve(shell::kExportSetSession));
    m_getPaneTemplate = reinterpret_cast<shell::KwGetPaneTemplateFn>(resolve(shell::kExportGetPaneTemplate));
    m_terminate = reinterpret_cast<shell::KwTerminateFn>(resolve(shell::kExportTerminate));
    if (m_getShortCuts && m_setIdleInit && m_setSession && m_getPaneTemplate && m_terminate)
        return true;
    if (error)
        *error = QStringLiteral("%1 exportiert nicht die fünf Funktionen eines Konsolenmoduls.")
                     .arg(m_library.fileName());
    m_terminate = nullptr;
    return false;
}

ModuleHost::ShortCut ModuleHost::shortCut()
{
    ShortCut out;
    const shell::ShortCutEntry *entries = m_getShortCuts(&out.count, &out.bitmapId);
    if (entries && out.count > 0) {
        out.caption = entries[0].caption;
        out.reserved = entries[0].reserved;
        out.command = entries[0].command;
    }
    return out;
}

bool ModuleHost::setSession(const server::Environment &env)
{
    // The module releases each argument once: hand over one reference of our own for each.
    if (env.factory)
        env.factory->addRef();
    if (env.session)
        env.session->addRef();
    return m_setSession(env.factory.get(), env.session.get()) != 0;
}

void ModuleHost::setIdleInit(bool idle)
{
    m_setIdleInit(idle);
}

std::unique_ptr<shell::CPaneTemplate> ModuleHost::paneTemplate(std::uint32_t *resourceId)
{
    std::uint32_t id = 0;
    std::unique_ptr<shell::CPaneTemplate> made(m_getPaneTemplate(&id));
    if (resourceId)
        *resourceId = id;
    return made;
}

void ModuleHost::terminate()
{
    if (!m_terminate || m_terminated)
        return;
    m_terminated = true;
    m_terminate();
}

} // namespace kw::console
