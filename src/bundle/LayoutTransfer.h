// Moving a layout between portals: a stored layout with its pictures exported as a bundle, and a checked
// bundle imported into a portal as one batch of writes, after the questions it raises.
#pragma once

#include "base/Prompter.h"
#include "bundle/BundleFormat.h"
#include "server/LocalPortal.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kw::bundle {

/// Collects a stored layout ("global.css" or NAME.kwc) from the portal: the layout file (a named one as
/// stored; the active one as it is stored under a name, with what menu.css and buttonstyles.css add to
/// it), every picture it names that Images\Company holds and that decodes as its name says, and the
/// manifest, whose `missing` lists the pictures left out and why. Reads only. Throws ServerError (the
/// portal) and BundleRefusal (a layout file that is none, or more than a bundle may hold).
Bundle exportLayout(const server::Environment &env, const std::string &layoutFile);

/// Lists the layout file and every picture in the manifest's members, with size and SHA-256.
void fillManifestMembers(Bundle &bundle);

/// The bundle as a zip file: manifest.json (its members listed from the contents), layout.kwc and
/// pictures/NAME for every picture.
Bytes writeBundle(Bundle bundle);

/// Writes a bundle's bytes to a file of the local file system, replacing it atomically. Throws
/// ServerError naming the file.
void writeBundleFile(const std::filesystem::path &file, const Bytes &bytes);

/// What importing a picture does.
enum class PictureAction {
    Create,  // the portal has no picture of that name
    Replace, // it has one with other bytes (a question)
    Keep,    // it has one with the same bytes: nothing is written
};

struct PlannedPicture {
    std::string name;
    PictureAction action = PictureAction::Create;
    std::uint64_t size = 0;
};

struct ImportPlan {
    std::string layoutName;      // as the layout list will show it
    std::string layoutFile;      // NAME.kwc in _KwTemplates
    bool replacesLayout = false; // a layout of that name exists (a question)
    std::uint64_t layoutSize = 0;
    std::vector<PlannedPicture> pictures;
    /// Pictures the layout names that neither the bundle nor the portal has (the manifest's `missing`).
    std::vector<std::string> unavailable;
};

/// The name a bundle's layout is imported under without `--as`: its own, or for a bundle of an active
/// layout "Aktives Layout aus PORTAL".
std::string defaultImportName(const Manifest &manifest);

/// The reason `name` cannot name an imported layout (empty when it can): a file name without path,
/// wildcard, quote or control character, not hidden, and not the active layout.
std::string layoutNameFault(std::string_view name);

/// A name for an imported layout that the portal does not use yet: `name` itself when it is free, else
/// "NAME 2", "NAME 3", ... Throws ServerError.
std::string freeLayoutName(const server::Environment &env, const std::string &name);

/// Compares a checked bundle with the portal: what importing it under `name` (NAME or NAME.kwc; by
/// default `defaultImportName`) would write. Reads only. Throws std::invalid_argument for a name that
/// cannot be used (naming the bundle's file when the name is the bundle's own), ServerError for the
/// portal.
ImportPlan planImport(const server::Environment &env, const Bundle &bundle,
                      const std::optional<std::string> &name);

/// Asks what the plan raises: replacing the portal's pictures of other bytes (one question naming them),
/// replacing the layout of that name. True when there was nothing to ask or every answer was Yes.
bool confirmImport(const ImportPlan &plan, Prompter &prompter);

/// Writes the plan's new and replaced pictures into Images\Company and the layout file into
/// _KwTemplates as one batch of the portal: all of it or, on any failure, nothing. It is no activation:
/// the publishing history does not record it. Throws ServerError.
void applyImport(const server::Environment &env, const Bundle &bundle, const ImportPlan &plan);

} // namespace kw::bundle
