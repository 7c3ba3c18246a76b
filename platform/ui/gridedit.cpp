#include "platform/ui/gridedit.h"

#include "platform/ui/datagrid.h"

namespace ui {

void editOnClickOrTyping(DataGrid* grid)
{
    grid->setAllowUpdate(true);
    grid->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed);
}

} // namespace ui
