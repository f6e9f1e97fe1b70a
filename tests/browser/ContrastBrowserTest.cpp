// The contrast audit checked by independent tools: the layout's sample page rendered in headless Chromium
// with axe-core (installed from the npm registry by this test's setup). Every pair axe-core's
// color-contrast rule reports is failing in our audit too, and our ratios agree with the colours Chromium
// computes for the samples.
#include "audit/Audit.h"
#include "demo/DemoPortal.h"
#include "layout/LayoutDocument.h"
#include "layout/LayoutValues.h"
#include "layout/SamplePage.h"

#include "HeadlessChromium.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace kw::layout {
namespace {

namespace fs = std::filesystem;

using kw::test::kChromium;
const fs::path kAxe = fs::path(KW_BINARY_DIR) / "axe";
const fs::path kAxeScript = kAxe / "node_modules" / "axe-core" / "axe.min.js";

// Runs axe-core's color-contrast rule on a frame of the sample page and reports, one a line, the pairs it
// finds failing ("axe-fail=ID") and each sample's computed text colour and the first background colour
// behind it ("color ID=rgb(...)|rgb(...)").
constexpr const char *kHarness = R"(<script src="AXE"></script><script>
(async () => {
  const lines = [];
  try {
    const result = await axe.run(document, {runOnly: {type: 'rule', values: ['color-contrast']},
                                            resultTypes: ['violations']});
    for (const violation of result.violations)
      for (const node of violation.nodes) {
        const element = document.querySelector(node.target[0]);
        const sample = element && element.closest('[data-pair]');
        lines.push('axe-fail=' + (sample ? sample.dataset.pair : node.target.join(' ')));
      }
  } catch (error) {
    lines.push('error=' + error);
  }
  for (const element of document.querySelectorAll('[data-pair]')) {
    let background = 'rgb(255, 255, 255)';
    for (let e = element; e; e = e.parentElement) {
      const b = getComputedStyle(e).backgroundColor;
      if (b !== 'rgba(0, 0, 0, 0)' && b !== 'transparent') { background = b; break; }
    }
    lines.push('color ' + element.dataset.pair + '=' + getComputedStyle(element).color + '|' + background);
  }
  lines.push('done');
  document.getElementById('result').textContent = lines.join('\n');
})();
</script><pre id="result"></pre>)";

std::vector<std::string> checkFrame(const fs::path &frame)
{
    std::string page = kw::test::readFile(frame);
    std::string harness = kHarness;
    harness.replace(harness.find("AXE"), 3, "file://" + kAxeScript.string());
    page.replace(page.rfind("</body>"), 7, harness + "</body>");
    const fs::path probe = frame.parent_path() / (frame.stem().string() + ".probe.html");
    std::ofstream(probe, std::ios::binary) << page;
    std::istringstream text(kw::test::pageResult(probe, 15000));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

std::optional<Color> parseRgb(const std::string &css)
{
    static const std::regex pattern(R"(rgb\((\d+), (\d+), (\d+)\))");
    std::smatch match;
    if (!std::regex_match(css, match, pattern))
        return std::nullopt;
    return rgb(std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3]));
}

class ContrastBrowser : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The test's own setup brings axe-core; nothing of the product needs it.
        const std::string script = std::string(KW_SOURCE_DIR) + "/tests/browser/install-axe-core.sh";
        ASSERT_EQ(std::system(("bash '" + script + "' '" + kAxe.string() + "'").c_str()), 0)
            << "axe-core could not be installed from the npm registry";
    }
};

TEST_F(ContrastBrowser, AxeCoreAndTheAuditAgreeOnTheSamplePage)
{
    ASSERT_TRUE(fs::exists(kChromium)) << "Chromium is needed (scripts/install-deps.sh installs it)";
    ASSERT_TRUE(fs::exists(kAxeScript));
    kw::test::TempDir dir;
    demo::createDemoPortal(dir.path() / "portal");
    server::Environment env = server::LocalPortal::open(dir.path() / "portal");
    kw::test::ScriptedPrompter prompter;
    NoLayoutChooser chooser;
    NoWaitIndicator wait;
    LayoutDocument document(env, prompter, chooser, wait);
    ASSERT_TRUE(document.openLayout("Blau.kwc"));
    // Failing pairs whose colours come from the stylesheets (menu links, page text, a heading, buttons)
    // beside those the portal's scripts colour, and passing ones of every kind.
    for (const auto &[key, value] : std::initializer_list<std::pair<const char *, const char *>>{
             {"KwRootNavigate.textColor", "#7A8AA0"},
             {"KwApplication.textColor", "#9A9A9A"},
             {"page.heading2Color", "#B0B0B0"},
             {"switch.useTreeMenu", "false"},
             {"doc.buttonStylesLoaded", "true"},
             {"button.KwButtonDelete.textColor", "#C8C8C8"}})
        setLayoutValue(document.model(), document.flags(), key, value);

    const audit::AuditResult audit =
        audit::runAudit(document.model(), {document.flags().buttonStylesLoaded}, audit::Level::AA);
    std::map<std::string, const audit::PairResult *> ours;
    for (const audit::PairResult &pair : audit.pairs)
        ours[pair.pair.id()] = &pair;

    const fs::path page = dir.path() / "page";
    writeSamplePage(document, env, page);
    std::set<std::string> axeFailures;
    std::set<std::string> compared;
    for (const auto &entry : fs::directory_iterator(page / "frames")) {
        if (entry.path().string().ends_with(".probe.html"))
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const std::vector<std::string> lines = checkFrame(entry.path());
        ASSERT_FALSE(lines.empty() || lines.back() != "done") << "Chromium reported nothing";
        for (const std::string &line : lines) {
            if (line == "done")
                continue;
            ASSERT_FALSE(line.starts_with("error=")) << line;
            if (line.starts_with("axe-fail=")) {
                const std::string id = line.substr(9);
                axeFailures.insert(id);
                ASSERT_TRUE(ours.count(id)) << "axe-core failed something that is no sample: " << id;
                EXPECT_EQ(ours[id]->verdict, audit::Verdict::Fail)
                    << id << " fails in axe-core but is " << audit::formatLine(*ours[id]);
                continue;
            }
            // "color ID=rgb(...)|rgb(...)": the colours Chromium computed from our stylesheets.
            const auto eq = line.find('=');
            const auto bar = line.find('|');
            ASSERT_TRUE(line.starts_with("color ") && eq != std::string::npos && bar != std::string::npos)
                << line;
            const std::string id = line.substr(6, eq - 6);
            const auto fg = parseRgb(line.substr(eq + 1, bar - eq - 1));
            const auto bg = parseRgb(line.substr(bar + 1));
            ASSERT_TRUE(ours.count(id) && fg && bg) << line;
            const audit::PairResult &pair = *ours[id];
            EXPECT_EQ(formatColor(*fg), formatColor(pair.foreground)) << id;
            EXPECT_EQ(formatColor(*bg), formatColor(pair.background)) << id;
            EXPECT_NEAR(audit::contrastRatio(*fg, *bg), pair.ratio, 1e-9) << id;
            compared.insert(id);
        }
    }
    // The test saw what it is about: the samples of every shown pair, and the failures of both kinds.
    EXPECT_EQ(static_cast<int>(compared.size()),
              static_cast<int>(audit.pairs.size()) - audit.count(audit::Verdict::NotShown));
    for (const char *id :
         {"KwRootNavigate/normal", "KwApplication/text", "KwApplication/heading2",
          "KwApplication/button.KwButtonDelete", "KwStartNavigate/hover", "KwApplication/tableHeadLink"})
        EXPECT_TRUE(axeFailures.count(id)) << id << " is not among axe-core's failures";
}

} // namespace
} // namespace kw::layout
