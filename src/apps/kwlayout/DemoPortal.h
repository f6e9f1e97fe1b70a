// The demo portal: data, pictures and layouts that show what the designer does.
#pragma once

#include <filesystem>

namespace kw::cli {

/// Fills a freshly created portal store with the demo data, the demo pictures, two named layouts and an
/// active layout.
void fillDemoPortal(const std::filesystem::path &folder);

} // namespace kw::cli
