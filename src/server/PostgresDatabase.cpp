#include "server/PostgresDatabase.h"

#include "server/MessageFilter.h"
#include "server/SqlDialect.h"

#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kw::server {

namespace {

// PostgreSQL's NOTICEs ("relation already exists, skipping") are no business of the user.
void ignoreNotice(void *, const char *) {}

std::string trimmed(const char *text)
{
    std::string out = text ? text : "";
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

// Deadlocks, serialization failures and lock timeouts are the server saying "busy, try again".
bool isBusyState(const char *state)
{
    return state && (std::strcmp(state, "40001") == 0 || std::strcmp(state, "40P01") == 0 ||
                     std::strcmp(state, "55P03") == 0);
}

const char *kPasswordRefusal =
    "Die Adresse der Datenbank enthält ein Passwort. Das wird dort nicht angenommen, denn es stünde "
    "dann in KwPortal.conf und in Meldungen. Legen Sie das Passwort in der Passwortdatei von libpq ab "
    "(~/.pgpass oder die Datei, die PGPASSFILE nennt), und geben Sie die Adresse ohne Passwort an.";

} // namespace

void PostgresDatabase::ConnectionCloser::operator()(pg_conn *connection) const
{
    PQfinish(connection);
}

void PostgresDatabase::ResultClearer::operator()(pg_result *result) const
{
    PQclear(result);
}

void PostgresDatabase::checkAddress(const std::string &address)
{
    char *error = nullptr;
    PQconninfoOption *options = PQconninfoParse(address.c_str(), &error);
    if (!options) {
        const std::string message = trimmed(error);
        PQfreemem(error);
        throw ServerError(ServerError::InvalidArgument,
                          "Die Adresse der Datenbank ist nicht lesbar (libpq: " + message + ").");
    }
    bool hasPassword = false;
    for (const PQconninfoOption *option = options; option->keyword; ++option)
        if (std::strcmp(option->keyword, "password") == 0 && option->val && *option->val)
            hasPassword = true;
    PQconninfoFree(options);
    if (hasPassword)
        throw ServerError(ServerError::AccessDenied, kPasswordRefusal);
}

PostgresDatabase::PostgresDatabase(const std::string &address) : m_address(address)
{
    checkAddress(address);
    connect();
}

PostgresDatabase::~PostgresDatabase() = default;

void PostgresDatabase::connect()
{
    m_connection.reset(PQconnectdb(m_address.c_str()));
    if (!m_connection)
        throw ServerError(ServerError::DatabaseError, "Die Datenbank des Portals " + m_address +
                                                          " ist nicht erreichbar: nicht genug Speicher.");
    if (PQstatus(m_connection.get()) != CONNECTION_OK) {
        const std::string message = trimmed(PQerrorMessage(m_connection.get()));
        m_connection.reset();
        throw ServerError(ServerError::DatabaseError, "Die Datenbank des Portals " + m_address +
                                                          " ist nicht erreichbar (PostgreSQL: " + message +
                                                          ").");
    }
    PQsetNoticeProcessor(m_connection.get(), &ignoreNotice, nullptr);
    PQsetClientEncoding(m_connection.get(), "UTF8");
}

void PostgresDatabase::ensureConnected()
{
    if (m_connection && PQstatus(m_connection.get()) == CONNECTION_OK)
        return;
    if (inTransaction())
        throw ServerError(
            ServerError::DatabaseError,
            "Die Verbindung zur Datenbank des Portals " + m_address +
                " ist mitten in einer Transaktion abgebrochen; von ihr wurde nichts gespeichert.");
    connect();
}

void PostgresDatabase::fail(const std::string &sql, const pg_result *result) const
{
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const std::string detail =
        trimmed(result && *PQresultErrorMessage(result) ? PQresultErrorMessage(result)
                                                        : PQerrorMessage(m_connection.get()));
    std::string message = "Die Datenbank des Portals " + m_address + " hat die Anweisung \"" + sql +
                          "\" abgelehnt (PostgreSQL: " + detail + ").";
    const bool busy = isBusyState(state);
    if (busy)
        message += kDatabaseInUse;
    throw ServerError(busy ? ServerError::DatabaseBusy : ServerError::DatabaseError, message);
}

PostgresDatabase::Result PostgresDatabase::exec(const std::string &sql, const std::vector<SqlValue> &params,
                                                bool withParams)
{
    ensureConnected();
    Result result;
    if (!withParams) {
        result.reset(PQexec(m_connection.get(), sql.c_str()));
    } else {
        // Numbers go as text for the server to read in the column's type; strings as binary, so that
        // they reach text and bytea columns byte for byte.
        const std::string statement = postgresStatement(sql);
        std::vector<std::string> texts(params.size());
        std::vector<const char *> values(params.size());
        std::vector<int> lengths(params.size()), formats(params.size());
        for (std::size_t i = 0; i < params.size(); ++i) {
            const SqlValue &value = params[i];
            if (const auto *text = std::get_if<std::string>(&value)) {
                values[i] = text->data();
                lengths[i] = static_cast<int>(text->size());
                formats[i] = 1;
                continue;
            }
            if (const auto *number = std::get_if<std::int64_t>(&value)) {
                texts[i] = std::to_string(*number);
            } else if (const auto *real = std::get_if<double>(&value)) {
                char buffer[32];
                std::snprintf(buffer, sizeof buffer, "%.17g", *real);
                texts[i] = buffer;
            } else {
                values[i] = nullptr;
                continue;
            }
            values[i] = texts[i].c_str();
        }
        result.reset(PQexecParams(m_connection.get(), statement.c_str(), static_cast<int>(params.size()),
                                  nullptr, values.data(), lengths.data(), formats.data(), 0));
    }
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_EMPTY_QUERY)
        fail(sql, result.get());
    return result;
}

long PostgresDatabase::changedRows(const pg_result *result) const
{
    return std::strtol(PQcmdTuples(const_cast<pg_result *>(result)), nullptr, 10);
}

std::vector<SqlRow> PostgresDatabase::rowsOf(const pg_result *result) const
{
    std::vector<SqlRow> rows;
    const int count = PQntuples(result);
    const int columns = PQnfields(result);
    rows.reserve(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r) {
        SqlRow row;
        row.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            if (PQgetisnull(result, r, c)) {
                row.emplace_back(std::monostate{});
                continue;
            }
            const char *text = PQgetvalue(result, r, c);
            switch (PQftype(result, c)) {
            case 16: // bool
                row.emplace_back(std::int64_t{text[0] == 't' ? 1 : 0});
                break;
            case 20: // int8
            case 21: // int2
            case 23: // int4
            case 26: // oid
                row.emplace_back(static_cast<std::int64_t>(std::strtoll(text, nullptr, 10)));
                break;
            case 700: // float4
            case 701: // float8
                row.emplace_back(std::strtod(text, nullptr));
                break;
            case 1700: // numeric: whole numbers as integers (sum() of integers is one)
                if (std::strpbrk(text, ".eE"))
                    row.emplace_back(std::strtod(text, nullptr));
                else
                    row.emplace_back(static_cast<std::int64_t>(std::strtoll(text, nullptr, 10)));
                break;
            case 17: { // bytea
                std::size_t length = 0;
                unsigned char *bytes =
                    PQunescapeBytea(reinterpret_cast<const unsigned char *>(text), &length);
                row.emplace_back(std::string(reinterpret_cast<const char *>(bytes), length));
                PQfreemem(bytes);
                break;
            }
            default:
                row.emplace_back(std::string(text, static_cast<std::size_t>(PQgetlength(result, r, c))));
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

long PostgresDatabase::execute(const std::string &sql)
{
    long changed = 0;
    const auto work = [&] { changed = changedRows(exec(sql, {}, false).get()); };
    if (inTransaction() || isReadingStatement(sql))
        work();
    else
        transaction(work);
    return changed;
}

std::vector<SqlRow> PostgresDatabase::query(const std::string &sql, const std::vector<SqlValue> &params)
{
    std::vector<SqlRow> rows;
    const auto work = [&] { rows = rowsOf(exec(sql, params, true).get()); };
    if (inTransaction() || isReadingStatement(sql))
        work();
    else
        transaction(work);
    return rows;
}

long PostgresDatabase::run(const std::string &sql, const std::vector<SqlValue> &params)
{
    long changed = 0;
    const auto work = [&] { changed = changedRows(exec(sql, params, true).get()); };
    if (inTransaction() || isReadingStatement(sql))
        work();
    else
        transaction(work);
    return changed;
}

void PostgresDatabase::executeSchema(const std::string &sql)
{
    execute(postgresSchema(sql));
}

void PostgresDatabase::resetGeneratedIds()
{
    transaction([&] {
        const auto columns = query("SELECT table_name, column_name FROM information_schema.columns "
                                   "WHERE table_schema = current_schema() AND is_identity = 'YES'");
        for (const SqlRow &column : columns) {
            const std::string table = sqlText(column[0]);
            const std::string name = sqlText(column[1]);
            char *quotedTable = PQescapeIdentifier(m_connection.get(), table.c_str(), table.size());
            char *quotedName = PQescapeIdentifier(m_connection.get(), name.c_str(), name.size());
            const std::string sql =
                std::string("SELECT setval(pg_get_serial_sequence(?1, ?2), coalesce(max(") + quotedName +
                "), 0) + 1, false) FROM " + quotedTable;
            PQfreemem(quotedTable);
            PQfreemem(quotedName);
            query(sql, {table, name});
        }
    });
}

std::vector<std::string> PostgresDatabase::tables()
{
    std::vector<std::string> names;
    for (const SqlRow &row :
         query("SELECT table_name::text FROM information_schema.tables WHERE table_schema = "
               "current_schema() AND table_type = 'BASE TABLE' ORDER BY 1"))
        names.push_back(sqlText(row[0]));
    return names;
}

void PostgresDatabase::executeAlone(const std::string &sql)
{
    exec(sql, {}, false);
}

int PostgresDatabase::serverProcessId() const
{
    return m_connection ? PQbackendPID(m_connection.get()) : 0;
}

void PostgresDatabase::begin()
{
    const MessageFilterSettings &filter = threadMessageFilter();
    // Rejected calls are cancelled at once: only try the lock. Otherwise wait for it as long as the
    // filter allows.
    const bool wait = filter.retryReplyMs > 0;
    const std::string sql =
        wait
            ? "BEGIN; SET LOCAL lock_timeout = " + std::to_string(std::max(1, filter.messagePendingDelayMs)) +
                  "; SELECT pg_advisory_xact_lock(" + kWriteLockKey + ")"
            : std::string("BEGIN; SELECT pg_try_advisory_xact_lock(") + kWriteLockKey + ")";
    try {
        const Result result = exec(sql, {}, false);
        if (!wait && rowsOf(result.get()).at(0).at(0) != SqlValue(std::int64_t{1}))
            throw ServerError(ServerError::DatabaseBusy,
                              "Die Datenbank des Portals " + m_address +
                                  " wird gerade von einem anderen Programm geändert; versuchen Sie es später "
                                  "noch einmal.");
    } catch (...) {
        rollbackQuietly();
        throw;
    }
}

void PostgresDatabase::commit()
{
    const Result result = exec("COMMIT", {}, false);
    // COMMIT of a transaction that failed on the server answers ROLLBACK instead of an error.
    if (std::strcmp(PQcmdStatus(result.get()), "ROLLBACK") == 0)
        throw ServerError(ServerError::DatabaseError,
                          "Die Datenbank des Portals " + m_address +
                              " hat die Transaktion zurückgenommen; von ihr wurde nichts gespeichert.");
}

void PostgresDatabase::rollbackQuietly()
{
    if (m_connection && PQstatus(m_connection.get()) == CONNECTION_OK)
        PQclear(PQexec(m_connection.get(), "ROLLBACK"));
}

bool PostgresDatabase::mayRunAgain(const ServerError &error, int attempt)
{
    if (error.code() != ServerError::DatabaseBusy || !m_connection ||
        PQstatus(m_connection.get()) != CONNECTION_OK)
        return false;
    if (attempt == 0)
        m_retryWait.emplace();
    return m_retryWait->waitBeforeRetry();
}

} // namespace kw::server
