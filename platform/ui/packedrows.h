#pragma once
// The texts of a list's rows, with a tag each, held in three blocks (the
// characters, the cells, the rows) instead of one allocation per text. A list
// refilled after every call of a busy day then keeps its rows together: the
// windows opened and closed between two fills leave no rows of the list
// scattered through their memory, so closing them gives that memory back.
#include <QString>
#include <QStringList>
#include <vector>

namespace ui {

class PackedRows {
public:
    int size() const { return static_cast<int>(rows_.size()); }
    void clear();
    void append(const QStringList& texts, QStringView tag);

    QStringView text(int row, int column) const;   // empty beyond the row's texts
    QStringList texts(int row) const;
    QStringView tag(int row) const;
    // A row given fewer texts than `column` gets empty ones up to it.
    void setText(int row, int column, const QString& value);
    // Row i becomes the row that stood at order[i].
    void reorder(const std::vector<int>& order);

private:
    struct Cell {
        qsizetype start = 0;
        qsizetype length = 0;
    };
    struct Row {
        size_t firstCell = 0;   // the tag, then the texts
        int texts = 0;
    };

    Cell addCell(QStringView text);
    // The row's cells put at the end of the blocks.
    Row addRow(const QStringList& texts, QStringView tag);
    void repackWhenMostlyUnused();

    QString chars_;
    std::vector<Cell> cells_;
    std::vector<Row> rows_;
    qsizetype unused_ = 0;   // characters and cells no row refers to any more
};

} // namespace ui
