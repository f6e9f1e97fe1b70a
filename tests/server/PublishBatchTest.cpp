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
    // One batch writing every file with `tag`, a new file beside them, and removing `_KwStyle/gone.txt`.
    std::int64_t publishAll(const std::string &tag, bool import = false)
    {
        Ref<IPublishing> batch = publishing();
        if (import)
            batch->BatchBeginImport("Layout " + tag);
        else
            batch->BatchBegin("Layout " + tag);
        PortalConnection connection(portal.factory(), portal.session());
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
                EXPECT_NE(std::string(error.what()).find("cannot be"), std::string::npos) << error.what();
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
            EXPECT_EQ(note.find(import ? "activation" : "import"), std::string::npos) << note;
            namedKind = namedKind || note.find(import ? "import" : "activation") != std::string::npos;
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
    const std::string cases[] = {
        formatJournal(outside),
        flipped,                                                       // checksum no longer matches
        formatJournal(good).substr(0, formatJournal(good).size() - 8), // cut short
        "something else\n",
    };
    for (const std::string &text : cases) {
        portal.write(journalFile, text);
        portal.write("_KwStyle\\.kwtmp-a", "new");
        portal.reopen();
        const auto notes = publishing()->RecoveryNotes();
        ASSERT_EQ(notes.size(), 1u) << text;
        EXPECT_NE(notes[0].find("was not followed"), std::string::npos) << notes[0];
        EXPECT_EQ(portal.read("_KwStyle\\global.css"), "old _KwStyle\\global.css");
        EXPECT_TRUE(portal.exists("_KwStyle\\.kwtmp-a")); // the journal may still need it
        EXPECT_THROW(publishAll("new"), ServerError);
        EXPECT_EQ(state(), "old");
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

TEST_P(PublishBatchTest, RollbackPutsBackWhatAnEntryReplacedAndCanItselfBeRolledBack)
{
    portal.write("_KwStyle\\gone.txt", "x");
    const std::int64_t first = publishAll("first");
    const std::int64_t second = publishAll("second");
    ASSERT_EQ(state(), "second");

    // Undoing the first activation brings back the files as they were before it, the removed file too,
    // and removes the file it created.
    const std::int64_t undo = publishing()->HistoryRollback(first);
    EXPECT_EQ(state(), "old");
    EXPECT_EQ(portal.read("_KwStyle\\gone.txt"), "x");
    const auto entries = publishing()->HistoryEntries();
    EXPECT_EQ(entries[0].id, undo);
    EXPECT_EQ(entries[0].rollbackOf, first);
    EXPECT_EQ(entries[0].layout, ""); // no layout was active before the first activation
    // Undoing the rollback gives back the second activation's files.
    publishing()->HistoryRollback(undo);
    EXPECT_EQ(state(), "second");
    EXPECT_EQ(publishing()->HistoryEntries()[0].layout, "Layout second");
    EXPECT_TRUE(portal.leftovers().empty());
    (void)second;
}

TEST_P(PublishBatchTest, RollbackRefusesEntriesThatLeadOutsideThePortal)
{
    const std::int64_t id = publishAll("new");
    {
        const std::unique_ptr<Database> db = openPortalDatabase(portal.root());
        db->run("UPDATE publish_history_files SET path='../outside.txt' WHERE entry_id=?1 AND path LIKE "
                "'%menu.css'",
                {id});
    }
    try {
        publishing()->HistoryRollback(id);
        ADD_FAILURE() << "the rollback was followed";
    } catch (const ServerError &error) {
        EXPECT_NE(std::string(error.what()).find("../outside.txt"), std::string::npos) << error.what();
    }
    EXPECT_EQ(state(), "new");
    EXPECT_FALSE(std::filesystem::exists(portal.root().parent_path() / "outside.txt"));
}

} // namespace
} // namespace kw::server
