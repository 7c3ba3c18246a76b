#include "platform/db/connectionstate.h"

#include "platform/db/columns.h"
#include "platform/db/enginefailure.h"

namespace db {

namespace {
constexpr std::size_t kCacheLimit = 256;   // distinct statements kept prepared per handle
}

ConnectionState::~ConnectionState()
{
    for (auto& [text, cached] : cache) sqlite3_finalize(cached.statement);
    // A transaction left open by a forgotten commit is rolled back by the close.
    sqlite3_close_v2(handle);
}

void ConnectionState::fail(const QString& context) const
{
    const int code = sqlite3_extended_errcode(handle) & 0xFF;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        throw Error(QStringLiteral("数据库正忙，另一个程序正在使用它"), Error::Kind::Busy);
    QString message = QString::fromUtf8(sqlite3_errmsg(handle));
    if (!context.isEmpty()) message += QStringLiteral(" (") + context + QLatin1Char(')');
    throw Error(detail::engineFailureText(code, message));
}

const jetsql::Schema& ConnectionState::schema()
{
    std::int64_t version = 0;
    {
        Statement statement = Statement::cached(*this, "PRAGMA schema_version");
        if (statement.step()) version = sqlite3_column_int64(statement.get(), 0);
    }
    if (version == schemaVersion_) return schema_;
    jetsql::Schema schema;
    QStringList tables;
    {
        Statement statement(*this, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'"));
        while (statement.step())
            tables << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
    }
    for (const QString& table : tables) {
        Statement statement(*this, QStringLiteral("SELECT name, type FROM pragma_table_info(?)"));
        const QByteArray name = table.toUtf8();
        sqlite3_bind_text(statement.get(), 1, name.constData(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
        jetsql::TableColumns& columns = schema[table.toLower()];
        while (statement.step()) {
            const QString column =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0))).toLower();
            int length = 0;
            const auto type = detail::fieldTypeOf(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 1))), &length);
            columns.order << column;
            columns.types.insert(column, type);
            if (length > 0) columns.lengths.insert(column, length);
        }
    }
    schema_ = std::move(schema);
    schemaVersion_ = version;
    return schema_;
}

jetsql::Rewritten ConnectionState::translate(const QString& jetSql)
{
    return jetsql::translate(jetSql, schema());
}

Statement::Statement(ConnectionState& state, const QString& sql) : state_(&state)
{
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(state.handle, text.constData(), static_cast<int>(text.size()), &statement_, &tail) != SQLITE_OK) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
        state.fail(sql);
    }
    if (!statement_) throw Error(QStringLiteral("SQL 语句为空"));
}

Statement::Statement(ConnectionState& state, sqlite3_stmt* statement, ConnectionState::CachedStatement* slot)
    : state_(&state), statement_(statement), slot_(slot)
{
}

Statement Statement::cached(ConnectionState& state, const std::string& sql)
{
    auto found = state.cache.find(sql);
    if (found != state.cache.end() && !found->second.inUse) {
        found->second.inUse = true;
        return Statement(state, found->second.statement, &found->second);
    }
    if (found == state.cache.end() && state.cache.size() >= kCacheLimit) {
        for (auto it = state.cache.begin(); it != state.cache.end();) {
            if (it->second.inUse) {
                ++it;
            } else {
                sqlite3_finalize(it->second.statement);
                it = state.cache.erase(it);
            }
        }
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(state.handle, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                           &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        state.fail(QString::fromStdString(sql));
    }
    if (found != state.cache.end()) return Statement(state, statement, nullptr);   // the kept one is busy
    auto& slot = state.cache[sql];
    slot.statement = statement;
    slot.inUse = true;
    return Statement(state, statement, &slot);
}

Statement::Statement(Statement&& other) noexcept
    : state_(other.state_), statement_(other.statement_), slot_(other.slot_)
{
    other.statement_ = nullptr;
    other.slot_ = nullptr;
}

Statement::~Statement()
{
    if (!statement_) return;
    if (slot_) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
        slot_->inUse = false;
    } else {
        sqlite3_finalize(statement_);
    }
}

bool Statement::step()
{
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    sqlite3_reset(statement_);   // makes the statement's error the handle's message
    state_->fail();
}

} // namespace db
