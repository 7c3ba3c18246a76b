#pragma once
// The six list views of the main window's record grid: each view's key, its
// select list with the grid column of each item, its record scope, the search
// captions its list switch offers and the text of its record count.
#include "common/recordscope.h"
#include "platform/ui/datagrid.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace mainwin {

enum class View { Customers, Contacts, Activities, Opportunities, SalesOrders, ServiceRecords };

struct ViewInfo {
    View view;
    QString key;                                  // the view key: "CustList", "ConnectList", ...
    QStringList selectItems;                      // in column order: "b.id", "b.Connect_name", ...
    std::vector<ui::GridColumn> columns;          // one per select item, column 0 the hidden key
    std::optional<recordscope::Related> related;  // none for the customers themselves
    QStringList switchCaptions;                   // search captions the View menu's switch offers
};

const ViewInfo& viewInfo(View view);
// The view a view key names; none for any other text (compared exactly).
std::optional<View> viewOfKey(const QString& key);

// "select " and the view's select items.
QString selectList(View view);
// The view's whole list under the operator's record scope, newest first.
QString listQuery(View view);
// What the record-count label shows after the view's list was bound.
QString countText(View view, int rows);

} // namespace mainwin
