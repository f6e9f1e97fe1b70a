// What PostgreSQL spells differently from SQLite, in one place. Statements and the schema are written in
// SQLite's spelling with parameters as ?1, ?2 ...; these functions give PostgreSQL's.
#pragma once

#include <string>
#include <string_view>

namespace kw::server {

/// A statement for PostgreSQL: parameters ?N become $N (outside quotes), CAST(... AS BLOB) becomes BYTEA.
std::string postgresStatement(std::string_view sql);
/// Schema statements for PostgreSQL: column types, case-insensitive text, generated ids and the order
/// SQLite keeps in its implicit rowid.
std::string postgresSchema(std::string_view sql);
/// Whether a statement only reads (so that it needs no write lock).
bool isReadingStatement(std::string_view sql);

} // namespace kw::server
