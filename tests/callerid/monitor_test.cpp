// The call monitor: its SQL helper, its load against the simulated box (type
// texts, opened channels, the list's columns by right), a missing box, the
// order of the close steps and the rectangle it keeps when it unloads.
#include "callerid_fixture.h"

#include "callerid/execsql.h"

#include "platform/ui/desktop.h"
#include "platform/ui/picturebox.h"

#include <QSettings>

namespace {

class CallMonitorTest : public CallerIdTest {};

TEST_F(CallMonitorTest, ExecSqlOpensQueriesAndRunsActions)
{
    addCall(QDateTime(QDate(2026, 3, 10), QTime(8, 0)), QStringLiteral("123456"));
    auto rows = Const::ExecSql(QStringLiteral("select * from HV_Cidlist "));
    ASSERT_TRUE(rows);
    EXPECT_TRUE(rows->isOpen());
    EXPECT_EQ(rows->field(QStringLiteral("CallerID")).toText(), QStringLiteral("123456"));

    EXPECT_EQ(Const::ExecSql(QStringLiteral("update Hv_Cidlist set Contant='note'")), nullptr);
    EXPECT_EQ(newestCall("Contant"), QStringLiteral("note"));
    // A leading space: the first word is empty, so the statement is opened (trimmed).
    auto spaced = Const::ExecSql(QStringLiteral("  select CallerID from Hv_Cidlist"));
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->field(0).toText(), QStringLiteral("123456"));
    EXPECT_EQ(Const::ExecSql(QStringLiteral("select * from no_such_table")), nullptr);

    Mymode::ConnectString = QStringLiteral("dbq=") + path(QStringLiteral("missing.hvd"));
    EXPECT_THROW(Const::ExecSql(QStringLiteral("select * from Hv_Cidlist")), db::Error);
}

TEST_F(CallMonitorTest, LoadListsEveryChannelAndOpensThoseWithAType)
{
    loadMonitor({0, 1, 2, 3, 4, 7});
    auto* grid = ctl<ui::FlexGrid>("StatusGridV");
    EXPECT_EQ(monitor()->caption(), QStringLiteral("客户管理系统"));
    ASSERT_EQ(grid->rows(), 7);
    EXPECT_EQ(grid->textArray(5), QStringLiteral("   DTMF   "));
    EXPECT_DOUBLE_EQ(grid->colWidth(1), 960);
    const QStringList types{"Unknown", "User", "Thrunk", "Record", "Mix", "Unknown"};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(grid->textMatrix(c + 1, 0), QString::number(c));
        EXPECT_EQ(grid->textMatrix(c + 1, 1), types[c]);
        EXPECT_EQ(status(c), QStringLiteral("Idle"));
    }
    const QStringList& calls = box().calls();
    EXPECT_FALSE(calls.contains(QStringLiteral("GX_OpenChannel(0)")));
    EXPECT_TRUE(calls.contains(QStringLiteral("GX_OpenChannel(1)")));
    EXPECT_TRUE(calls.contains(QStringLiteral("GX_StartDetectCallerID(5)")));
    EXPECT_EQ(list()->columnCount(), 8);
    EXPECT_EQ(list()->columnCaption(7), QStringLiteral("录音文件"));
    EXPECT_TRUE(ctl<ui::Timer>("PollTimer")->isEnabled());
    EXPECT_EQ(ctl<ui::TextBox>("hvDay")->text(), QStringLiteral("2026-3-10"));
    // The year, month and day of the start show on their digit displays; the
    // two pictures between them stay blank.
    for (const char* picture : {"Picture1", "Picture4", "Picture5", "Picture3", "Picture6"}) {
        const QImage shown = ctl<ui::PictureBox>(picture)->picture();
        bool drawn = false;
        for (int y = 0; y < shown.height() && !drawn; ++y)
            for (int x = 0; x < shown.width() && !drawn; ++x) drawn = shown.pixel(x, y) != shown.pixel(0, 0);
        EXPECT_EQ(drawn, QByteArray(picture) == "Picture1" || QByteArray(picture) == "Picture4"
                             || QByteArray(picture) == "Picture5")
            << picture;
    }
}

TEST_F(CallMonitorTest, ChannelsBeyondThirtyTwoAreNeitherListedNorOpened)
{
    loadMonitor(std::vector<std::int16_t>(40, 1));
    EXPECT_EQ(ctl<ui::FlexGrid>("StatusGridV")->rows(), 34);
    EXPECT_TRUE(box().calls().contains(QStringLiteral("GX_OpenChannel(32)")));
    EXPECT_FALSE(box().calls().contains(QStringLiteral("GX_OpenChannel(33)")));
    // Events of those channels are dropped.
    lineEvent(35, gxevent::OffHook);
    lineEvent(-1, gxevent::OffHook);
    tick();
    EXPECT_EQ(box().pending(), 0);
}

TEST_F(CallMonitorTest, MissingBoxAndSevenColumnsWithoutTheCallLogRight)
{
    loginAs(QStringLiteral("clerk"), allRights().replace(QStringLiteral("b_work=1;"), QStringLiteral("b_work=0;")));
    // Nothing configured and no script variable: the box is missing.
    auto* gt = ui::Windows::get<callerid::GtMain>(QStringLiteral("GtMain"));
    ASSERT_NE(gt, nullptr);
    EXPECT_EQ(gt->control<ui::FlexGrid>(QStringLiteral("StatusGridV"))->rows(), 1);
    EXPECT_EQ(gt->control<ui::ListView>(QStringLiteral("ListView3"))->columnCount(), 7);
    EXPECT_FALSE(box().calls().contains(QStringLiteral("GX_OpenChannel(0)")));
    gt->PollBoxEvents();   // nothing to read: the tick ends
}

TEST_F(CallMonitorTest, UnloadClosesEveryChannelThenTheBoxAndTheWindowsLoadedAfterIt)
{
    loadMonitor({1, 0});
    ui::Windows::open(QStringLiteral("sysOther"));
    box().clearCalls();
    ui::Windows::unload(monitor());
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("sysOther")), nullptr);
    EXPECT_EQ(box().calls(), (QStringList{"GX_StopFaxOperate(0)", "GX_CloseFaxChannel(0)", "GX_StopFaxOperate(1)",
                                          "GX_CloseFaxChannel(1)", "GX_CloseFaxFunction()", "GX_CloseSystem()"}));
}

TEST_F(CallMonitorTest, HidingKeepsEverythingAndAMinimisedWindowKeepsNoRectangle)
{
    QSettings store(ui::programTitle(), ui::programTitle());
    store.clear();
    loadMonitor();
    monitor()->show();
    ui::PictureButton* hide = ctl<ui::PictureButton>("command1");
    hide->click();
    EXPECT_FALSE(monitor()->isVisible());
    EXPECT_EQ(status(0), QStringLiteral("Idle"));
    monitor()->showMinimized();
    ui::Windows::unload(monitor());
    store.sync();
    EXPECT_FALSE(store.contains(QStringLiteral("Settings/MainLeft")));

    loadMonitor();
    monitor()->showNormal();
    ui::Windows::unload(monitor());
    store.sync();
    EXPECT_TRUE(store.contains(QStringLiteral("Settings/MainWidth")));
}

} // namespace
