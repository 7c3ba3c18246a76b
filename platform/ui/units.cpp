// Twips, &HBBGGRR colours and placement: the one place that converts the
// layouts' units into Qt's.
#include "platform/ui/controls.h"

#include <cmath>

namespace ui {

namespace {
constexpr double kTwipsPerPixel = 15.0;
}

int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

double pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

QColor colorFromBgr(quint32 bbggrr)
{
    return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

namespace {

// Edges are rounded, not sizes, so neighbouring controls meet without gaps.
QRect twipsRect(double left, double top, double width, double height)
{
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    return QRect(x, y, twipsToPixels(left + width) - x, twipsToPixels(top + height) - y);
}

} // namespace

void placeTwips(QWidget* control, double left, double top, double width, double height)
{
    control->setGeometry(twipsRect(left, top, width, height));
}

void placeTwips(Label* label, double left, double top, double width, double height)
{
    label->setGeometry(twipsRect(left, top, width, height));
}

} // namespace ui
