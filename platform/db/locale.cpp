#include "platform/db/locale.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <array>

namespace db::locale {

namespace {

std::optional<QDateTime>& fixedClock()
{
    static std::optional<QDateTime> clock;
    return clock;
}

std::optional<QDateTime> dateTimeOf(int year, int month, int day, int hour, int minute, int second)
{
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid()) return std::nullopt;
    return localDateTime(date, time);
}

// A character of either kind of text, as a UTF-16 unit (a byte of UTF-8 is
// never taken for an ASCII digit or separator unless it is one).
char16_t unitAt(const QString& text, int i)
{
    return text.at(i).unicode();
}

char16_t unitAt(QByteArrayView text, int i)
{
    return static_cast<unsigned char>(text.at(i));
}

// The six numbers of "yyyy-MM-dd HH:mm:ss", the stored form, read without a
// regular expression: it is by far the most frequent text to read.
template <class Text>
std::optional<std::array<int, 6>> storageParts(const Text& text)
{
    if (text.size() != 19) return std::nullopt;
    auto number = [&](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const char16_t c = unitAt(text, i);
            if (c < u'0' || c > u'9') return -1;
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    for (const auto& [at, separator] : {std::pair{4, u'-'}, {7, u'-'}, {10, u' '}, {13, u':'}, {16, u':'}})
        if (unitAt(text, at) != separator) return std::nullopt;
    const std::array<int, 6> parts{number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2)};
    for (int part : parts)
        if (part < 0) return std::nullopt;
    return parts;
}

std::optional<QDateTime> parseStorageText(const QString& text)
{
    const auto parts = storageParts(text);
    if (!parts) return std::nullopt;
    return dateTimeOf((*parts)[0], (*parts)[1], (*parts)[2], (*parts)[3], (*parts)[4], (*parts)[5]);
}

} // namespace

QDateTime localDateTime(const QDate& date, const QTime& time)
{
    // The zone's rules are read once: a local time built by the C library
    // would look the zone up again (a file check included) for every value.
    static const QTimeZone zone = QTimeZone::systemTimeZone();
    return QDateTime(date, time, zone);
}

QString shortDate(const QDate& date)
{
    return date.toString(QLatin1String(kShortDateFormat));
}

QString generalDate(const QDateTime& when)
{
    if (when.time() == QTime(0, 0)) return shortDate(when.date());
    return when.toString(QLatin1String(kGeneralDateFormat));
}

QString storageText(const QDateTime& when)
{
    return when.toString(QLatin1String(kStorageFormat));
}

std::optional<QDateTime> parseDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (auto stored = parseStorageText(trimmed)) return stored;
    // Year first; "-", "/" or "." between the parts, or the written form
    // 2026年3月1日; an optional time of day with or without seconds.
    static const QRegularExpression form(QStringLiteral(
        "^(\\d{4})\\s*(?:[-/.]|年)\\s*(\\d{1,2})\\s*(?:[-/.]|月)\\s*(\\d{1,2})\\s*日?"
        "(?:(?:\\s+|T)(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?$"));
    const QRegularExpressionMatch match = form.match(trimmed);
    if (!match.hasMatch()) return std::nullopt;
    auto part = [&](int index) { return match.captured(index).isEmpty() ? 0 : match.captured(index).toInt(); };
    return dateTimeOf(part(1), part(2), part(3), part(4), part(5), part(6));
}

std::optional<QDate> storedDay(QByteArrayView utf8)
{
    const auto parts = storageParts(utf8);
    if (!parts || !QTime((*parts)[3], (*parts)[4], (*parts)[5]).isValid()) return std::nullopt;
    const QDate day((*parts)[0], (*parts)[1], (*parts)[2]);
    if (!day.isValid()) return std::nullopt;
    return day;
}

std::optional<QTime> parseTime(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch()) return std::nullopt;
    const QTime time(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).isEmpty() ? 0 : match.captured(3).toInt());
    if (!time.isValid()) return std::nullopt;
    return time;
}

QDateTime now()
{
    if (fixedClock()) return *fixedClock();
    QDateTime current = QDateTime::currentDateTime();
    // The system's dates carry whole seconds.
    current.setTime(QTime(current.time().hour(), current.time().minute(), current.time().second()));
    return current;
}

void setClockForTests(std::optional<QDateTime> fixedNow)
{
    fixedClock() = std::move(fixedNow);
}

} // namespace db::locale
