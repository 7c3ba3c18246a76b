// What the boxes of the activity, quotation, conversion and service windows
// may hold: a text its column cannot take is refused before anything is
// stored, naming the box, and the window keeps it; a quotation changed at
// another desk, its lines included, is never written over.
#include "tests/pipeline/pipelinefixture.h"

#include "common/mymode.h"
#include "platform/ui/windows.h"

#include <QTest>

namespace {

class BoxRefusals : public PipelineTest {
protected:
    void SetUp() override
    {
        PipelineTest::SetUp();
        setNow(QDateTime(QDate(2026, 3, 1), QTime(10, 0)));
        const QString of = QString::number(customer = addCustomer("华东贸易"));
        insert("product", {{"product", "打印机"}});
        activity = insert("KH_ACT", {{"companyid", of}, {"ActionTitle", "回访"}, {"Action_Connect", "李四"}});
        service = insert("service", {{"companyid", of}, {"service_title", "卡纸"}, {"service_connect", "李四"}, {"service_type", "维修"}});
        quotation = insert("chance", {{"companyid", of}, {"chance_title", "年度采购"}, {"Chance_No", "BJ-7"}, {"chance_connect", "李四"},
                                      {"salesdate", "2026-4-1"}, {"totalmoney", "100"}, {"indexflag", "q1"}});
        line = insert("chanceMX", {{"indexflag", "q1"}, {"productname", "打印机"}, {"price", "50"}, {"num", "2"}, {"zk", "100"},
                                   {"unitprice", "100"}, {"salesdate", "2026-4-1"}});
    }

    // A window ready to save: a new record with its required boxes filled,
    // or an editor of the stored one.
    ui::Form* ready(const QString& kind)
    {
        Mymode::CurrentRecordId = customer;
        if (kind == "ActionDetal") return openFor(kind, activity);
        if (kind == "ServiceDetal") return openFor(kind, service);
        if (kind == "ChanceDetail" || kind == "becomeOrder") return openFor(kind, quotation);
        ui::Form* window = open(kind);
        if (kind == "ActionAdd") type(window, "ActionTitle", "回访");
        if (kind == "ServiceAdd") {
            type(window, "service_title", "卡纸");
            type(window, "service_connect", "张三");
            pick(window, "service_type", "维修");
        }
        if (kind == "AddChance") {
            type(window, "chance_title", "新报价");
            type(window, "chance_connect", "张三");
            for (int row : {0, 1}) {
                rowsOf(window)->addRow(row, linerows::RowOrder::Typed);
                for (const auto& [box, value] : {std::pair{"product", "打印机"}, {"Price", "50"}, {"zk", "100"}, {"num", "1"}})
                    rowsOf(window)->box(box, row)->setText(value);
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
    exec("insert into servertype (servertype) values ('维修')");
    const QString sixty(60, QChar(0x5F20));
    const char* const tooLong = "联系人太长，最多50个字";
    const char* const noNumber = "收款金额必须是数字";
    const struct {
        const char* kind;
        const char* box;          // a header box, or "Price" of row 0
        QString typed;
        const char* refusal;
        const char* kept;         // rows still counted after "select count(*) from "
        int expected;
    } cases[] = {
        {"ActionAdd", "Action_Connect", sixty, tooLong, "KH_ACT", 1},
        {"ActionAdd", "field1", QString(120, QLatin1Char('x')), "自定义字段1太长，最多100个字", "KH_ACT", 1},
        {"ActionDetal", "Action_Connect", sixty, tooLong, "KH_ACT where Action_Connect='李四'", 1},
        {"ServiceAdd", "service_connect", sixty, tooLong, "service", 1},
        {"ServiceDetal", "service_connect", sixty, tooLong, "service where service_connect='李四'", 1},
        {"AddChance", "chance_connect", sixty, tooLong, "chance", 1},
        {"AddChance", "Price", "1O0", "第1行单价必须是数字", "chance", 1},
        {"ChanceDetail", "Chance_No", QString(58, QLatin1Char('9')), "报价单号太长，最多50个字", "chance where Chance_No='BJ-7'", 1},
        {"ChanceDetail", "totalMx", "1E+16", "总计太大，最多922337203685477.5807", "chance where totalmoney=100", 1},
        {"becomeOrder", "sales_connect", sixty, tooLong, "chanceMX", 1},
        {"becomeOrder", "receivemoney", "abc", noNumber, "chance", 1},
        {"becomeOrder", "receivemoney", "1,000.50", noNumber, "sales", 0},
        {"becomeOrder", "receivemoney", "一千", noNumber, "chance", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.box);
        ui::Form* window = ready(c.kind);
        const bool inRow = qstrcmp(c.box, "Price") == 0;
        keyIn(inRow ? rowsOf(window)->box(c.box, 0) : window->control<ui::TextBox>(c.box), c.typed);
        if (inRow) EXPECT_EQ(cell(window, "TotalSM", 0), "Err");
        click(window, "command1");
        expectOnly(c.refusal);
        EXPECT_EQ(ui::Windows::loaded(c.kind), window);
        EXPECT_EQ(inRow ? cell(window, c.box, 0) : text(window, c.box), c.typed);
        EXPECT_EQ(count(QStringLiteral("select count(*) from ") + c.kept), c.expected);
        EXPECT_EQ(count("select count(*) from sales"), 0);
        ui::Windows::unloadAll();
    }
}

TEST_F(BoxRefusals, AQuotationWhoseLinesChangedAtAnotherDeskIsNotWrittenOver)
{
    insert("product", {{"product", "扫描仪"}});
    const struct {
        const char* kind;
        const char* stale;
    } cases[] = {
        {"ChanceDetail", "机会报价未能保存：该机会报价已在别处被修改或删除，请关闭后重新打开再修改"},
        {"becomeOrder", "订单未能创建：该机会报价已在别处被修改或删除，请关闭后重新打开再转换"},
    };
    const QString setProduct = QStringLiteral("update chanceMX set productname='%1' where id=%2");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        exec(setProduct.arg("打印机").arg(line));
        ui::Form* window = ready(c.kind);
        // Another product of the same price: the header stays as it was.
        exec(setProduct.arg("扫描仪").arg(line));
        click(window, "command1");
        expectOnly(c.stale);
        EXPECT_EQ(column("chanceMX", line, "productname"), "扫描仪");
        EXPECT_EQ(count("select count(*) from chance"), 1);
        EXPECT_EQ(count("select count(*) from sales"), 0);
        ui::Windows::unloadAll();
    }
}

TEST_F(BoxRefusals, AClearedExpectedSaleDateIsClearedInTheHeaderAsInTheLines)
{
    ui::Form* window = ready("ChanceDetail");
    keyIn(window->control<ui::TextBox>("salesdate"), QString());
    click(window, "command1");
    expectOnly("机会报价修改操作成功！");
    EXPECT_EQ(column("chance", quotation, "salesdate"), QString());
    EXPECT_EQ(scalar("select count(*) from chanceMX where indexflag='q1' and salesdate is null"), "1");
}

} // namespace
