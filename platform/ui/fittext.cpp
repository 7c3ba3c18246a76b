#include "platform/ui/fittext.h"

#include <QStyle>
#include <QStyleOptionFrame>

namespace ui {

namespace {
// The line edit keeps this much space on each side of its text.
constexpr int kInnerMargin = 2;
constexpr double kSmallestPoints = 6;
} // namespace

int textRoom(const QLineEdit* box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins margins = box->textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kInnerMargin;
}

bool textFits(const QLineEdit* box)
{
    return box->fontMetrics().horizontalAdvance(box->displayText()) <= textRoom(box);
}

namespace {
const char* const kDesignPoints = "designPointSize";

void refit(QLineEdit* box)
{
    QFont font = box->font();
    const double design = box->property(kDesignPoints).toDouble();
    if (font.pointSizeF() != design) {
        font.setPointSizeF(design);
        box->setFont(font);
    }
    fitText(box);
}
} // namespace

void keepTextWhole(QLineEdit* box)
{
    if (keepsTextWhole(box) || box->font().pointSizeF() <= 0) return;
    box->setProperty(kDesignPoints, box->font().pointSizeF());
    QObject::connect(box, &QLineEdit::textChanged, box, [box] { refit(box); });
    refit(box);
}

bool keepsTextWhole(const QLineEdit* box)
{
    return box->property(kDesignPoints).isValid();
}

void fitText(QLineEdit* box)
{
    QFont font = box->font();
    double points = font.pointSizeF();
    if (points <= 0) return;
    while (!textFits(box) && points > kSmallestPoints) {
        points -= 0.5;
        font.setPointSizeF(points);
        box->setFont(font);
    }
}

} // namespace ui
