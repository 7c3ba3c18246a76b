#include "common/smsoutbox.h"

#include "common/database.h"
#include "common/mymode.h"
#include "platform/db/locale.h"

namespace smsoutbox {

QString sendTimeText(const QDateTime& when)
{
    return when.toString(QStringLiteral("yyyyMMddHHmmss"));
}

bool queue(const Message& message, QString* failure)
{
    try {
        auto connection = database::openSms();
        db::Recordset row;
        row.open(QStringLiteral("select * from sms"), *connection, db::CursorType::Static, db::LockType::Optimistic);
        // A row that fails half-way is dropped with the recordset, never saved.
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
        return true;
    } catch (const db::Error& error) {
        if (failure) *failure = error.message();
        return false;
    }
}

} // namespace smsoutbox
