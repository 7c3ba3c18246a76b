// The day's call list: the day's bounds, navigation across a year's end, the
// "00." numbering and its text sort, customers and "陌生电话", the recordings
// column by right, the locale picture with its year widened, the clicks, and
// the day's export read back from the workbook.
#include "callerid_fixture.h"

#include "tests/support/xlsread.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace {

// Catches what the export asks the desktop to open.
class OpenedFiles : public QObject {
    Q_OBJECT
public:
    OpenedFiles() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~OpenedFiles() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toLocalFile(); }
};

class DayList : public CallerIdTest {
protected:
    QDateTime at(int month, int day, int hour, int minute = 0, int second = 0)
    {
        return QDateTime(QDate(2026, month, day), QTime(hour, minute, second));
    }
    QString day() const { return ctl<ui::TextBox>("hvDay")->text(); }
    QString shownCount() const { return ctl<ui::TextBox>("ldian")->text(); }
    void click(const char* picture)
    {
        ctl<ui::PictureButton>(picture)->click();
        settle();
    }
};

TEST_F(DayList, DayBoundsNewestFirstAndNavigation)
{
    addCall(at(3, 9, 23, 59, 59), QStringLiteral("11111111"));
    addCall(at(3, 10, 0), QStringLiteral("22222222"));
    addCall(at(3, 10, 23, 59, 59), QStringLiteral("33333333"));
    addCall(at(3, 11, 0), QStringLiteral("44444444"));
    loadMonitor();
    EXPECT_EQ(list()->columnTexts(1), (QStringList{"33333333", "22222222"}));
    EXPECT_EQ(list()->text(0, 0), QStringLiteral("01."));
    EXPECT_EQ(list()->text(0, 2), QStringLiteral("2026/03/10 23:59:59"));
    EXPECT_EQ(shownCount(), QStringLiteral("2"));
    click("image16");
    EXPECT_EQ(day(), QStringLiteral("2026-3-11"));
    EXPECT_EQ(list()->columnTexts(1), (QStringList{"44444444"}));
    click("image16");
    EXPECT_EQ(list()->itemCount(), 0);
    EXPECT_EQ(shownCount(), QStringLiteral("0"));
    click("image12");
    EXPECT_EQ(day(), QStringLiteral("2026-3-10"));

    setNow(QDate(2026, 1, 1), QTime(8, 0));
    click("image12");
    click("image14");
    EXPECT_EQ(day(), QStringLiteral("2025-12-31"));
}

TEST_F(DayList, NumberingPastNinetyNineSortsAsText)
{
    for (int i = 0; i < 100; ++i) addCall(at(3, 10, 8, i / 60, i % 60), QStringLiteral("8%1").arg(1000000 + i));
    loadMonitor();
    ASSERT_EQ(list()->itemCount(), 100);
    EXPECT_EQ(list()->text(99, 0), QStringLiteral("100."));
    monitor()->ListView3_ColumnClick(1);
    EXPECT_EQ(list()->text(0, 0), QStringLiteral("99."));
    EXPECT_EQ(list()->sortOrder(), ui::ListView::Descending);
    monitor()->ListView3_ColumnClick(2);
    EXPECT_EQ(list()->sortKey(), 1);
    EXPECT_EQ(list()->sortOrder(), ui::ListView::Ascending);
    monitor()->ListView3_ColumnClick(1);
    monitor()->ListView3_ColumnClick(1);
    const QStringList numbers = list()->columnTexts(0);
    EXPECT_EQ(numbers.indexOf(QStringLiteral("100.")) + 1, numbers.indexOf(QStringLiteral("11.")));
    // A day loaded while sorted comes in sorted.
    click("image12");
    EXPECT_EQ(list()->text(0, 0), QStringLiteral("01."));
    EXPECT_EQ(list()->text(1, 0), QStringLiteral("02."));
}

TEST_F(DayList, CustomersStrangersAndTheRecordingsColumn)
{
    const int first = addCustomer(QStringLiteral("老主顾"), QStringLiteral("0755-81234567"));
    addCustomer(QStringLiteral("新主顾"), QStringLiteral("81234567"));
    addCall(at(3, 10, 9), QStringLiteral("81234567"));
    addCall(at(3, 10, 10), QStringLiteral("123456X"));
    exec(QStringLiteral("update Hv_Cidlist set WavFile='a.wav' where CallerID='81234567'"));
    loadMonitor();
    EXPECT_EQ(list()->text(1, 3), QStringLiteral("新主顾"));   // the whole number beats the longer one
    EXPECT_EQ(list()->text(0, 3), QStringLiteral("陌生电话"));
    EXPECT_EQ(list()->text(1, 6), QStringLiteral("system"));
    EXPECT_EQ(list()->text(1, 7), QStringLiteral("a.wav"));
    ui::Windows::unload(monitor());
    exec(QStringLiteral("delete from company where id<>%1").arg(first));

    loginAs(QStringLiteral("clerk"), allRights().replace(QStringLiteral("b_work=1;"), QString()));
    loadMonitor();
    EXPECT_EQ(list()->columnCount(), 7);
    EXPECT_EQ(list()->text(1, 3), QStringLiteral("老主顾"));
    EXPECT_EQ(list()->text(1, 7), QString());
}

TEST_F(DayList, LocalePictureWithItsYearWidened)
{
    QString text = QStringLiteral("YY-yy-y");
    dSrormat::ReplaceAll(text, QStringLiteral("yy"), QStringLiteral("yyyy"));
    EXPECT_EQ(text, QStringLiteral("yyyy-yyyy-y"));
    const QDate tenth(2026, 3, 10);
    dSrormat::setShortDatePictureForTests(QStringLiteral("yy/MM/dd"));
    EXPECT_EQ(dSrormat::FormatShortDate(tenth, false), QStringLiteral("26/03/10"));
    EXPECT_EQ(dSrormat::FormatShortDate(tenth, true), QStringLiteral("2026/03/10"));
    dSrormat::setShortDatePictureForTests(QStringLiteral("d.M.y"));
    EXPECT_EQ(dSrormat::FormatShortDate(tenth, true), QStringLiteral("10.3.2026"));

    addCall(at(3, 9, 12), QStringLiteral("81234567"));
    loadMonitor();
    EXPECT_EQ(day(), QStringLiteral("10.3.2026"));
    click("image14");
    EXPECT_EQ(day(), QStringLiteral("9.3.2026"));
    EXPECT_EQ(list()->itemCount(), 1);
}

TEST_F(DayList, ClickKeepsTheCallsTime)
{
    addCall(at(3, 10, 9), QStringLiteral("81234567"));
    addCall(at(3, 10, 9), QStringLiteral("81234568"));
    loadMonitor();
    list()->clickItem(1);
    EXPECT_EQ(monitor()->Openitem(), QStringLiteral("2026/03/10 09:00:00"));
    EXPECT_EQ(monitor()->OpenitemId(), 0);   // pending only once double-clicked (the call-record window's tests)
    monitor()->clearOpenitem();
    EXPECT_EQ(monitor()->Openitem(), QString());
    EXPECT_EQ(monitor()->OpenitemId(), 0);
}

TEST_F(DayList, ExportWritesTheShownDayOnly)
{
    addCall(at(3, 9, 23, 59, 59), QStringLiteral("11111111"));
    addCall(at(3, 10, 0), QStringLiteral("22222222"), QStringLiteral("王"));
    addCall(at(3, 11, 0), QStringLiteral("44444444"));
    loadMonitor();
    OpenedFiles desktop;
    ctl<ui::PictureButton>("command2")->click();
    const QString workbook = path(QStringLiteral("Export2excel.xls"));
    ASSERT_EQ(desktop.opened, QStringList{workbook});
    XlsRead sheet(workbook);
    ASSERT_EQ(sheet.status(), FREEXL_OK);
    EXPECT_EQ(sheet.sheetName(), QStringLiteral("来电记录"));
    const QStringList headings{"来电时间", "来电号码", "来电区域", "联系人", "话务员", "来电内容", "录音文件"};
    for (int c = 0; c < headings.size(); ++c) EXPECT_EQ(sheet.text(0, c), headings[c]);
    ASSERT_EQ(sheet.rows(), 2u);
    EXPECT_EQ(sheet.text(1, 1), QStringLiteral("22222222"));
    EXPECT_EQ(sheet.text(1, 3), QStringLiteral("王"));
    messages.clear();

    // An old workbook that cannot be replaced: told so, nothing opens.
    QFile::remove(workbook);
    QDir().mkpath(workbook + QStringLiteral("/locked"));
    ctl<ui::PictureButton>("command2")->click();
    expectOnly(QStringLiteral("无法替换导出文件") + workbook + QStringLiteral(",请先关闭该文件再导出"), ui::Icon::Error,
               QStringLiteral("导出到Excel"));
    EXPECT_EQ(desktop.opened.size(), 1);
}

// No program opens the workbook: the operator is told where it was written.
TEST_F(DayList, ExportNotOpenedTellsWhereTheWorkbookIs)
{
    addCall(at(3, 10, 9), QStringLiteral("22222222"));
    loadMonitor();
    ctl<ui::PictureButton>("command2")->click();
    const QString workbook = path(QStringLiteral("Export2excel.xls"));
    EXPECT_TRUE(QFile::exists(workbook));
    expectOnly(QStringLiteral("来电记录已导出到") + workbook + QStringLiteral(",但无法打开该文件"));
}

} // namespace

#include "daylist_test.moc"

// Every caller of the day finds the customer the call handling's order
// gives, a number that called twice and a number too short for the number
// index included; nothing found is "陌生电话".
TEST_F(DayList, EveryCallerFindsItsCustomerInOneReload)
{
    addCustomer(QStringLiteral("一号"), QStringLiteral("0755-81234567"));
    addCustomer(QStringLiteral("二号"), QStringLiteral("13800138000"));
    addCustomer(QStringLiteral("三号"), QStringLiteral("12"));
    addCall(at(3, 10, 9, 0), QStringLiteral("81234567"));
    addCall(at(3, 10, 9, 10), QStringLiteral("13800138000"));
    addCall(at(3, 10, 9, 20), QStringLiteral("138001"));
    addCall(at(3, 10, 9, 30), QStringLiteral("99999999"));
    addCall(at(3, 10, 9, 40), QStringLiteral("12"));
    addCall(at(3, 10, 9, 50), QStringLiteral("81234567"));
    loadMonitor();
    QStringList customers;
    for (int row = 0; row < list()->itemCount(); ++row) customers << list()->text(row, 1) + QLatin1Char('=') + list()->text(row, 3);
    EXPECT_EQ(customers, (QStringList{QStringLiteral("81234567=一号"), QStringLiteral("12=三号"),
                                      QStringLiteral("99999999=陌生电话"), QStringLiteral("138001=二号"),
                                      QStringLiteral("13800138000=二号"), QStringLiteral("81234567=一号")}));
    EXPECT_EQ(shownCount(), QStringLiteral("6"));
}
