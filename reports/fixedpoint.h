#pragma once
// Exact arithmetic on stored amounts and quantities: four-decimal values
// (db::Currency) multiplied with halves rounded to even, and sums kept in
// whole units so that no binary fraction shows in a total.
#include "platform/db/variant.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace fixedpoint {

// a × b, rounded to four decimals, halves to even.
db::Currency multiply(db::Currency a, db::Currency b);

// The value as a four-decimal number; empty when it is Null, Empty, not a
// number, or too large for the type.
std::optional<db::Currency> amount(const db::Variant& value);

// A whole number of units of 10^-decimals written as plain number text,
// without trailing zeros: (1234500, 4) gives "123.45", (-3000000, 6) "-3".
QString unitsText(__int128 units, int decimals);
// Whole millionths written as plain number text: "12.345678", "-3", "0".
QString millionthsText(std::int64_t millionths);

// Whole number nearest to the value, halves to even.
std::int64_t roundedQuantity(double value);

} // namespace fixedpoint
