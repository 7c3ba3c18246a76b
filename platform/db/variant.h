#pragma once
// A value read from or written to the database: Empty, Null, or a typed value,
// with the conversions the windows use on text typed by an operator.
#include <QDateTime>
#include <QString>
#include <cstdint>

namespace db {

// Fixed-point money: ten-thousandths in 64 bits, so sums are exact.
class Currency {
public:
    Currency() = default;
    static Currency fromTicks(std::int64_t ticks);
    static Currency fromDouble(double value);   // rounded to 4 places, halves to even
    std::int64_t ticks() const { return ticks_; }
    double toDouble() const;
    QString toString() const;                   // "12.5", "-3", no grouping
    Currency operator+(Currency other) const { return fromTicks(ticks_ + other.ticks_); }
    Currency operator-(Currency other) const { return fromTicks(ticks_ - other.ticks_); }
    bool operator==(const Currency&) const = default;
    auto operator<=>(const Currency&) const = default;

private:
    std::int64_t ticks_ = 0;
};

class Variant {
public:
    enum class Type { Empty, Null, Boolean, Long, Double, Currency, Date, Text };

    Variant() = default;                        // Empty
    static Variant null();
    Variant(bool value);
    Variant(int value);
    Variant(std::int64_t value);
    Variant(double value);
    Variant(db::Currency value);
    Variant(const QDateTime& value);
    Variant(const QString& value);
    Variant(const char* utf8);

    Type type() const { return type_; }
    bool isNull() const { return type_ == Type::Null; }
    bool isEmpty() const { return type_ == Type::Empty; }
    bool isNullOrEmpty() const { return isNull() || isEmpty(); }

    // Text as the system shows it: numbers without grouping or trailing zeros,
    // dates as the short-date text (no time part) or the general-date text.
    // Null and Empty give the empty text (the `value & ""` idiom).
    QString toText() const;
    // Conversions that fail with db::Error when the value cannot be converted
    // (Null, or text that is not a number / date).
    double toDouble() const;
    std::int64_t toLong() const;                // rounded, halves to even
    db::Currency toCurrency() const;
    QDateTime toDate() const;
    bool toBool() const;

    bool operator==(const Variant& other) const; // same type and value

private:
    Type type_ = Type::Empty;
    bool bool_ = false;
    std::int64_t long_ = 0;
    double double_ = 0;
    db::Currency currency_;
    QDateTime date_;
    QString text_;
};

// Operator-facing conversions of the system's text boxes.
QString trimBlanks(const QString& text);          // removes only blanks (spaces) at both ends
bool isNumeric(const Variant& value);             // accepts surrounding blanks; Null/empty text are not numeric
bool isDate(const Variant& value);                // the system's date forms (see locale)
double val(const QString& text);                  // leading number of the text, 0 when none
double roundHalfEven(double value, int decimals = 0);

// Null propagation in arithmetic: any Null operand gives Null.
Variant add(const Variant& a, const Variant& b);
Variant subtract(const Variant& a, const Variant& b);
Variant multiply(const Variant& a, const Variant& b);
Variant divide(const Variant& a, const Variant& b);

} // namespace db
