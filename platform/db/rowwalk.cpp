#include "platform/db/rowwalk.h"

#include "platform/db/connectionstate.h"
#include "platform/db/rowstore.h"

#include <cstring>
#include <optional>
#include <string>

namespace db {

struct RowWalk::Data {
    std::shared_ptr<ConnectionState> state;
    std::optional<Statement> statement;
    std::vector<detail::FieldType> types;
    bool onRow = false;
    bool done = false;
    std::string key;   // storedKey()'s bytes
};

RowWalk::RowWalk(Connection& connection, const QString& sql) : d_(std::make_unique<Data>())
{
    if (!connection.isOpen()) throw Error(QStringLiteral("连接没有打开"));
    d_->state = connection.state();
    const jetsql::Rewritten translated = d_->state->translate(sql);
    d_->statement.emplace(*d_->state, translated.sql);
    detail::RowStore columns;
    columns.describe(*d_->statement, false, translated.outputTypes);
    for (const detail::Column& column : columns.columns()) d_->types.push_back(column.type);
}

RowWalk::~RowWalk() = default;

bool RowWalk::next()
{
    if (d_->done) return false;
    d_->onRow = d_->statement->step();
    d_->done = !d_->onRow;
    return d_->onRow;
}

int RowWalk::fieldCount() const
{
    return static_cast<int>(d_->types.size());
}

void RowWalk::requireField(int index) const
{
    if (!d_->onRow) throw Error(QStringLiteral("BOF 或 EOF 为真：没有当前记录"));
    if (index < 0 || index >= fieldCount()) throw Error(QStringLiteral("没有第 %1 个字段").arg(index));
}

Variant RowWalk::field(int index) const
{
    requireField(index);
    return detail::RowStore::valueOf(d_->statement->get(), index, d_->types[index]);
}

QByteArrayView RowWalk::text(int index) const
{
    requireField(index);
    sqlite3_stmt* statement = d_->statement->get();
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement, index));
    return bytes ? QByteArrayView(bytes, sqlite3_column_bytes(statement, index)) : QByteArrayView();
}

QByteArrayView RowWalk::storedKey(int index) const
{
    requireField(index);
    sqlite3_value* value = sqlite3_column_value(d_->statement->get(), index);
    std::string& key = d_->key;
    const auto number = [&](char kind, auto bits) {
        key.resize(1 + sizeof bits);
        key[0] = kind;
        std::memcpy(key.data() + 1, &bits, sizeof bits);
    };
    const auto bytes = [&](char kind, const void* data) {
        const auto size = static_cast<std::size_t>(sqlite3_value_bytes(value));
        key.resize(1 + size);
        key[0] = kind;
        if (size) std::memcpy(key.data() + 1, data, size);
    };
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER: number('I', static_cast<std::int64_t>(sqlite3_value_int64(value))); break;
    case SQLITE_FLOAT: number('R', sqlite3_value_double(value)); break;
    case SQLITE_TEXT: bytes('T', sqlite3_value_text(value)); break;
    case SQLITE_BLOB: bytes('B', sqlite3_value_blob(value)); break;
    default: key.assign(1, 'N'); break;
    }
    return QByteArrayView(key.data(), static_cast<qsizetype>(key.size()));
}

bool RowWalk::isStoredText(int index) const
{
    requireField(index);
    return sqlite3_column_type(d_->statement->get(), index) == SQLITE_TEXT;
}

} // namespace db
