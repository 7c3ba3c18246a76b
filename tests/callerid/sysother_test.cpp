// The caller-ID settings: what the boxes show, the two number checks, the
// five columns stored trimmed in one update, and a save that fails.
#include "callerid_fixture.h"

#include "tests/support/busyfile.h"

#include "common/mymode.h"

#include <QDir>
#include <QFile>

namespace {

class CallerIdSettings : public CallerIdTest {
protected:
    ui::Form* open() { return window_ = ui::Windows::open(QStringLiteral("sysOther")); }
    ui::TextBox* box(const char* name) { return window_->control<ui::TextBox>(QString::fromLatin1(name)); }
    ui::CheckBox* check(const char* name) { return window_->control<ui::CheckBox>(QString::fromLatin1(name)); }
    void save() { window_->control<ui::PictureButton>(QStringLiteral("command1"))->click(); }
    QString stored(const char* column) { return scalar(QStringLiteral("select %1 from DriveInfo").arg(QLatin1String(column))); }
    ui::Form* window_ = nullptr;
};

TEST_F(CallerIdSettings, ShowsTheRow)
{
    exec(QStringLiteral("update DriveInfo set OutLine='9', FlterChar='#', DelRecDay=null, RecordFlag='1', isPop='x'"));
    open();
    EXPECT_EQ(window_->caption(), QStringLiteral("其它设置"));
    EXPECT_EQ(box("text1")->text(), QStringLiteral("9"));
    EXPECT_EQ(box("text2")->text(), QStringLiteral("#"));
    EXPECT_EQ(box("Text3")->text(), QString());   // no age: every recording is kept
    EXPECT_EQ(check("Check1")->value(), 1);
    EXPECT_EQ(check("Check2")->value(), 0);
}

TEST_F(CallerIdSettings, ChecksThenStoresAllFiveTrimmed)
{
    open();
    box("text1")->setText(QStringLiteral("9a"));
    save();
    expectOnly(QStringLiteral("号码不是一个数值"));
    box("text1")->setText(QStringLiteral(" 9 "));
    box("Text3")->setText(QStringLiteral("thirty"));
    save();
    expectOnly(QStringLiteral("天数不是一个数值"));
    EXPECT_EQ(stored("OutLine"), QString());

    box("text2")->setText(QStringLiteral("  -  "));
    box("Text3")->setText(QStringLiteral(" 30 "));
    check("Check1")->setValue(1);
    check("Check2")->setValue(0);
    save();
    expectOnly(QStringLiteral("设置已生效"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("sysOther")), nullptr);
    EXPECT_EQ(stored("OutLine"), QStringLiteral("9"));
    EXPECT_EQ(stored("FlterChar"), QStringLiteral("-"));
    EXPECT_EQ(stored("DelRecDay"), QStringLiteral("30"));
    EXPECT_EQ(stored("RecordFlag"), QStringLiteral("1"));
    EXPECT_EQ(stored("isPop"), QStringLiteral("0"));

    // Empty boxes are accepted and stored empty.
    open();
    box("text1")->setText(QString());
    box("Text3")->setText(QString());
    save();
    expectOnly(QStringLiteral("设置已生效"));
    EXPECT_EQ(stored("OutLine"), QString());
    EXPECT_EQ(stored("DelRecDay"), QString());
    // Reopened it shows what is stored, and saving another setting keeps it.
    open();
    EXPECT_EQ(box("Text3")->text(), QString());
    check("Check2")->setValue(1);
    save();
    expectOnly(QStringLiteral("设置已生效"));
    EXPECT_EQ(stored("DelRecDay"), QString());
}

TEST_F(CallerIdSettings, FailedSaveStoresNothingAndKeepsTheWindow)
{
    open();
    box("text1")->setText(QStringLiteral("8"));
    box("text2")->setText(QString(300, QLatin1Char('z')));   // longer than its column holds
    save();
    expectOnly(QStringLiteral("设置保存失败"));
    EXPECT_NE(ui::Windows::loaded(QStringLiteral("sysOther")), nullptr);
    EXPECT_EQ(box("text1")->text(), QStringLiteral("8"));
    EXPECT_EQ(stored("OutLine"), QString());

    exec(QStringLiteral("delete from DriveInfo"));
    box("text2")->setText(QString());
    save();
    expectOnly(QStringLiteral("设置保存失败"));
}

// A workstation on the shared file shows and keeps the recording age in its
// own file, where the start's purge of its recordings reads it.
TEST_F(CallerIdSettings, AWorkstationKeepsTheRecordingAgeOfItsOwnRecordings)
{
    exec(QStringLiteral("update DriveInfo set DelRecDay='7'"));
    const QString shared = path(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkpath(shared) && QFile::copy(path(QStringLiteral("hvcrm/hvcrm.hvd")), shared + "/hvcrm.hvd"));
    Mymode::ConnectString = database::connectStringFor(shared);
    exec(QStringLiteral("update DriveInfo set DelRecDay='30'"));   // the shared file's row
    open();
    EXPECT_EQ(box("Text3")->text(), QStringLiteral("7"));
    box("Text3")->setText(QString());
    save();
    expectOnly(QStringLiteral("设置已生效"));
    EXPECT_EQ(database::queryLocal(QStringLiteral("select DelRecDay from DriveInfo"))->field(0).toText(), QString());
    EXPECT_EQ(stored("DelRecDay"), QStringLiteral("30"));
    Mymode::ConnectString = database::localConnectString();
}

// Settings that cannot be read now are said so: the window shows no value
// as if stored and cannot save over the stored ones; opened again once the
// file is free it shows them.
TEST_F(CallerIdSettings, AHeldFileShowsNoSettingsAndSavesNone)
{
    exec(QStringLiteral("update DriveInfo set OutLine='9', DelRecDay='7', RecordFlag='1', isPop='1'"));
    {
        OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
        open();
        expectOnly(QStringLiteral("另一台电脑正在使用数据文件，这次没能读出数据，请稍后再试"));
    }
    EXPECT_EQ(box("text1")->text(), QString());
    EXPECT_EQ(box("Text3")->text(), QString());
    EXPECT_EQ(check("Check1")->value(), 0);
    save();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(stored("DelRecDay"), QStringLiteral("7"));
    ui::Windows::unload(window_);
    QCoreApplication::processEvents();
    open();
    EXPECT_EQ(box("Text3")->text(), QStringLiteral("7"));
    EXPECT_EQ(check("Check1")->value(), 1);
}

} // namespace
