// Test main: the QApplication exists before any widget; the locale is
// Chinese, touch panning is off and waits for the data file show, as in the
// program; every window kind is defined once for the whole run.
#include "app/programwindows.h"
#include "platform/ui/touchpanning.h"
#include "platform/ui/translations.h"
#include "platform/ui/waitcursor.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::useChineseLocale();
    ui::turnOffTouchPanning();
    ui::showWaitsForTheDataFile();
    defineProgramWindows();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
