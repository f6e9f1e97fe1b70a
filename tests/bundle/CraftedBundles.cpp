#include "CraftedBundles.h"

#include "TempPortal.h"
#include "bundle/LayoutTransfer.h"
#include "demo/DemoPortal.h"

#include <zip.h>

#include <stdexcept>
#include <sys/stat.h>

namespace kw::test {

using namespace kw::bundle;

Bytes craftZip(const std::vector<CraftedMember> &members)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t *archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive)
        throw std::runtime_error("craftZip: cannot create an archive");
    for (const CraftedMember &member : members) {
        zip_source_t *source = zip_source_buffer(archive, member.bytes.data(), member.bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, member.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0)
            throw std::runtime_error("craftZip: " + member.name + ": " + zip_strerror(archive));
        const auto at = static_cast<zip_uint64_t>(index);
        zip_set_file_compression(archive, at, member.method, member.level);
        zip_file_set_external_attributes(archive, at, 0, ZIP_OPSYS_UNIX,
                                         member.unixMode.value_or(S_IFREG | 0644u) << 16);
        if (member.encrypted && zip_file_set_encryption(archive, at, ZIP_EM_AES_256, "geheim") != 0)
            throw std::runtime_error("craftZip: no encryption here");
    }
    if (zip_close(archive) != 0)
        throw std::runtime_error(std::string("craftZip: ") + zip_strerror(archive));
    zip_stat_t stat;
    zip_source_stat(buffer, &stat);
    Bytes bytes(stat.size);
    zip_source_open(buffer);
    zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return bytes;
}

std::vector<CraftedMember> bundleMembers(Bundle bundle, const std::function<void(Manifest &)> &edit)
{
    fillManifestMembers(bundle);
    if (edit)
        edit(bundle.manifest);
    const std::string json = manifestJson(bundle.manifest);
    std::vector<CraftedMember> members = {{std::string(kManifestMember), Bytes(json.begin(), json.end())},
                                          {std::string(kLayoutMember), bundle.layout}};
    for (const BundlePicture &picture : bundle.pictures)
        members.push_back({pictureMember(picture.name), picture.bytes, 0});
    return members;
}

std::size_t memberDataOffset(const Bytes &zip, const std::string &name)
{
    auto u16 = [&](std::size_t at) { return static_cast<std::size_t>(zip[at] | zip[at + 1] << 8); };
    for (std::size_t at = 0; at + 30 <= zip.size(); ++at) {
        if (zip[at] != 'P' || zip[at + 1] != 'K' || zip[at + 2] != 3 || zip[at + 3] != 4)
            continue;
        const std::size_t nameLength = u16(at + 26), extraLength = u16(at + 28);
        if (std::string(zip.begin() + at + 30, zip.begin() + at + 30 + nameLength) == name)
            return at + 30 + nameLength + extraLength;
    }
    throw std::runtime_error("memberDataOffset: no member " + name);
}

namespace {

struct DemoPictures {
    Bundle blau;
    Bytes png; // the demo portal's logo
};

const DemoPictures &demo()
{
    static const DemoPictures pictures = [] {
        const TempDir dir;
        demo::createDemoPortal(dir.path());
        DemoPictures made{exportLayout(server::LocalPortal::open(dir.path()), "Blau.kwc"), {}};
        const std::string logo = readFile(dir.path() / "Images" / "Company" / "logo.png");
        made.png.assign(logo.begin(), logo.end());
        return made;
    }();
    return pictures;
}

Bytes text(const std::string &value)
{
    return Bytes(value.begin(), value.end());
}

Bytes picture(const Bundle &bundle, const std::string &name)
{
    for (const BundlePicture &p : bundle.pictures)
        if (p.name == name)
            return p.bytes;
    throw std::runtime_error("no picture " + name);
}

// The valid members with one more added.
Bytes withMember(const Bundle &valid, CraftedMember extra)
{
    std::vector<CraftedMember> members = bundleMembers(valid);
    members.push_back(std::move(extra));
    return craftZip(members);
}

// The valid members with the picture `name` changed (its manifest entry follows the new bytes).
Bytes withPicture(Bundle bundle, const std::string &name, const Bytes &bytes)
{
    for (BundlePicture &p : bundle.pictures)
        if (p.name == name)
            p.bytes = bytes;
    return craftZip(bundleMembers(bundle));
}

// A member whose directory entry promises a size or ratio the reader refuses, whose packed data is then
// spoiled: a refusal by the promise, not "damaged", shows that nothing was inflated before.
Bytes withSpoiledMember(const Bundle &valid, const std::string &name, std::size_t zeros)
{
    Bytes zip = withMember(valid, {name, Bytes(zeros, 0)});
    const std::size_t data = memberDataOffset(zip, name);
    for (std::size_t i = 0; i < 16; ++i)
        zip[data + i] ^= 0x5a;
    return zip;
}

// Bytes that deflate about tenfold: one random byte in every 32.
Bytes sparseNoise(std::size_t size)
{
    Bytes bytes(size);
    std::uint32_t state = 1;
    for (std::size_t i = 0; i < size; i += 32) {
        state = state * 1664525u + 1013904223u;
        bytes[i] = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

// Makes the valid bundle with one more member of that name.
std::function<Bytes(const Bundle &)> withMemberNamed(std::string name)
{
    return [name](const Bundle &valid) { return withMember(valid, {name, text("x")}); };
}

} // namespace

const Bundle &demoBundle()
{
    return demo().blau;
}

const std::vector<CraftedFault> &craftedFaults()
{
    static const std::vector<CraftedFault> faults = {
        {"NotAZip", "keine Zip-Datei",
         [](const Bundle &) { return text("Dies ist ein Layout, ehrlich.\n"); }},
        {"TruncatedZip", "abgeschnitten",
         [](const Bundle &valid) {
             Bytes zip = craftZip(bundleMembers(valid));
             zip.resize(zip.size() * 2 / 3);
             return zip;
         }},
        {"DotDotInAPath", "\"..\"", withMemberNamed("pictures/../../etc/evil.gif")},
        {"LeadingSlash", "absoluter Pfad", withMemberNamed("/etc/evil.gif")},
        {"LeadingBackslash", "absoluter Pfad", withMemberNamed("\\Windows\\evil.gif")},
        {"DriveLetter", "Laufwerksbuchstaben", withMemberNamed("C:pictures/evil.gif")},
        {"SymbolicLink", "symbolischer Verweis",
         [](const Bundle &valid) {
             return withMember(valid, {"pictures/link.gif", text("/etc/passwd"), 0, S_IFLNK | 0777u});
         }},
        {"NamesDifferingOnlyInCase", "Groß- und Kleinschreibung",
         [](const Bundle &valid) {
             return withMember(valid, {"pictures/ITEM.GIF", picture(valid, "item.gif")});
         }},
        {"MemberLargerThan16MB", "höchstens 16 MB",
         [](const Bundle &valid) { return withSpoiledMember(valid, "pictures/big.gif", (16u << 20) + 1); }},
        {"BundleLargerThan64MB", "mehr als 64 MB",
         [](const Bundle &valid) {
             std::vector<CraftedMember> members = bundleMembers(valid);
             // Each member within the limits, packed within the ratio, the file itself small.
             const Bytes filler = sparseNoise(13u << 20);
             for (int i = 0; i < 5; ++i)
                 members.push_back({"pictures/fill" + std::to_string(i) + ".gif", filler, 8, {}, false, 1});
             return craftZip(members);
         }},
        {"CompressionRatioAbove100", "100fach gepackt",
         [](const Bundle &valid) { return withSpoiledMember(valid, "pictures/bomb.gif", 2u << 20); }},
        {"ChecksumDoesNotMatch", "Prüfsumme von \"layout.kwc\"",
         [](const Bundle &valid) {
             return craftZip(bundleMembers(valid, [](Manifest &m) { m.members[0].sha256[0] ^= 1; }));
         }},
        {"SizeDoesNotMatch", "Größe von \"pictures/",
         [](const Bundle &valid) {
             return craftZip(bundleMembers(valid, [](Manifest &m) { m.members[1].size += 1; }));
         }},
        {"UnknownFormatVersion", "unbekannte Formatversion 2",
         [](const Bundle &valid) {
             return craftZip(bundleMembers(valid, [](Manifest &m) { m.format = 2; }));
         }},
        {"ManifestIsNoJson", "kein gültiges JSON",
         [](const Bundle &valid) {
             std::vector<CraftedMember> members = bundleMembers(valid);
             members[0].bytes = text("{\"format\": 1, \"layout\": \"Blau\",");
             return craftZip(members);
         }},
        {"ManifestLacksAField", "nennt den Namen des Layouts nicht",
         [](const Bundle &valid) {
             std::vector<CraftedMember> members = bundleMembers(valid);
             std::string json(members[0].bytes.begin(), members[0].bytes.end());
             json.replace(json.find("\"layout\""), 8, "\"Layout\"");
             members[0].bytes = text(json);
             return craftZip(members);
         }},
        {"LayoutIsNoLayoutFile", "Einstellungsblock KwStyleAsp",
         [](const Bundle &valid) {
             Bundle bundle = valid;
             bundle.layout = text("BODY { COLOR: #000000 }\r\n");
             bundle.pictures.clear();
             return craftZip(bundleMembers(bundle));
         }},
        {"LayoutIsNoText", "Null-Bytes",
         [](const Bundle &valid) {
             Bundle bundle = valid;
             bundle.layout = demo().png;
             return craftZip(bundleMembers(bundle));
         }},
        {"PictureDoesNotDecode", "lässt sich nicht als GIF lesen",
         [](const Bundle &valid) {
             return withPicture(valid, "item.gif", text("GIF89a\x08\x00\x08\x00 broken"));
         }},
        {"PictureTypeDoesNotMatchItsName", "ist ein PNG-Bild, sein Name sagt GIF",
         [](const Bundle &valid) { return withPicture(valid, "item.gif", demo().png); }},
        {"MoreThan256Members", "höchstens 256",
         [](const Bundle &valid) {
             std::vector<CraftedMember> members = bundleMembers(valid);
             for (int i = static_cast<int>(members.size()); i <= 256; ++i)
                 members.push_back({"pictures/p" + std::to_string(i) + ".gif", text("x"), 0});
             return craftZip(members);
         }},
        {"MemberNotInTheManifest", "steht nicht im Manifest",
         [](const Bundle &valid) {
             return withMember(valid, {"pictures/extra.gif", picture(valid, "item.gif")});
         }},
        {"ManifestNamesAMissingMember", "im Paket fehlt",
         [](const Bundle &valid) {
             std::vector<CraftedMember> members = bundleMembers(valid);
             members.pop_back();
             return craftZip(members);
         }},
        {"PictureTheLayoutDoesNotUse", "vom Layout nicht verwendet",
         [](const Bundle &valid) {
             Bundle bundle = valid;
             bundle.pictures.push_back({"extra.gif", picture(valid, "item.gif")});
             return craftZip(bundleMembers(bundle));
         }},
        {"NoPictureName", "Bild-Endung",
         [](const Bundle &valid) {
             return withMember(valid, {"pictures/default.asp", text("<% %>")});
         }},
        {"ForeignMember", "gehört nicht in ein Layout-Paket",
         [](const Bundle &valid) {
             return withMember(valid, {"readme.txt", text("hallo")});
         }},
        {"EncryptedMember", "verschlüsselt",
         [](const Bundle &valid) {
             std::vector<CraftedMember> members = bundleMembers(valid);
             members.back().encrypted = true;
             return craftZip(members);
         }},
        {"OtherCompressionMethod", "anderen Verfahren als Deflate",
         [](const Bundle &valid) {
             std::vector<CraftedMember> members = bundleMembers(valid);
             members[1].method = ZIP_CM_BZIP2;
             return craftZip(members);
         }},
        {"NoManifest", "\"manifest.json\" fehlt",
         [](const Bundle &valid) {
             std::vector<CraftedMember> members = bundleMembers(valid);
             members.erase(members.begin());
             return craftZip(members);
         }},
        {"DamagedData", "beschädigt",
         [](const Bundle &valid) {
             Bytes zip = craftZip(bundleMembers(valid));
             zip[memberDataOffset(zip, "pictures/item.gif") + 12] ^= 0xff;
             return zip;
         }},
    };
    return faults;
}

} // namespace kw::test
