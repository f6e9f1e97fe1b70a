// Headless Chromium for the browser tests: a page opened from a file, and what its script reports.
#pragma once

#include <filesystem>
#include <string>

namespace kw::test {

inline constexpr const char *kChromium = "/usr/bin/chromium";

/// Opens the page in headless Chromium (a fresh profile, no network, `virtualTimeMs` of virtual time for
/// scripts that wait) and returns the text the page's script left in its `<pre id="result">`; empty when
/// Chromium did not run or the page has none.
std::string pageResult(const std::filesystem::path &page, int virtualTimeMs = 0);

} // namespace kw::test
