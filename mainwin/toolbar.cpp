// The picture toolbar along the top edge: each picture and the caption label
// under it run the same command. The add and delete buttons of the search row
// and two controls of the status strip run commands too: the work-mode icon
// adds, the support label opens the home page.
#include "mainwin/frmmain.h"

#include "mainwin/maker.h"
#include "platform/ui/desktop.h"

namespace mainwin {

void FrmMain::connectToolbar()
{
    const struct {
        const char* picture;
        const char* label;
        void (FrmMain::*command)();
    } toolbar[] = {
        {"Image5", "Label8", &FrmMain::cmAdd_Click},
        {"image16", "Label9", &FrmMain::cmDelete_Click},
        {"image14", "Label10", &FrmMain::image14_Click},
        {"Image17", "Label11", &FrmMain::mnuMailPrint_Click},
        {"Image15", "Label12", &FrmMain::prtList_Click},
        {"Image7", "Label13", &FrmMain::mnuExporttoexcel_Click},
        {"Image13", "Label3", &FrmMain::mnuCallList_Click},
    };
    for (const auto& entry : toolbar) {
        const auto command = entry.command;
        control<ui::PictureButton>(QString::fromLatin1(entry.picture))->onClick = [this, command] { (this->*command)(); };
        control<ui::Label>(QString::fromLatin1(entry.label))->onClick = [this, command] { (this->*command)(); };
    }
    control<ui::PictureButton>(QStringLiteral("cmAdd"))->onClick = [this] { cmAdd_Click(); };
    control<ui::PictureButton>(QStringLiteral("cmDelete"))->onClick = [this] { cmDelete_Click(); };
    control<ui::PictureButton>(QStringLiteral("Image6"))->onClick = [this] { cmAdd_Click(); };
    control<ui::PictureButton>(QStringLiteral("Image6"))->setToolTip(QStringLiteral("新增操作"));
    control<ui::Label>(QStringLiteral("Label5"))->onClick = [] { ui::openWithDesktop(kHomePage); };
}

} // namespace mainwin
