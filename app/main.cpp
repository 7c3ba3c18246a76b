// halvex: starts at the login window.
#include "callerid/windows.h"
#include "common/firststart.h"
#include "customers/windows.h"
#include "login/windows.h"
#include "mainwin/windows.h"
#include "pipeline/windows.h"
#include "platform/ui/desktop.h"
#include "platform/ui/windows.h"
#include "reports/windows.h"
#include "sales/windows.h"
#include "sms/windows.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // A second copy ends before it shows anything.
    if (!ui::acquireSingleInstance()) return 0;

    firststart::ensureDatabases();
    login::defineWindows();
    mainwin::defineWindows();
    customers::defineWindows();
    reports::defineWindows();
    sales::defineWindows();
    callerid::defineWindows();
    sms::defineWindows();
    pipeline::defineWindows();

    ui::Windows::open(QStringLiteral("frmLogin"));
    return app.exec();
}
