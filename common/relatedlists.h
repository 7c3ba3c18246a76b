#pragma once
// The main window's activity and service lists, which the new-activity and
// new-service windows show after a save: their select items in the order of
// the grid's columns, and the whole list under the operator's record scope.
#include <QStringList>

namespace relatedlists {

// "b.id", "b.BeginTime", "b.ActionTitle", "a.company_name", ...
const QStringList& activityItems();
// "b.id", "b.service_Begintime", "b.service_title", "a.company_name", ...
const QStringList& serviceItems();

// "select b.id,...,b.action_CZZ" and the record scope clause, newest first.
QString activityList();
QString serviceList();

} // namespace relatedlists
