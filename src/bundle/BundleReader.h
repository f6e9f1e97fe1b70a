// Reading a layout bundle from outside: every check before anything of it is used. The zip's directory
// first (names, links, sizes, compression ratios, before anything is inflated), then the manifest, every
// member's size and checksum, the layout file and every picture.
#pragma once

#include "bundle/BundleFormat.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace kw::bundle {

/// Reads and checks a bundle held in memory; `fileName` names it in a refusal. Throws BundleError for
/// any fault of the bytes (and std::bad_alloc when memory runs out, nothing else).
Bundle readBundle(std::span<const std::uint8_t> bytes, const std::string &fileName);

/// The same for a file of the local file system. A file larger than any bundle can be is refused before
/// it is read; a file that cannot be read is refused with the system's reason.
Bundle readBundleFile(const std::filesystem::path &file);

/// The pictures a layout file names, read through the layout reader into a model (see
/// `referencedPictures`). Throws BundleRefusal when the bytes are no layout file (text with the
/// layout's settings block).
std::vector<std::string> picturesOfLayoutFile(std::span<const std::uint8_t> layout);

/// Checks that `bytes` are a picture that decodes with the image object's reader for the type its file
/// name gives, and that its contents are of that type. Throws BundleRefusal naming the picture.
void checkPicture(const std::string &name, std::span<const std::uint8_t> bytes);

/// Whether `name` can be a file's name in a portal folder: no folder, no drive, no wildcard or quote, no
/// control character, not hidden, at most `maxBytes` bytes. The reason why not, or empty.
std::string plainFileNameFault(std::string_view name, std::size_t maxBytes);

/// Whether `name` can be a picture's file name in the portal and in a bundle: a plain file name of at most
/// 255 bytes with a picture extension. The reason why not, or empty.
std::string pictureNameFault(std::string_view name);

} // namespace kw::bundle
