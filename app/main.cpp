// halvex: starts at the login window.
#include "app/programwindows.h"
#include "common/firststart.h"
#include "platform/ui/desktop.h"
#include "platform/ui/touchpanning.h"
#include "platform/ui/waitcursor.h"
#include "platform/ui/translations.h"
#include "platform/ui/windows.h"
#include "platform/winsys/qtsystem.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ui::useChineseLocale();
    ui::loadQtTranslations(app);
    ui::turnOffTouchPanning();
    ui::showWaitsForTheDataFile();
    // A second copy ends before it shows anything.
    if (!ui::acquireSingleInstance()) return 0;
    // The window system the chrome library runs on.
    winsys::QtSystem windowSystem;

    firststart::ensureDatabases();
    defineProgramWindows();

    ui::Windows::open(QStringLiteral("frmLogin"));
    return app.exec();
}
