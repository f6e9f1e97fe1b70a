// The stored layouts on the server: the active layout (global.css in _KwStyle) and the named ones
// (*.kwc in _KwTemplates).
#pragma once

#include "server/ServerEnvironment.h"

#include <string>
#include <string_view>
#include <vector>

namespace kw::layout {

inline constexpr std::string_view kActiveLayoutFile = "global.css";
inline constexpr std::string_view kLayoutExtension = ".kwc";

struct LayoutEntry {
    std::string title;    // as the list shows it: "Aktives Layout" or the name without extension
    std::string fileName; // "global.css" or NAME.kwc
    bool active = false;
};

/// Whether a layout file name names the active layout (ignoring case).
bool isActiveLayoutFile(std::string_view fileName);
/// The layout's title: "Aktives Layout" for the active one, else the file name without its last four
/// characters, "Neues Layout" for an empty name.
std::string layoutTitle(std::string_view fileName);
/// The file name of a layout the user names: "Aktives Layout" is the active layout, anything else
/// NAME.kwc.
std::string layoutFileFromName(std::string_view name);

class LayoutList {
public:
    LayoutList(server::IObjectFactory &factory, server::Ref<server::ISession> session)
        : m_factory(factory), m_session(std::move(session))
    {
    }

    /// The active layout first (when global.css exists), then the .kwc files in the server's order.
    std::vector<LayoutEntry> list() const;
    /// Whether a named layout's file exists in _KwTemplates.
    bool namedLayoutExists(const std::string &fileName) const;
    /// Deletes a named layout. The active layout is never deleted (throws std::invalid_argument).
    void remove(const std::string &fileName) const;

private:
    server::IObjectFactory &m_factory;
    server::Ref<server::ISession> m_session;
};

} // namespace kw::layout
