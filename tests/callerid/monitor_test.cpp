// The call monitor: its SQL helper, its load against the simulated box (type
// texts, opened channels, the list's columns by right), a missing box, the
// order of the close steps and the rectangle it keeps when it unloads.
#include "callerid_fixture.h"

#include "callerid/execsql.h"

#include "platform/ui/desktop.h"
#include "platform/ui/picturebox.h"

#include <QSettings>
#include <algorithm>
#include <set>
#include <vector>

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

namespace {

// The digits a display shows, read back from its drawing: each digit's
// segments probed at the middle of their middle line, as the display places
// them (x from 2 by W + 3, top 2, H the inner height less 6, W = H / 2 + 2).
QString shownDigits(ui::PictureBox* box, int digits)
{
    const int H = static_cast<int>(box->scaleHeight()) - 6, W = H / 2 + 2, h = H / 2, y = 2;
    const QImage picture = box->picture();
    const QColor back = picture.pixelColor(0, 0);
    const std::vector<std::set<int>> segmentsOf = {{1, 2, 3, 4, 5, 6}, {2, 3},          {1, 2, 4, 5, 7},
                                                   {1, 2, 3, 4, 7},    {2, 3, 6, 7},    {1, 3, 4, 6, 7},
                                                   {1, 3, 4, 5, 6, 7}, {1, 2, 3},       {1, 2, 3, 4, 5, 6, 7},
                                                   {1, 2, 3, 4, 6, 7}};
    QString shown;
    for (int i = 0; i < digits; ++i) {
        const int x = 2 + i * (W + 3);
        const std::pair<int, int> probes[] = {{x + W / 2, y + 1},     {x + W - 2, y + h / 2}, {x + W - 2, y + h + h / 2},
                                              {x + W / 2, y + H - 1}, {x + 1, y + h + h / 2}, {x + 1, y + h / 2},
                                              {x + W / 2, y + h}};
        std::set<int> lit;
        for (int s = 0; s < 7; ++s) {
            const auto [px, py] = probes[s];
            if (px < picture.width() && py < picture.height() && picture.pixelColor(px, py) != back) lit.insert(s + 1);
        }
        const auto digit = std::find(segmentsOf.begin(), segmentsOf.end(), lit);
        shown += digit == segmentsOf.end() ? QLatin1Char('?') : QChar(static_cast<char16_t>(u'0' + (digit - segmentsOf.begin())));
    }
    return shown;
}

} // namespace

// The date of the start on the three digit displays, every digit whole inside
// its picture; the two pictures that hold nothing are not shown.
TEST_F(CallMonitorTest, DateDisplaysShowTheWholeYearMonthAndDay)
{
    setNow(QDate(2026, 12, 9), QTime(9, 0));
    loadMonitor();
    monitor()->show();
    auto* year = ctl<ui::PictureBox>("Picture1");
    const int W = (static_cast<int>(year->scaleHeight()) - 6) / 2 + 2;
    EXPECT_LE(2 + 3 * (W + 3) + W, static_cast<int>(year->scaleWidth()));   // the fourth digit's right edge
    EXPECT_EQ(shownDigits(year, 4), QStringLiteral("2026"));
    EXPECT_EQ(shownDigits(ctl<ui::PictureBox>("Picture4"), 2), QStringLiteral("12"));
    EXPECT_EQ(shownDigits(ctl<ui::PictureBox>("Picture5"), 2), QStringLiteral("09"));
    EXPECT_FALSE(ctl<ui::PictureBox>("Picture3")->isVisible());
    EXPECT_FALSE(ctl<ui::PictureBox>("Picture6")->isVisible());
}
