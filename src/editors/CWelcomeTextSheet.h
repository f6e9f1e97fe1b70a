// The sheet "Welcome Text Eigenschaften" (58521): the language page on the start page's welcome texts,
// opened when the welcome text control gets the focus.
#pragma once

#include "editors/CLanguageSheet.h"
#include "layout/CompanySettings.h"

namespace kw::editors {

/// Edits a copy of the welcome texts. OK refuses a text in the default language that the portal's scripts
/// cannot hold (the sheet stays open); otherwise it stores them through the text translation object at once
/// (no save of the layout needed) and takes them into the company settings; a server error there is reported
/// and keeps the earlier texts. Whether OK or Cancel, the shown text becomes the text in the default
/// language, and stays as it was when there is none.
class CWelcomeTextSheet : public CLanguageSheet {
public:
    CWelcomeTextSheet(server::Environment env, Prompter &prompter, layout::CompanySettings &company,
                      std::int32_t defaultLanguage, QWidget *parent = nullptr);

    void done(int result) override;

private:
    server::Environment m_env;
    Prompter &m_prompter;
    layout::CompanySettings &m_company;
    std::int32_t m_defaultLanguage;
    portalsettings::LanguageTextMap m_texts;
};

} // namespace kw::editors
