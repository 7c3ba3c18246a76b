#include "mainwin/frmabout.h"

#include "common/skin.h"
#include "mainwin/maker.h"
#include "platform/ui/desktop.h"
#include "platform/ui/looks.h"

namespace mainwin {

FrmAbout::FrmAbout() : ui::Form(QStringLiteral("frmAbout"))
{
    setCaption(QStringLiteral("关于...."));
    setSizeTwips(6030, 3840);
    closeOnEscape();

    auto* lblTitle = addLabel(QStringLiteral("lblTitle"), QStringLiteral("Halvex来电显示客户管理系统"), 840, 600, 5295, 465);
    ui::setFontOf(lblTitle, QStringLiteral("MS Sans Serif"), 13.5, true);
    ui::setForeColor(lblTitle, 0x008000);
    addLabel(QStringLiteral("lblVersion"), QStringLiteral("版本：7.0"), 2160, 1320, 1815, 225);
    addPictureButton(QStringLiteral("picIcon"), QStringLiteral("bmp/about.bmp"), 480, 1320, 1485, 1185);
    addLabel(QStringLiteral("lblDescription"), QStringLiteral("来电显示与客户资料管理"), 2160, 1560, 2535, 330);
    addLabel(QStringLiteral("Label2"), QStringLiteral("适用于电话销售的小型企业"), 2160, 1800, 2655, 255);
    addLabel(QStringLiteral("Label3"), QStringLiteral("公司主页："), 2160, 2085, 975, 255);
    // The links reach to the window's right edge, so the whole address shows.
    auto* Label1 = addLabel(QStringLiteral("Label1"), kHomeAddress, 3240, 2040, 2655, 255);
    addLabel(QStringLiteral("Label4"), QStringLiteral("技术支持："), 2160, 2400, 975, 255);
    auto* Label5 = addLabel(QStringLiteral("Label5"), kSupportAddress, 3240, 2400, 2655, 255);
    addLabel(QStringLiteral("Label6"), QStringLiteral("Halvex 版权所有"), 2160, 2700, 3735, 375);

    for (ui::Label* link : {Label1, Label5}) {
        ui::setFontOf(link, QStringLiteral("MS Sans Serif"), 9.75, false);
        ui::setForeColor(link, 0xFF0000);
        ui::setLinkLook(link);
    }
    Label1->onClick = [this] { Label1_Click(); };
    Label5->onClick = [this] { Label5_Click(); };
}

void FrmAbout::Form_Paint()
{
    skin::paint(this);
}

// The desktop opens the page; the about window stays open, and nothing is
// reported when the page cannot be opened.
void FrmAbout::Label1_Click()
{
    ui::openWithDesktop(kHomePage);
}

void FrmAbout::Label5_Click()
{
    ui::openWithDesktop(kSupportPage);
}

} // namespace mainwin
