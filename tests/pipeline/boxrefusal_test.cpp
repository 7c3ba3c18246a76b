// What the boxes of the activity, quotation, conversion and service windows
// may hold: a text its column cannot take is refused before anything is
// stored, naming the box, and the window keeps it; a quotation changed at
// another desk, its lines included, is never written over.
#include "tests/pipeline/pipelinefixture.h"

#include "common/mymode.h"
#include "platform/ui/windows.h"

#include <QTest>
#include <functional>

namespace {

class BoxRefusals : public PipelineTest {
protected:
    void SetUp() override
    {
        PipelineTest::SetUp();
        setNow(QDateTime(QDate(2026, 3, 1), QTime(10, 0)));
        customer = addCustomer(QStringLiteral("华东贸易"));
        insert(QStringLiteral("product"), {{QStringLiteral("product"), QStringLiteral("打印机")}});
        activity = insert(QStringLiteral("KH_ACT"), {{QStringLiteral("companyid"), QString::number(customer)},
                                                     {QStringLiteral("ActionTitle"), QStringLiteral("回访")},
                                                     {QStringLiteral("Action_Connect"), QStringLiteral("李四")}});
        service = insert(QStringLiteral("service"), {{QStringLiteral("companyid"), QString::number(customer)},
                                                     {QStringLiteral("service_title"), QStringLiteral("卡纸")},
                                                     {QStringLiteral("service_connect"), QStringLiteral("李四")},
                                                     {QStringLiteral("service_type"), QStringLiteral("维修")}});
        quotation = insert(QStringLiteral("chance"), {{QStringLiteral("companyid"), QString::number(customer)},
                                                      {QStringLiteral("chance_title"), QStringLiteral("年度采购")},
                                                      {QStringLiteral("Chance_No"), QStringLiteral("BJ-7")},
                                                      {QStringLiteral("chance_connect"), QStringLiteral("李四")},
                                                      {QStringLiteral("salesdate"), QStringLiteral("2026-4-1")},
                                                      {QStringLiteral("totalmoney"), QStringLiteral("100")},
                                                      {QStringLiteral("indexflag"), QStringLiteral("q1")}});
        line = insert(QStringLiteral("chanceMX"), {{QStringLiteral("indexflag"), QStringLiteral("q1")},
                                                   {QStringLiteral("productname"), QStringLiteral("打印机")},
                                                   {QStringLiteral("price"), QStringLiteral("50")},
                                                   {QStringLiteral("num"), QStringLiteral("2")},
                                                   {QStringLiteral("zk"), QStringLiteral("100")},
                                                   {QStringLiteral("unitprice"), QStringLiteral("100")},
                                                   {QStringLiteral("salesdate"), QStringLiteral("2026-4-1")}});
    }

    // A window ready to save: a new record with its required boxes filled,
    // or an editor of the stored one.
    ui::Form* ready(const QString& kind)
    {
        Mymode::CurrentRecordId = customer;
        if (kind == QLatin1String("ActionDetal")) return openFor(kind, activity);
        if (kind == QLatin1String("ServiceDetal")) return openFor(kind, service);
        if (kind == QLatin1String("ChanceDetail") || kind == QLatin1String("becomeOrder")) return openFor(kind, quotation);
        ui::Form* window = open(kind);
        if (kind == QLatin1String("ActionAdd")) type(window, QStringLiteral("ActionTitle"), QStringLiteral("回访"));
        if (kind == QLatin1String("ServiceAdd")) {
            type(window, QStringLiteral("service_title"), QStringLiteral("卡纸"));
            type(window, QStringLiteral("service_connect"), QStringLiteral("张三"));
            pick(window, QStringLiteral("service_type"), QStringLiteral("维修"));
        }
        if (kind == QLatin1String("AddChance")) {
            type(window, QStringLiteral("chance_title"), QStringLiteral("新报价"));
            type(window, QStringLiteral("chance_connect"), QStringLiteral("张三"));
            for (int row : {0, 1}) {
                rowsOf(window)->addRow(row, linerows::RowOrder::Typed);
                for (const auto& [box, value] : {std::pair{"product", "打印机"}, {"Price", "50"}, {"zk", "100"}, {"num", "1"}})
                    rowsOf(window)->box(QString::fromLatin1(box), row)->setText(QString::fromUtf8(value));
            }
        }
        return window;
    }

    // Types into an emptied box key by key, as the operator does.
    static void keyIn(ui::TextBox* box, const QString& text)
    {
        box->setFocus();
        box->clear();
        for (const QChar character : text) QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character), {});
    }

    int customer = 0, activity = 0, service = 0, quotation = 0, line = 0;
};

TEST_F(BoxRefusals, ATextItsColumnCannotTakeIsRefusedNamingTheBoxAndKept)
{
    exec(QStringLiteral("insert into servertype (servertype) values ('维修')"));
    const QString sixty(60, QChar(0x5F20));
    const struct {
        const char* kind;
        const char* box;          // a header box, or "Price"/"num" of row 0
        QString typed;
        const char* refusal;
        const char* count;        // what must still hold 1 (or 0 for a new record's table)
        int expected;
    } cases[] = {
        {"ActionAdd", "Action_Connect", sixty, "联系人太长，最多50个字", "select count(*) from KH_ACT", 1},
        {"ActionAdd", "field1", QString(120, QLatin1Char('x')), "自定义字段1太长，最多100个字", "select count(*) from KH_ACT", 1},
        {"ActionDetal", "Action_Connect", sixty, "联系人太长，最多50个字",
         "select count(*) from KH_ACT where Action_Connect='李四'", 1},
        {"ServiceAdd", "service_connect", sixty, "联系人太长，最多50个字", "select count(*) from service", 1},
        {"ServiceDetal", "service_connect", sixty, "联系人太长，最多50个字",
         "select count(*) from service where service_connect='李四'", 1},
        {"AddChance", "chance_connect", sixty, "联系人太长，最多50个字", "select count(*) from chance", 1},
        {"AddChance", "Price", QStringLiteral("1O0"), "第1行单价必须是数字", "select count(*) from chance", 1},
        {"ChanceDetail", "Chance_No", QString(58, QLatin1Char('9')), "报价单号太长，最多50个字",
         "select count(*) from chance where Chance_No='BJ-7'", 1},
        {"ChanceDetail", "totalMx", QStringLiteral("1E+16"), "总计太大，最多922337203685477.5807",
         "select count(*) from chance where totalmoney=100", 1},
        {"becomeOrder", "sales_connect", sixty, "联系人太长，最多50个字", "select count(*) from chanceMX", 1},
        {"becomeOrder", "receivemoney", QStringLiteral("abc"), "收款金额必须是数字", "select count(*) from chance", 1},
        {"becomeOrder", "receivemoney", QStringLiteral("1,000.50"), "收款金额必须是数字", "select count(*) from sales", 0},
        {"becomeOrder", "receivemoney", QStringLiteral("一千"), "收款金额必须是数字", "select count(*) from chance", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.box);
        ui::Form* window = ready(QLatin1String(c.kind));
        const bool inRow = QLatin1String(c.box) == QLatin1String("Price");
        ui::TextBox* box = inRow ? rowsOf(window)->box(QStringLiteral("Price"), 0)
                                 : window->control<ui::TextBox>(QLatin1String(c.box));
        keyIn(box, c.typed);
        if (inRow) EXPECT_EQ(cell(window, "TotalSM", 0), QStringLiteral("Err"));
        click(window, QStringLiteral("command1"));
        expectOnly(QString::fromUtf8(c.refusal));
        EXPECT_EQ(ui::Windows::loaded(QLatin1String(c.kind)), window);
        EXPECT_EQ(inRow ? cell(window, "Price", 0) : text(window, QLatin1String(c.box)), c.typed);
        EXPECT_EQ(count(QString::fromUtf8(c.count)), c.expected);
        EXPECT_EQ(count(QStringLiteral("select count(*) from sales")), 0);
        ui::Windows::unloadAll();
    }
}

TEST_F(BoxRefusals, AQuotationWhoseLinesChangedAtAnotherDeskIsNotWrittenOver)
{
    insert(QStringLiteral("product"), {{QStringLiteral("product"), QStringLiteral("扫描仪")}});
    const struct {
        const char* kind;
        const char* stale;
    } cases[] = {
        {"ChanceDetail", "机会报价未能保存：该机会报价已在别处被修改或删除，请关闭后重新打开再修改"},
        {"becomeOrder", "订单未能创建：该机会报价已在别处被修改或删除，请关闭后重新打开再转换"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        exec(QStringLiteral("update chanceMX set productname='打印机' where id=%1").arg(line));
        ui::Form* window = ready(QLatin1String(c.kind));
        // Another product of the same price: the header stays as it was.
        exec(QStringLiteral("update chanceMX set productname='扫描仪' where id=%1").arg(line));
        click(window, QStringLiteral("command1"));
        expectOnly(QString::fromUtf8(c.stale));
        EXPECT_EQ(column(QStringLiteral("chanceMX"), line, QStringLiteral("productname")), QStringLiteral("扫描仪"));
        EXPECT_EQ(count(QStringLiteral("select count(*) from chance")), 1);
        EXPECT_EQ(count(QStringLiteral("select count(*) from sales")), 0);
        ui::Windows::unloadAll();
    }
}

TEST_F(BoxRefusals, AClearedExpectedSaleDateIsClearedInTheHeaderAsInTheLines)
{
    ui::Form* window = ready(QStringLiteral("ChanceDetail"));
    keyIn(window->control<ui::TextBox>(QStringLiteral("salesdate")), QString());
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("机会报价修改操作成功！"));
    EXPECT_EQ(column(QStringLiteral("chance"), quotation, QStringLiteral("salesdate")), QString());
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from chanceMX where indexflag='q1' and salesdate is null")),
              QStringLiteral("1"));
}

} // namespace
