// The two small scripts through which the running portal gets its company logo and welcome text.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kw::publish {

/// MainLogo.asp: "<%", strCompanyLogo = "NAME", "%>", CR LF line ends. The name is a VBScript string
/// expression that means exactly the name (see `scriptString`).
std::string makeMainLogo(std::string_view logoFile);
/// welcome.asp in the literal form: the text as a VBScript string expression that means exactly the text
/// (double quotes doubled; "%>" and line breaks spelled apart, see `scriptString`).
std::string makeWelcomeLiteral(std::string_view welcomeText);
/// The lines of welcome.asp in the language-dependent form, each appended to the file on its own.
std::span<const std::string_view> welcomeLanguageDependentLines();

/// The logo's file name from MainLogo.asp (the string expression after "strCompanyLogo ="); no value when
/// the quotes around it are not found.
std::optional<std::string> readMainLogo(std::string_view script);
/// The welcome text of a literal welcome.asp (the string expression at the first double quote after
/// "l_strWelcome"); no value when the file is already language-dependent or holds no quoted text.
std::optional<std::string> readWelcomeLiteral(std::string_view script);

} // namespace kw::publish
