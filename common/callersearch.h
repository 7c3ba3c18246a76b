#pragma once
// Indexes of the stored telephone numbers that find every contact or customer
// whose numbers contain a caller's number without reading every row: a
// three-character (trigram) full-text index per table, kept in step with the
// table by triggers, so that every program writing the file keeps it right.
#include "platform/db/connection.h"

#include <QString>
#include <QStringList>

namespace callersearch {

// Creates the indexes and their triggers where they are missing and fills a
// new index from the rows already stored; a database that has them is left
// as it is. Throws db::Error when a statement fails (nothing is kept then).
void ensure(db::Connection& connection);

// The condition "id in (...)" that narrows `table` (KH_LXR or company) to the
// rows whose number columns may contain one of the numbers, from the index:
// every row that does is among them, and the caller tests each one.
// Empty when the index cannot answer: a table without one, or a number
// shorter than three characters (the index holds runs of three).
QString candidates(const QString& table, const QStringList& numbers);

} // namespace callersearch
