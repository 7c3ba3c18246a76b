#include "common/sqltext.h"

#include "platform/db/locale.h"

namespace sqltext {

QString escaped(const QString& text)
{
    QString doubled = text;
    return doubled.replace(QLatin1Char('\''), QLatin1String("''"));
}

QString quoted(const QString& text)
{
    return QLatin1Char('\'') + escaped(text) + QLatin1Char('\'');
}

QString containing(const QString& text)
{
    return QLatin1String("'%") + escaped(text) + QLatin1String("%'");
}

QString dateLiteral(const QDate& date)
{
    return QLatin1Char('#') + db::locale::shortDate(date) + QLatin1Char('#');
}

} // namespace sqltext
