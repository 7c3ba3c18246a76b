#include "common/gridbinding.h"

#include "common/database.h"

#include <QStringList>

namespace gridbinding {

bool bind(ui::DataGrid* grid, const QString& sql, const std::vector<ui::GridColumn>& columns,
          const Options& options)
{
    if (options.unbindFirst) grid->unbind();
    std::shared_ptr<db::Recordset> rows;
    const auto read = [&] {
        rows = database::query(sql, options.lock, db::CursorType::Keyset, db::CursorLocation::Client);
        // Rows that can be changed are read on first use: the grid lets go of
        // its old rows first, so a refresh never holds two lists at once.
        grid->unbind();
        rows->recordCount();
    };
    if (!(options.reportFailure ? database::read(read) : database::guarded(read))) return false;
    grid->bind(rows, columns, options.emptyColumnAt);
    return true;
}

QString selectList(const std::vector<ui::GridColumn>& columns)
{
    QStringList fields;
    for (const ui::GridColumn& column : columns) fields << column.field;
    return QStringLiteral("select ") + fields.join(QLatin1Char(','));
}

} // namespace gridbinding
