#pragma once
// Which stored record a caller's number belongs to. The records are those
// whose number columns contain the caller's number; among them, a record
// holding exactly that number comes first, then one where the number stands
// alone at its end (not followed by a further digit, as a local number
// inside a stored "0755-8123 4567"), then the rest by lowest id.
#include "platform/db/connection.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace numbermatch {

// The id of the best row of `table` whose number columns contain the
// number; nothing when none does. Throws db::Error when the query fails.
std::optional<std::int64_t> bestId(db::Connection& connection, const QString& table, const QStringList& columns,
                                   const QString& number);

// The best row for each of several numbers, read in one query; a number that
// no row contains is not in the result.
QHash<QString, std::int64_t> bestIds(db::Connection& connection, const QString& table, const QStringList& columns,
                                     const QStringList& numbers);

} // namespace numbermatch
