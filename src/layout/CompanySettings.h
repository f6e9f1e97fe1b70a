// The company settings shown on the start page: the company logo and the welcome text, with the
// scripts that publish them into the running portal.
#pragma once

#include "base/Prompter.h"
#include "server/LocalPortal.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace kw::layout {

struct CompanySettings {
    std::string logoFile;                             // in Images\Company
    std::map<std::int32_t, std::string> welcomeTexts; // by language
    std::string shownWelcome;                         // the text in the portal's default language
    bool changed = false;                             // the logo changed: publish it at the next save
};

/// What reading does with a welcome.asp that still holds the literal form.
enum class LiteralWelcome {
    Move,  // store its text per language and rewrite the file in the language-dependent form
    Leave, // take its text for this reading only and change nothing (commands that only show)
};

/// Reads the logo (MainLogo.asp) and the welcome text (the translation entry "lc_WelcomeMsg"; for a
/// portal that still has a literal welcome.asp, its text, which is then moved or left as `literal` says).
/// A server error is reported with "Firmenlogo konnte nicht gelesen werden."; what was read before it
/// stays. `defaultLanguage` is updated by the lookup. True when the welcome text came from a literal
/// welcome.asp.
bool readCompanySettings(server::Environment &env, CompanySettings &settings, std::int32_t &defaultLanguage,
                         Prompter &prompter, LiteralWelcome literal = LiteralWelcome::Move);

/// Stores the welcome texts through the text translation object at once. Errors pass to the caller.
void storeWelcomeTexts(server::Environment &env, const std::map<std::int32_t, std::string> &texts);

/// Asks question 12560 about changed company settings; true on Yes, false on No or when nothing changed.
bool askToPublishCompanySettings(const CompanySettings &settings, Prompter &prompter);

/// Why the logo name or the welcome text cannot stand in MainLogo.asp or welcome.asp, naming which of the
/// two it is; nothing when both can.
std::optional<std::string> companyScriptsRefusal(const CompanySettings &settings);

/// Writes MainLogo.asp and welcome.asp (the literal form) without asking and leaves the change mark to the
/// caller, who clears it once the writes are published. A logo name or welcome text that cannot stand in
/// the scripts is refused before anything is written; it and a server error are reported with "Active
/// Server Page für Fülllogo konnte nicht gespeichert werden."; false then.
bool writeCompanyScripts(server::Environment &env, const CompanySettings &settings, Prompter &prompter);

/// Publishes changed company settings (logo and welcome text) at once, after asking the user; the change
/// mark is cleared once both scripts are written. A No writes nothing and keeps the mark; so does a
/// refusal or a server error (reported as by `writeCompanyScripts`).
void publishCompanySettings(server::Environment &env, CompanySettings &settings, Prompter &prompter);

} // namespace kw::layout
