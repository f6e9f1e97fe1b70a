#include "editors/CWelcomeTextSheet.h"

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
