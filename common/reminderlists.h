#pragma once
// The two reminder lists of an operator: the contacts whose birthday is today
// and the activities whose reminder has come. The reminder timer's tick asks
// whether either holds a row; the reminder window shows them.
#include <QDateTime>
#include <QString>

namespace reminderlists {

// "select id,Connect_name from KH_LXR ...": the operator's own contacts with
// the birthday reminder on whose birthday falls on today's month and day.
QString birthdaysSql(const QString& operatorName, const QDate& today);

// "select id,ActionTitle from KH_ACT ...": the operator's own activities with
// the reminder on whose reminder time is not later than `now`.
QString dueActivitiesSql(const QString& operatorName, const QDateTime& now);

} // namespace reminderlists
