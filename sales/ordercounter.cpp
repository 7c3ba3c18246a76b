#include "sales/ordercounter.h"

#include "common/database.h"
#include "platform/db/locale.h"
#include "platform/db/variant.h"

namespace ordercounter {

namespace {

QString numberOf(const db::Recordset& row)
{
    const db::Variant serial = row.field(QStringLiteral("LSH"));
    return orderNumber(row.field(QStringLiteral("Today")).toText(), (serial.isNullOrEmpty() ? 0 : serial.toLong()) + 1);
}

} // namespace

QString orderNumber(const QString& counterDay, qint64 serial)
{
    const std::optional<QDateTime> day = db::locale::parseDate(counterDay);
    const QString yymmdd = day ? day->date().toString(QStringLiteral("yyMMdd")) : QString();
    return QStringLiteral("SH") + yymmdd + QLatin1Char('-') + QStringLiteral("%1").arg(serial, 5, 10, QLatin1Char('0'));
}

AtLoad load()
{
    AtLoad shown;
    database::guarded([&] {
        auto connection = database::openMain();
        db::Recordset row;
        row.open(QStringLiteral("select * from JSQ"), *connection, db::CursorType::Static, db::LockType::Optimistic);
        if (row.eof()) return;
        const QString today = db::locale::shortDate(db::locale::now().date());
        if (row.field(QStringLiteral("Today")).toText() != today) {
            row.setField(QStringLiteral("Today"), today);
            row.setField(QStringLiteral("LSH"), 0);
            row.update();
        }
        shown.number = numberOf(row);
        shown.printOption = row.field(QStringLiteral("PrintOpt")).toText();
    });
    return shown;
}

QString storedPrintOption()
{
    QString option;
    database::guarded([&] {
        auto row = database::query(QStringLiteral("select * from JSQ"));
        if (!row->eof()) option = row->field(QStringLiteral("PrintOpt")).toText();
    });
    return option;
}

std::optional<QString> advance(db::Connection& connection, const QString& printOption)
{
    db::Recordset row;
    row.open(QStringLiteral("select * from JSQ"), connection, db::CursorType::Static, db::LockType::Optimistic);
    if (row.eof()) return std::nullopt;
    const QString next = numberOf(row);
    const db::Variant serial = row.field(QStringLiteral("LSH"));
    row.setField(QStringLiteral("LSH"), (serial.isNullOrEmpty() ? 0 : serial.toLong()) + 1);
    row.setField(QStringLiteral("PrintOpt"), printOption);
    row.update();
    return next;
}

} // namespace ordercounter
