#include "demo/DemoPortal.h"

#include "base/StringTable.h"

#include "layout/LayoutDocument.h"
#include "layout/LayoutValues.h"
#include "publish/CompanyScripts.h"
#include "server/PortalAccess.h"
#include "server/PortalStore.h"

#include <iostream>
#include <span>
#include <string_view>

namespace kw::demo {

namespace {

constexpr std::string_view kPictures[] = {
    "backgrnd_CornerImage.gif", "logo.png", "header.jpg",   "bullet_big.gif",
    "bullet_small.gif",         "item.gif", "separator.gif"};

// Writing the demo layouts asks nothing; any error makes the whole setup fail.
class SilentPrompter final : public Prompter {
public:
    void tell(std::string_view message) override { m_messages += std::string(message) + "\n"; }
    Answer ask(std::string_view) override { return Answer::No; }
    void showExtendedError(StringId message, const ServerError &error) override
    {
        m_messages += std::string(loadString(message)) + " " + error.what() + "\n";
        m_failed = true;
    }
    bool failed() const { return m_failed; }
    const std::string &messages() const { return m_messages; }

private:
    std::string m_messages;
    bool m_failed = false;
};

struct Assignment {
    std::string_view key, value;
};

// A calm blue portal: the active layout.
constexpr Assignment kActiveLayout[] = {
    {"KwRootTop.backgroundColor", "#1F3B5C"},
    {"KwRootTop.textColor", "#FFFFFF"},
    {"KwRootNavigate.backgroundColor", "#2E5A88"},
    {"KwRootNavigate.textColor", "#FFFFFF"},
    {"KwRootNavigate.hoverColor", "#FFD966"},
    {"KwRootNavigate.selectedColor", "#FFFFFF"},
    {"KwRootNavigate.separatorImage", "separator.gif"},
    {"KwNavigateHeader.backgroundColor", "#2E5A88"},
    {"KwNavigate.backgroundColor", "#E8EEF5"},
    {"KwNavigate.textColor", "#1F3B5C"},
    {"KwNavigate.hoverColor", "#C0392B"},
    {"KwNavigate.selectedColor", "#2E5A88"},
    {"KwNavigate.itemImage", "item.gif"},
    {"KwStartTop.backgroundColor", "#1F3B5C"},
    {"KwStartTop.textColor", "#FFFFFF"},
    {"KwStartNavigate.backgroundColor", "#D6E2EF"},
    {"KwStartNavigate.textColor", "#1F3B5C"},
    {"KwStartNavigate.hoverColor", "#C0392B"},
    {"KwStartNavigate.selectedColor", "#2E5A88"},
    {"KwApplication.backgroundColor", "#FFFFFF"},
    {"page.linkColor", "#2E5A88"},
    {"page.linkHoverColor", "#C0392B"},
    {"page.heading1Color", "#1F3B5C"},
    {"page.heading2Color", "#2E5A88"},
    {"page.bulletBigPath", "bullet_big.gif"},
    {"page.bulletSmallPath", "bullet_small.gif"},
    {"page.portalBackgroundColor", "#2E5A88"},
    {"page.portalTextColor", "#FFFFFF"},
    {"switch.showInfoBar", "true"},
    {"switch.showLogo", "true"},
    {"switch.showWelcome", "true"},
    {"switch.showAppInfoBar", "true"},
    {"switch.showPicture", "true"},
    {"switch.enableGlobalSearch", "true"},
};

// Two stored layouts beside it.
constexpr Assignment kAutumnLayout[] = {
    {"KwRootTop.backgroundColor", "#7A3E12"},
    {"KwRootNavigate.backgroundColor", "#B5651D"},
    {"KwRootNavigate.textColor", "#FFFFFF"},
    {"KwNavigateHeader.backgroundColor", "#B5651D"},
    {"KwNavigate.backgroundColor", "#FBEEDC"},
    {"KwApplication.backgroundColor", "#FFFDF8"},
    {"page.linkColor", "#B5651D"},
    {"page.heading1Color", "#7A3E12"},
    {"switch.showInfoBar", "true"},
    {"switch.showPicture", "true"},
};
constexpr Assignment kTreeMenuLayout[] = {
    {"KwRootTop.backgroundColor", "#2D4A2B"},
    {"KwNavigate.backgroundColor", "#EEF4EC"},
    {"KwNavigateHeader.backgroundColor", "#4F7D4B"},
    {"switch.useTreeMenu", "true"},
    {"switch.menuRight", "true"},
    {"switch.showInfoBar", "true"},
};

void writeLayout(layout::LayoutDocument &document, std::span<const Assignment> values,
                 const std::string &file)
{
    document.setNew(false);
    document.setName("");
    document.load();
    // Switches belong to the panes and survive loading; each demo layout starts from none.
    for (layout::Pane pane : {layout::Pane::StartPage, layout::Pane::ApplicationPages})
        document.model().switches(pane) = layout::PaneSwitches{};
    layout::giveNewLayoutPictures(document.model());
    for (const Assignment &a : values)
        layout::setLayoutValue(document.model(), document.flags(), a.key, a.value);
    document.setName(file);
    document.save(false);
}

} // namespace

void publishInitialLayout(const std::filesystem::path &folder)
{
    server::Environment env = server::LocalPortal::open(folder);
    SilentPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document(env, prompter, chooser, wait);
    document.setName("global.css");
    document.save(false);
    if (prompter.failed())
        throw ServerError(ServerError::Fail,
                          "Das aktive Layout konnte nicht geschrieben werden: " + prompter.messages());
}

void fillDemoPortal(const std::filesystem::path &folder)
{
    server::addDemoData(folder);
    server::Environment env = server::LocalPortal::open(folder);
    server::PortalConnection connection(*env.factory, env.session);
    server::Ref<server::IServerFolder> images = connection.folder(server::folders::CompanyImages);
    for (const std::string_view name : kPictures) {
        const auto bytes = picture(name);
        images->GetFile(std::string(name), server::ModeCreateWrite)
            ->PutBytes(server::Bytes(bytes.begin(), bytes.end()));
    }
    server::writeTextFile(*connection.folder(server::folders::Style), "MainLogo.asp",
                          publish::makeMainLogo("logo.png"));

    SilentPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document(env, prompter, chooser, wait);
    writeLayout(document, kAutumnLayout, "Herbst.kwc");
    writeLayout(document, kTreeMenuLayout, "Baummenue.kwc");
    writeLayout(document, kActiveLayout, "Blau.kwc");
    document.setName("global.css");
    document.save(false);
    if (prompter.failed())
        throw ServerError(ServerError::Fail,
                          "Die Layouts des Demo-Portals konnten nicht geschrieben werden: " +
                              prompter.messages());
}

void createDemoPortal(const std::filesystem::path &folder)
{
    server::createPortalStore(folder, {"Demo-Portal", false, {}});
    fillDemoPortal(folder);
}

} // namespace kw::demo
