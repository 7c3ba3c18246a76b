#include "platform/ui/chart.h"

#include "platform/ui/chartdepth.h"
#include "platform/ui/chartpane.h"
#include "platform/ui/controls.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QHelpEvent>
#include <QLineSeries>
#include <QScrollBar>
#include <QSet>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace ui {

namespace {

const QChar kZeroWidthSpace(0x200B);
// The most a three-dimensional face reaches back, in pixels.
constexpr double kDeepestFace = 16;

bool isThreeDimensional(int type)
{
    return type == 0 || type == 2 || type == 4;
}

// The category axis keeps one entry per distinct text and none for an empty
// one, so rows of equal or empty labels are told apart by trailing zero-width
// spaces, which draw nothing: each row keeps its own slot under its own value.
QStringList distinctCategories(const QStringList& labels)
{
    QSet<QString> taken;
    QStringList categories;
    for (QString label : labels) {
        if (label.isEmpty()) label = kZeroWidthSpace;
        while (taken.contains(label)) label += kZeroWidthSpace;
        taken.insert(label);
        categories << label;
    }
    return categories;
}

QBarCategoryAxis* categoryAxis(QChart* chart)
{
    const auto axes = chart->axes(Qt::Horizontal);
    return axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis*>(axes.first());
}

} // namespace

Chart::Chart(QWidget* parent) : QChartView(new QChart(), parent)
{
    setRenderHint(QPainter::Antialiasing, false);
    axisPane_ = new ChartPane(this);
    headingPane_ = new ChartPane(this);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chart()->setAnimationOptions(QChart::NoAnimation);
    chart()->legend()->hide();
    redraw();
}

QColor Chart::seriesColor()
{
    return QColor(0x3A, 0x7B, 0xD5);
}

QColor Chart::topFaceColor()
{
    return seriesColor().lighter(140);
}

QColor Chart::sideFaceColor()
{
    return seriesColor().darker(160);
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

QString Chart::shownLabel(int row)
{
    series();
    QBarCategoryAxis* axis = categoryAxis(chart());
    if (!axis || row < 1 || row > axis->count()) return QString();
    return axis->at(row - 1).remove(kZeroWidthSpace);
}

bool Chart::labelsUpright()
{
    series();
    return upright_;
}

QGraphicsView* Chart::valueAxisPane() const
{
    return axisPane_;
}

QGraphicsView* Chart::headingPane() const
{
    return headingPane_;
}

QString Chart::valueText(int row) const
{
    if (row < 1 || row > rowCount()) return QString();
    const Row& shown = rows_[static_cast<size_t>(row - 1)];
    return shown.label + QStringLiteral("：") + QString::number(shown.value, 'g', 15);
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
    QToolTip::hideText();
    QChart* chart = this->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(title_);
    chart->legend()->setVisible(legend_);

    QStringList labels;
    double low = 0;
    double high = 0;
    for (const Row& row : rows_) {
        labels << row.label;
        low = std::min(low, row.value);
        high = std::max(high, row.value);
    }
    if (high == low) high = low + 1;

    const QColor colour = seriesColor();
    QAbstractSeries* series = nullptr;
    if (type_ <= 1) {
        auto* set = new QBarSet(columnLabel_);
        for (const Row& row : rows_) set->append(row.value);
        set->setColor(colour);
        set->setBorderColor(colour);
        auto* bars = new QBarSeries();
        bars->append(set);
        series = bars;
    } else {
        auto* line = new QLineSeries();
        for (size_t i = 0; i < rows_.size(); ++i) line->append(static_cast<double>(i), rows_[i].value);
        line->setPen(QPen(colour, isThreeDimensional(type_) ? 4 : 2));
        if (type_ == 4) {
            auto* area = new QAreaSeries(line);
            line->setParent(area);
            area->setColor(colour);
            area->setBorderColor(colour);
            series = area;
        } else {
            series = line;
        }
    }
    series->setName(columnLabel_);
    chart->addSeries(series);

    auto* across = new QBarCategoryAxis();
    across->append(distinctCategories(labels));
    auto* up = new QValueAxis();
    up->setRange(low, high);
    chart->addAxis(across, Qt::AlignBottom);
    chart->addAxis(up, Qt::AlignLeft);
    series->attachAxis(across);
    series->attachAxis(up);
    fitToRows();
}

// Each row gets a slot at least as wide as its label across, or, when the
// labels do not fit across, as the height of a line with the labels upright.
// The chart is as wide as its slots need; wider than the view, it scrolls.
void Chart::fitToRows()
{
    QChart* chart = this->chart();
    QBarCategoryAxis* across = categoryAxis(chart);
    const QSize room = contentsRect().size();
    upright_ = false;
    if (across) across->setLabelsAngle(0);
    chart->resize(room);
    chart->layout()->activate();
    double width = room.width();
    if (across && across->count() > 0) {
        const QFontMetricsF metrics(across->labelsFont());
        double longest = 0;
        for (const QString& category : across->categories())
            longest = std::max(longest, metrics.horizontalAdvance(category));
        // Qt Charts gives a label the plot's width shared among one slot
        // more than there are rows, less a padding either side, and cuts
        // what does not fit: a line's height of gap covers the padding.
        const double gap = metrics.height();
        const double plot = chart->plotArea().width();
        const int shares = across->count() + 1;
        if ((longest + gap) * shares > plot) {
            upright_ = true;
            across->setLabelsAngle(-90);
            width = std::max(width, room.width() - plot + (metrics.height() + gap) * shares);
        }
    }
    const bool scrolls = width > room.width();
    const QSizeF size(std::ceil(width),
                      room.height() - (scrolls ? horizontalScrollBar()->sizeHint().height() : 0));
    chart->resize(size);
    chart->layout()->invalidate();
    chart->layout()->activate();
    setSceneRect(QRectF(QPointF(0, 0), size));
    // Showing or hiding the scroll bar resizes the viewport, which comes back
    // here with the same outcome.
    const Qt::ScrollBarPolicy policy = scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (horizontalScrollBarPolicy() != policy) setHorizontalScrollBarPolicy(policy);
    placePanes(scrolls);
}

// A chart wider than the view shows its left edge with the value axis, as
// far as the plot, in a pane fixed at the view's left, and the part of its
// top that holds the title and the legend, which the chart centres on its
// whole width, in a pane across the rest of the view's top.
void Chart::placePanes(bool scrolls)
{
    if (!scrolls) {
        axisPane_->hide();
        headingPane_->hide();
        return;
    }
    const QRect shown = viewport()->geometry();
    const QRectF plot = chart()->plotArea();
    const int axisWidth = static_cast<int>(std::floor(plot.left()));
    axisPane_->showPart(QRect(0, 0, axisWidth, shown.height()), QRect(shown.topLeft(), QSize(axisWidth, shown.height())));

    // The heading ends above what the plot draws over its top edge: the
    // value axis's top label and the faces of the three-dimensional types.
    const auto* up = chart()->axes(Qt::Vertical).value(0);
    const double overTop = std::max(QFontMetricsF(up ? up->labelsFont() : font()).height() / 2,
                                    -chartdepth::backOffset(kDeepestFace).y());
    const int headingHeight = std::max(0, static_cast<int>(std::floor(plot.top() - overTop)) - 1);
    // It stops short of the view's right edge by the margin around the
    // chart's background, which shows there once the chart's end is reached.
    qreal left, top, right, bottom;
    chart()->layout()->getContentsMargins(&left, &top, &right, &bottom);
    const int headingWidth = std::max(0, shown.width() - axisWidth - static_cast<int>(std::ceil(right)));
    const int middle = static_cast<int>(std::lround(chart()->size().width() / 2));
    headingPane_->showPart(QRect(middle - headingWidth / 2, 0, headingWidth, headingHeight),
                           QRect(shown.left() + axisWidth, shown.top(), headingWidth, headingHeight));
}

void Chart::resizeEvent(QResizeEvent* event)
{
    // The chart's width follows its rows, not the view: skip the chart view's
    // own fitting of the chart to the view.
    QGraphicsView::resizeEvent(event);
    if (pending_) return;
    fitToRows();
}

// The row (1-based) whose slot holds `point` of the viewport: the plot's
// width shared among the rows, from the plot's top down past the labels;
// 0 outside every slot and under the value axis's pane. `slot` gets the
// slot's rectangle in the viewport.
int Chart::rowAt(const QPoint& point, QRect* slot)
{
    QAbstractSeries* shown = series();
    if (!shown || rows_.empty()) return 0;
    if (axisPane_->isVisible() && axisPane_->geometry().contains(viewport()->mapTo(this, point))) return 0;
    QChart* chart = this->chart();
    const QPointF at = chart->mapFromScene(mapToScene(point));
    const QRectF plot = chart->plotArea();
    if (at.x() < plot.left() || at.x() >= plot.right() || at.y() < plot.top()) return 0;
    const int index = static_cast<int>(std::lround(chart->mapToValue(at, shown).x()));
    if (index < 0 || index >= rowCount()) return 0;
    auto across = [&](double x) {
        return mapFromScene(chart->mapToScene(chart->mapToPosition(QPointF(x, 0), shown))).x();
    };
    *slot = QRect(QPoint(across(index - 0.5), mapFromScene(chart->mapToScene(plot.topLeft())).y()),
                  QPoint(across(index + 0.5), viewport()->height()));
    return index + 1;
}

// Resting the pointer on a row's slot shows the row's whole label and value
// until the pointer leaves the slot.
bool Chart::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) return QChartView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    QRect slot;
    const int row = rowAt(help->pos(), &slot);
    if (row == 0) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), valueText(row), viewport(), slot);
    }
    return true;
}

void Chart::drawForeground(QPainter* painter, const QRectF& rect)
{
    QChartView::drawForeground(painter, rect);
    if (pending_ || !isThreeDimensional(type_) || rows_.empty()) return;
    QChart* chart = this->chart();
    QAbstractSeries* shown = chart->series().value(0);
    if (!shown) return;
    auto at = [&](double x, double y) { return chart->mapToScene(chart->mapToPosition(QPointF(x, y), shown)); };
    const double slot = at(1, 0).x() - at(0, 0).x();
    painter->save();
    painter->setClipRect(chart->mapRectToScene(chart->plotArea().adjusted(0, -slot, slot, 0)));
    if (auto* bars = qobject_cast<QBarSeries*>(shown)) {
        const double half = bars->barWidth() / 2;
        std::vector<QRectF> drawn;
        for (size_t i = 0; i < rows_.size(); ++i) {
            const double x = static_cast<double>(i);
            drawn.push_back(QRectF(at(x - half, rows_[i].value), at(x + half, 0)));
        }
        const double depth = std::min(slot * bars->barWidth() * 0.4, kDeepestFace);
        chartdepth::paintBars(*painter, drawn, depth, topFaceColor(), sideFaceColor());
    } else {
        std::vector<QPointF> points;
        for (size_t i = 0; i < rows_.size(); ++i) points.push_back(at(static_cast<double>(i), rows_[i].value));
        chartdepth::paintRibbon(*painter, points, std::min(slot * 0.3, kDeepestFace), type_ == 4, at(0, 0).y(), topFaceColor(),
                                sideFaceColor());
    }
    painter->restore();
}

Chart* addChart(QWidget* parent, const QString& name, double left, double top, double width, double height)
{
    return placeNamed(new Chart(parent), name, left, top, width, height);
}

} // namespace ui
