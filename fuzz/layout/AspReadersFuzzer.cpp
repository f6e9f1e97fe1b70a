// The text searches over the portal's scripts (LayoutSettings.asp, MainLogo.asp, welcome.asp) on any input.
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
    return 0;
}
