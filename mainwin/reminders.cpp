// The reminder timer's tick: shows the reminder window when the operator's own
// reminder lists hold a row (a contact's birthday with a reminder today, or an
// activity whose reminder has come). It asks exactly what the window lists, so
// other operators' reminders never pop up an empty window.
#include "mainwin/frmmain.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/reminderlists.h"
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
        const bool birthdays = hasRows(*connection, reminderlists::birthdaysSql(Mymode::OperatorName, now.date()));
        const bool activities = hasRows(*connection, reminderlists::dueActivitiesSql(Mymode::OperatorName, now));
        if (birthdays || activities) ui::Windows::open(QStringLiteral("sysalert"));
    });
}

} // namespace mainwin
