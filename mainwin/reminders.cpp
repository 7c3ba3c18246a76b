// The reminder timer's tick: shows the reminder window when the operator's own
// reminder lists hold a row (a contact's birthday with a reminder today, or an
// activity whose reminder has come). It asks exactly what the window lists, so
// other operators' reminders never pop up an empty window.
#include "mainwin/frmmain.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/reminderlists.h"
#include "platform/db/busywait.h"
#include "platform/db/locale.h"
#include "platform/ui/windows.h"

namespace mainwin {
namespace {

// No operator asked for the tick: it waits this long at most for another
// workstation's hold on the file, so the desk does not freeze every minute.
constexpr int kTickWaitMs = 200;

// False as well when the list cannot be read.
bool hasRows(const QString& sql)
{
    bool found = false;
    database::guarded([&] { found = !database::query(sql)->eof(); });
    return found;
}

} // namespace

// A tick that cannot read the lists (the file busy at another workstation)
// shows nothing and says nothing: no box pops up for a read the operator did
// not ask for, and the next tick asks again. The reminder window it opens
// reads under the same brief wait.
void FrmMain::Timer1_Timer()
{
    const db::busywait::Limit brief(kTickWaitMs);
    const QDateTime now = db::locale::now();
    const bool birthdays = hasRows(reminderlists::birthdaysSql(Mymode::OperatorName, now.date()));
    const bool activities = hasRows(reminderlists::dueActivitiesSql(Mymode::OperatorName, now));
    if (birthdays || activities) ui::Windows::open(QStringLiteral("sysalert"));
}

} // namespace mainwin
