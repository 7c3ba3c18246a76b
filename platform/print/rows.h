#pragma once
// The data a report prints: column names and, per row, each column's text.
#include <QStringList>
#include <vector>

namespace db { class Recordset; }

namespace print {

struct Rows {
    QStringList columns;
    std::vector<QStringList> values;   // one entry per row, one text per column

    // Index of the column with this name (case-insensitive), -1 when absent.
    int columnIndex(const QString& name) const;
    // The text of a row's column; empty for an unknown column.
    QString text(int row, const QString& column) const;
};

// Every row of the recordset from its first, each value as its display text
// (Null prints as nothing).
Rows readRows(db::Recordset& recordset);

} // namespace print
