// The core's UTF-8 text (std::string, string views, the string table) as Qt's strings.
#pragma once

#include <QString>

#include <string_view>

namespace kw::platform {

/// UTF-8 text as a QString.
inline QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace kw::platform
