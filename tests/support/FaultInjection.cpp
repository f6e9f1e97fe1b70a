#include "FaultInjection.h"

#include "base/Values.h"

namespace kw::test {

using namespace kw::server;

namespace {

bool listed(const std::set<std::string> &names, const std::string &name)
{
    for (const std::string &n : names)
        if (equalsIgnoringCase(n, name))
            return true;
    return false;
}

ServerError injected(const std::string &what, const std::string &name)
{
    return ServerError(ServerError::WriteFault, "injected fault: " + what + " " + name);
}

class FaultyFile final : public IServerFile {
public:
    FaultyFile(Ref<IServerFile> inner, FaultPlan &plan) : m_inner(std::move(inner)), m_plan(plan) {}
    Bytes GetBytes() override
    {
        if (listed(m_plan.failReads, m_inner->GetFileName()))
            throw injected("reading", m_inner->GetFileName());
        return m_inner->GetBytes();
    }
    void PutBytes(const Bytes &contents) override
    {
        checkWrite();
        m_inner->PutBytes(contents);
    }
    std::string GetFileName() override { return m_inner->GetFileName(); }
    void AppendText(const std::string &text) override
    {
        checkWrite();
        m_inner->AppendText(text);
    }

private:
    void checkWrite()
    {
        if (listed(m_plan.failWrites, m_inner->GetFileName())) {
            ++m_plan.writeAttempts;
            throw injected("writing", m_inner->GetFileName());
        }
    }
    Ref<IServerFile> m_inner;
    FaultPlan &m_plan;
};

class FaultyFolder final : public IServerFolder {
public:
    FaultyFolder(Ref<IServerFolder> inner, FaultPlan &plan) : m_inner(std::move(inner)), m_plan(plan) {}
    bool HasFile(const std::string &name) override { return m_inner->HasFile(name); }
    void RemoveFile(const std::string &name) override { m_inner->RemoveFile(name); }
    Ref<IServerFile> GetFile(const std::string &name, std::uint32_t mode) override
    {
        return makeRef<FaultyFile>(m_inner->GetFile(name, mode), m_plan);
    }
    Ref<IServerFile> NewFile(const std::string &base, const std::string &extension) override
    {
        return makeRef<FaultyFile>(m_inner->NewFile(base, extension), m_plan);
    }
    std::string FirstMatch(const std::string &pattern) override { return m_inner->FirstMatch(pattern); }
    std::string NextMatch() override { return m_inner->NextMatch(); }
    int SearchDone() override { return m_inner->SearchDone(); }
    void EndMatch() override { m_inner->EndMatch(); }

private:
    Ref<IServerFolder> m_inner;
    FaultPlan &m_plan;
};

class FaultyFileService final : public IFileService {
public:
    FaultyFileService(Ref<IFileService> inner, FaultPlan &plan) : m_inner(std::move(inner)), m_plan(plan) {}
    void AttachSession(const Ref<ISession> &session) override { m_inner->AttachSession(unwrap(session)); }
    Ref<IServerFolder> GetFolder(const std::string &path) override
    {
        return makeRef<FaultyFolder>(m_inner->GetFolder(path), m_plan);
    }
    long ExecuteSql(const std::string &statement) override
    {
        if (m_plan.failSql)
            throw injected("running", statement);
        return m_inner->ExecuteSql(statement);
    }
    static Ref<ISession> unwrap(const Ref<ISession> &session);

private:
    Ref<IFileService> m_inner;
    FaultPlan &m_plan;
};

class FaultySession final : public ISession {
public:
    FaultySession(Ref<ISession> inner, FaultPlan &plan) : m_inner(std::move(inner)), m_plan(plan) {}
    Ref<IPortal> GetPortal() override { return m_inner->GetPortal(); }
    Ref<IUser> GetCurrentUser() override { return m_inner->GetCurrentUser(); }
    std::string GetSessionName() override { return m_inner->GetSessionName(); }
    Ref<ILanguageList> GetLanguages(int which) override { return m_inner->GetLanguages(which); }
    bool ReloadLanguageTexts(int which) override
    {
        return !m_plan.failReload && m_inner->ReloadLanguageTexts(which);
    }
    void RunAsOneTransaction(const std::function<void()> &work) override
    {
        m_inner->RunAsOneTransaction(work);
    }
    const Ref<ISession> &inner() const { return m_inner; }

private:
    Ref<ISession> m_inner;
    FaultPlan &m_plan;
};

Ref<ISession> FaultyFileService::unwrap(const Ref<ISession> &session)
{
    if (const auto *faulty = dynamic_cast<const FaultySession *>(session.get()))
        return faulty->inner();
    return session;
}

// Navigation objects run unchanged; they only need the real session behind the faulty one.
class SessionUnwrappingNavigation final : public INavigation {
public:
    explicit SessionUnwrappingNavigation(Ref<INavigation> inner) : m_inner(std::move(inner)) {}
    void NavInit(const Ref<ISession> &session, std::int32_t element) override
    {
        m_inner->NavInit(FaultyFileService::unwrap(session), element);
    }
    Ref<INavEntryCollection> NavEntries() override { return m_inner->NavEntries(); }
    std::int32_t NavParentId() override { return m_inner->NavParentId(); }
    Ref<INavEntry> NavNewEntry() override { return m_inner->NavNewEntry(); }
    std::int64_t NavVersion() override { return m_inner->NavVersion(); }

private:
    Ref<INavigation> m_inner;
};

// Rights objects likewise.
class SessionUnwrappingRights final : public IRights {
public:
    explicit SessionUnwrappingRights(Ref<IRights> inner) : m_inner(std::move(inner)) {}
    void RightsInit(const Ref<ISession> &session, int scope) override
    {
        m_inner->RightsInit(FaultyFileService::unwrap(session), scope);
    }
    bool RightsHas(std::int32_t id, int kind) override { return m_inner->RightsHas(id, kind); }
    Ref<IRightsRecord> RightsCreate(std::int32_t id, int kind, int flags) override
    {
        return m_inner->RightsCreate(id, kind, flags);
    }
    void RightsRemove(std::int32_t id, int kind) override { m_inner->RightsRemove(id, kind); }

private:
    Ref<IRights> m_inner;
};

// Publishing objects of the real portal need its own session.
class UnwrappingPublishing final : public IPublishing {
public:
    explicit UnwrappingPublishing(Ref<IPublishing> inner) : m_inner(std::move(inner)) {}
    void AttachSession(const Ref<ISession> &session) override
    {
        m_inner->AttachSession(FaultyFileService::unwrap(session));
    }
    void BatchBegin(const std::string &layout) override { m_inner->BatchBegin(layout); }
    void BatchBeginImport(const std::string &layout) override { m_inner->BatchBeginImport(layout); }
    void BatchBeginTrial(const std::string &layout) override { m_inner->BatchBeginTrial(layout); }
    std::vector<PendingChange> BatchPending() override { return m_inner->BatchPending(); }
    std::int64_t BatchCommit() override { return m_inner->BatchCommit(); }
    void BatchDiscard() override { m_inner->BatchDiscard(); }
    std::vector<PublishEntry> HistoryEntries() override { return m_inner->HistoryEntries(); }
    std::vector<PublishedFile> HistoryFiles(std::int64_t id) override { return m_inner->HistoryFiles(id); }
    std::vector<PendingChange> HistoryRollbackPending(std::int64_t id) override
    {
        return m_inner->HistoryRollbackPending(id);
    }
    std::int64_t HistoryRollback(std::int64_t id) override { return m_inner->HistoryRollback(id); }
    std::vector<std::string> RecoveryNotes() override { return m_inner->RecoveryNotes(); }

private:
    Ref<IPublishing> m_inner;
};

class FaultyFactory final : public IObjectFactory {
public:
    FaultyFactory(Ref<IObjectFactory> inner, FaultPlan &plan) : m_inner(std::move(inner)), m_plan(plan) {}
    Ref<IServerObject> CreateObject(ServerClass cls) override
    {
        Ref<IServerObject> object = m_inner->CreateObject(cls);
        if (cls == ServerClass::FileService)
            return makeRef<FaultyFileService>(Ref<IFileService>(dynamic_cast<IFileService *>(object.get())),
                                              m_plan);
        if (cls == ServerClass::Navigation)
            return makeRef<SessionUnwrappingNavigation>(
                Ref<INavigation>(dynamic_cast<INavigation *>(object.get())));
        if (cls == ServerClass::Rights)
            return makeRef<SessionUnwrappingRights>(Ref<IRights>(dynamic_cast<IRights *>(object.get())));
        if (cls == ServerClass::Publishing)
            return makeRef<UnwrappingPublishing>(Ref<IPublishing>(dynamic_cast<IPublishing *>(object.get())));
        return object;
    }

private:
    Ref<IObjectFactory> m_inner;
    FaultPlan &m_plan;
};

} // namespace

Environment withFaults(const Environment &inner, FaultPlan &plan)
{
    return {makeRef<FaultyFactory>(inner.factory, plan), makeRef<FaultySession>(inner.session, plan)};
}

} // namespace kw::test
