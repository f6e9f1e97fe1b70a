// kwlayout export and import: a layout with its pictures as one bundle file, and such a file checked and
// imported into the portal as one batch.
#include "CliInteraction.h"
#include "Commands.h"
#include "JsonOutput.h"

#include "bundle/BundleReader.h"
#include "bundle/LayoutTransfer.h"
#include "layout/LayoutList.h"

#include <iostream>
#include <ostream>
#include <stdexcept>

namespace kw::cli {

namespace {

const char *actionName(bundle::PictureAction action)
{
    switch (action) {
    case bundle::PictureAction::Create:
        return "create";
    case bundle::PictureAction::Replace:
        return "replace";
    case bundle::PictureAction::Keep:
        return "keep";
    }
    return "";
}

struct PlannedFile {
    std::string path; // in portal notation
    const char *action;
    std::uint64_t size;
};

std::vector<PlannedFile> plannedFiles(const bundle::ImportPlan &plan)
{
    std::vector<PlannedFile> files;
    for (const bundle::PlannedPicture &picture : plan.pictures)
        files.push_back({"Images\\Company\\" + picture.name, actionName(picture.action), picture.size});
    files.push_back(
        {"_KwTemplates\\" + plan.layoutFile, plan.replacesLayout ? "replace" : "create", plan.layoutSize});
    return files;
}

} // namespace

int exportLayout(const Invocation &invocation, std::ostream &out)
{
    const std::string layoutFile = fileOfLayout(invocation.args[0]);
    const std::string &target = invocation.args[1];
    const server::Environment env = openPortal(invocation);
    if (!layout::isActiveLayoutFile(layoutFile) &&
        !layout::LayoutList(*env.factory, env.session).namedLayoutExists(layoutFile))
        throw std::invalid_argument(std::string(loadString(StringId::LayoutFileNotFound)) + " (" +
                                    layoutFile + ")");
    bundle::Bundle contents;
    try {
        contents = bundle::exportLayout(env, layoutFile);
    } catch (const bundle::BundleRefusal &refusal) {
        // The core's German texts as the window shows them: the headline, the reason below it.
        throw std::runtime_error(std::string(loadString(StringId::LayoutNotExported)) + "\n  " +
                                 refusal.what());
    }
    if (!contents.manifest.missing.empty()) {
        std::string list;
        for (const bundle::LeftOutPicture &picture : contents.manifest.missing)
            list += "\n  " + picture.name + ": " + picture.reason;
        std::cerr << "kwlayout: " << formatString(StringId::PicturesNotExported, list.substr(1)) << "\n";
    }
    const bundle::Bytes bytes = bundle::writeBundle(contents);
    bundle::writeBundleFile(target, bytes);
    if (invocation.json) {
        nlohmann::ordered_json pictures = nlohmann::ordered_json::array();
        for (const bundle::BundlePicture &picture : contents.pictures)
            pictures.push_back({{"name", picture.name}, {"size", picture.bytes.size()}});
        nlohmann::ordered_json missing = nlohmann::ordered_json::array();
        for (const bundle::LeftOutPicture &picture : contents.manifest.missing)
            missing.push_back({{"name", picture.name}, {"reason", picture.reason}});
        const nlohmann::ordered_json written = {{"file", target},
                                                {"layout", contents.manifest.layout},
                                                {"size", bytes.size()},
                                                {"pictures", std::move(pictures)},
                                                {"missing", std::move(missing)}};
        writeJson(out, written);
        return 0;
    }
    out << "Exported " << contents.manifest.layout << " to " << target << " (" << contents.pictures.size()
        << " pictures";
    if (!contents.manifest.missing.empty())
        out << ", " << contents.manifest.missing.size() << " left out";
    out << ")\n";
    return 0;
}

int importLayout(const Invocation &invocation, std::ostream &out)
{
    const std::vector<std::string> &args = invocation.args;
    std::optional<std::string> name;
    if (args.size() == 3 && args[1] == "--as")
        name = args[2];
    else if (args.size() != 1)
        throw std::invalid_argument("usage: kwlayout --portal DIR import FILE [--as NAME] [--yes|--no]");
    bundle::Bundle contents;
    try {
        contents = bundle::readBundleFile(args[0]);
    } catch (const bundle::BundleError &refusal) {
        throw std::invalid_argument(refusal.what());
    }
    const server::Environment env = openPortal(invocation);
    const bundle::ImportPlan plan = bundle::planImport(env, contents, name);
    if (!plan.unavailable.empty())
        std::cerr << "kwlayout: " << formatString(StringId::PicturesUnavailable, [&] {
            std::string names;
            for (const std::string &picture : plan.unavailable)
                names += (names.empty() ? "" : ", ") + picture;
            return names;
        }()) << "\n";
    CliPrompter prompter(invocation.answer, std::cerr);
    const bool confirmed = bundle::confirmImport(plan, prompter);
    if (confirmed)
        bundle::applyImport(env, contents, plan);

    const std::vector<PlannedFile> files = plannedFiles(plan);
    if (invocation.json) {
        nlohmann::ordered_json planned = nlohmann::ordered_json::array();
        for (const PlannedFile &file : files)
            planned.push_back({{"path", file.path}, {"action", file.action}, {"size", file.size}});
        const nlohmann::ordered_json result = {{"layout", plan.layoutName},
                                               {"written", confirmed},
                                               {"files", std::move(planned)},
                                               {"unavailable", plan.unavailable}};
        writeJson(out, result);
        return 0;
    }
    for (const PlannedFile &file : files)
        out << file.action << "\t" << file.path << "\n";
    if (confirmed)
        out << "Imported " << plan.layoutName << "\n";
    else if (plan.replacesLayout)
        out << "Nothing was imported; to keep both layouts, import it under another name with --as NAME\n";
    else
        out << "Nothing was imported\n";
    return 0;
}

} // namespace kw::cli
