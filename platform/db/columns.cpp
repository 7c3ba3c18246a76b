#include "platform/db/columns.h"

#include "platform/db/error.h"
#include "platform/db/locale.h"
#include "platform/db/numbertext.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace db::detail {

FieldType fieldTypeOf(const QString& declared, int* maxLength)
{
    static const QRegularExpression shape(QStringLiteral("^\\s*([A-Za-z]+)\\s*(?:\\(\\s*(\\d+)\\s*\\))?"));
    const QRegularExpressionMatch match = shape.match(declared);
    if (!match.hasMatch()) return FieldType::Untyped;
    const QString name = match.captured(1).toUpper();
    auto among = [&](std::initializer_list<const char*> names) {
        for (const char* candidate : names)
            if (name == QLatin1String(candidate)) return true;
        return false;
    };
    if (among({"TEXT", "VARCHAR", "CHAR", "NVARCHAR", "NCHAR"})) {
        *maxLength = match.captured(2).toInt();
        return FieldType::Text;
    }
    if (among({"LONGTEXT", "MEMO", "NOTE", "CLOB"})) return FieldType::Text;
    if (among({"INTEGER", "INT", "LONG", "COUNTER", "AUTOINCREMENT", "SMALLINT", "BYTE"})) return FieldType::Long;
    if (among({"DOUBLE", "REAL", "FLOAT", "SINGLE", "NUMERIC", "DECIMAL"})) return FieldType::Double;
    if (among({"CURRENCY", "MONEY"})) return FieldType::Currency;
    if (among({"DATETIME", "DATE", "TIME", "TIMESTAMP"})) return FieldType::Date;
    return FieldType::Untyped;
}

Column describeColumn(sqlite3_stmt* statement, int index)
{
    Column column;
    column.name = QString::fromUtf8(sqlite3_column_name(statement, index));
    if (const char* declared = sqlite3_column_decltype(statement, index))
        column.type = fieldTypeOf(QString::fromUtf8(declared), &column.maxLength);
    if (const char* table = sqlite3_column_table_name(statement, index)) column.table = table;
    if (const char* database = sqlite3_column_database_name(statement, index)) column.database = database;
    if (const char* origin = sqlite3_column_origin_name(statement, index)) column.origin = origin;
    return column;
}

namespace {

// The value converted to the column's type; db::Error when it cannot be.
Variant converted(const Column& column, const Variant& value)
{
    switch (column.type) {
    case FieldType::Untyped:
    case FieldType::Text: break;
    case FieldType::Long: return Variant(value.toLong());
    case FieldType::Double: return Variant(value.toDouble());
    case FieldType::Currency: return Variant(value.toCurrency());
    case FieldType::Date: return Variant(value.toDate());
    }
    return column.type == FieldType::Text ? Variant(value.toText()) : value;
}

QString largestOf(FieldType type)
{
    switch (type) {
    case FieldType::Currency: return QStringLiteral("922337203685477.5807");
    case FieldType::Long: return QString::number(std::numeric_limits<std::int64_t>::max());
    default: return numbertext::format(std::numeric_limits<double>::max());
    }
}

} // namespace

std::optional<ColumnRefusal> refusalFor(const Column& column, const Variant& value)
{
    if (value.isNullOrEmpty() || column.type == FieldType::Untyped) return std::nullopt;
    if (column.type == FieldType::Text) {
        if (column.maxLength > 0 && value.toText().size() > column.maxLength)
            return ColumnRefusal{ColumnRefusal::Why::TooLong, column.maxLength, QString()};
        return std::nullopt;
    }
    try {
        converted(column, value);
        return std::nullopt;
    } catch (const Error&) {
    }
    if (column.type == FieldType::Date) return ColumnRefusal{ColumnRefusal::Why::NotDate, 0, QString()};
    // A number the column cannot hold is too large; anything else is no number.
    if (value.type() != Variant::Type::Text || numbertext::parse(value.toText()))
        return ColumnRefusal{ColumnRefusal::Why::TooLarge, 0, largestOf(column.type)};
    return ColumnRefusal{ColumnRefusal::Why::NotNumber, 0, QString()};
}

Variant convertForColumn(const Column& column, const Variant& value)
{
    if (value.isNullOrEmpty()) return Variant::null();
    try {
        // Only a text's width is not a conversion's own failure.
        if (column.type == FieldType::Text)
            if (const auto refused = refusalFor(column, value))
                throw Error(QStringLiteral("文字超过该字段能容纳的 %1 个字符").arg(refused->width));
        return converted(column, value);
    } catch (const Error& error) {
        throw Error(QStringLiteral("字段 %1：%2").arg(column.name, error.message()), error.kind());
    }
}

void bindValue(sqlite3_stmt* statement, int index, const Variant& value)
{
    switch (value.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Null: sqlite3_bind_null(statement, index); return;
    case Variant::Type::Boolean: sqlite3_bind_int64(statement, index, value.toBool() ? 1 : 0); return;
    case Variant::Type::Long: sqlite3_bind_int64(statement, index, value.toLong()); return;
    case Variant::Type::Double: sqlite3_bind_double(statement, index, value.toDouble()); return;
    case Variant::Type::Currency: bindCurrency(statement, index, value.toCurrency()); return;
    case Variant::Type::Date: {
        const QByteArray text = locale::storageText(value.toDate()).toUtf8();
        sqlite3_bind_text(statement, index, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return;
    }
    case Variant::Type::Text: {
        const QByteArray text = value.toText().toUtf8();
        sqlite3_bind_text(statement, index, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return;
    }
    }
}

namespace {
bool storedAsTicks(Currency value)
{
    return value.ticks() >= kTicksStoredFrom || value.ticks() <= -kTicksStoredFrom;
}
} // namespace

void bindCurrency(sqlite3_stmt* statement, int index, Currency value)
{
    if (storedAsTicks(value)) sqlite3_bind_int64(statement, index, value.ticks());
    else if (value.ticks() % 10000 == 0) sqlite3_bind_int64(statement, index, value.ticks() / 10000);
    else sqlite3_bind_double(statement, index, value.toDouble());
}

void resultCurrency(sqlite3_context* context, Currency value)
{
    if (storedAsTicks(value)) sqlite3_result_int64(context, value.ticks());
    else if (value.ticks() % 10000 == 0) sqlite3_result_int64(context, value.ticks() / 10000);
    else sqlite3_result_double(context, value.toDouble());
}

std::optional<Currency> currencyOfStored(std::int64_t integer)
{
    if (integer >= kTicksStoredFrom || integer <= -kTicksStoredFrom) return Currency::fromTicks(integer);
    return Currency::fromTicks(integer * 10000);
}

std::optional<Currency> currencyOfStored(double real)
{
    // The amount as written: its 15 significant digits (a tie rounding away
    // from zero, as the written form does), read exactly to the
    // ten-thousandth (halves to even). Worked out on the double's exact value
    // for every amount a REAL holds, so a sum over many rows writes no text.
    const double magnitude = std::fabs(real);
    if (magnitude >= 1e-5 && magnitude < 1e11) {
        // Nearly every amount is a whole number of ten-thousandths: then real ×
        // 10^4 (off by at most 1/16 in the product) lies within 1/100 of it,
        // and the written digits (off by at most 1/20 of a ten-thousandth
        // below 1e10, and exact ten-thousandths above) round to it too.
        const double scaled = real * 10000;
        const double nearest = std::nearbyint(scaled);
        if (std::fabs(scaled - nearest) < 0.01) return Currency::fromTicks(static_cast<std::int64_t>(nearest));
    }
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);   // magnitude = fraction * 2^exponent
    if (!(magnitude >= 1e-5 && magnitude < 1e11) || real == std::trunc(real)) {
        if (auto ticks = numbertext::parseTicks(numbertext::format(real))) return Currency::fromTicks(*ticks);
        return std::nullopt;
    }
    // magnitude = mantissa / 2^shift exactly, 0 < shift < 128.
    const auto mantissa = static_cast<std::int64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent;
    auto powerOfTen = [](int n) {
        __int128 power = 1;
        while (n-- > 0) power *= 10;
        return power;
    };
    const __int128 fifteenDigits = powerOfTen(15);
    // `scale` such that the written digits are magnitude * 10^scale, a whole number of 15 digits.
    int scale = 14 - static_cast<int>(std::floor(std::log10(magnitude)));
    __int128 digits = 0;
    for (;;) {
        const __int128 scaled = static_cast<__int128>(mantissa) * powerOfTen(scale);
        digits = scaled >> shift;
        if (digits >= fifteenDigits) {
            --scale;
            continue;
        }
        if (digits < fifteenDigits / 10) {
            ++scale;
            continue;
        }
        const __int128 rest = scaled - (digits << shift);
        if (rest * 2 >= (static_cast<__int128>(1) << shift)) ++digits;
        break;
    }
    // The written number is digits / 10^scale; its ten-thousandths, halves to even.
    __int128 ticks = digits;
    if (scale < 4) {
        ticks *= powerOfTen(4 - scale);
    } else if (scale > 4) {
        const __int128 unit = powerOfTen(scale - 4);
        ticks = digits / unit;
        const __int128 rest = digits % unit;
        if (rest * 2 > unit || (rest * 2 == unit && ticks % 2 != 0)) ++ticks;
    }
    const auto value = static_cast<std::int64_t>(ticks);
    return Currency::fromTicks(real < 0 ? -value : value);
}

} // namespace db::detail
