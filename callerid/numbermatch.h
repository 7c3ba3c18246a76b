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
#include <tuple>

namespace numbermatch {

// How well a row holds a number, then the row's id: the lower, the better.
using Match = std::tuple<int, std::int64_t>;

// The id of the best row of `table` whose number columns contain the
// number; nothing when none does. Throws db::Error when the query fails.
std::optional<std::int64_t> bestId(db::Connection& connection, const QString& table, const QStringList& columns,
                                   const QString& number);

// The best row for each of several numbers, with how well it holds the
// number, read in one query; a number that no row contains is not in the
// result.
QHash<QString, Match> bestMatches(db::Connection& connection, const QString& table, const QStringList& columns,
                                  const QStringList& numbers);

// Brings the best matches of the numbers up to date with the rows of
// `table` that the condition names: a match stays best unless one of those
// rows holds its number better. Throws db::Error when the query fails.
void addRows(db::Connection& connection, const QString& table, const QStringList& columns, const QString& condition,
             const QStringList& numbers, QHash<QString, Match>& best);

} // namespace numbermatch
