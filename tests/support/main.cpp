// Test main: the QApplication exists before any widget, and every window kind
// is defined once for the whole run.
#include "callerid/windows.h"
#include "customers/windows.h"
#include "login/windows.h"
#include "mainwin/windows.h"
#include "pipeline/windows.h"
#include "reports/windows.h"
#include "sales/windows.h"
#include "sms/windows.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    login::defineWindows();
    mainwin::defineWindows();
    customers::defineWindows();
    reports::defineWindows();
    sales::defineWindows();
    callerid::defineWindows();
    sms::defineWindows();
    pipeline::defineWindows();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
