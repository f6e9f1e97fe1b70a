// The portal's top-navigation files, copied into place whenever the submenu logo is rebuilt: the picture
// that NavTop.asp names, and the navigation script of the portal's template folder.
#pragma once

#include "server/LocalPortal.h"

#include <optional>
#include <string>
#include <string_view>

namespace kw::portalpage {

/// The picture file that a NavTop.asp assigns to `l_strNavTop` (the text between the first two double
/// quotes after the name and its "="), reduced to a bare file name; empty when there is none.
std::string navTopPicture(std::string_view script);

/// The template folder of a portal: its base path with the part that begins with the folder `org\`
/// replaced by `orgtempl\KwNavigate`; nothing when the path holds no folder `org`.
std::optional<std::string> navigationTemplateFolder(std::string_view basePath);

/// Copies the top-navigation files: the picture named in `_KwStyle\NavTop.asp` from
/// `Images\TopNavigate` into `Images\Company`, and `KwNavigateTop.asp` from the template folder into
/// `KwNavigate`. The sources are read from the file system, the targets written through the server
/// environment. Files that are not there are skipped; server errors throw ServerError.
void copyTopNavigationFiles(server::Environment &env);

} // namespace kw::portalpage
