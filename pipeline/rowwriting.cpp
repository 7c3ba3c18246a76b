#include "pipeline/rowwriting.h"

namespace pipeline::rowwriting {

void setColumn(db::Recordset& row, const QString& column, const QString& text, Kind kind)
{
    if (kind != Kind::Text && db::trimBlanks(text).isEmpty()) return;
    row.setField(column, text);
}

std::vector<columnrules::Box> checked(const QString& table, std::span<const Box> boxes,
                                      const std::function<QString(const char*)>& textOf,
                                      const std::function<QString(const char*)>& captionOf)
{
    std::vector<columnrules::Box> checked;
    for (const Box& box : boxes)
        checked.push_back({table, QString::fromLatin1(box.column), captionOf(box.control), textOf(box.control)});
    return checked;
}

void write(db::Recordset& row, std::span<const Box> boxes, const std::function<QString(const char*)>& textOf)
{
    for (const Box& box : boxes)
        setColumn(row, QString::fromLatin1(box.column), textOf(box.control), box.kind);
}

} // namespace pipeline::rowwriting
