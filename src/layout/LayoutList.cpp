#include "layout/LayoutList.h"

#include "base/StringTable.h"
#include "base/Values.h"
#include "server/PortalAccess.h"

#include <stdexcept>

namespace kw::layout {

using namespace kw::server;

bool isActiveLayoutFile(std::string_view fileName)
{
    return equalsIgnoringCase(fileName, kActiveLayoutFile);
}

std::string layoutTitle(std::string_view fileName)
{
    if (isActiveLayoutFile(fileName))
        return std::string(loadString(StringId::ActiveLayout));
    if (fileName.empty())
        return std::string(loadString(StringId::NewLayout));
    return std::string(fileName.substr(0, fileName.size() >= 4 ? fileName.size() - 4 : 0));
}

std::string layoutFileFromName(std::string_view name)
{
    if (name == loadString(StringId::ActiveLayout))
        return std::string(kActiveLayoutFile);
    return std::string(name) + std::string(kLayoutExtension);
}

std::vector<LayoutEntry> LayoutList::list() const
{
    PortalConnection connection(m_factory, m_session);
    std::vector<LayoutEntry> entries;
    Ref<IServerFolder> style = connection.folder(folders::Style);
    style->FirstMatch(std::string(kActiveLayoutFile));
    if (style->SearchDone() == 0)
        entries.push_back(
            {std::string(loadString(StringId::ActiveLayout)), std::string(kActiveLayoutFile), true});
    style->EndMatch();
    Ref<IServerFolder> templates = connection.folder(folders::Templates);
    for (std::string name = templates->FirstMatch("*" + std::string(kLayoutExtension));
         templates->SearchDone() == 0; name = templates->NextMatch())
        entries.push_back({layoutTitle(name), name, false});
    templates->EndMatch();
    return entries;
}

bool LayoutList::namedLayoutExists(const std::string &fileName) const
{
    PortalConnection connection(m_factory, m_session);
    return connection.folder(folders::Templates)->HasFile(fileName);
}

void LayoutList::remove(const std::string &fileName) const
{
    if (isActiveLayoutFile(fileName))
        throw std::invalid_argument(std::string(loadString(StringId::ActiveLayoutNotDeletable)));
    PortalConnection connection(m_factory, m_session);
    Ref<IServerFolder> templates = connection.folder(folders::Templates);
    if (templates->HasFile(fileName))
        templates->RemoveFile(fileName);
}

} // namespace kw::layout
