#include "shell/ModuleState.h"

#include "platform/PictureImages.h"
#include "platform/QtPrompter.h"
#include "server/PortalAccess.h"
#include "shell/Resource.h"

#include <QDialog>

namespace kw::shell {

namespace {

int &resourceSetsMade()
{
    static int count = 0;
    return count;
}

QList<QImage> cut(const QImage &strip, int width)
{
    QList<QImage> pieces;
    for (int x = 0; width > 0 && x + width <= strip.width(); x += width)
        pieces.append(strip.copy(x, 0, width, strip.height()));
    return pieces;
}

// Forwards to the current prompter on every call, so that a window made before a test installs its
// prompter still reaches it.
class ForwardingPrompter final : public Prompter {
public:
    void tell(std::string_view message) override { current().tell(message); }
    Answer ask(std::string_view question) override { return current().ask(question); }
    Answer askWithCancel(std::string_view question) override { return current().askWithCancel(question); }
    void showExtendedError(StringId message, const ServerError &error) override
    {
        current().showExtendedError(message, error);
    }

private:
    static Prompter &current()
    {
        if (Prompter *replacement = moduleState().prompter)
            return *replacement;
        static platform::QtPrompter boxes;
        return boxes;
    }
};

} // namespace

ModuleResources::ModuleResources()
{
    ++resourceSetsMade();
}

int ModuleResources::made()
{
    return resourceSetsMade();
}

const QList<QImage> &ModuleResources::toolBarImages()
{
    if (m_toolBar.isEmpty()) {
        m_toolBar = cut(platform::builtinPicture(std::to_string(res::IDR_KWLOUTMAN), 1, true), 16);
        m_toolBar += cut(platform::builtinPicture(std::to_string(res::IDB_UNDO_REDO), 1, true), 16);
    }
    return m_toolBar;
}

const QList<QImage> &ModuleResources::layoutListImages()
{
    if (m_layoutList.isEmpty())
        m_layoutList = cut(platform::builtinPicture(std::to_string(res::IDB_LAYOUTLIST), 1, true), 16);
    return m_layoutList;
}

ModuleState &moduleState()
{
    static ModuleState state;
    return state;
}

server::Environment moduleEnvironment()
{
    const ModuleState &state = moduleState();
    return {state.factory, state.session};
}

ModuleResources &moduleResources()
{
    ModuleState &state = moduleState();
    if (!state.registration)
        state.registration = std::make_unique<ModuleResources>();
    return *state.registration;
}

Prompter &modulePrompter()
{
    static ForwardingPrompter prompter;
    return prompter;
}

bool hasModuleEnvironment()
{
    return moduleState().factory && moduleState().session;
}

std::optional<server::Environment> loadedModuleEnvironment()
{
    if (hasModuleEnvironment())
        return moduleEnvironment();
    modulePrompter().showExtendedError(
        StringId::ServerEnvironmentNotLoaded,
        ServerError(ServerError::NullPointer, "Das Modul hat keine Serverumgebung."));
    return std::nullopt;
}

int runModal(QDialog &dialog)
{
    if (const DialogRunner &runner = moduleState().dialogRunner)
        return runner(dialog);
    return dialog.exec();
}

bool lookupDefaultLanguage()
{
    ModuleState &state = moduleState();
    server::Ref<server::ISession> session = state.session;
    if (!session)
        throw ServerError(ServerError::NullPointer, "Das Modul hat keine Sitzung mit dem Portalserver.");
    state.defaultLanguageId = server::lookupDefaultLanguage(*session, state.defaultLanguageId);
    return true;
}

} // namespace kw::shell
