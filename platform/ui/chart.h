#pragma once
// A one-series chart over Qt Charts, driven like the system's chart control:
// a row count, a title, one column with its label, a legend switch, a current
// row and column, a label and one data value per row, and the chart type by
// number: 0 three-dimensional bars, 1 bars, 2 three-dimensional lines,
// 3 lines, 4 three-dimensional areas. The chart keeps its data, so changing
// the type redraws what it holds; zero rows show an empty chart.
//
// Every row keeps its own label and value, whatever the labels (equal or
// empty ones too). Labels are drawn across when they all fit, else upright,
// cut short where they are longer than the room under the plot; when the
// rows do not fit the view's width the chart grows wider and the view
// scrolls, the value axis, the title and the legend staying in view. Resting
// the pointer on a row's bar, point or label shows its whole label and value.
#include <QChartView>
#include <QColor>
#include <QString>
#include <vector>

namespace ui {

class ChartPane;

class Chart : public QChartView {
    Q_OBJECT
public:
    explicit Chart(QWidget* parent);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    void setRowCount(int count);              // keeps the rows that stay, new rows empty
    QString titleText() const { return title_; }
    void setTitleText(const QString& title);
    QString columnLabel() const { return columnLabel_; }
    void setColumnLabel(const QString& label);
    int columnCount() const { return 1; }
    void setColumnCount(int count);           // one column is all the chart draws
    bool showLegend() const { return legend_; }
    void setShowLegend(bool show);
    int row() const { return row_; }          // 1-based current row
    void setRow(int row);
    int column() const { return column_; }
    void setColumn(int column);
    QString rowLabel() const;                 // of the current row
    void setRowLabel(const QString& label);
    double data() const;                      // of the current row and column
    void setData(double value);
    int chartType() const { return type_; }
    void setChartType(int type);              // 0..4; others are ignored

    // The series as drawn now (tests read values and categories back from it).
    QAbstractSeries* series();
    // The label drawn under row `row` (1-based), as the operator reads it.
    QString shownLabel(int row);
    // True when the row labels are drawn upright (they did not fit across).
    bool labelsUpright();
    // The text shown while the pointer rests on row `row` (1-based).
    QString valueText(int row) const;
    // The panes that keep the value axis and the title with the legend in
    // view while a wide chart scrolls; hidden while the chart fits the view.
    QGraphicsView* valueAxisPane() const;
    QGraphicsView* headingPane() const;
    static QColor seriesColor();
    // The faces that give the three-dimensional types their depth.
    static QColor topFaceColor();
    static QColor sideFaceColor();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct Row {
        QString label;
        double value = 0;
    };
    void changed();
    void redraw();
    void fitToRows();
    void placePanes(bool scrolls);
    int rowAt(const QPoint& point, QRect* slot);

    std::vector<Row> rows_;
    QString title_;
    QString columnLabel_;
    bool legend_ = false;
    int row_ = 1;
    int column_ = 1;
    int type_ = 1;
    bool pending_ = false;
    bool upright_ = false;
    ChartPane* axisPane_ = nullptr;
    ChartPane* headingPane_ = nullptr;
};

// Creates a chart on `parent` with its name, placed in twips.
Chart* addChart(QWidget* parent, const QString& name, double left, double top, double width, double height);

} // namespace ui
