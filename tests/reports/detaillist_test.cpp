// The sales detail list after its query, as the operator scrolls it while
// other workstations change or hold the file: each row shows what the query
// found, and the query waits for a held file once.
#include "salesfixture.h"

#include "common/mymode.h"
#include "common/readfailure.h"
#include "platform/ui/listview.h"
#include "platform/ui/windows.h"
#include "tests/support/busyfile.h"
#include "tests/support/desktopprobe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

namespace {

class DetailList : public SalesData {
protected:
    void SetUp() override
    {
        SalesData::SetUp();
        form_ = ui::Windows::open("repSalMx");
        form_->show();
        list_ = form_->control<ui::ListView>("ListView1");
    }

    // The rows a query finds in two orders of today, 450 lines: more rows
    // than a screen and than the pages a list would keep read at a time.
    std::vector<QStringList> queried()
    {
        for (const char* table : {"SalesMX", "sales", "company"}) exec(QStringLiteral("delete from ") + table);
        const int a = addCustomer("甲公司"), b = addCustomer("乙公司");
        addOrder(a, "ka", "2009-6-15 9:00:00", "1");
        addOrder(b, "kb", "2009-6-15 8:00:00", "1");
        exec(QStringLiteral("insert into SalesMX (companyid, indexflag, salesdate, productname, price, num, zk, unitprice) "
                            "select case when i < 225 then %1 else %2 end, case when i < 225 then 'ka' else 'kb' end, "
                            "case when i < 225 then #2009-6-15 9:00:00# else #2009-6-15 8:00:00# end, "
                            "'品' || (i % 7), i + 0.5, 2, 100, 2 * i + 1 "
                            "from (with recursive n(i) as (select 0 union all select i + 1 from n where i < 449) select i from n)")
                 .arg(a).arg(b));
        query();
        return rows();
    }

    void query()
    {
        clickWithMouse(form_->control<QWidget>("command3"));
        QCoreApplication::processEvents();
    }
    // The operator pages down to the end of the list and back home, each
    // screen drawn: it shows the rows found, without a word.
    void expectScrolledThroughShows(const std::vector<QStringList>& found)
    {
        list_->setFocus();
        for (int screen = 0; screen * 10 < list_->itemCount(); ++screen) {
            QTest::keyClick(list_, Qt::Key_PageDown);
            list_->viewport()->grab();
        }
        QTest::keyClick(list_, Qt::Key_Home);
        list_->viewport()->grab();
        EXPECT_EQ(rows(), found);
        EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
    }
    std::vector<QStringList> rows()
    {
        std::vector<QStringList> all;
        for (int row = 0; row < list_->itemCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < list_->columnCount(); ++column) cells << list_->text(row, column);
            all.push_back(cells);
        }
        return all;
    }
    // Another workstation's change, committed.
    static void change(const QStringList& statements)
    {
        db::Connection other;
        other.open(Mymode::ConnectString);
        for (const QString& sql : statements) other.execute(sql);
    }

    ui::Form* form_ = nullptr;
    ui::ListView* list_ = nullptr;
};

// Whatever another workstation changes after the query, the rows, scrolled
// through and drawn, are those the query found, and the total row still
// adds them up; the next query shows the change.
TEST_F(DetailList, RowsShowWhatTheQueryFound)
{
    const struct {
        const char* what;
        QStringList statements;
    } cases[] = {
        {"a line edited", {"update SalesMX set price = 99, num = 7, unitprice = 693 where id = 300"}},
        {"an order's number changed", {"update sales set orderno = 'SH-new' where indexflag = 'kb'"}},
        {"an order deleted", {"delete from SalesMX where indexflag = 'kb'", "delete from sales where indexflag = 'kb'"}},
        {"a customer renamed", {"update company set company_name = '丙公司' where company_name = '乙公司'"}},
        {"an order's lines saved anew",
         {"insert into SalesMX (companyid, indexflag, salesdate, productname, price, num, zk, unitprice) "
          "select companyid, indexflag, salesdate, '新品', 1, 1, 100, 1 from SalesMX where id = 1",
          "delete from SalesMX where indexflag = 'ka' and productname <> '新品'"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<QStringList> found = queried();
        ASSERT_EQ(found.size(), 451u);
        EXPECT_EQ(found.back(), (QStringList{"451", "", "", "", "", "  总计:", "900", "202500"}));
        EXPECT_EQ(found[300], (QStringList{"301", "2009-6-15 8:00:00", "SH-kb", "乙公司", "品3", "374.5", "2", "749"}));

        change(c.statements);
        expectScrolledThroughShows(found);

        query();
        EXPECT_NE(rows(), found);
    }
}

// While a colleague holds the file, the list scrolled through and drawn
// shows every row the query found without a word or a wait; a query waits
// for the file once: it reads beside a colleague's save under way, and says
// the file is busy, keeping the rows, beside a save that commits.
TEST_F(DetailList, AHeldFileNeitherBlanksNorHoldsUpTheList)
{
    constexpr int kWaitMs = 400;
    const struct {
        OtherWorkstationWriting::Hold hold;
        const char* message;   // of the query during the hold
    } cases[] = {{OtherWorkstationWriting::Hold::Write, ""},
                 {OtherWorkstationWriting::Hold::Exclusive, readfailure::kBusyText}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const std::vector<QStringList> found = queried();
        ASSERT_EQ(found.size(), 451u);

        OtherWorkstationWriting hold(c.hold);
        db::setBusyWaitForTests(kWaitMs);
        expectScrolledThroughShows(found);

        QElapsedTimer waited;
        waited.start();
        query();
        EXPECT_LT(waited.elapsed(), 2 * kWaitMs) << "one wait for the file, not two";
        if (*c.message) expectOnly(c.message);
        expectScrolledThroughShows(found);
    }
}

} // namespace
