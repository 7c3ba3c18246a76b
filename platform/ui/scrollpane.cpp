#include "platform/ui/scrollpane.h"

#include "platform/ui/controls.h"

#include <QApplication>
#include <QEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

namespace ui {

namespace {
// The bar is never narrower than this, even where the controls reach closer
// to the band's right edge.
constexpr int kNarrowestBar = 8;
} // namespace

ScrollPane::ScrollPane(QWidget* container, double topTwips, double bottomMarginTwips)
    : QWidget(container), container_(container), topTwips_(topTwips), bottomMarginTwips_(bottomMarginTwips),
      content_(new QWidget(this)), bar_(new QScrollBar(Qt::Vertical, this))
{
    setObjectName(QStringLiteral("scrollPane"));
    content_->setObjectName(QStringLiteral("scrollContent"));
    bar_->setRange(0, 0);
    bar_->hide();
    connect(bar_, &QScrollBar::valueChanged, this, [this](int) { place(); });
    // A control inside that takes the focus (Tab, a click, code) comes into view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && content_->isAncestorOf(now)) ensureVisible(now);
    });
    container->installEventFilter(this);
    place();
    content_->show();
    show();
}

void ScrollPane::setStep(int pixels)
{
    bar_->setSingleStep(std::max(1, pixels));
}

int ScrollPane::scrolled() const
{
    return bar_->value();
}

void ScrollPane::fitContent()
{
    int bottom = 0;
    for (QWidget* child : content_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isHidden()) bottom = std::max(bottom, child->geometry().bottom() + 1);
    contentBottom_ = bottom;
    place();
}

void ScrollPane::place()
{
    const int top = twipsToPixels(topTwips_);
    const int height = std::max(0, container_->height() - top - twipsToPixels(bottomMarginTwips_));
    setGeometry(0, top, container_->width(), height);

    const int range = std::max(0, contentBottom_ - (top + height));
    bar_->blockSignals(true);
    bar_->setRange(0, range);
    bar_->setPageStep(std::max(1, height));
    bar_->blockSignals(false);
    const int offset = bar_->value();

    // The bar takes the room right of the controls, up to the style's width.
    int rightmost = 0;
    for (QWidget* child : content_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isHidden()) rightmost = std::max(rightmost, child->geometry().right() + 1);
    const int styleWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar_);
    const int barWidth = std::clamp(width() - rightmost - 1, kNarrowestBar, std::max(kNarrowestBar, styleWidth));
    bar_->setGeometry(width() - barWidth - 1, 0, barWidth, height);
    bar_->setVisible(range > 0);
    bar_->raise();

    content_->setGeometry(0, -top - offset, width(), std::max(contentBottom_, top + height));
}

void ScrollPane::scrollTo(int pixels)
{
    bar_->setValue(std::clamp(pixels, 0, bar_->maximum()));
    place();
}

void ScrollPane::ensureVisible(const QWidget* control)
{
    if (!control || !content_->isAncestorOf(control)) return;
    const QRect place(control->mapTo(content_, QPoint(0, 0)), control->size());
    const int shownTop = twipsToPixels(topTwips_) + bar_->value();
    const int shownBottom = shownTop + height();
    if (place.top() < shownTop)
        scrollTo(bar_->value() - (shownTop - place.top()));
    else if (place.bottom() + 1 > shownBottom)
        scrollTo(bar_->value() + (place.bottom() + 1 - shownBottom));
}

bool ScrollPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == container_ && event->type() == QEvent::Resize) place();
    return QWidget::eventFilter(watched, event);
}

void ScrollPane::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0 || bar_->maximum() == 0) {
        event->ignore();
        return;
    }
    scrollTo(bar_->value() - notches * 3 * bar_->singleStep());
    event->accept();
}

} // namespace ui
