// The layout bundle (.kwlayout): one zip file carrying a layout file, the pictures it names and a
// manifest. Its members, its limits and its manifest; docs/bundle.md describes the format.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kw::bundle {

using Bytes = std::vector<std::uint8_t>;

/// The file name extension of a bundle.
inline constexpr std::string_view kBundleExtension = ".kwlayout";
/// The bundle format this program writes and reads.
inline constexpr int kFormatVersion = 1;

/// Member names.
inline constexpr std::string_view kManifestMember = "manifest.json";
inline constexpr std::string_view kLayoutMember = "layout.kwc";
inline constexpr std::string_view kPictureFolder = "pictures/";

/// Limits, checked from the zip's central directory before anything is inflated.
inline constexpr std::uint64_t kMaxMemberSize = 16u << 20;   // one member unpacked
inline constexpr std::uint64_t kMaxUnpackedSize = 64u << 20; // every member together
inline constexpr std::uint64_t kMaxCompressionRatio = 100;   // unpacked size / packed size, per member
inline constexpr std::size_t kMaxMembers = 256;
inline constexpr std::uint64_t kMaxManifestSize = 1u << 20;

/// One member as the manifest lists it: its name in the zip, size and SHA-256 (64 lower-case hex digits).
struct ManifestMember {
    std::string name;
    std::uint64_t size = 0;
    std::string sha256;

    bool operator==(const ManifestMember &) const = default;
};

/// A picture the layout names that the bundle does not carry, and why.
struct LeftOutPicture {
    std::string name;
    std::string reason;

    bool operator==(const LeftOutPicture &) const = default;
};

struct Manifest {
    int format = kFormatVersion;
    std::string layout;  // the layout's name in the portal it came from ("Blau", "Aktives Layout")
    std::string portal;  // that portal's name
    std::string created; // UTC, "2026-12-07T01:23:45Z"
    std::string program; // "KwLOutMan10 10.0"
    std::vector<ManifestMember> members;
    std::vector<LeftOutPicture> missing;

    bool operator==(const Manifest &) const = default;
};

/// A picture the bundle carries: its file name (without the folder) and its bytes.
struct BundlePicture {
    std::string name;
    Bytes bytes;
};

/// A bundle's contents, checked (when read) or to be written.
struct Bundle {
    Manifest manifest;
    Bytes layout; // layout.kwc, the layout file's bytes
    std::vector<BundlePicture> pictures;
    std::string file; // the file it was read from, for messages; empty for one made in memory
};

/// Why a bundle is refused: the reason alone, in German, without the file (see BundleError).
class BundleRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A refused bundle: names the file and the reason.
class BundleError : public std::runtime_error {
public:
    BundleError(const std::string &file, const std::string &reason)
        : std::runtime_error("\"" + file + "\" ist kein brauchbares Layout-Paket: " + reason), m_file(file),
          m_reason(reason)
    {
    }
    const std::string &file() const { return m_file; }
    const std::string &reason() const { return m_reason; }

private:
    std::string m_file;
    std::string m_reason;
};

/// The manifest as JSON text (keys in the order above, members in the order given).
std::string manifestJson(const Manifest &manifest);
/// Reads a manifest; throws BundleRefusal for text that is no JSON, an unknown format version, or a
/// field that is missing or of the wrong kind.
Manifest parseManifest(std::string_view text);

/// The SHA-256 of the bytes as 64 lower-case hexadecimal digits.
std::string sha256Hex(const std::uint8_t *data, std::size_t size);
inline std::string sha256Hex(const Bytes &bytes)
{
    return sha256Hex(bytes.data(), bytes.size());
}

/// The name in double quotes, as the refusals name members and pictures.
inline std::string inQuotes(std::string_view name)
{
    return "\"" + std::string(name) + "\"";
}

/// "pictures/" + name.
inline std::string pictureMember(std::string_view name)
{
    return std::string(kPictureFolder) + std::string(name);
}

} // namespace kw::bundle
