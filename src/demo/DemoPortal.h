// The demo portal: data, pictures and layouts that show what the designer does.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace kw::demo {

/// Fills a freshly created portal store with the demo data, the demo pictures, two named layouts and an
/// active layout.
void fillDemoPortal(const std::filesystem::path &folder);

/// Gives a freshly created portal store its active layout: the default layout published, with every
/// stylesheet and settings script, so that a new portal opens like any other.
void publishInitialLayout(const std::filesystem::path &folder);

/// Creates the demo portal in `folder` (created when missing): the portal store and `fillDemoPortal`.
void createDemoPortal(const std::filesystem::path &folder);

/// The bytes of a demo picture by file name (empty when there is none).
std::span<const std::uint8_t> picture(std::string_view name);

} // namespace kw::demo
