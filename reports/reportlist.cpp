#include "reports/reportlist.h"

#include "platform/ui/listview.h"

namespace reportlist {

void setColumns(ui::ListView* list, const reports::ReportColumns& columns)
{
    list->clearColumns();
    for (const reports::ReportColumn& column : columns)
        list->addColumn(QString::fromUtf8(column.caption), column.width, ui::ListView::AlignLeft);
    list->setFullRowSelect(true);
    list->setGridLines(true);
}

void setRows(ui::ListView* list, const std::vector<QStringList>& rows)
{
    list->clearItems();
    for (const QStringList& row : rows) list->addItem(row);
}

} // namespace reportlist
