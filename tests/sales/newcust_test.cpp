// The quick phone order window: what it shows when it opens, the
// whole-order discount and the invoice words, and its save of customer,
// contact, order and lines in one transaction, followed by the slip and the
// order notice.
#include "tests/sales/salesfixture.h"
#include "tests/support/busyfile.h"
#include "tests/support/pdftext.h"

#include "common/callmonitor.h"
#include "common/database.h"
#include "common/firststart.h"
#include "common/mymode.h"
#include "platform/db/locale.h"
#include "platform/print/printservice.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/filedialog.h"
#include "platform/ui/fittext.h"
#include "platform/ui/menus.h"
#include "platform/ui/windows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

// The call monitor as the quick order reads it: the last caller's number.
class StandInMonitor : public ui::Form, public CallMonitor {
public:
    StandInMonitor() : ui::Form(QStringLiteral("GtMain")) {}
    QString PhoneID() const override { return phone; }
    static inline QString phone;
};

const QString kSaved = QStringLiteral("订单录入操作成功！");

class QuickOrder : public SalesTest {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        SalesTest::SetUp();
        ui::Windows::define(QStringLiteral("GtMain"), [] { return std::make_unique<StandInMonitor>(); });
        StandInMonitor::phone = QStringLiteral("13800000001");
        db::locale::setClockForTests(QDateTime(QDate(2026, 12, 8), QTime(9, 5, 3)));
        loginAs(QStringLiteral("amy"), allRights(QStringLiteral("2")));
        printer = std::make_unique<print::RecordingPrinter>(dir.path());
        exec(QStringLiteral("delete from client_type"));   // the groups are each case's own
    }
    void TearDown() override
    {
        printer.reset();
        SalesTest::TearDown();
        db::locale::setClockForTests(std::nullopt);
    }

    // Opens the quick order as the unknown-caller window does, the call
    // monitor loaded unseen.
    ui::Form* open()
    {
        ui::Windows::get(QStringLiteral("GtMain"));
        window = ui::Windows::open(QStringLiteral("frmNewCust"));
        return window;
    }
    // Opens it with a customer group chosen whose number the notice goes to.
    ui::Form* openWithNoticeGroup()
    {
        exec(QStringLiteral("insert into client_type (client_type, py_code) select '外卖', '13900000009' "
                            "where not exists (select * from client_type)"));
        open();
        groups()->pick(0);
        return window;
    }
    void addLine(int row, const QString& name, const QString& price, const QString& quantity)
    {
        if (!rowExists(window, row)) rowsOf(window)->addRow(row, linerows::RowOrder::Typed);
        type(window, QStringLiteral("product"), row, name);
        type(window, QStringLiteral("Price"), row, price);
        type(window, QStringLiteral("num"), row, quantity);
        type(window, QStringLiteral("zk"), row, QStringLiteral("100"));
    }
    void set(const char* name, const QString& text)
    {
        if (auto* area = window->findChild<ui::TextArea*>(QString::fromLatin1(name))) area->setText(text);
        else window->control<ui::TextBox>(QString::fromLatin1(name))->setText(text);
    }
    QString get(const char* name)
    {
        if (auto* area = window->findChild<ui::TextArea*>(QString::fromLatin1(name))) return area->text();
        return boxText(window, QString::fromLatin1(name));
    }
    ui::CheckBox* check(const char* name) { return window->control<ui::CheckBox>(QString::fromLatin1(name)); }
    ui::ComboBox* groups() { return window->control<ui::ComboBox>(QStringLiteral("Custtype")); }
    void save() { window->control<ui::PictureButton>(QStringLiteral("command1"))->click(); }
    bool isOpen() { return ui::Windows::loaded(QStringLiteral("frmNewCust")) != nullptr; }

    // Every printed line of the one slip printed.
    QStringList printedLines()
    {
        QStringList lines;
        if (printer->printed().size() != 1) return lines;
        for (const print::Field& field : printer->printed()[0].reportHeader.fields) lines << field.caption;
        return lines;
    }
    // The outbox rows as "MobilNO|Content|LmtSend|SendTime".
    QStringList outbox()
    {
        QStringList rows;
        database::guarded([&] {
            auto connection = database::openSms();
            db::Recordset sms;
            sms.open(QStringLiteral("select MobilNO, Content, LmtSend, SendTime from sms"), *connection);
            for (; !sms.eof(); sms.moveNext())
                rows << sms.field(0).toText() + QLatin1Char('|') + sms.field(1).toText() + QLatin1Char('|')
                            + sms.field(2).toText() + QLatin1Char('|')
                            + (sms.field(3).isNull() ? QStringLiteral("<Null>") : sms.field(3).toText());
        });
        return rows;
    }
    int rows(const char* table) { return count(QStringLiteral("select count(*) from ") + QLatin1String(table)); }
    // The rows of every table a save writes: customer, contact, order and lines.
    int storedRows() { return rows("company") + rows("KH_LXR") + rows("sales") + rows("SalesMX"); }

    std::unique_ptr<print::RecordingPrinter> printer;
    ui::Form* window = nullptr;
};

TEST_F(QuickOrder, OpensWithTheCallersNumberAndTheDesignDefaults)
{
    exec(QStringLiteral("insert into client_type (client_type, py_code) values ('外卖', '139')"));
    exec(QStringLiteral("insert into client_type (client_type, py_code) values ('批发', '')"));
    open();
    EXPECT_EQ(window->caption(), QStringLiteral("创建新客户并立即配送"));
    for (const char* box : {"companyname", "tel", "LXR", "company_address"})
        EXPECT_EQ(get(box), QStringLiteral("13800000001")) << box;
    EXPECT_EQ(get("salesdate"), QStringLiteral("2026-12-8 9:05:03"));
    EXPECT_EQ(get("orderno"), QStringLiteral("SH26128953"));
    EXPECT_EQ(get("Allzk"), QStringLiteral("100"));
    EXPECT_EQ(get("SelIndex"), QStringLiteral("计数"));
    EXPECT_TRUE(get("totalMx").isEmpty() && get("receivemoney").isEmpty() && get("KH_ID").isEmpty());
    EXPECT_EQ(check("ckflag")->value(), 1);
    EXPECT_EQ(check("invoicetype")->value() + check("GK")->value(), 0);
    EXPECT_EQ(groups()->listCount(), 2);
    EXPECT_EQ(groups()->listIndex(), -1);
    EXPECT_FALSE(rowExists(window, 1));
    for (const char* column : {"description", "product", "dw", "Price", "num", "zk", "TotalSM"})
        EXPECT_TRUE(text(window, QString::fromLatin1(column), 0).isEmpty()) << column;
    EXPECT_EQ(window->control<ui::Frame>(QStringLiteral("Frame1"))->title(), QStringLiteral("销售明细"));

    // Opening again brings the same window with what it holds.
    set("companyname", QStringLiteral("kept"));
    StandInMonitor::phone = QStringLiteral("999");
    EXPECT_EQ(ui::Windows::open(QStringLiteral("frmNewCust")), window);
    EXPECT_EQ(get("companyname"), QStringLiteral("kept"));
    ui::Windows::unloadAll();

    // No caller yet and no groups.
    StandInMonitor::phone.clear();
    exec(QStringLiteral("delete from client_type"));
    open();
    for (const char* box : {"companyname", "tel", "LXR", "company_address"}) EXPECT_TRUE(get(box).isEmpty()) << box;
    EXPECT_EQ(groups()->listCount(), 0);
}

TEST_F(QuickOrder, LongestDateNumberAndDiscountShowWhole)
{
    // Two-digit day and hour: the widest date and number the load puts in.
    db::locale::setClockForTests(QDateTime(QDate(2026, 12, 18), QTime(19, 45, 53)));
    open();
    EXPECT_EQ(get("orderno"), QStringLiteral("SH261218194553"));
    for (const char* name : {"salesdate", "orderno", "Allzk"}) {
        const auto* box = window->control<ui::TextBox>(QString::fromLatin1(name));
        EXPECT_TRUE(ui::textFits(box)) << name << " " << box->text().toStdString();
    }
}

TEST_F(QuickOrder, WholeOrderDiscountInvoiceWordsAndTotals)
{
    open();
    auto* discount = window->control<ui::TextBox>(QStringLiteral("Allzk"));
    discount->setText(QStringLiteral("90"));
    discount->typeKey(13);   // only row 0 exists
    EXPECT_EQ(text(window, QStringLiteral("zk"), 0), QStringLiteral("90"));

    set("receivemoney", QStringLiteral("5"));
    addLine(0, QStringLiteral("A"), QStringLiteral("10"), QStringLiteral("1"));
    addLine(1, QStringLiteral("B"), QStringLiteral("20"), QStringLiteral("2"));
    addLine(2, QStringLiteral("C"), QStringLiteral("1"), QStringLiteral("3"));
    rowsOf(window)->addRow(3, linerows::RowOrder::Typed);
    EXPECT_EQ(get("totalMx"), QStringLiteral("53"));
    discount->setText(QStringLiteral("50"));
    discount->typeKey('5');   // other keys do nothing
    EXPECT_EQ(text(window, QStringLiteral("zk"), 0), QStringLiteral("100"));
    discount->setText(QStringLiteral("50"));
    discount->typeKey(13);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(text(window, QStringLiteral("zk"), row), QStringLiteral("50")) << row;
    EXPECT_TRUE(text(window, QStringLiteral("zk"), 3).isEmpty());
    EXPECT_EQ(get("totalMx"), QStringLiteral("26.5"));
    EXPECT_EQ(get("receivemoney"), QStringLiteral("5"));

    check("invoicetype")->click();
    set("descript", get("descript") + QStringLiteral("下午送"));
    check("invoicetype")->click();
    check("invoicetype")->click();
    EXPECT_EQ(get("descript"), QStringLiteral("要求提供发票下午送要求提供发票"));

    window->control<ui::PictureButton>(QStringLiteral("command2"))->click();
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(rows("company") + rows("sales"), 0);
}

TEST_F(QuickOrder, SaveStoresEverythingPrintsTheSlipAndQueuesTheNotice)
{
    const int product = addProduct(QStringLiteral("饺子"), QStringLiteral("J1"), QStringLiteral("12"));
    exec(QStringLiteral("insert into client_type (client_type, py_code) values ('O''Neil', '13900000009')"));
    exec(QStringLiteral("update JSQ set Today='2026-12-1', LSH=4"));
    ui::Form* main = ui::Windows::open(QStringLiteral("frmMain"));
    main->findChild<ui::MenuItem*>(QStringLiteral("mnuSalesList"))->click();
    open();
    set("companyname", QStringLiteral("O'Brien 饭店"));
    set("LXR", QStringLiteral("王先生"));
    set("company_address", QStringLiteral(" 东门路1号 "));
    groups()->pick(0);
    addLine(0, QStringLiteral("饺子"), QStringLiteral("12"), QStringLiteral("2"));
    addLine(1, QStringLiteral("汤"), QStringLiteral("10"), QStringLiteral("1"));
    set("receivemoney", QStringLiteral("20"));
    set("descript", QStringLiteral("放门口"));
    save();

    expectOnly(kSaved);
    EXPECT_FALSE(isOpen());
    const QString id = scalar(QStringLiteral("select id from company"));
    EXPECT_EQ(rows("company"), 1);
    EXPECT_EQ(scalar(QStringLiteral("select company_name || '|' || company_tel || '|' || company_client_type || '|' || "
                                    "KH_CZZ || '|' || KH_GK || '|' || company_createtime from company")).toStdString(),
              "O'Brien 饭店|13800000001|O'Neil|amy|0|2026-12-08 00:00:00");
    EXPECT_EQ(scalar(QStringLiteral("select Connect_name || '|' || companyid from KH_LXR")), QStringLiteral("王先生|") + id);
    EXPECT_EQ(scalar(QStringLiteral("select companyid || '|' || orderno || '|' || sales_connect || '|' || totlemoney "
                                    "|| '|' || receivemoney from sales")),
              id + QStringLiteral("|SH26128953|O'Neil|34|20"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX where companyid=") + id), 2);
    EXPECT_EQ(count(QStringLiteral("select count(distinct indexflag) from (select indexflag from sales union all "
                                   "select indexflag from SalesMX)")), 1);
    // The order's share of the new customer's balances, as any order adds it;
    // no stock, total quantity or counter change.
    EXPECT_EQ(balances(id.toInt()), QStringLiteral("14/34/3"));
    EXPECT_EQ(stockOf(product), 10);
    EXPECT_EQ(scalar(QStringLiteral("select TotalNum from sales")), QString());
    EXPECT_EQ(scalar(QStringLiteral("select Today || LSH from JSQ")), QStringLiteral("2026-12-14"));

    EXPECT_EQ(outbox(), QStringList{QStringLiteral("13900000009|O'Brien 饭店/13800000001/ 东门路1号 [饺子2份汤1份]总计:34元|1|<Null>")});
    const QStringList printed = printedLines();
    ASSERT_FALSE(printed.isEmpty());
    EXPECT_TRUE(printed.contains(QStringLiteral("订单号:SH26128953")));
    EXPECT_TRUE(printed.contains(QStringLiteral("配送地址:东门路1号")));
    EXPECT_TRUE(printed.contains(QStringLiteral("饺子") + QString(19, QLatin1Char(' ')) + QStringLiteral("2    12")));
    EXPECT_EQ(printed.last(), QStringLiteral("注:放门口"));
    EXPECT_EQ(printer->printed()[0].reportHeader.fields.at(0).font.pointSize, 11);

    // The main grid shows the customer list, its view key unchanged.
    const auto* grid = main->control<ui::DataGrid>(QStringLiteral("DataGrid1"));
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->cellText(0, 0), id);
    EXPECT_EQ(main->control<ui::TextBox>(QStringLiteral("SelectFun"))->text(), QStringLiteral("SalesList"));
}

TEST_F(QuickOrder, WalkSlipAndNoticeTakeTheSameRows)
{
    exec(QStringLiteral("insert into client_type (client_type, py_code) values ('外卖', '139')"));
    open();
    groups()->pick(0);
    addLine(0, QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("2"));
    addLine(1, QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("0"));
    addLine(2, QStringLiteral("C"), QStringLiteral("1"), QStringLiteral("3"));
    save();
    expectOnly(kSaved);
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX where productname='A'")), rows("SalesMX"));
    EXPECT_EQ(outbox(), QStringList{QStringLiteral("139|13800000001/13800000001/13800000001[A2份]总计:5元|1|<Null>")});
    const QStringList printed = printedLines();
    EXPECT_TRUE(printed.contains(QStringLiteral("A") + QString(22, QLatin1Char(' ')) + QStringLiteral("2    1")));
    EXPECT_FALSE(printed.join(QLatin1Char('\n')).contains(QStringLiteral("C")));

    // No products and the slip not wanted: one empty line, nothing printed, the notice queued.
    open();
    groups()->pick(0);
    check("ckflag")->click();
    save();
    expectOnly(kSaved);
    EXPECT_EQ(printer->printed().size(), 1u);
    EXPECT_EQ(rows("SalesMX"), 2);
    EXPECT_EQ(outbox().last(), QStringLiteral("139|13800000001/13800000001/13800000001[份]总计:元|1|<Null>"));
}

TEST_F(QuickOrder, ASaveThatCannotBeStoredLeavesNothing)
{
    exec(QStringLiteral("create trigger refuse_line before insert on SalesMX begin select raise(abort, 'lines refused'); end"));
    open();
    set("companyname", QStringLiteral("Shop"));
    addLine(0, QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("2"));
    save();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("订单未能保存：")));
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("lines refused")));
    messages.clear();
    EXPECT_EQ(storedRows(), 0);
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(get("companyname"), QStringLiteral("Shop"));
    EXPECT_EQ(text(window, QStringLiteral("product"), 0), QStringLiteral("A"));
    EXPECT_TRUE(printer->printed().empty());
    EXPECT_TRUE(outbox().isEmpty());
}

TEST_F(QuickOrder, BoxesTheirColumnsCannotTakeAreRefusedBeforeAnythingIsWritten)
{
    openWithNoticeGroup();
    addLine(0, QStringLiteral("饺子"), QStringLiteral("12"), QStringLiteral("2"));
    struct Case {
        const char* box;
        QString text;
        QString message;
    };
    const Case cases[] = {
        {"companyname", QString(120, QChar(0x540d)), QStringLiteral("客户名称太长，最多100个字")},
        {"LXR", QString(51, QLatin1Char('w')), QStringLiteral("联系人太长，最多50个字")},
        {"tel", QString(51, QLatin1Char('1')), QStringLiteral("电话太长，最多50个字")},
        {"company_address", QString(201, QChar(0x8def)), QStringLiteral("客户地址太长，最多200个字")},
        {"salesdate", QStringLiteral("明天下午"), QStringLiteral("销售日期不是一个合法的日期")},
        {"salesdate", QStringLiteral(" "), QStringLiteral("销售日期不能为空")},
        {"orderno", QString(51, QLatin1Char('S')), QStringLiteral("流水号太长，最多50个字")},
        {"totalMx", QStringLiteral("1e16"), QStringLiteral("订单金额太大，最多922337203685477.5807")},
    };
    for (const Case& c : cases) {
        const QString kept = get(c.box);
        set(c.box, c.text);
        save();
        expectOnly(c.message);
        EXPECT_TRUE(isOpen()) << c.box;
        EXPECT_EQ(get(c.box), c.text) << c.box;
        EXPECT_EQ(storedRows(), 0) << c.box;
        EXPECT_TRUE(outbox().isEmpty()) << c.box;
        EXPECT_TRUE(printer->printed().empty()) << c.box;
        set(c.box, kept);
    }

    // Texts that fill their columns exactly are stored whole.
    set("companyname", QString(100, QChar(0x540d)));
    set("company_address", QString(200, QChar(0x8def)));
    set("totalMx", QStringLiteral("Err"));   // no number: the total stays unset, as before
    save();
    expectOnly(kSaved);
    EXPECT_EQ(scalar(QStringLiteral("select company_name from company")), QString(100, QChar(0x540d)));
    EXPECT_EQ(scalar(QStringLiteral("select address from KH_LXR")), QString(200, QChar(0x8def)));
    EXPECT_EQ(scalar(QStringLiteral("select salesdate from SalesMX")), QStringLiteral("2026-12-8 9:05:03"));
    EXPECT_EQ(scalar(QStringLiteral("select totlemoney from sales")), QString());
}

// A line box its column cannot take is refused by the order windows' line
// rule, naming the line and the box, before anything is written; the typed
// text stays. A name that fills its column is stored whole, as the notice says.
TEST_F(QuickOrder, LineBoxesTheirColumnsCannotTakeAreRefusedNamingTheLine)
{
    openWithNoticeGroup();
    set("companyname", QStringLiteral("Shop"));
    addLine(0, QStringLiteral("饺子"), QStringLiteral("12"), QStringLiteral("2"));
    addLine(1, QStringLiteral("汤"), QStringLiteral("10"), QStringLiteral("1"));
    struct Case {
        int row;
        const char* box;
        QString text;
        QString message;
    };
    const Case cases[] = {
        {1, "product", QString(120, QChar(0x6c64)), QStringLiteral("第2行商品太长，最多100个字")},
        {1, "Price", QStringLiteral("abc"), QStringLiteral("第2行单价必须是数字")},
        {1, "zk", QStringLiteral("x"), QStringLiteral("第2行折扣必须是数字")},
        {0, "num", QStringLiteral("两份"), QStringLiteral("第1行数量必须是数字")},
    };
    for (const Case& c : cases) {
        const QString box = QString::fromLatin1(c.box);
        const QString kept = text(window, box, c.row);
        type(window, box, c.row, c.text);
        save();
        expectOnly(c.message);
        EXPECT_TRUE(isOpen()) << c.box;
        EXPECT_EQ(text(window, box, c.row), c.text) << c.box;
        EXPECT_EQ(storedRows(), 0) << c.box;
        EXPECT_TRUE(outbox().isEmpty()) << c.box;
        EXPECT_TRUE(printer->printed().empty()) << c.box;
        type(window, box, c.row, kept);
    }

    const QString fullName(100, QChar(0x6c64));
    type(window, QStringLiteral("product"), 1, fullName);
    save();
    expectOnly(kSaved);
    EXPECT_EQ(scalar(QStringLiteral("select productname from SalesMX order by id desc limit 1")), fullName);
    ASSERT_EQ(outbox().size(), 1);
    EXPECT_TRUE(outbox()[0].contains(QStringLiteral("饺子2份") + fullName + QStringLiteral("1份"))) << outbox()[0].toStdString();
}

// Another workstation holding the data file or the SMS file beside it: the
// save says so and that it may be tried again, writes nothing in either file
// and keeps the window as typed; once the file is free the same save stores
// the order with its notice to the group's number.
TEST_F(QuickOrder, ASaveRefusedWhileAnotherWorkstationWritesSaysSoAndCanBeRepeated)
{
    using Hold = OtherWorkstationWriting::Hold;
    using File = OtherWorkstationWriting::File;
    struct Case {
        const char* what;
        Hold hold;
        File file;
    };
    const Case cases[] = {
        {"data file, a colleague saving", Hold::Write, File::Main},
        {"data file, a colleague committing", Hold::Exclusive, File::Main},
        {"SMS file, a colleague queueing", Hold::Write, File::Sms},
        {"SMS file, a colleague committing", Hold::Exclusive, File::Sms},
    };
    exec(QStringLiteral("insert into client_type (client_type, py_code) values ('外卖', '13900000009')"));
    int orders = 0;
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.what);
        open();
        set("companyname", name);
        groups()->pick(0);
        addLine(0, QStringLiteral("饺子"), QStringLiteral("12"), QStringLiteral("2"));
        {
            OtherWorkstationWriting other(c.hold, c.file);
            save();
        }
        QCoreApplication::processEvents();
        ASSERT_EQ(messages.shown().size(), 1u) << c.what;
        EXPECT_EQ(messages.lastText(), QStringLiteral("订单未能保存：另一台电脑正在使用数据文件，这次没有改变任何数据，"
                                                      "输入的内容仍然保留，请再试一次")) << c.what;
        messages.clear();
        EXPECT_TRUE(isOpen()) << c.what;
        EXPECT_EQ(get("companyname"), name);
        EXPECT_EQ(text(window, QStringLiteral("product"), 0), QStringLiteral("饺子")) << c.what;
        EXPECT_EQ(storedRows(), 4 * orders) << c.what;
        EXPECT_EQ(outbox().size(), orders) << c.what;
        EXPECT_EQ(printer->printed().size(), std::size_t(orders)) << c.what;

        save();
        expectOnly(kSaved);
        ++orders;
        EXPECT_EQ(storedRows(), 4 * orders) << c.what;
        ASSERT_EQ(outbox().size(), orders) << c.what;
        EXPECT_EQ(outbox().last(), QStringLiteral("13900000009|") + name
                                       + QStringLiteral("/13800000001/13800000001[饺子2份]总计:24元|1|<Null>"));
    }
}

// A notice is queued only with a number to send it to: an order whose group
// has none stored is saved, and the operator is told that no notice went.
TEST_F(QuickOrder, AnOrderWhoseGroupHasNoNumberIsSavedAndSaysNoNoticeWasQueued)
{
    const QString noNotice = QStringLiteral("订单已保存，但短信通知未能加入发送队列：");
    const QString noNumber = QStringLiteral("客户分类“外卖”没有登记收信的手机号码");
    struct Case {
        const char* what;
        const char* pyCode;   // as SQL
        bool pickGroup;
        bool groupGoneMeanwhile;
        QString reason;       // empty: queued to the number as stored
    };
    const Case cases[] = {
        {"no group chosen", "'13900000009'", false, false, QStringLiteral("没有选择客户分类，没有收信的手机号码")},
        {"an empty number", "''", true, false, noNumber},
        {"no number", "null", true, false, noNumber},
        {"a number of spaces", "'   '", true, false, noNumber},
        {"the group removed since the window opened", "'13900000009'", true, true, noNumber},
        {"two numbers", "' 139;138'", true, false, QString()},
    };
    int queued = 0;
    for (const Case& c : cases) {
        exec(QStringLiteral("delete from client_type"));
        exec(QStringLiteral("insert into client_type (client_type, py_code) values ('外卖', %1)").arg(QLatin1String(c.pyCode)));
        const QString name = QString::fromLatin1(c.what);
        open();
        set("companyname", name);
        if (c.pickGroup) groups()->pick(0);
        if (c.groupGoneMeanwhile) exec(QStringLiteral("delete from client_type"));
        check("ckflag")->click();
        save();
        QStringList shown;
        for (const auto& message : messages.shown()) shown << message.text;
        messages.clear();
        const QStringList expected = c.reason.isEmpty() ? QStringList{kSaved} : QStringList{kSaved, noNotice + c.reason};
        EXPECT_EQ(shown, expected) << c.what;
        EXPECT_FALSE(isOpen()) << c.what;
        EXPECT_EQ(count(QStringLiteral("select count(*) from company where company_name='%1'").arg(name)), 1) << c.what;
        if (c.reason.isEmpty()) ++queued;
        ASSERT_EQ(outbox().size(), queued) << c.what;
    }
    EXPECT_TRUE(outbox().last().startsWith(QStringLiteral(" 139;138|two numbers/")));
}

// An SMS file that cannot take the notice leaves the order to be stored
// alone: after the order's message the operator is told that its notice was
// not queued, and why.
TEST_F(QuickOrder, AnOutboxThatCannotBeUsedLeavesTheOrderSavedAndSaysSo)
{
    const QString smsFile = path(QStringLiteral("hvcrm/SMS.mdb"));
    const QString noNotice = QStringLiteral("订单已保存，但短信通知未能加入发送队列：");
    const auto spoil = [&](const QString& sql) { database::openSms()->execute(sql); };
    struct Case {
        const char* what;
        std::function<void()> spoil;
        QString reason;
    };
    const Case cases[] = {
        {"missing", [&] { QFile::remove(smsFile); }, QStringLiteral("文件不存在")},
        {"no database",
         [&] {
             QFile file(smsFile);
             file.open(QIODevice::WriteOnly);
             file.write(QByteArray(4096, 'x'));
         },
         QStringLiteral("not a database")},
        {"no outbox", [&] { spoil(QStringLiteral("drop table sms")); }, QStringLiteral("sms")},
        {"a column missing", [&] { spoil(QStringLiteral("alter table sms drop column RecTime")); },
         QStringLiteral("短信数据库的发送队列中没有 RecTime 字段")},
    };
    exec(QStringLiteral("insert into client_type (client_type, py_code) values ('外卖', '13900000009')"));
    for (const Case& c : cases) {
        c.spoil();
        open();
        set("companyname", QString::fromLatin1(c.what));
        groups()->pick(0);
        save();
        ASSERT_EQ(messages.shown().size(), 2u) << c.what;
        EXPECT_EQ(messages.shown()[0].text, kSaved) << c.what;
        EXPECT_TRUE(messages.shown()[1].text.startsWith(noNotice)) << messages.shown()[1].text.toStdString();
        EXPECT_TRUE(messages.shown()[1].text.contains(c.reason)) << messages.shown()[1].text.toStdString();
        messages.clear();
        EXPECT_FALSE(isOpen()) << c.what;
        EXPECT_EQ(count(QStringLiteral("select count(*) from company where company_name='%1'").arg(QLatin1String(c.what))), 1);
        QFile::remove(smsFile);
        firststart::ensureDatabases();
    }
    EXPECT_EQ(storedRows(), 4 * int(std::size(cases)));
}

// The group's number is read in the order's own transaction: when it cannot
// be read, the save is refused whole, never queued to no number.
TEST_F(QuickOrder, AGroupThatCannotBeLookedUpRefusesTheSave)
{
    exec(QStringLiteral("insert into client_type (client_type, py_code) values ('外卖', '13900000009')"));
    open();
    set("companyname", QStringLiteral("Shop"));
    groups()->pick(0);
    addLine(0, QStringLiteral("饺子"), QStringLiteral("12"), QStringLiteral("2"));
    exec(QStringLiteral("drop table client_type"));
    save();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("订单未能保存："))) << messages.lastText().toStdString();
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("client_type"))) << messages.lastText().toStdString();
    messages.clear();
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(get("companyname"), QStringLiteral("Shop"));
    EXPECT_EQ(storedRows(), 0);
    EXPECT_TRUE(outbox().isEmpty());
    EXPECT_TRUE(printer->printed().empty());
}

TEST_F(QuickOrder, NoPrinterIsToldAndTheSlipCanBeKeptAsPdf)
{
    printer->setNoPrinter(true);
    const QString chosen = dir.filePath(QStringLiteral("quick.pdf"));
    ui::setSaveFileChooser([&](const ui::SaveFileRequest&) { return chosen; });
    openWithNoticeGroup();
    set("companyname", QStringLiteral("Shop"));
    addLine(0, QStringLiteral("饺子"), QStringLiteral("12"), QStringLiteral("2"));
    messages.answerNext(ui::Answer::Yes);
    save();
    ASSERT_EQ(messages.shown().size(), 3u);
    EXPECT_EQ(messages.shown()[0].text, kSaved);
    EXPECT_EQ(messages.shown()[1].text, QStringLiteral("没有可用的打印机，请先安装并设置默认打印机。\n是否将其保存为 PDF 文件？"));
    EXPECT_EQ(messages.shown()[2].text, QStringLiteral("已保存为 PDF 文件：") + QDir::toNativeSeparators(chosen));
    const std::vector<PdfPage> pages = readPdf(chosen);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].text().contains(QStringLiteral("订单号:SH26128953")));
    EXPECT_EQ(storedRows(), 4);
    EXPECT_EQ(outbox().size(), 1);
    messages.clear();

    // Declined: the order stands, no file, the notice still queued.
    QFile::remove(chosen);
    openWithNoticeGroup();
    set("companyname", QStringLiteral("Shop2"));
    messages.answerNext(ui::Answer::No);
    save();
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].text, QStringLiteral("没有可用的打印机，请先安装并设置默认打印机。\n是否将其保存为 PDF 文件？"));
    EXPECT_FALSE(QFile::exists(chosen));
    EXPECT_EQ(rows("company"), 2);
    EXPECT_EQ(outbox().size(), 2);
    ui::setSaveFileChooser({});
}

TEST_F(QuickOrder, NameAndContactAreRequired)
{
    open();
    set("companyname", QStringLiteral("   "));
    save();
    expectOnly(QStringLiteral("客户名称不能为空"));
    set("companyname", QStringLiteral("Shop"));
    set("LXR", QStringLiteral("  "));
    save();
    expectOnly(QStringLiteral("联系人不能为空"));
    EXPECT_EQ(storedRows(), 0);
    EXPECT_TRUE(outbox().isEmpty());
    EXPECT_TRUE(isOpen());
}

} // namespace
