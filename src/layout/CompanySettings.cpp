#include "layout/CompanySettings.h"

#include "base/ScriptLiteral.h"
#include "publish/CompanyScripts.h"
#include "server/PortalAccess.h"

namespace kw::layout {

using namespace kw::server;

namespace {

constexpr const char *kWelcomeKey = "lc_WelcomeMsg";
constexpr int kWelcomeCategory = 4;

Ref<ITranslation> openWelcome(Environment &env)
{
    Ref<ITranslation> translation = createObject<ITranslation>(*env.factory);
    translation->AttachSession(env.session);
    translation->TranslationOpen(env.session, 1, -1, kWelcomeKey, kWelcomeCategory);
    return translation;
}

void readLogo(PortalConnection &connection, CompanySettings &settings)
{
    Ref<IServerFolder> style = connection.folder(folders::Style);
    if (!style->HasFile("MainLogo.asp"))
        return;
    if (const auto logo = publish::readMainLogo(readTextFile(*style, "MainLogo.asp")))
        settings.logoFile = *logo;
}

bool readWelcome(Environment &env, PortalConnection &connection, CompanySettings &settings,
                 std::int32_t &defaultLanguage, LiteralWelcome literalWelcome)
{
    Ref<ITranslation> translation = openWelcome(env);
    settings.welcomeTexts.clear();
    for (const auto &[language, text] : translation->TranslationGetTexts())
        settings.welcomeTexts[language] = text;
    defaultLanguage = lookupDefaultLanguage(*env.session, defaultLanguage);
    if (const auto it = settings.welcomeTexts.find(defaultLanguage); it != settings.welcomeTexts.end())
        settings.shownWelcome = it->second;
    if (!settings.shownWelcome.empty())
        return false;
    Ref<IServerFolder> style = connection.folder(folders::Style);
    if (!style->HasFile("welcome.asp"))
        return false;
    const auto literal = publish::readWelcomeLiteral(readTextFile(*style, "welcome.asp"));
    if (!literal)
        return false;
    settings.shownWelcome = *literal;
    settings.welcomeTexts[defaultLanguage] = *literal;
    if (literalWelcome == LiteralWelcome::Leave)
        return true;
    storeWelcomeTexts(env, settings.welcomeTexts);
    // From now on the portal takes the text in the visitor's language.
    Ref<IServerFile> file = style->GetFile("welcome.asp", ModeCreateWrite);
    for (const std::string_view line : publish::welcomeLanguageDependentLines())
        file->AppendText(std::string(line));
    return true;
}

} // namespace

bool readCompanySettings(Environment &env, CompanySettings &settings, std::int32_t &defaultLanguage,
                         Prompter &prompter, LiteralWelcome literal)
{
    try {
        PortalConnection connection(*env.factory, env.session);
        readLogo(connection, settings);
        return readWelcome(env, connection, settings, defaultLanguage, literal);
    } catch (const ServerError &error) {
        prompter.showExtendedError(StringId::CompanyLogoNotRead, error);
        return false;
    }
}

void storeWelcomeTexts(Environment &env, const std::map<std::int32_t, std::string> &texts)
{
    Ref<ITranslation> translation = openWelcome(env);
    translation->TranslationSetTexts(LanguageTexts(texts.begin(), texts.end()));
    translation->TranslationCommit();
}

bool askToPublishCompanySettings(const CompanySettings &settings, Prompter &prompter)
{
    return settings.changed && prompter.ask(StringId::AskPublishCompanySettings) == Prompter::Answer::Yes;
}

std::optional<std::string> companyScriptsRefusal(const CompanySettings &settings)
{
    const std::pair<const std::string *, StringId> texts[] = {
        {&settings.shownWelcome, StringId::WelcomeTextNotWritable},
        {&settings.logoFile, StringId::LogoNameNotWritable},
    };
    for (const auto &[text, message] : texts)
        if (const std::optional<std::string> refusal = scriptTextRefusal(*text))
            return formatString(message, *refusal);
    return std::nullopt;
}

bool writeCompanyScripts(Environment &env, const CompanySettings &settings, Prompter &prompter)
{
    try {
        if (const std::optional<std::string> refusal = companyScriptsRefusal(settings))
            throw ServerError(ServerError::InvalidArgument, *refusal);
        PortalConnection connection(*env.factory, env.session);
        Ref<IServerFolder> style = connection.folder(folders::Style);
        writeTextFile(*style, "MainLogo.asp", publish::makeMainLogo(settings.logoFile));
        writeTextFile(*style, "welcome.asp", publish::makeWelcomeLiteral(settings.shownWelcome));
        return true;
    } catch (const ServerError &error) {
        prompter.showExtendedError(StringId::LogoScriptNotSaved, error);
        return false;
    }
}

void publishCompanySettings(Environment &env, CompanySettings &settings, Prompter &prompter)
{
    if (askToPublishCompanySettings(settings, prompter) && writeCompanyScripts(env, settings, prompter))
        settings.changed = false;
}

} // namespace kw::layout
