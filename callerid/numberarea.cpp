#include "callerid/numberarea.h"

#include "common/sqltext.h"
#include "platform/db/connection.h"
#include "platform/ui/desktop.h"

#include <utility>

namespace numberarea {

namespace {

const std::pair<const char*, const char*> kCityCodes[] = {
    {"010", "北京市"}, {"020", "广州市"}, {"021", "上海市"}, {"022", "天津市"},
    {"023", "重庆市"}, {"024", "沈阳市"}, {"025", "南京市"}, {"026", "待定"},
    {"027", "武汉市"}, {"028", "成都市"}, {"029", "西安市"},
};

QString cityOfCode(const QString& code)
{
    for (const auto& [prefix, city] : kCityCodes)
        if (code == QLatin1String(prefix)) return QString::fromUtf8(city);
    return QString();
}

// The first row's two columns joined by "--", or `none` + "--" when no row is found.
QString lookUp(const QString& sql, const char* place, const char* detail, const char* none)
{
    db::Connection connection;
    connection.open(QStringLiteral("dbq=") + ui::programPath(QStringLiteral("MobilDB.mdb"))
                    + QStringLiteral(";defaultdir=;driver={Microsoft Access Driver (*.mdb)};"));
    db::Recordset rows;
    rows.open(sql, connection, db::CursorType::Keyset);
    if (rows.eof()) return QString::fromUtf8(none) + QStringLiteral("--");
    return rows.field(QString::fromLatin1(place)).toText() + QStringLiteral("--")
        + rows.field(QString::fromLatin1(detail)).toText();
}

} // namespace

QString AreaOfNumber(QString& number)
{
    if (number.startsWith(QLatin1String("010"))) return cityOfCode(QStringLiteral("010"));
    if (number.startsWith(QLatin1String("01")) || number.startsWith(QLatin1Char('1'))) {
        dropMobileZero(number);
        if (number.size() < 7) return QStringLiteral("--");
        return lookUp(QStringLiteral("select * from list where  num=") + sqltext::quoted(number.left(7)),
                      "area", "t", "未知地址");
    }
    if (!number.startsWith(QLatin1Char('0'))) return QStringLiteral("本地电话--");
    if (!number.startsWith(QLatin1String("02")))
        return lookUp(QStringLiteral("select * from ybqh where  qh  like ") + sqltext::containing(number.left(4)),
                      "sm", "dq", "未知区域");
    return cityOfCode(number.left(3));
}

void dropMobileZero(QString& number)
{
    if (number.startsWith(QLatin1String("01")) && !number.startsWith(QLatin1String("010"))) number.remove(0, 1);
}

} // namespace numberarea
