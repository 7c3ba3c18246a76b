#include "platform/print/rows.h"

#include "platform/db/connection.h"

namespace print {

int Rows::columnIndex(const QString& name) const
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString Rows::text(int row, const QString& column) const
{
    const int index = columnIndex(column);
    if (index < 0 || row < 0 || row >= int(values.size()))
        return QString();
    return values[row].value(index);
}

Rows readRows(db::Recordset& recordset)
{
    Rows rows;
    for (int i = 0; i < recordset.fieldCount(); ++i)
        rows.columns.append(recordset.fieldName(i));
    if (recordset.eof() && recordset.bof())
        return rows;
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext()) {
        QStringList texts;
        for (int i = 0; i < recordset.fieldCount(); ++i)
            texts.append(recordset.field(i).toText());
        rows.values.push_back(texts);
    }
    return rows;
}

} // namespace print
