#include "platform/ui/chart.h"

#include "platform/ui/chartdepth.h"
#include "platform/ui/controls.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QPolygonF>
#include <QScrollBar>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr double kMargin = 8;
constexpr double kGap = 4;
constexpr double kTick = 4;
// The most a three-dimensional face reaches back, in pixels.
constexpr double kDeepestFace = 16;
// A bar fills this share of its row's slot.
constexpr double kBarShare = 0.5;
// The value axis aims at about this many steps.
constexpr int kSteps = 5;

bool isThreeDimensional(int type)
{
    return type == 0 || type == 2 || type == 4;
}

// A step of 1, 2, 2.5 or 5 times a power of ten that cuts `span` into about
// kSteps parts.
double roundStep(double span)
{
    const double raw = span / kSteps;
    const double scale = std::pow(10.0, std::floor(std::log10(raw)));
    for (double mantissa : {1.0, 2.0, 2.5, 5.0})
        if (raw <= mantissa * scale * (1 + 1e-9)) return mantissa * scale;
    return 10 * scale;
}

// A tick's value with as many decimals as the step needs.
QString tickText(double value, double step)
{
    int decimals = 0;
    while (decimals < 6 && std::abs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) > 1e-6)
        ++decimals;
    return QString::number(std::abs(value) < step / 2 ? 0.0 : value, 'f', decimals);
}

// A tool tip shows rich text when its text might be markup: such a text is
// handed over escaped, so that every tip reads as written.
QString plainTip(const QString& text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

QFont titleFont(QFont font)
{
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    return font;
}

} // namespace

Chart::Chart(QWidget* parent) : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(false);
    measure();
    lay();
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

QString Chart::valueText(int row) const
{
    if (row < 1 || row > rowCount()) return QString();
    const Row& shown = rows_[static_cast<size_t>(row - 1)];
    return shown.label + QStringLiteral("：") + QString::number(shown.value, 'g', 15);
}

QString Chart::shownLabel(int row)
{
    settle();
    if (row < 1 || row > rowCount()) return QString();
    const QString& label = rows_[static_cast<size_t>(row - 1)].label;
    if (!upright_) return label;
    return QFontMetricsF(font()).elidedText(label, Qt::ElideRight, band_ - kGap);
}

QRect Chart::labelRect(int row)
{
    const QString shown = shownLabel(row);
    if (row < 1 || row > rowCount()) return QRect();
    const QFontMetricsF metrics(font());
    const double length = metrics.horizontalAdvance(shown);
    const double centre = xOf(row - 1);
    const double top = plot_.bottom() + kGap;
    if (upright_) return QRectF(centre - metrics.height() / 2, top, metrics.height(), length).toAlignedRect();
    return QRectF(centre - length / 2, top, length, metrics.height()).toAlignedRect();
}

bool Chart::labelsUpright()
{
    settle();
    return upright_;
}

QRectF Chart::plotArea()
{
    settle();
    return plot_;
}

double Chart::slotWidth()
{
    settle();
    return slot_;
}

QPoint Chart::pointOf(double row, double value)
{
    settle();
    return QPointF(xOf(row - 1), yOf(value)).toPoint();
}

// Filling a chart sets every row one by one: the drawing waits until the
// filling handler has returned.
void Chart::changed()
{
    if (pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] {
        settle();
        viewport()->update();
    });
}

void Chart::settle()
{
    if (!pending_) return;
    pending_ = false;
    QToolTip::hideText();
    measure();
    lay();
}

// The value axis's range, read once from the rows: it reaches from zero, or
// below it, to the highest value, in round steps. The labels are measured
// later, as far as the layout needs.
void Chart::measure()
{
    longest_ = 0;
    measured_ = 0;
    double low = 0;
    double high = 0;
    for (const Row& row : rows_) {
        if (!std::isfinite(row.value)) continue;
        low = std::min(low, row.value);
        high = std::max(high, row.value);
    }
    if (high == low) high = low + 1;
    step_ = roundStep(high - low);
    low_ = std::floor(low / step_ + 1e-9) * step_;
    high_ = std::ceil(high / step_ - 1e-9) * step_;
}

// The widest label, measuring the rows not measured yet until one is at
// least `enough` wide: a label wider than the room it can get is cut anyway,
// so many rows of long names cost one measure, not one per row.
double Chart::longestLabel(double enough)
{
    const QFontMetricsF metrics(font());
    for (; measured_ < rows_.size() && longest_ < enough; ++measured_)
        longest_ = std::max(longest_, metrics.horizontalAdvance(rows_[measured_].label));
    return longest_;
}

// Places the title, the legend, the value axis and the plot in the view.
// Each row gets a slot at least as wide as its label across, or, when the
// labels do not fit across, two lines' height with the labels upright. When
// the slots are wider than the plot, the scroll bar moves them beneath it.
void Chart::lay()
{
    const QSizeF view = viewport()->size();
    const QFontMetricsF metrics(font());
    const double line = metrics.height();
    double top = kMargin;
    titleRect_ = QRectF();
    if (!title_.isEmpty()) {
        titleRect_ = QRectF(0, top, view.width(), QFontMetricsF(titleFont(font())).height());
        top = titleRect_.bottom() + kGap;
    }
    legendRect_ = QRectF();
    if (legend_) {
        legendRect_ = QRectF(0, top, view.width(), line);
        top = legendRect_.bottom() + kGap;
    }
    // Room above the plot for the value axis's top label and the faces.
    top += std::max(line / 2, -chartdepth::backOffset(kDeepestFace).y());

    double axis = 0;
    for (double tick = low_; tick <= high_ + step_ / 2; tick += step_)
        axis = std::max(axis, metrics.horizontalAdvance(tickText(tick, step_)));
    const double left = std::ceil(kMargin + axis + kTick + kGap);
    const double right = std::max(left + 1, view.width() - kMargin - kDeepestFace);
    const double room = right - left;
    const double rows = static_cast<double>(rows_.size());

    // Rows of a line's height each overflow the plot whatever their labels.
    const double tallest = std::max(line, (view.height() - top) * 0.4);
    const bool crowded = line * rows > room;
    upright_ = !rows_.empty() && (crowded || (longestLabel(HUGE_VAL) + line) * rows > room);
    if (upright_) {
        slot_ = std::max(room / rows, 2 * line);
        band_ = std::min(longestLabel(tallest) + 2 * kGap, tallest);
    } else {
        slot_ = rows_.empty() ? room : room / rows;
        band_ = line + 2 * kGap;
    }
    plot_ = QRectF(QPointF(left, top), QPointF(right, std::max(top + 1, view.height() - kMargin - band_)));

    QScrollBar* bar = horizontalScrollBar();
    const int over = std::max(0, static_cast<int>(std::ceil(slot_ * rows - room)));
    bar->setRange(0, over);
    bar->setPageStep(static_cast<int>(room));
    bar->setSingleStep(std::max(1, static_cast<int>(slot_)));
    // Showing or hiding the bar changes the view's height, which comes back
    // here at once with the same outcome across.
    setHorizontalScrollBarPolicy(over > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

// The x of a row's centre, `position` counting rows from 0.
double Chart::xOf(double position) const
{
    return plot_.left() + (position + 0.5) * slot_ - horizontalScrollBar()->value();
}

double Chart::yOf(double value) const
{
    return plot_.bottom() - (value - low_) / (high_ - low_) * plot_.height();
}

// The rows whose slots show in the plot, and one more either side, so that
// lines and faces run on to the plot's edges.
int Chart::firstInView() const
{
    const int first = static_cast<int>(std::floor(horizontalScrollBar()->value() / slot_)) - 1;
    return std::clamp(first, 0, std::max(0, rowCount() - 1));
}

int Chart::lastInView() const
{
    const int last = static_cast<int>(std::ceil((horizontalScrollBar()->value() + plot_.width()) / slot_)) + 1;
    return std::clamp(last, 0, rowCount() - 1);
}

void Chart::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (!pending_) lay();
}

void Chart::scrollContentsBy(int, int)
{
    viewport()->update();
}

void Chart::paintEvent(QPaintEvent*)
{
    settle();
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    painter.setFont(font());
    paintHeading(painter);
    paintValueAxis(painter);
    // The rows move beneath the value axis: they are cut off at its line,
    // and on the right where the last row's faces end.
    painter.setClipRect(QRectF(QPointF(plot_.left() + 1, 0), QPointF(plot_.right() + kDeepestFace, viewport()->height())));
    paintSeries(painter);
    paintLabels(painter);
}

void Chart::paintHeading(QPainter& painter)
{
    painter.setPen(Qt::black);
    if (!titleRect_.isNull()) {
        painter.save();
        painter.setFont(titleFont(font()));
        painter.drawText(titleRect_, Qt::AlignCenter | Qt::TextSingleLine, title_);
        painter.restore();
    }
    if (legendRect_.isNull()) return;
    const QFontMetricsF metrics(font());
    const double mark = metrics.height() * 0.7;
    const double width = mark + kGap + metrics.horizontalAdvance(columnLabel_);
    const double left = legendRect_.center().x() - width / 2;
    painter.fillRect(QRectF(left, legendRect_.center().y() - mark / 2, mark, mark), seriesColor());
    painter.drawText(QRectF(left + mark + kGap, legendRect_.top(), width, legendRect_.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, columnLabel_);
}

// The value axis with a line across the plot at every step.
void Chart::paintValueAxis(QPainter& painter)
{
    const QFontMetricsF metrics(font());
    for (double tick = low_; tick <= high_ + step_ / 2; tick += step_) {
        const double y = std::round(yOf(tick));
        painter.setPen(QColor(0xDD, 0xDD, 0xDD));
        painter.drawLine(QPointF(plot_.left(), y), QPointF(plot_.right(), y));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(plot_.left() - kTick, y), QPointF(plot_.left(), y));
        const QRectF text(0, y - metrics.height() / 2, plot_.left() - kTick - kGap, metrics.height());
        painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, tickText(tick, step_));
    }
    painter.drawLine(plot_.topLeft(), plot_.bottomLeft());
    painter.drawLine(plot_.bottomLeft(), plot_.bottomRight());
}

void Chart::paintSeries(QPainter& painter)
{
    if (rows_.empty()) return;
    const int first = firstInView();
    const int last = lastInView();
    const double base = yOf(std::clamp(0.0, low_, high_));
    const QColor colour = seriesColor();
    if (type_ <= 1) {
        std::vector<QRectF> bars;
        for (int i = first; i <= last; ++i) {
            const double x = xOf(i);
            const double half = slot_ * kBarShare / 2;
            bars.push_back(QRectF(QPointF(x - half, yOf(rows_[static_cast<size_t>(i)].value)), QPointF(x + half, base)).normalized());
            painter.fillRect(bars.back(), colour);
        }
        if (isThreeDimensional(type_))
            chartdepth::paintBars(painter, bars, std::min(slot_ * kBarShare * 0.4, kDeepestFace), topFaceColor(), sideFaceColor());
        return;
    }
    QPolygonF points;
    for (int i = first; i <= last; ++i) points << QPointF(xOf(i), yOf(rows_[static_cast<size_t>(i)].value));
    if (type_ == 4) {
        QPolygonF area = points;
        area << QPointF(points.back().x(), base) << QPointF(points.front().x(), base);
        painter.setPen(QPen(colour, 1));
        painter.setBrush(colour);
        painter.drawPolygon(area);
    }
    painter.setPen(QPen(colour, isThreeDimensional(type_) ? 4 : 2));
    painter.drawPolyline(points);
    if (isThreeDimensional(type_)) {
        const std::vector<QPointF> along(points.begin(), points.end());
        chartdepth::paintRibbon(painter, along, std::min(slot_ * 0.3, kDeepestFace), type_ == 4, base, topFaceColor(),
                                sideFaceColor());
    }
}

// Each row's label under its slot, as plain text: across and centred, or
// upright, reading upwards and ending under the plot.
void Chart::paintLabels(QPainter& painter)
{
    if (rows_.empty()) return;
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font());
    const double top = plot_.bottom() + kGap;
    for (int i = firstInView(); i <= lastInView(); ++i) {
        const QString& label = rows_[static_cast<size_t>(i)].label;
        const double x = xOf(i);
        if (!upright_) {
            painter.drawText(QRectF(x - slot_ / 2, top, slot_, metrics.height()), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                             label);
            continue;
        }
        const double length = band_ - kGap;
        painter.save();
        painter.translate(x, top);
        painter.rotate(-90);
        painter.drawText(QRectF(-length, -metrics.height() / 2, length, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                         metrics.elidedText(label, Qt::ElideRight, length));
        painter.restore();
    }
}

// The row (1-based) whose slot holds `point` of the viewport: from the
// plot's top down past the labels; 0 outside every slot and under the value
// axis. `slot` gets the slot's rectangle in the viewport.
int Chart::rowAt(const QPoint& point, QRect* slot)
{
    settle();
    if (rows_.empty() || point.x() < plot_.left() || point.x() >= plot_.right() || point.y() < plot_.top()) return 0;
    const int index = static_cast<int>(std::floor((point.x() - plot_.left() + horizontalScrollBar()->value()) / slot_));
    if (index < 0 || index >= rowCount()) return 0;
    const QRectF whole(QPointF(xOf(index) - slot_ / 2, plot_.top()), QPointF(xOf(index) + slot_ / 2, viewport()->height()));
    *slot = whole.intersected(QRectF(plot_.left(), 0, plot_.width(), viewport()->height())).toAlignedRect();
    return index + 1;
}

// Resting the pointer on a row's slot shows the row's whole label and value
// until the pointer leaves the slot.
bool Chart::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    QRect slot;
    const int row = rowAt(help->pos(), &slot);
    if (row == 0) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), plainTip(valueText(row)), viewport(), slot);
    }
    return true;
}

Chart* addChart(QWidget* parent, const QString& name, double left, double top, double width, double height)
{
    return placeNamed(new Chart(parent), name, left, top, width, height);
}

} // namespace ui
