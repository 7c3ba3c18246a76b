#include "common/gridbinding.h"

#include "common/database.h"

#include <QStringList>

namespace gridbinding {

bool bind(ui::DataGrid* grid, const QString& sql, const std::vector<ui::GridColumn>& columns,
          const Options& options)
{
    if (options.unbindFirst) grid->unbind();
    std::shared_ptr<db::Recordset> rows;
    bool opened = database::guarded([&] {
        rows = database::query(sql, options.lock, db::CursorType::Keyset, db::CursorLocation::Client);
    });
    if (!opened) return false;
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
