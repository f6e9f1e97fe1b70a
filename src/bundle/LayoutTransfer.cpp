#include "bundle/LayoutTransfer.h"

#include "bundle/BundleReader.h"
#include "bundle/ZipArchive.h"

#include "base/TextCodec.h"
#include "base/Values.h"
#include "layout/LayoutDocument.h"
#include "layout/LayoutList.h"
#include "server/PortalAccess.h"
#include "server/PortalFileSystem.h"

#include <algorithm>
#include <ctime>

namespace kw::bundle {

using server::Ref;

namespace {

std::string portalName(const server::Environment &env)
{
    const Ref<server::IPortal> portal = env.session->GetPortal();
    const std::string name = portal ? portal->GetPortalName() : std::string();
    return name.empty() ? env.session->GetSessionName() : name;
}

// The layout file's bytes: a named layout as stored, the active one in its stored form under a name.
Bytes storedLayoutFile(const server::PortalConnection &connection, const std::string &layoutFile)
{
    if (!layout::isActiveLayoutFile(layoutFile))
        return connection.folder(server::folders::Templates)
            ->GetFile(layoutFile, server::ModeRead)
            ->GetBytes();
    layout::LayoutModel model;
    layout::ColorSet colors;
    layout::LayoutFlags flags;
    layout::readStoredLayout(connection, layoutFile, model, colors, flags);
    return utf8ToCp1252(layout::namedLayoutText(model, flags));
}

// The picture's bytes when the portal holds a usable one, else why it is left out.
std::optional<Bytes> portalPicture(server::IServerFolder &images, const std::string &name,
                                   std::string &reason)
{
    if (!images.HasFile(name)) {
        reason = "fehlt im Portal (Images\\Company)";
        return std::nullopt;
    }
    Bytes bytes = images.GetFile(name, server::ModeRead)->GetBytes();
    if (bytes.size() > kMaxMemberSize) {
        reason = "ist größer als " + std::to_string(kMaxMemberSize >> 20) + " MB";
        return std::nullopt;
    }
    try {
        checkPicture(name, bytes);
    } catch (const BundleRefusal &refusal) {
        reason = refusal.what();
        return std::nullopt;
    }
    return bytes;
}

} // namespace

Bundle exportLayout(const server::Environment &env, const std::string &layoutFile)
{
    const server::PortalConnection connection(*env.factory, env.session);
    Bundle bundle;
    bundle.layout = storedLayoutFile(connection, layoutFile);
    bundle.manifest.layout = layout::layoutTitle(layoutFile);
    bundle.manifest.portal = portalName(env);
    bundle.manifest.created = utcTimestamp();
    bundle.manifest.program = "KwLOutMan10 " KW_VERSION;

    const Ref<server::IServerFolder> images = connection.folder(server::folders::CompanyImages);
    std::uint64_t total = bundle.layout.size();
    for (const std::string &name : picturesOfLayoutFile(bundle.layout)) {
        std::string reason;
        std::optional<Bytes> bytes = portalPicture(*images, name, reason);
        if (!bytes) {
            bundle.manifest.missing.push_back({name, reason});
            continue;
        }
        total += bytes->size();
        bundle.pictures.push_back({name, std::move(*bytes)});
    }
    if (bundle.layout.size() > kMaxMemberSize || total > kMaxUnpackedSize)
        throw BundleRefusal("das Layout ist mit seinen Bildern größer, als ein Layout-Paket sein darf (" +
                            std::to_string(kMaxUnpackedSize >> 20) + " MB)");
    return bundle;
}

void fillManifestMembers(Bundle &bundle)
{
    std::vector<ManifestMember> &members = bundle.manifest.members;
    members.clear();
    members.push_back({std::string(kLayoutMember), bundle.layout.size(), sha256Hex(bundle.layout)});
    for (const BundlePicture &picture : bundle.pictures)
        members.push_back({pictureMember(picture.name), picture.bytes.size(), sha256Hex(picture.bytes)});
}

Bytes writeBundle(Bundle bundle)
{
    fillManifestMembers(bundle);
    const std::string json = manifestJson(bundle.manifest);
    const std::time_t now = std::time(nullptr);

    ZipWriter zip;
    zip.add(std::string(kManifestMember), {reinterpret_cast<const std::uint8_t *>(json.data()), json.size()},
            true, now);
    zip.add(std::string(kLayoutMember), bundle.layout, true, now);
    // Pictures are packed already (or, as bitmaps, could pack beyond the ratio a reader accepts).
    for (const BundlePicture &picture : bundle.pictures)
        zip.add(pictureMember(picture.name), picture.bytes, false, now);
    return zip.finish();
}

void writeBundleFile(const std::filesystem::path &file, const Bytes &bytes)
{
    const std::filesystem::path absolute = std::filesystem::absolute(file);
    const std::filesystem::path folder = absolute.parent_path();
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        throw ServerError(ServerError::NotFound, "Die Datei " + absolute.string() +
                                                     " kann nicht geschrieben werden: Den Ordner " +
                                                     folder.string() + " gibt es nicht.");
    server::PortalFileSystem(folder).writeAtomically(absolute, bytes);
}

std::string defaultImportName(const Manifest &manifest)
{
    if (!layout::isActiveLayoutFile(layout::layoutFileFromName(manifest.layout)))
        return manifest.layout;
    return manifest.portal.empty() ? std::string("Importiertes Layout")
                                   : "Aktives Layout aus " + manifest.portal;
}

std::string layoutNameFault(std::string_view name)
{
    if (layout::isActiveLayoutFile(name) || layout::isActiveLayoutFile(layout::layoutFileFromName(name)))
        return "ein Import wird nie das aktive Layout";
    return plainFileNameFault(name, 200);
}

std::string freeLayoutName(const server::Environment &env, const std::string &name)
{
    const layout::LayoutList list(*env.factory, env.session);
    std::string candidate = name;
    for (int number = 2; list.namedLayoutExists(layout::layoutFileFromName(candidate)); ++number)
        candidate = name + " " + std::to_string(number);
    return candidate;
}

ImportPlan planImport(const server::Environment &env, const Bundle &bundle,
                      const std::optional<std::string> &name)
{
    std::string title = name.value_or(defaultImportName(bundle.manifest));
    if (title.size() > layout::kLayoutExtension.size() &&
        equalsIgnoringCase(std::string_view(title).substr(title.size() - layout::kLayoutExtension.size()),
                           layout::kLayoutExtension))
        title.resize(title.size() - layout::kLayoutExtension.size());
    if (const std::string fault = layoutNameFault(title); !fault.empty()) {
        if (name)
            throw std::invalid_argument("\"" + title + "\" taugt nicht als Name des Layouts: " + fault);
        // The name comes from the bundle: the file is named, and another name is the way out.
        const std::string where = bundle.file.empty() ? "im Paket" : "im Paket \"" + bundle.file + "\"";
        throw std::invalid_argument("Das Layout " + where + " heißt \"" + title +
                                    "\", und das taugt nicht als Name des Layouts: " + fault +
                                    ". Importieren Sie es unter einem anderen Namen.");
    }

    ImportPlan plan;
    plan.layoutName = title;
    plan.layoutFile = layout::layoutFileFromName(title);
    plan.layoutSize = bundle.layout.size();
    const server::PortalConnection connection(*env.factory, env.session);
    plan.replacesLayout = connection.folder(server::folders::Templates)->HasFile(plan.layoutFile);

    const Ref<server::IServerFolder> images = connection.folder(server::folders::CompanyImages);
    for (const BundlePicture &picture : bundle.pictures) {
        PlannedPicture planned{picture.name, PictureAction::Create, picture.bytes.size()};
        if (images->HasFile(picture.name))
            planned.action = images->GetFile(picture.name, server::ModeRead)->GetBytes() == picture.bytes
                                 ? PictureAction::Keep
                                 : PictureAction::Replace;
        plan.pictures.push_back(std::move(planned));
    }
    for (const std::string &referenced : picturesOfLayoutFile(bundle.layout)) {
        const auto carried = [&](const BundlePicture &picture) {
            return equalsIgnoringCase(picture.name, referenced);
        };
        if (std::none_of(bundle.pictures.begin(), bundle.pictures.end(), carried) &&
            !images->HasFile(referenced))
            plan.unavailable.push_back(referenced);
    }
    return plan;
}

bool confirmImport(const ImportPlan &plan, Prompter &prompter)
{
    std::string replaced;
    for (const PlannedPicture &picture : plan.pictures)
        if (picture.action == PictureAction::Replace)
            replaced += (replaced.empty() ? "" : ", ") + picture.name;
    if (!replaced.empty() &&
        prompter.ask(formatString(StringId::AskReplacePictures, replaced)) != Prompter::Answer::Yes)
        return false;
    return !plan.replacesLayout ||
           prompter.ask(formatString(StringId::AskReplaceLayout, plan.layoutName)) == Prompter::Answer::Yes;
}

void applyImport(const server::Environment &env, const Bundle &bundle, const ImportPlan &plan)
{
    server::PublishScope batch(*env.factory, env.session, plan.layoutName,
                               server::PublishScope::Kind::Import);
    const server::PortalConnection connection(*env.factory, env.session);
    const Ref<server::IServerFolder> images = connection.folder(server::folders::CompanyImages);
    for (const PlannedPicture &planned : plan.pictures) {
        if (planned.action == PictureAction::Keep)
            continue;
        const auto same = [&](const BundlePicture &picture) { return picture.name == planned.name; };
        const auto picture = std::find_if(bundle.pictures.begin(), bundle.pictures.end(), same);
        images->GetFile(picture->name, server::ModeCreateWrite)->PutBytes(picture->bytes);
    }
    connection.folder(server::folders::Templates)
        ->GetFile(plan.layoutFile, server::ModeCreateWrite)
        ->PutBytes(bundle.layout);
    batch.commit();
}

} // namespace kw::bundle
