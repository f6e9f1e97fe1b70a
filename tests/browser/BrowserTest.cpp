// The published stylesheets in a real browser: headless Chromium loads a portal-like page with
// global.css, menu.css and buttonstyles.css and reports the computed styles of a handful of elements.
#include "layout/LayoutDocument.h"
#include "layout/LayoutValues.h"

#include "HeadlessChromium.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace kw::layout {
namespace {

using test::kChromium;

constexpr const char *kPage = R"(<!DOCTYPE html>
<html><head>
<link rel="stylesheet" href="global.css">
<link rel="stylesheet" href="menu.css">
<link rel="stylesheet" href="buttonstyles.css">
<link rel="stylesheet" href="after-settings.css">
</head><body>
<table><tr><td class="KwPortal" id="portal">Portal</td><td id="cell">Zelle</td></tr>
<tr><th id="heading3">Kopf</th></tr></table>
<a class="KwNavigate" href="#x" id="navlink">Eintrag</a>
<a class="KwPortletText" href="#y" id="portletlink">Portlet</a>
<input class="KwButton" type="button" id="button" value="OK">
<h1 id="h1">Eins</h1><h2 id="h2">Zwei</h2>
<div class="Appearance" id="settings">Einstellung</div>
<div class="probe" id="probe">Probe</div>
<pre id="result"></pre>
<script>
const lines = [];
function probe(id, property) {
  lines.push(id + '.' + property + '=' + getComputedStyle(document.getElementById(id)).getPropertyValue(property));
}
probe('portal', 'background-color');
probe('portal', 'color');
probe('cell', 'font-size');
probe('heading3', 'font-size');
probe('navlink', 'color');
probe('navlink', 'text-decoration-line');
probe('portletlink', 'color');
probe('button', 'border-top-color');
probe('button', 'border-bottom-color');
probe('button', 'height');
probe('h1', 'font-size');
probe('h1', 'color');
probe('h2', 'font-weight');
probe('settings', 'color');
probe('probe', 'color');
lines.push('body.color=' + getComputedStyle(document.body).getPropertyValue('color'));
document.getElementById('result').textContent = lines.join('\n');
</script>
</body></html>
)";

std::map<std::string, std::string> computedStyles(const std::filesystem::path &page)
{
    std::map<std::string, std::string> values;
    std::istringstream lines(test::pageResult(page));
    for (std::string line; std::getline(lines, line);)
        if (const auto eq = line.find('='); eq != std::string::npos)
            values[line.substr(0, eq)] = line.substr(eq + 1);
    return values;
}

TEST(BrowserTest, PublishedStylesheetsApplyAsTheModelSays)
{
    ASSERT_TRUE(std::filesystem::exists(kChromium))
        << "Chromium is needed (scripts/install-deps.sh installs it)";
    test::TempPortal portal;
    test::ScriptedPrompter prompter;
    NoLayoutChooser chooser;
    NoWaitIndicator wait;
    LayoutDocument document(portal.env(), prompter, chooser, wait);
    const std::pair<const char *, const char *> values[] = {
        {"page.portalBackgroundColor", "#112233"},
        {"page.portalTextColor", "#FEDCBA"},
        {"KwApplication.fontSize", "14"},
        {"page.heading3Size", "15"},
        {"KwNavigate.textColor", "#223344"},
        {"page.portletLinkColor", "#334455"},
        {"button.KwButton.borderTopLeftColor", "#445566"},
        {"button.KwButton.borderBottomRightColor", "#556677"},
        {"button.KwButton.height", "31"},
        {"page.heading1Size", "23"},
        {"page.heading1Color", "#667788"},
        {"page.heading2Weight", "300"},
        {"KwApplication.textColor", "#0A0B0C"},
        {"doc.buttonStylesLoaded", "true"}};
    for (const auto &[key, value] : values)
        setLayoutValue(document.model(), document.flags(), key, value);
    document.setName("global.css");
    document.saveLayout(false);
    ASSERT_TRUE(prompter.errorIds().empty()) << prompter.describe();

    // A rule after the settings blocks must still apply.
    portal.write("_KwStyle/after-settings.css",
                 portal.read("_KwStyle/global.css") + "\r\n.probe { color: #123456; }\r\n");
    portal.write("_KwStyle/probe.html", kPage);
    const auto styles = computedStyles(portal.local("_KwStyle/probe.html"));
    ASSERT_FALSE(styles.empty()) << "Chromium reported nothing";

    const std::pair<const char *, const char *> expected[] = {
        {"portal.background-color", "rgb(17, 34, 51)"}, // TD.KwPortal (class selector)
        {"portal.color", "rgb(254, 220, 186)"},
        {"cell.font-size", "14px"},           // TD (tag selector)
        {"heading3.font-size", "15px"},       // TH
        {"navlink.color", "rgb(34, 51, 68)"}, // A.KwNavigate:link (pseudo-class)
        {"navlink.text-decoration-line", "none"},
        {"portletlink.color", "rgb(51, 68, 85)"},        // A.KwPortletText:link
        {"button.border-top-color", "rgb(68, 85, 102)"}, // INPUT.KwButton from buttonstyles.css
        {"button.border-bottom-color", "rgb(85, 102, 119)"},
        {"button.height", "31px"},
        {"h1.font-size", "23px"},
        {"h1.color", "rgb(102, 119, 136)"},
        {"h2.font-weight", "300"},
        {"settings.color", "rgb(10, 11, 12)"}, // the settings block styles nothing: the body's colour
        {"probe.color", "rgb(18, 52, 86)"},    // and hides no rule after it
        {"body.color", "rgb(10, 11, 12)"},
    };
    for (const auto &[key, value] : expected) {
        const auto it = styles.find(key);
        ASSERT_NE(it, styles.end()) << key;
        EXPECT_EQ(it->second, value) << key;
    }
}

} // namespace
} // namespace kw::layout
