#include "publish/CompanyScripts.h"

#include "base/ScriptLiteral.h"

#include <array>

namespace kw::publish {

namespace {

constexpr std::array<std::string_view, 6> kWelcomeLines = {
    "<%\n",
    "Execute Application(\"Ticket_Service\")\n",
    "Set l_spSess = KwGetConnection()\n",
    "Set l_spMLHlp = Server.CreateObject(\"Qrmlang.LangSupport\")\nSet l_spTrans = "
    "l_spMLHlp.GetTranslationObject(l_spSess,Session.LCID)\n",
    "l_strWelcome = l_spTrans.GetLangText(4, \"lc_WelcomeMsg\", -1, -1)\n",
    "%>\n",
};

} // namespace

std::string makeMainLogo(std::string_view logoFile)
{
    return "<%\r\nstrCompanyLogo = " + scriptString(logoFile, ScriptBlock::Asp) + "\r\n%>\r\n";
}

std::string makeWelcomeLiteral(std::string_view welcomeText)
{
    return "<%\r\nl_strWelcome = " + scriptString(welcomeText, ScriptBlock::Asp) + "\r\n%>\r\n";
}

std::span<const std::string_view> welcomeLanguageDependentLines()
{
    return kWelcomeLines;
}

std::optional<std::string> readMainLogo(std::string_view script)
{
    const auto key = findOutsideStrings(script, "strCompanyLogo");
    if (key == std::string_view::npos)
        return std::nullopt;
    return readScriptStringAfter(script, script.find('=', key));
}

std::optional<std::string> readWelcomeLiteral(std::string_view script)
{
    const auto key = findOutsideStrings(script, "l_strWelcome");
    if (key == std::string_view::npos)
        return std::nullopt;
    if (findOutsideStrings(script, "l_spTrans.GetLangText", key) != std::string_view::npos)
        return std::nullopt; // already language-dependent
    return readScriptStringAfter(script, key);
}

} // namespace kw::publish
