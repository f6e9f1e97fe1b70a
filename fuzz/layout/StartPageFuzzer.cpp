// KwStartPage.asp's reader on any input: it never crashes, and what it reads is written and read back to
// the same choices and pages whatever the pages hold. A bare page name stored without the folder's prefix
// is the one value that writing changes (it gets the prefix, as the dialog has always written such a
// page, and may then name a standard page): for it, the script is settled after that write.
#include "portalsettings/PortalStartPage.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

bool hasBarePage(const kw::portalsettings::StartPageValues &values)
{
    for (const kw::portalsettings::StartPageTarget *target : {&values.anonymous, &values.main})
        if (target->choice == kw::portalsettings::AlternativeStartPage &&
            target->page.find_first_of("/\\") == std::string::npos)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const kw::portalsettings::StartPageValues values = kw::portalsettings::parseStartPageScript(text);
    const std::string script = kw::portalsettings::composeStartPageScript(values);
    const kw::portalsettings::StartPageValues again = kw::portalsettings::parseStartPageScript(script);
    if (!hasBarePage(values)) {
        if (!(again == values))
            __builtin_trap();
    } else {
        // The prefixed page may now name a standard page ("KwPortlets.asp"): from there on it stays.
        const std::string settled = kw::portalsettings::composeStartPageScript(again);
        if (kw::portalsettings::composeStartPageScript(kw::portalsettings::parseStartPageScript(settled)) !=
            settled)
            __builtin_trap();
    }
    // The script itself stays one script block: its only "%>" is the last line's.
    if (script.find("%>") != script.size() - 4)
        __builtin_trap();
    return 0;
}
