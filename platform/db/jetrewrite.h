#pragma once
// The second step of the Jet translation: rewrites that need to know the
// declared types of the tables' columns, so that a statement gives what Jet
// gives on the same rows. Internal to the database layer.
//  - a date/time column compared with a bare number takes the number as a
//    day number (day 0 = 1899-12-30, the fraction the time of day); compared
//    with, or written as, quoted date text it takes the text as a date;
//  - [not] like on a date/time column matches the date as the system shows it;
//  - sum/avg over a currency column add exactly, in ten-thousandths;
//  - max/min of a date (or currency) column, and sums of currency, are
//    typed results;
//  - "a || b" (Jet's &) keeps the other text when one side is Null;
//  - text columns are ordered by the system's text order (textorder.h) in
//    ORDER BY, GROUP BY, min/max, <, >, <=, >= and BETWEEN.
//  - InStr, IIf, Format and Date() call the layer's jet_instr, jet_iif,
//    jet_format and jet_date (SQLite has functions of those names);
//  - a result column without an alias that these renamings or the text
//    order touch keeps the name its text gives it without them.
#include "platform/db/columns.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace db::jetsql {

struct TableColumns {
    QStringList order;                           // lower-case names in the table's order
    QHash<QString, detail::FieldType> types;     // lower-case name -> declared type
    QHash<QString, int> lengths;                 // lower-case name -> characters a TEXT(n) column holds
};
using Schema = QHash<QString, TableColumns>;     // lower-case table name -> its columns

struct Rewritten {
    QString sql;
    QHash<QString, detail::FieldType> outputTypes;   // lower-case result column name -> type
};

// `sql` is already in SQLite's dialect. Throws db::Error for a quoted text
// written into a text column that cannot hold it.
Rewritten rewrite(const QString& sql, const Schema& schema);

} // namespace db::jetsql
