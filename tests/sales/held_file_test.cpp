// The sales windows while another workstation holds the data file: the new
// order waits once and says why its number is missing, a read that fails says
// why and leaves what was shown, a slip that cannot be read is not printed,
// a refused delete says nothing of kept input; once the file is free the same
// action passes.
#include "tests/sales/supplierfixture.h"
#include "tests/support/busyfile.h"

#include "common/mymode.h"
#include "common/readfailure.h"
#include "platform/db/locale.h"
#include "platform/print/printservice.h"
#include "platform/ui/windows.h"
#include "sales/frmgys.h"
#include "sales/salesdetail.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace {

using Hold = OtherWorkstationWriting::Hold;

const QString kBusyRead = QString::fromUtf8(readfailure::kBusyText);

class HeldFile : public SupplierTest {
protected:
    void SetUp() override
    {
        SupplierTest::SetUp();
        db::locale::setClockForTests(QDateTime(QDate(2026, 1, 5), QTime(9, 3, 7)));
        exec(QStringLiteral("update JSQ set Today='2026-1-4', LSH=7, PrintOpt='宽行打印'"));
        customer = addCustomer(QStringLiteral("海维"));
        addProduct(QStringLiteral("Widget"), QStringLiteral("A10"));
    }
    void TearDown() override
    {
        SupplierTest::TearDown();
        db::locale::setClockForTests(std::nullopt);
    }
    static ui::DataGrid* grid(ui::Form* window) { return window->control<ui::DataGrid>(QStringLiteral("DataGrid1")); }
    static QString caption(ui::Form* window, const char* label)
    {
        return window->control<ui::Label>(QLatin1String(label))->caption();
    }
    // The next action waits for the file again.
    static void backToTheEventLoop() { QCoreApplication::processEvents(); }

    int customer = 0;
};

// Another workstation writing (reads go on) or holding the file whole: the
// window opens at once or after one wait, with the day's number or with a
// word why it has none; its save is refused after one wait and, once the
// file is free, takes the day's first number and keeps the stored print option.
TEST_F(HeldFile, ANewOrderSaysWhyItHasNoNumberAndItsSaveWaitsOnce)
{
    constexpr int kWaitMs = 1000;
    const struct {
        Hold hold;
        qint64 openingMs;   // the longest the opening may take
        const char* number;
        const char* message;
        std::size_t slips;  // printed by the save once the file is free
    } cases[] = {
        {Hold::Write, kWaitMs / 2, "SH260105-00001", "", 1},
        {Hold::Exclusive, kWaitMs * 3 / 2, "", readfailure::kBusyText, 0},
    };
    print::RecordingPrinter printer(dir.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hold == Hold::Write ? "write" : "exclusive");
        Mymode::CurrentRecordId = customer;
        ui::Windows::get(QStringLiteral("frmCustDetail"));   // the card it takes the customer from
        messages.clear();
        ui::Form* window = nullptr;
        {
            OtherWorkstationWriting other(c.hold);
            db::setBusyWaitForTests(kWaitMs);
            QElapsedTimer timer;
            timer.start();
            window = ui::Windows::open(QStringLiteral("SalesAdd"));
            EXPECT_LT(timer.elapsed(), c.openingMs);
            EXPECT_EQ(boxText(window, QStringLiteral("orderno")), QString::fromUtf8(c.number));
            if (*c.message) expectOnly(QString::fromUtf8(c.message));
            EXPECT_TRUE(messages.shown().empty());
            type(window, QStringLiteral("product"), 0, QStringLiteral("Widget"));
            type(window, QStringLiteral("Price"), 0, QStringLiteral("10"));
            type(window, QStringLiteral("num"), 0, QStringLiteral("2"));

            backToTheEventLoop();
            timer.restart();
            window->control<ui::PictureButton>(QStringLiteral("command1"))->click();
            EXPECT_LT(timer.elapsed(), kWaitMs * 3 / 2);
        }
        expectOnly(QStringLiteral("销售单录入失败，订单、库存和客户余额都没有改变。"
                                  "另一台电脑正在使用数据文件，这次没有改变任何数据，输入的内容仍然保留，请再试一次"));
        EXPECT_EQ(count(QStringLiteral("select count(*) from sales")), 0);

        backToTheEventLoop();
        const std::size_t printed = printer.printed().size();
        window->control<ui::PictureButton>(QStringLiteral("command1"))->click();
        expectOnly(QStringLiteral("销售单录入操作成功！"));
        EXPECT_EQ(scalar(QStringLiteral("select orderno from sales")), QStringLiteral("SH260105-00001"));
        EXPECT_EQ(scalar(QStringLiteral("select PrintOpt from JSQ")), QStringLiteral("宽行打印"));
        EXPECT_EQ(printer.printed().size() - printed, c.slips);

        ui::Windows::unloadAll();
        exec(QStringLiteral("delete from sales"));
        exec(QStringLiteral("update JSQ set Today='2026-1-4', LSH=7"));
    }
}

TEST_F(HeldFile, AReadThatFailsSaysWhyAndLeavesWhatWasShown)
{
    addSupplier(QStringLiteral("甲"), QStringLiteral("现金"), QStringLiteral("100"));
    exec(QStringLiteral("insert into sales (companyid,orderno,totlemoney,receivemoney,indexflag) values (%1,'SH1',20,0,'k1')")
             .arg(customer));
    exec(QStringLiteral("insert into SalesMX (productname,companyid,price,zk,num,unitprice,indexflag) "
                        "values ('Widget',%1,10,100,2,20,'k1')").arg(customer));
    const int order = scalar(QStringLiteral("select max(id) from sales")).toInt();
    print::RecordingPrinter printer(dir.path());
    const auto open = [](const char* kind) { return ui::Windows::open(QLatin1String(kind)); };
    const auto names = [](ui::Form* list) {
        QStringList shown;
        for (int row = 0; row < grid(list)->rowCount(); ++row) shown << grid(list)->cellText(row, 1);
        return shown.join(QLatin1Char(','));
    };
    const struct {
        const char* what;
        std::function<ui::Form*()> before;   // run before the hold; a window that stays open
        std::function<void(ui::Form*)> act;  // run while the file is held, then once it is free
        std::function<QString(ui::Form*)> shown;
        const char* held;
        const char* free;
    } cases[] = {
        {"product list", [] { return nullptr; }, [&](ui::Form*) { open("productmgr"); },
         [&](ui::Form*) { return names(ui::Windows::loaded(QStringLiteral("productmgr"))); }, "", "Widget"},
        {"product search",
         [&] {
             addProduct(QStringLiteral("Bolt"), QStringLiteral("B7"));
             ui::Form* list = open("productmgr");
             list->control<ui::TextBox>(QStringLiteral("product"))->setText(QStringLiteral("Wid"));
             return list;
         },
         [](ui::Form* list) { list->control<ui::TextBox>(QStringLiteral("product"))->typeKey(13); },
         names, "Widget,Bolt", "Widget"},
        {"number look-up", [&] { return openRows(QStringLiteral("rowsSalesAdd")); },
         [](ui::Form* rows) {
             type(rows, QStringLiteral("description"), 0, QString());
             typeKeys(rows, QStringLiteral("description"), 0, QStringLiteral("A10"));   // no box while typing
             box(rows, QStringLiteral("description"), 0)->typeKey(13);
         },
         [](ui::Form* rows) { return text(rows, QStringLiteral("product"), 0); }, "", "Widget"},
        {"supplier list refreshed",
         [&] {
             ui::Form* list = open("frmGYS");
             addSupplier(QStringLiteral("乙"), QStringLiteral("现金"), QStringLiteral("200"));
             return list;
         },
         [](ui::Form* list) { dynamic_cast<sales::FrmGYS*>(list)->DataGridFresh(); },
         [](ui::Form* list) { return QString::number(grid(list)->rowCount()) + QLatin1Char('|') + caption(list, "Label3"); },
         "1|100", "2|300"},
        {"supplier list opened", [] { return nullptr; }, [&](ui::Form*) { open("frmGYS"); },
         [](ui::Form*) {
             ui::Form* list = ui::Windows::loaded(QStringLiteral("frmGYS"));
             return QString::number(grid(list)->rowCount()) + QLatin1Char('|') + caption(list, "Label3");
         },
         "0|", "1|100"},
        {"supplier editor", [&] { return open("frmGYS"); }, [&](ui::Form*) { open("frmGysEdit"); },
         [](ui::Form*) {
             ui::Form* editor = ui::Windows::loaded(QStringLiteral("frmGysEdit"));
             return editor ? editor->control<ui::TextBox>(QStringLiteral("GYS_MC"))->text() : QStringLiteral("closed");
         },
         "closed", "甲"},
        {"order editor", [] { return nullptr; },
         [&](ui::Form*) {
             Mymode::CurrentRecordId = order;
             open("SalesDetail");
         },
         [](ui::Form*) {
             ui::Form* editor = ui::Windows::loaded(QStringLiteral("SalesDetail"));
             return text(editor, QStringLiteral("product"), 0)
                 + (editor->control<ui::PictureButton>(QStringLiteral("command1"))->isEnabled() ? "|saves" : "|cannot save");
         },
         "|cannot save", "Widget|saves"},
        {"slip reprint",
         [&] {
             Mymode::CurrentRecordId = order;
             return open("SalesDetail");
         },
         [](ui::Form* editor) { dynamic_cast<sales::SalesDetail*>(editor)->PrintDeliverySlip(); },
         [&](ui::Form*) { return QString::number(printer.printed().size()); }, "0", "1"},
        {"purchase order", [] { return nullptr; }, [&](ui::Form*) { open("frmJHd"); },
         [](ui::Form*) {
             return QString::number(
                 ui::Windows::loaded(QStringLiteral("frmJHd"))->control<ui::ComboBox>(QStringLiteral("GYS_MC"))->listCount());
         },
         "0", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ui::Form* window = c.before();
        messages.clear();
        {
            OtherWorkstationWriting other(Hold::Exclusive);
            c.act(window);
        }
        expectOnly(kBusyRead);
        EXPECT_EQ(c.shown(window), QString::fromUtf8(c.held));

        backToTheEventLoop();
        if (!window) ui::Windows::unloadAll();
        c.act(window);
        EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
        EXPECT_EQ(c.shown(window), QString::fromUtf8(c.free));
        ui::Windows::unloadAll();
        exec(QStringLiteral("delete from GYS where GYS_MC<>'甲'"));
        exec(QStringLiteral("delete from product where product<>'Widget'"));
    }
}

TEST_F(HeldFile, ADeleteRefusedOnAHeldFileSaysSoAndNothingOfKeptInput)
{
    const QString refused = QStringLiteral("记录删除失败，数据未改变。另一台电脑正在使用数据文件，这次没有改变任何数据，请再试一次");
    const struct {
        const char* kind;
        const char* remove;
        const char* table;
        const char* title;
        Hold hold;
    } cases[] = {
        {"productmgr", "command1", "product", "产品管理", Hold::Write},
        {"productmgr", "command1", "product", "产品管理", Hold::Exclusive},
        {"frmGYS", "command3", "GYS", "供应商资料", Hold::Write},
        {"frmGYS", "command3", "GYS", "供应商资料", Hold::Exclusive},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + (c.hold == Hold::Write ? " write" : " exclusive"));
        if (!count(QStringLiteral("select count(*) from GYS"))) addSupplier(QStringLiteral("甲"));
        if (!count(QStringLiteral("select count(*) from product"))) addProduct(QStringLiteral("Widget"), QStringLiteral("A10"));
        const QString rows = QStringLiteral("select count(*) from ") + QLatin1String(c.table);
        ui::Form* window = ui::Windows::open(QLatin1String(c.kind));
        messages.clear();
        {
            OtherWorkstationWriting other(c.hold);
            messages.answerNext(ui::Answer::Yes);
            click(window, c.remove);
        }
        ASSERT_EQ(messages.shown().size(), 2u);
        EXPECT_EQ(messages.shown()[1].text, refused);
        EXPECT_EQ(messages.shown()[1].title, QString::fromUtf8(c.title));
        EXPECT_EQ(count(rows), 1);

        backToTheEventLoop();
        messages.clear();
        messages.answerNext(ui::Answer::Yes);
        click(window, c.remove);
        EXPECT_EQ(messages.shown().size(), 1u) << messages.lastText().toStdString();
        EXPECT_EQ(count(rows), 0);
        ui::Windows::unloadAll();
    }
}

} // namespace
