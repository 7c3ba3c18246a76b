#include "common/linekey.h"

#include "common/sqltext.h"
#include "platform/db/locale.h"

#include <QRandomGenerator>

namespace linekey {

namespace {

bool inUse(db::Connection& connection, const QString& table, const QString& key)
{
    db::Recordset rows;
    rows.open(QStringLiteral("select indexflag from ") + table + QStringLiteral(" where indexflag=") + sqltext::quoted(key),
              connection);
    return !rows.eof();
}

} // namespace

QString newLineKey(db::Connection& connection, const QString& headerTable, const QString& lineTable)
{
    for (;;) {
        const QDateTime now = db::locale::now();
        const QString key = QString::number(now.date().year()) + QString::number(now.date().month())
            + QString::number(now.date().day()) + QString::number(now.time().hour())
            + QString::number(now.time().minute()) + QString::number(now.time().second())
            + QString::number(10000 + QRandomGenerator::global()->bounded(90000));
        if (!inUse(connection, headerTable, key) && !inUse(connection, lineTable, key)) return key;
    }
}

} // namespace linekey
