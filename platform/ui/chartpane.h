#pragma once
// A still window onto one part of a chart's scene, laid over the chart's
// scrolling view: while the bars scroll beneath, the pane goes on showing the
// same part (the value axis, or the title and legend) at the same place. It
// takes no mouse events, so pointing and the wheel act on the chart beneath.
#include <QGraphicsView>

namespace ui {

class ChartPane : public QGraphicsView {
public:
    // A pane over `view`, onto its scene, drawn as the view draws.
    explicit ChartPane(QGraphicsView* view);

    // Shows the scene's `part` at `place`, in the view's coordinates; both
    // are the same size.
    void showPart(const QRect& part, const QRect& place);
};

} // namespace ui
