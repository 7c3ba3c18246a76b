#include "platform/ui/chartdepth.h"

#include <QPolygonF>

namespace ui::chartdepth {

namespace {
void face(QPainter& painter, const QPolygonF& corners, const QColor& colour)
{
    painter.setPen(QPen(colour.darker(130), 1));
    painter.setBrush(colour);
    painter.drawPolygon(corners);
}
} // namespace

QPointF backOffset(double depth)
{
    return {depth, -depth * 0.6};
}

void paintBars(QPainter& painter, const std::vector<QRectF>& bars, double depth, const QColor& top, const QColor& side)
{
    const QPointF back = backOffset(depth);
    for (const QRectF& bar : bars) {
        const QRectF r = bar.normalized();
        face(painter, QPolygonF({r.topLeft(), r.topRight(), r.topRight() + back, r.topLeft() + back}), top);
        face(painter, QPolygonF({r.topRight(), r.bottomRight(), r.bottomRight() + back, r.topRight() + back}), side);
    }
}

void paintRibbon(QPainter& painter, const std::vector<QPointF>& points, double depth, bool area, double baseY,
                 const QColor& top, const QColor& side)
{
    if (points.empty()) return;
    const QPointF back = backOffset(depth);
    for (size_t i = 1; i < points.size(); ++i)
        face(painter, QPolygonF({points[i - 1], points[i], points[i] + back, points[i - 1] + back}), top);
    if (!area) return;
    const QPointF end = points.back();
    const QPointF foot(end.x(), baseY);
    face(painter, QPolygonF({end, foot, foot + back, end + back}), side);
}

} // namespace ui::chartdepth
