#pragma once
// A record as an editor loaded it, kept until the save writes through it: a
// snapshot of the row on a connection of its own. The save runs in one
// transaction and is refused when the row was changed or deleted elsewhere
// since the load, so an edit never overwrites another workstation's change.
#include "platform/db/connection.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace keptrow {

enum class Outcome { Saved, Stale, Failed };

class KeptRow {
public:
    // Reads "select * from <table> where id = <id>"; holds nothing when there
    // is no such row or it cannot be read. False when it cannot be read: the
    // operator was told why (database::read), the editor shows nothing of the
    // record as if stored, and every later save is refused (Failed, with why).
    bool load(const QString& table, std::int32_t id);
    // Keeps as well the rows of `select` (the record's lines, in a fixed
    // order), read now on the kept connection: a save is refused too when
    // they are no longer what was read. They are read again after a save.
    // False (told why, nothing held any longer, and every later save refused
    // with why) when they cannot be read.
    bool keepAlso(const QString& select);
    bool holds() const { return row_ != nullptr; }
    // The row as loaded (holds() must be true).
    const db::Recordset& row() const { return *row_; }
    db::Variant field(const QString& name) const { return row_->field(name); }

    // In one transaction: refuses (Stale) when the stored row no longer holds
    // what was loaded or is gone, or when no row was found; refuses (Failed)
    // when the load could not read what it keeps; else `fill` sets
    // the new values of the row, the row is written, `after` runs its further
    // statements on the same connection, and everything is committed.
    // Any failure rolls everything back (Failed, with the database's error
    // in `failure`); the row is then kept as it was loaded. Any other exception
    // out of `fill` or `after` rolls everything back as well and goes on.
    Outcome save(const std::function<void(db::Recordset&)>& fill,
                 const std::function<void(db::Connection&)>& after, std::optional<db::Error>* failure);
    // The same transaction around any `work` on the kept connection and row
    // (a conversion that deletes the row).
    Outcome change(const std::function<void(db::Connection&, db::Recordset&)>& work,
                   std::optional<db::Error>* failure);

private:
    using Rows = std::vector<std::vector<db::Variant>>;
    bool unchangedSinceLoad();
    void reload();
    void undo(bool started);
    Rows readAlso();

    QString table_;
    std::int32_t id_ = 0;
    std::unique_ptr<db::Connection> connection_;
    std::unique_ptr<db::Recordset> row_;
    QString alsoSelect_;
    Rows also_;
    std::optional<db::Error> readFailure_;   // why the load could not read what it keeps
};

} // namespace keptrow
