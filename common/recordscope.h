#pragma once
// The operator's record scope, appended to every list of customers or of
// their related records: all records (Uright=1;), own and public records
// (Uright=2;) or own records only (Uright=3;). The operator name goes through
// the quoting helper. A rights string without a scope gives the clauses no
// table part, so their queries fail and show nothing.
#include <QString>

namespace recordscope {

enum class Related { Contacts, Activities, Opportunities, SalesOrders, ServiceRecords };

// The select list of the main window's customer list, the 25 columns its grid
// shows: "select id,company_name,company_address,...,KH_CZZ".
QString customerSelectList();

// The text that follows a customer query's select list:
// " from company order by id desc", " from company where KH_CZZ='x' or KH_GK='1' order by id desc", ...
QString customerClause();
// The text that follows the select list of a related table `b` joined to its customer `a`.
QString joinedClause(Related table);

// The scope condition alone, for lists that add conditions of their own; empty
// for scope 1, the two alternatives of scope 2 in parentheses, and a condition
// no row meets when the rights string holds no scope.
QString customerCondition();
QString joinedCondition(Related table);

// The customer clause without its ordering, for a list that orders by a column
// of its own: " from company ", " from company where KH_CZZ='x' or KH_GK='1' ", ...
QString customerUnorderedClause();
// The clauses a further condition " and ..." can follow, without ordering:
// " from company where 1=1", " from company where (KH_CZZ='x' or KH_GK='1') ", ...
// and " from company a,KH_LXR b where a.id=b.companyid", ...
QString customerFilterClause();
QString joinedFilterClause(Related table);

} // namespace recordscope
