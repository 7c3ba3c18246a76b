// The purchase order: its load, the stored header and lines, stock raised by
// exact name, the supplier's balances by payment mode, the refusals, and a
// failing save or a missing supplier.
#include "tests/sales/supplierfixture.h"

#include "common/database.h"
#include "platform/db/locale.h"
#include "platform/ui/windows.h"

namespace {

class Purchase : public SupplierTest {
protected:
    ui::Form* openPurchase() { return ui::Windows::open(QStringLiteral("frmJHd")); }
    // Fills line `row` as a pick would leave it, with this price and quantity.
    void line(ui::Form* window, int row, const QString& name, const QString& price, const QString& quantity)
    {
        rowsOf(window)->addRow(row, linerows::RowOrder::Picked);
        type(window, QStringLiteral("product"), row, name);
        type(window, QStringLiteral("Price"), row, price);
        type(window, QStringLiteral("num"), row, quantity);
    }
    // Every purchase row and the stock, as one text.
    QString purchaseTables()
    {
        return dump({"select * from Jhd", "select * from JhMX", "select product,KCL from product order by id",
                     "select GYS_MC,GYS_WFJE,GYS_ZJE,GYS_ZSL,GYS_QT from GYS order by GYS_ID"});
    }
};

TEST_F(Purchase, LoadListsNamedSuppliersAndProposesTheNumber)
{
    addSupplier(QStringLiteral("甲"));
    exec(QStringLiteral("insert into GYS (GYS_DH) values ('no name')"));   // a missing name is skipped
    exec(QStringLiteral("insert into GYS (GYS_MC, GYS_DH) values ('', 'empty name')"));
    addSupplier(QStringLiteral("乙"));
    const QDateTime before = db::locale::now();
    ui::Form* window = openPurchase();
    auto* supplier = window->control<ui::ComboBox>(QStringLiteral("GYS_MC"));
    ASSERT_EQ(supplier->listCount(), 3);
    EXPECT_EQ(supplier->list(0), QStringLiteral("甲"));
    EXPECT_EQ(supplier->list(1), QString());
    EXPECT_EQ(supplier->list(2), QStringLiteral("乙"));
    EXPECT_EQ(supplier->text(), QString());
    EXPECT_EQ(boxText(window, QStringLiteral("Sal_Date")), db::locale::shortDate(before.date()));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("0"));
    EXPECT_EQ(boxText(window, QStringLiteral("receivemoney")), QStringLiteral("0"));
    const QString number = boxText(window, QStringLiteral("Sal_NO"));
    EXPECT_TRUE(number.startsWith(QStringLiteral("JH") + before.toString(QStringLiteral("yyM"))))
        << number.toStdString();

    // Purchase lines: no unit or discount, names and numbers only by the button,
    // price x quantity, the amount paid left as typed.
    EXPECT_EQ(box(window, QStringLiteral("dw"), 0), nullptr);
    EXPECT_EQ(box(window, QStringLiteral("zk"), 0), nullptr);
    EXPECT_TRUE(box(window, QStringLiteral("product"), 0)->isReadOnly());
    EXPECT_TRUE(box(window, QStringLiteral("description"), 0)->isReadOnly());
    EXPECT_EQ(box(window, QStringLiteral("product"), 0)->toolTip(), QStringLiteral("点前面的按钮选产品"));
    line(window, 0, QStringLiteral("Bolt"), QStringLiteral("2.5"), QStringLiteral("3"));
    line(window, 1, QStringLiteral("Nut"), QStringLiteral("0.125"), QStringLiteral("1"));
    // Halves go to the even neighbour.
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 1), QStringLiteral("0.12"));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("7.62"));
    EXPECT_EQ(boxText(window, QStringLiteral("receivemoney")), QStringLiteral("0"));
    EXPECT_TRUE(box(window, QStringLiteral("description"), 1)->isReadOnly());
}

TEST_F(Purchase, FullSaveStoresEveryColumnAndRaisesStockByExactName)
{
    const int supplier = addSupplier(QStringLiteral("甲"), QStringLiteral("现金"), QStringLiteral("100"), QStringLiteral("1000"),
                                     QStringLiteral("10"));
    const int bolt = addProduct(QStringLiteral("Bolt"), QStringLiteral("B1"), QStringLiteral("9"), QStringLiteral("只"), QStringLiteral("5"));
    const int lower = addProduct(QStringLiteral("bolt"), QStringLiteral("B2"), QStringLiteral("9"), QStringLiteral("只"), QStringLiteral("5"));
    const int nut = addProduct(QStringLiteral("Nut"), QStringLiteral("N1"), QStringLiteral("1"), QStringLiteral("个"), QString());

    ui::Form* window = openPurchase();
    setText(window, "GYS_MC", QStringLiteral("甲"));
    setText(window, "Sal_NO", QStringLiteral("JH2612991"));
    setText(window, "Sal_Date", QStringLiteral("2026-12-9"));
    setText(window, "Sal_BZ", QStringLiteral("月初进货"));
    line(window, 0, QStringLiteral("Bolt"), QStringLiteral("2"), QStringLiteral("3"));
    line(window, 1, QStringLiteral("Nut"), QStringLiteral("1.5"), QStringLiteral("4"));
    line(window, 2, QStringLiteral("Bolt"), QStringLiteral("2"), QStringLiteral("1"));
    setText(window, "receivemoney", QStringLiteral("5"));
    ASSERT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("14"));
    click(window, "command1");
    expectOnly(QStringLiteral("销售单录入操作成功！"));
    EXPECT_FALSE(isLoaded("frmJHd"));

    auto header = database::query(QStringLiteral("select * from Jhd"));
    ASSERT_FALSE(header->eof());
    const QString key = header->field(QStringLiteral("indexflag")).toText();
    EXPECT_EQ(header->field(QStringLiteral("JHD_NO")).toText(), QStringLiteral("JH2612991"));
    EXPECT_EQ(header->field(QStringLiteral("GYS_MC")).toText(), QStringLiteral("甲"));
    EXPECT_EQ(header->field(QStringLiteral("JHD_DATE")).toText(), QStringLiteral("2026-12-9"));
    EXPECT_EQ(header->field(QStringLiteral("JHD_JE")).toText(), QStringLiteral("14"));
    EXPECT_EQ(header->field(QStringLiteral("JHD_SKJE")).toText(), QStringLiteral("5"));
    EXPECT_EQ(header->field(QStringLiteral("JHD_BZ")).toText(), QStringLiteral("月初进货"));
    EXPECT_GE(key.size(), 15);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Jhd")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from JhMX where indexflag<>'%1'").arg(key)), 0);

    auto lines = database::query(QStringLiteral("select productname,GYS_ID,price,num,unitprice,JH_DATE,Hpnum from JhMX"));
    QStringList stored;
    for (; !lines->eof(); lines->moveNext()) {
        QStringList values;
        for (int i = 0; i < lines->fieldCount(); ++i) values << lines->field(i).toText();
        stored << values.join(QLatin1Char('|'));
    }
    EXPECT_EQ(stored, (QStringList{QStringLiteral("Bolt|甲|2|3|6|2026-12-9|"), QStringLiteral("Nut|甲|1.5|4|6|2026-12-9|"),
                                   QStringLiteral("Bolt|甲|2|1|2|2026-12-9|")}));

    // One product on two lines is raised twice; a name differing in case is not
    // raised; an empty stock counts from 0.
    EXPECT_EQ(stockOf(bolt), 9);
    EXPECT_EQ(stockOf(lower), 5);
    EXPECT_EQ(stockOf(nut), 4);
    EXPECT_EQ(supplierBalances(supplier), QStringLiteral("109/1014/18"));
    EXPECT_EQ(scalar(QStringLiteral("select GYS_QT from GYS")), QString());
}

TEST_F(Purchase, PaymentModesDecideTheUnpaidAmount)
{
    struct Case {
        const char* mode;
        const char* paid;
        const char* after;   // unpaid/total/quantity
    };
    const Case cases[] = {{"现金", "4", "6/10/5"}, {"月结", "0", "10/10/5"}, {"现金 ", "0", "0/10/5"},
                          {"", "0", "0/10/5"},   {"月结", "25", "-15/10/5"}};
    int number = 0;
    for (const Case& each : cases) {
        const QString name = QStringLiteral("S%1").arg(++number);
        const int supplier = addSupplier(name, QString::fromUtf8(each.mode));
        ui::Form* window = openPurchase();
        setText(window, "GYS_MC", name);
        line(window, 0, QStringLiteral("Bolt"), QStringLiteral("2"), QStringLiteral("5"));
        setText(window, "receivemoney", QString::fromLatin1(each.paid));
        click(window, "command1");
        messages.clear();
        EXPECT_EQ(supplierBalances(supplier), QString::fromLatin1(each.after)) << each.mode << " paid " << each.paid;
    }
}

TEST_F(Purchase, ABalanceBeyondTheCurrencyRangeIsRefused)
{
    const int supplier = addSupplier(QStringLiteral("甲"), QStringLiteral("现金"), QStringLiteral("9223372036854770000"));
    ui::Form* window = openPurchase();
    setText(window, "GYS_MC", QStringLiteral("甲"));
    line(window, 0, QStringLiteral("Bolt"), QStringLiteral("2"), QStringLiteral("5"));
    const QString before = purchaseTables();
    click(window, "command1");
    expectOnly(QStringLiteral("供应商的余额将超出金额的范围，进货单没有保存"));
    EXPECT_EQ(purchaseTables(), before);
    EXPECT_EQ(supplierBalances(supplier), QStringLiteral("922337203685477/0/0"));
    EXPECT_TRUE(isLoaded("frmJHd"));
}

TEST_F(Purchase, RefusalsStoreNothingAndKeepTheWindow)
{
    addSupplier(QStringLiteral("甲"));
    const int bolt = addProduct(QStringLiteral("Bolt"), QStringLiteral("B1"));
    const QString before = purchaseTables();
    ui::Form* window = openPurchase();
    line(window, 0, QStringLiteral("Bolt"), QStringLiteral("2"), QStringLiteral("5"));
    setText(window, "GYS_MC", QStringLiteral("  "));
    click(window, "command1");
    expectOnly(QStringLiteral("供应商不能为空"));

    setText(window, "GYS_MC", QStringLiteral("甲"));
    type(window, QStringLiteral("Price"), 0, QStringLiteral("x"));   // the total drops to 0
    click(window, "command1");
    expectOnly(QStringLiteral("销售商品输入有错误，不能创建订单合同"));
    setText(window, "totalMx", QStringLiteral("abc"));
    click(window, "command1");
    expectOnly(QStringLiteral("销售商品输入有错误，不能创建订单合同"));

    type(window, QStringLiteral("Price"), 0, QStringLiteral("2"));
    for (const char* paid : {"五元", ""}) {
        setText(window, "receivemoney", QString::fromUtf8(paid));
        click(window, "command1");
        expectOnly(QStringLiteral("付款金额输入有错误，不能创建进货单"));
    }
    // A date left empty or that is no date would leave every line undated, in
    // none of the stock report's lists: refused naming the box, the text kept.
    setText(window, "receivemoney", QStringLiteral("0"));
    const struct {
        const char* date;
        const char* message;
    } dates[] = {
        {"今天", "日期不是一个合法的日期"},
        {"2026-2-30", "日期不是一个合法的日期"},
        {"", "日期不能为空"},
        {"   ", "日期不能为空"},
    };
    for (const auto& c : dates) {
        setText(window, "Sal_Date", QString::fromUtf8(c.date));
        click(window, "command1");
        expectOnly(QString::fromUtf8(c.message));
        EXPECT_EQ(boxText(window, QStringLiteral("Sal_Date")), QString::fromUtf8(c.date));
    }
    // A number longer than its column is refused, not stored empty.
    setText(window, "Sal_Date", QStringLiteral("2026-12-8"));
    setText(window, "Sal_NO", QString(60, QLatin1Char('7')));
    click(window, "command1");
    expectOnly(QStringLiteral("NO太长，最多50个字"));
    EXPECT_TRUE(isLoaded("frmJHd"));
    EXPECT_EQ(purchaseTables(), before);
    EXPECT_EQ(stockOf(bolt), 10);
}

TEST_F(Purchase, AFailingLineWriteLeavesEverythingAsItWas)
{
    const int supplier = addSupplier(QStringLiteral("甲"), QStringLiteral("月结"), QStringLiteral("1"), QStringLiteral("2"),
                                     QStringLiteral("3"));
    addProduct(QStringLiteral("Bolt"), QStringLiteral("B1"));
    addProduct(QStringLiteral("Nut"), QStringLiteral("N1"));
    exec(QStringLiteral("create trigger refuse_line before insert on JhMX when NEW.productname = 'Nut' "
                        "begin select raise(abort, 'line refused'); end"));
    const QString before = purchaseTables();
    ui::Form* window = openPurchase();
    setText(window, "GYS_MC", QStringLiteral("甲"));
    line(window, 0, QStringLiteral("Bolt"), QStringLiteral("2"), QStringLiteral("5"));
    line(window, 1, QStringLiteral("Nut"), QStringLiteral("1"), QStringLiteral("5"));
    click(window, "command1");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("进货单未能保存："))) << messages.lastText().toStdString();
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("line refused")));
    EXPECT_TRUE(isLoaded("frmJHd"));
    EXPECT_EQ(text(window, QStringLiteral("product"), 1), QStringLiteral("Nut"));
    EXPECT_EQ(purchaseTables(), before);
    EXPECT_EQ(supplierBalances(supplier), QStringLiteral("1/2/3"));
}

TEST_F(Purchase, ApostrophesEmptyBalancesAndMissingSuppliers)
{
    const int quoted = addSupplier(QStringLiteral("O'Brien"), QStringLiteral("现金"), QStringLiteral("null"), QStringLiteral("null"),
                                   QStringLiteral("null"));
    const int bolt = addProduct(QStringLiteral("Bolt"), QStringLiteral("B1"), QStringLiteral("2"), QStringLiteral("只"), QString());
    ui::Form* window = openPurchase();
    setText(window, "GYS_MC", QStringLiteral("O'Brien"));
    line(window, 0, QStringLiteral("Bolt"), QStringLiteral("2"), QStringLiteral("5"));
    click(window, "command1");
    expectOnly(QStringLiteral("销售单录入操作成功！"));
    EXPECT_EQ(supplierBalances(quoted), QStringLiteral("10/10/5"));
    EXPECT_EQ(stockOf(bolt), 5);

    // The name is gone (or differs in case): purchase and stock are kept and the operator is told.
    window = openPurchase();
    setText(window, "GYS_MC", QStringLiteral("o'brien"));
    line(window, 0, QStringLiteral("Bolt"), QStringLiteral("2"), QStringLiteral("1"));
    click(window, "command1");
    expectOnly(QStringLiteral("进货单已保存，但找不到供应商“o'brien”，其未付金额、累计进货和总数量未更新"));
    EXPECT_FALSE(isLoaded("frmJHd"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from Jhd")), 2);
    EXPECT_EQ(stockOf(bolt), 6);
    EXPECT_EQ(supplierBalances(quoted), QStringLiteral("10/10/5"));
}

} // namespace
