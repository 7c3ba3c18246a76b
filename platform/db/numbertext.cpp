#include "platform/db/numbertext.h"

#include "platform/db/variant.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace db::numbertext {

namespace {

struct Decimal {
    bool negative = false;
    QString digits;        // integer and fraction digits without the point
    int pointAt = 0;       // number of integer digits
    int exponent = 0;
};

std::optional<Decimal> split(const QString& text)
{
    const QString s = trimBlanks(text);
    Decimal result;
    int i = 0;
    const int n = static_cast<int>(s.size());
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        result.negative = s[i] == QLatin1Char('-');
        ++i;
    }
    int integerDigits = 0, fractionDigits = 0;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
        result.digits += s[i++];
        ++integerDigits;
    }
    if (i < n && s[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
            result.digits += s[i++];
            ++fractionDigits;
        }
    }
    if (integerDigits + fractionDigits == 0) return std::nullopt;
    result.pointAt = integerDigits;
    if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) negativeExponent = s[i++] == QLatin1Char('-');
        int exponentDigits = 0;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128 && exponentDigits < 6) {
            result.exponent = result.exponent * 10 + (s[i++].unicode() - '0');
            ++exponentDigits;
        }
        if (exponentDigits == 0) return std::nullopt;
        if (negativeExponent) result.exponent = -result.exponent;
    }
    if (i != n) return std::nullopt;
    return result;
}

} // namespace

std::optional<double> parse(const QString& text)
{
    const auto decimal = split(text);
    if (!decimal) return std::nullopt;
    QString plain = decimal->digits;
    plain.insert(decimal->pointAt, QLatin1Char('.'));
    bool ok = false;
    double value = (plain + QLatin1Char('e') + QString::number(decimal->exponent)).toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return decimal->negative ? -value : value;
}

std::optional<std::int64_t> parseTicks(const QString& text)
{
    const auto decimal = split(text);
    if (!decimal) return std::nullopt;
    const int n = static_cast<int>(decimal->digits.size());
    auto digitAt = [&](int position) {
        return position >= 0 && position < n ? decimal->digits[position].unicode() - '0' : 0;
    };
    // Digits up to the fourth place after the point make the ticks; the ones
    // after it decide the rounding.
    const int firstDropped = decimal->pointAt + decimal->exponent + 4;
    if (firstDropped > 36) return std::nullopt;
    __int128 ticks = 0;
    for (int position = 0; position < firstDropped; ++position) ticks = ticks * 10 + digitAt(position);
    bool restNonZero = false;
    for (int position = std::max(firstDropped + 1, 0); position < n; ++position)
        restNonZero = restNonZero || digitAt(position) != 0;
    const int dropped = digitAt(firstDropped);
    if (dropped > 5 || (dropped == 5 && (restNonZero || ticks % 2 != 0))) ++ticks;
    if (decimal->negative) ticks = -ticks;
    if (ticks > std::numeric_limits<std::int64_t>::max() || ticks < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return static_cast<std::int64_t>(ticks);
}

QString format(double value)
{
    if (value == 0) return QStringLiteral("0");
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return QString::number(static_cast<qint64>(value));
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        // 1e+15 -> 1E+15, 1e-05 stays two-digit as written
        text[e] = QLatin1Char('E');
    }
    return text;
}

double roundTiesEven(double value)
{
    if (!std::isfinite(value)) return value;
    const double floorValue = std::floor(value);
    const double fraction = value - floorValue;
    // Never wider than a millionth: at large magnitudes the spacing of doubles
    // would otherwise make every fraction "a half".
    const double tolerance = std::min(64 * DBL_EPSILON * std::max(1.0, std::fabs(value)), 1e-6);
    if (std::fabs(fraction - 0.5) <= tolerance) return std::fmod(floorValue, 2.0) == 0 ? floorValue : floorValue + 1;
    return fraction < 0.5 ? floorValue : floorValue + 1;
}

} // namespace db::numbertext
