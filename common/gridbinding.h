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

// Binds the grid to the rows of `sql`. A failing connection or query shows no
// message (unless reportFailure) and leaves the grid as it was (or empty with
// unbindFirst; empty too when the query was accepted but its rows could not be
// read, which the grid's dataSource() then tells); returns whether the grid
// now shows the new rows.
bool bind(ui::DataGrid* grid, const QString& sql, const std::vector<ui::GridColumn>& columns,
          const Options& options = {});

// "select " and the columns' fields in their order: "select id,company_name,...".
QString selectList(const std::vector<ui::GridColumn>& columns);

} // namespace gridbinding
