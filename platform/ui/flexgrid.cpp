#include "platform/ui/flexgrid.h"

#include "platform/ui/controls.h"

#include <QHeaderView>

namespace ui {

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setTabKeyNavigation(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setWordWrap(false);
}

void FlexGrid::setRows(int rows)
{
    setRowCount(std::max(0, rows));
}

void FlexGrid::setCols(int cols)
{
    setColumnCount(std::max(0, cols));
}

double FlexGrid::colWidth(int column) const
{
    return pixelsToTwips(columnWidth(column));
}

void FlexGrid::setColWidth(int column, double twips)
{
    if (column >= 0 && column < cols()) setColumnWidth(column, twipsToPixels(twips));
}

QString FlexGrid::textMatrix(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int column, const QString& text)
{
    if (row < 0 || row >= rows() || column < 0 || column >= cols()) return;
    QTableWidgetItem* cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        if (row == 0) cell->setBackground(palette().button());
        setItem(row, column, cell);
    }
    cell->setText(text);
}

QString FlexGrid::textArray(int index) const
{
    if (cols() == 0 || index < 0) return {};
    return textMatrix(index / cols(), index % cols());
}

void FlexGrid::setTextArray(int index, const QString& text)
{
    if (cols() == 0 || index < 0) return;
    setTextMatrix(index / cols(), index % cols(), text);
}

FlexGrid* addFlexGrid(QWidget* parent, const QString& name, double left, double top, double width, double height)
{
    auto* grid = new FlexGrid(parent);
    grid->setObjectName(name);
    placeTwips(grid, left, top, width, height);
    return grid;
}

} // namespace ui
