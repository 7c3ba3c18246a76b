// The reminders with the clock set by the test: the main window's tick opens
// the reminder window only for the operator's own due reminders, the window
// lists and opens them, and the settings window switches the timer.
#include "tests/customers/customerfixture.h"

#include "tests/support/busyfile.h"

#include "common/mymode.h"
#include "common/readfailure.h"
#include "common/sqltext.h"
#include "platform/db/locale.h"
#include "platform/ui/windows.h"

#include <QStandardPaths>

namespace {

class Reminders : public CustomerTest {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        CustomerTest::SetUp();
        exec(QStringLiteral("update DriveInfo set Sys_alert='1', alertpl='1'"));
        customer = addCustomer({{QStringLiteral("company_name"), QStringLiteral("华东贸易")}});
        setClock(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        mainWindow = ui::Windows::open(QStringLiteral("frmMain"));
    }
    void TearDown() override
    {
        CustomerTest::TearDown();
        db::locale::setClockForTests(std::nullopt);
    }
    static void setClock(const QDateTime& now) { db::locale::setClockForTests(now); }

    int addBirthday(const QString& name, const QString& owner, const QString& birthday, const QString& alert = QStringLiteral("1"))
    {
        return addContact(customer, {{QStringLiteral("Connect_name"), name}, {QStringLiteral("LXR_CZZ"), owner},
                                     {QStringLiteral("birthday"), birthday}, {QStringLiteral("alert"), alert}});
    }
    int addActivity(const QString& title, const QString& owner, const QString& alertTime)
    {
        exec(QStringLiteral("insert into KH_ACT (companyid,ActionTitle,Action_CZZ,alert,alerttime) values (%1,%2,%3,'1',%4)")
                 .arg(customer)
                 .arg(sqltext::quoted(title), sqltext::quoted(owner), sqltext::quoted(alertTime)));
        return scalar(QStringLiteral("select max(id) from KH_ACT")).toInt();
    }

    ui::Timer* timer() const { return mainWindow->control<ui::Timer>(QStringLiteral("Timer1")); }
    // One tick of the reminder timer; the reminder window it opened, if any.
    ui::Form* tick()
    {
        timer()->fire();
        return ui::Windows::loaded(QStringLiteral("sysalert"));
    }
    static QStringList listed(ui::Form* alert, const char* grid)
    {
        auto* list = alert->control<ui::DataGrid>(QString::fromLatin1(grid));
        QStringList shown;
        for (int row = 0; row < list->rowCount(); ++row) shown << list->cellText(row, 1);
        return shown;
    }

    int customer = 0;
    ui::Form* mainWindow = nullptr;
};

TEST_F(Reminders, TickOpensTheWindowOnlyForTheOperatorsOwnReminders)
{
    addBirthday(QStringLiteral("别人的"), QStringLiteral("clerk"), QStringLiteral("1970-06-15 00:00:00"));
    addActivity(QStringLiteral("别人的活动"), QStringLiteral("clerk"), QStringLiteral("2026-06-15 09:00:00"));
    addBirthday(QStringLiteral("提醒关闭"), QStringLiteral("system"), QStringLiteral("1970-06-15 00:00:00"), QStringLiteral("0"));
    addBirthday(QStringLiteral("明天"), QStringLiteral("system"), QStringLiteral("1970-06-16 00:00:00"));
    addActivity(QStringLiteral("还没到"), QStringLiteral("system"), QStringLiteral("2026-06-15 10:00:01"));
    EXPECT_EQ(tick(), nullptr);

    addBirthday(QStringLiteral("张三"), QStringLiteral("system"), QStringLiteral("1980-06-15 00:00:00"));
    addActivity(QStringLiteral("回访"), QStringLiteral("system"), QStringLiteral("2026-06-15 10:00:00"));
    ui::Form* alert = tick();
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->isVisible());
    EXPECT_EQ(alert->caption(), QStringLiteral("系统提醒"));
    EXPECT_EQ(listed(alert, "DataGrid1"), QStringList{QStringLiteral("张三")});
    EXPECT_EQ(listed(alert, "DataGrid2"), QStringList{QStringLiteral("回访")});
    auto* birthdays = alert->control<ui::DataGrid>(QStringLiteral("DataGrid1"));
    auto* activities = alert->control<ui::DataGrid>(QStringLiteral("DataGrid2"));
    EXPECT_EQ(birthdays->columnCaption(0), QStringLiteral("id"));
    EXPECT_EQ(birthdays->columnWidth(0), 0);
    EXPECT_EQ(birthdays->columnCaption(1), QStringLiteral("姓名"));
    EXPECT_EQ(activities->columnCaption(1), QStringLiteral("活动概述"));
    EXPECT_EQ(activities->columnWidth(1), 2500);

    // "关  闭" closes it until the next tick that finds something.
    alert->control<ui::CommandButton>(QStringLiteral("command1"))->click();
    EXPECT_FALSE(isOpen(QStringLiteral("sysalert")));
    EXPECT_TRUE(timer()->isEnabled());
    EXPECT_NE(tick(), nullptr);
}

// No operator asked for the tick: one that cannot read the file shows
// nothing and pops up no box, and the next one finds the reminder. The
// reminder window's own lists say why (once) and stay plainly empty.
TEST_F(Reminders, ABusyTickShowsNothingAndTheWindowSaysWhy)
{
    addActivity(QStringLiteral("回访"), QStringLiteral("system"), QStringLiteral("2026-06-15 09:00:00"));
    {
        OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
        EXPECT_EQ(tick(), nullptr);
        EXPECT_TRUE(messages.shown().empty());
        ui::Form* alert = ui::Windows::open(QStringLiteral("sysalert"));
        expectOnly(QString::fromUtf8(readfailure::kBusyText));
        EXPECT_EQ(listed(alert, "DataGrid1"), QStringList());
        EXPECT_EQ(listed(alert, "DataGrid2"), QStringList());
        ui::Windows::unload(alert);
    }
    ui::Form* alert = tick();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(listed(alert, "DataGrid2"), QStringList{QStringLiteral("回访")});
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Reminders, OperatorNameWithAQuoteFindsItsOwnReminders)
{
    loginAs(QStringLiteral("O'Brien"), allRights());
    addBirthday(QStringLiteral("张三"), QStringLiteral("O'Brien"), QStringLiteral("1980-06-15 00:00:00"));
    ui::Form* alert = tick();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(listed(alert, "DataGrid1"), QStringList{QStringLiteral("张三")});
}

TEST_F(Reminders, TwentyNinthOfFebruaryOnlyInALeapYear)
{
    addBirthday(QStringLiteral("闰日"), QStringLiteral("system"), QStringLiteral("2000-02-29 00:00:00"));
    for (const QDate& day : {QDate(2027, 2, 28), QDate(2027, 3, 1)}) {
        setClock(QDateTime(day, QTime(9, 0)));
        EXPECT_EQ(tick(), nullptr) << day.toString().toStdString();
    }
    setClock(QDateTime(QDate(2028, 2, 29), QTime(9, 0)));
    ui::Form* alert = tick();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(listed(alert, "DataGrid1"), QStringList{QStringLiteral("闰日")});
}

TEST_F(Reminders, DoubleClickOpensTheContactAnEmptyListNothing)
{
    const int contact = addBirthday(QStringLiteral("张三"), QStringLiteral("system"), QStringLiteral("1980-06-15 00:00:00"));
    ui::Form* alert = tick();
    ASSERT_NE(alert, nullptr);
    Mymode::CurrentRecordId = 77;
    alert->control<ui::DataGrid>(QStringLiteral("DataGrid2"))->doubleClickRow(0);
    EXPECT_EQ(Mymode::CurrentRecordId, 0);
    EXPECT_FALSE(isOpen(QStringLiteral("ActionDetal")));

    alert->control<ui::DataGrid>(QStringLiteral("DataGrid1"))->doubleClickRow(0);
    EXPECT_EQ(Mymode::CurrentRecordId, contact);
    ui::Form* editor = ui::Windows::loaded(QStringLiteral("frmContectDet"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(text(editor, QStringLiteral("LXR")), QStringLiteral("张三"));
    EXPECT_TRUE(isOpen(QStringLiteral("sysalert")));
}

TEST_F(Reminders, NoMoreRemindersStopsTheTimerAndWritesNothing)
{
    addBirthday(QStringLiteral("张三"), QStringLiteral("system"), QStringLiteral("1980-06-15 00:00:00"));
    ui::Form* alert = tick();
    ASSERT_NE(alert, nullptr);
    ASSERT_TRUE(timer()->isEnabled());
    alert->control<ui::CommandButton>(QStringLiteral("command2"))->click();
    EXPECT_FALSE(isOpen(QStringLiteral("sysalert")));
    EXPECT_FALSE(timer()->isEnabled());
    EXPECT_EQ(scalar(QStringLiteral("select alert from KH_LXR")), QStringLiteral("1"));
    EXPECT_EQ(scalar(QStringLiteral("select Sys_alert from DriveInfo")), QStringLiteral("1"));
    EXPECT_TRUE(messages.shown().empty());
}

class ReminderSettings : public Reminders {
protected:
    ui::Form* openSettings() { return ui::Windows::open(QStringLiteral("systx")); }
    void save(ui::Form* settings, bool on, const QString& interval)
    {
        settings->control<ui::CheckBox>(QStringLiteral("Sys_alert"))->setValue(on ? 1 : 0);
        type(settings, QStringLiteral("alertpl"), interval);
        click(settings, QStringLiteral("command1"));
    }
    QString stored(const char* column)
    {
        return scalar(QStringLiteral("select %1 from DriveInfo").arg(QString::fromLatin1(column)));
    }
};

TEST_F(ReminderSettings, SaveStoresTheSettingsAndSwitchesTheTimer)
{
    exec(QStringLiteral("update DriveInfo set alertpl='3'"));
    ui::Form* settings = openSettings();
    EXPECT_EQ(settings->control<ui::CheckBox>(QStringLiteral("Sys_alert"))->value(), 1);
    EXPECT_EQ(text(settings, QStringLiteral("alertpl")), QStringLiteral("3"));

    save(settings, true, QStringLiteral("0.5"));
    expectOnly(QStringLiteral("设置已生效"));
    EXPECT_FALSE(isOpen(QStringLiteral("systx")));
    EXPECT_EQ(stored("Sys_alert"), QStringLiteral("1"));
    EXPECT_EQ(stored("alertpl"), QStringLiteral("0.5"));
    EXPECT_TRUE(timer()->isEnabled());
    EXPECT_EQ(timer()->interval(), 30000);

    // Half a millisecond rounds to the even neighbour.
    save(openSettings(), true, QStringLiteral(" 0.025025 "));
    expectOnly(QStringLiteral("设置已生效"));
    EXPECT_EQ(timer()->interval(), 1502);
    EXPECT_EQ(stored("alertpl"), QStringLiteral(" 0.025025 "));

    save(openSettings(), false, QStringLiteral("7"));
    expectOnly(QStringLiteral("设置已生效"));
    EXPECT_EQ(stored("Sys_alert"), QStringLiteral("0"));
    EXPECT_EQ(stored("alertpl"), QStringLiteral("7"));
    EXPECT_FALSE(timer()->isEnabled());
    EXPECT_EQ(timer()->interval(), 1502);

    settings = openSettings();
    EXPECT_EQ(settings->control<ui::CheckBox>(QStringLiteral("Sys_alert"))->value(), 0);
    // More minutes than the timer's count holds: switched on with the interval it had.
    save(settings, true, QStringLiteral("40000"));
    expectOnly(QStringLiteral("设置已生效"));
    EXPECT_TRUE(timer()->isEnabled());
    EXPECT_EQ(timer()->interval(), 1502);
    EXPECT_EQ(stored("alertpl"), QStringLiteral("40000"));
}

TEST_F(ReminderSettings, RefusedOrFailedSaveChangesNothing)
{
    ui::Form* settings = openSettings();
    save(settings, false, QStringLiteral("五"));
    expectOnly(QStringLiteral("提醒时间间隔不是一个数值"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("systx")), settings);
    EXPECT_EQ(stored("Sys_alert"), QStringLiteral("1"));
    EXPECT_EQ(stored("alertpl"), QStringLiteral("1"));
    EXPECT_TRUE(timer()->isEnabled());

    // A number longer than its column holds cannot be stored: the timer stays as it was.
    save(settings, false, QString(60, QLatin1Char('1')));
    expectOnly(QStringLiteral("设置保存失败，提醒设置没有改变"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("systx")), settings);
    EXPECT_EQ(stored("Sys_alert"), QStringLiteral("1"));
    EXPECT_TRUE(timer()->isEnabled());
    EXPECT_EQ(timer()->interval(), 60000);
}

// An interval of no time or less, or under a second, would switch the
// reminders off or fire them without a pause: it is refused, ticked or not,
// and the input stays for correcting.
TEST_F(ReminderSettings, IntervalThatIsNotPositiveOrUnderASecondIsRefused)
{
    ui::Form* settings = openSettings();
    for (const char* interval : {"0", "-1", "-0.5", "0.00001", "0.0166", "-40000"}) {
        for (bool on : {true, false}) {
            save(settings, on, QString::fromLatin1(interval));
            expectOnly(QStringLiteral("提醒时间间隔必须大于0，且不能短于1秒（0.0167分钟）"));
            EXPECT_EQ(ui::Windows::loaded(QStringLiteral("systx")), settings);
            EXPECT_EQ(text(settings, QStringLiteral("alertpl")), QString::fromLatin1(interval));
            EXPECT_EQ(stored("Sys_alert"), QStringLiteral("1"));
            EXPECT_EQ(stored("alertpl"), QStringLiteral("1"));
            EXPECT_TRUE(timer()->isEnabled());
            EXPECT_EQ(timer()->interval(), 60000);
        }
    }
    // One second exactly is the shortest interval taken.
    save(settings, true, QStringLiteral("0.01666666666666667"));
    expectOnly(QStringLiteral("设置已生效"));
    EXPECT_EQ(timer()->interval(), 1000);
}

TEST_F(ReminderSettings, WithoutTheMainWindowTheSaveStillStores)
{
    ui::Windows::unload(mainWindow);
    save(openSettings(), true, QStringLiteral("2"));
    expectOnly(QStringLiteral("设置已生效"));
    EXPECT_EQ(stored("alertpl"), QStringLiteral("2"));
}

} // namespace
