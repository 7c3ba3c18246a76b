// Values and the conversions the windows apply to what an operator types.
#include "platform/db/error.h"
#include "platform/db/locale.h"
#include "platform/db/variant.h"

#include <gtest/gtest.h>
#include <limits>

using namespace db;

namespace {

TEST(VariantText, NumbersWithoutGroupingOrTrailingZeros)
{
    const std::pair<Variant, const char*> cases[] = {
        {Variant(12.5), "12.5"},      {Variant(3.0), "3"},          {Variant(-0.25), "-0.25"},
        {Variant(1234567.0), "1234567"}, {Variant(0.1 + 0.2), "0.3"}, {Variant(123456789.125), "123456789.125"},
        {Variant(0.0001), "0.0001"},  {Variant(1e20), "1E+20"},     {Variant(std::int64_t{-42}), "-42"},
        {Variant(Currency::fromTicks(125000)), "12.5"}, {Variant(Currency::fromTicks(-30000)), "-3"},
        {Variant(Currency::fromTicks(1)), "0.0001"},    {Variant(true), "True"},
        {Variant::null(), ""},        {Variant(), ""},              {Variant("abc"), "abc"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(value.toText(), QString::fromUtf8(text)) << text;
    const std::pair<std::int64_t, const char*> amounts[] = {
        {0, "0"},           {-1, "-0.0001"},     {10, "0.001"},       {-5000, "-0.5"},        {12340, "1.234"},
        {1002, "0.1002"},   {100000, "10"},      {-1000010, "-100.001"},
        {std::numeric_limits<std::int64_t>::max(), "922337203685477.5807"},
        {std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"},
    };
    for (const auto& [ticks, text] : amounts) EXPECT_EQ(Currency::fromTicks(ticks).toString(), QString::fromUtf8(text)) << text;
}

TEST(VariantText, DatesShowShortOrGeneralForm)
{
    EXPECT_EQ(Variant(QDateTime(QDate(2026, 3, 1), QTime(0, 0))).toText(), QStringLiteral("2026-3-1"));
    EXPECT_EQ(Variant(QDateTime(QDate(2026, 3, 1), QTime(8, 5, 0))).toText(), QStringLiteral("2026-3-1 8:05:00"));
    EXPECT_EQ(locale::storageText(QDateTime(QDate(2026, 3, 1), QTime(8, 5, 0))), QStringLiteral("2026-03-01 08:05:00"));
}

TEST(VariantRounding, HalvesGoToTheEvenNeighbour)
{
    const std::pair<double, double> whole[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& [value, expected] : whole) {
        EXPECT_EQ(roundHalfEven(value), expected) << value;
        EXPECT_EQ(Variant(value).toLong(), static_cast<std::int64_t>(expected)) << value;
    }
    EXPECT_EQ(roundHalfEven(2.675, 2), 2.68);    // 267.49999... in binary, a half as written
    EXPECT_EQ(roundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(roundHalfEven(1.005, 2), 1.0);
    EXPECT_EQ(Variant("  2.5 ").toLong(), 2);
    EXPECT_EQ(Variant(Currency::fromTicks(35000)).toLong(), 4);   // 3.5
    EXPECT_EQ(Currency::fromDouble(0.00005).ticks(), 0);
    EXPECT_EQ(Currency::fromDouble(0.00015).ticks(), 2);
}

TEST(VariantCurrency, SumsAreExact)
{
    Currency sum;
    for (int i = 0; i < 1000; ++i) sum = sum + Variant("0.1").toCurrency();
    EXPECT_EQ(sum, Currency::fromTicks(1000000));
    EXPECT_EQ(sum.toString(), QStringLiteral("100"));
    EXPECT_EQ(Variant("19.99").toCurrency() - Variant("0.99").toCurrency(), Currency::fromTicks(190000));
    EXPECT_EQ(Variant("1.23456").toCurrency().ticks(), 12346);
    EXPECT_EQ(Variant("1.23445").toCurrency().ticks(), 12344);     // half to even, read from the digits
    EXPECT_EQ(Variant("-0.00005").toCurrency().ticks(), 0);
    EXPECT_EQ(Variant("1e3").toCurrency().ticks(), 10000000);
    EXPECT_THROW(Variant("1e30").toCurrency(), Error);
    EXPECT_EQ(multiply(Variant(Currency::fromTicks(12345)), Variant(3)).toCurrency().ticks(), 37035);
}

TEST(VariantNumeric, OperatorTextIsNumericOnlyWhenWhollyANumber)
{
    const std::pair<Variant, bool> cases[] = {
        {Variant(" 12 "), true},   {Variant("-0.5"), true},  {Variant("+3"), true}, {Variant(".5"), true},
        {Variant("1e3"), true},    {Variant(""), false},     {Variant("   "), false}, {Variant("12abc"), false},
        {Variant("1,000"), false}, {Variant("abc"), false},  {Variant("--1"), false}, {Variant("."), false},
        {Variant::null(), false},  {Variant(), false},       {Variant(7), true},     {Variant(2.5), true},
    };
    for (const auto& [value, numeric] : cases) EXPECT_EQ(isNumeric(value), numeric) << value.toText().toStdString();
}

TEST(VariantConversion, FailuresThrowAndNullIsNoNumber)
{
    EXPECT_THROW(Variant("abc").toDouble(), Error);
    EXPECT_THROW(Variant::null().toDouble(), Error);
    EXPECT_THROW(Variant::null().toLong(), Error);
    EXPECT_THROW(Variant("2024-13-01").toDate(), Error);
    EXPECT_THROW(Variant(1e300).toLong(), Error);
    EXPECT_EQ(Variant(" 12.25 ").toDouble(), 12.25);
    EXPECT_EQ(Variant("2026/3/1").toDate(), QDateTime(QDate(2026, 3, 1), QTime(0, 0)));
    EXPECT_EQ(Variant("1").toBool(), true);
    EXPECT_EQ(Variant("False").toBool(), false);
    EXPECT_EQ(Variant(QDateTime(QDate(1900, 1, 1), QTime(12, 0))).toDouble(), 2.5);
    EXPECT_EQ(Variant(2.5).toDate(), QDateTime(QDate(1900, 1, 1), QTime(12, 0)));
}

TEST(VariantConversion, EqualityNeedsTheSameType)
{
    EXPECT_EQ(Variant(3), Variant(std::int64_t{3}));
    EXPECT_NE(Variant(3), Variant(3.0));
    EXPECT_NE(Variant(""), Variant::null());
    EXPECT_NE(Variant::null(), Variant());
    EXPECT_EQ(Variant::null(), Variant::null());
}

TEST(VariantVal, ReadsTheLeadingNumber)
{
    const std::pair<const char*, double> cases[] = {
        {"12abc", 12}, {"  -3.5kg", -3.5}, {"abc", 0}, {"", 0}, {"1 2 3", 123}, {"1.5.6", 1.5},
        {"2e3x", 2000}, {"7e", 7}, {"-", 0}, {".25", 0.25}, {"5.", 5},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(val(QString::fromUtf8(text)), expected) << text;
}

TEST(VariantTrim, OnlySpacesAreRemoved)
{
    EXPECT_EQ(trimBlanks(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(trimBlanks(QStringLiteral("\tx\n")), QStringLiteral("\tx\n"));
    EXPECT_EQ(trimBlanks(QStringLiteral("   ")), QString());
}

TEST(VariantArithmetic, NullPropagatesAndTypesCombine)
{
    for (auto op : {add, subtract, multiply, divide}) {
        EXPECT_TRUE(op(Variant::null(), Variant(1)).isNull());
        EXPECT_TRUE(op(Variant(2.5), Variant::null()).isNull());
    }
    EXPECT_EQ(add(Variant(2), Variant(3)), Variant(5));
    EXPECT_EQ(add(Variant(), Variant(3)), Variant(3));                                  // Empty counts as 0
    EXPECT_EQ(add(Variant(Currency::fromTicks(1000)), Variant(2)), Variant(Currency::fromTicks(21000)));
    EXPECT_EQ(add(Variant(Currency::fromTicks(1000)), Variant(0.5)), Variant(0.6));
    EXPECT_EQ(add(Variant("1.5"), Variant(1)), Variant(2.5));
    EXPECT_EQ(divide(Variant(7), Variant(2)), Variant(3.5));
    EXPECT_THROW(divide(Variant(1), Variant(0)), Error);
    EXPECT_THROW(add(Variant("abc"), Variant(1)), Error);
    const QDateTime day(QDate(2024, 2, 28), QTime(0, 0));
    EXPECT_EQ(add(Variant(day), Variant(1)), Variant(QDateTime(QDate(2024, 2, 29), QTime(0, 0))));
    EXPECT_EQ(subtract(Variant(QDateTime(QDate(2024, 3, 1), QTime(0, 0))), Variant(day)), Variant(2.0));
}

TEST(LocaleDates, ReadsTheSystemsForms)
{
    const QDateTime march1(QDate(2026, 3, 1), QTime(0, 0));
    const std::pair<const char*, QDateTime> accepted[] = {
        {"2026-3-1", march1}, {"2026/3/1", march1}, {" 2026-03-01 ", march1}, {"2026年3月1日", march1},
        {"2026-03-01 08:05", QDateTime(QDate(2026, 3, 1), QTime(8, 5))},
        {"2026-3-1 8:05:07", QDateTime(QDate(2026, 3, 1), QTime(8, 5, 7))},
        {"2026-03-01 00:00:00", march1},
    };
    for (const auto& [text, expected] : accepted) {
        EXPECT_EQ(locale::parseDate(QString::fromUtf8(text)), expected) << text;
        EXPECT_TRUE(isDate(Variant(text))) << text;
    }
    for (const char* text : {"", "abc", "2026-2-30", "3/1/2026", "2026-3-1 25:00", "20260301", "2026-3"}) {
        EXPECT_FALSE(locale::parseDate(QString::fromUtf8(text)).has_value()) << text;
        EXPECT_FALSE(isDate(Variant(text))) << text;
    }
    EXPECT_FALSE(isDate(Variant::null()));
}

// A walk reads the day of a stored date straight from its bytes: the day
// parseDate gives for the stored form, nothing for any other text.
TEST(LocaleDates, TheStoredFormGivesItsDayWithoutADateTime)
{
    for (const char* text : {"2026-03-01 00:00:00", "2024-02-29 23:59:59", "1899-12-30 12:00:00"})
        EXPECT_EQ(locale::storedDay(QByteArrayView(text)), locale::parseDate(QString::fromUtf8(text))->date()) << text;
    for (const char* text : {"", "2026-3-1", "2026-03-01", " 2026-03-01 00:00:00", "2026-02-30 00:00:00", "2026-03-01 24:00:00",
                             "2026-03-01T00:00:00", "２026-03-01 00:00:00", "2026-03-01 00:00:0x"})
        EXPECT_FALSE(locale::storedDay(QByteArrayView(text)).has_value()) << text;
}

TEST(LocaleClock, TestsCanFixTheClock)
{
    const QDateTime fixed(QDate(2025, 12, 31), QTime(23, 59, 59));
    locale::setClockForTests(fixed);
    EXPECT_EQ(locale::now(), fixed);
    locale::setClockForTests(std::nullopt);
    EXPECT_LE(qAbs(locale::now().secsTo(QDateTime::currentDateTime())), 2);
}

} // namespace
