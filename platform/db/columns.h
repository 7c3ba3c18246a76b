#pragma once
// The columns of a query: the type each one is declared with in its table,
// and how values are converted and bound for it. Internal to the database layer.
#include "platform/db/variant.h"

#include <sqlite3.h>
#include <string>

namespace db::detail {

// The column types of the system's tables, from their declared type names.
enum class FieldType { Untyped, Long, Double, Currency, Date, Text };

struct Column {
    QString name;                       // as the query names it (alias or column name)
    FieldType type = FieldType::Untyped;
    int maxLength = 0;                  // characters a TEXT(n) column holds; 0: no limit
    std::string table;                  // table the value is read from; empty for an expression
    std::string origin;                 // the column's name in that table
};

// "TEXT(50)" -> Text with 50 characters, "CURRENCY" -> Currency, ...;
// an expression (no declared type) is Untyped.
Column describeColumn(sqlite3_stmt* statement, int index);

// The value as it is to be stored in the column; db::Error when it cannot be
// converted ("abc" into a number or date column) or is too long for the text.
Variant convertForColumn(const Column& column, const Variant& value);

// Binds a value the way the layer stores it (currency as REAL, dates as
// "yyyy-MM-dd HH:mm:ss" text).
void bindValue(sqlite3_stmt* statement, int index, const Variant& value);

} // namespace db::detail
