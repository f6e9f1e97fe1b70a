// `kwlayout country-settings` and `kwlayout calendar`: the country settings and the personal calendar's
// place, on the same core as the dialogs.
#include "CliInteraction.h"
#include "Commands.h"

#include "base/TextCodec.h"
#include "portalsettings/CountrySettings.h"
#include "portalsettings/PersonalCalendar.h"
#include "server/LocalPortal.h"

#include <array>
#include <charconv>
#include <iostream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <utility>
#include <vector>

namespace kw::cli {

namespace {

using portalsettings::CountrySymbols;

/// The symbol options and the printed names, in the order they are printed.
struct SymbolOption {
    const char *name;
    std::string CountrySymbols::*field;
};
constexpr std::array<SymbolOption, 4> kSymbolOptions = {{
    {"decimal", &CountrySymbols::decimal},
    {"grouping", &CountrySymbols::grouping},
    {"monetary-decimal", &CountrySymbols::monetaryDecimal},
    {"monetary-grouping", &CountrySymbols::monetaryGrouping},
}};

/// Code points of UTF-8 text.
std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (const char ch : text)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80)
            ++count;
    return count;
}

int parseNumber(const std::string &text, const char *what)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument(std::string(what) + " needs a number, not \"" + text + "\"");
    return value;
}

/// The option's value, the argument after `index`.
const std::string &optionValue(const std::vector<std::string> &args, std::size_t &index)
{
    if (index + 1 >= args.size())
        throw std::invalid_argument(args[index] + " needs a value");
    return args[++index];
}

void printCountryValues(const portalsettings::CountryValues &values, std::ostream &out)
{
    out << "format=" << values.format << "\n";
    for (const SymbolOption &option : kSymbolOptions)
        out << option.name << "=" << values.symbols.*option.field << "\n";
}

} // namespace

int countrySettings(const Invocation &invocation, std::ostream &out)
{
    CliPrompter prompter(invocation.answer, std::cerr);
    portalsettings::CountrySettings settings(openPortal(invocation), prompter);
    if (invocation.args.empty()) {
        // Only shown: a script the dialog would write afresh is left as it is.
        settings.read(portalsettings::CountrySettings::Unreadable::Leave);
        if (prompter.failed())
            return 1;
        if (settings.freshScriptDue())
            std::cerr << "kwlayout: " << portalsettings::kDataFormatScript
                      << " is missing or names no known date format; the country settings dialog (or this "
                         "command with options) writes it afresh with format 2; nothing was changed\n";
        printCountryValues(settings.controls, out);
        return 0;
    }
    // Every option is checked before the portal is read: reading may write a fresh script, and a
    // refused option must leave everything as it was.
    std::optional<int> format;
    std::vector<std::pair<const SymbolOption *, std::string>> symbols;
    for (std::size_t i = 0; i < invocation.args.size(); ++i) {
        const std::string &arg = invocation.args[i];
        if (arg == "--format") {
            format = parseNumber(optionValue(invocation.args, i), "--format");
            if (*format < 0 || *format >= static_cast<int>(portalsettings::kFormatLocaleIds.size()))
                throw std::invalid_argument("--format is 0 (MM/DD/YYYY), 1 (DD/MM/YYYY) or 2 (DD.MM.YYYY)");
            continue;
        }
        const SymbolOption *symbol = nullptr;
        for (const SymbolOption &option : kSymbolOptions)
            if (arg == std::string("--") + option.name)
                symbol = &option;
        if (!symbol)
            throw std::invalid_argument("unknown option \"" + arg + "\" of country-settings");
        const std::string &value = optionValue(invocation.args, i);
        if (characterCount(value) > 1)
            throw std::invalid_argument(arg + " takes at most one character, not \"" + value + "\"");
        if (cp1252ToUtf8(utf8ToCp1252(value)) != value)
            throw std::invalid_argument(arg + " \"" + value + "\" cannot be written into " +
                                        portalsettings::kDataFormatScript + " (Windows-1252)");
        symbols.emplace_back(symbol, value);
    }
    settings.read();
    if (prompter.failed())
        return 1;
    if (format)
        settings.controls.format = *format;
    for (const auto &[symbol, value] : symbols)
        settings.controls.symbols.*symbol->field = value;
    const bool formatGiven = format.has_value();
    // Choosing a format is a click on its button, which counts as a change even for the same format.
    if (formatGiven)
        settings.formatClicked();
    if (!settings.accept())
        return 2; // the check's message is on standard error
    const bool pending = settings.userChanged() || settings.writeNeeded();
    settings.write();
    if (prompter.failed())
        return 1;
    if (pending && (settings.userChanged() || settings.writeNeeded())) {
        // The question was answered No: the script keeps its old values.
        out << portalsettings::kDataFormatScript << " stays unchanged\n";
        return 0;
    }
    if (pending)
        out << "Saved " << portalsettings::kDataFormatScript << "\n";
    printCountryValues(settings.values(), out);
    return 0;
}

namespace {

std::string jsonText(std::string_view text)
{
    std::string quoted = "\"";
    for (const char ch : text) {
        if (ch == '"' || ch == '\\')
            quoted += '\\';
        if (static_cast<unsigned char>(ch) >= 0x20)
            quoted += ch;
    }
    return quoted + "\"";
}

} // namespace

int calendar(const Invocation &invocation, std::ostream &out)
{
    CliPrompter prompter(invocation.answer, std::cerr);
    portalsettings::PersonalCalendar calendar(openPortal(invocation), prompter);
    calendar.load();
    if (prompter.failed())
        return 1;
    const auto &entries = calendar.entries();
    if (!invocation.args.empty()) {
        if (invocation.args.size() != 2 || invocation.args[0] != "--entry")
            throw std::invalid_argument("usage: calendar [--json] | calendar --entry ID");
        const int id = parseNumber(invocation.args[1], "--entry");
        const std::optional<std::size_t> row = calendar.rowOf(id);
        if (!row)
            throw std::invalid_argument("the main menu has no entry with the id " + invocation.args[1] +
                                        " (\"calendar\" lists them)");
        calendar.select(row);
        const bool stored = calendar.store();
        if (prompter.failed())
            return 1;
        out << (stored ? "The personal calendar is now published under \""
                       : "The personal calendar stays under \"")
            << entries[*row].name << "\" (" << id << ")\n";
        return 0;
    }
    if (invocation.json) {
        out << "[";
        for (std::size_t i = 0; i < entries.size(); ++i)
            out << (i ? ",\n " : "") << "{\"id\": " << entries[i].id
                << ", \"name\": " << jsonText(entries[i].name)
                << ", \"current\": " << (entries[i].id == calendar.currentEntry() ? "true" : "false") << "}";
        out << "]\n";
    } else {
        for (const portalsettings::CalendarMenuEntry &entry : entries)
            out << (entry.id == calendar.currentEntry() ? "* " : "  ") << entry.id << " " << entry.name
                << "\n";
    }
    if (!entries.empty() && !calendar.rowOf(calendar.currentEntry()))
        std::cerr << "kwlayout: the calendar's entry " << calendar.currentEntry()
                  << " is not in the main menu; the dialog proposes \"" << entries.front().name << "\"\n";
    return 0;
}

} // namespace kw::cli
