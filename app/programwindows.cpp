#include "app/programwindows.h"

#include "callerid/windows.h"
#include "customers/windows.h"
#include "login/windows.h"
#include "mainwin/windows.h"
#include "pipeline/windows.h"
#include "reports/windows.h"
#include "sales/windows.h"
#include "sms/windows.h"

void defineProgramWindows()
{
    login::defineWindows();
    mainwin::defineWindows();
    customers::defineWindows();
    reports::defineWindows();
    sales::defineWindows();
    callerid::defineWindows();
    sms::defineWindows();
    pipeline::defineWindows();
}
