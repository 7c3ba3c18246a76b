// The reminder timer's tick: shows the reminder window when any contact's
// birthday with a reminder is today or any activity's reminder has come,
// over all operators (the window itself lists the operator's own).
#include "mainwin/frmmain.h"

#include "common/database.h"
#include "platform/db/locale.h"
#include "platform/ui/windows.h"

namespace mainwin {
namespace {

bool hasRows(db::Connection& connection, const QString& sql)
{
    bool found = false;
    database::guarded([&] {
        db::Recordset rows;
        rows.open(sql, connection, db::CursorType::Keyset);
        found = !rows.eof();
    });
    return found;
}

} // namespace

void FrmMain::Timer1_Timer()
{
    database::guarded([] {
        auto connection = database::openMain();
        const QDateTime now = db::locale::now();
        const bool birthdays = hasRows(*connection,
            QStringLiteral("select id,Connect_name from KH_LXR where alert='1' and Month(birthday)=")
                + QString::number(now.date().month()) + QStringLiteral(" AND Day(birthday)=")
                + QString::number(now.date().day()));
        const bool activities = hasRows(*connection,
            QStringLiteral("select id,ActionTitle from KH_ACT where alert='1' and alerttime <=#")
                + db::locale::generalDate(now) + QLatin1Char('#'));
        if (birthdays || activities) ui::Windows::open(QStringLiteral("sysalert"));
    });
}

} // namespace mainwin
