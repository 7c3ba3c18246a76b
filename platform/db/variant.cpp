#include "platform/db/variant.h"

#include "platform/db/error.h"
#include "platform/db/locale.h"
#include "platform/db/numbertext.h"

#include <cmath>
#include <limits>

namespace db {

namespace {

constexpr std::int64_t kTicksPerUnit = 10000;
const QDate kSerialEpoch(1899, 12, 30);   // day 0 of the serial date numbers

[[noreturn]] void mismatch(const Variant& value, const char* wanted)
{
    if (value.isNull()) throw Error(QStringLiteral("无效使用 Null（此处需要%1）").arg(QString::fromUtf8(wanted)));
    throw Error(QStringLiteral("类型不匹配：“%1”不是%2").arg(value.toText(), QString::fromUtf8(wanted)));
}

double serialOf(const QDateTime& when)
{
    const double days = static_cast<double>(kSerialEpoch.daysTo(when.date()));
    return days + when.time().msecsSinceStartOfDay() / 86'400'000.0;
}

QDateTime dateOfSerial(double serial)
{
    if (!std::isfinite(serial) || std::fabs(serial) > 3'000'000) throw Error(QStringLiteral("日期超出范围"));
    double days = std::floor(serial);
    auto seconds = static_cast<std::int64_t>(std::llround((serial - days) * 86400));
    if (seconds >= 86400) {
        days += 1;
        seconds -= 86400;
    }
    return locale::localDateTime(kSerialEpoch.addDays(static_cast<qint64>(days)),
                                 QTime(0, 0).addSecs(static_cast<int>(seconds)));
}

std::int64_t checkedLong(double rounded)
{
    if (!std::isfinite(rounded) || rounded >= 9.2233720368547758e18 || rounded < -9.2233720368547758e18)
        throw Error(QStringLiteral("溢出：数值超出范围"));
    return static_cast<std::int64_t>(rounded);
}

// Ticks divided by a power of ten, halves to even, exactly.
std::int64_t divideTiesEven(__int128 value, __int128 divisor)
{
    __int128 quotient = value / divisor;
    __int128 remainder = value % divisor;
    if (remainder < 0) {
        quotient -= 1;
        remainder += divisor;
    }
    if (remainder * 2 > divisor || (remainder * 2 == divisor && quotient % 2 != 0)) quotient += 1;
    if (quotient > std::numeric_limits<std::int64_t>::max() || quotient < std::numeric_limits<std::int64_t>::min())
        throw Error(QStringLiteral("溢出：数值超出范围"));
    return static_cast<std::int64_t>(quotient);
}

} // namespace

// ---- Currency --------------------------------------------------------------

Currency Currency::fromTicks(std::int64_t ticks)
{
    Currency value;
    value.ticks_ = ticks;
    return value;
}

Currency Currency::fromDouble(double value)
{
    return fromTicks(checkedLong(numbertext::roundTiesEven(value * kTicksPerUnit)));
}

double Currency::toDouble() const
{
    return static_cast<double>(ticks_) / kTicksPerUnit;
}

QString Currency::toString() const
{
    // Written backwards into a buffer: the fraction without trailing zeros, then the whole part.
    const bool negative = ticks_ < 0;
    auto magnitude = negative ? -static_cast<unsigned long long>(ticks_) : static_cast<unsigned long long>(ticks_);
    char buffer[32];
    char* at = buffer + sizeof buffer;
    auto fraction = magnitude % kTicksPerUnit;
    magnitude /= kTicksPerUnit;
    if (fraction != 0) {
        int digits = 4;
        for (; fraction % 10 == 0; fraction /= 10) --digits;
        for (; digits > 0; --digits, fraction /= 10) *--at = static_cast<char>('0' + fraction % 10);
        *--at = '.';
    }
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) *--at = '-';
    return QString::fromLatin1(at, buffer + sizeof buffer - at);
}

// ---- Variant ---------------------------------------------------------------

Variant Variant::null()
{
    Variant value;
    value.type_ = Type::Null;
    return value;
}

Variant::Variant(bool value) : type_(Type::Boolean), bool_(value) {}
Variant::Variant(int value) : type_(Type::Long), long_(value) {}
Variant::Variant(std::int64_t value) : type_(Type::Long), long_(value) {}
Variant::Variant(double value) : type_(Type::Double), double_(value) {}
Variant::Variant(db::Currency value) : type_(Type::Currency), currency_(value) {}
Variant::Variant(const QDateTime& value) : type_(Type::Date), date_(value) {}
Variant::Variant(const QString& value) : type_(Type::Text), text_(value) {}
Variant::Variant(const char* utf8) : type_(Type::Text), text_(QString::fromUtf8(utf8)) {}

QString Variant::toText() const
{
    switch (type_) {
    case Type::Empty:
    case Type::Null: return QString();
    case Type::Boolean: return bool_ ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Long: return QString::number(long_);
    case Type::Double: return numbertext::format(double_);
    case Type::Currency: return currency_.toString();
    case Type::Date: return locale::generalDate(date_);
    case Type::Text: return text_;
    }
    return QString();
}

double Variant::toDouble() const
{
    switch (type_) {
    case Type::Empty: return 0;
    case Type::Null: break;
    case Type::Boolean: return bool_ ? -1 : 0;   // True is -1, as in the system's basic
    case Type::Long: return static_cast<double>(long_);
    case Type::Double: return double_;
    case Type::Currency: return currency_.toDouble();
    case Type::Date: return serialOf(date_);
    case Type::Text:
        if (auto number = numbertext::parse(text_)) return *number;
        break;
    }
    mismatch(*this, "数值");
}

std::int64_t Variant::toLong() const
{
    switch (type_) {
    case Type::Long: return long_;
    case Type::Currency: return divideTiesEven(currency_.ticks(), kTicksPerUnit);
    default: return checkedLong(numbertext::roundTiesEven(toDouble()));
    }
}

db::Currency Variant::toCurrency() const
{
    switch (type_) {
    case Type::Currency: return currency_;
    case Type::Long:
        if (long_ > std::numeric_limits<std::int64_t>::max() / kTicksPerUnit
            || long_ < std::numeric_limits<std::int64_t>::min() / kTicksPerUnit)
            throw Error(QStringLiteral("溢出：数值超出范围"));
        return Currency::fromTicks(long_ * kTicksPerUnit);
    case Type::Text:
        if (auto ticks = numbertext::parseTicks(text_)) return Currency::fromTicks(*ticks);
        mismatch(*this, "数值");
    default: return Currency::fromDouble(toDouble());
    }
}

QDateTime Variant::toDate() const
{
    switch (type_) {
    case Type::Date: return date_;
    case Type::Text:
        if (auto date = locale::parseDate(text_)) return *date;
        break;
    case Type::Long:
    case Type::Double:
    case Type::Currency: return dateOfSerial(toDouble());
    default: break;
    }
    mismatch(*this, "日期");
}

bool Variant::toBool() const
{
    switch (type_) {
    case Type::Empty: return false;
    case Type::Boolean: return bool_;
    case Type::Text: {
        const QString text = trimBlanks(text_);
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
        if (auto number = numbertext::parse(text)) return *number != 0;
        break;
    }
    case Type::Null: break;
    default: return toDouble() != 0;
    }
    mismatch(*this, "是/否值");
}

bool Variant::operator==(const Variant& other) const
{
    if (type_ != other.type_) return false;
    switch (type_) {
    case Type::Empty:
    case Type::Null: return true;
    case Type::Boolean: return bool_ == other.bool_;
    case Type::Long: return long_ == other.long_;
    case Type::Double: return double_ == other.double_;
    case Type::Currency: return currency_ == other.currency_;
    case Type::Date: return date_ == other.date_;
    case Type::Text: return text_ == other.text_;
    }
    return false;
}

// ---- Operator-facing conversions ---------------------------------------------

QString trimBlanks(const QString& text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' ')) ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' ')) --end;
    return text.mid(begin, end - begin);
}

bool isNumeric(const Variant& value)
{
    switch (value.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Null:
    case Variant::Type::Date: return false;
    case Variant::Type::Text: return numbertext::parse(value.toText()).has_value();
    default: return true;
    }
}

bool isDate(const Variant& value)
{
    if (value.type() == Variant::Type::Date) return true;
    return value.type() == Variant::Type::Text && locale::parseDate(value.toText()).has_value();
}

double val(const QString& text)
{
    // Reads sign, digits, point and exponent from the start; blanks, tabs and
    // line feeds are skipped wherever they stand, the first other character ends it.
    QString number;
    bool seenPoint = false, seenExponent = false, seenDigit = false;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            continue;
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const QChar last = number.isEmpty() ? QChar() : number.back();
        if (digit) {
            number += c;
            seenDigit = true;
        } else if ((c == QLatin1Char('+') || c == QLatin1Char('-'))
                   && (number.isEmpty() || last == QLatin1Char('E'))) {
            number += c;
        } else if (c == QLatin1Char('.') && !seenPoint && !seenExponent) {
            number += c;
            seenPoint = true;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E') || c == QLatin1Char('d') || c == QLatin1Char('D'))
                   && seenDigit && !seenExponent) {
            number += QLatin1Char('E');
            seenExponent = true;
        } else {
            break;
        }
    }
    while (!number.isEmpty() && !number.back().isDigit()) number.chop(1);   // "12e", "3.", "-"
    if (number.endsWith(QLatin1Char('.'))) number.chop(1);
    if (!seenDigit || number.isEmpty()) return 0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

double roundHalfEven(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return numbertext::roundTiesEven(value * scale) / scale;
}

// ---- Arithmetic --------------------------------------------------------------

namespace {

enum class Kind { Long, Currency, Double, Date };

Kind kindOf(const Variant& value)
{
    switch (value.type()) {
    case Variant::Type::Currency: return Kind::Currency;
    case Variant::Type::Date: return Kind::Date;
    case Variant::Type::Double:
    case Variant::Type::Text: return Kind::Double;
    default: return Kind::Long;   // Empty counts as 0, a yes/no value as -1 or 0
    }
}

Kind common(Kind a, Kind b)
{
    return static_cast<Kind>(std::max(static_cast<int>(a), static_cast<int>(b)));
}

Variant longOrDouble(__int128 exact)
{
    if (exact > std::numeric_limits<std::int64_t>::max() || exact < std::numeric_limits<std::int64_t>::min())
        return Variant(static_cast<double>(exact));
    return Variant(static_cast<std::int64_t>(exact));
}

Variant currencyOf(__int128 ticks)
{
    if (ticks > std::numeric_limits<std::int64_t>::max() || ticks < std::numeric_limits<std::int64_t>::min())
        throw Error(QStringLiteral("溢出：数值超出范围"));
    return Variant(Currency::fromTicks(static_cast<std::int64_t>(ticks)));
}

Variant addOrSubtract(const Variant& a, const Variant& b, int sign)
{
    if (a.isNull() || b.isNull()) return Variant::null();
    const Kind ka = kindOf(a), kb = kindOf(b);
    if (ka == Kind::Date || kb == Kind::Date) {
        const double serial = a.toDouble() + sign * b.toDouble();
        // A date minus a date is a number of days; a date moved by days stays a date.
        if (sign < 0 && ka == Kind::Date && kb == Kind::Date) return Variant(serial);
        return Variant(dateOfSerial(serial));
    }
    switch (common(ka, kb)) {
    case Kind::Long: return longOrDouble(static_cast<__int128>(a.toLong()) + sign * static_cast<__int128>(b.toLong()));
    case Kind::Currency:
        return currencyOf(static_cast<__int128>(a.toCurrency().ticks()) + sign * static_cast<__int128>(b.toCurrency().ticks()));
    default: return Variant(a.toDouble() + sign * b.toDouble());
    }
}

} // namespace

Variant add(const Variant& a, const Variant& b)
{
    return addOrSubtract(a, b, 1);
}

Variant subtract(const Variant& a, const Variant& b)
{
    return addOrSubtract(a, b, -1);
}

Variant multiply(const Variant& a, const Variant& b)
{
    if (a.isNull() || b.isNull()) return Variant::null();
    switch (common(kindOf(a), kindOf(b))) {
    case Kind::Long: return longOrDouble(static_cast<__int128>(a.toLong()) * b.toLong());
    case Kind::Currency: {
        const __int128 product = static_cast<__int128>(a.toCurrency().ticks()) * b.toCurrency().ticks();
        return Variant(Currency::fromTicks(divideTiesEven(product, kTicksPerUnit)));
    }
    default: return Variant(a.toDouble() * b.toDouble());
    }
}

Variant divide(const Variant& a, const Variant& b)
{
    if (a.isNull() || b.isNull()) return Variant::null();
    const double divisor = b.toDouble();
    if (divisor == 0) throw Error(QStringLiteral("除数为零"));
    return Variant(a.toDouble() / divisor);
}

} // namespace db
