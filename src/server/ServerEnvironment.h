// The server environment: every object the module uses to reach the portal. Each call may throw
// kw::ServerError; text is UTF-8, file contents are raw bytes (Windows-1252 for the portal's text files).
#pragma once

#include "base/ServerError.h"
#include "server/Ref.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kw::server {

using Bytes = std::vector<std::uint8_t>;

class ISession;

/// The kinds of object the factory creates.
enum class ServerClass { FileService, Navigation, Translation, Rights, Query, Publishing };

/// A created object; the caller asks it for the interface it needs (`queryInterface`).
class IServerObject : public RefCounted {};

class IObjectFactory : public RefCounted {
public:
    virtual Ref<IServerObject> CreateObject(ServerClass cls) = 0;
};

/// Creates an object of the class `I::kClass` and returns it as an `I`; throws when the object does not
/// offer that interface.
template <class I> Ref<I> createObject(IObjectFactory &factory)
{
    Ref<IServerObject> object = factory.CreateObject(I::kClass);
    auto *typed = dynamic_cast<I *>(object.get());
    if (!typed)
        throw ServerError(ServerError::NullPointer,
                          "Die Serverumgebung hat kein Objekt der verlangten Art geliefert.");
    return Ref<I>(typed);
}

class IPortal : public RefCounted {
public:
    /// The portal's server folder (without a trailing separator; callers add a backslash).
    virtual std::string GetPortalPath() = 0;
    virtual std::string GetPortalName() = 0;
};

class IUser : public RefCounted {
public:
    virtual bool GetAccessFlag() = 0;
    virtual std::string UserNamePart1() = 0;
    virtual std::string UserNamePart2() = 0;
    virtual std::string UserNamePart3() = 0;
};

class ILanguageList : public RefCounted {
public:
    virtual int LanguageCount() = 0;
    /// Windows locale identifier (1031 German, 1033 English, ...).
    virtual std::int32_t LanguageId(int index) = 0;
    virtual std::string LanguageName(int index) = 0;
    virtual bool LanguageIsDefault(int index) = 0;
};

class ISession : public RefCounted {
public:
    virtual Ref<IPortal> GetPortal() = 0;
    virtual Ref<IUser> GetCurrentUser() = 0;
    /// Shown when the portal has no name.
    virtual std::string GetSessionName() = 0;
    virtual Ref<ILanguageList> GetLanguages(int which) = 0;
    /// Asks the portal to reload its language-dependent texts; false when that failed.
    virtual bool ReloadLanguageTexts(int which) = 0;
    /// Runs `work` as one transaction of the portal's database: every change the server objects make
    /// inside it is kept together or, when `work` throws, not at all (the exception is passed on).
    virtual void RunAsOneTransaction(const std::function<void()> &work) = 0;
};

/// STGM-style open modes of `GetFile`.
enum FileMode : std::uint32_t {
    ModeRead = 0x40,              // read, others may do anything
    ModeReadAppend = 0x42,        // read and append
    ModeCreateWrite = 0x1001,     // create or replace for writing
    ModeCreateDenyWrite = 0x1021, // the same, others may not write meanwhile
};

class IServerFile : public RefCounted {
public:
    virtual Bytes GetBytes() = 0;
    /// Replaces the whole contents (atomically: readers see the old or the new file, never a mix).
    virtual void PutBytes(const Bytes &contents) = 0;
    virtual std::string GetFileName() = 0;
    /// Adds UTF-8 text, stored as Windows-1252, at the end of the file.
    virtual void AppendText(const std::string &text) = 0;
};

class IServerFolder : public RefCounted {
public:
    virtual bool HasFile(const std::string &name) = 0;
    virtual void RemoveFile(const std::string &name) = 0;
    virtual Ref<IServerFile> GetFile(const std::string &name, std::uint32_t mode) = 0;
    /// A file that does not exist yet, named base + extension, or with a number added to the base when
    /// that name is taken; `GetFileName` tells the name it got. It appears on the first write.
    virtual Ref<IServerFile> NewFile(const std::string &baseName, const std::string &extension) = 0;
    /// Wildcard search (`*`, `?`, case-insensitive) over the folder's files in name order.
    virtual std::string FirstMatch(const std::string &pattern) = 0;
    virtual std::string NextMatch() = 0;
    /// Zero while the last match gave a name.
    virtual int SearchDone() = 0;
    virtual void EndMatch() = 0;
};

class IFileService : public IServerObject {
public:
    static constexpr ServerClass kClass = ServerClass::FileService;
    virtual void AttachSession(const Ref<ISession> &session) = 0;
    /// A folder by absolute path (the portal path, a separator, the sub-folder).
    virtual Ref<IServerFolder> GetFolder(const std::string &path) = 0;
    /// Runs one SQL statement against the portal database; the result is the number of changed rows.
    virtual long ExecuteSql(const std::string &statement) = 0;
};

struct NavItemInfo {
    std::int32_t id = 0;
    std::string name;
    int type = 0;
};

class INavEntry : public RefCounted {
public:
    /// Binds the entry to an existing navigation item.
    virtual void EntryInit(const Ref<ISession> &session, std::int32_t id) = 0;
    virtual std::int32_t EntryId() = 0;
    virtual int EntryType() = 0;
    virtual std::string EntryGetStartPage() = 0;
    virtual void EntrySetName(const std::string &name) = 0;
    virtual void EntrySetStartPage(const std::string &page) = 0;
    virtual void EntrySetPosition(long position) = 0;
    virtual std::vector<std::int32_t> EntryGetGroups() = 0;
    virtual void EntrySetGroups(const std::vector<std::int32_t> &groups) = 0;
    /// Writes the changes made through the setters in one transaction.
    virtual void EntryCommit() = 0;
};

class INavEntryCollection : public RefCounted {
public:
    virtual int NavItemCount() = 0;
    virtual NavItemInfo NavItemInfoAt(int index) = 0;
    virtual Ref<INavEntry> NavItemAt(int index) = 0;
    virtual Ref<INavEntry> NavAdd(const std::string &name, int kind) = 0;
    virtual void NavRemove(std::int32_t id) = 0;
};

class INavigation : public IServerObject {
public:
    static constexpr ServerClass kClass = ServerClass::Navigation;
    /// 1 selects the main menu; any other number the application of that number (table `krapp`).
    virtual void NavInit(const Ref<ISession> &session, std::int32_t element) = 0;
    /// The main menu's entries in menu order (empty for an application).
    virtual Ref<INavEntryCollection> NavEntries() = 0;
    /// The main-menu entry that holds the element (0 for the main menu itself).
    virtual std::int32_t NavParentId() = 0;
    /// A new, unbound entry object (bind it with `EntryInit`).
    virtual Ref<INavEntry> NavNewEntry() = 0;
    /// A number that changes with every change of the main menu (entries, their groups and menu titles,
    /// rights) made through the server objects by anyone: compare it with the number read together with
    /// the menu to tell whether someone else changed the menu since. Changes made with `ExecuteSql` do
    /// not move it.
    virtual std::int64_t NavVersion()
    {
        throw ServerError(ServerError::Fail,
                          "Dieses Navigationsobjekt kann nicht sagen, ob sich das Menü geändert hat.");
    }
};

class IQuery : public IServerObject {
public:
    static constexpr ServerClass kClass = ServerClass::Query;
    virtual void QueryRun(int flags, const std::string &statement) = 0;
    virtual long QueryRowCount() = 0;
    /// A cell of the last result as text (empty for NULL).
    virtual std::string QueryValue(long row, int column) = 0;
};

class IRightsRecord : public RefCounted {
public:
    virtual void RecordCommit() = 0;
};

class IRights : public IServerObject {
public:
    static constexpr ServerClass kClass = ServerClass::Rights;
    virtual void RightsInit(const Ref<ISession> &session, int scope) = 0;
    virtual bool RightsHas(std::int32_t id, int kind) = 0;
    virtual Ref<IRightsRecord> RightsCreate(std::int32_t id, int kind, int flags) = 0;
    virtual void RightsRemove(std::int32_t id, int kind) = 0;
};

/// Texts per language: language identifier, text.
using LanguageTexts = std::vector<std::pair<std::int32_t, std::string>>;

class ITranslation : public IServerObject {
public:
    static constexpr ServerClass kClass = ServerClass::Translation;
    virtual void AttachSession(const Ref<ISession> &session) = 0;
    /// Opens one text entry: scope, object id, key, category.
    virtual void TranslationOpen(const Ref<ISession> &session, int scope, std::int32_t objectId,
                                 const std::string &key, int category) = 0;
    virtual LanguageTexts TranslationGetTexts() = 0;
    /// Replaces the open entry's texts; written by `TranslationCommit`.
    virtual void TranslationSetTexts(const LanguageTexts &texts) = 0;
    virtual void TranslationCommit() = 0;
    /// Texts of a key for one object (the main menu's names use key "menutitle").
    virtual std::map<std::int32_t, std::string> TextsLoad(const std::string &key, std::int32_t objectId) = 0;
    virtual void TextsSave(const std::string &key, std::int32_t objectId,
                           const std::map<std::int32_t, std::string> &texts) = 0;
};

/// A portal file as a batch or a history entry holds it: the path inside the portal folder with '/'
/// between its parts ("_KwStyle/global.css"), and its contents; none: the file does not exist.
struct PublishedFile {
    std::string path;
    std::optional<Bytes> contents;
};

/// What a batch would change in one file.
struct PendingChange {
    std::string path;
    std::optional<Bytes> before, after;
};

/// One activation in the publishing history.
struct PublishEntry {
    std::int64_t id = 0;         // never given twice in a portal
    std::string time;            // UTC, "2026-12-07T01:23:45Z"
    std::string user;            // the portal user's login
    std::string layout;          // the layout published
    std::int64_t rollbackOf = 0; // the entry this one undid (0: an ordinary activation)
};

/// Publishing several files as one, and the history of what was published.
class IPublishing : public IServerObject {
public:
    static constexpr ServerClass kClass = ServerClass::Publishing;
    virtual void AttachSession(const Ref<ISession> &session) = 0;

    /// Starts a batch named after the layout it publishes: from now on the session's file writes and
    /// removals wait in the batch (and reads see them) until `BatchCommit` or `BatchDiscard`. A batch
    /// begun while one is open is a part of the open one: its commit keeps its writes, its discard
    /// forgets them, and the outer batch publishes. Throws when the portal cannot take a batch now (it
    /// is being written by another program, or an earlier batch's journal is damaged).
    virtual void BatchBegin(const std::string &layout) = 0;
    /// Starts a batch as `BatchBegin` does for writes that are no activation (a layout imported with its
    /// pictures): published all at once with the same crash safety, but not recorded in the history (its
    /// `BatchCommit` gives 0). Begun while a batch is open, it is a part of the open one.
    virtual void BatchBeginImport(const std::string &layout) = 0;
    /// Starts a batch that is never published, for commands that only show what they would write: it
    /// takes no lock and looks at no journal, so it works on a portal this program may only read. Its
    /// `BatchCommit` is refused; `BatchDiscard` ends it. Begun while a batch is open, it is a part of it.
    virtual void BatchBeginTrial(const std::string &layout) = 0;
    /// What the open batch would change, file by file, in the order first written.
    virtual std::vector<PendingChange> BatchPending() = 0;
    /// Publishes every file of the batch at once and records it in the history; the entry's id, or 0
    /// when the batch changed nothing. On a ServerError nothing of the batch is published.
    virtual std::int64_t BatchCommit() = 0;
    virtual void BatchDiscard() = 0;

    /// The history, newest first.
    virtual std::vector<PublishEntry> HistoryEntries() = 0;
    /// The files an entry replaced, as they were before it. Throws NotFound for an unknown id.
    virtual std::vector<PublishedFile> HistoryFiles(std::int64_t id) = 0;
    /// What `HistoryRollback(id)` would change, file by file (what is published now and what it puts
    /// back); throws as the rollback would refuse.
    virtual std::vector<PendingChange> HistoryRollbackPending(std::int64_t id) = 0;
    /// Brings the portal back to the state right after entry `id`: every file a later entry changed is
    /// published again as it was then, as one batch of its own (so it is in the history too, named after
    /// entry `id`'s layout, and can be rolled back in turn); returns the new entry's id, or 0 when the
    /// portal is in that state already. Throws NotFound for an unknown id; refuses entries whose paths
    /// lead outside the portal and a state in which a file that is published now did not exist yet.
    virtual std::int64_t HistoryRollback(std::int64_t id) = 0;
    /// What opening the portal found and did about an interrupted batch (empty: nothing).
    virtual std::vector<std::string> RecoveryNotes() = 0;
};

} // namespace kw::server
