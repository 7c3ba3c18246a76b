// The conversion of a quotation into a sales order, opened by name: the
// form filled from the quotation, the checks, the order with its lines
// written and the quotation deleted in one transaction, nothing else moved.
#include "tests/pipeline/pipelinefixture.h"

#include "common/database.h"
#include "common/linerows.h"
#include "common/mymode.h"
#include "pipeline/chancedetail.h"
#include "platform/ui/windows.h"

namespace {

const QString kConverted = QStringLiteral("订单录入操作成功！");

class Conversion : public PipelineTest {
protected:
    void SetUp() override
    {
        PipelineTest::SetUp();
        setNow(QDateTime(QDate(2026, 3, 10), QTime(10, 0)));
        setReferenceValues(QStringLiteral("invoice"), {QStringLiteral("普通发票"), QStringLiteral("增值税发票")});
        insert(QStringLiteral("product"), {{QStringLiteral("product"), QStringLiteral("打印机")},
                                           {QStringLiteral("description"), QStringLiteral("A4")},
                                           {QStringLiteral("KCL"), QStringLiteral("50")}});
        customer = insert(QStringLiteral("company"), {{QStringLiteral("company_name"), QStringLiteral("华东贸易")},
                                                      {QStringLiteral("KH_CZZ"), QStringLiteral("老王")},
                                                      {QStringLiteral("company_QK"), QStringLiteral("100")}});
        exec(QStringLiteral("delete from JSQ"));
        exec(QStringLiteral("insert into JSQ (Today, LSH, PrintOpt) values ('2026-3-10', 4, '不打印')"));
        quotation = insert(QStringLiteral("chance"), {{QStringLiteral("companyid"), QString::number(customer)},
                                                      {QStringLiteral("chance_title"), QStringLiteral("年度采购")},
                                                      {QStringLiteral("Chance_No"), QStringLiteral("BJ-7")},
                                                      {QStringLiteral("chance_connect"), QStringLiteral("李四")},
                                                      {QStringLiteral("salesdate"), QStringLiteral("2026-4-1")},
                                                      {QStringLiteral("invoicetype"), QStringLiteral("增值税发票")},
                                                      {QStringLiteral("description"), QStringLiteral("备注")},
                                                      {QStringLiteral("field2"), QStringLiteral("乙")},
                                                      {QStringLiteral("totalmoney"), QStringLiteral("250")},
                                                      {QStringLiteral("indexflag"), QStringLiteral("q1")},
                                                      {QStringLiteral("chance_CZZ"), QStringLiteral("老王")}});
        addLine(QStringLiteral("打印机"), QStringLiteral("2"));
        addLine(QStringLiteral("已下架"), QStringLiteral("1"));
        addLine(QStringLiteral("打印机"), QStringLiteral("3"));
    }

    void addLine(const QString& product, const QString& quantity)
    {
        insert(QStringLiteral("chanceMX"), {{QStringLiteral("indexflag"), QStringLiteral("q1")},
                                            {QStringLiteral("companyid"), QString::number(customer)},
                                            {QStringLiteral("productname"), product},
                                            {QStringLiteral("price"), QStringLiteral("50")},
                                            {QStringLiteral("num"), quantity},
                                            {QStringLiteral("zk"), QStringLiteral("100")},
                                            {QStringLiteral("unitprice"), QString::number(50 * quantity.toInt())}});
    }

    // Opens the conversion as the opportunity editor's hand-over does.
    ui::Form* openConversion()
    {
        Mymode::CurrentRecordId = quotation;
        auto* editor = dynamic_cast<pipeline::ChanceDetail*>(ui::Windows::open(QStringLiteral("ChanceDetail")));
        editor->OpenConvertToOrder();
        EXPECT_FALSE(isOpen(QStringLiteral("ChanceDetail")));
        return ui::Windows::loaded(QStringLiteral("becomeOrder"));
    }

    int customer = 0;
    int quotation = 0;
};

TEST_F(Conversion, FormIsFilledFromTheQuotation)
{
    const int newer = addCustomer(QStringLiteral("西南物流"));
    ui::Form* window = openConversion();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->caption(), QStringLiteral("机会报价转订单"));
    auto* names = window->control<ui::ComboBox>(QStringLiteral("CustName"));
    ASSERT_EQ(names->listCount(), 2);
    EXPECT_EQ(names->list(0), QStringLiteral("西南物流")) << newer << ": the highest id first";
    EXPECT_EQ(names->text(), QStringLiteral("华东贸易"));
    const QMap<QString, QString> boxes{
        {QStringLiteral("sales_title"), QStringLiteral("年度采购")}, {QStringLiteral("orderno"), QStringLiteral("BJ-7")},
        {QStringLiteral("sales_connect"), QStringLiteral("李四")},   {QStringLiteral("salesdate"), QStringLiteral("2026-4-1")},
        {QStringLiteral("totalMx"), QStringLiteral("250")},          {QStringLiteral("receivemoney"), QStringLiteral("250")},
        {QStringLiteral("invoicemoney"), QStringLiteral("250")},     {QStringLiteral("invoicetype"), QStringLiteral("增值税发票")},
        {QStringLiteral("moneytype"), QString()},                    {QStringLiteral("HtContent"), QStringLiteral("备注")},
        {QStringLiteral("field2"), QStringLiteral("乙")}};
    for (auto it = boxes.begin(); it != boxes.end(); ++it)
        EXPECT_EQ(text(window, it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(window->control<ui::ComboBox>(QStringLiteral("moneytype"))->listCount(), 5);
    EXPECT_EQ(window->control<ui::Frame>(QStringLiteral("Frame1"))->title(), QStringLiteral("销售产品"));
    EXPECT_EQ(cell(window, "product", 0) + cell(window, "product", 1) + cell(window, "product", 2),
              QStringLiteral("打印机已下架打印机"));
    EXPECT_EQ(cell(window, "description", 0), QStringLiteral("A4"));
    EXPECT_EQ(cell(window, "product", 3), QString());
    EXPECT_FALSE(rowsOf(window)->rowExists(4));

    // The amounts received and invoiced keep the quotation total when lines change.
    rowsOf(window)->box(QStringLiteral("num"), 0)->setText(QStringLiteral("4"));
    EXPECT_EQ(text(window, QStringLiteral("totalMx")), QStringLiteral("400"));
    EXPECT_EQ(text(window, QStringLiteral("receivemoney")), QStringLiteral("250"));
    EXPECT_EQ(text(window, QStringLiteral("invoicemoney")), QStringLiteral("250"));

    // The collection reminder: seven days ahead whenever it is ticked.
    EXPECT_TRUE(window->control<ui::TextBox>(QStringLiteral("CkDate"))->isHidden());
    tick(window, QStringLiteral("ckflag"), true);
    EXPECT_FALSE(window->control<ui::TextBox>(QStringLiteral("CkDate"))->isHidden());
    EXPECT_FALSE(window->control<ui::Label>(QStringLiteral("Label25"))->isHidden());
    EXPECT_EQ(text(window, QStringLiteral("CkDate")), QStringLiteral("2026-3-17"));
    type(window, QStringLiteral("CkDate"), QStringLiteral("2026-5-1"));
    tick(window, QStringLiteral("ckflag"), false);
    EXPECT_TRUE(window->control<ui::Label>(QStringLiteral("Label26"))->isHidden());
    EXPECT_EQ(text(window, QStringLiteral("CkDate")), QStringLiteral("2026-5-1"));
    tick(window, QStringLiteral("ckflag"), true);
    EXPECT_EQ(text(window, QStringLiteral("CkDate")), QStringLiteral("2026-3-17"));
}

TEST_F(Conversion, CustomerOutsideTheRecordScopeIsNotSelected)
{
    loginAs(QStringLiteral("clerk"), allRights(QStringLiteral("3")));
    const int own = insert(QStringLiteral("company"), {{QStringLiteral("company_name"), QStringLiteral("自己的客户")},
                                                        {QStringLiteral("KH_CZZ"), QStringLiteral("clerk")}});
    ui::Form* window = openConversion();
    auto* names = window->control<ui::ComboBox>(QStringLiteral("CustName"));
    ASSERT_EQ(names->listCount(), 1) << own;
    EXPECT_EQ(names->text(), QString());
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("客户名称不能为空"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from sales")), 0);
}

TEST_F(Conversion, ChecksInOrder)
{
    ui::Form* window = openConversion();
    const struct {
        const char* box;
        const char* value;
        const char* message;
    } cases[] = {
        {"sales_title", " ", "销售概述不能为空"},
        {"sales_connect", "  ", "联系人不能为空"},
        {"totalMx", "", "销售产品非法，不能创建订单合同"},
        {"totalMx", " 0 ", "销售产品非法，不能创建订单合同"},
        {"totalMx", "Err", "销售产品非法，不能创建订单合同"},
        // The sales reports select the order and its lines by this date.
        {"salesdate", "下个月", "销售日期不是一个合法的日期"},
        {"salesdate", "2026-2-30", "销售日期不是一个合法的日期"},
        {"salesdate", " ", "销售日期不能为空"},
    };
    for (const auto& c : cases) {
        const QString box = QString::fromLatin1(c.box);
        const QString before = text(window, box);
        type(window, box, QString::fromUtf8(c.value));
        click(window, QStringLiteral("command1"));
        expectOnly(QString::fromUtf8(c.message));
        EXPECT_EQ(ui::Windows::loaded(QStringLiteral("becomeOrder")), window) << c.value;
        EXPECT_EQ(text(window, box), QString::fromUtf8(c.value)) << "the typed text stays";
        type(window, box, before);
    }
    tick(window, QStringLiteral("ckflag"), true);
    type(window, QStringLiteral("CkDate"), QStringLiteral("下周"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("催款日期非法，不能创建订单合同"));
    tick(window, QStringLiteral("ckflag"), false);

    exec(QStringLiteral("delete from company where id = %1").arg(customer));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("公司名不存在"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from sales")) + count(QStringLiteral("select count(*) from SalesMX")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from chance")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from chanceMX")), 3) << "the quotation keeps its lines";
}

TEST_F(Conversion, OrderIsWrittenAndTheQuotationWithAllItsLinesDeleted)
{
    ui::Form* window = openConversion();
    rowsOf(window)->box(QStringLiteral("num"), 1)->setText(QString());   // ends the lines after row 0
    EXPECT_EQ(text(window, QStringLiteral("totalMx")), QStringLiteral("100"));
    type(window, QStringLiteral("totalMx"), QStringLiteral("0.00"));   // a zero written with decimals passes
    pick(window, QStringLiteral("moneytype"), QStringLiteral("美元"));
    tick(window, QStringLiteral("ckflag"), true);
    Mymode::CurrentRecordId = 4242;   // the window keeps the quotation it loaded
    click(window, QStringLiteral("command1"));

    expectOnly(kConverted);
    EXPECT_FALSE(isOpen(QStringLiteral("becomeOrder")));
    ASSERT_EQ(count(QStringLiteral("select count(*) from sales")), 1);
    const int order = scalar(QStringLiteral("select id from sales")).toInt();
    const QString key = column(QStringLiteral("sales"), order, QStringLiteral("indexflag"));
    EXPECT_FALSE(key.isEmpty());
    const QMap<QString, QString> header{
        {QStringLiteral("companyid"), QString::number(customer)}, {QStringLiteral("sales_title"), QStringLiteral("年度采购")},
        {QStringLiteral("orderno"), QStringLiteral("BJ-7")},      {QStringLiteral("sales_connect"), QStringLiteral("李四")},
        {QStringLiteral("salesdate"), QStringLiteral("2026-4-1")}, {QStringLiteral("moneytype"), QStringLiteral("美元")},
        {QStringLiteral("totlemoney"), QStringLiteral("0")},       {QStringLiteral("invoicetype"), QStringLiteral("增值税发票")},
        {QStringLiteral("receivemoney"), QStringLiteral("250")},   {QStringLiteral("invoicemoney"), QStringLiteral("250")},
        {QStringLiteral("description"), QStringLiteral("备注")},   {QStringLiteral("ckflag"), QStringLiteral("1")},
        {QStringLiteral("ckdate"), QStringLiteral("2026-3-17")},   {QStringLiteral("field2"), QStringLiteral("乙")},
        {QStringLiteral("createtime"), QStringLiteral("2026-3-10")}, {QStringLiteral("sal_CZZ"), QString()},
        {QStringLiteral("sal_gk"), QString()},                     {QStringLiteral("TotalNum"), QString()}};
    for (auto it = header.begin(); it != header.end(); ++it)
        EXPECT_EQ(column(QStringLiteral("sales"), order, it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX where indexflag='%1' and companyid=%2 "
                                   "and productname='打印机' and num=2").arg(key).arg(customer)),
              1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from chance")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from chanceMX")), 0) << "every line of the quotation goes";
    EXPECT_EQ(scalar(QStringLiteral("select KCL from product")), QStringLiteral("50"));
    EXPECT_EQ(scalar(QStringLiteral("select company_QK from company")), QStringLiteral("100"));
    EXPECT_EQ(scalar(QStringLiteral("select company_zje from company")), QString());
    EXPECT_EQ(scalar(QStringLiteral("select LSH from JSQ")), QStringLiteral("4"));
}

TEST_F(Conversion, OrderGoesToTheChosenEntryOfTwoCustomersOfOneName)
{
    const int twin = insert(QStringLiteral("company"), {{QStringLiteral("company_name"), QStringLiteral("华东贸易")}});
    ui::Form* window = openConversion();
    auto* names = window->control<ui::ComboBox>(QStringLiteral("CustName"));
    ASSERT_EQ(names->listCount(), 2);
    EXPECT_EQ(names->listIndex(), 1) << "the quotation's own entry, not the first of that name";
    names->pick(0);
    click(window, QStringLiteral("command1"));
    expectOnly(kConverted);
    EXPECT_EQ(scalar(QStringLiteral("select companyid from sales")), QString::number(twin));
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX where companyid=%1").arg(twin)), 3);
}

TEST_F(Conversion, FailedOrStaleConversionKeepsTheQuotationAndWritesNoOrder)
{
    exec(QStringLiteral("create trigger refuse_lines before insert on SalesMX begin select raise(abort, 'disk full'); end"));
    ui::Form* window = openConversion();
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("订单未能创建：disk full"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("becomeOrder")), window);
    EXPECT_EQ(count(QStringLiteral("select count(*) from sales")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from chance")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from chanceMX")), 3);
    exec(QStringLiteral("drop trigger refuse_lines"));

    exec(QStringLiteral("update chance set chance_title = '别处改过' where id = %1").arg(quotation));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("订单未能创建：该机会报价已在别处被修改或删除，请关闭后重新打开再转换"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from sales")), 0);
    ui::Windows::unload(window);

    // Converted elsewhere meanwhile: it is never converted twice.
    window = openConversion();
    ui::Form* second = window;
    exec(QStringLiteral("delete from chanceMX"));
    exec(QStringLiteral("delete from chance"));
    click(second, QStringLiteral("command1"));
    expectOnly(QStringLiteral("订单未能创建：该机会报价已在别处被修改或删除，请关闭后重新打开再转换"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from sales")), 0);
}

} // namespace
