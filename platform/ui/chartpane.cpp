#include "platform/ui/chartpane.h"

namespace ui {

ChartPane::ChartPane(QGraphicsView* view) : QGraphicsView(view->scene(), view)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setInteractive(false);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Around the chart the pane shows what the view shows there.
    viewport()->setBackgroundRole(view->viewport()->backgroundRole());
    setRenderHints(view->renderHints());
    hide();
}

void ChartPane::showPart(const QRect& part, const QRect& place)
{
    setSceneRect(part);
    setGeometry(place);
    raise();
    show();
}

} // namespace ui
