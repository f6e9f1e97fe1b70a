#include "Commands.h"

#include "server/PortalStore.h"

#include <filesystem>
#include <ostream>

namespace kw::cli {

namespace {

int portalInit(const Invocation &invocation, std::ostream &out)
{
    const std::filesystem::path folder(invocation.portal);
    server::PortalCreateOptions options;
    options.portalName = invocation.demo ? "Demo-Portal" : folder.filename().string();
    options.overwrite = invocation.force;
    server::createPortalStore(folder, options);
    if (invocation.demo)
        server::addDemoData(folder);
    out << "Portal created in " << folder.string() << (invocation.demo ? " (demo)" : "") << "\n";
    return 0;
}

} // namespace

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        {"portal-init", "portal-init [--demo] [--force]",
         "creates a portal store in DIR; --demo fills it with the demo portal", 0, 0, &portalInit},
        {"image-info", "image-info FILE",
         "decodes a picture and prints type, size, bits per pixel, colours and transparent index", 1, 1,
         &imageInfo},
    };
    return table;
}

} // namespace kw::cli
