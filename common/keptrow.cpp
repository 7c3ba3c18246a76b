#include "common/keptrow.h"

#include "common/database.h"

namespace keptrow {

namespace {

std::unique_ptr<db::Recordset> readRow(db::Connection& connection, const QString& table, std::int32_t id)
{
    auto row = std::make_unique<db::Recordset>();
    row->open(QStringLiteral("select * from ") + table + QStringLiteral(" where id = ") + QString::number(id),
              connection, db::CursorType::Keyset, db::LockType::Optimistic, db::CursorLocation::Client);
    return row;
}

} // namespace

bool KeptRow::load(const QString& table, std::int32_t id)
{
    table_ = table;
    id_ = id;
    connection_.reset();
    row_.reset();
    alsoSelect_.clear();
    also_.clear();
    readFailure_.reset();
    return database::read([&] {
        auto connection = database::openMain();
        auto row = readRow(*connection, table, id);
        if (row->eof()) return;
        connection_ = std::move(connection);
        row_ = std::move(row);
    }, readFailure_);
}

bool KeptRow::keepAlso(const QString& select)
{
    alsoSelect_ = select;
    also_.clear();
    if (!connection_ || database::read([&] { also_ = readAlso(); }, readFailure_)) return true;
    connection_.reset();
    row_.reset();
    return false;
}

KeptRow::Rows KeptRow::readAlso()
{
    Rows rows;
    if (alsoSelect_.isEmpty()) return rows;
    db::Recordset read;
    read.open(alsoSelect_, *connection_);
    for (; !read.eof(); read.moveNext()) {
        std::vector<db::Variant> values;
        for (int column = 0; column < read.fieldCount(); ++column) values.push_back(read.field(column));
        rows.push_back(std::move(values));
    }
    return rows;
}

bool KeptRow::unchangedSinceLoad()
{
    auto stored = readRow(*connection_, table_, id_);
    if (stored->eof() || stored->fieldCount() != row_->fieldCount()) return false;
    for (int column = 0; column < row_->fieldCount(); ++column)
        if (!(stored->field(column) == row_->field(column))) return false;
    return readAlso() == also_;
}

void KeptRow::reload()
{
    database::guarded([&] {
        auto row = readRow(*connection_, table_, id_);
        if (!row->eof()) row_ = std::move(row);
    });
    database::guarded([&] { also_ = readAlso(); });
}

void KeptRow::undo(bool started)
{
    database::guarded([&] { row_->cancelUpdate(); });
    if (!started) return;
    database::guarded([&] { connection_->rollbackTrans(); });
    // The rolled-back row is the one that was loaded, but the snapshot may
    // already hold what was written: it is read again.
    reload();
}

Outcome KeptRow::save(const std::function<void(db::Recordset&)>& fill,
                      const std::function<void(db::Connection&)>& after, std::optional<db::Error>* failure)
{
    return change(
        [&](db::Connection& connection, db::Recordset& row) {
            fill(row);
            row.update();
            if (after) after(connection);
        },
        failure);
}

Outcome KeptRow::change(const std::function<void(db::Connection&, db::Recordset&)>& work,
                        std::optional<db::Error>* failure)
{
    if (readFailure_) {
        if (failure) *failure = *readFailure_;
        return Outcome::Failed;
    }
    if (!row_) return Outcome::Stale;
    bool started = false;
    try {
        connection_->beginTrans();
        started = true;
        if (!unchangedSinceLoad()) {
            connection_->rollbackTrans();
            return Outcome::Stale;
        }
        work(*connection_, *row_);
        connection_->commitTrans();
    } catch (const db::Error& error) {
        undo(started);
        if (failure) *failure = error;
        return Outcome::Failed;
    } catch (...) {
        undo(started);
        throw;
    }
    // The kept rows are now the ones just written.
    database::guarded([&] { also_ = readAlso(); });
    return Outcome::Saved;
}

} // namespace keptrow
