#include "bundle/BundleReader.h"

#include "bundle/ZipArchive.h"

#include "base/SystemErrorText.h"
#include "base/TextCodec.h"
#include "base/Values.h"
#include "css/CssDocument.h"
#include "image/ImageErrors.h"
#include "image/ImageType.h"
#include "image/Readers.h"
#include "layout/LayoutReader.h"
#include "layoutmodel/PictureReferences.h"
#include "publish/ButtonStylesheet.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>

namespace kw::bundle {

namespace {

std::string megabytes(std::uint64_t bytes)
{
    return std::to_string(bytes >> 20) + " MB";
}

bool holdsControlCharacters(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char ch) { return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f; });
}

// The reasons a member name is no path inside the bundle, in the order a person would name them.
std::string pathFault(std::string_view name)
{
    if (name.empty())
        return "ein Eintrag hat keinen Namen";
    if (name.front() == '/' || name.front() == '\\')
        return "der Eintrag " + inQuotes(name) + " ist ein absoluter Pfad";
    if (name.size() >= 2 && name[1] == ':' && ((name[0] | 0x20) >= 'a' && (name[0] | 0x20) <= 'z'))
        return "der Eintrag " + inQuotes(name) + " beginnt mit einem Laufwerksbuchstaben";
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = name.find_first_of("/\\", start);
        if (name.substr(start, end == std::string_view::npos ? end : end - start) == "..")
            return "der Eintrag " + inQuotes(name) + " führt mit \"..\" aus dem Paket hinaus";
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (name.find('\\') != std::string_view::npos)
        return "der Eintrag " + inQuotes(name) + " enthält einen umgekehrten Schrägstrich";
    if (holdsControlCharacters(name))
        return "der Eintrag " + inQuotes(name) + " enthält Steuerzeichen";
    return {};
}

// What a member is.
enum class Role { Manifest, Layout, Picture, PictureFolder };

Role roleOf(const std::string &name)
{
    if (name == kManifestMember)
        return Role::Manifest;
    if (name == kLayoutMember)
        return Role::Layout;
    if (name == kPictureFolder)
        return Role::PictureFolder;
    if (!name.starts_with(kPictureFolder))
        throw BundleRefusal("der Eintrag " + inQuotes(name) +
                            " gehört nicht in ein Layout-Paket (erlaubt sind " +
                            std::string(kManifestMember) + ", " + std::string(kLayoutMember) + " und " +
                            std::string(kPictureFolder) + "NAME)");
    const std::string_view picture = std::string_view(name).substr(kPictureFolder.size());
    if (const std::string fault = pictureNameFault(picture); !fault.empty())
        throw BundleRefusal("der Eintrag " + inQuotes(name) + ": " + fault);
    return Role::Picture;
}

// The directory's checks, member by member and for the whole bundle; nothing is inflated.
struct Listing {
    std::vector<ZipEntry> entries;
    std::map<std::string, std::size_t> index; // by name
};

Listing listMembers(const ZipReader &zip)
{
    if (zip.count() > kMaxMembers)
        throw BundleRefusal("es hat " + std::to_string(zip.count()) + " Einträge, höchstens " +
                            std::to_string(kMaxMembers) + " sind erlaubt");
    Listing listing;
    std::map<std::string, std::string> byLowerName;
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < zip.count(); ++i) {
        ZipEntry entry = zip.entry(i);
        const std::string &name = entry.name;
        if (const std::string fault = pathFault(name); !fault.empty())
            throw BundleRefusal(fault);
        if (entry.symbolicLink)
            throw BundleRefusal("der Eintrag " + inQuotes(name) + " ist ein symbolischer Verweis");
        const auto [known, added] = byLowerName.emplace(toLowerAscii(name), name);
        if (!added)
            throw BundleRefusal(known->second == name
                                    ? "der Eintrag " + inQuotes(name) + " steht zweimal in der Zip-Datei"
                                    : "die Einträge " + inQuotes(known->second) + " und " + inQuotes(name) +
                                          " unterscheiden sich nur in Groß- und Kleinschreibung");
        roleOf(name);
        if (entry.encrypted)
            throw BundleRefusal("der Eintrag " + inQuotes(name) + " ist verschlüsselt");
        if (!entry.supportedMethod)
            throw BundleRefusal("der Eintrag " + inQuotes(name) +
                                " ist mit einem anderen Verfahren als Deflate gepackt");
        if (entry.size > kMaxMemberSize)
            throw BundleRefusal("der Eintrag " + inQuotes(name) + " ist entpackt " +
                                std::to_string(entry.size) + " Bytes groß, erlaubt sind höchstens " +
                                megabytes(kMaxMemberSize));
        if (entry.size > kMaxCompressionRatio * entry.packedSize)
            throw BundleRefusal("der Eintrag " + inQuotes(name) + " ist mehr als " +
                                std::to_string(kMaxCompressionRatio) + "fach gepackt (" +
                                std::to_string(entry.packedSize) + " Bytes ergeben " +
                                std::to_string(entry.size) + "), wie es Zip-Bomben sind");
        total += entry.size;
        if (total > kMaxUnpackedSize)
            throw BundleRefusal("es ist entpackt mehr als " + megabytes(kMaxUnpackedSize) + " groß");
        listing.index.emplace(name, i);
        listing.entries.push_back(std::move(entry));
    }
    for (const std::string_view required : {kManifestMember, kLayoutMember})
        if (!listing.index.count(std::string(required)))
            throw BundleRefusal(inQuotes(required) + " fehlt");
    return listing;
}

// The manifest's members against the zip's: the same names, the same sizes.
void matchManifest(const Manifest &manifest, const Listing &listing)
{
    std::map<std::string, const ManifestMember *> listed;
    for (const ManifestMember &member : manifest.members) {
        if (member.name == kManifestMember)
            throw BundleRefusal(std::string(kManifestMember) + " führt sich selbst als Eintrag");
        if (!listed.emplace(member.name, &member).second)
            throw BundleRefusal(std::string(kManifestMember) + " nennt " + inQuotes(member.name) +
                                " zweimal");
        const auto found = listing.index.find(member.name);
        if (found == listing.index.end())
            throw BundleRefusal(std::string(kManifestMember) + " nennt " + inQuotes(member.name) +
                                ", das im Paket fehlt");
        const ZipEntry &entry = listing.entries[found->second];
        if (entry.size != member.size)
            throw BundleRefusal("die Größe von " + inQuotes(member.name) + " (" + std::to_string(entry.size) +
                                " Bytes) stimmt nicht mit dem Manifest überein (" +
                                std::to_string(member.size) + " Bytes)");
    }
    for (const ZipEntry &entry : listing.entries) {
        const Role role = roleOf(entry.name);
        if (role != Role::Manifest && role != Role::PictureFolder && !listed.count(entry.name))
            throw BundleRefusal("der Eintrag " + inQuotes(entry.name) + " steht nicht im Manifest");
    }
}

Bytes readChecked(const ZipReader &zip, const Listing &listing, const ManifestMember &member)
{
    const std::size_t index = listing.index.at(member.name);
    Bytes bytes = zip.read(index, listing.entries[index]);
    if (sha256Hex(bytes) != member.sha256)
        throw BundleRefusal("die Prüfsumme von " + inQuotes(member.name) +
                            " stimmt nicht mit dem Manifest überein");
    return bytes;
}

// Whether the tree holds the layout's settings block, where the layout reader looks for it.
bool holdsSettingsBlock(const css::CCssElement &root)
{
    for (const auto &child : root.GetChildren()) {
        if (child->GetType() != css::CSS_BLOCK)
            continue;
        if (child->GetName() == "KwStyleAsp")
            return true;
        for (const auto &grandChild : child->GetChildren())
            if (grandChild->GetType() == css::CSS_BLOCK && grandChild->GetName() == "KwStyleAsp")
                return true;
    }
    return false;
}

} // namespace

std::string plainFileNameFault(std::string_view name, std::size_t maxBytes)
{
    if (name.empty())
        return "der Name ist leer";
    if (name.size() > maxBytes)
        return "der Name ist länger als " + std::to_string(maxBytes) + " Bytes";
    if (name.front() == '.')
        return "der Name beginnt mit einem Punkt";
    if (name.find_first_of("/\\:*?\"<>|") != std::string_view::npos)
        return "der Name enthält eines der Zeichen / \\ : * ? \" < > |";
    if (holdsControlCharacters(name))
        return "der Name enthält Steuerzeichen";
    return {};
}

std::string pictureNameFault(std::string_view name)
{
    if (std::string fault = plainFileNameFault(name, 255); !fault.empty())
        return fault;
    if (image::KwGetImageType(name) == 0)
        return "der Name endet nicht auf eine Bild-Endung (.bmp, .gif, .jpg, .jpeg, .jpe, .png, .xbm)";
    return {};
}

std::vector<std::string> picturesOfLayoutFile(std::span<const std::uint8_t> layout)
{
    if (std::find(layout.begin(), layout.end(), 0) != layout.end())
        throw BundleRefusal(std::string(kLayoutMember) + " ist keine Layoutdatei (es enthält Null-Bytes)");
    const std::string text = cp1252ToUtf8(layout);
    css::CCssDocument document;
    if (!document.LoadCss(text.data(), static_cast<int>(text.size()), true))
        throw BundleRefusal(std::string(kLayoutMember) + " lässt sich nicht lesen");
    if (!holdsSettingsBlock(document.Root()))
        throw BundleRefusal(std::string(kLayoutMember) +
                            " ist keine Layoutdatei (ihr fehlt der Einstellungsblock KwStyleAsp)");
    layout::LayoutModel model;
    layout::ColorSet colors;
    bool entryStyleFromCss = false;
    publish::readButtonStyles(model.buttons(), nullptr, document.Root());
    layout::readLayoutTree(document.Root(), model, colors, entryStyleFromCss);
    return layout::referencedPictures(model);
}

void checkPicture(const std::string &name, std::span<const std::uint8_t> bytes)
{
    const int code = image::KwGetImageType(name);
    const image::ImageType named = image::imageTypeFromCode(code);
    const image::ImageType actual = image::imageTypeOfContents(bytes);
    if (actual != image::ImageType::Unknown && actual != named)
        throw BundleRefusal("das Bild " + inQuotes(name) + " ist ein " +
                            std::string(image::resourceTypeName(static_cast<int>(actual))) +
                            "-Bild, sein Name sagt " + std::string(image::resourceTypeName(code)));
    try {
        image::decodePicture(named, bytes);
    } catch (const image::EGraphicsException &error) {
        throw BundleRefusal("das Bild " + inQuotes(name) + " lässt sich nicht als " +
                            std::string(image::resourceTypeName(code)) + " lesen (" + error.what() + ")");
    }
}

Bundle readBundle(std::span<const std::uint8_t> bytes, const std::string &fileName)
{
    try {
        const ZipReader zip(bytes);
        const Listing listing = listMembers(zip);

        const std::size_t manifestIndex = listing.index.at(std::string(kManifestMember));
        const ZipEntry &manifestEntry = listing.entries[manifestIndex];
        if (manifestEntry.size > kMaxManifestSize)
            throw BundleRefusal(std::string(kManifestMember) + " ist größer als " +
                                megabytes(kMaxManifestSize));
        const Bytes manifestBytes = zip.read(manifestIndex, manifestEntry);
        Bundle bundle;
        bundle.manifest = parseManifest(
            std::string_view(reinterpret_cast<const char *>(manifestBytes.data()), manifestBytes.size()));
        matchManifest(bundle.manifest, listing);

        for (const ManifestMember &member : bundle.manifest.members) {
            Bytes contents = readChecked(zip, listing, member);
            if (member.name == kLayoutMember)
                bundle.layout = std::move(contents);
            else
                bundle.pictures.push_back({member.name.substr(kPictureFolder.size()), std::move(contents)});
        }

        const std::vector<std::string> referenced = picturesOfLayoutFile(bundle.layout);
        for (const BundlePicture &picture : bundle.pictures) {
            const auto same = [&](const std::string &name) { return equalsIgnoringCase(name, picture.name); };
            if (std::none_of(referenced.begin(), referenced.end(), same))
                throw BundleRefusal("das Bild " + inQuotes(picture.name) +
                                    " wird vom Layout nicht verwendet");
            checkPicture(picture.name, picture.bytes);
        }
        return bundle;
    } catch (const BundleRefusal &refusal) {
        throw BundleError(fileName, refusal.what());
    }
}

Bundle readBundleFile(const std::filesystem::path &file)
{
    // The largest bundle: every member stored, with a generous allowance for the zip's own records.
    constexpr std::uintmax_t kMaxFileSize = kMaxUnpackedSize + kMaxMembers * 1024;
    const std::string name = file.string();
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        throw BundleError(name, "die Datei lässt sich nicht lesen (" + systemErrorText(error) + ")");
    if (size > kMaxFileSize)
        throw BundleError(name, "die Datei ist " + std::to_string(size) +
                                    " Bytes groß, ein Layout-Paket höchstens " +
                                    std::to_string(kMaxFileSize));
    std::ifstream in(file, std::ios::binary);
    Bytes bytes(size);
    if (!in.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(size)) ||
        in.peek() != std::char_traits<char>::eof())
        throw BundleError(name, "die Datei lässt sich nicht ganz lesen");
    Bundle bundle = readBundle(bytes, name);
    bundle.file = name;
    return bundle;
}

} // namespace kw::bundle
