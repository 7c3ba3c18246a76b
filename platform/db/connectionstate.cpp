#include "platform/db/connectionstate.h"

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
    QString message = QString::fromUtf8(sqlite3_errmsg(handle));
    if (!context.isEmpty()) message += QStringLiteral(" (") + context + QLatin1Char(')');
    throw Error(message);
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
    if (!statement_) throw Error(QStringLiteral("Empty statement"));
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
