// The text searches over the portal's scripts (LayoutSettings.asp, MainLogo.asp, welcome.asp,
// KwDataFormat.asp) on any input.
#include "portalsettings/CountrySettings.h"
#include "publish/CompanyScripts.h"
#include "publish/SettingsScripts.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const auto favorites = kw::publish::readLayoutSettings(text);
    (void)favorites;
    if (const auto logo = kw::publish::readMainLogo(text))
        if (logo->size() > size)
            __builtin_trap();
    if (const auto welcome = kw::publish::readWelcomeLiteral(text)) {
        // What is read back from a literal script is what was written into it (quotes aside).
        const std::string script = kw::publish::makeWelcomeLiteral(*welcome);
        if (welcome->find('"') == std::string::npos && kw::publish::readWelcomeLiteral(script) != welcome)
            __builtin_trap();
    }
    const kw::portalsettings::ParsedDataFormat format = kw::portalsettings::parseDataFormatScript(text);
    (void)kw::portalsettings::checkSymbols(format.symbols);
    // A script written from one-character symbols (what the dialog allows, quotes aside) reads back the same.
    const auto &s = format.symbols;
    bool single = true;
    for (const std::string *symbol : {&s.decimal, &s.grouping, &s.monetaryDecimal, &s.monetaryGrouping})
        single = single && symbol->size() <= 1 && *symbol != "\"";
    if (format.format && single) {
        const auto again = kw::portalsettings::parseDataFormatScript(
            kw::portalsettings::composeDataFormatScript(*format.format, s));
        if (again.format != format.format || !(again.symbols == s))
            __builtin_trap();
    }
    return 0;
}
