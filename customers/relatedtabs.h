#pragma once
// The seven tabs of the customer card: what each one lists of the customer's
// related records, with the query that reads them and the grid's columns.
#include "platform/ui/datagrid.h"

#include <cstdint>
#include <vector>

namespace relatedtabs {

enum Tab { Activities, Contacts, Quotations, SalesOrders, SalesLines, ServiceRecords, Calls, TabCount };

struct TabInfo {
    QString caption;
    std::vector<ui::GridColumn> columns;   // column 0 is the hidden key
    int amountColumn = -1;                 // the column the sales total adds up, -1 for none
};

const TabInfo& info(int tab);

// The query of a tab for the customer. The calls tab lists the calls whose
// number occurs in `contactNumbers` (see callNumbers); the others ignore it.
QString query(int tab, std::int32_t customerId, const QString& contactNumbers = QString());

// The query reading the customer's contacts for the calls tab.
QString contactsQuery(std::int32_t customerId);
// The numbers of the contacts in that query, each followed by "*":
// telephone, fax, mobile and home number of each contact, empty ones left out.
QString callNumbers(db::Recordset& contacts);

} // namespace relatedtabs
