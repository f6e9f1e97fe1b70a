#include "server/PortalConfig.h"

#include "base/SystemErrorText.h"
#include "server/PostgresDatabase.h"
#include "server/SqliteDatabase.h"

#include <fstream>
#include <sstream>

namespace kw::server {

namespace fs = std::filesystem;

namespace {

std::string trimmed(std::string text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<std::string> configuredDatabase(const fs::path &folder)
{
    const fs::path file = folder / kPortalConfigFile;
    std::error_code ec;
    if (!fs::exists(file, ec))
        return std::nullopt;
    std::ifstream in(file);
    if (!in)
        throw ServerError(ServerError::AccessDenied,
                          "Die Datei " + file.string() + " kann nicht gelesen werden.");
    std::optional<std::string> address;
    for (std::string line; std::getline(in, line);) {
        line = trimmed(line);
        if (line.empty() || line.front() == '#')
            continue;
        const auto equals = line.find('=');
        if (equals != std::string::npos && trimmed(line.substr(0, equals)) == "database")
            address = trimmed(line.substr(equals + 1));
    }
    if (address && address->empty())
        address.reset();
    if (address)
        PostgresDatabase::checkAddress(*address);
    return address;
}

void writeConfiguredDatabase(const fs::path &folder, const std::string &address)
{
    const fs::path file = folder / kPortalConfigFile;
    std::error_code ec;
    if (address.empty()) {
        fs::remove(file, ec);
        if (ec)
            throw ServerError(ServerError::WriteFault,
                              "Die Datei " + file.string() +
                                  " kann nicht gelöscht werden: " + systemErrorText(ec));
        return;
    }
    PostgresDatabase::checkAddress(address);
    const fs::path fresh = folder / (std::string(kPortalConfigFile) + ".new");
    {
        std::ofstream out(fresh, std::ios::trunc);
        out << "# The portal's database (a libpq connection address); without this line the portal uses "
            << kEmbeddedDatabaseFile << ".\n"
            << "database=" << address << "\n";
        out.flush();
        if (!out)
            throw ServerError(ServerError::WriteFault,
                              "Die Datei " + fresh.string() + " kann nicht geschrieben werden.");
    }
    fs::rename(fresh, file, ec);
    if (ec) {
        fs::remove(fresh, ec);
        throw ServerError(ServerError::WriteFault,
                          "Die Datei " + file.string() + " kann nicht geschrieben werden.");
    }
}

std::unique_ptr<Database> openPortalDatabase(const fs::path &folder)
{
    if (const auto address = configuredDatabase(folder))
        return std::make_unique<PostgresDatabase>(*address);
    return std::make_unique<SqliteDatabase>(folder / kEmbeddedDatabaseFile, false);
}

} // namespace kw::server
