#pragma once
// The Jet SQL dialect the windows write, turned into SQL that SQLite runs.
// Pure text functions: no database is involved.
#include "platform/db/jetrewrite.h"

#include <QString>
#include <optional>

namespace db::jetsql {

// Translates one Jet-dialect statement:
//  - #2024-3-1#, #2024/3/1 8:05#, # 2024-3-1# (year first) -> '2024-03-01 00:00:00'
//  - "select top N ..." -> "select ... LIMIT N" at the end of that select
//  - the & operator -> jet_concat(...), which passes over Null as Jet does
//  - left( right( isnull( -> jet_left( jet_right( jet_isnull( (keywords in SQLite)
// Text inside quotes or brackets is never changed. Throws db::Error for a
// "#" that does not enclose a date.
QString translate(const QString& sql);
// The same, with the rewrites that need the columns' declared types
// (see jetrewrite.h).
Rewritten translate(const QString& sql, const Schema& schema);

// "SELECT ... INTO [Excel 5.0;DATABASE=path].[sheet] FROM ..." split into its
// parts; empty for any other statement.
struct ExcelTarget {
    QString path;
    QString sheet;
    QString select;   // the statement without its INTO part (still Jet dialect)
};
std::optional<ExcelTarget> excelTarget(const QString& sql);

// For a recordset that may change rows: the (translated) statement with the
// row key as its first column, named "~rowid"; empty when the statement is not
// a plain select of table rows (distinct, grouping, union ...).
std::optional<QString> withRowKey(const QString& sql);

// Whether a recordset source is a bare table name ("company", "[KH_LXR]")
// rather than a statement.
bool isTableName(const QString& source);

} // namespace db::jetsql
