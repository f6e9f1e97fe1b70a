// Language-dependent texts: the maps language → text that the language page edits, the rows its grid
// shows for them, and the portal's languages.
#pragma once

#include "base/StringTable.h"
#include "server/ServerEnvironment.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kw::portalsettings {

/// One text per language (Windows locale identifier).
using LanguageTextMap = std::map<std::int32_t, std::string>;

struct Language {
    std::int32_t id = 0;
    std::string name;
};

/// The portal's languages in the session's order, and the one marked as default (0 when none is).
struct PortalLanguages {
    std::vector<Language> languages;
    std::int32_t defaultLanguage = 0;
};

/// Reads the languages of the session. Errors of the server pass to the caller.
PortalLanguages readLanguages(server::ISession &session);

/// The maps a language page edits in place. The owner sets only those it uses; the others stay null.
struct LanguageTextFields {
    LanguageTextMap *titleTexts = nullptr;
    LanguageTextMap *leftTitleTexts = nullptr;
    LanguageTextMap *rightTitleTexts = nullptr;
    LanguageTextMap *pageNameTexts = nullptr;
    LanguageTextMap *applicationNameTexts = nullptr;
    std::vector<LanguageTextMap> *titleTextList = nullptr;
    std::vector<LanguageTextMap> *buttonTextList = nullptr;
    std::vector<LanguageTextMap> *groupNameTextList = nullptr;
    std::vector<LanguageTextMap> *menuTitleTextList = nullptr;
    std::vector<LanguageTextMap> *valueTextList = nullptr;
};

/// One row of the grid: a text of one map in one language.
struct LanguageRow {
    std::string label;        // "Typ": the field's name, for a list of two or more maps with " 01", " 02" …
    std::string languageName; // "Sprache"
    std::string text;         // "Text"
    std::int32_t language = 0;
    int type = 0; // the field's row type, for a list element the list's base plus the index
};

/// The rows for every map set, field by field, one row per language in the list's order.
std::vector<LanguageRow> languageRows(const LanguageTextFields &fields,
                                      const std::vector<Language> &languages);

/// Stores an edited text in the map the row type designates, under the language. False when the type
/// designates no map that is set.
bool storeRowText(LanguageTextFields &fields, int type, std::int32_t language, const std::string &text);

/// The map's text for the language; `fallback` when it has none.
std::string textFor(const LanguageTextMap &texts, std::int32_t language, const std::string &fallback);

} // namespace kw::portalsettings
