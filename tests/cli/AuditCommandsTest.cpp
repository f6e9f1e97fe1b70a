// kwlayout audit and sample-page on a demo portal: lines, summary, exit statuses, pictures, fixes.
#include "KwlayoutRun.h"
#include "TempPortal.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>

namespace kw::test {
namespace {

namespace fs = std::filesystem;

Result kwlayout(const fs::path &portal, const std::string &arguments)
{
    return run(kwlayoutCommand(portal, arguments) + " 2>&1");
}

// The line of a pair in an audit's output, "" when there is none.
std::string lineOf(const std::string &output, const std::string &id)
{
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with(id + "\t"))
            return line;
    return {};
}

// What an audit prints on standard output, read as JSON.
nlohmann::json auditJson(const fs::path &portal, const std::string &arguments)
{
    const Result result = run(kwlayoutCommand(portal, arguments) + " 2>/dev/null");
    return nlohmann::json::parse(result.out);
}

// A demo portal made as a user makes one; `read` and `write` take portal paths with backslashes.
class AuditCommand : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(kwlayout(root(), "portal-init --demo").status, 0); }
    fs::path root() const { return dir.path() / "portal"; }
    fs::path local(std::string serverPath) const
    {
        std::replace(serverPath.begin(), serverPath.end(), '\\', '/');
        return root() / serverPath;
    }
    std::string read(const std::string &serverPath) const { return readFile(local(serverPath)); }
    void write(const std::string &serverPath, const std::string &bytes) const
    {
        writeFile(local(serverPath), bytes);
    }

    TempDir dir;
};

TEST_F(AuditCommand, LinesSummaryAndExitStatuses)
{
    const Result active = kwlayout(root(), "audit 'Aktives Layout'");
    EXPECT_EQ(active.status, 1) << active.out; // the demo's application menu hover colour fails
    const std::string hover = lineOf(active.out, "KwStartNavigate/hover");
    EXPECT_TRUE(hover.starts_with("KwStartNavigate/hover\t#C0392B\t#D6E2EF\t4.14\t4.50\tFAIL\t"
                                  "KwStartNavigate.hoverColor=#"))
        << hover;
    EXPECT_EQ(lineOf(active.out, "KwApplication/text"),
              "KwApplication/text\t#000000\t#FFFFFF\t21.00\t4.50\tpass\t-");
    EXPECT_TRUE(lineOf(active.out, "KwNavigate/subNormal").find("\tnot shown\t-") != std::string::npos);
    EXPECT_NE(active.out.find("58 pairs: 30 pass, 10 FAIL, 18 not shown; AA not met\n"), std::string::npos)
        << active.out;

    // AAA asks more of the same colours.
    const Result aaa = kwlayout(root(), "audit Blau --level AAA");
    EXPECT_EQ(aaa.status, 1);
    EXPECT_NE(lineOf(aaa.out, "KwRootNavigate/normal").find("\t7.16\t7.00\tpass\t"), std::string::npos)
        << aaa.out;

    // Errors: a layout that cannot be loaded, a level that does not exist, a missing name.
    const Result missing = kwlayout(root(), "audit Nirgends");
    EXPECT_EQ(missing.status, 2) << missing.out;
    EXPECT_NE(missing.out.find("Layout"), std::string::npos) << missing.out;
    EXPECT_EQ(kwlayout(root(), "audit Blau --level A").status, 2);
    EXPECT_EQ(kwlayout(root(), "audit --fix").status, 2);

    const Result json = run(kwlayoutCommand(root(), "audit Blau --json") + " 2>/dev/null");
    EXPECT_EQ(json.status, 1);
    const nlohmann::json audit = nlohmann::json::parse(json.out);
    const auto hoverPair = std::ranges::find_if(
        audit["pairs"], [](const nlohmann::json &pair) { return pair["id"] == "KwStartNavigate/hover"; });
    ASSERT_NE(hoverPair, audit["pairs"].end()) << json.out;
    EXPECT_EQ((*hoverPair)["verdict"], "FAIL");
    EXPECT_EQ((*hoverPair)["ratio"], 4.1394) << json.out;
    EXPECT_EQ(audit["summary"],
              nlohmann::json::parse(R"({"pairs": 58, "pass": 30, "fail": 10, "notShown": 18})"));
}

TEST_F(AuditCommand, FixRoundTripOnANamedLayout)
{
    const Result before = kwlayout(root(), "audit Blau");
    ASSERT_EQ(before.status, 1);
    const std::string hover = lineOf(before.out, "KwStartNavigate/hover");
    const std::string proposed = hover.substr(hover.find("KwStartNavigate.hoverColor=") + 27, 7);

    const Result fixed = kwlayout(root(), "audit Blau --fix");
    EXPECT_EQ(fixed.status, 0) << fixed.out;
    EXPECT_NE(fixed.out.find("fixed KwStartNavigate.hoverColor #C0392B -> " + proposed), std::string::npos)
        << fixed.out;
    EXPECT_NE(fixed.out.find("after the fixes: 58 pairs: 40 pass, 0 FAIL, 18 not shown; AA met"),
              std::string::npos)
        << fixed.out;
    EXPECT_NE(kwlayout(root(), "show Blau").out.find("KwStartNavigate.hoverColor=" + proposed),
              std::string::npos);
    EXPECT_EQ(kwlayout(root(), "audit Blau").status, 0);

    // Nothing left: nothing changes, and it says so.
    const std::string file = read("_KwTemplates\\Blau.kwc");
    const Result again = kwlayout(root(), "audit Blau --fix");
    EXPECT_EQ(again.status, 0);
    EXPECT_NE(again.out.find("nothing to fix: every shown pair meets AA; nothing was changed"),
              std::string::npos)
        << again.out;
    EXPECT_EQ(again.out.find("fix "), std::string::npos) << again.out;
    EXPECT_EQ(read("_KwTemplates\\Blau.kwc"), file);
    const nlohmann::json none = auditJson(root(), "audit Blau --fix --json");
    EXPECT_EQ(none["changes"], nlohmann::json::array());
    EXPECT_EQ(none["applied"], false);
    EXPECT_EQ(read("_KwTemplates\\Blau.kwc"), file);
}

TEST_F(AuditCommand, FixingTheActiveLayoutPublishesAfterTheQuestion)
{
    const std::string published = read("_KwStyle\\global.css");
    const Result unanswered = kwlayout(root(), "audit 'Aktives Layout' --fix");
    EXPECT_EQ(unanswered.status, 2) << unanswered.out;
    const Result no = kwlayout(root(), "audit 'Aktives Layout' --fix --no");
    EXPECT_EQ(no.status, 1) << no.out;
    EXPECT_NE(no.out.find("would fix KwStartNavigate.hoverColor #C0392B -> #"), std::string::npos) << no.out;
    EXPECT_EQ(read("_KwStyle\\global.css"), published);

    // JSON lists the planned changes whether or not they are applied.
    const nlohmann::json declined = auditJson(root(), "audit 'Aktives Layout' --fix --no --json");
    ASSERT_FALSE(declined["changes"].empty()) << declined.dump(1);
    EXPECT_EQ(std::ranges::count_if(declined["changes"],
                                    [](const nlohmann::json &change) {
                                        return change["field"] == "KwStartNavigate.hoverColor" &&
                                               change["from"] == "#C0392B";
                                    }),
              1)
        << declined.dump(1);
    EXPECT_EQ(declined["applied"], false);
    EXPECT_EQ(declined["summary"]["fail"], 10);
    EXPECT_EQ(auditJson(root(), "audit 'Aktives Layout' --json")["changes"], declined["changes"]);
    EXPECT_EQ(read("_KwStyle\\global.css"), published);

    // Told on standard error, listed on standard output.
    const fs::path output = dir.path() / "audit.json";
    const Result yes = run(kwlayoutCommand(root(), "audit 'Aktives Layout' --fix --yes --json") + " 2>&1 >'" +
                           output.string() + "'");
    EXPECT_EQ(yes.status, 0) << yes.out;
    EXPECT_NE(yes.out.find("fixed KwStartNavigate.hoverColor #C0392B -> #"), std::string::npos) << yes.out;
    const nlohmann::json applied = nlohmann::json::parse(readFile(output));
    EXPECT_EQ(applied["changes"], declined["changes"]);
    EXPECT_EQ(applied["applied"], true);
    EXPECT_EQ(applied["summary"]["fail"], 0);
    EXPECT_NE(read("_KwStyle\\global.css"), published);
    EXPECT_EQ(kwlayout(root(), "audit 'Aktives Layout'").status, 0);
}

TEST_F(AuditCommand, TextOverAPictureAndAPictureThatCannotBeRead)
{
    // The demo's header picture behind the page header, and bytes that are no picture behind the menu.
    write("Images\\Company\\kaputt.png", "not a picture at all");
    ASSERT_EQ(kwlayout(root(),
                       "set Blau KwRootTop.backgroundImage=header.jpg KwRootTop.backgroundRepeat=repeat "
                       "KwRootNavigate.backgroundImage=kaputt.png")
                  .status,
              0);
    const Result result = kwlayout(root(), "audit Blau");
    const std::string header = lineOf(result.out, "KwRootTop/text");
    EXPECT_NE(header.find("\t#1F3B5C+header.jpg\t"), std::string::npos) << header;
    EXPECT_NE(header.find(" (min "), std::string::npos) << header;
    const std::string menu = lineOf(result.out, "KwRootNavigate/normal");
    EXPECT_NE(menu.find("\t#2E5A88 (Bild nicht lesbar: kaputt.png)\t7.16\t"), std::string::npos) << menu;
}

TEST_F(AuditCommand, SamplePageWritesTheStylesheetsPicturesAndFrames)
{
    ASSERT_EQ(kwlayout(root(), "set Blau KwRootTop.backgroundImage=header.jpg").status, 0);
    TempDir out;
    const Result written = kwlayout(root(), "sample-page Blau '" + out.path().string() + "'");
    ASSERT_EQ(written.status, 0) << written.out;
    EXPECT_NE(written.out.find("index.html"), std::string::npos);
    for (const char *file :
         {"index.html", "css/global.css", "css/menu.css", "css/buttonstyles.css", "css/sample-states.css",
          "frames/KwRootTop.html", "frames/KwApplication.html", "images/company/header.jpg"})
        EXPECT_TRUE(fs::exists(out.path() / file)) << file;
    EXPECT_EQ(readFile(out.path() / "images/company/header.jpg"), read("Images\\Company\\header.jpg"));
    const std::string content = readFile(out.path() / "frames/KwApplication.html");
    EXPECT_NE(content.find("data-pair=\"KwApplication/heading1\""), std::string::npos);
    EXPECT_EQ(content.find("data-pair=\"KwApplication/button."), std::string::npos); // own buttons off
    EXPECT_NE(readFile(out.path() / "frames/KwRootTop.html").find("<body class=\"KwRootTop\""),
              std::string::npos);
    EXPECT_EQ(kwlayout(root(), "sample-page Nirgends '" + out.path().string() + "'").status, 1);

    // A page that cannot be written: the file or folder is named with the reason.
    fs::remove(out.path() / "index.html");
    fs::create_directory(out.path() / "index.html");
    const Result blocked = kwlayout(root(), "sample-page Blau '" + out.path().string() + "'");
    EXPECT_EQ(blocked.status, 1) << blocked.out;
    EXPECT_EQ(blocked.out, "kwlayout: Die Datei " + (out.path() / "index.html").string() +
                               " kann nicht geschrieben werden: Das ist ein Ordner.\n");
    const fs::path inAFile = out.path() / "css" / "global.css" / "page";
    const Result notAFolder = kwlayout(root(), "sample-page Blau '" + inAFile.string() + "'");
    EXPECT_EQ(notAFolder.status, 1) << notAFolder.out;
    EXPECT_EQ(notAFolder.out, "kwlayout: Der Ordner " + (inAFile / "css").string() +
                                  " kann nicht angelegt werden: Ein Teil des Pfads ist kein Ordner.\n");
}

} // namespace
} // namespace kw::test
