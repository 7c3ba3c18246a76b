// The opportunity windows: the new quotation with its lines, the editor that
// rewrites header and lines in one transaction, and the conversion of a
// quotation into a sales order.
#include "tests/pipeline/pipelinefixture.h"

#include "common/database.h"
#include "common/linerows.h"
#include "common/mymode.h"
#include "pipeline/chancedetail.h"
#include "platform/ui/windows.h"

namespace {

const QString kAdded = QStringLiteral("机会报价录入操作成功！");
const QString kChanged = QStringLiteral("机会报价修改操作成功！");
const QString kStale = QStringLiteral("机会报价未能保存：该机会报价已在别处被修改或删除，请关闭后重新打开再修改");

class Quotations : public PipelineTest {
protected:
    void SetUp() override
    {
        PipelineTest::SetUp();
        setNow(QDateTime(QDate(2026, 3, 10), QTime(10, 0)));
        setReferenceValues(QStringLiteral("programstate"), {QStringLiteral("初步接触"), QStringLiteral("谈判")});
        setReferenceValues(QStringLiteral("invoice"), {QStringLiteral("普通发票"), QStringLiteral("增值税发票")});
        addProduct(QStringLiteral("打印机"), QStringLiteral("A4 激光"));
        addProduct(QStringLiteral("墨盒"), QStringLiteral("黑色"));
        customer = addCustomer(QStringLiteral("华东贸易"));
    }

    void addProduct(const QString& name, const QString& model)
    {
        insert(QStringLiteral("product"), {{QStringLiteral("product"), name},
                                           {QStringLiteral("description"), model},
                                           {QStringLiteral("KCL"), QStringLiteral("50")}});
    }

    // Types a line into row `row` (made when missing), as the operator would.
    static void fillRow(ui::Form* window, int row, const QString& product, const QString& price,
                        const QString& quantity, const QString& discount = QStringLiteral("100"))
    {
        linerows::LineRows* rows = rowsOf(window);
        rows->addRow(row, linerows::RowOrder::Typed);
        rows->box(QStringLiteral("product"), row)->setText(product);
        rows->box(QStringLiteral("description"), row)->setText(QStringLiteral("型号") + product);
        rows->box(QStringLiteral("Price"), row)->setText(price);
        rows->box(QStringLiteral("zk"), row)->setText(discount);
        rows->box(QStringLiteral("num"), row)->setText(quantity);
    }

    // A new-quotation window for the customer with its header filled.
    ui::Form* newQuotation()
    {
        Mymode::CurrentRecordId = customer;
        ui::Form* window = open(QStringLiteral("AddChance"));
        type(window, QStringLiteral("chance_title"), QStringLiteral("年度采购"));
        type(window, QStringLiteral("chance_connect"), QStringLiteral("张三"));
        return window;
    }

    // A stored quotation with lines (product, quantity) under `key`.
    int addQuotation(const QString& key, const QList<QPair<QString, QString>>& lines,
                     const QMap<QString, QString>& columns = {})
    {
        QMap<QString, QString> all{{QStringLiteral("companyid"), QString::number(customer)},
                                   {QStringLiteral("chance_title"), QStringLiteral("老报价")},
                                   {QStringLiteral("chance_connect"), QStringLiteral("李四")},
                                   {QStringLiteral("Chance_No"), QStringLiteral("BJ-7")},
                                   {QStringLiteral("salesdate"), QStringLiteral("2026-4-1")},
                                   {QStringLiteral("chance_status"), QStringLiteral("谈判")},
                                   {QStringLiteral("invoicetype"), QStringLiteral("普通发票")},
                                   {QStringLiteral("chance_percent"), QStringLiteral("30%")},
                                   {QStringLiteral("description"), QStringLiteral("备注")},
                                   {QStringLiteral("field4"), QStringLiteral("第四")},
                                   {QStringLiteral("totalmoney"), QStringLiteral("999")},
                                   {QStringLiteral("indexflag"), key},
                                   {QStringLiteral("chance_CZZ"), QStringLiteral("老王")}};
        all.insert(columns);
        const int id = insert(QStringLiteral("chance"), all);
        for (const auto& [product, quantity] : lines)
            insert(QStringLiteral("chanceMX"), {{QStringLiteral("indexflag"), key},
                                                {QStringLiteral("companyid"), QString::number(customer)},
                                                {QStringLiteral("productname"), product},
                                                {QStringLiteral("price"), QStringLiteral("10")},
                                                {QStringLiteral("num"), quantity},
                                                {QStringLiteral("zk"), QStringLiteral("100")},
                                                {QStringLiteral("unitprice"), QString::number(10 * quantity.toInt())}});
        return id;
    }

    QStringList storedLines(const QString& table, const QString& key)
    {
        QStringList lines;
        auto rows = database::query(QStringLiteral("select productname,num from ") + table
                                    + QStringLiteral(" where indexflag='") + key + QStringLiteral("' order by id"));
        for (; !rows->eof(); rows->moveNext())
            lines << rows->field(0).toText() + QLatin1Char('x') + rows->field(1).toText();
        return lines;
    }

    int customer = 0;
};

TEST_F(Quotations, NewQuotationStartsWithTheCardsCustomerAndOneEmptyRow)
{
    setNow(QDateTime(QDate(2026, 1, 31), QTime(9, 0)));
    ui::Form* window = newQuotation();
    EXPECT_EQ(window->caption(), QStringLiteral("新建机会报价"));
    EXPECT_EQ(text(window, QStringLiteral("CustName")), QStringLiteral("华东贸易"));
    EXPECT_EQ(text(window, QStringLiteral("KH_ID")), QString::number(customer));
    EXPECT_EQ(text(window, QStringLiteral("salesdate")), QStringLiteral("2026-2-28"));
    EXPECT_EQ(window->control<ui::ComboBox>(QStringLiteral("chance_status"))->listCount(), 2);
    EXPECT_EQ(window->control<ui::ComboBox>(QStringLiteral("invoicetype"))->list(1), QStringLiteral("增值税发票"));
    auto* percent = window->control<ui::ComboBox>(QStringLiteral("chance_percent"));
    ASSERT_EQ(percent->listCount(), 10);
    EXPECT_EQ(percent->list(0) + percent->list(9), QStringLiteral("10%100%"));
    EXPECT_EQ(percent->text(), QString());
    EXPECT_EQ(window->control<ui::Frame>(QStringLiteral("Frame1"))->title(), QStringLiteral("产品报价"));
    EXPECT_TRUE(rowsOf(window)->rowExists(0));
    EXPECT_FALSE(rowsOf(window)->rowExists(1));
    EXPECT_FALSE(window->hasControl(QStringLiteral("dw")));
    EXPECT_EQ(text(window, QStringLiteral("totalMx")), QString());
    EXPECT_EQ(text(window, QStringLiteral("SelIndex")), QString());

    // A product picked into row 0 shows its number as 规格型号 and adds row 1.
    exec(QStringLiteral("update product set Product_no = 'P-01', price = 1200 where product = '打印机'"));
    ui::element<ui::PictureButton>(window, QStringLiteral("command3"), 0)->click();
    ui::Form* list = ui::Windows::loaded(QStringLiteral("productmgr"));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->control<ui::DataGrid>(QStringLiteral("DataGrid1"))->setCurrentKey(db::Variant(1)));
    list->control<ui::PictureButton>(QStringLiteral("command2"))->click();
    EXPECT_EQ(cell(window, "product", 0), QStringLiteral("打印机"));
    EXPECT_EQ(cell(window, "description", 0), QStringLiteral("P-01"));
    EXPECT_EQ(text(window, QStringLiteral("totalMx")), QStringLiteral("1200"));
    EXPECT_TRUE(rowsOf(window)->rowExists(1));
}

TEST_F(Quotations, NewQuotationChecksInOrderAndWritesNothing)
{
    Mymode::CurrentRecordId = 0;
    ui::Form* window = open(QStringLiteral("AddChance"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("机会概述不能为空"));   // before the missing customer
    type(window, QStringLiteral("chance_title"), QStringLiteral("  年度采购  "));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("机会联系人不能为空"));
    type(window, QStringLiteral("chance_connect"), QStringLiteral("张三"));
    for (const char* total : {"", "0", "abc"}) {
        type(window, QStringLiteral("totalMx"), QString::fromLatin1(total));
        click(window, QStringLiteral("command1"));
        expectOnly(QStringLiteral("机会报价没选择产品，不能创建机会"));
    }
    fillRow(window, 0, QStringLiteral("打印机"), QStringLiteral("10"), QStringLiteral("0"));
    EXPECT_EQ(text(window, QStringLiteral("totalMx")), QStringLiteral("0"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("机会报价没选择产品，不能创建机会"));
    fillRow(window, 0, QStringLiteral("打印机"), QStringLiteral("10"), QStringLiteral("2"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("公司名不存在"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from chance")) + count(QStringLiteral("select count(*) from chanceMX")), 0);
    EXPECT_TRUE(isOpen(QStringLiteral("AddChance")));
}

TEST_F(Quotations, NewQuotationStoresHeaderAndTheLinesOfTheWalk)
{
    ui::Form* window = newQuotation();
    type(window, QStringLiteral("chance_title"), QStringLiteral(" 年度采购 "));
    type(window, QStringLiteral("Chance_No"), QStringLiteral("BJ-1"));
    type(window, QStringLiteral("salesdate"), QStringLiteral("2026-4-15"));
    pick(window, QStringLiteral("chance_status"), QStringLiteral("谈判"));
    type(window, QStringLiteral("field4"), QStringLiteral("丁"));
    tick(window, QStringLiteral("GK"), true);
    fillRow(window, 0, QStringLiteral("打印机"), QStringLiteral("1200"), QStringLiteral("2"), QStringLiteral("90"));
    fillRow(window, 1, QStringLiteral("墨盒"), QStringLiteral("85.5"), QStringLiteral("3"));
    fillRow(window, 2, QStringLiteral("O'Brien 纸"), QStringLiteral("20"), QStringLiteral("5"));
    fillRow(window, 3, QStringLiteral("不计入"), QStringLiteral("1"), QStringLiteral(""));
    fillRow(window, 4, QStringLiteral("也不计入"), QStringLiteral("1"), QStringLiteral("1"));
    EXPECT_EQ(cell(window, "TotalSM", 0), QStringLiteral("2160"));
    EXPECT_EQ(text(window, QStringLiteral("totalMx")), QStringLiteral("2516.5"));
    click(window, QStringLiteral("command1"));

    expectOnly(kAdded);
    EXPECT_FALSE(isOpen(QStringLiteral("AddChance")));
    ASSERT_EQ(count(QStringLiteral("select count(*) from chance")), 1);
    const int id = scalar(QStringLiteral("select id from chance")).toInt();
    const QString key = column(QStringLiteral("chance"), id, QStringLiteral("indexflag"));
    EXPECT_FALSE(key.isEmpty());
    const QMap<QString, QString> header{
        {QStringLiteral("companyid"), QString::number(customer)}, {QStringLiteral("chance_title"), QStringLiteral(" 年度采购 ")},
        {QStringLiteral("Chance_No"), QStringLiteral("BJ-1")},    {QStringLiteral("salesdate"), QStringLiteral("2026-4-15")},
        {QStringLiteral("chance_status"), QStringLiteral("谈判")}, {QStringLiteral("chance_percent"), QString()},
        {QStringLiteral("invoicetype"), QString()},               {QStringLiteral("field4"), QStringLiteral("丁")},
        {QStringLiteral("totalmoney"), QStringLiteral("2516.5")},  {QStringLiteral("createtime"), QStringLiteral("2026-3-10")},
        {QStringLiteral("chance_GK"), QStringLiteral("1")},        {QStringLiteral("chance_CZZ"), QStringLiteral("system")}};
    for (auto it = header.begin(); it != header.end(); ++it)
        EXPECT_EQ(column(QStringLiteral("chance"), id, it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(storedLines(QStringLiteral("chanceMX"), key),
              (QStringList{QStringLiteral("打印机x2"), QStringLiteral("墨盒x3"), QStringLiteral("O'Brien 纸x5")}));
    EXPECT_EQ(count(QStringLiteral("select count(*) from chanceMX where companyid=%1 and salesdate='2026-04-15 00:00:00' "
                                   "and indexflag='%2'").arg(customer).arg(key)),
              3);
    EXPECT_EQ(scalar(QStringLiteral("select unitprice from chanceMX where productname='墨盒'")), QStringLiteral("256.5"));
}

// An expected sale date that is no date is refused by both windows before
// anything is written, and the typed text stays for correcting; an empty one
// stores no date.
TEST_F(Quotations, SaleDateThatIsNoDateIsRefusedAndKept)
{
    const QString refused = QStringLiteral("预计销售日不是一个合法的日期");
    ui::Form* window = newQuotation();
    fillRow(window, 0, QStringLiteral("打印机"), QStringLiteral("10"), QStringLiteral("2"));
    for (const char* date : {"下个月", "2026-2-30", "4/15"}) {
        type(window, QStringLiteral("salesdate"), QString::fromUtf8(date));
        click(window, QStringLiteral("command1"));
        expectOnly(refused);
        EXPECT_TRUE(isOpen(QStringLiteral("AddChance")));
        EXPECT_EQ(text(window, QStringLiteral("salesdate")), QString::fromUtf8(date));
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from chance")) + count(QStringLiteral("select count(*) from chanceMX")), 0);
    type(window, QStringLiteral("salesdate"), QStringLiteral("  "));
    click(window, QStringLiteral("command1"));
    expectOnly(kAdded);
    EXPECT_EQ(count(QStringLiteral("select count(*) from chanceMX where salesdate is null")), 1);

    const int id = addQuotation(QStringLiteral("k1"), {{QStringLiteral("打印机"), QStringLiteral("2")}});
    window = openFor(QStringLiteral("ChanceDetail"), id);
    type(window, QStringLiteral("salesdate"), QStringLiteral("月底"));
    click(window, QStringLiteral("command1"));
    expectOnly(refused);
    EXPECT_TRUE(isOpen(QStringLiteral("ChanceDetail")));
    EXPECT_EQ(text(window, QStringLiteral("salesdate")), QStringLiteral("月底"));
    EXPECT_EQ(column(QStringLiteral("chance"), id, QStringLiteral("salesdate")), QStringLiteral("2026-4-1"));
    type(window, QStringLiteral("salesdate"), QStringLiteral("2026-5-31"));
    click(window, QStringLiteral("command1"));
    expectOnly(kChanged);
    EXPECT_EQ(count(QStringLiteral("select count(*) from chanceMX where indexflag='k1' and salesdate='2026-05-31 00:00:00'")), 1);
}

TEST_F(Quotations, FailedLineInsertLeavesNoHeader)
{
    exec(QStringLiteral("create trigger refuse_lines before insert on chanceMX begin select raise(abort, 'disk full'); end"));
    ui::Form* window = newQuotation();
    fillRow(window, 0, QStringLiteral("打印机"), QStringLiteral("10"), QStringLiteral("1"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("机会报价未能保存：disk full"));
    EXPECT_TRUE(isOpen(QStringLiteral("AddChance")));
    EXPECT_EQ(cell(window, "product", 0), QStringLiteral("打印机"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from chance")), 0);
}

TEST_F(Quotations, EditorShowsEveryStoredLineAndTheStoredTotal)
{
    const int none = addQuotation(QStringLiteral("k0"), {});
    const int one = addQuotation(QStringLiteral("k1"), {{QStringLiteral("打印机"), QStringLiteral("2")}});
    const int three = addQuotation(QStringLiteral("k3"), {{QStringLiteral("墨盒"), QStringLiteral("4")},
                                                          {QStringLiteral("已下架"), QStringLiteral("1")},
                                                          {QStringLiteral("打印机"), QStringLiteral("2")}});
    struct Case { int id; int lines; };
    for (const Case& c : {Case{none, 0}, Case{one, 1}, Case{three, 3}}) {
        ui::Form* window = openFor(QStringLiteral("ChanceDetail"), c.id);
        const int emptyRow = std::max(c.lines, 1);
        EXPECT_TRUE(rowsOf(window)->rowExists(emptyRow)) << c.lines;
        EXPECT_FALSE(rowsOf(window)->rowExists(emptyRow + 1)) << c.lines;
        EXPECT_EQ(cell(window, "product", emptyRow), QString());
        EXPECT_EQ(text(window, QStringLiteral("totalMx")), QStringLiteral("999")) << c.lines;
        ui::Windows::unload(window);
    }
    ui::Form* window = openFor(QStringLiteral("ChanceDetail"), three);
    EXPECT_EQ(window->caption(), QStringLiteral("修改机会报价"));
    EXPECT_EQ(text(window, QStringLiteral("CustName")), QStringLiteral("华东贸易"));
    EXPECT_EQ(text(window, QStringLiteral("chance_status")), QStringLiteral("谈判"));
    EXPECT_EQ(text(window, QStringLiteral("invoicetype")), QStringLiteral("普通发票"));
    EXPECT_EQ(text(window, QStringLiteral("chance_percent")), QStringLiteral("30%"));
    EXPECT_EQ(text(window, QStringLiteral("salesdate")), QStringLiteral("2026-4-1"));
    EXPECT_EQ(text(window, QStringLiteral("QtContent")), QStringLiteral("备注"));
    EXPECT_EQ(text(window, QStringLiteral("field4")), QStringLiteral("老王"));
    EXPECT_EQ(window->control<ui::Label>(QStringLiteral("lbl_field4"))->caption(), QStringLiteral("操作者"));
    EXPECT_EQ(cell(window, "product", 0) + cell(window, "product", 1) + cell(window, "product", 2),
              QStringLiteral("墨盒已下架打印机"));
    EXPECT_EQ(cell(window, "description", 0), QStringLiteral("黑色"));
    EXPECT_EQ(cell(window, "description", 1), QString());
    EXPECT_EQ(cell(window, "num", 2), QStringLiteral("2"));
    EXPECT_TRUE(window->hasControl(QStringLiteral("command6")));
}

TEST_F(Quotations, EditorReplacesTheLinesUnderTheSameKeyAndKeepsTheOwner)
{
    const int other = addCustomer(QStringLiteral("西南物流"));
    const int id = addQuotation(QStringLiteral("k3"), {{QStringLiteral("墨盒"), QStringLiteral("4")},
                                                       {QStringLiteral("已下架"), QStringLiteral("1")}});
    addQuotation(QStringLiteral("kx"), {{QStringLiteral("打印机"), QStringLiteral("9")}});

    loginAs(QStringLiteral("clerk"), allRights().replace(QStringLiteral("e_chan=1;"), QStringLiteral("e_chan=0;")));
    ui::Form* window = openFor(QStringLiteral("ChanceDetail"), id);
    type(window, QStringLiteral("chance_title"), QString());
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("您无权修改机会报价资料"), ui::Icon::Error, QStringLiteral("修改资料"));

    loginAs(QStringLiteral("clerk"), allRights());
    type(window, QStringLiteral("chance_title"), QStringLiteral("改过的报价"));
    rowsOf(window)->box(QStringLiteral("num"), 0)->setText(QStringLiteral("6"));
    type(window, QStringLiteral("field4"), QStringLiteral("冒名"));
    type(window, QStringLiteral("CustName"), QStringLiteral("西南物流"));   // as the customer picker writes it
    type(window, QStringLiteral("KH_ID"), QString::number(other));
    click(window, QStringLiteral("command1"));

    expectOnly(kChanged);
    EXPECT_FALSE(isOpen(QStringLiteral("ChanceDetail")));
    EXPECT_EQ(column(QStringLiteral("chance"), id, QStringLiteral("chance_title")), QStringLiteral("改过的报价"));
    EXPECT_EQ(column(QStringLiteral("chance"), id, QStringLiteral("companyid")), QString::number(other));
    EXPECT_EQ(column(QStringLiteral("chance"), id, QStringLiteral("indexflag")), QStringLiteral("k3"));
    EXPECT_EQ(column(QStringLiteral("chance"), id, QStringLiteral("totalmoney")), QStringLiteral("70"));
    EXPECT_EQ(column(QStringLiteral("chance"), id, QStringLiteral("field4")), QStringLiteral("第四"));
    EXPECT_EQ(column(QStringLiteral("chance"), id, QStringLiteral("chance_CZZ")), QStringLiteral("老王"));
    EXPECT_EQ(storedLines(QStringLiteral("chanceMX"), QStringLiteral("k3")),
              (QStringList{QStringLiteral("墨盒x6"), QStringLiteral("已下架x1")}))
        << "a line whose product is gone survives the save";
    EXPECT_EQ(count(QStringLiteral("select count(*) from chanceMX where indexflag='k3' and companyid=%1").arg(other)), 2);
    EXPECT_EQ(storedLines(QStringLiteral("chanceMX"), QStringLiteral("kx")), QStringList{QStringLiteral("打印机x9")});
    EXPECT_EQ(Mymode::CurrentRecordId, other);
}

TEST_F(Quotations, EditorOfAKeylessQuotationGivesItAKey)
{
    const int id = addQuotation(QString(), {});
    addQuotation(QString(), {{QStringLiteral("打印机"), QStringLiteral("5")}});   // another key-less quotation's line
    ui::Form* window = openFor(QStringLiteral("ChanceDetail"), id);
    fillRow(window, 0, QStringLiteral("墨盒"), QStringLiteral("10"), QStringLiteral("1"));
    type(window, QStringLiteral("CustName"), QStringLiteral("手输的名字"));
    click(window, QStringLiteral("command1"));
    expectOnly(kChanged);
    const QString key = column(QStringLiteral("chance"), id, QStringLiteral("indexflag"));
    EXPECT_FALSE(key.isEmpty());
    EXPECT_EQ(storedLines(QStringLiteral("chanceMX"), key), QStringList{QStringLiteral("墨盒x1")});
    EXPECT_EQ(count(QStringLiteral("select count(*) from chanceMX where productname='打印机'")), 1);
    EXPECT_EQ(Mymode::CurrentRecordId, customer) << "no customer of the typed name: the id in KH_ID";
}

TEST_F(Quotations, EditorKeepsUnlistedChoicesAndRefusesAStaleOrFailedSave)
{
    const int id = addQuotation(QStringLiteral("k1"), {{QStringLiteral("打印机"), QStringLiteral("2")}},
                                {{QStringLiteral("chance_status"), QStringLiteral("旧状态")},
                                 {QStringLiteral("invoicetype"), QStringLiteral("收据")},
                                 {QStringLiteral("chance_percent"), QStringLiteral("15%")}});
    ui::Form* window = openFor(QStringLiteral("ChanceDetail"), id);
    exec(QStringLiteral("update chance set competiter = '对手' where id = %1").arg(id));
    rowsOf(window)->box(QStringLiteral("num"), 0)->setText(QStringLiteral("3"));
    click(window, QStringLiteral("command1"));
    expectOnly(kStale);
    EXPECT_EQ(storedLines(QStringLiteral("chanceMX"), QStringLiteral("k1")), QStringList{QStringLiteral("打印机x2")});
    ui::Windows::unload(window);

    exec(QStringLiteral("create trigger refuse_lines before insert on chanceMX begin select raise(abort, 'disk full'); end"));
    window = openFor(QStringLiteral("ChanceDetail"), id);
    rowsOf(window)->box(QStringLiteral("num"), 0)->setText(QStringLiteral("3"));
    type(window, QStringLiteral("chance_title"), QStringLiteral("改过"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("机会报价未能保存：disk full"));
    EXPECT_EQ(storedLines(QStringLiteral("chanceMX"), QStringLiteral("k1")), QStringList{QStringLiteral("打印机x2")});
    EXPECT_EQ(column(QStringLiteral("chance"), id, QStringLiteral("chance_title")), QStringLiteral("老报价"));

    exec(QStringLiteral("drop trigger refuse_lines"));
    click(window, QStringLiteral("command1"));
    expectOnly(kChanged);
    EXPECT_EQ(column(QStringLiteral("chance"), id, QStringLiteral("chance_status")), QStringLiteral("旧状态"));
    EXPECT_EQ(column(QStringLiteral("chance"), id, QStringLiteral("invoicetype")), QStringLiteral("收据"));
    EXPECT_EQ(column(QStringLiteral("chance"), id, QStringLiteral("chance_percent")), QStringLiteral("15%"));
    EXPECT_EQ(storedLines(QStringLiteral("chanceMX"), QStringLiteral("k1")), QStringList{QStringLiteral("打印机x3")});

    window = openFor(QStringLiteral("ChanceDetail"), id);
    exec(QStringLiteral("delete from chance"));
    click(window, QStringLiteral("command1"));
    expectOnly(kStale);
    ui::Windows::unload(window);
    window = openFor(QStringLiteral("ChanceDetail"), 4242);
    type(window, QStringLiteral("chance_title"), QStringLiteral("凭空"));
    type(window, QStringLiteral("chance_connect"), QStringLiteral("某人"));
    type(window, QStringLiteral("totalMx"), QStringLiteral("5"));
    type(window, QStringLiteral("KH_ID"), QString::number(customer));
    click(window, QStringLiteral("command1"));
    expectOnly(kStale);
    EXPECT_EQ(count(QStringLiteral("select count(*) from chance")), 0);
}

TEST_F(Quotations, EditorRefusesAQuotationWithoutCustomer)
{
    const int id = addQuotation(QStringLiteral("k1"), {{QStringLiteral("打印机"), QStringLiteral("2")}},
                                {{QStringLiteral("companyid"), QStringLiteral("999")}});
    ui::Form* window = openFor(QStringLiteral("ChanceDetail"), id);
    EXPECT_EQ(text(window, QStringLiteral("KH_ID")), QString());
    type(window, QStringLiteral("CustName"), QStringLiteral("手输的名字"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("公司名不存在"));
    EXPECT_EQ(column(QStringLiteral("chance"), id, QStringLiteral("companyid")), QStringLiteral("999"));
}

} // namespace
