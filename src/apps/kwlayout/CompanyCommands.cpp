// `kwlayout welcome` and `kwlayout logo`: the start page's welcome texts and company logo, on the same core
// as the start page's welcome text sheet and logo chooser.
#include "CliInteraction.h"
#include "Commands.h"

#include "base/ScriptLiteral.h"
#include "base/ServerError.h"
#include "image/ImageType.h"
#include "layout/CompanySettings.h"
#include "portalsettings/LanguageTexts.h"
#include "server/PortalAccess.h"

#include <charconv>
#include <iostream>
#include <ostream>
#include <stdexcept>

namespace kw::cli {

namespace {

/// The text on one line: line breaks and backslashes escaped.
std::string oneLine(std::string_view text)
{
    std::string line;
    for (const char ch : text) {
        if (ch == '\\')
            line += "\\\\";
        else if (ch == '\n')
            line += "\\n";
        else if (ch != '\r')
            line += ch;
    }
    return line;
}

std::int32_t parseLanguage(const std::string &text, const std::vector<portalsettings::Language> &languages)
{
    std::int32_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument("--language needs a language id, not \"" + text + "\"");
    for (const portalsettings::Language &language : languages)
        if (language.id == id)
            return id;
    throw std::invalid_argument("the portal has no language " + text);
}

/// The company settings as the start page reads them; a server error was told and fails the command. A
/// command that only shows them leaves a literal welcome.asp as it is and says so.
layout::CompanySettings readCompany(server::Environment &env, CliPrompter &prompter,
                                    std::int32_t &defaultLanguage, bool onlyShown)
{
    layout::CompanySettings company;
    if (layout::readCompanySettings(env, company, defaultLanguage, prompter,
                                    onlyShown ? layout::LiteralWelcome::Leave
                                              : layout::LiteralWelcome::Move) &&
        onlyShown)
        std::cerr << "kwlayout: welcome.asp still holds the welcome text itself; a command that changes the "
                     "welcome text or the logo (or the designer) stores it per language and rewrites "
                     "welcome.asp to take the visitor's language; nothing was changed\n";
    return company;
}

} // namespace

int welcome(const Invocation &invocation, std::ostream &out)
{
    CliPrompter prompter(invocation.answer, std::cerr);
    server::Environment env = openPortal(invocation);
    std::int32_t defaultLanguage = 0;
    layout::CompanySettings company = readCompany(env, prompter, defaultLanguage, invocation.args.empty());
    if (prompter.failed())
        return 1;
    portalsettings::PortalLanguages languages;
    try {
        languages = portalsettings::readLanguages(*env.session);
    } catch (const ServerError &error) {
        prompter.showExtendedError(StringId::ServerEnvironmentNotRead, error);
        return 1;
    }
    // Every argument is checked before anything is stored.
    portalsettings::LanguageTextMap texts = company.welcomeTexts;
    const std::vector<std::string> &args = invocation.args;
    for (std::size_t i = 0; i < args.size(); i += 3) {
        if (args[i] != "--language")
            throw std::invalid_argument("unknown argument \"" + args[i] + "\" of welcome");
        if (i + 2 >= args.size())
            throw std::invalid_argument("--language needs an id and a text");
        texts[parseLanguage(args[i + 1], languages.languages)] = args[i + 2];
    }
    if (!args.empty()) {
        try {
            layout::storeWelcomeTexts(env, texts);
        } catch (const ServerError &error) {
            prompter.showExtendedError(StringId::ServerEnvironmentNotRead, error);
            return 1;
        }
        company.welcomeTexts = texts;
    }
    for (const portalsettings::Language &language : languages.languages)
        out << language.id << "\t" << language.name << (language.id == defaultLanguage ? "*" : "") << "\t"
            << oneLine(portalsettings::textFor(company.welcomeTexts, language.id, {})) << "\n";
    return 0;
}

int logo(const Invocation &invocation, std::ostream &out)
{
    CliPrompter prompter(invocation.answer, std::cerr);
    server::Environment env = openPortal(invocation);
    std::int32_t defaultLanguage = 0;
    layout::CompanySettings company = readCompany(env, prompter, defaultLanguage, invocation.args.empty());
    if (prompter.failed())
        return 1;
    if (invocation.args.empty()) {
        out << company.logoFile << "\n";
        return 0;
    }
    const std::string &file = invocation.args.front();
    if (file.empty() || file.find_first_of("\\/\r\n") != std::string::npos)
        throw std::invalid_argument("\"" + file + "\" is no file name of Images\\Company");
    if (const std::optional<std::string> refusal = scriptTextRefusal(file))
        throw std::invalid_argument(*refusal);
    if (image::KwGetImageType(file) <= 0)
        throw std::invalid_argument("\"" + file + "\" is no picture (GIF, JPEG, PNG, BMP or XBM)");
    try {
        server::PortalConnection connection(*env.factory, env.session);
        if (!connection.folder(server::folders::CompanyImages)->HasFile(file))
            throw std::invalid_argument("Images\\Company has no file \"" + file + "\"");
    } catch (const ServerError &error) {
        prompter.showExtendedError(StringId::CompanyLogoNotRead, error);
        return 1;
    }
    if (file == company.logoFile) {
        out << company.logoFile << "\n";
        return 0;
    }
    company.logoFile = file;
    company.changed = true;
    layout::publishCompanySettings(env, company, prompter);
    if (prompter.failed())
        return 1;
    if (company.changed) {
        // The question was answered No: the portal keeps its logo.
        out << "MainLogo.asp stays unchanged\n";
        return 0;
    }
    out << company.logoFile << "\n";
    return 0;
}

} // namespace kw::cli
