#include "sales/ordercounter.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "platform/db/busywait.h"
#include "platform/db/locale.h"
#include "platform/db/variant.h"

namespace ordercounter {

namespace {

qint64 serialOf(const db::Recordset& row)
{
    const db::Variant serial = row.field(QStringLiteral("LSH"));
    return serial.isNullOrEmpty() ? 0 : serial.toLong();
}

QString numberOf(const db::Recordset& row)
{
    return orderNumber(row.field(QStringLiteral("Today")).toText(), serialOf(row) + 1);
}

// Starts the run of this computer's day in the row (not yet written), but
// only when the stored day is earlier (or no date at all): a computer whose
// clock is behind another's never moves the counter back to a day whose
// numbers are already taken. Whether it did.
bool startToday(db::Recordset& row)
{
    const QDate today = db::locale::now().date();
    const std::optional<QDateTime> stored = db::locale::parseDate(row.field(QStringLiteral("Today")).toText());
    if (stored && stored->date() >= today) return false;
    row.setField(QStringLiteral("Today"), db::locale::shortDate(today));
    row.setField(QStringLiteral("LSH"), 0);
    return true;
}

bool numberTaken(db::Connection& connection, const QString& number)
{
    db::Recordset taken;
    taken.open(QStringLiteral("select id from sales where orderno=") + sqltext::quoted(number), connection, db::CursorType::Static, db::LockType::ReadOnly);
    return !taken.eof();
}

} // namespace

QString orderNumber(const QString& counterDay, qint64 serial)
{
    const std::optional<QDateTime> day = db::locale::parseDate(counterDay);
    const QString yymmdd = day ? day->date().toString(QStringLiteral("yyMMdd")) : QString();
    return QStringLiteral("SH") + yymmdd + QLatin1Char('-') + QStringLiteral("%1").arg(serial, 5, 10, QLatin1Char('0'));
}

std::optional<AtLoad> load()
{
    std::optional<AtLoad> shown;
    database::read([&] {
        auto connection = database::openMain();
        db::Recordset row;
        row.open(QStringLiteral("select * from JSQ"), *connection, db::CursorType::Static, db::LockType::Optimistic);
        AtLoad counter;
        if (!row.eof()) {
            // The number is that of the run started today, whether or not the
            // start is written now: the save starts it as well, so the window
            // does not wait for another workstation's hold to write it.
            const bool newDay = startToday(row);
            counter.number = numberOf(row);
            counter.printOption = row.field(QStringLiteral("PrintOpt")).toText();
            if (newDay)
                database::guarded([&] {
                    const db::busywait::Limit noWait(0);
                    row.update();
                });
        }
        shown = counter;
    });
    return shown;
}

std::optional<QString> storedPrintOption()
{
    std::optional<QString> option;
    database::read([&] {
        auto row = database::query(QStringLiteral("select * from JSQ"));
        option = row->eof() ? QString() : row->field(QStringLiteral("PrintOpt")).toText();
    });
    return option;
}

std::optional<QString> advance(db::Connection& connection, const std::optional<QString>& printOption)
{
    db::Recordset row;
    row.open(QStringLiteral("select * from JSQ"), connection, db::CursorType::Static, db::LockType::Optimistic);
    if (row.eof()) return std::nullopt;
    // The day of the save, not of the window's load; serials already stored
    // (saved by a computer whose counter ran another way) are passed over.
    startToday(row);
    qint64 serial = serialOf(row) + 1;
    const QString day = row.field(QStringLiteral("Today")).toText();
    while (numberTaken(connection, orderNumber(day, serial))) ++serial;
    const QString next = orderNumber(day, serial);
    row.setField(QStringLiteral("LSH"), db::Variant(static_cast<std::int64_t>(serial)));
    if (printOption) row.setField(QStringLiteral("PrintOpt"), *printOption);
    row.update();
    return next;
}

} // namespace ordercounter
