// Batches of writes: published all at once or not at all, faults at every step, crashes at every step and
// the recovery that follows, the history with its retention and rollbacks.
#include "BackendTest.h"
#include "FileFaults.h"
#include "TempPortal.h"

#include "server/PortalAccess.h"
#include "server/PortalConfig.h"
#include "server/PublishJournal.h"

#include <gtest/gtest.h>

namespace kw::server {
namespace {

using test::FileFaults;
using test::SimulatedCrash;
using test::TempPortal;
using Op = FileFaults::Op;

constexpr const char *kFiles[] = {"_KwStyle\\global.css", "_KwStyle\\menu.css",
                                  "_KwInclude\\KwCompany\\KwStyles.asp"};

class PublishBatchTest : public test::BackendTest {
protected:
    PublishBatchTest()
    {
        for (const char *file : kFiles)
            portal.write(file, std::string("old ") + file);
    }

    Ref<IPublishing> publishing()
    {
        Ref<IPublishing> object = createObject<IPublishing>(portal.factory());
        object->AttachSession(portal.session());
        return object;
    }
    // One batch (an import when `import` is set) writing every file with `tag`, a new file beside them, and
    // removing `_KwStyle/gone.txt`; through another opening of the portal when `env` is given.
    std::int64_t publishAll(const std::string &tag, bool import = false, const Environment *env = nullptr)
    {
        const Environment &through = env ? *env : portal.env();
        Ref<IPublishing> batch = createObject<IPublishing>(*through.factory);
        batch->AttachSession(through.session);
        if (import)
            batch->BatchBeginImport("Layout " + tag);
        else
            batch->BatchBegin("Layout " + tag);
        PortalConnection connection(*through.factory, through.session);
        for (const char *file : kFiles) {
            const std::string path = file;
            const std::size_t slash = path.rfind('\\');
            writeTextFile(*connection.folder(path.substr(0, slash)), path.substr(slash + 1),
                          tag + " " + file);
        }
        writeTextFile(*connection.folder("_KwStyle"), "rollover.asp", tag);
        if (connection.folder("_KwStyle")->HasFile("gone.txt"))
            connection.folder("_KwStyle")->RemoveFile("gone.txt");
        return batch->BatchCommit();
    }
    // "old", the tag every file carries, or "mixed".
    std::string state()
    {
        std::string seen;
        for (const char *file : kFiles) {
            const std::string text = portal.read(file);
            const std::string tag = text.substr(0, text.find(' '));
            if (seen.empty())
                seen = tag;
            else if (seen != tag)
                return "mixed";
        }
        const bool hasNew = portal.exists("_KwStyle\\rollover.asp");
        const bool hasGone = portal.exists("_KwStyle\\gone.txt");
        if ((seen == "old") != (!hasNew && hasGone))
            return "mixed";
        return seen;
    }

    void crashAtEveryStep(bool import);

    TempPortal portal{true, {}, backend()};
};
KW_ON_BOTH_BACKENDS(PublishBatchTest);

TEST_P(PublishBatchTest, WritesWaitForTheCommitAndAppearTogether)
{
    portal.write("_KwStyle\\gone.txt", "x");
    Ref<IPublishing> batch = publishing();
    batch->BatchBegin("Herbst");
    PortalConnection connection(portal.factory(), portal.session());
    Ref<IServerFolder> style = connection.folder("_KwStyle");
    writeTextFile(*style, "global.css", "new global");
    style->RemoveFile("gone.txt");
    // The session sees its own batch; the portal still serves the old files.
    EXPECT_EQ(readTextFile(*style, "global.css"), "new global");
    EXPECT_FALSE(style->HasFile("gone.txt"));
    EXPECT_EQ(portal.read("_KwStyle\\global.css"), "old _KwStyle\\global.css");
    EXPECT_TRUE(portal.exists("_KwStyle\\gone.txt"));

    const auto pending = batch->BatchPending();
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[0].path, "_KwStyle/global.css");
    EXPECT_EQ(std::string(pending[0].after->begin(), pending[0].after->end()), "new global");
    EXPECT_EQ(pending[1].path, "_KwStyle/gone.txt");
    EXPECT_FALSE(pending[1].after);

    const std::int64_t id = batch->BatchCommit();
    EXPECT_GT(id, 0);
    EXPECT_EQ(portal.read("_KwStyle\\global.css"), "new global");
    EXPECT_FALSE(portal.exists("_KwStyle\\gone.txt"));
    EXPECT_TRUE(portal.leftovers().empty());

    const auto entries = batch->HistoryEntries();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries[0].id, id);
    EXPECT_EQ(entries[0].layout, "Herbst");
    EXPECT_EQ(entries[0].user, "admin");
    EXPECT_EQ(entries[0].time.size(), 20u);
    const auto files = batch->HistoryFiles(id);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(std::string(files[0].contents->begin(), files[0].contents->end()), "old _KwStyle\\global.css");
    EXPECT_EQ(std::string(files[1].contents->begin(), files[1].contents->end()), "x");
}

TEST_P(PublishBatchTest, ADiscardedPartOrBatchWritesNothing)
{
    Ref<IPublishing> batch = publishing();
    PortalConnection connection(portal.factory(), portal.session());
    batch->BatchBegin("Herbst");
    {
        PublishScope part(portal.factory(), portal.session(), "inner");
        writeTextFile(*connection.folder("_KwStyle"), "menu.css", "dropped");
    } // not committed: the part is forgotten
    PublishScope kept(portal.factory(), portal.session(), "inner");
    writeTextFile(*connection.folder("_KwStyle"), "global.css", "kept");
    kept.commit();
    EXPECT_EQ(readTextFile(*connection.folder("_KwStyle"), "menu.css"), "old _KwStyle\\menu.css");
    batch->BatchCommit();
    EXPECT_EQ(portal.read("_KwStyle\\global.css"), "kept");
    EXPECT_EQ(portal.read("_KwStyle\\menu.css"), "old _KwStyle\\menu.css");

    const std::size_t entries = batch->HistoryEntries().size();
    {
        PublishScope discarded(portal.factory(), portal.session(), "never");
        writeTextFile(*connection.folder("_KwStyle"), "global.css", "never");
    }
    EXPECT_EQ(portal.read("_KwStyle\\global.css"), "kept");
    EXPECT_EQ(batch->HistoryEntries().size(), entries);
}

// Every write, flush, link and rename of a commit fails once in turn: the published files stay as they
// were, nothing is left behind, and the history does not record the batch.
TEST_P(PublishBatchTest, AFailureAtAnyStepLeavesThePublishedFilesAsTheyWere)
{
    portal.write("_KwStyle\\gone.txt", "x");
    auto faults = std::make_shared<FileFaults>();
    portal.reopen(faults);
    std::size_t entries = publishing()->HistoryEntries().size();
    int failures = 0;
    for (const Op op : {Op::Write, Op::Fsync, Op::Link, Op::Rename}) {
        for (int n = 1;; ++n) {
            faults->failAt(op, n, n % 2 ? 5 : 28); // EIO, ENOSPC
            bool failed = false;
            try {
                publishAll("new");
            } catch (const ServerError &error) {
                EXPECT_TRUE(faults->fired());
                // The message says what failed and why, in the administrator's language.
                const std::string why =
                    n % 2 ? "Ein-/Ausgabefehler" : "Auf dem Datenträger ist kein Platz mehr";
                EXPECT_NE(std::string(error.what()).find("kann nicht"), std::string::npos) << error.what();
                EXPECT_NE(std::string(error.what()).find(why), std::string::npos) << error.what();
                failed = true;
                ++failures;
            }
            const bool fired = faults->fired();
            EXPECT_TRUE(portal.leftovers().empty()) << "fault at call " << n;
            if (failed) {
                EXPECT_EQ(state(), "old") << "fault at call " << n;
                EXPECT_EQ(publishing()->HistoryEntries().size(), entries);
                continue;
            }
            // Published: either no fault came, or it came after the batch was through (the last flush).
            EXPECT_EQ(state(), "new");
            entries = publishing()->HistoryEntries().size();
            for (const char *file : kFiles)
                portal.write(file, std::string("old ") + file);
            std::filesystem::remove(portal.local("_KwStyle\\rollover.asp"));
            portal.write("_KwStyle\\gone.txt", "x");
            if (!fired)
                break;
        }
    }
    EXPECT_GT(failures, 12);
}

// A crash at every step of a commit: opening the portal again gives the old or the new files, never a mix,
// with no temporary file or journal left, and a history entry exactly when the new files are there (an
// import never has one).
void PublishBatchTest::crashAtEveryStep(bool import)
{
    std::set<std::string> outcomes;
    bool namedKind = false;
    for (int n = 1;; ++n) {
        for (const char *file : kFiles)
            portal.write(file, std::string("old ") + file);
        std::filesystem::remove(portal.local("_KwStyle\\rollover.asp"));
        portal.write("_KwStyle\\gone.txt", "x");
        auto faults = std::make_shared<FileFaults>();
        portal.reopen(faults);
        const std::size_t entries = publishing()->HistoryEntries().size();
        faults->crashAt(Op::Any, n);
        const std::string tag = "n" + std::to_string(n);
        try {
            publishAll(tag, import);
        } catch (const SimulatedCrash &) {
        }
        const bool crashed = faults->fired();
        portal.reopen();
        const std::string after = state();
        EXPECT_TRUE(after == "old" || after == tag) << "crash at call " << n << ": " << after;
        EXPECT_TRUE(portal.leftovers().empty()) << "crash at call " << n;
        EXPECT_EQ(publishing()->HistoryEntries().size(), entries + (after == tag && !import ? 1 : 0)) << n;
        outcomes.insert(after == "old" ? "old" : "new");
        if (!crashed)
            break;
        if (after == tag) {
            EXPECT_FALSE(publishing()->RecoveryNotes().empty());
        }
        // What recovery tells names the kind of batch it finished or undid.
        for (const std::string &note : publishing()->RecoveryNotes()) {
            EXPECT_EQ(note.find(import ? "Aktivierung" : "Import"), std::string::npos) << note;
            namedKind = namedKind || note.find(import ? "Import" : "Aktivierung") != std::string::npos;
        }
    }
    // Early crashes keep the old files, late ones are completed.
    EXPECT_EQ(outcomes, (std::set<std::string>{"old", "new"}));
    EXPECT_TRUE(namedKind);
}

TEST_P(PublishBatchTest, ACrashAtAnyStepIsRecoveredToOneSideWhenThePortalIsOpened)
{
    crashAtEveryStep(false);
}

TEST_P(PublishBatchTest, AnImportIsPublishedAsOneBatchButNeverEntersTheHistory)
{
    const std::size_t entries = publishing()->HistoryEntries().size();
    EXPECT_EQ(publishAll("imported", true), 0);
    EXPECT_EQ(state(), "imported");
    EXPECT_EQ(publishing()->HistoryEntries().size(), entries);
    // As a part of an activation it is that activation's.
    Ref<IPublishing> outer = publishing();
    outer->BatchBegin("Herbst");
    EXPECT_EQ(publishAll("inner", true), 0);
    EXPECT_EQ(state(), "imported");
    EXPECT_GT(outer->BatchCommit(), 0);
    EXPECT_EQ(state(), "inner");
    EXPECT_EQ(publishing()->HistoryEntries().size(), entries + 1);
    crashAtEveryStep(true);
}

TEST_P(PublishBatchTest, DamagedJournalsAreRefusedAndNotFollowed)
{
    portal.write("_KwStyle\\gone.txt", "x");
    const std::string journalFile = "KwPortal.journal";
    Journal outside{
        "b1", {}, {{JournalStep::Kind::Replace, "_KwStyle/global.css", "_KwStyle/.kwtmp-a", "../.kwtmp-b"}}};
    Journal good{"b1", {}, {{JournalStep::Kind::Create, "_KwStyle/x.css", "_KwStyle/.kwtmp-a", ""}}};
    std::string flipped = formatJournal(good);
    flipped[flipped.find("x.css")] = 'y';
    // Each with what the message names as found.
    const std::pair<std::string, std::string> cases[] = {
        {formatJournal(outside), "es nennt den Pfad \"../.kwtmp-b\", der aus dem Portalordner hinausführt"},
        {flipped, "es ist beschädigt (seine Prüfsumme stimmt nicht)"},
        {formatJournal(good).substr(0, formatJournal(good).size() - 8),
         "es ist beschädigt (es ist unvollständig)"},
        {"something else\n", "es ist beschädigt (es beginnt nicht mit"},
    };
    for (const auto &[text, found] : cases) {
        portal.write(journalFile, text);
        portal.write("_KwStyle\\.kwtmp-a", "new");
        portal.reopen();
        const auto notes = publishing()->RecoveryNotes();
        ASSERT_EQ(notes.size(), 1u) << text;
        EXPECT_NE(notes[0].find("wurde nicht ausgeführt, denn " + found), std::string::npos) << notes[0];
        EXPECT_EQ(portal.read("_KwStyle\\global.css"), "old _KwStyle\\global.css");
        EXPECT_TRUE(portal.exists("_KwStyle\\.kwtmp-a")); // the journal may still need it
        // Every batch is refused with what was found and what to do; a write that is no batch goes on.
        try {
            publishAll("new");
            ADD_FAILURE() << "published past a refused journal";
        } catch (const ServerError &error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(portal.root().string() + "/KwPortal.journal"), std::string::npos)
                << message;
            EXPECT_NE(message.find("denn " + found), std::string::npos) << message;
            EXPECT_NE(message.find("löschen Sie dann das Journal"), std::string::npos) << message;
        }
        EXPECT_EQ(state(), "old");
        EXPECT_TRUE(portal.exists("_KwStyle\\.kwtmp-a"));
        EXPECT_EQ(publishing()->RecoveryNotes().size(), 1u) << "the journal that stays is noted once";
    }
    std::filesystem::remove(portal.local(journalFile));
    portal.reopen();
    EXPECT_FALSE(portal.exists("_KwStyle\\.kwtmp-a"));
    EXPECT_GT(publishAll("new"), 0);
}

TEST_P(PublishBatchTest, HistoryKeepsTheNewest50AndNeverRepeatsAnId)
{
    std::int64_t last = 0;
    for (int i = 0; i < 53; ++i) {
        const std::int64_t id = publishAll("v" + std::to_string(i));
        EXPECT_GT(id, last);
        last = id;
    }
    auto entries = publishing()->HistoryEntries();
    ASSERT_EQ(entries.size(), 50u);
    EXPECT_EQ(entries.front().id, last);
    EXPECT_EQ(entries.front().layout, "Layout v52");
    EXPECT_EQ(entries.back().id, last - 49);
    EXPECT_THROW(publishing()->HistoryFiles(last - 50), ServerError);

    // A failed batch is not recorded; the next one still gets a new id.
    auto faults = std::make_shared<FileFaults>();
    portal.reopen(faults);
    faults->failAt(Op::Rename, 2);
    EXPECT_THROW(publishAll("failed"), ServerError);
    EXPECT_EQ(publishing()->HistoryEntries().front().id, last);
    faults->reset();
    EXPECT_GT(publishAll("after"), last);
}

TEST_P(PublishBatchTest, RollbackReturnsToTheStateRightAfterAnEntryAndIsAnEntryItself)
{
    portal.write("_KwStyle\\gone.txt", "x");
    const std::int64_t first = publishAll("first");
    const std::int64_t second = publishAll("second");
    const std::int64_t third = publishAll("third");
    ASSERT_EQ(state(), "third");

    // What it would change is known before: the state after the first entry, file by file.
    const auto pending = publishing()->HistoryRollbackPending(first);
    ASSERT_EQ(pending.size(), 4u);
    EXPECT_EQ(pending[0].path, "_KwStyle/global.css");
    EXPECT_EQ(std::string(pending[0].before->begin(), pending[0].before->end()),
              "third _KwStyle\\global.css");
    EXPECT_EQ(std::string(pending[0].after->begin(), pending[0].after->end()), "first _KwStyle\\global.css");

    // Back to the state right after the first activation: its files, the file it created, not the one
    // it removed.
    const std::int64_t back = publishing()->HistoryRollback(first);
    EXPECT_EQ(state(), "first");
    EXPECT_EQ(portal.read("_KwStyle\\rollover.asp"), "first");
    EXPECT_FALSE(portal.exists("_KwStyle\\gone.txt"));
    auto entries = publishing()->HistoryEntries();
    EXPECT_EQ(entries[0].id, back);
    EXPECT_EQ(entries[0].rollbackOf, first);
    EXPECT_EQ(entries[0].layout, "Layout first"); // the state it went back to is the first's layout

    // The rollback is undone by going back to the entry before it; the entry in between is reachable too.
    publishing()->HistoryRollback(third);
    EXPECT_EQ(state(), "third");
    EXPECT_EQ(publishing()->HistoryEntries()[0].layout, "Layout third");
    publishing()->HistoryRollback(second);
    EXPECT_EQ(state(), "second");

    // Going back to the newest entry changes nothing and records nothing.
    const std::size_t count = publishing()->HistoryEntries().size();
    EXPECT_TRUE(publishing()->HistoryRollbackPending(publishing()->HistoryEntries()[0].id).empty());
    EXPECT_EQ(publishing()->HistoryRollback(publishing()->HistoryEntries()[0].id), 0);
    EXPECT_EQ(publishing()->HistoryEntries().size(), count);
    EXPECT_THROW(publishing()->HistoryRollback(99999), ServerError);
    EXPECT_TRUE(portal.leftovers().empty());
}

// A state in which a file that is published now did not exist yet is refused: the rollback would delete
// it from the running portal. Nothing is written.
TEST_P(PublishBatchTest, RollbackToAStateWithoutAFilePublishedNowIsRefused)
{
    const std::int64_t first = publishAll("first");
    {
        Ref<IPublishing> batch = publishing();
        batch->BatchBegin("with logo");
        PortalConnection connection(portal.factory(), portal.session());
        writeTextFile(*connection.folder("_KwStyle"), "welcome.asp", "<%\r\n%>\r\n");
        writeTextFile(*connection.folder("_KwStyle"), "global.css", "later");
        batch->BatchCommit();
    }
    const std::size_t count = publishing()->HistoryEntries().size();
    for (const bool preview : {true, false}) {
        try {
            if (preview)
                publishing()->HistoryRollbackPending(first);
            else
                publishing()->HistoryRollback(first);
            ADD_FAILURE() << "the rollback was not refused";
        } catch (const ServerError &error) {
            EXPECT_NE(std::string(error.what()).find("_KwStyle/welcome.asp gab es damals noch nicht"),
                      std::string::npos)
                << error.what();
        }
    }
    EXPECT_EQ(portal.read("_KwStyle\\global.css"), "later");
    EXPECT_TRUE(portal.exists("_KwStyle\\welcome.asp"));
    EXPECT_EQ(publishing()->HistoryEntries().size(), count);

    // Once the file is gone from the portal anyway, the state is reachable again.
    std::filesystem::remove(portal.local("_KwStyle\\welcome.asp"));
    EXPECT_GT(publishing()->HistoryRollback(first), 0);
    EXPECT_EQ(state(), "first");
}

TEST_P(PublishBatchTest, RollbackRefusesEntriesThatLeadOutsideThePortal)
{
    const std::int64_t id = publishAll("new");
    const std::int64_t later = publishAll("later");
    {
        const std::unique_ptr<Database> db = openPortalDatabase(portal.root());
        db->run("UPDATE publish_history_files SET path='../outside.txt' WHERE entry_id=?1 AND path LIKE "
                "'%menu.css'",
                {later});
    }
    try {
        publishing()->HistoryRollback(id);
        ADD_FAILURE() << "the rollback was followed";
    } catch (const ServerError &error) {
        EXPECT_NE(std::string(error.what()).find("../outside.txt"), std::string::npos) << error.what();
    }
    EXPECT_EQ(state(), "later");
    EXPECT_FALSE(std::filesystem::exists(portal.root().parent_path() / "outside.txt"));
}

// Another program dies in the middle of a batch while this one has the portal open (so opening did not
// recover anything): the next batch of this one finishes or drops the interrupted one first, whatever
// step it was at, and then publishes. The portal never stays on a mix.
TEST_P(PublishBatchTest, ABatchLeftByAnotherProgramIsRecoveredWhenTheLockIsTaken)
{
    publishAll("start");
    bool sawMix = false;
    for (int n = 1;; ++n) {
        for (const char *file : kFiles)
            portal.write(file, std::string("old ") + file);
        std::filesystem::remove(portal.local("_KwStyle\\rollover.asp"));
        portal.write("_KwStyle\\gone.txt", "x");
        const std::int64_t newest = publishing()->HistoryEntries().front().id;
        auto faults = std::make_shared<FileFaults>();
        faults->crashAt(Op::Any, n);
        const std::string tag = "n" + std::to_string(n);
        bool crashed = false;
        {
            // The other program: its own opening of the portal, stopped dead at call n.
            const Environment other = LocalPortal::open(portal.root(), {}, faults);
            try {
                publishAll(tag, false, &other);
            } catch (const SimulatedCrash &) {
                crashed = true;
            }
        }
        if (!crashed)
            break;
        sawMix = sawMix || state() == "mixed";
        // This program goes on with its next activation.
        const std::string next = "next" + std::to_string(n);
        EXPECT_GT(publishAll(next), 0) << "crash at call " << n;
        EXPECT_EQ(state(), next) << "crash at call " << n;
        EXPECT_TRUE(portal.leftovers().empty()) << "crash at call " << n;
        // The other one's batch is in the history exactly when it had counted as published.
        std::vector<std::string> added;
        for (const PublishEntry &entry : publishing()->HistoryEntries())
            if (entry.id > newest)
                added.push_back(entry.layout);
        EXPECT_TRUE(added == std::vector<std::string>{"Layout " + next} ||
                    added == (std::vector<std::string>{"Layout " + next, "Layout " + tag}))
            << "crash at call " << n;
    }
    EXPECT_TRUE(sawMix) << "no crash came between the renames";
}

} // namespace
} // namespace kw::server
