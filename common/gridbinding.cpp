#include "common/gridbinding.h"

#include "common/columnrules.h"
#include "common/database.h"
#include "common/savefailure.h"
#include "platform/ui/msgbox.h"

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
    grid->onEditRefused = [](const ui::RefusedEdit& refused) { ui::msgBox(editRefusalText(refused)); };
    return true;
}

QString editRefusalText(const ui::RefusedEdit& refused)
{
    if (refused.refusal) return columnrules::text(refused.caption, *refused.refusal);
    if (refused.failure->kind() == db::Error::Kind::Conflict)
        return QString::fromUtf8(kChangedElsewhereText).arg(refused.caption);
    return savefailure::text(refused.caption + QStringLiteral("未能保存："), *refused.failure, savefailure::Reason::Shown);
}

QString selectList(const std::vector<ui::GridColumn>& columns)
{
    QStringList fields;
    for (const ui::GridColumn& column : columns) fields << column.field;
    return QStringLiteral("select ") + fields.join(QLatin1Char(','));
}

} // namespace gridbinding
