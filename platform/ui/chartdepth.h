#pragma once
// The depth of the chart's three-dimensional types, painted over the flat
// series: each bar gets a top and a right-hand side face; a line or area gets
// a ribbon along its top, an area also the face that closes its right end.
#include <QColor>
#include <QPainter>
#include <QRectF>
#include <vector>

namespace ui::chartdepth {

// How far a face reaches back: right by `depth`, up by a little less.
QPointF backOffset(double depth);

// `bars`: each bar's rectangle as drawn, in the painter's coordinates.
void paintBars(QPainter& painter, const std::vector<QRectF>& bars, double depth, const QColor& top, const QColor& side);

// `points`: the line's points from left to right; `baseY`: where an area's
// fill ends (ignored for a line).
void paintRibbon(QPainter& painter, const std::vector<QPointF>& points, double depth, bool area, double baseY,
                 const QColor& top, const QColor& side);

} // namespace ui::chartdepth
