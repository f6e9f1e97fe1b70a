// Export from a portal and import into another: what a bundle carries, the questions an import asks, its
// one batch (all or nothing, also when the disk fails or the program dies), and the round trip of every
// demo layout that publishes the same bytes in the portal it moved to.
#include "CraftedBundles.h"

#include "bundle/BundleReader.h"
#include "bundle/LayoutTransfer.h"
#include "demo/DemoPortal.h"
#include "layout/LayoutDocument.h"
#include "layout/LayoutList.h"

#include "FileFaults.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace kw::bundle {
namespace {

namespace fs = std::filesystem;
using test::FileFaults;
using test::ScriptedPrompter;

using Files = std::map<std::string, std::string>;

const char *const kPublishedFiles[] = {"_KwStyle\\global.css",
                                       "_KwStyle\\menu.css",
                                       "_KwStyle\\buttonstyles.css",
                                       "_KwStyle\\rollover.asp",
                                       "_KwInclude\\KwCompany\\KwStyles.asp",
                                       "_KwInclude\\KwCompany\\LayoutSettings.asp"};

// Every file of the portal folder but its database and lock.
Files portalFiles(const fs::path &root)
{
    Files files;
    for (const auto &entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && !name.starts_with("KwPortal."))
            files[entry.path().lexically_relative(root).string()] = test::readFile(entry.path());
    }
    return files;
}

// A portal path in server notation as a relative local path.
std::string localPath(std::string serverPath)
{
    std::replace(serverPath.begin(), serverPath.end(), '\\', '/');
    return serverPath;
}

// Loads a layout and saves it as the active layout, as `kwlayout activate` does.
void activate(const server::Environment &env, const std::string &layoutFile)
{
    ScriptedPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document(env, prompter, chooser, wait);
    ASSERT_TRUE(document.openLayout(layoutFile)) << prompter.describe();
    if (!layout::isActiveLayoutFile(layoutFile))
        prompter.answerYes();
    document.commandSaveAsActive();
    EXPECT_TRUE(prompter.errorIds().empty()) << prompter.describe();
}

// The values of a stored layout as the designer shows them.
std::vector<std::pair<std::string, std::string>> shownValues(const server::Environment &env,
                                                             const std::string &layoutFile)
{
    ScriptedPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document(env, prompter, chooser, wait);
    EXPECT_TRUE(document.openLayout(layoutFile)) << prompter.describe();
    return layout::layoutValues(document.model(), document.flags());
}

class LayoutTransferTest : public ::testing::Test {
protected:
    LayoutTransferTest()
    {
        demo::createDemoPortal(demoDir.path());
        demoEnv = server::LocalPortal::open(demoDir.path());
        demo::publishInitialLayout(fresh.root());
        fresh.reopen();
    }
    Bundle exported(const std::string &layoutFile)
    {
        return readBundle(writeBundle(exportLayout(demoEnv, layoutFile)), "x");
    }
    std::size_t historySize(test::TempPortal &portal)
    {
        auto publishing = server::createObject<server::IPublishing>(portal.factory());
        publishing->AttachSession(portal.session());
        return publishing->HistoryEntries().size();
    }
    // Plans, asks and applies as the commands do; whether it wrote.
    bool import(const Bundle &bundle, const std::optional<std::string> &name = std::nullopt)
    {
        const ImportPlan plan = planImport(fresh.env(), bundle, name);
        if (!confirmImport(plan, prompter))
            return false;
        applyImport(fresh.env(), bundle, plan);
        return true;
    }

    test::TempDir demoDir;
    server::Environment demoEnv;
    test::TempPortal fresh{false};
    ScriptedPrompter prompter;
};

TEST_F(LayoutTransferTest, ANamedLayoutTravelsAsStoredWithEveryPictureThePortalHasAndTheMissingOnesNoted)
{
    const Bundle bundle = exportLayout(demoEnv, "Blau.kwc");
    EXPECT_EQ(std::string(bundle.layout.begin(), bundle.layout.end()),
              test::readFile(demoDir.path() / "_KwTemplates" / "Blau.kwc"));
    std::vector<std::string> names;
    for (const BundlePicture &picture : bundle.pictures) {
        names.push_back(picture.name);
        EXPECT_EQ(std::string(picture.bytes.begin(), picture.bytes.end()),
                  test::readFile(demoDir.path() / "Images" / "Company" / picture.name));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"separator.gif", "backgrnd_CornerImage.gif", "item.gif",
                                               "bullet_big.gif", "bullet_small.gif"}));
    // The tree menu's default pictures are named by every layout; the demo portal has none of them.
    ASSERT_EQ(bundle.manifest.missing.size(), 4u);
    EXPECT_EQ(bundle.manifest.missing[0],
              (LeftOutPicture{"closeall.gif", "fehlt im Portal (Images\\Company)"}));
    EXPECT_EQ(bundle.manifest.layout, "Blau");
    EXPECT_EQ(bundle.manifest.portal, "Demo-Portal");
}

TEST_F(LayoutTransferTest, APictureThatDoesNotDecodeOrIsTooLargeIsLeftOutWithItsReason)
{
    test::writeFile(demoDir.path() / "Images" / "Company" / "item.gif", "GIF89a kaputt");
    test::writeFile(demoDir.path() / "Images" / "Company" / "separator.gif",
                    std::string((16u << 20) + 1, 'x'));
    const Bundle bundle = exportLayout(demoEnv, "Blau.kwc");
    std::map<std::string, std::string> missing;
    for (const LeftOutPicture &picture : bundle.manifest.missing)
        missing[picture.name] = picture.reason;
    EXPECT_NE(missing["item.gif"].find("lässt sich nicht als GIF lesen"), std::string::npos)
        << missing["item.gif"];
    EXPECT_EQ(missing["separator.gif"], "ist größer als 16 MB");
    EXPECT_EQ(bundle.pictures.size(), 3u);
    // What the bundle carries is what an import accepts.
    EXPECT_NO_THROW(readBundle(writeBundle(bundle), "x"));
}

TEST_F(LayoutTransferTest, TheActiveLayoutTravelsAsCopyStoresItUnderANameAndExportChangesNothing)
{
    test::writeFile(demoDir.path() / "_KwStyle" / "NavTop.asp", "<% old navigation %>");
    const Files before = portalFiles(demoDir.path());
    const Bundle bundle = exportLayout(demoEnv, "global.css");
    EXPECT_EQ(portalFiles(demoDir.path()), before);
    EXPECT_EQ(bundle.manifest.layout, "Aktives Layout");
    EXPECT_EQ(defaultImportName(bundle.manifest), "Aktives Layout aus Demo-Portal");

    ScriptedPrompter copyPrompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document(demoEnv, copyPrompter, chooser, wait);
    ASSERT_TRUE(document.openLayout("global.css"));
    document.setName("Kopie.kwc");
    document.save(false);
    EXPECT_EQ(std::string(bundle.layout.begin(), bundle.layout.end()),
              test::readFile(demoDir.path() / "_KwTemplates" / "Kopie.kwc"));
}

TEST_F(LayoutTransferTest, ImportWritesPicturesAndLayoutInOneBatchThatNeitherActivatesNorEntersTheHistory)
{
    const std::size_t entries = historySize(fresh);
    const std::string active = fresh.read("_KwStyle\\global.css");
    ASSERT_TRUE(import(exported("Blau.kwc")));
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
    EXPECT_EQ(fresh.read("_KwTemplates\\Blau.kwc"),
              test::readFile(demoDir.path() / "_KwTemplates" / "Blau.kwc"));
    EXPECT_EQ(fresh.read("Images\\Company\\item.gif"),
              test::readFile(demoDir.path() / "Images" / "Company" / "item.gif"));
    EXPECT_EQ(fresh.read("_KwStyle\\global.css"), active);
    EXPECT_EQ(historySize(fresh), entries);
    EXPECT_TRUE(fresh.leftovers().empty());
    const auto list = layout::LayoutList(fresh.factory(), fresh.session()).list();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].title, "Blau");

    // Again under another name: the pictures are there with the same bytes, nothing is asked.
    const ImportPlan plan = planImport(fresh.env(), exported("Blau.kwc"), "Blau 2");
    EXPECT_EQ(plan.layoutFile, "Blau 2.kwc");
    EXPECT_FALSE(plan.replacesLayout);
    for (const PlannedPicture &picture : plan.pictures)
        EXPECT_EQ(picture.action, PictureAction::Keep) << picture.name;
    EXPECT_EQ(plan.unavailable,
              (std::vector<std::string>{"closeall.gif", "minus.gif", "plus.gif", "login.gif"}));
}

TEST_F(LayoutTransferTest, AnOtherPictureOfTheSameNameOrAnExistingLayoutIsAQuestionAndNoWritesNothing)
{
    const Bundle bundle = exported("Blau.kwc");
    fresh.write("Images\\Company\\ITEM.gif", "GIF89a other bytes");
    fresh.write("_KwTemplates\\Blau.kwc", "old layout");
    const Files before = portalFiles(fresh.root());

    prompter.answerNo();
    EXPECT_FALSE(import(bundle));
    ASSERT_EQ(prompter.questions().size(), 1u);
    EXPECT_NE(prompter.questions()[0].find("item.gif"), std::string::npos) << prompter.questions()[0];
    EXPECT_EQ(portalFiles(fresh.root()), before);

    prompter.clear();
    prompter.answerYes();
    prompter.answerNo();
    EXPECT_FALSE(import(bundle));
    ASSERT_EQ(prompter.questions().size(), 2u);
    EXPECT_EQ(prompter.questions()[1], "Das Layout \"Blau\" gibt es schon. Wollen Sie es ersetzen?");
    EXPECT_EQ(portalFiles(fresh.root()), before);

    prompter.answerYes();
    prompter.answerYes();
    EXPECT_TRUE(import(bundle));
    EXPECT_EQ(fresh.read("Images\\Company\\ITEM.gif"),
              test::readFile(demoDir.path() / "Images" / "Company" / "item.gif"));
    EXPECT_EQ(fresh.read("_KwTemplates\\Blau.kwc"),
              test::readFile(demoDir.path() / "_KwTemplates" / "Blau.kwc"));
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(LayoutTransferTest, NamesThatCannotNameAnImportedLayoutAreRefused)
{
    const Bundle bundle = exported("Blau.kwc");
    for (const char *name :
         {"Aktives Layout", "global.css", "", "../Blau", "a\\b", "Blau?", ".versteckt", "C:Blau"})
        EXPECT_THROW(planImport(fresh.env(), bundle, name), std::invalid_argument) << name;
    EXPECT_EQ(planImport(fresh.env(), bundle, "Sommer.kwc").layoutFile, "Sommer.kwc");
    EXPECT_EQ(planImport(fresh.env(), bundle, "Grün & Blau").layoutFile, "Grün & Blau.kwc");
}

TEST_F(LayoutTransferTest, RefusalsNameTheFile)
{
    // A bundle whose own layout name cannot name a layout: the refusal names the file and the way out.
    test::TempDir dir;
    Bundle bundle = exported("Blau.kwc");
    bundle.manifest.layout = "../Blau";
    const fs::path file = dir.path() / "Fremd.kwlayout";
    writeBundleFile(file, writeBundle(bundle));
    try {
        planImport(fresh.env(), readBundleFile(file), std::nullopt);
        ADD_FAILURE() << "a name with a path was taken";
    } catch (const std::invalid_argument &refusal) {
        const std::string text = refusal.what();
        EXPECT_NE(text.find("\"" + file.string() + "\""), std::string::npos) << text;
        EXPECT_NE(text.find("\"../Blau\""), std::string::npos) << text;
        EXPECT_NE(text.find("unter einem anderen Namen"), std::string::npos) << text;
    }
    EXPECT_EQ(planImport(fresh.env(), readBundleFile(file), "Blau").layoutFile, "Blau.kwc");

    // A bundle file in a folder that does not exist: the file and its folder are named.
    const fs::path nowhere = dir.path() / "fehlt" / "Blau.kwlayout";
    try {
        writeBundleFile(nowhere, writeBundle(exported("Blau.kwc")));
        ADD_FAILURE() << "written into a folder that does not exist";
    } catch (const ServerError &error) {
        EXPECT_EQ(std::string(error.what()), "Die Datei " + nowhere.string() +
                                                 " kann nicht geschrieben werden: Den Ordner " +
                                                 nowhere.parent_path().string() + " gibt es nicht.");
    }
}

TEST_F(LayoutTransferTest, AFailingDiskOrACrashAtAnyStepLeavesAllOrNothingOfTheImport)
{
    const Bundle bundle = exported("Blau.kwc");
    const Files before = portalFiles(fresh.root());
    ASSERT_TRUE(import(bundle));
    const Files after = portalFiles(fresh.root());
    ASSERT_NE(after, before);
    auto reset = [&] {
        for (const auto &[name, bytes] : after)
            if (!before.count(name))
                fs::remove(fresh.root() / name);
    };

    int failures = 0;
    for (const FileFaults::Op op : {FileFaults::Op::Write, FileFaults::Op::Fsync, FileFaults::Op::Rename}) {
        for (int n = 1;; ++n) {
            reset();
            auto faults = std::make_shared<FileFaults>();
            fresh.reopen(faults);
            faults->failAt(op, n);
            try {
                ASSERT_TRUE(import(bundle));
            } catch (const ServerError &) {
                ++failures;
            }
            const Files now = portalFiles(fresh.root());
            EXPECT_TRUE(now == before || now == after) << "fault at call " << n;
            if (!faults->fired())
                break;
        }
    }
    EXPECT_GT(failures, 10);

    std::set<std::string> outcomes;
    for (int n = 1;; ++n) {
        reset();
        auto faults = std::make_shared<FileFaults>();
        fresh.reopen(faults);
        faults->crashAt(FileFaults::Op::Any, n);
        try {
            import(bundle);
        } catch (const test::SimulatedCrash &) {
        }
        fresh.reopen();
        const Files now = portalFiles(fresh.root());
        EXPECT_TRUE(now == before || now == after) << "crash at call " << n;
        EXPECT_TRUE(fresh.leftovers().empty()) << "crash at call " << n;
        outcomes.insert(now == before ? "nothing" : "all");
        if (!faults->fired())
            break;
    }
    EXPECT_EQ(outcomes, (std::set<std::string>{"nothing", "all"}));
}

// Every layout of the demo portal, moved into a fresh empty portal and activated there, shows the same
// values and publishes the same bytes as when it is activated in the demo portal.
TEST_F(LayoutTransferTest, EveryDemoLayoutMovedToAFreshPortalPublishesTheSameFiles)
{
    const auto layouts = layout::LayoutList(*demoEnv.factory, demoEnv.session).list();
    ASSERT_EQ(layouts.size(), 4u);
    for (const layout::LayoutEntry &entry : layouts) {
        SCOPED_TRACE(entry.title);
        test::TempDir sourceDir;
        demo::createDemoPortal(sourceDir.path());
        const server::Environment source = server::LocalPortal::open(sourceDir.path());
        const Bytes file = writeBundle(exportLayout(source, entry.fileName));

        test::TempPortal target{false};
        demo::publishInitialLayout(target.root());
        target.reopen();
        const Bundle bundle = readBundle(file, entry.title + ".kwlayout");
        const ImportPlan plan = planImport(target.env(), bundle, std::nullopt);
        ASSERT_TRUE(confirmImport(plan, prompter));
        applyImport(target.env(), bundle, plan);

        EXPECT_EQ(shownValues(target.env(), plan.layoutFile), shownValues(source, entry.fileName));
        activate(source, entry.fileName);
        activate(target.env(), plan.layoutFile);
        for (const char *published : kPublishedFiles)
            EXPECT_EQ(target.read(published), test::readFile(sourceDir.path() / localPath(published)))
                << published;
    }
}

} // namespace
} // namespace kw::bundle
