#include "portalsettings/PortalStartPage.h"

#include "base/ScriptLiteral.h"
#include "base/Values.h"
#include "portalsettings/MainMenu.h"
#include "server/PortalAccess.h"

#include <array>
#include <optional>
#include <utility>

namespace kw::portalsettings {

namespace {

/// The fixed addresses of choices 0 and 1, by choice.
constexpr std::array<std::string_view, 2> kFixedAddresses = {
    "KwApplications/KwArea/KwPortlets.asp",
    "KwApplications/KwArea/KwCustomMenu.asp",
};

/// The script's variables, in the order they are read and written.
struct ScriptVariable {
    std::string_view name;
    StartPageTarget StartPageValues::*target;
};
constexpr std::array<ScriptVariable, 2> kVariables = {{
    {"l_strAnoTarget", &StartPageValues::anonymous},
    {"l_strMainTarget", &StartPageValues::main},
}};

bool isBareFileName(std::string_view page)
{
    return page.find_first_of("/\\") == std::string_view::npos;
}

/// Where the "=" after the variable stands; nothing when the variable or its "=" is missing.
std::optional<std::size_t> equalsOf(std::string_view text, std::string_view name)
{
    const std::size_t at = findOutsideStrings(text, name);
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::size_t equals = text.find('=', at + name.size());
    if (equals == std::string_view::npos)
        return std::nullopt;
    return equals;
}

} // namespace

std::string startPageAddress(const StartPageTarget &target)
{
    if (target.choice == StandardStartPage || target.choice == CustomPageContent)
        return std::string(kFixedAddresses[static_cast<std::size_t>(target.choice)]);
    if (isBareFileName(target.page))
        return std::string(kStartPagePrefix) + target.page;
    return target.page;
}

StartPageTarget classifyStartPageAddress(std::string_view address)
{
    for (std::size_t choice = 0; choice < kFixedAddresses.size(); ++choice)
        if (equalsIgnoringCase(address, kFixedAddresses[choice]))
            return {static_cast<int>(choice), {}};
    // Only a page directly in the folder loses the prefix: it is written with it again. A page in a
    // sub-folder keeps its whole path, as a page with a slash is written as it stands.
    const std::string_view head = address.substr(0, kStartPagePrefix.size());
    if (equalsIgnoringCase(head, kStartPagePrefix) && isBareFileName(address.substr(kStartPagePrefix.size())))
        address.remove_prefix(kStartPagePrefix.size());
    return {AlternativeStartPage, std::string(address)};
}

std::string composeStartPageScript(const StartPageValues &values)
{
    std::string text = "<%\r\n";
    for (const ScriptVariable &variable : kVariables) {
        text += variable.name;
        text += " = " + scriptString(startPageAddress(values.*variable.target), ScriptBlock::Asp) + "\r\n";
    }
    return text + "%>\r\n";
}

StartPageValues parseStartPageScript(std::string_view text)
{
    StartPageValues values;
    // Without the anonymous visitors' variable the file is not taken at all.
    if (!equalsOf(text, kVariables[0].name))
        return values;
    for (const ScriptVariable &variable : kVariables) {
        const std::optional<std::size_t> equals = equalsOf(text, variable.name);
        if (!equals)
            continue;
        if (const std::optional<std::string> address = readScriptStringAfter(text, *equals + 1))
            values.*variable.target = classifyStartPageAddress(*address);
    }
    return values;
}

std::string proposedListFile(const std::string &page)
{
    return isBareFileName(page) ? page : std::string();
}

PortalStartPage::PortalStartPage(server::Environment env, Prompter &prompter)
    : m_env(std::move(env)), m_prompter(prompter)
{
}

bool PortalStartPage::read()
{
    try {
        const server::PortalConnection connection(*m_env.factory, m_env.session);
        const std::string text =
            server::readTextFile(*connection.folder(server::folders::CompanySettings), kStartPageScript);
        controls = parseStartPageScript(text);
        return true;
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::StartPageNotRead, error);
        return false;
    }
}

void PortalStartPage::updatePageContentRecord()
{
    server::Ref<server::IRights> rights = server::createObject<server::IRights>(*m_env.factory);
    rights->RightsInit(m_env.session, 1);
    const bool wanted =
        controls.anonymous.choice == CustomPageContent || controls.main.choice == CustomPageContent;
    bool changed = false;
    // The look and the change in one transaction, so that two administrators at once make one record.
    m_env.session->RunAsOneTransaction([&] {
        const bool held = rights->RightsHas(kStartPageContentId, kStartPageContentKind);
        changed = wanted != held;
        if (wanted && !held)
            rights->RightsCreate(kStartPageContentId, kStartPageContentKind, 0)->RecordCommit();
        else if (!wanted && held)
            rights->RightsRemove(kStartPageContentId, kStartPageContentKind);
    });
    // The record belongs to the main menu's entry 31: a main-menu editor that opened this dialog takes the
    // change for its own (MainMenuEditor::adoptOwnChange).
    m_menuChanged = m_menuChanged || changed;
}

PortalStartPage::Outcome PortalStartPage::accept()
{
    if (!m_changed)
        return Outcome::Unchanged;
    for (const ScriptVariable &variable : kVariables)
        if (const std::optional<std::string> refusal =
                scriptTextRefusal(startPageAddress(controls.*variable.target))) {
            m_prompter.tell(*refusal);
            return Outcome::Refused;
        }
    if (m_prompter.ask(StringId::AskChangeStartPages) != Prompter::Answer::Yes)
        return Outcome::Declined;
    try {
        updatePageContentRecord();
        const server::PortalConnection connection(*m_env.factory, m_env.session);
        server::writeTextFile(*connection.folder(server::folders::CompanySettings), kStartPageScript,
                              composeStartPageScript(controls), server::ModeCreateWrite);
        m_changed = false;
        return Outcome::Written;
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::StartPageNotWritten, error);
        return Outcome::Failed;
    }
}

} // namespace kw::portalsettings
