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

QString millionthsText(std::int64_t millionths)
{
    const bool negative = millionths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(millionths) : static_cast<std::uint64_t>(millionths);
    QString text = QString::number(magnitude / 1000000);
    std::uint64_t fraction = magnitude % 1000000;
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(6, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0'))) digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

std::int64_t roundedQuantity(double value)
{
    return static_cast<std::int64_t>(db::numbertext::roundTiesEven(value));
}

} // namespace fixedpoint
