// Queueing a message from the compose window: the outbox row column by
// column, the three refusals, and a write that cannot be made.
#include "smsfixture.h"

#include "common/mymode.h"

#include <QDir>
#include <QFile>

namespace {

const QString kQueued = QStringLiteral("信息已发送到短讯列队！");
const QString kNotQueued = QStringLiteral("信息未能发送到短讯列队！");

class Outbox : public SmsTest {
protected:
    void SetUp() override
    {
        SmsTest::SetUp();
        db::locale::setClockForTests(QDateTime(QDate(2026, 3, 1), QTime(8, 0, 0)));
        open("SMSsend");
    }
    ui::TextArea* numbers() { return ctl<ui::TextArea>("text1"); }
    ui::TextArea* content() { return ctl<ui::TextArea>("text2"); }
    void scheduleAt(const QString& when)
    {
        ctl<ui::OptionButton>("Option2")->click();
        ctl<ui::TextBox>("Text3")->setText(when);
    }
    // Clicks the send picture and returns the one message it showed.
    QString send()
    {
        messages.clear();
        click("command1");
        EXPECT_EQ(messages.shown().size(), 1u);
        return messages.lastText();
    }
};

TEST_F(Outbox, ARowHoldsTheBoxesAsTheSenderReadsThem)
{
    numbers()->setText(QStringLiteral("  13800000001，13900000002  "));
    const QString message = QStringLiteral("  Dear O'Brien,\n你好 ");
    content()->setText(message);
    EXPECT_EQ(send(), kQueued);

    auto rows = outbox();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0]["MobilNO"], QStringLiteral("13800000001,13900000002"));
    EXPECT_EQ(rows[0]["Content"], message);
    EXPECT_EQ(rows[0]["LmtSend"], QStringLiteral("1"));
    EXPECT_EQ(rows[0]["SendTime"], QStringLiteral("<Null>"));
    EXPECT_EQ(rows[0]["RecState"], QStringLiteral("0"));
    EXPECT_EQ(rows[0]["SMSCZZ"], QStringLiteral("system"));
    EXPECT_EQ(rows[0]["RecTime"], QStringLiteral("2026-3-1"));
    // The boxes keep their text: the same message goes again as a new row.
    EXPECT_EQ(numbers()->text(), QStringLiteral("  13800000001，13900000002  "));
    EXPECT_EQ(content()->text(), message);
    EXPECT_EQ(send(), kQueued);
    EXPECT_EQ(outbox().size(), 2);
}

TEST_F(Outbox, TimedRowsCarryTheirSendTimeAndImmediateRowsNone)
{
    numbers()->setText(QStringLiteral("13800000001;13900000002;"));   // as select-all leaves it
    content()->setText(QStringLiteral("x"));
    scheduleAt(QStringLiteral("2026-3-5 9:07:03"));
    EXPECT_EQ(send(), kQueued);
    scheduleAt(QStringLiteral("2020-1-2 3:04"));   // a past time is accepted
    EXPECT_EQ(send(), kQueued);
    scheduleAt(QStringLiteral("21:30"));            // a time alone is today's
    EXPECT_EQ(send(), kQueued);
    scheduleAt(QStringLiteral(" 7:05:09 "));
    EXPECT_EQ(send(), kQueued);
    scheduleAt(QStringLiteral("2026-3-6"));         // a date alone is its midnight
    EXPECT_EQ(send(), kQueued);
    ctl<ui::TextBox>("Text3")->setText(QStringLiteral("not a date"));
    ctl<ui::OptionButton>("Option1")->click();      // the schedule box is not looked at
    EXPECT_EQ(send(), kQueued);

    auto rows = outbox();
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[2]["SendTime"], QStringLiteral("20260301213000"));
    EXPECT_EQ(rows[3]["SendTime"], QStringLiteral("20260301070509"));
    EXPECT_EQ(rows[4]["SendTime"], QStringLiteral("20260306000000"));
    rows.remove(2, 3);
    EXPECT_EQ(rows[0]["MobilNO"], QStringLiteral("13800000001;13900000002;"));
    EXPECT_EQ(rows[0]["LmtSend"], QStringLiteral("0"));
    EXPECT_EQ(rows[0]["SendTime"], QStringLiteral("20260305090703"));
    EXPECT_EQ(rows[1]["SendTime"], QStringLiteral("20200102030400"));
    EXPECT_EQ(rows[2]["LmtSend"], QStringLiteral("1"));
    EXPECT_EQ(rows[2]["SendTime"], QStringLiteral("<Null>"));
}

TEST_F(Outbox, RefusalsNameTheEntryAndStoreNothing)
{
    content()->setText(QStringLiteral("x"));
    numbers()->setText(QStringLiteral("   "));
    EXPECT_EQ(send(), QStringLiteral("发送手机号不能为空"));
    numbers()->setText(QStringLiteral("138"));
    content()->setText(QStringLiteral("    "));
    EXPECT_EQ(send(), QStringLiteral("发送内容不能为空"));
    content()->setText(QStringLiteral("x"));
    for (const QString& when : {QString(), QStringLiteral("abc"), QStringLiteral("2026-2-30 10:00"),
                                QStringLiteral("25:00"), QStringLiteral("21:61"), QStringLiteral("21")}) {
        scheduleAt(when);
        EXPECT_EQ(send(), QStringLiteral("定时发送时间非法")) << when.toStdString();
    }
    EXPECT_TRUE(outbox().isEmpty());

    // Only spaces count as blank: a line break alone passes and is stored as is.
    ctl<ui::OptionButton>("Option1")->click();
    numbers()->setText(QStringLiteral("\n"));
    content()->setText(QStringLiteral("\n"));
    EXPECT_EQ(send(), kQueued);
    ASSERT_EQ(outbox().size(), 1);
    EXPECT_EQ(outbox()[0]["MobilNO"], QStringLiteral("\n"));
    EXPECT_EQ(outbox()[0]["Content"], QStringLiteral("\n"));
}

TEST_F(Outbox, AWorkstationQueuesIntoTheSharedFolder)
{
    const QString shared = path(QStringLiteral("server"));
    ASSERT_TRUE(QDir().mkpath(shared));
    for (const char* file : {"hvcrm.hvd", "SMS.mdb"})
        ASSERT_TRUE(QFile::copy(path(QStringLiteral("hvcrm/") + QLatin1String(file)), shared + QLatin1Char('/') + QLatin1String(file)));
    Mymode::ConnectString = database::connectStringFor(shared);
    loginAs(QStringLiteral("amy"), allRights());

    numbers()->setText(QStringLiteral("138"));
    content()->setText(QStringLiteral("x"));
    EXPECT_EQ(send(), kQueued);
    EXPECT_TRUE(outbox().isEmpty());
    const auto rows = outbox(shared + QStringLiteral("/SMS.mdb"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0]["SMSCZZ"], QStringLiteral("amy"));
}

// A write that cannot be made is not confirmed; the boxes keep their text.
TEST_F(Outbox, AFailedWriteIsReportedAndLeavesNoRow)
{
    numbers()->setText(QStringLiteral("138"));
    content()->setText(QStringLiteral("x"));

    execSms(QStringLiteral("create trigger refuse before insert on sms begin select raise(abort, 'refused'); end"));
    EXPECT_EQ(send(), kNotQueued);
    execSms(QStringLiteral("drop trigger refuse"));

    execSms(QStringLiteral("alter table sms drop column RecState"));
    EXPECT_EQ(send(), kNotQueued);
    EXPECT_TRUE(outbox().isEmpty());

    ASSERT_TRUE(QFile::remove(path(QStringLiteral("hvcrm/SMS.mdb"))));
    EXPECT_EQ(send(), kNotQueued);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("hvcrm/SMS.mdb"))));
    EXPECT_EQ(numbers()->text(), QStringLiteral("138"));
    EXPECT_EQ(content()->text(), QStringLiteral("x"));
}

} // namespace
