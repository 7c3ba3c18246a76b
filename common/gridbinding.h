#pragma once
// Grid binding: a window shows the rows of a query in its grid, bound to a
// client-side recordset, with the key in a hidden first column and a fixed
// caption, width and field for each shown column.
#include "platform/ui/datagrid.h"

#include <vector>

namespace gridbinding {

struct Options {
    db::LockType lock = db::LockType::Optimistic;
    bool unbindFirst = false;      // the list leaves the grid empty when its query fails
    int emptyColumnAt = -1;        // where the extra empty column goes (-1: after the configured ones)
    // A failing connection or query says why in a box (database::read): for a
    // list the operator asked for, which must not pass for "no rows".
    bool reportFailure = false;
};

// Binds the grid to the rows of `sql`; an in-place edit the grid does not
// store then says why in a box (editRefusalText). A failing connection or query shows no
// message (unless reportFailure) and leaves the grid as it was (or empty with
// unbindFirst; empty too when the query was accepted but its rows could not be
// read, which the grid's dataSource() then tells); returns whether the grid
// now shows the new rows.
bool bind(ui::DataGrid* grid, const QString& sql, const std::vector<ui::GridColumn>& columns,
          const Options& options = {});

// Why an in-place edit was not stored, naming the column by its caption: the
// column's refusal ("库存量必须是数字", "客户类型太长，最多50个字"), a value changed
// elsewhere (kChangedElsewhereText), or the database's failure (savefailure:
// a busy file, a read-only folder).
inline constexpr const char* kChangedElsewhereText =
    "%1未能保存：该值已在别处被修改，现在显示的是保存着的值，请核对后重新输入";
QString editRefusalText(const ui::RefusedEdit& refused);

// "select " and the columns' fields in their order: "select id,company_name,...".
QString selectList(const std::vector<ui::GridColumn>& columns);

} // namespace gridbinding
