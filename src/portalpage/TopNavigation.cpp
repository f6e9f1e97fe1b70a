// The portal's top-navigation files.
#include "portalpage/TopNavigation.h"

#include "base/Values.h"
#include "server/PortalAccess.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace kw::portalpage {

namespace {

constexpr const char *kNavTopScript = "NavTop.asp";
constexpr const char *kNavigationScript = "KwNavigateTop.asp";
constexpr const char *kTopNavigationImages = "Images\\TopNavigate";
constexpr const char *kNavigationFolder = "KwNavigate";

// A path of the portal's server notation on the local file system.
std::filesystem::path localPath(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return std::filesystem::path(path);
}

// The whole local file, or nothing when it is not a readable regular file.
std::optional<server::Bytes> readLocalFile(const std::filesystem::path &path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    server::Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

void putFile(const server::PortalConnection &connection, const char *folder, const std::string &name,
             const server::Bytes &bytes)
{
    connection.folder(folder)->GetFile(name, server::ModeCreateWrite)->PutBytes(bytes);
}

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

} // namespace

std::string navTopPicture(std::string_view script)
{
    const std::size_t name = script.find("l_strNavTop");
    if (name == std::string_view::npos)
        return {};
    const std::size_t equals = script.find('=', name);
    if (equals == std::string_view::npos)
        return {};
    const std::size_t open = script.find('"', equals);
    if (open == std::string_view::npos)
        return {};
    const std::size_t close = script.find('"', open + 1);
    if (close == std::string_view::npos)
        return {};
    // Only a bare name: the picture is looked up in one folder, never along a path the script gives.
    return reducePictureName(script.substr(open + 1, close - open - 1));
}

std::optional<std::string> navigationTemplateFolder(std::string_view basePath)
{
    for (std::size_t i = 0; i + 3 <= basePath.size(); ++i) {
        const bool startsComponent = i == 0 || isSeparator(basePath[i - 1]);
        const bool endsComponent = i + 3 == basePath.size() || isSeparator(basePath[i + 3]);
        if (!startsComponent || !endsComponent)
            continue;
        std::string folder(basePath.substr(i, 3));
        std::transform(folder.begin(), folder.end(), folder.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (folder == "org")
            return std::string(basePath.substr(0, i)) + "orgtempl\\KwNavigate";
    }
    return std::nullopt;
}

void copyTopNavigationFiles(server::Environment &env)
{
    if (!env.factory)
        return;
    const server::PortalConnection connection(*env.factory, env.session);
    server::Ref<server::IServerFolder> style = connection.folder(server::folders::Style);
    if (style->HasFile(kNavTopScript)) {
        const std::string picture = navTopPicture(server::readTextFile(*style, kNavTopScript));
        if (!picture.empty()) {
            const auto bytes =
                readLocalFile(localPath(connection.basePath() + kTopNavigationImages + "\\" + picture));
            if (bytes)
                putFile(connection, server::folders::CompanyImages, picture, *bytes);
        }
    }
    if (const auto folder = navigationTemplateFolder(connection.basePath())) {
        if (const auto bytes = readLocalFile(localPath(*folder + "\\" + kNavigationScript)))
            putFile(connection, kNavigationFolder, kNavigationScript, *bytes);
    }
}

} // namespace kw::portalpage
