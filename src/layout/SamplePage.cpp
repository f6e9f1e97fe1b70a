#include "layout/SamplePage.h"

#include "audit/PairTable.h"
#include "base/SystemErrorText.h"
#include "css/CssDocument.h"
#include "layout/LayoutList.h"
#include "publish/ButtonStylesheet.h"
#include "publish/LayoutStylesheet.h"
#include "publish/MenuStylesheet.h"
#include "server/PortalAccess.h"

#include <cerrno>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>

namespace kw::layout {

namespace {

namespace fs = std::filesystem;

// How one pair shows on the page: the region frame it stands in, its markup ("{a}" takes the sample's id
// and pair, "*" a button style's key) and whether the portal's scripts give its colours (on mouse
// contact, selection, in table rows and entry fields) rather than the stylesheets.
struct Sample {
    std::string_view pair;
    RegionId frame;
    std::string_view markup;
    bool scripted;
};

constexpr Sample kSamples[] = {
    {"KwRootTop/text", RegionId::KwRootTop,
     "<td class=\"KwRootTop\"{a}>Demo-Portal &nbsp; Portal-Benutzer</td>", false},
    {"KwRootNavigate/normal", RegionId::KwRootNavigate,
     "<a class=\"KwRootNavigate\" href=\"#\"{a}>Startseite</a>", false},
    {"KwRootNavigate/selected", RegionId::KwRootNavigate,
     "<a class=\"KwRootNavigate\" href=\"#\"{a}>selektiert</a>", true},
    {"KwRootNavigate/hover", RegionId::KwRootNavigate,
     "<a class=\"KwRootNavigate\" href=\"#\"{a}>Maus auf Text</a>", true},
    {"KwRootNavigate/focus", RegionId::KwRootNavigate,
     "<a class=\"KwRootNavigate\" href=\"#\"{a}>Schaltfläche</a>", true},
    {"KwRootNavigate/click", RegionId::KwRootNavigate,
     "<a class=\"KwRootNavigate\" href=\"#\"{a}>angeklickt</a>", true},
    {"KwNavigateHeader/text", RegionId::KwNavigate, "<th class=\"KwNavigate\"{a}>Submenü</th>", false},
    {"KwNavigate/normal", RegionId::KwNavigate, "<a class=\"KwNavigate\" href=\"#\"{a}>Normal</a>", false},
    {"KwNavigate/selected", RegionId::KwNavigate, "<a class=\"KwNavigate\" href=\"#\"{a}>selektiert</a>",
     true},
    {"KwNavigate/hover", RegionId::KwNavigate, "<a class=\"KwNavigate\" href=\"#\"{a}>Maus auf Text</a>",
     true},
    {"KwNavigate/focus", RegionId::KwNavigate, "<a class=\"KwNavigate\" href=\"#\"{a}>Schaltfläche</a>",
     true},
    {"KwNavigate/click", RegionId::KwNavigate, "<a class=\"KwNavigate\" href=\"#\"{a}>angeklickt</a>", true},
    {"KwNavigate/subNormal", RegionId::KwNavigate,
     "<a class=\"KwNavigateSub\" href=\"#\"{a}>Untereintrag</a>", false},
    {"KwNavigate/subSelected", RegionId::KwNavigate,
     "<a class=\"KwNavigateSub\" href=\"#\"{a}>Untereintrag selektiert</a>", true},
    {"KwNavigate/subHover", RegionId::KwNavigate,
     "<a class=\"KwNavigateSub\" href=\"#\"{a}>Untereintrag mit Maus</a>", true},
    {"KwStartTop/text", RegionId::KwStartTop, "<td class=\"KwStartTop\"{a}>&nbsp; Anwendungstitel</td>",
     false},
    {"KwStartNavigate/selected", RegionId::KwStartNavigate,
     "<a class=\"KwStartNavigate\" href=\"#\"{a}>Favoriten</a>", true},
    {"KwStartNavigate/normal", RegionId::KwStartNavigate,
     "<a class=\"KwStartNavigate\" href=\"#\"{a}>Liste</a>", false},
    {"KwStartNavigate/focus", RegionId::KwStartNavigate,
     "<a class=\"KwStartNavigate\" href=\"#\"{a}>Suche</a>", true},
    {"KwStartNavigate/click", RegionId::KwStartNavigate,
     "<a class=\"KwStartNavigate\" href=\"#\"{a}>Einstellungen</a>", true},
    {"KwStartNavigate/hover", RegionId::KwStartNavigate,
     "<a class=\"KwStartNavigate\" href=\"#\"{a}>Hilfe</a>", true},

    {"KwApplication/portal", RegionId::KwApplication,
     "<table><tr><td class=\"KwPortal\"{a}>Portal-Überschrift</td></tr></table>", false},
    {"KwApplication/welcome", RegionId::KwApplication, "<p{a}>Willkommen im Portal</p>", true},
    {"KwApplication/heading1", RegionId::KwApplication, "<h1{a}>Überschrift 1</h1>", false},
    {"KwApplication/heading2", RegionId::KwApplication, "<h2{a}>Überschrift 2</h2>", false},
    {"KwApplication/heading3", RegionId::KwApplication, "<h3{a}>Überschrift 3</h3>", false},
    {"KwApplication/text", RegionId::KwApplication, "<table><tr><td{a}>Normaler Text</td></tr></table>",
     false},
    {"KwApplication/link", RegionId::KwApplication, "<p><a href=\"#\"{a}>Link</a></p>", false},
    {"KwApplication/linkHover", RegionId::KwApplication, "<p><a href=\"#\"{a}>Link mit Mauskontakt</a></p>",
     true},
    {"KwApplication/mainLink", RegionId::KwApplication,
     "<p><a class=\"KwMainLink\" href=\"#\"{a}>Hervorgehobene Links</a></p>", false},
    {"KwApplication/mainLinkHover", RegionId::KwApplication,
     "<p><a class=\"KwMainLink\" href=\"#\"{a}>Hervorgehobener Link mit Mauskontakt</a></p>", true},
    {"KwApplication/gridTitle", RegionId::KwApplication,
     "<table class=\"KwFirstGridBorder\"><tr class=\"KwGridTitle\"><td "
     "class=\"KwGridTitle\"{a}>Tabellenüberschrift</td></tr></table>",
     false},
    {"KwApplication/gridHeader", RegionId::KwApplication,
     "<table><tr class=\"KwGridHeader\"><th class=\"KwGridHeader\"{a}>Spalte</th></tr></table>", false},
    {"KwApplication/tableHeadLink", RegionId::KwApplication,
     "<table><tr class=\"KwGridHeader\"><th class=\"KwGridHeader\"><a "
     "href=\"#\"{a}>Sortieren</a></th></tr></table>",
     false},
    {"KwApplication/tableHeadHover", RegionId::KwApplication,
     "<table><tr class=\"KwGridHeader\"><th class=\"KwGridHeader\"><a href=\"#\"{a}>mit "
     "Mauskontakt</a></th></tr></table>",
     true},
    {"KwApplication/tableHeadClicked", RegionId::KwApplication,
     "<table><tr class=\"KwGridHeader\"><th class=\"KwGridHeader\"><a "
     "href=\"#\"{a}>selektiert</a></th></tr></table>",
     true},
    {"KwApplication/gridRow1", RegionId::KwApplication,
     "<table><tr><td class=\"KwGridText KwGridEntries\"{a}>Erste Zeile</td></tr></table>", true},
    {"KwApplication/gridRow2", RegionId::KwApplication,
     "<table><tr><td class=\"KwGridText KwGridEntries\"{a}>Zweite Zeile</td></tr></table>", true},
    {"KwApplication/portletHeader", RegionId::KwApplication,
     "<table><tr class=\"KwPortletHeader\"><td class=\"KwPortletHeader\"{a}>Portlet-Kopf</td></tr></table>",
     false},
    {"KwApplication/portletHeaderHover", RegionId::KwApplication,
     "<table><tr class=\"KwPortletHeader\"><td class=\"KwPortletHeader\"><a href=\"#\"{a}>Kopf mit "
     "Mauskontakt</a></td></tr></table>",
     true},
    {"KwApplication/portletHeaderClicked", RegionId::KwApplication,
     "<table><tr class=\"KwPortletHeader\"><td class=\"KwPortletHeader\"><a href=\"#\"{a}>Kopf "
     "angeklickt</a></td></tr></table>",
     true},
    {"KwApplication/portletRow1", RegionId::KwApplication,
     "<table><tr><td class=\"KwPortletText\"{a}>Portlet-Text</td></tr></table>", true},
    {"KwApplication/portletRow2", RegionId::KwApplication,
     "<table><tr><td class=\"KwPortletText\"{a}>Portlet-Text</td></tr></table>", true},
    {"KwApplication/portletLinkRow1", RegionId::KwApplication,
     "<table><tr><td><a class=\"KwPortletText\" href=\"#\"{a}>Portlet-Link</a></td></tr></table>", true},
    {"KwApplication/portletLinkRow2", RegionId::KwApplication,
     "<table><tr><td><a class=\"KwPortletText\" href=\"#\"{a}>Portlet-Link</a></td></tr></table>", true},
    {"KwApplication/portletLinkHoverRow1", RegionId::KwApplication,
     "<table><tr><td><a class=\"KwPortletText\" href=\"#\"{a}>Portlet-Link mit Maus</a></td></tr></table>",
     true},
    {"KwApplication/portletLinkHoverRow2", RegionId::KwApplication,
     "<table><tr><td><a class=\"KwPortletText\" href=\"#\"{a}>Portlet-Link mit Maus</a></td></tr></table>",
     true},
    {"KwApplication/entry", RegionId::KwApplication,
     "<p><input type=\"text\" value=\"Eingabefeld\" aria-label=\"Eingabefeld\"{a}></p>", true},
    {"KwApplication/entrySelection", RegionId::KwApplication, "<p><span{a}>markierter Text</span></p>", true},
    {"KwApplication/button.*", RegionId::KwApplication,
     "<p><input type=\"button\" class=\"*\" value=\"*\"{a}></p>", false},
};

// The region frames, in the order of the page and with the height the preview gives them (0: the rest).
constexpr RegionId kFrames[] = {RegionId::KwRootTop,    RegionId::KwRootNavigate, RegionId::KwPics,
                                RegionId::KwNavigate,   RegionId::KwStartTop,     RegionId::KwStartNavigate,
                                RegionId::KwApplication};

const Sample *sampleOf(const audit::Pair &pair)
{
    const std::string id =
        pair.state.starts_with("button.") ? std::string(regionName(pair.region)) + "/button.*" : pair.id();
    for (const Sample &sample : kSamples)
        if (sample.pair == id)
            return &sample;
    return nullptr;
}

std::string replaceAll(std::string text, std::string_view what, std::string_view with)
{
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

std::string escapeHtml(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Writes one file of the page, its folders first; a failure names the file (or folder) and the reason.
void writeFile(const fs::path &path, std::string_view text)
{
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec)
        throw std::runtime_error("Der Ordner " + path.parent_path().string() +
                                 " kann nicht angelegt werden: " + systemErrorText(ec) + ".");
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        const int error = errno;
        throw std::runtime_error("Die Datei " + path.string() + " kann nicht geschrieben werden" +
                                 (error ? ": " + systemErrorText(error) : std::string()) + ".");
    }
}

std::string generate(const std::function<void(css::CCssElement &)> &build)
{
    css::CCssDocument document;
    document.New();
    build(document.Root());
    return document.GenerateCss();
}

std::string framePage(RegionId region, const LayoutModel &model, const std::string &body)
{
    const std::string_view name = regionName(region);
    // The application page's background is the page's own (BODY) unless it has one of its own.
    const bool ownClass = region != RegionId::KwApplication || model.region(region).useBackgroundImage;
    std::string page = "<!DOCTYPE html>\n<html lang=\"de\"><head><meta charset=\"utf-8\"><title>" +
                       std::string(name) + "</title>\n";
    for (const char *sheet : {"global.css", "menu.css", "buttonstyles.css", "sample-states.css"})
        page += "<link rel=\"stylesheet\" href=\"../css/" + std::string(sheet) + "\">\n";
    page += "</head>\n<body" + (ownClass ? " class=\"" + std::string(name) + "\"" : std::string()) +
            " style=\"margin: 0\">\n" + body + "</body></html>\n";
    return page;
}

std::string frameBody(RegionId region, const std::vector<std::string> &samples)
{
    const std::string name(regionName(region));
    std::string joined;
    if (region == RegionId::KwApplication) {
        for (const std::string &s : samples)
            joined += s + "\n";
        return "<div style=\"padding: 12px 10px\">\n" + joined + "</div>\n";
    }
    if (region == RegionId::KwNavigate) {
        // The heading (a table head cell) above the entries, one a line.
        std::string heading, entries;
        for (const std::string &s : samples)
            (s.starts_with("<th") ? heading : entries) += s + (s.starts_with("<th") ? "" : "<br>\n");
        return "<table class=\"KwNavigate\" style=\"width: 100%\">" +
               (heading.empty() ? std::string() : "<tr>" + heading + "</tr>") +
               "<tr><td class=\"KwNavigate\">\n" + entries + "</td></tr></table>\n";
    }
    // Between menu entries the separator, in the entries' normal colour.
    const std::string separator = " <span data-pair=\"" + name + "/normal\">|</span> ";
    for (std::size_t i = 0; i < samples.size(); ++i)
        joined += (i ? separator : "") + samples[i];
    if (!joined.starts_with("<td"))
        joined = "<td class=\"" + name + "\">" + joined + "</td>";
    return "<table class=\"" + name + "\" style=\"width: 100%; height: 100%\"><tr class=\"" + name + "\">" +
           joined + "</tr></table>\n";
}

std::string indexPage(const LayoutDocument &document, const std::set<RegionId> &shownFrames)
{
    const PaneSwitches &sw = document.model().switches(Pane::ApplicationPages);
    auto frame = [&](RegionId region, const std::string &height) -> std::string {
        if (!shownFrames.count(region))
            return {};
        const std::string name(regionName(region));
        return "<iframe title=\"" + name + "\" src=\"frames/" + name + ".html\" style=\"" + height +
               "\"></iframe>\n";
    };
    const std::string column = "<div class=\"column\">\n" + frame(RegionId::KwPics, "height: 55px") +
                               frame(RegionId::KwNavigate, "flex: 1") + "</div>\n";
    const std::string content = "<div class=\"content\">\n" + frame(RegionId::KwStartTop, "height: 23px") +
                                frame(RegionId::KwStartNavigate, "height: 23px") +
                                frame(RegionId::KwApplication, "flex: 1") + "</div>\n";
    return "<!DOCTYPE html>\n<html lang=\"de\"><head><meta charset=\"utf-8\"><title>" +
           escapeHtml(document.layoutLabel()) +
           "</title>\n<style>\nhtml, body { margin: 0; height: 100%; }\n"
           "body { display: flex; flex-direction: column; }\n"
           "iframe { border: 0; display: block; width: 100%; }\n"
           ".main { flex: 1; display: flex; flex-direction: " +
           std::string(sw.menuRight ? "row-reverse" : "row") +
           "; }\n.column { width: 150px; display: flex; flex-direction: column; }\n"
           ".content { flex: 1; display: flex; flex-direction: column; }\n</style></head>\n<body>\n" +
           frame(RegionId::KwRootTop, "height: 23px") + frame(RegionId::KwRootNavigate, "height: 23px") +
           "<div class=\"main\">\n" + column + content + "</div>\n</body></html>\n";
}

// The pictures the published stylesheets name.
std::set<std::string> namedPictures(const LayoutModel &model)
{
    std::set<std::string> names;
    for (RegionId id : kAllRegions)
        if (!model.region(id).backgroundImage.empty())
            names.insert(model.region(id).backgroundImage);
    for (const ButtonStyle &style : model.buttons().styles())
        if (!style.backgroundImage.empty())
            names.insert(style.backgroundImage);
    return names;
}

} // namespace

std::string sampleId(std::string_view pairId)
{
    std::string id(pairId);
    for (char &c : id)
        if (c == '/' || c == '.')
            c = '-';
    return id;
}

fs::path writeSamplePage(const LayoutDocument &document, const server::Environment &env,
                         const fs::path &folder)
{
    LayoutModel model = document.model(); // writing the layout tree may fill in a font
    const audit::AuditSwitches switches{document.flags().buttonStylesLoaded};

    // The stylesheets as the activation would publish them.
    publish::LayoutTreeOptions options;
    options.active = true;
    options.entryStyleFromCss = document.flags().entryStyleFromCss;
    options.buttonStylesLoaded = document.flags().buttonStylesLoaded;
    writeFile(folder / "css" / "global.css",
              generate([&](css::CCssElement &root) { publish::buildLayoutTree(model, options, root); }));
    writeFile(folder / "css" / "menu.css", generate([&](css::CCssElement &root) {
                  publish::buildMenuTree(model, options.entryStyleFromCss, root, {});
              }));
    writeFile(folder / "css" / "buttonstyles.css", generate([&](css::CCssElement &root) {
                  publish::buildButtonStylesheet(model.buttons(), options.buttonStylesLoaded, root);
              }));

    // Every shown pair's sample in its frame; the scripted colours in a stylesheet of their own.
    std::map<RegionId, std::vector<std::string>> frames;
    std::string states = "/* The colours the portal's scripts give on mouse contact, on selection, to table "
                         "rows and to entry fields. */\n";
    for (const audit::Pair &pair : audit::layoutPairs(model)) {
        const Sample *sample = sampleOf(pair);
        if (!sample || !audit::isShown(pair, model, switches))
            continue;
        const std::string id = sampleId(pair.id());
        std::string markup = replaceAll(std::string(sample->markup), "{a}",
                                        " id=\"" + id + "\" data-pair=\"" + escapeHtml(pair.id()) + "\"");
        if (pair.state.starts_with("button.")) {
            const std::string key = pair.state.substr(7);
            markup = replaceAll(markup, "class=\"*\"", "class=\"" + key + "\"");
            const ButtonStyle *style = model.buttons().find(key);
            markup = replaceAll(markup, "*",
                                escapeHtml(style && !style->denotation.empty() ? style->denotation : key));
        }
        frames[sample->frame].push_back(markup);
        if (sample->scripted)
            states +=
                "#" + id + " { color: " + formatColor(audit::colorField(model, pair.foreground).value_or(0)) +
                "; background-color: " + formatColor(audit::colorField(model, pair.background).value_or(0)) +
                "; }\n";
    }
    writeFile(folder / "css" / "sample-states.css", states);

    // The frames the preview shows with the switches as they are.
    const PaneSwitches &sw = model.switches(Pane::ApplicationPages);
    std::set<RegionId> shown;
    for (RegionId region : kFrames) {
        if ((region == RegionId::KwRootTop && !sw.showInfoBar) ||
            (region == RegionId::KwRootNavigate && sw.useTreeMenu) ||
            (region == RegionId::KwPics && !sw.showPicture) ||
            (region == RegionId::KwStartTop && !sw.showAppInfoBar))
            continue;
        shown.insert(region);
        writeFile(folder / "frames" / (std::string(regionName(region)) + ".html"),
                  framePage(region, model, frameBody(region, frames[region])));
    }

    // The pictures, from the portal's Images\Company; a picture that is not there is left out.
    const std::set<std::string> pictures = namedPictures(model);
    if (!pictures.empty() && env.factory) {
        server::PortalConnection connection(*env.factory, env.session);
        server::Ref<server::IServerFolder> images = connection.folder(server::folders::CompanyImages);
        for (const std::string &name : pictures) {
            if (!images->HasFile(name))
                continue;
            const server::Bytes bytes = images->GetFile(name, server::ModeRead)->GetBytes();
            writeFile(folder / "images" / "company" / name,
                      std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
        }
    }
    const fs::path index = folder / "index.html";
    writeFile(index, indexPage(document, shown));
    return index;
}

} // namespace kw::layout
