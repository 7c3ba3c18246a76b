// Start-up and shutdown of the main window: rights-based disabling, the
// settings row (SMS sender, reminder timer), status texts, the reminder
// tick, and closing the other windows newest first.
#include "mainwin_fixture.h"
#include "tests/support/busyfile.h"

#include "common/mainlists.h"
#include "platform/db/locale.h"
#include "platform/ui/desktop.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QThread>

class MainStartup : public MainWindowTest {
protected:
    // A sender program that leaves the file "started" when it runs.
    void placeSender()
    {
        QFile sender(path(QStringLiteral("Hvsms.exe")));
        ASSERT_TRUE(sender.open(QIODevice::WriteOnly));
        sender.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(path(QStringLiteral("started"))).toUtf8());
        sender.close();
        sender.setPermissions(sender.permissions() | QFileDevice::ExeOwner);
    }
    bool senderStarted()
    {
        for (int i = 0; i < 100 && !QFile::exists(path(QStringLiteral("started"))); ++i) QThread::msleep(20);
        return QFile::exists(path(QStringLiteral("started")));
    }
};

TEST_F(MainStartup, WithheldRightsDisableTheirCommands)
{
    const struct {
        const char* right;
        QStringList disabled;
        QStringList enabled;
    } cases[] = {
        {"per=1;", {"Image15", "Label12", "Image17", "Label11", "Image7", "Label13"}, {"Image5", "image16", "image14", "Image13", "cmDelete"}},
        {"d_cust=1;", {"image16", "Label9"}, {"cmDelete", "Image15", "Image7"}},
    };
    for (const auto& c : cases) {
        QString rights = allRights();
        rights.replace(QString::fromLatin1(c.right), QString::fromLatin1(c.right).replace('1', '0'));
        loginAs(QStringLiteral("system"), rights);
        openMain();
        const auto isEnabled = [&](const QString& name) {
            if (auto* label = main_->findChild<ui::Label*>(name)) return label->isEnabled();
            return main_->control<QWidget>(name)->isEnabled();
        };
        for (const QString& name : c.disabled) EXPECT_FALSE(isEnabled(name)) << c.right << name.toStdString();
        for (const QString& name : c.enabled) EXPECT_TRUE(isEnabled(name)) << c.right << name.toStdString();
        ui::Windows::unloadAll();
    }
}

// On with Sys_alert 1 and a one-minute interval whatever alertpl holds; off otherwise.
TEST_F(MainStartup, ReminderTimerFollowsTheSettingsRow)
{
    exec(QStringLiteral("update DriveInfo set Sys_alert='1', alertpl='5'"));
    openMain();
    EXPECT_TRUE(ctl<ui::Timer>("Timer1")->isEnabled());
    EXPECT_EQ(ctl<ui::Timer>("Timer1")->interval(), 60000);
    ui::Windows::unloadAll();
    exec(QStringLiteral("update DriveInfo set Sys_alert='0'"));
    openMain();
    EXPECT_FALSE(ctl<ui::Timer>("Timer1")->isEnabled());
}

TEST_F(MainStartup, ReminderTickOpensTheReminderWindowOnlyWhenSomethingIsDue)
{
    ensureWindow(QStringLiteral("sysalert"));
    const int customer = addCustomer(QStringLiteral("c"));
    openMain();
    const QDate today = db::locale::now().date();
    insert(QStringLiteral("KH_LXR"), QStringLiteral("companyid,birthday,alert,LXR_CZZ"),
           QStringLiteral("%1,'1980-%2 00:00:00','0','system'").arg(customer).arg(today.toString(QStringLiteral("MM-dd"))));
    ctl<ui::Timer>("Timer1")->fire();
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("sysalert")), nullptr);
    exec(QStringLiteral("update KH_LXR set alert='1'"));
    ctl<ui::Timer>("Timer1")->fire();
    EXPECT_NE(ui::Windows::loaded(QStringLiteral("sysalert")), nullptr);

    ui::Windows::unload(QStringLiteral("sysalert"));
    exec(QStringLiteral("update KH_LXR set alert='0'"));
    insert(QStringLiteral("KH_ACT"), QStringLiteral("companyid,alert,alerttime,Action_CZZ"),
           QStringLiteral("%1,'1','2000-01-01 08:00:00','other'").arg(customer));
    ctl<ui::Timer>("Timer1")->fire();
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("sysalert")), nullptr) << "another operator's reminder";
    exec(QStringLiteral("update KH_ACT set Action_CZZ='system'"));
    ctl<ui::Timer>("Timer1")->fire();
    EXPECT_NE(ui::Windows::loaded(QStringLiteral("sysalert")), nullptr);
}

TEST_F(MainStartup, StartsTheSmsSenderWhenAskedAndMissesItSilently)
{
    exec(QStringLiteral("update DriveInfo set StarSMS='1'"));
    openMain();   // no sender program in the folder
    EXPECT_TRUE(messages.shown().empty());
    ui::Windows::unloadAll();

    placeSender();
    openMain();
    EXPECT_TRUE(senderStarted());
}

// Started while another workstation holds the file: the settings row is read
// again, quietly, until the file answers; then the sender starts and the
// reminder timer runs as at any start.
TEST_F(MainStartup, ASettingsRowHeldAtTheStartIsReadOnceTheFileAnswers)
{
    exec(QStringLiteral("update DriveInfo set StarSMS='1', Sys_alert='1'"));
    placeSender();
    {
        OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
        openMain();
        QCoreApplication::processEvents();
        messages.clear();   // the tree's and the list's own
        for (int retry = 0; retry < 2; ++retry) {
            ctl<ui::Timer>("SettingsTimer")->fire();
            QCoreApplication::processEvents();
        }
        EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
        EXPECT_EQ(ctl<ui::Timer>("Timer1")->interval(), 0);
        EXPECT_TRUE(ctl<ui::Timer>("SettingsTimer")->isEnabled());
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("started"))));
    ctl<ui::Timer>("SettingsTimer")->fire();
    EXPECT_TRUE(ctl<ui::Timer>("Timer1")->isEnabled());
    EXPECT_EQ(ctl<ui::Timer>("Timer1")->interval(), 60000);
    EXPECT_FALSE(ctl<ui::Timer>("SettingsTimer")->isEnabled());
    EXPECT_TRUE(senderStarted());
}

TEST_F(MainStartup, StatusStripTexts)
{
    for (const char* mode : {"3", "1"}) {
        exec(QStringLiteral("update DriveInfo set WorkModel='%1'").arg(QString::fromLatin1(mode)));
        openMain();
        QCoreApplication::processEvents();
        EXPECT_EQ(ctl<ui::Label>("Label4")->caption(), QStringLiteral("当前日期：") + db::locale::shortDate(db::locale::now().date()));
        EXPECT_EQ(ctl<ui::Label>("Label7")->caption(), "话机状态：空闲");
        EXPECT_EQ(ctl<ui::Label>("Label6")->caption(), "操作员：system");
        EXPECT_EQ(ctl<ui::Label>("Label16")->caption(),
                  QString::fromLatin1(mode) == QLatin1String("3") ? "工作模式：单机运行" : "工作模式：联机运行");
        ui::Windows::unloadAll();
    }
}

TEST_F(MainStartup, OtherWindowsReachTheListProcedures)
{
    openMain();
    EXPECT_NE(ui::Windows::loaded<MainLists>(QStringLiteral("frmMain")), nullptr);
}

// Every other window closes, newest first; then the rectangle is kept,
// unless the window is minimised.
TEST_F(MainStartup, ShutdownClosesOtherWindowsNewestFirstAndKeepsTheRectangle)
{
    QSettings store(ui::programTitle(), ui::programTitle());
    store.clear();
    for (const char* kind : {"ProbeOne", "ProbeTwo", "ProbeThree"}) ensureWindow(QString::fromLatin1(kind));
    openMain();
    ui::Windows::open(QStringLiteral("ProbeOne"));
    ui::Windows::open(QStringLiteral("ProbeTwo"));
    ui::Windows::open(QStringLiteral("ProbeThree"));
    const double width = main_->widthTwips();
    ui::Windows::unload(main_);
    EXPECT_EQ(ProbeWindow::unloadLog, (QStringList{"ProbeThree", "ProbeTwo", "ProbeOne"}));
    EXPECT_TRUE(ui::Windows::all().empty());
    store.sync();
    EXPECT_EQ(store.value(QStringLiteral("Settings/MainWidth")).toString(), QString::number(width));
    EXPECT_TRUE(store.contains(QStringLiteral("Settings/MainLeft")));

    // Minimised, it keeps no rectangle of its own (the call monitor, closed
    // on the way, may have stored its own under the same keys).
    store.clear();
    openMain();
    const QString mainWidth = QString::number(main_->widthTwips());
    main_->showMinimized();
    ui::Windows::unload(main_);
    store.sync();
    EXPECT_NE(store.value(QStringLiteral("Settings/MainWidth")).toString(), mainWidth);
}
