#include "reports/custlistreport.h"

#include "common/database.h"
#include "common/mymode.h"
#include "platform/ui/windows.h"

namespace reports {

std::unique_ptr<print::Report> custListReport(print::Layout layout, const TextBoxColumns& columns)
{
    auto recordset = database::query(Mymode::CustListSql, db::LockType::ReadOnly, db::CursorType::Keyset);
    print::Rows rows = print::readRows(*recordset);
    for (print::Field& field : layout.detail.fields) {
        const auto column = columns.find(field.name);
        if (field.kind != print::Field::Kind::TextBox || column == columns.end())
            continue;
        const int index = rows.columnIndex(column->second);
        if (index >= 0)
            field.dataField = rows.columns[index];
    }
    return std::make_unique<print::Report>(std::move(layout), std::move(rows));
}

void showOrUnload(print::PreviewForm* preview, const std::function<std::unique_ptr<print::Report>()>& make)
{
    std::unique_ptr<print::Report> report;
    if (!database::read([&] { report = make(); })) {
        ui::Windows::unload(preview);
        return;
    }
    preview->showReport(std::move(report));
}

} // namespace reports
