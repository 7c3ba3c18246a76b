#include "common/ordershare.h"

#include "common/sqltext.h"

#include <limits>

namespace ordershare {

namespace {

db::Currency storedAmount(const db::Variant& value)
{
    return value.isNullOrEmpty() ? db::Currency() : value.toCurrency();
}

double storedNumber(const db::Variant& value)
{
    return value.isNullOrEmpty() ? 0 : value.toDouble();
}

// A balance plus what is added less what is taken back; beyond the currency
// range it is refused, never wrapped round.
db::Currency moved(db::Currency balance, db::Currency added, db::Currency removed)
{
    const __int128 ticks = __int128(balance.ticks()) + added.ticks() - removed.ticks();
    if (ticks > std::numeric_limits<std::int64_t>::max() || ticks < std::numeric_limits<std::int64_t>::min())
        throw OutOfRange{};
    return db::Currency::fromTicks(static_cast<std::int64_t>(ticks));
}

void change(db::Connection& connection, qint64 customerId, const Share& added, const Share& removed)
{
    db::Recordset customer;
    customer.open(QStringLiteral("select * from company where ID = ") + QString::number(customerId), connection,
                  db::CursorType::Static, db::LockType::Optimistic);
    if (customer.eof()) return;
    auto balance = [&](const char* column) { return customer.field(QString::fromLatin1(column)); };
    const db::Currency owed = moved(storedAmount(balance("company_QK")), added.owed, removed.owed);
    const db::Currency total = moved(storedAmount(balance("company_zje")), added.total, removed.total);
    const double quantity = storedNumber(balance("company_Zsl")) + added.quantity - removed.quantity;
    customer.setField(QStringLiteral("company_QK"), db::Variant(owed));
    customer.setField(QStringLiteral("company_zje"), db::Variant(total));
    customer.setField(QStringLiteral("company_Zsl"), db::Variant(quantity));
    customer.update();
}

} // namespace

Share of(db::Currency total, db::Currency received, double quantity)
{
    // The difference of two amounts within the range may leave it.
    const db::Currency unpaid = total > received ? moved(total, db::Currency(), received) : db::Currency();
    return {total, quantity, unpaid};
}

Share ofStored(db::Connection& connection, const db::Recordset& header)
{
    double quantity = 0;
    const QString lineKey = header.field(QStringLiteral("indexflag")).toText();
    if (!lineKey.trimmed().isEmpty()) {
        db::Recordset lines;
        lines.open(QStringLiteral("select num from SalesMX where indexflag=") + sqltext::quoted(lineKey), connection);
        for (; !lines.eof(); lines.moveNext()) quantity += storedNumber(lines.field(0));
    }
    return of(storedAmount(header.field(QStringLiteral("totlemoney"))),
              storedAmount(header.field(QStringLiteral("receivemoney"))), quantity);
}

void add(db::Connection& connection, qint64 customerId, const Share& share)
{
    change(connection, customerId, share, Share{});
}

void takeBack(db::Connection& connection, qint64 customerId, const Share& share)
{
    change(connection, customerId, Share{}, share);
}

void replace(db::Connection& connection, qint64 from, const Share& before, qint64 to, const Share& after)
{
    if (from == to) {
        change(connection, to, after, before);
        return;
    }
    takeBack(connection, from, before);
    add(connection, to, after);
}

} // namespace ordershare
