#include "portalsettings/CountrySettings.h"

#include "base/ScriptLiteral.h"
#include "base/Values.h"
#include "server/PortalAccess.h"

#include <utility>

namespace kw::portalsettings {

namespace {

constexpr std::string_view kLocaleKey = "(\"g_LCID\")";

/// The symbol keys in the order they are read and written, with the default of a missing key.
struct SymbolKey {
    std::string_view key;
    std::string CountrySymbols::*field;
    StringId defaultText;
};
constexpr std::array<SymbolKey, 4> kSymbolKeys = {{
    {"g_strDecimalSymbol", &CountrySymbols::decimal, StringId::DefaultDecimalSymbol},
    {"g_strDecimalGroupingSymbol", &CountrySymbols::grouping, StringId::DefaultGroupingSymbol},
    {"g_strMonetaryDecimalSymbol", &CountrySymbols::monetaryDecimal, StringId::DefaultDecimalSymbol},
    {"g_strMonetaryDecimalGroupingSymbol", &CountrySymbols::monetaryGrouping,
     StringId::DefaultGroupingSymbol},
}};

/// The string expression at the first double quote after the "=" that follows `from`; nothing when the
/// "=" or a closed literal is missing.
std::optional<std::string> quotedValueAfter(std::string_view text, std::size_t from)
{
    const std::size_t equals = text.find('=', from);
    if (equals == std::string_view::npos)
        return std::nullopt;
    return readScriptStringAfter(text, equals + 1);
}

bool isForbiddenSymbolCharacter(char ch)
{
    return (ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == '"';
}

} // namespace

std::string composeDataFormatScript(int format, const CountrySymbols &symbols)
{
    std::string text = "<SCRIPT LANGUAGE=VBScript RUNAT=Server>\r\n\r\n";
    text += "sub SetDataFormat()\r\n";
    text += "\tApplication(\"g_LCID\") = ";
    text += kFormatLocaleIds.at(static_cast<std::size_t>(format));
    for (const SymbolKey &key : kSymbolKeys) {
        text += "\r\n\tApplication(\"";
        text += key.key;
        text += "\") = " + scriptString(symbols.*key.field, ScriptBlock::ScriptElement);
    }
    text += "\r\n\r\nend sub\r\n\r\n</Script>\r\n";
    return text;
}

ParsedDataFormat parseDataFormatScript(std::string_view text)
{
    ParsedDataFormat parsed;
    if (const std::size_t key = text.find(kLocaleKey); key != std::string_view::npos) {
        parsed.hasLocaleKey = true;
        const std::size_t equals = text.find('=', key + kLocaleKey.size());
        if (equals != std::string_view::npos && equals + 2 <= text.size()) {
            const std::string_view id = text.substr(equals + 2, 4);
            for (std::size_t format = 0; format < kFormatLocaleIds.size(); ++format)
                if (equalsIgnoringCase(id, kFormatLocaleIds[format]))
                    parsed.format = static_cast<int>(format);
        }
    }
    for (const SymbolKey &key : kSymbolKeys) {
        std::optional<std::string> value;
        if (const std::size_t at = text.find(key.key); at != std::string_view::npos)
            value = quotedValueAfter(text, at + key.key.size());
        parsed.symbols.*key.field = value ? std::move(*value) : std::string(loadString(key.defaultText));
    }
    return parsed;
}

std::optional<StringId> checkSymbols(const CountrySymbols &symbols)
{
    if (symbols.decimal.empty() || symbols.monetaryDecimal.empty())
        return StringId::DecimalSymbolEmpty;
    for (const SymbolKey &key : kSymbolKeys)
        for (const char ch : symbols.*key.field)
            if (isForbiddenSymbolCharacter(ch))
                return StringId::SeparatorCharacterNotAllowed;
    if (symbols.decimal.find(symbols.grouping) != std::string::npos ||
        symbols.monetaryDecimal.find(symbols.monetaryGrouping) != std::string::npos)
        return StringId::SeparatorCombinationNotAllowed;
    for (const SymbolKey &key : kSymbolKeys)
        if (scriptTextRefusal(symbols.*key.field))
            return StringId::CountrySymbolNotWritable;
    return std::nullopt;
}

CountrySettings::CountrySettings(server::Environment env, Prompter &prompter)
    : m_env(std::move(env)), m_prompter(prompter)
{
}

server::Ref<server::IServerFolder> CountrySettings::companyFolder() const
{
    const server::PortalConnection connection(*m_env.factory, m_env.session);
    return connection.folder(server::folders::CompanySettings);
}

void CountrySettings::read(Unreadable unreadable)
{
    m_unreadable = unreadable;
    try {
        server::Ref<server::IServerFolder> folder = companyFolder();
        if (!folder->HasFile(kDataFormatScript)) {
            writeFreshScript();
            if (m_freshScriptDue)
                return; // nothing to read, and nothing was written
        }
        const std::string text = server::readTextFile(*folder, kDataFormatScript);
        if (!m_rewrittenAtRead) {
            const ParsedDataFormat parsed = parseDataFormatScript(text);
            if (!parsed.hasLocaleKey) {
                writeFreshScript();
                return;
            }
            if (parsed.format)
                m_values.format = *parsed.format;
            else
                writeFreshScript();
            m_readSymbols = parsed.symbols;
            m_values.symbols = m_readSymbols;
        }
        showValues();
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::DateFormatNotRead, error);
    }
}

void CountrySettings::writeFreshScript()
{
    m_values.format = kFreshScriptFormat;
    showValues();
    if (m_unreadable == Unreadable::Leave) {
        m_freshScriptDue = true;
        return;
    }
    m_writeNeeded = true;
    write();
    m_rewrittenAtRead = true;
}

void CountrySettings::formatClicked()
{
    takeValues();
    m_userChanged = true;
}

bool CountrySettings::accept()
{
    takeValues();
    m_userChanged = m_userChanged || m_values.symbols != m_readSymbols;
    if (!m_userChanged)
        return true;
    if (const std::optional<StringId> refusal = checkSymbols(m_values.symbols)) {
        m_prompter.tell(*refusal);
        return false;
    }
    return true;
}

void CountrySettings::write()
{
    if (!m_userChanged && !m_writeNeeded)
        return;
    if (m_userChanged) {
        m_writeNeeded = true;
        if (m_prompter.ask(StringId::AskChangeCountrySettings) != Prompter::Answer::Yes)
            return;
    }
    const std::string text = composeDataFormatScript(m_values.format, m_values.symbols);
    try {
        server::writeTextFile(*companyFolder(), kDataFormatScript, text, server::ModeCreateWrite);
        m_userChanged = false;
        m_writeNeeded = false;
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::DateFormatNotWritten, error);
    }
}

} // namespace kw::portalsettings
