#include "callerid/dsrormat.h"

#include "platform/db/locale.h"

namespace dSrormat {

namespace {

QString& pictureForTests()
{
    static QString picture;
    return picture;
}

QString widened(QString picture)
{
    if (picture.contains(QLatin1String("yyyy"))) return picture;
    if (picture.contains(QLatin1String("yyy"))) ReplaceAll(picture, QStringLiteral("yyy"), QStringLiteral("yyyy"));
    else if (picture.contains(QLatin1String("yy"))) ReplaceAll(picture, QStringLiteral("yy"), QStringLiteral("yyyy"));
    else if (picture.contains(QLatin1Char('y'))) ReplaceAll(picture, QStringLiteral("y"), QStringLiteral("yyyy"));
    return picture;
}

} // namespace

QString GetLocaleString(int item)
{
    if (item != kShortDatePicture) return QString();
    return pictureForTests().isEmpty() ? QString::fromLatin1(db::locale::kShortDateFormat) : pictureForTests();
}

QString FormatShortDate(const QDate& date, bool fourDigitYear)
{
    if (!date.isValid()) return QString();
    const QString picture = GetLocaleString(kShortDatePicture);
    return date.toString(fourDigitYear ? widened(picture) : picture);
}

void ReplaceAll(QString& text, const QString& search, const QString& replacement)
{
    if (search.isEmpty()) return;
    for (qsizetype at = text.indexOf(search, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(search, at + replacement.size(), Qt::CaseInsensitive))
        text.replace(at, search.size(), replacement);
}

QString fourDigitYearPicture()
{
    return widened(GetLocaleString(kShortDatePicture));
}

QDate parseShortDate(const QString& text)
{
    const QDate day = QDate::fromString(text.trimmed(), fourDigitYearPicture());
    if (day.isValid()) return day;
    const auto parsed = db::locale::parseDate(text);
    return parsed ? parsed->date() : QDate();
}

void setShortDatePictureForTests(const QString& picture)
{
    pictureForTests() = picture;
}

} // namespace dSrormat
