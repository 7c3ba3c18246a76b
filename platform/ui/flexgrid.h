#pragma once
// A plain grid of text cells. Row 0 is the fixed header row (shaded); a cell
// is reached by its row and column or by its index row × column count + column.
// Cells outside the grid read as "" and ignore writes.
#include <QTableWidget>

namespace ui {

class FlexGrid : public QTableWidget {
    Q_OBJECT

public:
    explicit FlexGrid(QWidget* parent);

    int rows() const { return rowCount(); }
    void setRows(int rows);
    int cols() const { return columnCount(); }
    void setCols(int cols);
    double colWidth(int column) const;                 // twips
    void setColWidth(int column, double twips);

    QString textMatrix(int row, int column) const;
    void setTextMatrix(int row, int column, const QString& text);
    QString textArray(int index) const;
    void setTextArray(int index, const QString& text);
};

// Creates a grid on `parent` with its name, placed in twips.
FlexGrid* addFlexGrid(QWidget* parent, const QString& name, double left, double top, double width, double height);

} // namespace ui
