// Unified diffs of two versions of a published file, as `diff -u` prints them in a German locale, with a/
// and b/ before the portal path in the headers.
#pragma once

#include <optional>
#include <string>

namespace kw::publish {

/// The diff from `before` to `after` (none: the file does not exist; it is then /dev/null in the
/// header), with `context` unchanged lines around each change; empty when both are the same. Files
/// holding a NUL byte are reported as binary files that differ.
std::string unifiedDiff(const std::string &path, const std::optional<std::string> &before,
                        const std::optional<std::string> &after, int context = 3);

} // namespace kw::publish
