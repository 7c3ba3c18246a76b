#include "callerid/gtbusyno.h"

#include "common/callmonitor.h"
#include "common/skin.h"
#include "platform/db/locale.h"
#include "platform/ui/looks.h"
#include "platform/ui/windows.h"

namespace callerid {

namespace {

const char* const kNotLookedUp = "另一台电脑正在使用数据文件，暂时查不到这个号码的客户；数据文件空出后会自动再查，再显示客户资料";

} // namespace

GtBusyNo::GtBusyNo() : CallerNotice(QStringLiteral("GtBusyNo"), 3000)
{
    control<ui::TextBox>(QStringLiteral("ldhm"))->setReadOnly(true);
    ui::setForeColor(addLabel(QStringLiteral("Label4"), QString::fromUtf8(kNotLookedUp), 960, 1380, 5895, 795), 0x0000FF);
    addPictureButton(QStringLiteral("Image3"), QStringLiteral("bmp/close.bmp"), 3150, 2340, 750, 285)->onClick =
        [this] { Image3_Click(); };
    // The holders of the skin's banners.
    addPictureButton(QStringLiteral("Image5"), QString(), 0, 0, 0, 0);
    addPictureButton(QStringLiteral("Image4"), QString(), 0, 2000, 0, 0);
}

void GtBusyNo::Form_Load()
{
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (auto* monitor = ui::Windows::loaded<CallMonitor>(QStringLiteral("GtMain"))) showCaller(monitor->PhoneID());
    control<ui::Label>(QStringLiteral("Label3"))->setCaption(db::locale::generalDate(db::locale::now()));
}

void GtBusyNo::showCaller(const QString& phoneId)
{
    control<ui::TextBox>(QStringLiteral("ldhm"))->setText(db::trimBlanks(phoneId));
}

void GtBusyNo::Image3_Click()
{
    ui::Windows::unload(this);
}

void GtBusyNo::Form_Paint()
{
    skin::paint(this);
}

} // namespace callerid
