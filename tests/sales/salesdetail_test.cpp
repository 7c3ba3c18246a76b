// The order editor: the load of stored lines, and saves that move stock and
// balances by the difference, for the same or another customer.
#include "tests/sales/salesfixture.h"

#include "common/mymode.h"
#include "common/sqltext.h"
#include "platform/ui/windows.h"

#include <QScreen>

namespace {

// The customer card as the opener sees it: it notes the customer it loaded.
class StandInCard : public ui::Form {
public:
    StandInCard() : ui::Form(QStringLiteral("frmCustDetail")) {}
    void Form_Load() override { loadedFor = Mymode::CurrentRecordId; }
    static inline int loadedFor = 0;
};

class OrderEditor : public SalesTest {
protected:
    struct StoredLine {
        QString name;
        QString price;
        QString quantity;
    };
    // A stored order of the customer with these lines (discount 100) and its
    // effect on stock and balances already applied by the caller's data.
    int addOrder(int customerId, const QString& total, const QString& received, const std::vector<StoredLine>& lines)
    {
        const QString key = QStringLiteral("k%1").arg(++orders);
        exec(QStringLiteral("insert into sales (companyid,orderno,salesdate,totlemoney,receivemoney,indexflag,description,invoicetype,sal_gk)"
                            " values (%1,'SH1','2026-01-05 09:00:00',%2,%3,%4,'备注','1','0')")
                 .arg(customerId).arg(total, received, sqltext::quoted(key)));
        const int id = scalar(QStringLiteral("select max(id) from sales")).toInt();
        for (const StoredLine& line : lines)
            exec(QStringLiteral("insert into SalesMX (productname,companyid,price,zk,num,unitprice,indexflag) values (%1,%2,%3,100,%4,%5,%6)")
                     .arg(sqltext::quoted(line.name)).arg(customerId)
                     .arg(line.price, line.quantity, QString::number(line.price.toDouble() * line.quantity.toDouble()), sqltext::quoted(key)));
        return id;
    }
    ui::Form* openEditor(int orderId)
    {
        Mymode::CurrentRecordId = orderId;
        return ui::Windows::open(QStringLiteral("SalesDetail"));
    }
    void save(ui::Form* window) { window->control<ui::PictureButton>(QStringLiteral("command1"))->click(); }
    bool isOpen() { return ui::Windows::loaded(QStringLiteral("SalesDetail")) != nullptr; }

    int orders = 0;
};

TEST_F(OrderEditor, LoadShowsEachStoredLineOnceWithAnEmptyRowBelow)
{
    const int customer = addCustomer(QStringLiteral("海维"));
    addProduct(QStringLiteral("Bolt"), QStringLiteral("B1"), QStringLiteral("10"), QStringLiteral("只"));
    addProduct(QStringLiteral("Bolt"), QStringLiteral("B2"), QStringLiteral("10"), QStringLiteral("只"));   // one name, two products
    addProduct(QStringLiteral("Nut"), QStringLiteral("N1"), QStringLiteral("5"), QStringLiteral("个"));
    const int one = addOrder(customer, QStringLiteral("99"), QStringLiteral("0"), {{QStringLiteral("Nut"), QStringLiteral("5"), QStringLiteral("3")}});
    const int three = addOrder(customer, QStringLiteral("77"), QStringLiteral("7"),
                               {{QStringLiteral("Bolt"), QStringLiteral("10"), QStringLiteral("2")},
                                {QStringLiteral("Gone"), QStringLiteral("1"), QStringLiteral("1")},
                                {QStringLiteral("Nut"), QStringLiteral("5"), QStringLiteral("1")}});

    ui::Form* window = openEditor(one);
    EXPECT_EQ(text(window, QStringLiteral("product"), 0), QStringLiteral("Nut"));
    EXPECT_EQ(text(window, QStringLiteral("description"), 0), QStringLiteral("N1"));
    EXPECT_EQ(text(window, QStringLiteral("dw"), 0), QStringLiteral("个"));
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 0), QStringLiteral("15"));
    EXPECT_TRUE(rowExists(window, 1));
    EXPECT_TRUE(text(window, QStringLiteral("num"), 1).isEmpty());
    EXPECT_FALSE(rowExists(window, 2));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("99"));
    EXPECT_EQ(boxText(window, QStringLiteral("CustName")), QStringLiteral("北京路1号"));
    EXPECT_EQ(boxText(window, QStringLiteral("KH_ID")), QString::number(customer));
    EXPECT_TRUE(window->control<ui::CheckBox>(QStringLiteral("invoicetype"))->isChecked());
    EXPECT_TRUE(window->findChild<ui::ListBox*>(QStringLiteral("List1"))->isHidden());
    ui::Windows::unload(window);

    window = openEditor(three);
    EXPECT_EQ(text(window, QStringLiteral("product"), 0), QStringLiteral("Bolt"));
    EXPECT_EQ(text(window, QStringLiteral("product"), 1), QStringLiteral("Gone"));
    EXPECT_TRUE(text(window, QStringLiteral("description"), 1).isEmpty());
    EXPECT_EQ(text(window, QStringLiteral("product"), 2), QStringLiteral("Nut"));
    EXPECT_TRUE(rowExists(window, 3));
    EXPECT_FALSE(rowExists(window, 4));
    EXPECT_EQ(boxText(window, QStringLiteral("receivemoney")), QStringLiteral("7"));
}

TEST_F(OrderEditor, SavesMoveStockAndBalancesByTheDifference)
{
    const int customer = addCustomer(QStringLiteral("海维"), QStringLiteral("a"), QStringLiteral("30"), QStringLiteral("30"), QStringLiteral("3"));
    const int nut = addProduct(QStringLiteral("Nut"), QStringLiteral("N1"), QStringLiteral("10"), QStringLiteral("个"), QStringLiteral("7"));
    const int order = addOrder(customer, QStringLiteral("30"), QStringLiteral("0"), {{QStringLiteral("Nut"), QStringLiteral("10"), QStringLiteral("3")}});

    // Unchanged: nothing moves, the line is written anew.
    save(openEditor(order));
    expectOnly(QStringLiteral("订单修改操作成功！"));
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(Mymode::CurrentRecordId, customer);
    EXPECT_EQ(stockOf(nut), 7);
    EXPECT_EQ(balances(customer), QStringLiteral("30/30/3"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX")), 1);

    // Quantity 3 -> 5.
    ui::Form* window = openEditor(order);
    type(window, QStringLiteral("num"), 0, QStringLiteral("5"));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("50"));
    save(window);
    EXPECT_EQ(stockOf(nut), 5);
    EXPECT_EQ(balances(customer), QStringLiteral("50/50/5"));

    // Received 0 -> 80 (above the total: the order leaves nothing unpaid) and then down by 50.
    window = openEditor(order);
    window->control<ui::TextBox>(QStringLiteral("receivemoney"))->setText(QStringLiteral("80"));
    save(window);
    EXPECT_EQ(balances(customer), QStringLiteral("0/50/5"));
    window = openEditor(order);
    window->control<ui::TextBox>(QStringLiteral("receivemoney"))->setText(QStringLiteral("30"));
    save(window);
    EXPECT_EQ(balances(customer), QStringLiteral("20/50/5"));
    EXPECT_EQ(stockOf(nut), 5);
    messages.clear();

    // Another customer: the order leaves the first and enters the second.
    const int other = addCustomer(QStringLiteral("其他"), QStringLiteral("b"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
    window = openEditor(order);
    window->control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(QString::number(other));
    save(window);
    EXPECT_EQ(balances(customer), QStringLiteral("0/0/0"));
    EXPECT_EQ(balances(other), QStringLiteral("21/51/6"));
    EXPECT_EQ(scalar(QStringLiteral("select companyid from sales where id=%1").arg(order)), QString::number(other));
}

// The share of what a customer owes is what the order leaves unpaid, never
// less than nothing: moved to another customer, an order takes from the first
// exactly what the new order added and gives it to the second.
TEST_F(OrderEditor, AMovedOrderTakesBackTheShareItAdded)
{
    addProduct(QStringLiteral("Nut"), QStringLiteral("N1"), QStringLiteral("100"), QStringLiteral("个"), QStringLiteral("10"));
    // Paid beyond the total, paid in part, a return.
    const struct {
        const char *quantity, *received, *share;
    } cases[] = {{"1", "120", "0/100/1"}, {"1", "60", "40/100/1"}, {"-1", "0", "0/-100/-1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.received);
        const int jia = addCustomer(QStringLiteral("甲"));
        const int yi = addCustomer(QStringLiteral("乙"));
        Mymode::CurrentRecordId = jia;
        ui::Form* entry = ui::Windows::open(QStringLiteral("SalesAdd"));
        type(entry, QStringLiteral("description"), 0, QStringLiteral("N1"));
        box(entry, QStringLiteral("description"), 0)->typeKey(13);
        type(entry, QStringLiteral("num"), 0, QString::fromLatin1(c.quantity));
        entry->control<ui::TextBox>(QStringLiteral("receivemoney"))->setText(QString::fromLatin1(c.received));
        save(entry);
        EXPECT_EQ(balances(jia), QString::fromLatin1(c.share));

        ui::Form* window = openEditor(scalar(QStringLiteral("select max(id) from sales")).toInt());
        window->control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(QString::number(yi));
        save(window);
        EXPECT_EQ(balances(jia), QStringLiteral("0/0/0"));
        EXPECT_EQ(balances(yi), QString::fromLatin1(c.share));
        ui::Windows::unloadAll();
        messages.clear();
    }
}

TEST_F(OrderEditor, SavesTheOrderItLoadedAndRefusesWhatItCannot)
{
    const int customer = addCustomer(QStringLiteral("海维"), QStringLiteral("a"), QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("1"));
    const int bolt = addProduct(QStringLiteral("Bolt2"), QStringLiteral("B1"), QStringLiteral("10"), QStringLiteral("只"), QStringLiteral("0"));
    const int first = addOrder(customer, QStringLiteral("10"), QStringLiteral("0"), {{QStringLiteral("Bolt"), QStringLiteral("10"), QStringLiteral("1")}});
    const int second = addOrder(customer, QStringLiteral("5"), QStringLiteral("0"), {});

    // The product was renamed after the order: its line survives the save.
    ui::Form* window = openEditor(first);
    EXPECT_EQ(text(window, QStringLiteral("product"), 0), QStringLiteral("Bolt"));
    Mymode::CurrentRecordId = second;
    window->control<ui::TextBox>(QStringLiteral("sales_connect"))->setText(QStringLiteral("新联系人"));

    loginAs(QStringLiteral("clerk"), allRights().replace(QStringLiteral("e_sals=1;"), QStringLiteral("e_sals=0;")));
    save(window);
    expectOnly(QStringLiteral("您无权修改定购资料"), ui::Icon::Error, QStringLiteral("修改资料"));
    loginAs(QStringLiteral("system"), allRights());

    save(window);
    expectOnly(QStringLiteral("订单修改操作成功！"));
    EXPECT_EQ(scalar(QStringLiteral("select sales_connect from sales where id=%1").arg(first)), QStringLiteral("新联系人"));
    EXPECT_TRUE(scalar(QStringLiteral("select sales_connect from sales where id=%1").arg(second)).isEmpty());
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX where productname='Bolt'")), 1);
    EXPECT_EQ(stockOf(bolt), 0);
    EXPECT_EQ(balances(customer), QStringLiteral("10/10/1"));

    // An order deleted meanwhile writes nothing.
    window = openEditor(second);
    exec(QStringLiteral("delete from sales where id=%1").arg(second));
    const QString before = tables();
    save(window);
    expectOnly(QStringLiteral("记录不存在，可能已经被删除"));
    EXPECT_EQ(tables(), before);
    EXPECT_TRUE(isOpen());
    window->control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(QStringLiteral(" "));
    save(window);
    expectOnly(QStringLiteral("客户名称不能为空"));
}

TEST_F(OrderEditor, AnOrderSavedElsewhereSinceItWasOpenedIsRefused)
{
    const QString stale = QStringLiteral("订单未能保存：该订单已在别处被修改或删除，请关闭后重新打开再修改");
    const int customer = addCustomer(QStringLiteral("海维"), QStringLiteral("a"), QStringLiteral("30"), QStringLiteral("30"), QStringLiteral("3"));
    const int nut = addProduct(QStringLiteral("Nut"), QStringLiteral("N1"), QStringLiteral("10"), QStringLiteral("个"), QStringLiteral("7"));
    const int order = addOrder(customer, QStringLiteral("30"), QStringLiteral("0"), {{QStringLiteral("Nut"), QStringLiteral("10"), QStringLiteral("3")}});

    // Two editors on one order, as on two workstations.
    ui::Form* first = openEditor(order);
    ui::Form* second = ui::Windows::openNew(QStringLiteral("SalesDetail"));
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    type(first, QStringLiteral("num"), 0, QStringLiteral("5"));
    save(first);
    expectOnly(QStringLiteral("订单修改操作成功！"));
    EXPECT_EQ(stockOf(nut), 5);
    EXPECT_EQ(balances(customer), QStringLiteral("50/50/5"));

    const QString saved = tables();
    type(second, QStringLiteral("num"), 0, QStringLiteral("4"));
    second->control<ui::TextBox>(QStringLiteral("sales_connect"))->setText(QStringLiteral("李四"));
    save(second);
    expectOnly(stale);
    EXPECT_EQ(tables(), saved);
    EXPECT_EQ(text(second, QStringLiteral("num"), 0), QStringLiteral("4"));
    EXPECT_EQ(boxText(second, QStringLiteral("sales_connect")), QStringLiteral("李四"));
    EXPECT_TRUE(second->isVisible());
    ui::Windows::unload(second);

    // Only a line changed elsewhere, the header as it was: refused all the same.
    ui::Form* editor = openEditor(order);
    exec(QStringLiteral("update SalesMX set zk=90"));
    const QString changed = tables();
    editor->control<ui::TextArea>(QStringLiteral("HtContent"))->setText(QStringLiteral("改了备注"));
    save(editor);
    expectOnly(stale);
    EXPECT_EQ(tables(), changed);
    EXPECT_TRUE(isOpen());

    // Opened again, it shows the stored order and saves.
    ui::Windows::unload(editor);
    editor = openEditor(order);
    EXPECT_EQ(text(editor, QStringLiteral("zk"), 0), QStringLiteral("90"));
    save(editor);
    expectOnly(QStringLiteral("订单修改操作成功！"));
}

TEST_F(OrderEditor, OpensCentredOnTheScreenWithoutATaskBarButton)
{
    const int order = addOrder(addCustomer(QStringLiteral("海维")), QStringLiteral("10"), QStringLiteral("0"), {});
    ui::Form* window = openEditor(order);
    EXPECT_EQ(window->windowType(), Qt::Tool);
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window->isVisible());
    // Centred before its first showing, when the frame's own width is not yet known.
    const QRect work = window->screen()->availableGeometry();
    const QPoint middle = window->frameGeometry().center();
    const QSize frame = window->frameGeometry().size() - window->size();
    EXPECT_LE(std::abs(middle.x() - work.center().x()), frame.width() / 2 + 1) << middle.x();
    EXPECT_LE(std::abs(middle.y() - work.center().y()), frame.height() / 2 + 1) << middle.y();
}

TEST_F(OrderEditor, ABalancePastTheCurrencyRangeRefusesTheSave)
{
    const int customer = addCustomer(QStringLiteral("海维"), QStringLiteral("a"), QStringLiteral("9223372036854770000"),
                                     QStringLiteral("30"), QStringLiteral("3"));
    addProduct(QStringLiteral("Nut"), QStringLiteral("N1"), QStringLiteral("10"), QStringLiteral("个"), QStringLiteral("7"));
    const int order = addOrder(customer, QStringLiteral("30"), QStringLiteral("0"), {{QStringLiteral("Nut"), QStringLiteral("10"), QStringLiteral("3")}});
    ui::Form* window = openEditor(order);
    type(window, QStringLiteral("num"), 0, QStringLiteral("5"));
    const QString before = tables();
    save(window);
    expectOnly(QStringLiteral("客户的余额将超出金额的范围，订单没有保存"));
    EXPECT_EQ(tables(), before);
    EXPECT_EQ(balances(customer), QStringLiteral("922337203685477/30/3"));
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(text(window, QStringLiteral("num"), 0), QStringLiteral("5"));

    // Lowered again within the range, the same window saves.
    type(window, QStringLiteral("num"), 0, QStringLiteral("2"));
    save(window);
    expectOnly(QStringLiteral("订单修改操作成功！"));
    EXPECT_EQ(balances(customer), QStringLiteral("922337203685467/20/2"));
}

TEST_F(OrderEditor, AFailingSaveChangesNothing)
{
    const int customer = addCustomer(QStringLiteral("海维"), QStringLiteral("a"), QStringLiteral("30"), QStringLiteral("30"), QStringLiteral("3"));
    addProduct(QStringLiteral("Nut"), QStringLiteral("N1"), QStringLiteral("10"), QStringLiteral("个"), QStringLiteral("7"));
    const int order = addOrder(customer, QStringLiteral("30"), QStringLiteral("0"), {{QStringLiteral("Nut"), QStringLiteral("10"), QStringLiteral("3")}});
    ui::Form* window = openEditor(order);
    type(window, QStringLiteral("num"), 0, QStringLiteral("x"));
    save(window);
    expectOnly(QStringLiteral("第1行数量必须是数字"));
    type(window, QStringLiteral("num"), 0, QStringLiteral("4"));
    const QString before = tables();
    exec(QStringLiteral("create trigger refuse_line before insert on SalesMX begin select raise(abort, 'no'); end"));
    save(window);
    expectOnly(QStringLiteral("订单修改失败，订单、库存和客户余额都没有改变"));
    EXPECT_EQ(tables(), before);
    EXPECT_TRUE(isOpen());
}

} // namespace

namespace {
TEST_F(OrderEditor, CustomerNameOpensTheCardOfThisOrdersCustomer)
{
    ui::Windows::define(QStringLiteral("frmCustDetail"), [] { return std::make_unique<StandInCard>(); });
    const int customer = addCustomer(QStringLiteral("海维"));
    const int order = addOrder(customer, QStringLiteral("10"), QStringLiteral("0"), {});

    // A new order's load leaves the card loaded unseen, for another record.
    Mymode::CurrentRecordId = 999;
    ui::Windows::get(QStringLiteral("frmCustDetail"));
    ui::Form* window = openEditor(order);
    window->control<ui::TextBox>(QStringLiteral("CustName"))->onDblClick();
    ui::Form* card = ui::Windows::loaded(QStringLiteral("frmCustDetail"));
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->isVisible());
    EXPECT_EQ(StandInCard::loadedFor, customer);

    // A card in sight comes to the front with the customer it shows.
    Mymode::CurrentRecordId = 999;
    ui::Windows::unload(card);
    ui::Windows::open(QStringLiteral("frmCustDetail"));
    window->control<ui::TextBox>(QStringLiteral("CustName"))->onDblClick();
    EXPECT_EQ(StandInCard::loadedFor, 999);
}
} // namespace
