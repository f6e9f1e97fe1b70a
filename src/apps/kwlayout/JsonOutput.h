// kwlayout's JSON output written with nlohmann-json: one document, indented, bytes that are no UTF-8
// (a file name of another encoding) replaced instead of ending the command.
#pragma once

#include <nlohmann/json.hpp>

#include <ostream>

namespace kw::cli {

inline void writeJson(std::ostream &out, const nlohmann::ordered_json &document)
{
    out << document.dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

} // namespace kw::cli
