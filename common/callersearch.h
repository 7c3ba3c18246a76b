#pragma once
// Indexes of the stored telephone numbers that find every contact or customer
// whose numbers contain a caller's number without reading every row: a
// three-character (trigram) full-text index per table, kept in step with the
// table by triggers, so that every program writing the file keeps it right;
// and an index per number column on the number itself, which finds at once
// the rows that hold the caller's number whole.
#include "platform/db/connection.h"

#include <QString>
#include <QStringList>

namespace callersearch {

// Creates the indexes and their triggers where they are missing and fills a
// new index from the rows already stored; a database that has them is left
// as it is. Throws db::Error when a statement fails (nothing is kept then).
// Run when the program opens a file.
void ensure(db::Connection& connection);

// The condition "id in (...)" that narrows `table` (KH_LXR or company) to the
// rows whose number columns may contain one of the numbers, from the index:
// every row that does is among them, and the caller tests each one.
// Empty when the index cannot answer: a table without one, or a number
// shorter than three characters (the index holds runs of three).
QString candidates(const QString& table, const QStringList& numbers);

// Whether the held-number indexes find every row holding the number whole
// (its stored text, blanks around it aside, equal to the number, letters
// without case): a number of ASCII characters whose only letter is "x".
bool heldWhole(const QString& number);

// The condition that names the rows of `table` (KH_LXR or company) in which
// one number column holds one of the numbers whole, answered by the
// held-number indexes; the numbers for which heldWhole is false are left out.
// Empty when the indexes cannot answer: a table without them, a file the
// program could not add them to, or no such number.
QString holding(db::Connection& connection, const QString& table, const QStringList& numbers);

} // namespace callersearch
