// KwStartPage.asp's reader on any input: it never crashes, and what it reads is written and read back to
// the same choices and pages, whatever the pages hold.
#include "portalsettings/PortalStartPage.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const kw::portalsettings::StartPageValues values = kw::portalsettings::parseStartPageScript(text);
    const std::string script = kw::portalsettings::composeStartPageScript(values);
    if (!(kw::portalsettings::parseStartPageScript(script) == values))
        __builtin_trap();
    // The script itself stays one script block: its only "%>" is the last line's.
    if (script.find("%>") != script.size() - 4)
        __builtin_trap();
    return 0;
}
