// kwlayout export and import: a layout moved between two portals with its pictures, the answers to the
// import's questions, --as and --json, and every crafted bad bundle refused naming the file and the reason
// with nothing written.
#include "CraftedBundles.h"
#include "KwlayoutRun.h"
#include "TempPortal.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

#include <map>

namespace kw::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// What the command prints on both of its outputs.
Result kwlayout(const fs::path &portal, const std::string &arguments)
{
    return run(kwlayoutCommand(portal, arguments) + " 2>&1");
}

std::string quoted(const fs::path &path)
{
    return "'" + path.string() + "'";
}

// Every file of a portal folder but its database and lock.
Files portalFiles(const fs::path &root)
{
    Files files;
    for (const auto &entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file() && !entry.path().filename().string().starts_with("KwPortal."))
            files[entry.path().lexically_relative(root).string()] = readFile(entry.path());
    return files;
}

class BundleCommandsTest : public ::testing::Test {
protected:
    BundleCommandsTest()
    {
        EXPECT_EQ(kwlayout(demo, "portal-init --demo").status, 0);
        EXPECT_EQ(kwlayout(fresh, "portal-init").status, 0);
    }
    TempDir dir;
    fs::path demo = dir.path() / "demo";
    fs::path fresh = dir.path() / "fresh";
    fs::path bundle = dir.path() / "Blau.kwlayout";
};

TEST_F(BundleCommandsTest, ALayoutMovesWithItsPicturesAndShowsTheSameValuesInTheOtherPortal)
{
    const Result exported = kwlayout(demo, "export Blau " + quoted(bundle));
    ASSERT_EQ(exported.status, 0) << exported.out;
    EXPECT_NE(exported.out.find("Exported Blau to " + bundle.string() + " (5 pictures, 4 left out)"),
              std::string::npos)
        << exported.out;
    // The core's German text whole, not inside an English sentence.
    EXPECT_NE(exported.out.find("kwlayout: Diese Bilder des Layouts wurden nicht exportiert:\n"
                                "  closeall.gif: fehlt im Portal (Images\\Company)\n"),
              std::string::npos)
        << exported.out;
    EXPECT_EQ(exported.out.find("warning"), std::string::npos) << exported.out;

    const Result json =
        run(kwlayoutCommand(demo, "export Blau " + quoted(dir.path() / "json.kwlayout") + " --json") +
            " 2>/dev/null");
    ASSERT_EQ(json.status, 0) << json.out;
    const nlohmann::json written = nlohmann::json::parse(json.out);
    EXPECT_EQ(written["layout"], "Blau");
    EXPECT_EQ(written["size"], fs::file_size(dir.path() / "json.kwlayout"));
    EXPECT_EQ(written["pictures"].size(), 5u);
    EXPECT_EQ(written["missing"][0]["name"], "closeall.gif");
    EXPECT_EQ(written["missing"][0]["reason"], "fehlt im Portal (Images\\Company)");
    // A file name that is no UTF-8 still gives valid JSON, the byte replaced.
    const Result latin1 =
        run(kwlayoutCommand(demo, "export Blau " + quoted(dir.path() / "Gr\xFCn.kwlayout") + " --json") +
            " 2>/dev/null");
    ASSERT_EQ(latin1.status, 0) << latin1.out;
    EXPECT_EQ(nlohmann::json::parse(latin1.out)["file"], (dir.path() / "Gr\uFFFDn.kwlayout").string());

    const std::string active = readFile(fresh / "_KwStyle" / "global.css");
    const std::string history = kwlayout(fresh, "history").out;
    const Result imported = kwlayout(fresh, "import " + quoted(bundle));
    ASSERT_EQ(imported.status, 0) << imported.out;
    EXPECT_NE(imported.out.find("create\tImages\\Company\\item.gif\n"), std::string::npos) << imported.out;
    EXPECT_NE(imported.out.find("create\t_KwTemplates\\Blau.kwc\nImported Blau\n"), std::string::npos)
        << imported.out;
    EXPECT_NE(imported.out.find("kwlayout: Das Layout verwendet Bilder, die weder im Paket noch im Portal "
                                "sind: closeall.gif, minus.gif, plus.gif, login.gif.\n"),
              std::string::npos)
        << imported.out;
    EXPECT_EQ(imported.out.find("warning"), std::string::npos) << imported.out;
    EXPECT_EQ(kwlayout(fresh, "list").out, "Aktives Layout\nBlau\n");
    EXPECT_EQ(kwlayout(fresh, "show Blau").out, kwlayout(demo, "show Blau").out);
    // An import is no activation.
    EXPECT_EQ(readFile(fresh / "_KwStyle" / "global.css"), active);
    EXPECT_EQ(kwlayout(fresh, "history").out, history);

    // The active layout travels too, under a name of its own.
    ASSERT_EQ(kwlayout(demo, "export 'Aktives Layout' " + quoted(dir.path() / "aktiv.kwlayout")).status, 0);
    ASSERT_EQ(kwlayout(fresh, "import " + quoted(dir.path() / "aktiv.kwlayout")).status, 0);
    EXPECT_EQ(kwlayout(fresh, "show 'Aktives Layout aus Demo-Portal'").out,
              kwlayout(demo, "show 'Aktives Layout'").out);
}

TEST_F(BundleCommandsTest, QuestionsAreAnsweredByYesOrNoAndNoWritesNothing)
{
    ASSERT_EQ(kwlayout(demo, "export Blau " + quoted(bundle)).status, 0);
    writeFile(fresh / "_KwTemplates" / "Blau.kwc", "mein Blau");
    writeFile(fresh / "Images" / "Company" / "item.gif", "GIF89a mein Bild");
    const Files before = portalFiles(fresh);

    const Result unanswered = kwlayout(fresh, "import " + quoted(bundle));
    EXPECT_EQ(unanswered.status, 3) << unanswered.out;
    EXPECT_NE(unanswered.out.find("Bilder dieses Namens mit anderem Inhalt: item.gif."), std::string::npos)
        << unanswered.out;
    EXPECT_EQ(portalFiles(fresh), before);

    const Result no = run(kwlayoutCommand(fresh, "--no --json import " + quoted(bundle)) + " 2>/dev/null");
    EXPECT_EQ(no.status, 0) << no.out;
    const nlohmann::json declinedJson = nlohmann::json::parse(no.out);
    EXPECT_EQ(declinedJson["written"], false);
    EXPECT_TRUE(std::ranges::count(
        declinedJson["files"],
        nlohmann::json::parse(R"({"path": "Images\\Company\\item.gif", "action": "replace", "size": 60})")))
        << no.out;
    EXPECT_EQ(declinedJson["files"].back()["path"], "_KwTemplates\\Blau.kwc");
    EXPECT_EQ(declinedJson["files"].back()["action"], "replace");
    EXPECT_EQ(declinedJson["unavailable"],
              nlohmann::json::parse(R"(["closeall.gif", "minus.gif", "plus.gif", "login.gif"])"));
    EXPECT_EQ(portalFiles(fresh), before);

    // Declined as a declined activate is: status 0, nothing written, and the way to keep both told.
    const Result declined = kwlayout(fresh, "--no import " + quoted(bundle));
    EXPECT_EQ(declined.status, 0) << declined.out;
    EXPECT_NE(declined.out.find("Nothing was imported; to keep both layouts, import it under another name "
                                "with --as NAME\n"),
              std::string::npos)
        << declined.out;
    EXPECT_EQ(portalFiles(fresh), before);

    const Result yes = kwlayout(fresh, "--yes import " + quoted(bundle));
    EXPECT_EQ(yes.status, 0) << yes.out;
    EXPECT_NE(yes.out.find("Das Layout \"Blau\" gibt es schon. Wollen Sie es ersetzen? -> Ja (--yes)"),
              std::string::npos)
        << yes.out;
    EXPECT_EQ(readFile(fresh / "_KwTemplates" / "Blau.kwc"), readFile(demo / "_KwTemplates" / "Blau.kwc"));
    EXPECT_EQ(readFile(fresh / "Images" / "Company" / "item.gif"),
              readFile(demo / "Images" / "Company" / "item.gif"));

    // Under another name nothing is asked: the pictures are the same now.
    const Result renamed = run(
        kwlayoutCommand(fresh, "import " + quoted(bundle) + " --as 'Blau am Meer' --json") + " 2>/dev/null");
    EXPECT_EQ(renamed.status, 0) << renamed.out;
    const nlohmann::json renamedJson = nlohmann::json::parse(renamed.out);
    EXPECT_EQ(renamedJson["layout"], "Blau am Meer");
    EXPECT_EQ(renamedJson["written"], true);
    EXPECT_NE(renamed.out.find("\"action\": \"keep\""), std::string::npos) << renamed.out;
    EXPECT_TRUE(fs::exists(fresh / "_KwTemplates" / "Blau am Meer.kwc"));

    EXPECT_EQ(kwlayout(fresh, "import " + quoted(bundle) + " --as 'Aktives Layout'").status, 2);
    EXPECT_EQ(kwlayout(fresh, "import " + quoted(bundle) + " --with x").status, 2);
    EXPECT_EQ(kwlayout(demo, "export Nirgends " + quoted(dir.path() / "n.kwlayout")).status, 2);
    EXPECT_FALSE(fs::exists(dir.path() / "n.kwlayout"));
}

TEST_F(BundleCommandsTest, EveryBadBundleIsRefusedNamingTheFileAndTheReasonAndNothingIsWritten)
{
    const Files before = portalFiles(fresh);
    for (const CraftedFault &fault : craftedFaults()) {
        SCOPED_TRACE(fault.name);
        const fs::path file = dir.path() / (fault.name + ".kwlayout");
        const Bytes bytes = fault.craft(demoBundle());
        writeFile(file, std::string(bytes.begin(), bytes.end()));
        const Result refused = kwlayout(fresh, "--yes import " + quoted(file));
        EXPECT_EQ(refused.status, 2) << refused.out;
        EXPECT_NE(refused.out.find("\"" + file.string() + "\" ist kein brauchbares Layout-Paket: "),
                  std::string::npos)
            << refused.out;
        EXPECT_NE(refused.out.find(fault.reason), std::string::npos) << refused.out;
        EXPECT_EQ(portalFiles(fresh), before);
        fs::remove(file);
    }
}

} // namespace
} // namespace kw::test
