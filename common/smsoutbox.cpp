#include "common/smsoutbox.h"

#include "common/database.h"
#include "common/mymode.h"
#include "platform/db/locale.h"

namespace smsoutbox {

namespace {

// The name the SMS database has on a connection it is attached to.
const char* const kAttachedAs = "outbox";
const char* const kColumns[] = {"MobilNO", "Content", "LmtSend", "SendTime", "RecState", "SMSCZZ", "RecTime"};

QString attachedOutbox()
{
    return QString::fromLatin1(kAttachedAs) + QStringLiteral(".sms");
}

// A row that fails half-way is dropped with the recordset, never saved.
void addRow(db::Connection& connection, const QString& table, const Message& message)
{
    db::Recordset row;
    row.open(QStringLiteral("select * from ") + table, connection, db::CursorType::Static, db::LockType::Optimistic);
    row.addNew();
    if (message.sendAt) {
        row.setField(QStringLiteral("LmtSend"), QStringLiteral("0"));
        row.setField(QStringLiteral("SendTime"), sendTimeText(*message.sendAt));
    } else {
        row.setField(QStringLiteral("LmtSend"), QStringLiteral("1"));
    }
    row.setField(QStringLiteral("MobilNO"), message.numbers);
    row.setField(QStringLiteral("Content"), message.content);
    row.setField(QStringLiteral("RecState"), QStringLiteral("0"));
    row.setField(QStringLiteral("SMSCZZ"), Mymode::OperatorName);
    row.setField(QStringLiteral("RecTime"), db::locale::shortDate(db::locale::now().date()));
    row.update();
}

} // namespace

QString sendTimeText(const QDateTime& when)
{
    return when.toString(QStringLiteral("yyyyMMddHHmmss"));
}

bool queue(const Message& message, QString* failure)
{
    try {
        addRow(*database::openSms(), QStringLiteral("sms"), message);
        return true;
    } catch (const db::Error& error) {
        if (failure) *failure = error.message();
        return false;
    }
}

void attach(db::Connection& connection)
{
    connection.attach(database::smsConnectStringFor(Mymode::ConnectString), QString::fromLatin1(kAttachedAs));
    // Known now, before the transaction starts, rather than half-way through it.
    db::Recordset outbox;
    outbox.open(QStringLiteral("select * from ") + attachedOutbox(), connection, db::CursorType::Static,
                db::LockType::Optimistic);
    for (const char* column : kColumns)
        if (outbox.fieldIndex(QString::fromLatin1(column)) < 0)
            throw db::Error(QStringLiteral("短信数据库的发送队列中没有 %1 字段").arg(QString::fromLatin1(column)));
}

void add(db::Connection& connection, const Message& message)
{
    addRow(connection, attachedOutbox(), message);
}

} // namespace smsoutbox
