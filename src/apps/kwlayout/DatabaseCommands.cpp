// `database info`, `database migrate URL` and the `--database URL` of portal-init.
#include "Commands.h"

#include "server/PortalStore.h"

#include <ostream>
#include <stdexcept>

namespace kw::cli {

std::string databaseOption(const Invocation &invocation)
{
    const auto &args = invocation.args;
    if (args.empty())
        return {};
    if (args.size() != 2 || args[0] != "--database")
        throw std::invalid_argument("portal-init takes only --database URL besides --demo and --force");
    if (args[1].empty())
        throw std::invalid_argument("--database needs the address of a PostgreSQL database");
    return args[1];
}

int database(const Invocation &invocation, std::ostream &out)
{
    const auto &args = invocation.args;
    if (args[0] == "info" && args.size() == 1) {
        const server::PortalDatabaseInfo info = server::describePortalDatabase(invocation.portal);
        out << "backend=" << (info.backend == server::DatabaseBackend::Postgres ? "postgresql" : "sqlite")
            << "\nlocation=" << info.location << "\nschema=" << info.schemaVersion << "\n";
        return 0;
    }
    if (args[0] == "migrate" && args.size() == 2) {
        for (const server::TableCount &count : server::migratePortalDatabase(invocation.portal, args[1]))
            out << count.table << "\t" << count.source << "\t" << count.target << "\n";
        out << "The portal now uses the PostgreSQL database; " << server::LocalPortal::kDatabaseFile
            << " is left as it was.\n";
        return 0;
    }
    throw std::invalid_argument("usage: database info | database migrate URL");
}

} // namespace kw::cli
