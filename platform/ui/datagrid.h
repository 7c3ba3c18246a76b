#pragma once
// A grid bound to a recordset: column 0 is the hidden key, each configured
// column has a caption, a width in twips and the field it shows; an extra
// empty column may follow. Cells can be edited in place where allowed, and the
// edit is written back through the recordset by key.
#include "platform/db/connection.h"
#include "platform/ui/controls.h"

#include <QTableView>
#include <memory>
#include <optional>
#include <vector>

namespace ui {

struct GridColumn {
    QString caption;
    double width = 0;   // twips
    QString field;      // the query column it shows
};

// A cell edit the grid did not store, for the window to say why.
struct RefusedEdit {
    QString caption;                            // the column's caption
    QString text;                               // what was typed
    std::optional<db::ColumnRefusal> refusal;   // what the column cannot take of it
    std::optional<db::Error> failure;           // or why the database refused the write
};

class GridModel;
class CellEditor;
struct ShownColumn;

class DataGrid : public QTableView {
    Q_OBJECT

public:
    explicit DataGrid(QWidget* parent);
    ~DataGrid() override;

    // Shows the recordset's rows with these columns; an empty column is added
    // at position `emptyColumnAt` (-1: after the configured ones; -2: none).
    // The grid starts from one column per query column under its own name, so
    // query columns beyond the configured ones follow them; a configured field
    // the query lacks (matched without regard to case) shows empty cells.
    void bind(std::shared_ptr<db::Recordset> rows, const std::vector<GridColumn>& columns,
              int emptyColumnAt = -1);
    void unbind();                               // shows no rows; keeps nothing
    std::shared_ptr<db::Recordset> dataSource() const { return rows_; }

    // Captions taken from the query's own column names (aliases), only widths set.
    void bindWithQueryCaptions(std::shared_ptr<db::Recordset> rows, const std::vector<double>& widths);

    int rowCount() const;
    int columnCount() const;
    QString columnCaption(int column) const;
    double columnWidth(int column) const;        // twips
    int currentRow() const;                      // -1 when none
    void setCurrentRow(int row);
    bool setCurrentKey(const db::Variant& key);  // the row whose key is `key` becomes current; false when none
    db::Variant cell(int row, int column) const;
    QString cellText(int row, int column) const;
    db::Variant currentKey() const;              // column 0 of the current row; Empty when none

    void setAllowUpdate(bool allow);
    // Writes a cell's new text back; false when it is not stored. A value its
    // column cannot take is refused before anything is written; a write is
    // refused as changed elsewhere only when that cell's stored value is no
    // longer the one shown, and the cell then shows what is stored now. A
    // refusal is told to onEditRefused at once.
    bool editCell(int row, int column, const QString& text);

    void setToolTipText(const QString& text);
    // On, the shown columns share the grid's width when their widths would
    // not fit it, each keeping its share of the total, and no horizontal
    // scroll bar shows; columns without a width of their own share what is
    // left. The configured widths (columnWidth) stay as they were given.
    void setColumnsFitWidth(bool fit);

    // Events
    ClickHandler onClick;
    ClickHandler onDblClick;
    MouseHandler onMouseDown;
    std::function<void(int column)> onHeadClick;
    ClickHandler onRowColChange;
    // An in-place edit that was not stored. Told after the editor closed; the
    // editor then opens again on the typed text, unless the cell was changed
    // elsewhere (it shows the stored value to type over).
    std::function<void(const RefusedEdit&)> onEditRefused;

    // Simulated operator actions (tests)
    void clickRow(int row);
    void doubleClickRow(int row);
    void rightClickRow(int row);
    void clickHeader(int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void showRows(std::shared_ptr<db::Recordset> rows, std::vector<ShownColumn> columns);
    void applyColumnWidths();
    void selectFirstRow();
    void keepCurrentRowSelected();
    void editRefused(const QModelIndex& index, const RefusedEdit& refused);

    std::shared_ptr<db::Recordset> rows_;
    std::unique_ptr<GridModel> model_;
    CellEditor* editor_ = nullptr;
    bool rebinding_ = false;   // row changes while binding are not the operator's
    bool fitWidth_ = false;
};

} // namespace ui
