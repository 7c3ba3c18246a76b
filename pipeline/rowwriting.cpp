#include "pipeline/rowwriting.h"

#include "common/database.h"

namespace pipeline::rowwriting {

void setColumn(db::Recordset& row, const QString& column, const QString& text, Kind kind)
{
    if (kind != Kind::Text && db::trimBlanks(text).isEmpty()) return;
    database::guarded([&] { row.setField(column, text); });
}

void write(db::Recordset& row, std::span<const Box> boxes, const std::function<QString(const char*)>& textOf)
{
    for (const Box& box : boxes)
        setColumn(row, QString::fromLatin1(box.column), textOf(box.control), box.kind);
}

} // namespace pipeline::rowwriting
