#include "platform/ui/chart.h"

#include "platform/ui/controls.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QTimer>
#include <QValueAxis>
#include <algorithm>

namespace ui {

namespace {
bool isThreeDimensional(int type)
{
    return type == 0 || type == 2 || type == 4;
}
} // namespace

Chart::Chart(QWidget* parent) : QChartView(new QChart(), parent)
{
    setRenderHint(QPainter::Antialiasing, false);
    chart()->setAnimationOptions(QChart::NoAnimation);
    chart()->legend()->hide();
    redraw();
}

QColor Chart::seriesColor()
{
    return QColor(0x3A, 0x7B, 0xD5);
}

void Chart::setRowCount(int count)
{
    rows_.resize(static_cast<size_t>(std::max(0, count)));
    changed();
}

void Chart::setTitleText(const QString& title)
{
    title_ = title;
    changed();
}

void Chart::setColumnLabel(const QString& label)
{
    columnLabel_ = label;
    changed();
}

void Chart::setColumnCount(int) {}

void Chart::setShowLegend(bool show)
{
    legend_ = show;
    changed();
}

void Chart::setRow(int row)
{
    row_ = row;
}

void Chart::setColumn(int column)
{
    column_ = column;
}

QString Chart::rowLabel() const
{
    return row_ >= 1 && row_ <= rowCount() ? rows_[static_cast<size_t>(row_ - 1)].label : QString();
}

void Chart::setRowLabel(const QString& label)
{
    if (row_ < 1 || row_ > rowCount()) return;
    rows_[static_cast<size_t>(row_ - 1)].label = label;
    changed();
}

double Chart::data() const
{
    return row_ >= 1 && row_ <= rowCount() ? rows_[static_cast<size_t>(row_ - 1)].value : 0;
}

void Chart::setData(double value)
{
    if (row_ < 1 || row_ > rowCount()) return;
    rows_[static_cast<size_t>(row_ - 1)].value = value;
    changed();
}

void Chart::setChartType(int type)
{
    if (type < 0 || type > 4) return;
    type_ = type;
    changed();
}

QAbstractSeries* Chart::series()
{
    if (pending_) redraw();
    const auto all = chart()->series();
    return all.isEmpty() ? nullptr : all.first();
}

// Filling a chart sets every row one by one: the drawing waits until the
// filling handler has returned.
void Chart::changed()
{
    if (pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (pending_) redraw();
    });
}

void Chart::redraw()
{
    pending_ = false;
    QChart* chart = this->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(title_);
    chart->legend()->setVisible(legend_);

    QStringList categories;
    double low = 0;
    double high = 0;
    for (const Row& row : rows_) {
        categories << row.label;
        low = std::min(low, row.value);
        high = std::max(high, row.value);
    }
    if (high == low) high = low + 1;

    const QColor colour = seriesColor();
    const bool raised = isThreeDimensional(type_);
    QAbstractSeries* series = nullptr;
    if (type_ <= 1) {
        auto* set = new QBarSet(columnLabel_);
        for (const Row& row : rows_) set->append(row.value);
        set->setColor(colour);
        set->setBorderColor(raised ? colour.darker(170) : colour);
        auto* bars = new QBarSeries();
        bars->append(set);
        series = bars;
    } else {
        auto* line = new QLineSeries();
        for (size_t i = 0; i < rows_.size(); ++i) line->append(static_cast<double>(i), rows_[i].value);
        line->setPen(QPen(colour, raised ? 4 : 2));
        if (type_ == 4) {
            auto* area = new QAreaSeries(line);
            line->setParent(area);
            area->setColor(colour);
            area->setBorderColor(colour.darker(170));
            series = area;
        } else {
            series = line;
        }
    }
    series->setName(columnLabel_);
    chart->addSeries(series);

    auto* across = new QBarCategoryAxis();
    across->append(categories);
    auto* up = new QValueAxis();
    up->setRange(low, high);
    chart->addAxis(across, Qt::AlignBottom);
    chart->addAxis(up, Qt::AlignLeft);
    series->attachAxis(across);
    series->attachAxis(up);
}

Chart* addChart(QWidget* parent, const QString& name, double left, double top, double width, double height)
{
    return placeNamed(new Chart(parent), name, left, top, width, height);
}

} // namespace ui
