#include "common/skin.h"

#include "platform/ui/desktop.h"
#include "platform/ui/form.h"

#include <QImage>

namespace skin {

void paint(ui::Form* form, BottomOffset offset)
{
    form->fillBackground(kBackColor);
    // Both pictures are read afresh on each paint.
    const QImage top(ui::programPath(QStringLiteral("bmp/top.bmp")));
    const QImage bottom(ui::programPath(QStringLiteral("bmp/bottom.bmp")));
    if (top.isNull() || bottom.isNull()) return;

    const double topHeight = ui::pixelsToTwips(top.height());
    const double bottomHeight = ui::pixelsToTwips(bottom.height());
    form->paintPicture(top, 0, 0, form->scaleWidthTwips(), topHeight + 200);
    const double lift = offset == BottomOffset::ByTopPicture ? topHeight : bottomHeight;
    form->paintPicture(bottom, 0, form->heightTwips() - lift - 300, form->scaleWidthTwips(), 660);
}

} // namespace skin
