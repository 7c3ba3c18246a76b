// Grid commands: open the current row's record, add, header sort and the
// new-record pop-up menu.
#include "mainwin_fixture.h"

#include "common/mainlists.h"
#include "common/newrecordmenu.h"
#include "platform/ui/popupmenu.h"

namespace {

struct ViewWindows {
    const char* menu;
    const char* table;
    const char* owner;
    const char* add;
    const char* detail;
    const char* newMenu;   // the main menu's new-record item of the kind
    const char* nameOf;    // the card's box the new-record window shows as its customer
};

const ViewWindows kViews[] = {
    {"mnuContectList", "KH_LXR", "LXR_CZZ", "frmAddContect", "frmContectDet", "mnuViewStatusBar", "company_name"},
    {"mnuActionList", "KH_ACT", "Action_CZZ", "ActionAdd", "ActionDetal", "mnuAddAction", "company_name"},
    {"mnuChanceList", "chance", "chance_CZZ", "AddChance", "ChanceDetail", "mnuAddChance", "company_name"},
    {"mnuSalesList", "sales", "sal_CZZ", "SalesAdd", "SalesDetail", "mnuAddSales", "company_address"},
    {"mnuServiceList", "service", "service_CZZ", "ServiceAdd", "ServiceDetal", "mnuAddService", "company_name"},
};

class GridCommands : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char* kind : {"frmCustAdd", "frmCustDetail", "frmGysAdd", "frmJHd"}) ensureWindow(QString::fromLatin1(kind));
        for (const ViewWindows& view : kViews) {
            ensureWindow(QString::fromLatin1(view.add));
            ensureWindow(QString::fromLatin1(view.detail));
        }
    }
    static bool isLoaded(const char* kind) { return ui::Windows::loaded(QString::fromLatin1(kind)) != nullptr; }
};

} // namespace

// The detail window of the view opens with the row's own id handed over.
TEST_F(GridCommands, DoubleClickOpensTheRowsRecord)
{
    const int customer = addCustomer(QStringLiteral("c"));
    openMain();
    for (const ViewWindows& view : kViews) {
        const int record = addRelated(view.table, view.owner, customer);
        addRelated(view.table, view.owner, customer);
        choose(view.menu);
        grid()->doubleClickRow(1);
        EXPECT_EQ(Mymode::CurrentRecordId, record) << view.detail;
        EXPECT_TRUE(isLoaded(view.detail));
    }
    choose("mnuCustList");
    grid()->doubleClickRow(0);
    EXPECT_EQ(Mymode::CurrentRecordId, customer);
    EXPECT_TRUE(isLoaded("frmCustDetail"));
}

TEST_F(GridCommands, DoubleClickOnAnEmptyListOpensNothing)
{
    openMain();
    Mymode::CurrentRecordId = 7;
    choose("mnuActionList");
    grid()->doubleClickRow(0);
    EXPECT_EQ(Mymode::CurrentRecordId, 0);
    EXPECT_FALSE(isLoaded("ActionDetal"));
}

// After another window put customers into the grid of the contact view, a
// double-click opens the customer, not a contact that happens to share its id.
TEST_F(GridCommands, OpensByTheRowsTheGridHolds)
{
    const int customer = addCustomer(QStringLiteral("c"));
    insert(QStringLiteral("KH_LXR"), QStringLiteral("id,companyid,LXR_CZZ"), QStringLiteral("%1,%1,'system'").arg(customer));
    openMain();
    choose("mnuContectList");
    ui::Windows::loaded<MainLists>(QStringLiteral("frmMain"))->DataGridFresh(Mymode::CustListSql);
    ASSERT_EQ(viewKey(), "ConnectList");
    grid()->doubleClickRow(0);
    EXPECT_EQ(Mymode::CurrentRecordId, customer);
    EXPECT_TRUE(isLoaded("frmCustDetail"));
    EXPECT_FALSE(isLoaded("frmContectDet"));
}

TEST_F(GridCommands, AddOpensTheNewRecordWindowOfTheView)
{
    Mymode::CurrentRecordId = addCustomer(QStringLiteral("c"));
    openMain();
    ctl<ui::PictureButton>("cmAdd")->click();
    EXPECT_TRUE(isLoaded("frmCustAdd"));
    ui::Windows::open(QStringLiteral("frmCustDetail"));
    for (const ViewWindows& view : kViews) {
        choose(view.menu);
        ctl<ui::PictureButton>("cmAdd")->click();
        EXPECT_TRUE(isLoaded(view.add)) << view.add;
    }
    EXPECT_TRUE(isLoaded("frmCustDetail"));   // the add button leaves the card open
}

// A new record is for the customer the operator has in view: the card in
// sight, else the customer row selected, else nobody; never the customer
// whose id is that of the record of another kind opened last.
TEST_F(GridCommands, ANewRecordTakesTheCustomerInView)
{
    exec(QStringLiteral("insert into company (id, company_name, company_address, KH_CZZ) values "
                        "(7, 'wrong', 'wrong road', 'system'), (101, 'A', 'A road', 'system'), "
                        "(102, 'B', 'B road', 'system')"));
    openMain();
    // The new-record window's customer as "id|name", the window then closed.
    const auto customerOf = [](const char* kind) {
        ui::Form* window = ui::Windows::loaded(QString::fromLatin1(kind));
        const auto box = [window](const char* name) { return window->findChild<ui::TextBox*>(QString::fromLatin1(name))->text(); };
        const QString shown = box("KH_ID") + QLatin1Char('|') + box("CustName");
        ui::Windows::unload(QString::fromLatin1(kind));
        return shown;
    };
    const auto selectCustomer = [this](int id) {
        choose("mnuCustList");
        grid()->setCurrentRow(shownIds().indexOf(id));
    };
    for (const ViewWindows& kind : kViews) {
        SCOPED_TRACE(kind.add);
        const auto expected = [&](int id) {
            return QString::number(id) + QLatin1Char('|')
                   + scalar(QStringLiteral("select %1 from company where id=%2").arg(QLatin1String(kind.nameOf)).arg(id));
        };

        // Record 7 of B opened from its list and closed, then the add button.
        exec(QStringLiteral("insert into %1 (id, companyid, %2) values (7, 102, 'system')")
                 .arg(QLatin1String(kind.table), QLatin1String(kind.owner)));
        choose(kind.menu);
        grid()->doubleClickRow(shownIds().indexOf(7));
        ASSERT_NE(ui::Windows::loaded(QString::fromLatin1(kind.detail)), nullptr);
        ui::Windows::unload(QString::fromLatin1(kind.detail));
        ctl<ui::PictureButton>("cmAdd")->click();
        EXPECT_EQ(customerOf(kind.add), QStringLiteral("|")) << "after the record opened";

        selectCustomer(102);
        choose(kind.newMenu);
        EXPECT_EQ(customerOf(kind.add), expected(102)) << "the customer row selected";

        selectCustomer(101);
        grid()->doubleClickRow(shownIds().indexOf(101));
        selectCustomer(102);
        choose(kind.newMenu);
        EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustDetail")), nullptr);
        EXPECT_EQ(customerOf(kind.add), expected(101)) << "the card in sight";
        EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
    }
}

// Every header orders by the field its column shows, descending; the view
// key and CustListSql stay; the list is the whole scoped list again.
TEST_F(GridCommands, HeaderSortOrdersByTheColumnsField)
{
    const QString me = QStringLiteral("me");
    const int a = addCustomer(QStringLiteral("A"), me);
    const int c = addCustomer(QStringLiteral("C"), me);
    const int b = addCustomer(QStringLiteral("B"), me);
    addCustomer(QStringLiteral("Z"), QStringLiteral("other"));
    exec(QStringLiteral("update company set company_YJ=5, company_QK=1, company_ZJE=300, company_ZSL=2 where id=%1").arg(a));
    exec(QStringLiteral("update company set company_YJ=1, company_QK=3, company_ZJE=100, company_ZSL=1 where id=%1").arg(c));
    exec(QStringLiteral("update company set company_YJ=3, company_QK=2, company_ZJE=200, company_ZSL=3 where id=%1").arg(b));
    loginAs(me, allRights(QStringLiteral("3")));
    openMain();
    search(QStringLiteral("客户名称"), QStringLiteral("等于"), QStringLiteral("A"));
    const QString searched = Mymode::CustListSql;
    const struct {
        int column;
        QList<int> ids;
    } cases[] = {
        {1, {c, b, a}}, {0, {b, c, a}}, {20, {a, b, c}}, {21, {c, b, a}}, {22, {a, b, c}}, {23, {b, a, c}},
    };
    for (const auto& sort : cases) {
        grid()->clickHeader(sort.column);
        EXPECT_EQ(shownIds(), sort.ids) << "column " << sort.column;
    }
    EXPECT_EQ(Mymode::CustListSql, searched);
    EXPECT_EQ(viewKey(), "CustList");
}

TEST_F(GridCommands, HeaderClickOutsideTheCustomerRowsDoesNothing)
{
    const int customer = addCustomer(QStringLiteral("c"));
    addRelated("KH_ACT", "Action_CZZ", customer);
    openMain();
    choose("mnuActionList");
    grid()->clickHeader(1);
    EXPECT_EQ(grid()->columnCaption(1), "时间");
    EXPECT_EQ(countLabel(), "显示共 1 条记录");
}

// The right button pops up the new-record menu in every view; its entries
// open their window and close the customer card.
TEST_F(GridCommands, RightClickPopsUpTheNewRecordMenu)
{
    const int customer = addCustomer(QStringLiteral("c"));
    ui::ScriptedPopups popups;
    openMain();
    grid()->rightClickRow(0);
    choose("mnuSalesList");
    grid()->rightClickRow(0);
    EXPECT_EQ(popups.shown(), (QStringList{"mnuAddNew", "mnuAddNew"}));
    grid()->onMouseDown(ui::LeftButton, 0, 0, 0);
    EXPECT_EQ(popups.shown().size(), 2);

    Mymode::CurrentRecordId = customer;
    ui::Windows::get(QStringLiteral("frmCustDetail"));
    popups.chooseNext(QStringLiteral("mnuAddSales"));
    ui::Windows::loaded<NewRecordMenu>(QStringLiteral("frmMain"))->popupAddNew();
    EXPECT_TRUE(isLoaded("SalesAdd"));
    EXPECT_FALSE(isLoaded("frmCustDetail"));

    ui::Windows::get(QStringLiteral("frmCustDetail"));
    popups.chooseNext(QStringLiteral("mnuaddjhd"));
    grid()->rightClickRow(0);
    EXPECT_TRUE(isLoaded("frmJHd"));
    EXPECT_TRUE(isLoaded("frmCustDetail"));
}
