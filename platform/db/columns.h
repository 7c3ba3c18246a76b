#pragma once
// The columns of a query: the type each one is declared with in its table,
// and how values are converted and bound for it. Internal to the database layer.
#include "platform/db/connection.h"
#include "platform/db/variant.h"

#include <sqlite3.h>
#include <optional>
#include <string>

namespace db::detail {

// The column types of the system's tables, from their declared type names.
enum class FieldType { Untyped, Long, Double, Currency, Date, Text };

struct Column {
    QString name;                       // as the query names it (alias or column name)
    FieldType type = FieldType::Untyped;
    int maxLength = 0;                  // characters a TEXT(n) column holds; 0: no limit
    std::string table;                  // table the value is read from; empty for an expression
    std::string database;               // the file of that table: "main" or an attached file's alias
    std::string origin;                 // the column's name in that table
};

// The type a declared type name stands for ("TEXT(50)": Text, 50 characters).
FieldType fieldTypeOf(const QString& declared, int* maxLength);

// "TEXT(50)" -> Text with 50 characters, "CURRENCY" -> Currency, ...;
// an expression (no declared type) is Untyped.
Column describeColumn(sqlite3_stmt* statement, int index);

// What the column refuses of the value, found without storing it: a text
// longer than its width, a text that is no number for a number column or a
// number beyond its range, a text that is no date for a date column. Nothing
// for a value it takes (an empty one included).
std::optional<ColumnRefusal> refusalFor(const Column& column, const Variant& value);

// The value as it is to be stored in the column; db::Error when the column
// refuses it (refusalFor).
Variant convertForColumn(const Column& column, const Variant& value);

// Binds a value the way the layer stores it (dates as "yyyy-MM-dd HH:mm:ss"
// text, currency as below).
void bindValue(sqlite3_stmt* statement, int index, const Variant& value);

// Currency is stored as the amount in units (an INTEGER when whole, else a
// REAL, so that SQL arithmetic and comparisons work on it) while a double
// holds it exactly; an amount of 1e11 or more is stored as a whole number of
// ten-thousandths, which is 1e15 or more and so can never be such an amount.
inline constexpr std::int64_t kTicksStoredFrom = 1'000'000'000'000'000;   // ten-thousandths
void bindCurrency(sqlite3_stmt* statement, int index, Currency value);
void resultCurrency(sqlite3_context* context, Currency value);
// A stored INTEGER or REAL of a currency column as currency; empty when it
// is out of the currency range.
std::optional<Currency> currencyOfStored(std::int64_t integer);
std::optional<Currency> currencyOfStored(double real);
} // namespace db::detail
