// The windows with the keyboard only: every picture button named, Tab through
// the new-customer and new-order windows to 保存 and Enter saves, the line's
// product button pressed with Space and the product picked in the list, and
// a whole working session from the login to the reports without the mouse.
#include "tests/support/scratch.h"

#include "common/database.h"
#include "common/mymode.h"
#include "platform/db/locale.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/menus.h"
#include "platform/ui/taborder.h"
#include "platform/ui/windows.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <functional>

namespace {

class Keyboard : public ScratchProgram {
protected:
    void SetUp() override
    {
        ScratchProgram::SetUp();
        db::locale::setClockForTests(QDateTime(QDate(2026, 3, 2), QTime(10, 15, 0)));
        // Nothing to print: the order's slip is left out.
        exec(QStringLiteral("update JSQ set PrintOpt='不打印'"));
    }
    void TearDown() override
    {
        ui::Windows::unloadAll();
        db::locale::setClockForTests(std::nullopt);
        ScratchProgram::TearDown();
    }

    void addProduct(const QString& name, const QString& number, const QString& price)
    {
        exec(QStringLiteral("insert into product (product,Product_no,price,dw,KCL) values ('%1','%2',%3,'个',10)")
                 .arg(name, number, price));
    }

    // The window as the one the operator works in.
    static void activate(QWidget* window)
    {
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    // The control that has the focus, a compound control for its parts.
    static QWidget* focused()
    {
        QWidget* focus = QApplication::focusWidget();
        while (focus && focus->objectName().isEmpty()) focus = focus->parentWidget();
        return focus;
    }
    // Presses Tab until `target` has the focus; the names passed on the way.
    static QStringList tabTo(const std::function<bool(QWidget*)>& target, int most = 80)
    {
        QStringList path;
        for (int i = 0; i < most; ++i) {
            QWidget* focus = QApplication::focusWidget();
            if (!focus) {
                ADD_FAILURE() << "nothing has the focus after " << path.join(QLatin1Char(' ')).toStdString();
                return path;
            }
            QTest::keyClick(focus, Qt::Key_Tab);
            QWidget* now = focused();
            path << (now ? now->objectName() : QString());
            if (now && target(now)) return path;
        }
        ADD_FAILURE() << "Tab never got there: " << path.join(QLatin1Char(' ')).toStdString();
        return path;
    }
    static QStringList tabTo(QWidget* control)
    {
        return tabTo([control](QWidget* now) { return now == control; });
    }
    static QStringList tabTo(ui::Form* window, const QString& name)
    {
        return tabTo(window->findChild<QWidget*>(name));
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // Key by key into the control that has the focus, Chinese characters as
    // an input method hands them over.
    static void type(const QString& text)
    {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    static QWidget* rowBox(ui::Form* window, const QString& column, int row)
    {
        return ui::findElement(window, column, row);
    }
    // A menu of the bar by its Alt letter, then its entries by Down and Enter.
    static void chooseFromMenu(ui::Form* window, Qt::Key letter, const QString& entry)
    {
        QTest::keyClick(window, letter, Qt::AltModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << "no menu for the Alt letter";
        // A submenu's entry is named by its menu.
        auto nameOf = [](const QAction* action) {
            return action->menu() ? action->menu()->objectName() : action->objectName();
        };
        for (int i = 0; i < 30 && !(menu->activeAction() && nameOf(menu->activeAction()) == entry); ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        ASSERT_TRUE(menu->activeAction());
        ASSERT_EQ(nameOf(menu->activeAction()).toStdString(), entry.toStdString());
        QTest::keyClick(menu, Qt::Key_Return);
    }

    // Adds a customer in the new-customer window, by the keyboard only.
    void addCustomerByKeyboard(ui::Form* window, QStringList* walked = nullptr)
    {
        activate(window);
        ASSERT_EQ(focused()->objectName(), QStringLiteral("companyname"));
        type(QStringLiteral("星光文具店"));
        const QStringList toContact = tabTo(window, QStringLiteral("LXR"));
        type(QStringLiteral("王芳"));
        tabTo(window, QStringLiteral("tel"));
        type(QStringLiteral("010-65001235"));
        const QStringList toSave = tabTo(window, QStringLiteral("command1"));
        if (walked) *walked = toContact + toSave;
        press(Qt::Key_Return);
    }
};

const char* const kWindowKinds[] = {
    "frmLogin", "frmUserManage", "changePwd", "frmNetSet", "CompanySet", "inpordat", "frmAbout", "frmMain",
    "frmCustDetail", "frmCustAdd", "frmAddContect", "frmContectDet", "frmSelectKH", "systx", "sysalert",
    "SalesAdd", "SalesDetail", "productmgr", "frmGYS", "frmGysAdd", "frmGysEdit", "frmJHd", "frmNewCust",
    "sysOther", "frmComeing", "GtNewNo", "GtMain", "ActionAdd", "ActionDetal", "AddChance", "ChanceDetail",
    "ServiceAdd", "ServiceDetal", "repSalMx", "repsal", "repKC", "AnalySalesGc", "AnalySalesQs", "SMSsend",
    "SMSSet", "SMSCZ", "SMSeditpas", "setclient_type", "SetServiceType"};

TEST_F(Keyboard, EveryPictureButtonOfTheWindowsIsNamedAndReachedByTab)
{
    int buttons = 0;
    for (const char* kind : kWindowKinds) {
        // A window that needs a record to show unloads itself: nothing to look at.
        ui::Form* window = ui::Windows::get(QString::fromLatin1(kind));
        if (!window) continue;
        for (ui::PictureButton* button : window->findChildren<ui::PictureButton*>()) {
            // Hidden holders that carry a procedure are no buttons of the operator's.
            if (!button->onClick || !button->isVisibleTo(window)) continue;
            ++buttons;
            EXPECT_FALSE(button->accessibleName().isEmpty()) << kind << " " << button->objectName().toStdString();
            EXPECT_FALSE(button->toolTip().isEmpty()) << kind << " " << button->objectName().toStdString();
            EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << kind << " " << button->objectName().toStdString();
        }
        ui::Windows::unloadAll();
        messages.clear();
    }
    EXPECT_GT(buttons, 80);
}

TEST_F(Keyboard, UnknownCallerAndQuickOrderButtonsAreNamedByTheirPictures)
{
    ui::Form* unknown = ui::Windows::get(QStringLiteral("GtNewNo"));
    EXPECT_EQ(unknown->control<ui::PictureButton>(QStringLiteral("Image2"))->accessibleName(), QStringLiteral("新客户订货配送"));
    EXPECT_EQ(unknown->control<ui::PictureButton>(QStringLiteral("Image1"))->accessibleName(), QStringLiteral("新建客户档案"));
    EXPECT_EQ(unknown->control<ui::PictureButton>(QStringLiteral("Image7"))->accessibleName(), QStringLiteral("查看客户资料"));
    // The two large buttons are reached by Tab; the card button under the
    // new-customer button is not, as the mouse cannot reach it either.
    QStringList reached;
    for (const QWidget* control : ui::tabOrder(unknown)) reached << control->objectName();
    EXPECT_TRUE(reached.contains(QStringLiteral("Image2")) && reached.contains(QStringLiteral("Image1")));
    EXPECT_TRUE(reached.contains(QStringLiteral("Image3")));
    EXPECT_FALSE(reached.contains(QStringLiteral("Image7")));
    ui::Form* quick = ui::Windows::get(QStringLiteral("frmNewCust"));
    EXPECT_EQ(quick->control<ui::PictureButton>(QStringLiteral("command1"))->accessibleName(), QStringLiteral("保存"));
    EXPECT_EQ(quick->control<ui::PictureButton>(QStringLiteral("command2"))->toolTip(), QStringLiteral("关闭"));
}

TEST_F(Keyboard, NewCustomerWindowTabsInTheCardsOrderAndEnterOnSaveSaves)
{
    QStringList walked;
    addCustomerByKeyboard(ui::Windows::open(QStringLiteral("frmCustAdd")), &walked);
    EXPECT_EQ(walked.join(QLatin1Char(' ')).toStdString(),
              "company_address GK LXR fax mobil Custtype descript email http postcode area Custhy custLy CustZt XYD "
              "khyh yhzh KH_YJ KH_QK KH_ZJE KH_ZSL command2 command1");
    EXPECT_EQ(scalar(QStringLiteral("select company_connect || '|' || company_tel from company where company_name='星光文具店'")),
              QStringLiteral("王芳|010-65001235"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustAdd")), nullptr);
}

TEST_F(Keyboard, NewOrderTakesTwoProductsAndSavesWithEnterOnSave)
{
    addProduct(QStringLiteral("铅笔"), QStringLiteral("A10"), QStringLiteral("2.5"));
    addProduct(QStringLiteral("橡皮"), QStringLiteral("B20"), QStringLiteral("1.5"));
    exec(QStringLiteral("insert into company (company_name,company_address,company_QK,company_zje,company_Zsl) "
                        "values ('星光文具店','北京路1号',0,0,0)"));
    Mymode::CurrentRecordId = scalar(QStringLiteral("select id from company")).toInt();
    ui::Form* order = ui::Windows::open(QStringLiteral("SalesAdd"));
    activate(order);
    order->control<ui::TextBox>(QStringLiteral("salesdate"))->setFocus(Qt::OtherFocusReason);

    // The header by place, the picker button beside the customer box, the
    // line row in its own order; never back up to the header.
    const QStringList header = tabTo(rowBox(order, QStringLiteral("description"), 0));
    EXPECT_EQ(header.join(QLatin1Char(' ')).toStdString(),
              "orderno CustName command5 sales_connect totalMx receivemoney invoicetype GK HtContent command3 product "
              "description");
    // The first product by its number and Enter.
    type(QStringLiteral("A10"));
    press(Qt::Key_Return);
    EXPECT_EQ(order->findChild<ui::ListBox*>(QStringLiteral("List1"))->isVisible(), false);

    // The second by the line's product button, pressed with Space, and the
    // product list: down to the product, Tab to 选择, Enter.
    tabTo(rowBox(order, QStringLiteral("command3"), 1));
    press(Qt::Key_Space);
    ui::Form* picker = ui::Windows::loaded(QStringLiteral("productmgr"));
    ASSERT_NE(picker, nullptr);
    activate(picker);
    tabTo(picker, QStringLiteral("DataGrid1"));
    press(Qt::Key_Down);
    tabTo(picker, QStringLiteral("command2"));
    press(Qt::Key_Return);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("productmgr")), nullptr);
    activate(order);
    // The number the pick wrote leaves no list of matches open.
    EXPECT_FALSE(order->findChild<ui::ListBox*>(QStringLiteral("List1"))->isVisible());

    const QStringList toSave = tabTo(order, QStringLiteral("command1"));
    EXPECT_EQ(toSave.mid(toSave.size() - 2).join(QLatin1Char(' ')).toStdString(), "Combo1 command1");
    press(Qt::Key_Return);
    expectOnly(QStringLiteral("销售单录入操作成功！"));
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(productname || ':' || num, ',') from "
                                    "(select productname, num from SalesMX order by id)")),
              QStringLiteral("铅笔:1,橡皮:1"));
    EXPECT_EQ(scalar(QStringLiteral("select totlemoney from sales")), QStringLiteral("4"));
}

// Log in, add a customer, take an order of two products, save it, open the
// three reports and the two analyses: not one mouse click.
TEST_F(Keyboard, AWorkingSessionWithoutTheMouse)
{
    addProduct(QStringLiteral("铅笔"), QStringLiteral("A10"), QStringLiteral("2.5"));
    addProduct(QStringLiteral("橡皮"), QStringLiteral("B20"), QStringLiteral("1.5"));
    loginAs(QString(), QString());
    Mymode::ConnectString = database::localConnectString();

    ui::Form* login = ui::Windows::open(QStringLiteral("frmLogin"));
    activate(login);
    tabTo(login, QStringLiteral("command1"));
    press(Qt::Key_Return);
    ASSERT_EQ(Mymode::OperatorName, QStringLiteral("system"));
    ui::Form* main = ui::Windows::loaded(QStringLiteral("frmMain"));
    ASSERT_NE(main, nullptr);
    activate(main);

    // 新建客户 by its shortcut.
    QTest::keyClick(main, Qt::Key_K, Qt::ControlModifier);
    addCustomerByKeyboard(ui::Windows::loaded(QStringLiteral("frmCustAdd")));
    ASSERT_EQ(count(QStringLiteral("select count(*) from company where company_name='星光文具店'")), 1);
    messages.clear();

    // 新建合同订单 from the menu 新 建, the customer from the picker.
    activate(main);
    chooseFromMenu(main, Qt::Key_N, QStringLiteral("mnuAddSales"));
    ui::Form* order = ui::Windows::loaded(QStringLiteral("SalesAdd"));
    ASSERT_NE(order, nullptr);
    activate(order);
    tabTo(order, QStringLiteral("command5"));
    press(Qt::Key_Space);
    ui::Form* customers = ui::Windows::loaded(QStringLiteral("frmSelectKH"));
    ASSERT_NE(customers, nullptr);
    // The picker lists the operator's customers: 确定 takes the first.
    activate(customers);
    tabTo(customers, QStringLiteral("command1"));
    press(Qt::Key_Return);
    activate(order);
    ASSERT_FALSE(order->control<ui::TextBox>(QStringLiteral("KH_ID"))->text().isEmpty());

    tabTo(rowBox(order, QStringLiteral("description"), 0));
    type(QStringLiteral("A10"));
    press(Qt::Key_Return);
    tabTo(rowBox(order, QStringLiteral("description"), 1));
    type(QStringLiteral("B20"));
    press(Qt::Key_Return);
    tabTo(order, QStringLiteral("command1"));
    press(Qt::Key_Return);
    expectOnly(QStringLiteral("销售单录入操作成功！"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX")), 2);

    // The reports and the analyses from the menu 报表分析.
    activate(main);
    for (const auto& [entry, window] :
         {std::pair{"mnusalmx", "repSalMx"}, std::pair{"mnuKC", "repKC"}, std::pair{"analyqs", "AnalySalesQs"},
          std::pair{"salesGc", "AnalySalesGc"}}) {
        activate(main);
        chooseFromMenu(main, Qt::Key_A, QString::fromLatin1(entry));
        EXPECT_NE(ui::Windows::loaded(QString::fromLatin1(window)), nullptr) << window;
    }
    // The statistics report sits in a submenu: Right opens it.
    activate(main);
    chooseFromMenu(main, Qt::Key_A, QStringLiteral("mnusaltj"));
    auto* submenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(submenu, nullptr);
    if (!submenu->activeAction()) QTest::keyClick(submenu, Qt::Key_Down);
    EXPECT_EQ(submenu->activeAction()->objectName(), QStringLiteral("mnuan"));
    QTest::keyClick(submenu, Qt::Key_Return);
    EXPECT_NE(ui::Windows::loaded(QStringLiteral("repsal")), nullptr);
}

} // namespace
