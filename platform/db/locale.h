#pragma once
// The system's date forms, in one place: used for creation dates stored as
// text, for date literals built into SQL, and for display.
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <optional>

namespace db::locale {

inline constexpr const char* kShortDateFormat = "yyyy-M-d";
inline constexpr const char* kGeneralDateFormat = "yyyy-M-d H:mm:ss";
inline constexpr const char* kStorageFormat = "yyyy-MM-dd HH:mm:ss"; // how date/time columns are stored

// The local date and time, in the system's time zone; every date the layer reads is made this way.
QDateTime localDateTime(const QDate& date, const QTime& time);

QString shortDate(const QDate& date);             // "2026-3-1"
QString generalDate(const QDateTime& when);       // "2026-3-1 8:05:00"; a midnight time shows the date only
QString storageText(const QDateTime& when);       // "2026-03-01 08:05:00"

// Reads the date forms an operator or the system writes: "2026-3-1", "2026/3/1",
// "2026-03-01 08:05", "2026-3-1 8:05:00", "2026年3月1日". Empty when not a date.
std::optional<QDateTime> parseDate(const QString& text);
// The day of a date and time in the stored form ("2026-03-01 08:05:00", the
// storage text's bytes), as parseDate(text)->date() gives it, without making
// a date-time; empty for any other text.
std::optional<QDate> storedDay(QByteArrayView utf8);
// Reads a time of day alone: "21:30", "9:05:07". Empty when not such a time.
std::optional<QTime> parseTime(const QString& text);

QDateTime now();                                  // the clock the system reads; tests may set it
void setClockForTests(std::optional<QDateTime> fixedNow);

} // namespace db::locale
