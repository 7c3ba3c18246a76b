#pragma once
// The open SQLite handle of a connection, shared by the Connection object and
// every recordset opened on it, and the prepared-statement wrapper the layer
// runs its SQL with. Internal to the database layer.
#include "platform/db/error.h"
#include "platform/db/jetsql.h"

#include <QByteArray>
#include <QString>
#include <sqlite3.h>
#include <memory>
#include <string>
#include <unordered_map>

namespace db {

struct ConnectionState {
    explicit ConnectionState(sqlite3* handle) : handle(handle) {}
    ~ConnectionState();
    ConnectionState(const ConnectionState&) = delete;
    ConnectionState& operator=(const ConnectionState&) = delete;

    sqlite3* handle;
    bool writeAheadLog = false;   // its owner's alone: closed when let go, never kept

    // The layer's own statements (inserts, updates, row re-reads) stay prepared
    // for the life of the handle, keyed by their text.
    struct CachedStatement {
        sqlite3_stmt* statement = nullptr;
        bool inUse = false;
    };
    std::unordered_map<std::string, CachedStatement> cache;

    // The Jet statement in SQLite's dialect, rewritten with the declared types
    // of the file's tables (read again whenever the file's schema changes).
    jetsql::Rewritten translate(const QString& jetSql);
    const jetsql::Schema& schema();

    [[noreturn]] void fail(const QString& context = QString()) const;

private:
    jetsql::Schema schema_;
    std::int64_t schemaVersion_ = -1;
};

// Opens the file with the settings every connection of the system uses
// (SQLITE_OPEN_READWRITE unless `flags` say otherwise); db::Error when it cannot.
// A file opened for reading and writing may get a handle a closed connection
// left (see handlepool.h); the handle goes back there once no one holds it.
std::shared_ptr<ConnectionState> openState(const QString& path, int flags = SQLITE_OPEN_READWRITE);

// A prepared statement: either owned (finalized at the end) or taken from the
// connection's cache (reset and handed back at the end).
class Statement {
public:
    // Prepares `sql`; db::Error when the engine refuses it.
    Statement(ConnectionState& state, const QString& sql);
    // A statement of the layer's own, kept prepared between uses.
    static Statement cached(ConnectionState& state, const std::string& sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& operator=(Statement&&) = delete;

    sqlite3_stmt* get() const { return statement_; }
    bool step();                // true: a row is ready; false: done; db::Error on failure
    int columnCount() const { return sqlite3_column_count(statement_); }

private:
    Statement(ConnectionState& state, sqlite3_stmt* statement, ConnectionState::CachedStatement* slot);
    ConnectionState* state_;
    sqlite3_stmt* statement_ = nullptr;
    ConnectionState::CachedStatement* slot_ = nullptr;   // set for a cached statement
};

} // namespace db
