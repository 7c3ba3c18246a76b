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

void placeTwips(QWidget* control, double left, double top, double width, double height)
{
    // Edges are rounded, not sizes, so neighbouring controls meet without gaps.
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    control->setGeometry(x, y, twipsToPixels(left + width) - x, twipsToPixels(top + height) - y);
}

} // namespace ui
