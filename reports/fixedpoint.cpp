#include "reports/fixedpoint.h"

#include "platform/db/error.h"
#include "platform/db/numbertext.h"

namespace fixedpoint {

namespace {
// n / d rounded to the nearest whole number, halves to even (d > 0).
__int128 divideHalfEven(__int128 n, __int128 d)
{
    __int128 q = n / d;
    __int128 r = n % d;
    if (r < 0) {
        r += d;
        q -= 1;
    }
    if (2 * r > d || (2 * r == d && (q & 1) != 0)) q += 1;
    return q;
}
} // namespace

db::Currency multiply(db::Currency a, db::Currency b)
{
    const __int128 product = static_cast<__int128>(a.ticks()) * b.ticks();
    return db::Currency::fromTicks(static_cast<std::int64_t>(divideHalfEven(product, 10000)));
}

std::optional<db::Currency> amount(const db::Variant& value)
{
    if (value.isNullOrEmpty() || !db::isNumeric(value)) return std::nullopt;
    try {
        return value.toCurrency();
    } catch (const db::Error&) {
        return std::nullopt;
    }
}

QString unitsText(__int128 units, int decimals)
{
    const bool negative = units < 0;
    unsigned __int128 magnitude = negative ? static_cast<unsigned __int128>(-(units + 1)) + 1 : static_cast<unsigned __int128>(units);
    unsigned __int128 scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    auto digitsOf = [](unsigned __int128 value) {
        QString digits;
        do {
            digits.prepend(QLatin1Char(static_cast<char>('0' + static_cast<int>(value % 10))));
            value /= 10;
        } while (value != 0);
        return digits;
    };
    QString text = digitsOf(magnitude / scale);
    if (const unsigned __int128 fraction = magnitude % scale; fraction != 0) {
        QString digits = digitsOf(fraction).rightJustified(decimals, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0'))) digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

QString millionthsText(std::int64_t millionths)
{
    return unitsText(millionths, 6);
}

std::int64_t roundedQuantity(double value)
{
    return static_cast<std::int64_t>(db::numbertext::roundTiesEven(value));
}

} // namespace fixedpoint
