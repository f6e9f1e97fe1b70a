#include "editors/CWelcomeTextSheet.h"

#include "base/ScriptLiteral.h"
#include "base/ServerError.h"

namespace kw::editors {

CWelcomeTextSheet::CWelcomeTextSheet(server::Environment env, Prompter &prompter,
                                     layout::CompanySettings &company, std::int32_t defaultLanguage,
                                     QWidget *parent)
    : CLanguageSheet(StringId::WelcomeTextCaption, env, prompter, parent), m_env(std::move(env)),
      m_prompter(prompter), m_company(company), m_defaultLanguage(defaultLanguage),
      m_texts(company.welcomeTexts)
{
    setObjectName(QStringLiteral("CWelcomeTextSheet"));
    page().fields.titleTexts = &m_texts;
}

void CWelcomeTextSheet::done(int result)
{
    if (result == Accepted) {
        // The text in the default language is the one the start page script may hold literally: one the
        // script cannot hold is refused here, and the sheet stays open to correct it.
        if (const auto text = m_texts.find(m_defaultLanguage); text != m_texts.end()) {
            if (const std::optional<std::string> refusal = scriptTextRefusal(text->second)) {
                m_prompter.tell(formatString(StringId::WelcomeTextNotWritable, *refusal));
                return;
            }
        }
        try {
            layout::storeWelcomeTexts(m_env, m_texts);
            m_company.welcomeTexts = m_texts;
        } catch (const ServerError &error) {
            m_prompter.showExtendedError(StringId::ServerEnvironmentNotRead, error);
        }
    }
    m_company.shownWelcome =
        portalsettings::textFor(m_company.welcomeTexts, m_defaultLanguage, m_company.shownWelcome);
    CLanguageSheet::done(result);
}

} // namespace kw::editors
