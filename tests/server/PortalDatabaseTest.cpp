// The local portal's database side: session, SQL, navigation, rights, translations, busy and broken files.
#include "BackendTest.h"
#include "TempPortal.h"

#include "server/MessageFilter.h"
#include "server/PortalStore.h"
#include "server/PostgresDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace kw::server {
namespace {

using test::Backend;
using test::TempPortal;

class PortalDatabaseTest : public test::BackendTest {};
KW_ON_BOTH_BACKENDS(PortalDatabaseTest);

TEST_P(PortalDatabaseTest, SessionDemoPortalUsersAndLanguages)
{
    TempPortal portal{true, {}, backend()};
    Ref<IUser> admin = portal.session()->GetCurrentUser();
    EXPECT_TRUE(admin->GetAccessFlag());
    EXPECT_EQ(admin->UserNamePart2() + " " + admin->UserNamePart3(), "Anna Lindqvist");
    EXPECT_EQ(portal.session()->GetPortal()->GetPortalName(), "Testportal");
    EXPECT_TRUE(portal.session()->ReloadLanguageTexts(1));

    Environment guest = LocalPortal::open(portal.root(), "GAST");
    EXPECT_FALSE(guest.session->GetCurrentUser()->GetAccessFlag());
    Environment nobody = LocalPortal::open(portal.root(), "nobody");
    EXPECT_THROW(nobody.session->GetCurrentUser(), ServerError);

    Ref<ILanguageList> languages = portal.session()->GetLanguages(-1);
    ASSERT_EQ(languages->LanguageCount(), 2);
    EXPECT_EQ(languages->LanguageId(0), 1031);
    EXPECT_TRUE(languages->LanguageIsDefault(0));
    EXPECT_EQ(languages->LanguageName(1), "English");
    EXPECT_THROW(languages->LanguageId(2), ServerError);
}

TEST_P(PortalDatabaseTest, SessionDefaultLanguageLookup)
{
    TempPortal portal{true, {}, backend()};
    Ref<IFileService> files = createObject<IFileService>(portal.factory());
    files->AttachSession(portal.session());
    EXPECT_EQ(lookupDefaultLanguage(*portal.session(), 0), 1031);
    files->ExecuteSql("UPDATE languages SET is_default=1"); // two defaults: the later one wins
    EXPECT_EQ(lookupDefaultLanguage(*portal.session(), 0), 1033);
    files->ExecuteSql("UPDATE languages SET is_default=0"); // none: the id stays as it was
    EXPECT_EQ(lookupDefaultLanguage(*portal.session(), 4711), 4711);
}

TEST_P(PortalDatabaseTest, SqlExecuteAndQueryRunRealStatements)
{
    TempPortal portal{true, {}, backend()};
    Ref<IFileService> files = createObject<IFileService>(portal.factory());
    files->AttachSession(portal.session());
    EXPECT_EQ(files->ExecuteSql("UPDATE krapp SET lnavformid=43 WHERE lid=31"), 1);

    Ref<IQuery> query = createObject<IQuery>(portal.factory());
    query->QueryRun(0, "SELECT lid FROM krapp WHERE lnavformid=41");
    EXPECT_EQ(query->QueryRowCount(), 1); // 31 moved away, 51 stays
    EXPECT_EQ(query->QueryValue(0, 0), "51");
    query->QueryRun(0, "SELECT lid FROM krapp WHERE lnavformid=43");
    EXPECT_EQ(query->QueryRowCount(), 1);

    try {
        files->ExecuteSql("UPDATE nosuchtable SET x=1");
        FAIL();
    } catch (const ServerError &error) {
        // The database's own message, and where the database is.
        EXPECT_NE(std::string(error.what()).find("nosuchtable"), std::string::npos) << error.what();
        const std::string where = backend() == Backend::Sqlite
                                      ? (portal.root() / LocalPortal::kDatabaseFile).string()
                                      : portal.databaseAddress();
        EXPECT_NE(std::string(error.what()).find(where), std::string::npos) << error.what();
    }
}

TEST_P(PortalDatabaseTest, NavigationMainMenuEntriesInMenuOrder)
{
    TempPortal portal{true, {}, backend()};
    Ref<INavigation> nav = createObject<INavigation>(portal.factory());
    nav->NavInit(portal.session(), 1);
    Ref<INavEntryCollection> entries = nav->NavEntries();
    ASSERT_EQ(entries->NavItemCount(), 7);
    const NavItemInfo first = entries->NavItemInfoAt(0);
    EXPECT_EQ(first.id, 31);
    EXPECT_EQ(first.type, 1);
    EXPECT_EQ(entries->NavItemInfoAt(2).name, "Aktuelles");
    EXPECT_EQ(entries->NavItemInfoAt(6).type, 3);
    EXPECT_THROW(entries->NavItemInfoAt(7), ServerError);
}

TEST_P(PortalDatabaseTest, NavigationAddCommitAndRemove)
{
    TempPortal portal{true, {}, backend()};
    Ref<INavigation> nav = createObject<INavigation>(portal.factory());
    nav->NavInit(portal.session(), 1);
    Ref<INavEntryCollection> entries = nav->NavEntries();
    Ref<INavEntry> added = entries->NavAdd("Neu", 1);
    added->EntrySetStartPage("../KwApplications/KwArea/KwArea.asp");
    added->EntrySetGroups({3, 4});
    EXPECT_TRUE(added->EntryGetGroups().empty()); // nothing written before the commit
    added->EntryCommit();
    const std::int32_t id = added->EntryId();

    Ref<INavEntry> again = nav->NavNewEntry();
    again->EntryInit(portal.session(), id);
    EXPECT_EQ(again->EntryGetStartPage(), "../KwApplications/KwArea/KwArea.asp");
    EXPECT_EQ(again->EntryGetGroups(), (std::vector<std::int32_t>{3, 4}));
    EXPECT_EQ(again->EntryType(), 0);
    EXPECT_EQ(entries->NavItemCount(), 8);
    EXPECT_EQ(entries->NavItemInfoAt(7).name, "Neu");

    again->EntrySetPosition(0);
    again->EntryCommit();
    EXPECT_EQ(entries->NavItemInfoAt(0).id, id);

    entries->NavRemove(id);
    EXPECT_EQ(entries->NavItemCount(), 7);
    EXPECT_THROW(again->EntryInit(portal.session(), id), ServerError);
    EXPECT_THROW(entries->NavRemove(id), ServerError);
}

TEST_P(PortalDatabaseTest, NavigationOneTransactionKeepsEveryObjectsChangesTogether)
{
    TempPortal portal{true, {}, backend()};
    Ref<INavigation> nav = createObject<INavigation>(portal.factory());
    nav->NavInit(portal.session(), 1);
    Ref<INavEntryCollection> entries = nav->NavEntries();
    Ref<IRights> rights = createObject<IRights>(portal.factory());
    rights->RightsInit(portal.session(), 1);
    const auto addBoth = [&](const std::string &name) {
        Ref<INavEntry> added = entries->NavAdd(name, 1);
        added->EntryCommit();
        rights->RightsCreate(added->EntryId(), 1, 0)->RecordCommit();
        return added->EntryId();
    };

    EXPECT_THROW(portal.session()->RunAsOneTransaction([&] {
        addBoth("Verworfen");
        entries->NavRemove(31);
        throw ServerError(ServerError::Fail, "stopped halfway");
    }),
                 ServerError);
    EXPECT_EQ(entries->NavItemCount(), 7);
    EXPECT_EQ(entries->NavItemInfoAt(0).id, 31);

    std::int32_t kept = 0;
    portal.session()->RunAsOneTransaction([&] { kept = addBoth("Behalten"); });
    EXPECT_EQ(entries->NavItemCount(), 8);
    EXPECT_TRUE(rights->RightsHas(kept, 1));
}

TEST_P(PortalDatabaseTest, NavigationCalendarParentFollowsKrapp)
{
    TempPortal portal{true, {}, backend()};
    Ref<INavigation> calendar = createObject<INavigation>(portal.factory());
    calendar->NavInit(portal.session(), 31);
    EXPECT_EQ(calendar->NavParentId(), 41);
    EXPECT_EQ(calendar->NavEntries()->NavItemCount(), 0);

    Ref<IFileService> files = createObject<IFileService>(portal.factory());
    files->AttachSession(portal.session());
    files->ExecuteSql("UPDATE krapp SET lnavformid=43 WHERE lid=31");
    EXPECT_EQ(calendar->NavParentId(), 43);

    Ref<INavigation> unknown = createObject<INavigation>(portal.factory());
    EXPECT_THROW(unknown->NavInit(portal.session(), 999), ServerError);
}

TEST_P(PortalDatabaseTest, RightsCreateQueryRemove)
{
    TempPortal portal{true, {}, backend()};
    Ref<IRights> rights = createObject<IRights>(portal.factory());
    rights->RightsInit(portal.session(), 1);
    EXPECT_TRUE(rights->RightsHas(42, 1));
    EXPECT_FALSE(rights->RightsHas(31, 1));
    Ref<IRightsRecord> record = rights->RightsCreate(31, 1, 0);
    EXPECT_FALSE(rights->RightsHas(31, 1)); // written on commit
    record->RecordCommit();
    EXPECT_TRUE(rights->RightsHas(31, 1));
    rights->RightsRemove(31, 1);
    EXPECT_FALSE(rights->RightsHas(31, 1));
}

TEST_P(PortalDatabaseTest, TranslationBothFormsRoundTrip)
{
    TempPortal portal{true, {}, backend()};
    Ref<ITranslation> translation = createObject<ITranslation>(portal.factory());
    translation->AttachSession(portal.session());
    translation->TranslationOpen(portal.session(), 1, -1, "lc_WelcomeMsg", 4);
    LanguageTexts texts = translation->TranslationGetTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], (std::pair<std::int32_t, std::string>{1031, "Willkommen im Demo-Portal!"}));
    translation->TranslationSetTexts({{1031, "Grüß \"Gott\""}});
    translation->TranslationCommit();
    EXPECT_EQ(translation->TranslationGetTexts(), (LanguageTexts{{1031, "Grüß \"Gott\""}}));

    EXPECT_EQ(translation->TextsLoad("menutitle", 40).at(1033), "News");
    translation->TextsSave("menutitle", 40, {{1031, "Neuigkeiten"}, {1033, "Latest"}});
    const auto names = translation->TextsLoad("menutitle", 40);
    EXPECT_EQ(names.size(), 2u);
    EXPECT_EQ(names.at(1031), "Neuigkeiten");
}

TEST(BrokenPortalTest, MissingFolderAndCorruptDatabase)
{
    test::TempDir dir;
    EXPECT_THROW(LocalPortal::open(dir.path() / "missing"), ServerError);
    EXPECT_THROW(LocalPortal::open(dir.path()), ServerError); // a folder without a portal
    test::writeFile(dir.path() / LocalPortal::kDatabaseFile, std::string(4096, 'x'));
    try {
        LocalPortal::open(dir.path());
        FAIL();
    } catch (const ServerError &error) {
        EXPECT_NE(std::string(error.what()).find(LocalPortal::kDatabaseFile), std::string::npos);
    }
    EXPECT_EQ(test::readFile(dir.path() / LocalPortal::kDatabaseFile), std::string(4096, 'x'));
}

TEST_P(PortalDatabaseTest, BrokenPortalInitRefusesAnExistingPortal)
{
    TempPortal portal{true, {}, backend()};
    EXPECT_THROW(createPortalStore(portal.root(), {"Neu", false, portal.databaseAddress()}), ServerError);
    // Still the demo data: nothing was touched.
    EXPECT_EQ(portal.session()->GetLanguages(-1)->LanguageCount(), 2);
    createPortalStore(portal.root(), {"Neu", true, portal.databaseAddress()});
    Environment fresh = LocalPortal::open(portal.root());
    EXPECT_EQ(fresh.session->GetLanguages(-1)->LanguageCount(), 0);
}

// Holds the portal database's write lock from a second connection.
class Locker {
public:
    explicit Locker(const TempPortal &portal)
    {
        if (portal.backend() == Backend::Postgres) {
            m_postgres = std::make_unique<PostgresDatabase>(portal.databaseAddress());
            m_postgres->executeAlone(std::string("SELECT pg_advisory_lock(") +
                                     PostgresDatabase::kWriteLockKey + ")");
            return;
        }
        sqlite3_open((portal.root() / LocalPortal::kDatabaseFile).c_str(), &m_db);
        sqlite3_exec(m_db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    void unlock()
    {
        if (m_postgres)
            m_postgres->executeAlone(std::string("SELECT pg_advisory_unlock(") +
                                     PostgresDatabase::kWriteLockKey + ")");
        else
            sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    }
    ~Locker() { sqlite3_close(m_db); }

private:
    sqlite3 *m_db = nullptr;
    std::unique_ptr<PostgresDatabase> m_postgres;
};

TEST_P(PortalDatabaseTest, BusyDatabaseRetriesAsTheMessageFilterSays)
{
    TempPortal portal{true, {}, backend()};
    Ref<IFileService> files = createObject<IFileService>(portal.factory());
    files->AttachSession(portal.session());
    MessageFilterSettings &filter = threadMessageFilter();
    const MessageFilterSettings saved = filter;

    Locker locker(portal);
    filter = {false, 0, 60000}; // retry reply 0: a busy call is cancelled at once
    try {
        files->ExecuteSql("UPDATE krapp SET lnavformid=40 WHERE lid=31");
        FAIL();
    } catch (const ServerError &error) {
        EXPECT_EQ(error.code(), ServerError::DatabaseBusy);
    }

    filter = {false, 50, 5000}; // retried until the lock goes away
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        locker.unlock();
    });
    EXPECT_EQ(files->ExecuteSql("UPDATE krapp SET lnavformid=40 WHERE lid=31"), 1);
    release.join();
    filter = saved;
}

} // namespace
} // namespace kw::server
