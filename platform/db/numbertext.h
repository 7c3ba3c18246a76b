#pragma once
// Numbers as the system writes and reads them in text: shared by the value
// conversions and the SQL functions of the database layer.
#include <QString>
#include <cstdint>
#include <optional>

namespace db::numbertext {

// The whole text (surrounding blanks allowed) as a number: sign, digits with an
// optional decimal point, optional exponent. Nothing else.
std::optional<double> parse(const QString& text);

// The same forms read exactly as ten-thousandths (halves to even past the
// fourth decimal); empty when the text is no number or out of range.
std::optional<std::int64_t> parseTicks(const QString& text);

// 15 significant digits, no grouping, no trailing zeros; an exponent only for
// very large or very small magnitudes ("1E+15", "1E-05").
QString format(double value);

// Whole number nearest to `value`, halves to the even neighbour; a value a
// rounding error away from a half counts as the half (2.675 * 100).
double roundTiesEven(double value);

} // namespace db::numbertext
