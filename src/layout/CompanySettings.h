// The company settings shown on the start page: the company logo and the welcome text, with the
// scripts that publish them into the running portal.
#pragma once

#include "base/Prompter.h"
#include "server/LocalPortal.h"

#include <cstdint>
#include <map>
#include <string>

namespace kw::layout {

struct CompanySettings {
    std::string logoFile;                             // in Images\Company
    std::map<std::int32_t, std::string> welcomeTexts; // by language
    std::string shownWelcome;                         // the text in the portal's default language
    bool changed = false;                             // the logo changed: publish it at the next save
};

/// Reads the logo (MainLogo.asp) and the welcome text (the translation entry "lc_WelcomeMsg"; for a
/// portal that still has a literal welcome.asp, its text, which is then stored per language and the file
/// rewritten in the language-dependent form). A server error is reported with "Firmenlogo konnte nicht
/// gelesen werden."; what was read before it stays. `defaultLanguage` is updated by the lookup.
void readCompanySettings(server::Environment &env, CompanySettings &settings, std::int32_t &defaultLanguage,
                         Prompter &prompter);

/// Stores the welcome texts through the text translation object at once. Errors pass to the caller.
void storeWelcomeTexts(server::Environment &env, const std::map<std::int32_t, std::string> &texts);

/// Publishes changed company settings (logo and welcome text) after asking the user; the change mark is
/// cleared once both scripts are written. A No writes nothing and keeps the mark. A server error is
/// reported with "Active Server Page für Fülllogo konnte nicht gespeichert werden." and keeps the mark.
void publishCompanySettings(server::Environment &env, CompanySettings &settings, Prompter &prompter);

} // namespace kw::layout
