#include "callerid/callernotice.h"

#include "common/skin.h"
#include "platform/ui/looks.h"

namespace callerid {

CallerNotice::CallerNotice(const QString& name, double heightTwips) : ui::Form(name)
{
    setCaption(QStringLiteral("来电号码"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeTwips(7050 + 120, heightTwips + 480);
    setFixedSize(size());
    closeOnEscape();

    addLabel(QStringLiteral("Label1(16)"), QStringLiteral("来电号码:"), 960, 480, 1095, 255);
    ui::TextBox* ldhm = addTextBox(QStringLiteral("ldhm"), 2040, 360, 4935, 495);
    ldhm->setFrame(false);
    ldhm->setBackColor(skin::kBackColor);
    ui::setForeColor(ldhm, 0x0080FF);
    ui::setFontOf(ldhm, QStringLiteral("黑体"), 21.75, true);

    addLabel(QStringLiteral("Label1(0)"), QStringLiteral("来电时间:"), 960, 960, 1095, 255);
    addLabel(QStringLiteral("Label3"), QString(), 2280, 960, 3255, 255);
}

} // namespace callerid
