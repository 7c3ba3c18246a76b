#include "platform/db/connection.h"

#include "platform/db/connectionstate.h"
#include "platform/db/jetsql.h"
#include "platform/db/rowstore.h"

#include <QHash>
#include <algorithm>
#include <optional>

namespace db {

struct RecordsetData {
    // The rows hold no database handle: the handle of the connection they were
    // opened on is kept only until the rows are read; a write afterwards goes
    // through that connection while it is open, else through a handle of its own.
    std::shared_ptr<ConnectionState> state;
    std::weak_ptr<ConnectionState> connection;
    QString path;
    std::shared_ptr<ConnectionState> handle() const
    {
        if (state) return state;
        if (auto open = connection.lock()) return open;
        return openState(path);
    }
    detail::RowStore rows;
    LockType lock = LockType::ReadOnly;
    std::string table;             // the table rows are written to; empty when they cannot be
    std::string database;          // its file: "main" or an attached file's alias
    QHash<QString, int> fieldIndex;   // lower-case name -> first column of that name
    std::string rereadSql;         // reads one row back by key, laid out as the store

    // A recordset that can change rows reads them on first use, so one that is
    // only added to reads none. Until then the store holds only the rows added
    // here; the rows read later are the table's rows as far as its last key
    // when it opened, placed ahead of them.
    bool loaded = false;
    QString sql;                   // the statement the rows are read with (key first)
    std::optional<std::int64_t> lastKeyAtOpen;   // none: the table had no rows
    bool positionInitial = true;   // not moved since it opened: the first row once read

    int position = 0;              // current row; -1 before the first, rowCount after the last
    bool onDeletedRow = false;     // the current row was just deleted: the next move starts from here

    struct Edit {
        bool isNew = false;
        int row = 0;               // the row changed (or the position the new row was added at)
        int returnTo = 0;          // position to go back to when a new row is cancelled
        std::vector<std::optional<Variant>> values;
    };
    std::optional<Edit> edit;

    bool bof() const { return !onDeletedRow && (rows.rowCount() == 0 || position < 0); }
    bool eof() const { return !onDeletedRow && (rows.rowCount() == 0 || position >= rows.rowCount()); }
    // On a row added here while the rest are still unread.
    bool onUnreadAddedRow() const { return !loaded && !positionInitial && position >= 0 && position < rows.rowCount(); }
};

namespace {

std::string quotedName(const std::string& name)
{
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

bool sameName(const std::string& a, const std::string& b)
{
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

// The one table every column that comes from a table comes from; none when
// there are several or none.
const detail::Column* sourceTable(const std::vector<detail::Column>& columns)
{
    const detail::Column* source = nullptr;
    for (const detail::Column& column : columns) {
        if (column.table.empty()) continue;
        if (!source) source = &column;
        else if (!sameName(source->table, column.table) || !sameName(source->database, column.database)) return nullptr;
    }
    return source;
}

bool isTableColumn(const RecordsetData& d, int column)
{
    const detail::Column& c = d.rows.columns()[column];
    return !c.table.empty() && sameName(c.table, d.table) && sameName(c.database, d.database);
}

// The table named in its file, so that a table of an attached file is written
// there even when the main file has one of the same name.
std::string tableName(const RecordsetData& d)
{
    return quotedName(d.database) + "." + quotedName(d.table);
}

RecordsetData& opened(const std::unique_ptr<RecordsetData>& d)
{
    if (!d) throw Error(QStringLiteral("记录集没有打开"));
    return *d;
}

void readRows(RecordsetData& d)
{
    if (d.loaded) return;
    Statement statement(*d.state, d.sql);
    std::vector<std::int64_t> added;
    for (int row = 0; row < d.rows.rowCount(); ++row) added.push_back(d.rows.key(row));
    const int before = d.rows.rowCount();
    d.rows.readRows(statement, [&](std::int64_t key) {
        return d.lastKeyAtOpen && key <= *d.lastKeyAtOpen && std::find(added.begin(), added.end(), key) == added.end();
    });
    d.loaded = true;
    d.state.reset();
    if (d.positionInitial) return;
    const int read = d.rows.rowCount() - before;
    d.position += read;
    if (d.edit) {
        d.edit->row += read;
        d.edit->returnTo += read;
    }
}

// The recordset with its rows read.
RecordsetData& withRows(const std::unique_ptr<RecordsetData>& d)
{
    RecordsetData& data = opened(d);
    readRows(data);
    return data;
}

void requireCurrentRow(const RecordsetData& d)
{
    if (d.onDeletedRow) throw Error(QStringLiteral("当前记录已被删除"));
    if (d.bof() || d.eof()) throw Error(QStringLiteral("BOF 或 EOF 为真：没有当前记录"));
}

void requireWritable(const RecordsetData& d)
{
    if (d.lock == LockType::ReadOnly) throw Error(QStringLiteral("记录集是只读的"));
    if (d.table.empty()) throw Error(QStringLiteral("此查询的记录不能更改"));
}

int checkedField(const RecordsetData& d, int index)
{
    if (index < 0 || index >= d.rows.columnCount())
        throw Error(QStringLiteral("没有第 %1 个字段").arg(index));
    return index;
}

int namedField(const RecordsetData& d, const QString& name)
{
    const auto found = d.fieldIndex.constFind(name.toLower());
    if (found == d.fieldIndex.constEnd()) throw Error(QStringLiteral("没有名为 %1 的字段").arg(name));
    return found.value();
}

// "AND col IS ? ..." over every table column as read, bound from `first` on:
// a row another connection changed or deleted since it was read matches no more.
// With `only` set, the condition covers that one column.
std::string unchangedCondition(const RecordsetData& d, int only = -1)
{
    std::string condition;
    for (int column = 0; column < d.rows.columnCount(); ++column)
        if (isTableColumn(d, column) && (only < 0 || column == only))
            condition += " AND " + quotedName(d.rows.columns()[column].origin) + " IS ? COLLATE BINARY";
    return condition;
}

int bindUnchanged(const RecordsetData& d, sqlite3_stmt* statement, int first, int row, int only = -1)
{
    int index = first;
    for (int column = 0; column < d.rows.columnCount(); ++column)
        if (isTableColumn(d, column) && (only < 0 || column == only)) d.rows.bindRead(statement, index++, row, column);
    return index;
}

// Reads row `key` of the table back into store row `row` (appending when it is
// the row count), so defaults, the new key and the stored forms show.
void reread(RecordsetData& d, ConnectionState& state, int row, std::int64_t key)
{
    Statement statement = Statement::cached(state, d.rereadSql);
    sqlite3_bind_int64(statement.get(), 1, key);
    if (!statement.step()) return;   // gone already: keep what was written
    std::vector<bool> keep(d.rows.columnCount());
    for (int column = 0; column < d.rows.columnCount(); ++column) keep[column] = !isTableColumn(d, column);
    d.rows.storeRow(statement.get(), row, keep);
}

struct Assignment {
    std::string column;
    Variant value;
};

// The assigned values by table column, the last assignment of a column winning.
std::vector<Assignment> assignmentsOf(const RecordsetData& d, const RecordsetData::Edit& edit)
{
    std::vector<Assignment> assignments;
    for (int column = 0; column < static_cast<int>(edit.values.size()); ++column) {
        if (!edit.values[column]) continue;
        const std::string& name = d.rows.columns()[column].origin;
        auto same = std::find_if(assignments.begin(), assignments.end(),
                                 [&](const Assignment& a) { return sameName(a.column, name); });
        if (same != assignments.end()) same->value = *edit.values[column];
        else assignments.push_back({name, *edit.values[column]});
    }
    return assignments;
}

int insertRow(RecordsetData& d, const std::vector<Assignment>& assignments)
{
    std::string sql = "INSERT INTO " + tableName(d);
    if (assignments.empty()) {
        sql += " DEFAULT VALUES";
    } else {
        std::string names, places;
        for (const Assignment& a : assignments) {
            names += (names.empty() ? "" : ",") + quotedName(a.column);
            places += places.empty() ? "?" : ",?";
        }
        sql += " (" + names + ") VALUES (" + places + ")";
    }
    const auto state = d.handle();
    {
        Statement statement = Statement::cached(*state, sql);
        for (std::size_t i = 0; i < assignments.size(); ++i)
            detail::bindValue(statement.get(), static_cast<int>(i) + 1, assignments[i].value);
        statement.step();
    }
    // The key of this insert on this connection, never "the last row of the table".
    const std::int64_t key = sqlite3_last_insert_rowid(state->handle);
    const int row = d.rows.rowCount();
    reread(d, *state, row, key);
    return row;
}

// Writes the assignments into row `row`, refused (Conflict) when the stored
// row no longer holds what was read: every column, or with `checkedColumn`
// set only that one (the row is then read again, so it shows what is stored).
void updateRow(RecordsetData& d, int row, const std::vector<Assignment>& assignments, int checkedColumn = -1)
{
    if (assignments.empty()) return;
    std::string sql = "UPDATE " + tableName(d) + " SET ";
    for (std::size_t i = 0; i < assignments.size(); ++i) sql += (i ? "," : "") + quotedName(assignments[i].column) + "=?";
    sql += " WHERE rowid=?" + unchangedCondition(d, checkedColumn);
    const std::int64_t key = d.rows.key(row);
    const auto state = d.handle();
    {
        Statement statement = Statement::cached(*state, sql);
        int index = 1;
        for (const Assignment& a : assignments) detail::bindValue(statement.get(), index++, a.value);
        sqlite3_bind_int64(statement.get(), index++, key);
        bindUnchanged(d, statement.get(), index, row, checkedColumn);
        statement.step();
    }
    if (sqlite3_changes(state->handle) == 0) {
        if (checkedColumn >= 0) reread(d, *state, row, key);
        throw Error(QStringLiteral("该记录在读取后已被别人修改或删除，没有保存"), Error::Kind::Conflict);
    }
    reread(d, *state, row, key);
}

// Applies a pending edit, if any; it is dropped whatever the outcome, so a
// failed save is not tried again by the next move.
void savePendingEdit(RecordsetData& d)
{
    if (!d.edit) return;
    const RecordsetData::Edit edit = std::move(*d.edit);
    d.edit.reset();
    const auto assignments = assignmentsOf(d, edit);
    if (edit.isNew) {
        try {
            d.position = insertRow(d, assignments);
            d.positionInitial = false;
        } catch (const Error&) {
            d.position = edit.returnTo;
            throw;
        }
    } else {
        updateRow(d, edit.row, assignments);
    }
}

void cancelPendingEdit(RecordsetData& d)
{
    if (!d.edit) return;
    if (d.edit->isNew) d.position = d.edit->returnTo;
    d.edit.reset();
}

void startEdit(RecordsetData& d)
{
    if (d.edit) return;
    if (!d.onUnreadAddedRow()) readRows(d);
    requireCurrentRow(d);
    d.edit = RecordsetData::Edit{false, d.position, d.position,
                                 std::vector<std::optional<Variant>>(d.rows.columnCount())};
}

std::string rereadStatement(const RecordsetData& d)
{
    std::string sql = "SELECT rowid";
    for (int column = 0; column < d.rows.columnCount(); ++column)
        sql += ", " + (isTableColumn(d, column) ? quotedName(d.rows.columns()[column].origin) : std::string("NULL"));
    return sql + " FROM " + tableName(d) + " WHERE rowid=?";
}

} // namespace

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

void Recordset::open(const QString& source, Connection& connection, CursorType, LockType lock, CursorLocation)
{
    close();
    if (!connection.isOpen()) throw Error(QStringLiteral("连接没有打开"));
    // Whatever cursor is asked for, no read transaction stays open: read-only
    // rows are read now, the rows of one that can change them on first use.
    auto d = std::make_unique<RecordsetData>();
    d->state = connection.state();
    d->connection = d->state;
    d->path = QString::fromUtf8(sqlite3_db_filename(d->state->handle, "main"));
    d->lock = lock;
    const jetsql::Rewritten translated =
        d->state->translate(jetsql::isTableName(source) ? QStringLiteral("select * from ") + source : source);
    const QString& sql = translated.sql;

    std::optional<Statement> statement;
    bool keyed = false;
    if (lock != LockType::ReadOnly) {
        if (auto keyedSql = jetsql::withRowKey(sql)) {
            try {
                statement.emplace(*d->state, *keyedSql);
                keyed = true;
            } catch (const Error&) {
                // The key is ambiguous (a join) or missing (a view): the rows stay read-only.
            }
        }
    }
    if (!statement) statement.emplace(*d->state, sql);
    d->rows.describe(*statement, keyed, translated.outputTypes);
    if (const detail::Column* source = keyed ? sourceTable(d->rows.columns()) : nullptr) {
        d->table = source->table;
        d->database = source->database;
    }
    if (d->table.empty()) {
        d->rows.readRows(*statement);
        d->loaded = true;
        statement.reset();
        d->state.reset();
    } else {
        d->rereadSql = rereadStatement(*d);
        d->sql = *jetsql::withRowKey(sql);
        Statement last = Statement::cached(*d->state, "SELECT max(rowid) FROM " + tableName(*d));
        if (last.step() && sqlite3_column_type(last.get(), 0) != SQLITE_NULL)
            d->lastKeyAtOpen = sqlite3_column_int64(last.get(), 0);
    }
    statement.reset();
    for (int column = 0; column < d->rows.columnCount(); ++column) {
        const QString name = d->rows.columns()[column].name.toLower();
        if (!d->fieldIndex.contains(name)) d->fieldIndex.insert(name, column);
    }
    d_ = std::move(d);
}

void Recordset::close()
{
    d_.reset();   // a pending edit is dropped, as the rows are
}

bool Recordset::isOpen() const
{
    return d_ != nullptr;
}

bool Recordset::eof() const
{
    RecordsetData& d = opened(d_);
    if (d.edit && d.edit->isNew) return false;   // on the row being added
    if (d.onUnreadAddedRow()) return false;
    readRows(d);
    return d.eof();
}

bool Recordset::bof() const
{
    RecordsetData& d = opened(d_);
    if (d.edit && d.edit->isNew) return false;
    if (d.onUnreadAddedRow()) return false;
    readRows(d);
    return d.bof();
}

void Recordset::moveFirst()
{
    RecordsetData& d = withRows(d_);
    savePendingEdit(d);
    d.position = 0;
    d.onDeletedRow = false;
}

void Recordset::moveNext()
{
    RecordsetData& d = withRows(d_);
    savePendingEdit(d);
    if (d.onDeletedRow) {
        d.onDeletedRow = false;   // the rows after the deleted one moved up to its place
        return;
    }
    if (d.eof()) throw Error(QStringLiteral("BOF 或 EOF 为真：没有下一条记录"));
    ++d.position;
}

void Recordset::movePrevious()
{
    RecordsetData& d = withRows(d_);
    savePendingEdit(d);
    if (!d.onDeletedRow && d.bof()) throw Error(QStringLiteral("BOF 或 EOF 为真：没有上一条记录"));
    d.onDeletedRow = false;
    --d.position;
}

void Recordset::moveLast()
{
    RecordsetData& d = withRows(d_);
    savePendingEdit(d);
    d.position = std::max(d.rows.rowCount() - 1, 0);
    d.onDeletedRow = false;
}

int Recordset::recordCount() const
{
    return withRows(d_).rows.rowCount();
}

int Recordset::absolutePosition() const
{
    const RecordsetData& d = withRows(d_);
    if (d.onDeletedRow || d.bof() || d.eof()) return -1;
    return d.position;
}

void Recordset::setAbsolutePosition(int row)
{
    RecordsetData& d = withRows(d_);
    if (row < 0 || row >= d.rows.rowCount()) throw Error(QStringLiteral("没有第 %1 条记录").arg(row));
    savePendingEdit(d);
    d.position = row;
    d.onDeletedRow = false;
}

int Recordset::fieldCount() const
{
    return opened(d_).rows.columnCount();
}

QString Recordset::fieldName(int index) const
{
    const RecordsetData& d = opened(d_);
    return d.rows.columns()[checkedField(d, index)].name;
}

int Recordset::fieldIndex(const QString& name) const
{
    const RecordsetData& d = opened(d_);
    return d.fieldIndex.value(name.toLower(), -1);
}

Variant Recordset::field(const QString& name) const
{
    return field(namedField(opened(d_), name));
}

Variant Recordset::field(int index) const
{
    RecordsetData& d = opened(d_);
    checkedField(d, index);
    if (d.edit && (d.edit->isNew || d.edit->row == d.position)) {
        if (const auto& assigned = d.edit->values[index]) return *assigned;
        if (d.edit->isNew) return Variant::null();
    }
    if (!d.onUnreadAddedRow()) readRows(d);
    requireCurrentRow(d);
    return d.rows.value(d.position, index);
}

Variant Recordset::value(int row, int column) const
{
    const RecordsetData& d = withRows(d_);
    checkedField(d, column);
    if (row < 0 || row >= d.rows.rowCount()) throw Error(QStringLiteral("没有第 %1 条记录").arg(row));
    return d.rows.value(row, column);
}

void Recordset::setField(const QString& name, const Variant& value)
{
    RecordsetData& d = opened(d_);
    requireWritable(d);
    const int column = namedField(d, name);
    if (!isTableColumn(d, column)) throw Error(QStringLiteral("字段 %1 不能更新").arg(name));
    // Converted before anything is kept: a value that does not fit changes nothing.
    const Variant converted = detail::convertForColumn(d.rows.columns()[column], value);
    startEdit(d);
    d.edit->values[column] = converted;
}

void Recordset::addNew()
{
    RecordsetData& d = opened(d_);
    requireWritable(d);
    savePendingEdit(d);
    d.edit = RecordsetData::Edit{true, d.rows.rowCount(), d.position,
                                 std::vector<std::optional<Variant>>(d.rows.columnCount())};
    d.onDeletedRow = false;
}

void Recordset::update()
{
    savePendingEdit(opened(d_));
}

void Recordset::cancelUpdate()
{
    cancelPendingEdit(opened(d_));
}

void Recordset::deleteRow()
{
    RecordsetData& d = withRows(d_);
    requireWritable(d);
    cancelPendingEdit(d);
    requireCurrentRow(d);
    const std::string sql = "DELETE FROM " + tableName(d) + " WHERE rowid=?" + unchangedCondition(d);
    const auto state = d.handle();
    {
        Statement statement = Statement::cached(*state, sql);
        sqlite3_bind_int64(statement.get(), 1, d.rows.key(d.position));
        bindUnchanged(d, statement.get(), 2, d.position);
        statement.step();
    }
    if (sqlite3_changes(state->handle) == 0)
        throw Error(QStringLiteral("该记录在读取后已被别人修改或删除，没有删除"), Error::Kind::Conflict);
    d.rows.removeRow(d.position);
    d.onDeletedRow = true;
}

bool Recordset::editPending() const
{
    return opened(d_).edit.has_value();
}

void Recordset::updateCell(int row, int column, const Variant& value)
{
    RecordsetData& d = withRows(d_);
    requireWritable(d);
    checkedField(d, column);
    if (row < 0 || row >= d.rows.rowCount()) throw Error(QStringLiteral("没有第 %1 条记录").arg(row));
    if (!isTableColumn(d, column))
        throw Error(QStringLiteral("字段 %1 不能更新").arg(d.rows.columns()[column].name));
    const Variant converted = detail::convertForColumn(d.rows.columns()[column], value);
    updateRow(d, row, {{d.rows.columns()[column].origin, converted}}, column);
}

std::optional<ColumnRefusal> Recordset::refusal(const QString& name, const Variant& value) const
{
    return refusal(namedField(opened(d_), name), value);
}

std::optional<ColumnRefusal> Recordset::refusal(int column, const Variant& value) const
{
    const RecordsetData& d = opened(d_);
    return detail::refusalFor(d.rows.columns()[checkedField(d, column)], value);
}

} // namespace db
