// Today's list brought up to date after each call: every row as a reading of
// the whole day would show it (customers added or renamed since, a recording
// filed, a time corrected, a call deleted, a stranger's number typed into a customer, a number
// a customer no longer holds), many
// customers added at once, a call after midnight, and the day's button
// looking every number up again.
#include "callerid_fixture.h"

#include <QCoreApplication>

namespace {

class DayCallsAfterACall : public CallerIdTest {
protected:
    void SetUp() override
    {
        CallerIdTest::SetUp();
        settings(QString(), QStringLiteral("0"), QStringLiteral("0"));
    }
    // A call at the given minute past nine, today's list filled after its tick.
    void callAt(int minute, const QByteArray& number)
    {
        setNow(QDate(2026, 3, 10), QTime(9, minute));
        ring(0, number);
        tick();
        QCoreApplication::processEvents();
    }
    // "number=customer" of every row, top to bottom.
    QStringList rows() const
    {
        QStringList shown;
        for (int row = 0; row < list()->itemCount(); ++row)
            shown << list()->text(row, 1) + QLatin1Char('=') + list()->text(row, 3);
        return shown;
    }
};

TEST_F(DayCallsAfterACall, EveryRowShowsWhatTheStoredDayHoldsNow)
{
    addCustomer(QStringLiteral("一号"), QStringLiteral("0755-81234567"));
    addCall(QDateTime(QDate(2026, 3, 10), QTime(9, 0)), QStringLiteral("66666666"));
    loadMonitor();
    EXPECT_EQ(rows(), QStringList{QStringLiteral("66666666=陌生电话")});

    callAt(31, "81234567");
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("81234567=一号"), QStringLiteral("66666666=陌生电话")}));
    EXPECT_EQ(list()->columnTexts(0), (QStringList{QStringLiteral("01."), QStringLiteral("02.")}));
    EXPECT_EQ(list()->columnTexts(2), (QStringList{QStringLiteral("2026/03/10 09:31:00"), QStringLiteral("2026/03/10 09:00:00")}));

    // The stranger becomes a customer, the first call's recording is filed
    // and its time corrected: the next call, from someone else, shows all.
    addCustomer(QStringLiteral("新客"), QStringLiteral("66666666"));
    exec(QStringLiteral("update Hv_Cidlist set WavFile='a.wav', DateTime='2026-03-10 09:15:30' where CallerID='81234567'"));
    callAt(32, "13900000000");
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("13900000000=陌生电话"), QStringLiteral("81234567=一号"),
                                   QStringLiteral("66666666=新客")}));
    EXPECT_EQ(list()->text(1, 7), QStringLiteral("a.wav"));
    EXPECT_EQ(list()->text(1, 2), QStringLiteral("2026/03/10 09:15:30"));

    // A customer added later that holds a listed number whole beats the one
    // holding it inside a longer number.
    addCustomer(QStringLiteral("整号"), QStringLiteral("81234567"));
    exec(QStringLiteral("delete from Hv_Cidlist where CallerID='66666666'"));
    callAt(33, "13900000001");
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("13900000001=陌生电话"), QStringLiteral("13900000000=陌生电话"),
                                   QStringLiteral("81234567=整号")}));
    EXPECT_EQ(ctl<ui::TextBox>("ldian")->text(), QStringLiteral("3"));

    // Names are read with every listing: a renamed customer shows renamed
    // after a call from anyone.
    exec(QStringLiteral("update company set company_name='整号改' where company_name='整号'"));
    callAt(34, "13900000002");
    EXPECT_EQ(rows().mid(2), (QStringList{QStringLiteral("13900000000=陌生电话"), QStringLiteral("81234567=整号改")}));

    // A stranger's number typed into an existing customer, and a customer
    // that no longer holds a listed number: the next call, from someone
    // else, shows both.
    exec(QStringLiteral("update company set company_mobil='13900000001' where company_name='一号'"));
    exec(QStringLiteral("update company set company_tel='0' where company_name='整号改'"));
    callAt(35, "13900000003");
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("13900000003=陌生电话"), QStringLiteral("13900000002=陌生电话"),
                                   QStringLiteral("13900000001=一号"), QStringLiteral("13900000000=陌生电话"),
                                   QStringLiteral("81234567=一号")}));
}

// An import adds many customers at once: the known numbers are looked up
// again in all of them rather than ranked one customer at a time, and are
// found all the same.
TEST_F(DayCallsAfterACall, ManyCustomersAddedAtOnceAreFound)
{
    addCall(QDateTime(QDate(2026, 3, 10), QTime(9, 0)), QStringLiteral("66666666"));
    addCall(QDateTime(QDate(2026, 3, 10), QTime(9, 1)), QStringLiteral("77777777"));
    loadMonitor();
    exec(QStringLiteral("insert into company (company_name, company_tel, KH_CZZ) with recursive n(i) as "
                        "(select 1 union all select i + 1 from n where i < 200) "
                        "select '导入' || i, '0571-' || (10000000 + i), 'system' from n"));
    addCustomer(QStringLiteral("导入末"), QStringLiteral("66666666"));
    callAt(31, "13900000000");
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("13900000000=陌生电话"), QStringLiteral("77777777=陌生电话"),
                                   QStringLiteral("66666666=导入末")}));
}

// The first call after midnight lists the new day alone; the day's button
// looks every number up again, so a customer that no longer holds a listed
// number no longer shows for it.
TEST_F(DayCallsAfterACall, ANewDayAndTheDaysButtonReadEverythingAgain)
{
    addCustomer(QStringLiteral("一号"), QStringLiteral("81234567"));
    addCall(QDateTime(QDate(2026, 3, 10), QTime(23, 0)), QStringLiteral("81234567"));
    loadMonitor();
    setNow(QDate(2026, 3, 11), QTime(0, 0, 5));
    ring(0, "13900000000");
    tick();
    QCoreApplication::processEvents();
    EXPECT_EQ(ctl<ui::TextBox>("hvDay")->text(), QStringLiteral("2026-3-11"));
    EXPECT_EQ(rows(), QStringList{QStringLiteral("13900000000=陌生电话")});
    ctl<ui::PictureButton>("image14")->click();
    settle();
    EXPECT_EQ(rows(), QStringList{QStringLiteral("81234567=一号")});

    addCustomer(QStringLiteral("夜客"), QStringLiteral("13900000000"));
    ctl<ui::PictureButton>("image12")->click();
    settle();
    EXPECT_EQ(rows(), QStringList{QStringLiteral("13900000000=夜客")});
    exec(QStringLiteral("update company set company_tel='0' where company_name='夜客'"));
    ctl<ui::PictureButton>("image12")->click();
    settle();
    EXPECT_EQ(rows(), QStringList{QStringLiteral("13900000000=陌生电话")});
}

} // namespace
