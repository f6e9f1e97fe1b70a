// A layout bundle of any content, read with every check. Only refusals of the bundle reader may come out,
// and a bundle it accepts must write and read back to the same contents.
//
// Two kinds of input. Raw: the bytes are the bundle file (the zip's directory, names, sizes, its CRCs).
// Built: an input that starts with "KWB\n" holds the members themselves, separated by lines "----\n": the
// manifest's text, the layout file, then each picture as its member name, a line break and its bytes. The
// target zips them (so libzip's CRCs always fit) and puts each member's real size and SHA-256 where the
// manifest says "@SIZE@" and "@SHA@", in member order, so that mutations reach the manifest's reader and
// the checks of the layout and the pictures, which a wrong CRC or checksum would stop first.
#include "bundle/BundleReader.h"
#include "bundle/LayoutTransfer.h"
#include "bundle/ZipArchive.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using kw::bundle::Bytes;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "bundle round trip: %s\n", what);
    std::abort();
}

constexpr std::string_view kBuilt = "KWB\n";
constexpr std::string_view kSeparator = "\n----\n";

void replaceFirst(std::string &text, std::string_view placeholder, const std::string &value)
{
    if (const std::size_t at = text.find(placeholder); at != std::string::npos)
        text.replace(at, placeholder.size(), value);
}

// The zip of a built input.
Bytes buildBundle(std::string_view input)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = input.find(kSeparator, start);
        parts.push_back(input.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + kSeparator.size();
    }
    struct Member {
        std::string name;
        Bytes bytes;
    };
    std::vector<Member> members;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        std::string_view part = parts[i];
        std::string name(kw::bundle::kLayoutMember);
        if (i > 1) {
            const std::size_t line = part.find('\n');
            name = std::string(part.substr(0, line));
            part = line == std::string_view::npos ? std::string_view() : part.substr(line + 1);
        }
        members.push_back({name, Bytes(part.begin(), part.end())});
    }
    std::string manifest(parts[0]);
    for (const Member &member : members) {
        replaceFirst(manifest, "@SIZE@", std::to_string(member.bytes.size()));
        replaceFirst(manifest, "@SHA@", kw::bundle::sha256Hex(member.bytes));
    }
    const Bytes manifestBytes(manifest.begin(), manifest.end());
    kw::bundle::ZipWriter zip;
    zip.add(std::string(kw::bundle::kManifestMember), manifestBytes, true, 0);
    for (const Member &member : members)
        zip.add(member.name, member.bytes, member.name == kw::bundle::kLayoutMember, 0);
    return zip.finish();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    Bytes built;
    if (input.starts_with(kBuilt)) {
        try {
            built = buildBundle(input.substr(kBuilt.size()));
        } catch (const std::runtime_error &) {
            return 0; // a member name libzip will not take
        }
    }
    const std::span<const std::uint8_t> bytes =
        built.empty() ? std::span(data, size) : std::span<const std::uint8_t>(built);
    kw::bundle::Bundle bundle;
    try {
        bundle = kw::bundle::readBundle(bytes, "fuzz.kwlayout");
    } catch (const kw::bundle::BundleError &) {
        return 0;
    }
    kw::bundle::Bundle again;
    try {
        again = kw::bundle::readBundle(kw::bundle::writeBundle(bundle), "again.kwlayout");
    } catch (const kw::bundle::BundleError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        fail("an accepted bundle, written again, is refused");
    }
    if (again.layout != bundle.layout)
        fail("the layout file differs");
    if (again.pictures.size() != bundle.pictures.size())
        fail("the number of pictures differs");
    for (std::size_t i = 0; i < bundle.pictures.size(); ++i)
        if (again.pictures[i].name != bundle.pictures[i].name ||
            again.pictures[i].bytes != bundle.pictures[i].bytes)
            fail("a picture differs");
    kw::bundle::fillManifestMembers(bundle);
    if (again.manifest != bundle.manifest)
        fail("the manifest differs");
    return 0;
}
