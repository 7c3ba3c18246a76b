#include "platform/db/locale.h"

#include <QRegularExpression>
#include <QTimeZone>

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

// "yyyy-MM-dd HH:mm:ss", the stored form, read without a regular expression:
// it is by far the most frequent text to read.
std::optional<QDateTime> parseStorageText(const QString& text)
{
    if (text.size() != 19) return std::nullopt;
    auto number = [&](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const QChar c = text.at(i);
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
            value = value * 10 + (c.unicode() - '0');
        }
        return value;
    };
    if (text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-') || text.at(10) != QLatin1Char(' ')
        || text.at(13) != QLatin1Char(':') || text.at(16) != QLatin1Char(':'))
        return std::nullopt;
    const int parts[6] = {number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2)};
    for (int part : parts)
        if (part < 0) return std::nullopt;
    return dateTimeOf(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
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
