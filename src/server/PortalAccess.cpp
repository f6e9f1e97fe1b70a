#include "server/PortalAccess.h"

#include "base/TextCodec.h"

namespace kw::server {

std::string rollbackRefusal(const std::string &entry, const std::string &reason)
{
    return "Das Portal kann nicht auf den Stand nach der Aktivierung " + entry +
           " zurückgesetzt werden: " + reason;
}

std::string withTrailingBackslash(std::string path)
{
    if (path.empty() || (path.back() != '\\' && path.back() != '/'))
        path += '\\';
    return path;
}

PortalConnection::PortalConnection(IObjectFactory &factory, const Ref<ISession> &session)
    : m_files(createObject<IFileService>(factory))
{
    if (!session)
        throw ServerError(ServerError::NullPointer, "Es besteht keine Sitzung mit dem Portalserver.");
    m_files->AttachSession(session);
    Ref<IPortal> portal = session->GetPortal();
    if (!portal)
        throw ServerError(ServerError::NullPointer, "Die Sitzung hat kein Portal geliefert.");
    m_basePath = withTrailingBackslash(portal->GetPortalPath());
}

Ref<IServerFolder> PortalConnection::folder(const std::string &subFolder) const
{
    return m_files->GetFolder(m_basePath + subFolder);
}

PublishScope::PublishScope(IObjectFactory &factory, const Ref<ISession> &session, const std::string &layout,
                           Kind kind)
    : m_layout(layout)
{
    try {
        m_publishing = createObject<IPublishing>(factory);
    } catch (const ServerError &error) {
        if (error.code() != ServerError::NullPointer && error.code() != ServerError::InvalidArgument)
            throw;
        return; // no batches here: every write is made at once
    }
    m_publishing->AttachSession(session);
    if (kind == Kind::Import)
        m_publishing->BatchBeginImport(layout);
    else
        m_publishing->BatchBegin(layout);
    m_open = true;
}

PublishScope::~PublishScope()
{
    if (!m_open)
        return;
    try {
        m_publishing->BatchDiscard();
    } catch (const ServerError &) {
        // Nothing of the batch was published; there is nothing more to undo.
    }
}

bool PublishScope::part(const std::function<bool()> &work)
{
    if (!m_open)
        return work();
    m_publishing->BatchBegin(m_layout);
    bool kept = false;
    try {
        kept = work();
    } catch (...) {
        m_publishing->BatchDiscard();
        throw;
    }
    if (kept)
        m_publishing->BatchCommit();
    else
        m_publishing->BatchDiscard();
    return kept;
}

std::int64_t PublishScope::commit()
{
    if (!m_open)
        return 0;
    m_open = false;
    return m_publishing->BatchCommit();
}

std::vector<PendingChange> rollbackChanges(IObjectFactory &factory, const Ref<ISession> &session,
                                           std::int64_t id)
{
    Ref<IPublishing> publishing = createObject<IPublishing>(factory);
    publishing->AttachSession(session);
    return publishing->HistoryRollbackPending(id);
}

std::string readTextFile(IServerFolder &folder, const std::string &name)
{
    Ref<IServerFile> file = folder.GetFile(name, ModeRead);
    return cp1252ToUtf8(file->GetBytes());
}

void putText(IServerFile &file, const std::string &text)
{
    Bytes bytes = utf8ToCp1252(text);
    if (cp1252ToUtf8(bytes) != text)
        throw ServerError(ServerError::InvalidArgument,
                          "Die Datei " + file.GetFileName() +
                              " wird nicht geschrieben: Ihr Text enthält Zeichen, die es im Zeichensatz der "
                              "Portaldateien (Windows-1252) nicht gibt.");
    file.PutBytes(bytes);
}

void writeTextFile(IServerFolder &folder, const std::string &name, const std::string &text,
                   std::uint32_t mode)
{
    Ref<IServerFile> file = folder.GetFile(name, mode);
    putText(*file, text);
}

} // namespace kw::server

namespace kw::server {

std::int32_t lookupDefaultLanguage(ISession &session, std::int32_t current)
{
    Ref<ILanguageList> languages = session.GetLanguages(-1);
    if (!languages)
        throw ServerError(ServerError::NullPointer, "Die Sitzung hat keine Sprachliste geliefert.");
    for (int index = 0; index < languages->LanguageCount(); ++index)
        if (languages->LanguageIsDefault(index))
            current = languages->LanguageId(index);
    return current;
}

} // namespace kw::server
