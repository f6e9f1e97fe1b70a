// The text searches over the portal's scripts (LayoutSettings.asp, MainLogo.asp, welcome.asp,
// KwDataFormat.asp) on any input, and the round trip of every text through the scripts they read.
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
    // What is read back from a script that the program wrote is exactly what it wrote, whatever it holds.
    if (const auto logo = kw::publish::readMainLogo(text))
        if (kw::publish::readMainLogo(kw::publish::makeMainLogo(*logo)) != logo)
            __builtin_trap();
    if (const auto welcome = kw::publish::readWelcomeLiteral(text))
        if (kw::publish::readWelcomeLiteral(kw::publish::makeWelcomeLiteral(*welcome)) != welcome)
            __builtin_trap();
    // The input itself as a text typed by the user.
    if (kw::publish::readWelcomeLiteral(kw::publish::makeWelcomeLiteral(text)) != text ||
        kw::publish::readMainLogo(kw::publish::makeMainLogo(text)) != text)
        __builtin_trap();
    const kw::portalsettings::ParsedDataFormat format = kw::portalsettings::parseDataFormatScript(text);
    (void)kw::portalsettings::checkSymbols(format.symbols);
    // A script written from one-character symbols (what the dialog allows) reads back the same.
    const auto &s = format.symbols;
    bool single = true;
    for (const std::string *symbol : {&s.decimal, &s.grouping, &s.monetaryDecimal, &s.monetaryGrouping})
        single = single && symbol->size() <= 1;
    if (format.format && single) {
        const auto again = kw::portalsettings::parseDataFormatScript(
            kw::portalsettings::composeDataFormatScript(*format.format, s));
        if (again.format != format.format || !(again.symbols == s))
            __builtin_trap();
    }
    return 0;
}
