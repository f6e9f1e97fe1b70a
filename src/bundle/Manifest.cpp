// The bundle's manifest.json, written and read with nlohmann's JSON library; the SHA-256 of its members
// through OpenSSL.
#include "bundle/BundleFormat.h"

#include <nlohmann/json.hpp>
#include <openssl/evp.h>

#include <cstdio>

namespace kw::bundle {

namespace {

using Json = nlohmann::ordered_json;

// Deeper documents are no manifest; refusing them keeps the parser's work small.
constexpr int kMaxDepth = 8;

[[noreturn]] void refuse(const std::string &reason)
{
    throw BundleRefusal(std::string(kManifestMember) + " " + reason);
}

const Json &field(const Json &object, const char *key, Json::value_t type, const char *what)
{
    const auto it = object.find(key);
    if (it == object.end())
        refuse(std::string("nennt ") + what + " nicht (\"" + key + "\" fehlt)");
    const bool fits =
        it->type() == type || (type == Json::value_t::number_unsigned && it->is_number_unsigned());
    if (!fits)
        refuse(std::string("nennt ") + what + " nicht richtig (\"" + key + "\" hat die falsche Art)");
    return *it;
}

std::string text(const Json &object, const char *key, const char *what)
{
    return field(object, key, Json::value_t::string, what).get<std::string>();
}

bool isSha256(const std::string &digest)
{
    return digest.size() == 64 && digest.find_first_not_of("0123456789abcdef") == std::string::npos;
}

int formatVersion(const Json &root)
{
    const auto it = root.find("format");
    if (it == root.end())
        refuse("nennt keine Formatversion (\"format\" fehlt)");
    if (it->is_number_unsigned() && it->get<std::uint64_t>() == static_cast<std::uint64_t>(kFormatVersion))
        return kFormatVersion;
    throw BundleRefusal("unbekannte Formatversion " + it->dump() + " (dieses Programm liest Version " +
                        std::to_string(kFormatVersion) + ")");
}

} // namespace

std::string sha256Hex(const std::uint8_t *data, std::size_t size)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(data, size, digest, &length, EVP_sha256(), nullptr) != 1)
        throw std::runtime_error("Die SHA-256-Prüfsumme kann nicht berechnet werden.");
    std::string hex;
    hex.reserve(2 * length);
    for (unsigned int i = 0; i < length; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}

std::string manifestJson(const Manifest &manifest)
{
    Json root;
    root["format"] = manifest.format;
    root["layout"] = manifest.layout;
    root["portal"] = manifest.portal;
    root["created"] = manifest.created;
    root["program"] = manifest.program;
    root["members"] = Json::array();
    for (const ManifestMember &member : manifest.members)
        root["members"].push_back({{"name", member.name}, {"size", member.size}, {"sha256", member.sha256}});
    root["missing"] = Json::array();
    for (const LeftOutPicture &picture : manifest.missing)
        root["missing"].push_back({{"name", picture.name}, {"reason", picture.reason}});
    // Names the program did not write itself may hold bytes that are no UTF-8; they are kept as '?'.
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

Manifest parseManifest(std::string_view source)
{
    Json root;
    try {
        root = Json::parse(source.begin(), source.end(), [](int depth, Json::parse_event_t, Json &) {
            if (depth > kMaxDepth)
                refuse("ist zu tief verschachtelt");
            return true;
        });
    } catch (const Json::parse_error &error) {
        refuse("ist kein gültiges JSON (Fehler bei Byte " + std::to_string(error.byte) + ")");
    }
    if (!root.is_object())
        refuse("ist kein JSON-Objekt");

    Manifest manifest;
    manifest.format = formatVersion(root);
    manifest.layout = text(root, "layout", "den Namen des Layouts");
    manifest.portal = text(root, "portal", "das Portal");
    manifest.created = text(root, "created", "die Zeit");
    manifest.program = text(root, "program", "das Programm");
    for (const Json &entry : field(root, "members", Json::value_t::array, "die Einträge")) {
        if (!entry.is_object())
            refuse("nennt einen Eintrag nicht als JSON-Objekt");
        ManifestMember member;
        member.name = text(entry, "name", "den Namen eines Eintrags");
        member.size = field(entry, "size", Json::value_t::number_unsigned, "die Größe eines Eintrags")
                          .get<std::uint64_t>();
        member.sha256 = text(entry, "sha256", "die Prüfsumme eines Eintrags");
        if (!isSha256(member.sha256))
            refuse("nennt für \"" + member.name + "\" keine SHA-256-Prüfsumme (64 Hexadezimalziffern)");
        manifest.members.push_back(std::move(member));
    }
    if (const auto missing = root.find("missing"); missing != root.end()) {
        if (!missing->is_array())
            refuse("nennt die fehlenden Bilder nicht als Liste");
        for (const Json &entry : *missing) {
            if (!entry.is_object())
                refuse("nennt ein fehlendes Bild nicht als JSON-Objekt");
            manifest.missing.push_back({text(entry, "name", "den Namen eines fehlenden Bildes"),
                                        text(entry, "reason", "den Grund")});
        }
    }
    return manifest;
}

} // namespace kw::bundle
