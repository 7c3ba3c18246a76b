#pragma once
// A one-series chart, driven like the system's chart control: a row count, a
// title, one column with its label, a legend switch, a current row and
// column, a label and one data value per row, and the chart type by number:
// 0 three-dimensional bars, 1 bars, 2 three-dimensional lines, 3 lines,
// 4 three-dimensional areas. The chart keeps its data, so changing the type
// redraws what it holds; zero rows show an empty chart.
//
// Every row keeps its own label and value, whatever the labels (equal or
// empty ones too). Labels and tool tips are plain text, drawn as written.
// Labels are drawn across when they all fit, else upright, cut short where
// they are longer than the room under the plot; when the rows do not fit the
// view's width the plot scrolls, the value axis, the title and the legend
// staying in view. Resting the pointer on a row's bar, point or label shows
// its whole label and value.
//
// The chart paints itself and only the rows in view, so its cost on a fill
// grows with the rows only by measuring each label once, and a scroll step
// costs the same whatever the rows.
#include <QAbstractScrollArea>
#include <QColor>
#include <QString>
#include <vector>

namespace ui {

class Chart : public QAbstractScrollArea {
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

    // What the operator sees, in the viewport's coordinates (tests read the
    // drawing back through these).
    // The label drawn under row `row` (1-based): the whole label, or the
    // part of it that an upright label has room for.
    QString shownLabel(int row);
    // Where that label is drawn.
    QRect labelRect(int row);
    // True when the row labels are drawn upright (they did not fit across).
    bool labelsUpright();
    // The text shown while the pointer rests on row `row` (1-based).
    QString valueText(int row) const;
    // The plot the rows are drawn in; left of it the value axis, above it
    // the title and the legend, below it the labels.
    QRectF plotArea();
    // The width of one row's slot.
    double slotWidth();
    // The point of value `value` at row `row`, 1-based; a row's slot
    // reaches half a row either side (row 1.25 is its bar's right edge).
    QPoint pointOf(double row, double value);
    static QColor seriesColor();
    // The faces that give the three-dimensional types their depth.
    static QColor topFaceColor();
    static QColor sideFaceColor();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct Row {
        QString label;
        double value = 0;
    };
    void changed();
    void settle();
    void measure();
    double longestLabel(double enough);
    void lay();
    double xOf(double position) const;
    double yOf(double value) const;
    int firstInView() const;
    int lastInView() const;
    int rowAt(const QPoint& point, QRect* slot);
    void paintHeading(QPainter& painter);
    void paintValueAxis(QPainter& painter);
    void paintSeries(QPainter& painter);
    void paintLabels(QPainter& painter);

    std::vector<Row> rows_;
    QString title_;
    QString columnLabel_;
    bool legend_ = false;
    int row_ = 1;
    int column_ = 1;
    int type_ = 1;
    bool pending_ = false;

    // Found by measure() from the rows, once per fill.
    double longest_ = 0;                      // the widest label measured so far, across
    size_t measured_ = 0;                     // the rows measured so far
    double low_ = 0;                          // the value axis's range and step
    double high_ = 1;
    double step_ = 1;
    // Found by lay() from those and the view's size.
    QRectF plot_;
    QRectF titleRect_;
    QRectF legendRect_;
    double slot_ = 0;
    double band_ = 0;                         // the room for the labels under the plot
    bool upright_ = false;
};

// Creates a chart on `parent` with its name, placed in twips.
Chart* addChart(QWidget* parent, const QString& name, double left, double top, double width, double height);

} // namespace ui
