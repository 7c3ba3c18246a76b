#pragma once
// Dates as the locale's short-date text, with the year widened to four digits
// when asked; the picture is the program's short-date picture (tests may set
// another one).
#include <QDate>
#include <QString>

namespace dSrormat {

inline constexpr int kShortDatePicture = 0x1F;   // the locale item of the short-date picture

QString GetLocaleString(int item);                // "" for items the program does not keep
QString FormatShortDate(const QDate& date, bool fourDigitYear);
// Replaces every occurrence of `search` (case ignored), going on after each
// inserted replacement.
void ReplaceAll(QString& text, const QString& search, const QString& replacement);

// The picture with its year widened to four digits, as FormatShortDate uses it.
QString fourDigitYearPicture();
// Reads a day written with the four-digit-year picture (or any of the system's
// date forms); an invalid date when it is none.
QDate parseShortDate(const QString& text);

void setShortDatePictureForTests(const QString& picture);   // "" restores the program's own

} // namespace dSrormat
