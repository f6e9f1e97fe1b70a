// The module's usual way to the portal's files: connect a file service, open a sub-folder, read and
// write whole text files. Text is converted between UTF-8 and the files' Windows-1252 here.
#pragma once

#include "server/LocalPortal.h"
#include "server/ServerEnvironment.h"

#include <functional>
#include <string>
#include <vector>

namespace kw::server {

/// Portal sub-folders the module uses.
namespace folders {
inline constexpr const char *Style = "_KwStyle";
inline constexpr const char *Templates = "_KwTemplates";
inline constexpr const char *CompanySettings = "_KwInclude\\KwCompany";
inline constexpr const char *CompanyImages = "Images\\Company";
} // namespace folders

/// A file service attached to the session, and the portal's base folder with a trailing backslash.
class PortalConnection {
public:
    /// Creates the file service, attaches the session, reads the portal path.
    PortalConnection(IObjectFactory &factory, const Ref<ISession> &session);

    const std::string &basePath() const { return m_basePath; }
    IFileService &fileService() const { return *m_files; }
    /// Base path + sub-folder.
    Ref<IServerFolder> folder(const std::string &subFolder) const;

private:
    Ref<IFileService> m_files;
    std::string m_basePath;
};

/// One batch of the session's writes (see `IPublishing`): begun at construction, discarded at destruction
/// unless committed. Inside another batch it is a part of that one. An environment without publishing
/// objects writes every file at once instead.
class PublishScope {
public:
    /// An activation, recorded in the publishing history, or an import, which is not.
    enum class Kind { Activation, Import };

    /// Throws ServerError when the batch cannot be begun.
    PublishScope(IObjectFactory &factory, const Ref<ISession> &session, const std::string &layout,
                 Kind kind = Kind::Activation);
    ~PublishScope();
    PublishScope(const PublishScope &) = delete;
    PublishScope &operator=(const PublishScope &) = delete;

    /// Runs one part of the batch: what it writes stays in the batch only when it returns true.
    bool part(const std::function<bool()> &work);
    /// Publishes the batch (see `IPublishing::BatchCommit`).
    std::int64_t commit();

private:
    Ref<IPublishing> m_publishing;
    std::string m_layout;
    bool m_open = false;
};

/// What rolling the portal back to the state right after history entry `id` would change: per file the
/// one published now and the one the rollback puts back. Throws ServerError (NotFound for an unknown id,
/// or why the rollback would be refused).
std::vector<PendingChange> rollbackChanges(IObjectFactory &factory, const Ref<ISession> &session,
                                           std::int64_t id);

/// Why the portal cannot be rolled back to the state right after the activation named `entry` ("der
/// Aktivierung <entry>"): the message of such a refusal, whose `reason` follows its fixed opening.
std::string rollbackRefusal(const std::string &entry, const std::string &reason);

/// Adds a backslash when the path does not end in one (a slash counts too).
std::string withTrailingBackslash(std::string path);

/// The whole file as UTF-8 text (mode 0x40).
std::string readTextFile(IServerFolder &folder, const std::string &name);
/// Replaces the whole file with the text, stored as Windows-1252, opened with `mode`. A text with
/// characters that Windows-1252 cannot hold is refused (ServerError, nothing written), never stored with
/// question marks in their place.
void writeTextFile(IServerFolder &folder, const std::string &name, const std::string &text,
                   std::uint32_t mode = ModeCreateWrite);
/// The same for a file already open for writing.
void putText(IServerFile &file, const std::string &text);

} // namespace kw::server

namespace kw::server {

/// The portal's default language: the id of the last language marked as default, or `current` when the
/// list marks none. Errors of the server pass to the caller.
std::int32_t lookupDefaultLanguage(ISession &session, std::int32_t current);

} // namespace kw::server
