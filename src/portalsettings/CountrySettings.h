// The portal's country settings: the script KwDataFormat.asp (locale identifier of the date and time
// format, decimal and grouping symbols for numbers and currency), how it is read, checked and written.
#pragma once

#include "base/Prompter.h"
#include "server/LocalPortal.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kw::portalsettings {

inline constexpr const char *kDataFormatScript = "KwDataFormat.asp";

/// The three date and time formats by their number (0, 1, 2) and the locale identifier each writes.
inline constexpr std::array<std::string_view, 3> kFormatLocaleIds = {"1033", "2057", "1031"};
/// The format a fresh script gets.
inline constexpr int kFreshScriptFormat = 2;

/// The four one-character symbols.
struct CountrySymbols {
    std::string decimal;
    std::string grouping;
    std::string monetaryDecimal;
    std::string monetaryGrouping;
    bool operator==(const CountrySymbols &) const = default;
};

/// What the dialog's controls hold: the format button and the four edits.
struct CountryValues {
    int format = 0;
    CountrySymbols symbols;
    bool operator==(const CountryValues &) const = default;
};

/// The script's text (CR LF lines, ending in "</Script>\r\n") for a format and the symbols; each symbol is
/// a VBScript string expression that means exactly the symbol.
std::string composeDataFormatScript(int format, const CountrySymbols &symbols);

/// The values found in a script's text.
struct ParsedDataFormat {
    /// The locale key "(\"g_LCID\")" is present.
    bool hasLocaleKey = false;
    /// The format of a known locale identifier; nothing for a missing key or an unknown identifier.
    std::optional<int> format;
    /// Each symbol as found between double quotes, or its default when its key is missing.
    CountrySymbols symbols;
};

/// Reads a script leniently: keys are found anywhere in the text (first occurrence), junk around them
/// is ignored. Never throws.
ParsedDataFormat parseDataFormatScript(std::string_view text);

/// The first check the symbols fail (12609, 12608, 12607 in that order, then 59014 for a character that
/// Windows-1252, the script's character set, cannot hold), or nothing.
std::optional<StringId> checkSymbols(const CountrySymbols &symbols);

/// The country settings dialog without its window: the fields, the three flags, reading, the checks at
/// OK and writing. `controls` stands for what the controls show; the window copies it to and from its
/// widgets.
class CountrySettings {
public:
    CountrySettings(server::Environment env, Prompter &prompter);

    /// What reading does with a missing script or one without a readable locale identifier.
    enum class Unreadable {
        WriteFresh, // replace it at once by a fresh one (the dialog)
        Leave,      // show what a fresh one would hold and change nothing (`freshScriptDue` tells)
    };
    /// Reads the script into the controls. A server error is reported (12582) and leaves the controls as
    /// they were.
    void read(Unreadable unreadable = Unreadable::WriteFresh);
    /// A click on a format button: takes the controls' values and counts as a change.
    void formatClicked();
    /// OK's first part: takes the controls' values and, when anything changed, runs the checks. A failing
    /// check is told and answers false (the dialog stays open).
    bool accept();
    /// Writes the script when something changed or a write is pending; a change asks 12584 first. A
    /// server error is reported (12583) and leaves both flags as they were.
    void write();

    CountryValues controls;

    const CountryValues &values() const { return m_values; }
    const CountrySymbols &readSymbols() const { return m_readSymbols; }
    bool userChanged() const { return m_userChanged; }
    bool writeNeeded() const { return m_writeNeeded; }
    bool rewrittenAtRead() const { return m_rewrittenAtRead; }
    /// Reading with `Unreadable::Leave` found a script that the dialog would write afresh.
    bool freshScriptDue() const { return m_freshScriptDue; }

private:
    void writeFreshScript();
    void showValues() { controls = m_values; }
    void takeValues() { m_values = controls; }
    server::Ref<server::IServerFolder> companyFolder() const;

    server::Environment m_env;
    Prompter &m_prompter;
    CountryValues m_values;
    CountrySymbols m_readSymbols;
    bool m_userChanged = false;
    bool m_writeNeeded = false;
    bool m_rewrittenAtRead = false;
    Unreadable m_unreadable = Unreadable::WriteFresh;
    bool m_freshScriptDue = false;
};

} // namespace kw::portalsettings
