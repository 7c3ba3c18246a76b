// The customer card: its load, the save with the main-contact step, the
// refused right, and saves that must not overwrite what changed meanwhile.
#include "tests/customers/customerfixture.h"
#include "tests/support/busyfile.h"

#include "common/companylookup.h"
#include "common/database.h"
#include "common/fileupgrade.h"
#include "common/mymode.h"
#include "platform/ui/windows.h"

namespace {

const QString kSaved = QStringLiteral("客户资料修改成功！");

class CustomerCard : public CustomerTest {
protected:
    void SetUp() override
    {
        CustomerTest::SetUp();
        setReferenceValues(QStringLiteral("client_type"), {QStringLiteral("批发"), QStringLiteral("零售")});
        setReferenceValues(QStringLiteral("industry"), {QStringLiteral("制造"), QStringLiteral("服务")});
        customer = addCustomer({{QStringLiteral("company_name"), QStringLiteral("华东贸易")},
                                {QStringLiteral("company_address"), QStringLiteral("上海市")},
                                {QStringLiteral("company_connect"), QStringLiteral("张三")},
                                {QStringLiteral("company_tel"), QStringLiteral("02155556666")},
                                {QStringLiteral("company_postcode"), QStringLiteral("VIP1")},
                                {QStringLiteral("company_client_type"), QStringLiteral("零售")},
                                {QStringLiteral("company_industry"), QStringLiteral("制造")},
                                {QStringLiteral("company_description"), QStringLiteral("老客户")},
                                {QStringLiteral("company_QK"), QStringLiteral("120.5")},
                                {QStringLiteral("company_zje"), QStringLiteral("1500")},
                                {QStringLiteral("company_createtime"), QStringLiteral("2024-3-1")},
                                {QStringLiteral("KH_CZZ"), QStringLiteral("老王")},
                                {QStringLiteral("KH_GK"), QStringLiteral("1")}});
    }
    int customer = 0;
};

TEST_F(CustomerCard, LoadShowsTheCustomer)
{
    ui::Form* card = openCard(customer);
    const QMap<QString, QString> shown{
        {QStringLiteral("companyname"), QStringLiteral("华东贸易")}, {QStringLiteral("company_address"), QStringLiteral("上海市")},
        {QStringLiteral("LXR"), QStringLiteral("张三")},             {QStringLiteral("tel"), QStringLiteral("02155556666")},
        {QStringLiteral("postcode"), QStringLiteral("VIP1")},        {QStringLiteral("Custtype"), QStringLiteral("零售")},
        {QStringLiteral("Custhy"), QStringLiteral("制造")},          {QStringLiteral("custLy"), QString()},
        {QStringLiteral("descript"), QStringLiteral("老客户")},      {QStringLiteral("KH_QK"), QStringLiteral("120.5")},
        {QStringLiteral("KH_ZJE"), QStringLiteral("1500")},          {QStringLiteral("KH_YJ"), QStringLiteral("0")},
        {QStringLiteral("text1"), QString::number(customer)}};
    for (auto it = shown.begin(); it != shown.end(); ++it)
        EXPECT_EQ(text(card, it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(card->control<ui::CheckBox>(QStringLiteral("GK"))->value(), 1);
    EXPECT_EQ(card->control<ui::ComboBox>(QStringLiteral("Custtype"))->listCount(), 2);
}

TEST_F(CustomerCard, PublicBoxIsTickedOnlyForTheTextOne)
{
    for (const auto& [stored, ticked] : {std::pair{"1", 1}, std::pair{"0", 0}, std::pair{"", 0}}) {
        exec(QStringLiteral("update company set KH_GK = '%1'").arg(QString::fromLatin1(stored)));
        ui::Form* card = openCard(customer);
        EXPECT_EQ(card->control<ui::CheckBox>(QStringLiteral("GK"))->value(), ticked) << stored;
        ui::Windows::unload(card);
    }
}

TEST_F(CustomerCard, SaveWritesTheBoxesAndCloses)
{
    ui::Form* card = openCard(customer);
    type(card, QStringLiteral("tel"), QStringLiteral("02188889999"));
    type(card, QStringLiteral("companyname"), QString());
    type(card, QStringLiteral("KH_ZSL"), QStringLiteral("7"));
    card->control<ui::ComboBox>(QStringLiteral("Custhy"))->pick(1);
    card->control<ui::CheckBox>(QStringLiteral("GK"))->setValue(0);
    click(card, QStringLiteral("command1"));

    EXPECT_EQ(messages.lastText(), kSaved);
    EXPECT_FALSE(isOpen(QStringLiteral("frmCustDetail")));
    const QMap<QString, QString> stored{
        {QStringLiteral("company_tel"), QStringLiteral("02188889999")}, {QStringLiteral("company_name"), QString()},
        {QStringLiteral("company_Zsl"), QStringLiteral("7")},           {QStringLiteral("company_industry"), QStringLiteral("服务")},
        {QStringLiteral("KH_GK"), QStringLiteral("0")},                 {QStringLiteral("company_QK"), QStringLiteral("120.5")},
        {QStringLiteral("KH_CZZ"), QStringLiteral("老王")},             {QStringLiteral("company_createtime"), QStringLiteral("2024-3-1")}};
    for (auto it = stored.begin(); it != stored.end(); ++it)
        EXPECT_EQ(column(QStringLiteral("company"), customer, it.key()), it.value()) << it.key().toStdString();
}

TEST_F(CustomerCard, RenamedMainContactKeepsItsOwnColumns)
{
    const int contact = addContact(customer, {{QStringLiteral("Connect_name"), QStringLiteral("张三")},
                                              {QStringLiteral("Connect_dute"), QStringLiteral("经理")},
                                              {QStringLiteral("ah"), QStringLiteral("钓鱼")},
                                              {QStringLiteral("LXR_CZZ"), QStringLiteral("老王")}});
    const int other = addContact(customer, {{QStringLiteral("Connect_name"), QStringLiteral("赵六")}});
    ui::Form* card = openCard(customer);
    type(card, QStringLiteral("LXR"), QStringLiteral("李四"));
    type(card, QStringLiteral("mobil"), QStringLiteral("13900000002"));
    type(card, QStringLiteral("postcode"), QStringLiteral("VIP2"));
    click(card, QStringLiteral("command1"));

    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 2);
    const QMap<QString, QString> stored{
        {QStringLiteral("Connect_name"), QStringLiteral("李四")}, {QStringLiteral("mobil"), QStringLiteral("13900000002")},
        {QStringLiteral("tel"), QStringLiteral("02155556666")},   {QStringLiteral("postcode"), QStringLiteral("VIP2")},
        {QStringLiteral("Connect_dute"), QStringLiteral("经理")}, {QStringLiteral("ah"), QStringLiteral("钓鱼")},
        {QStringLiteral("LXR_CZZ"), QStringLiteral("老王")}};
    for (auto it = stored.begin(); it != stored.end(); ++it)
        EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), other, QStringLiteral("tel")), QString());
}

TEST_F(CustomerCard, MissingMainContactIsAddedUnderTheCustomer)
{
    click(openCard(customer), QStringLiteral("command1"));
    ASSERT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 1);
    const int contact = scalar(QStringLiteral("select id from KH_LXR")).toInt();
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("companyid")), QString::number(customer));
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("Connect_name")), QStringLiteral("张三"));
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("postcode")), QStringLiteral("VIP1"));
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("LXR_CZZ")), QString());
}

TEST_F(CustomerCard, BalanceThatIsNoNumberIsRefusedAndKept)
{
    const struct {
        const char* box;
        const char* column;
        const char* typed;
        const char* message;
    } cases[] = {
        {"KH_YJ", "company_YJ", "abc", "预收押金必须是数字"},
        {"KH_QK", "company_QK", "12元", "欠款金额必须是数字"},
        {"KH_ZJE", "company_zje", "1,5", "总购金额必须是数字"},
        {"KH_ZSL", "company_Zsl", "x1", "总购数量必须是数字"},
    };
    for (const auto& c : cases) {
        messages.clear();
        const QString box = QString::fromLatin1(c.box), column = QString::fromLatin1(c.column);
        const QString before = this->column(QStringLiteral("company"), customer, column);
        ui::Form* card = openCard(customer);
        type(card, QStringLiteral("tel"), QStringLiteral("999"));
        type(card, box, QString::fromUtf8(c.typed));
        click(card, QStringLiteral("command1"));

        ASSERT_EQ(messages.shown().size(), 1u) << c.box;
        EXPECT_EQ(messages.shown()[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(messages.shown()[0].buttons, ui::Buttons::Ok);
        EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustDetail")), card);
        EXPECT_EQ(text(card, box), QString::fromUtf8(c.typed));
        EXPECT_EQ(this->column(QStringLiteral("company"), customer, column), before) << c.box;
        EXPECT_EQ(this->column(QStringLiteral("company"), customer, QStringLiteral("company_tel")), QStringLiteral("02155556666"));
        EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0);
        ui::Windows::unload(card);
    }
}

TEST_F(CustomerCard, BalancesAreStoredAsNumbers)
{
    ui::Form* card = openCard(customer);
    type(card, QStringLiteral("KH_YJ"), QStringLiteral(" 80.25 "));
    type(card, QStringLiteral("KH_QK"), QString());
    type(card, QStringLiteral("KH_ZJE"), QStringLiteral("  "));
    type(card, QStringLiteral("KH_ZSL"), QStringLiteral("-3"));
    click(card, QStringLiteral("command1"));
    EXPECT_EQ(messages.lastText(), kSaved);
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_YJ")), QStringLiteral("80.25"));
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_QK")), QStringLiteral("0"))
        << "an emptied balance is 0, not the old amount";
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_zje")), QStringLiteral("0"));
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_Zsl")), QStringLiteral("-3"));
}

TEST_F(CustomerCard, AmountTooLargeForItsColumnIsReportedNotClaimed)
{
    ui::Form* card = openCard(customer);
    type(card, QStringLiteral("tel"), QStringLiteral("999"));
    type(card, QStringLiteral("KH_QK"), QStringLiteral("1e30"));
    click(card, QStringLiteral("command1"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("客户资料未能保存"))) << messages.lastText().toStdString();
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustDetail")), card);
    EXPECT_EQ(text(card, QStringLiteral("KH_QK")), QStringLiteral("1e30"));
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_QK")), QStringLiteral("120.5"));
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_tel")), QStringLiteral("02155556666"));

    type(card, QStringLiteral("KH_QK"), QStringLiteral("130"));
    click(card, QStringLiteral("command1"));
    EXPECT_EQ(messages.lastText(), kSaved) << "the card can be saved once corrected";
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_QK")), QStringLiteral("130"));
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_tel")), QStringLiteral("999"));
}

TEST_F(CustomerCard, TextLongerThanItsColumnIsReportedNotClaimed)
{
    ui::Form* card = openCard(customer);
    const QString before = column(QStringLiteral("company"), customer, QStringLiteral("company_name"));
    type(card, QStringLiteral("tel"), QStringLiteral("999"));
    type(card, QStringLiteral("companyname"), QString(101, QChar(0x5BA2)));
    click(card, QStringLiteral("command1"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("客户资料未能保存"))) << messages.lastText().toStdString();
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_name")), before);
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_tel")), QStringLiteral("02155556666"));
}

TEST_F(CustomerCard, MainContactWithAQuoteInItsNameIsFound)
{
    exec(QStringLiteral("update company set company_connect = 'O''Brien'"));
    const int contact = addContact(customer, {{QStringLiteral("Connect_name"), QStringLiteral("O'Brien")}});
    ui::Form* card = openCard(customer);
    type(card, QStringLiteral("tel"), QStringLiteral("777"));
    click(card, QStringLiteral("command1"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 1);
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("tel")), QStringLiteral("777"));
}

TEST_F(CustomerCard, SaveWithoutTheRightIsRefused)
{
    loginAs(QStringLiteral("clerk"), allRights().replace(QStringLiteral("e_cust=1;"), QStringLiteral("e_cust=0;")));
    ui::Form* card = openCard(customer);
    type(card, QStringLiteral("tel"), QStringLiteral("999"));
    click(card, QStringLiteral("command1"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("您无权修改客户资料"));
    EXPECT_EQ(messages.shown()[0].icon, ui::Icon::Error);
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("保存客户资料"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustDetail")), card);
    EXPECT_EQ(text(card, QStringLiteral("tel")), QStringLiteral("999"));
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_tel")), QStringLiteral("02155556666"));
}

TEST_F(CustomerCard, RowChangedMeanwhileIsNotOverwritten)
{
    ui::Form* card = openCard(customer);
    exec(QStringLiteral("update company set company_QK = 500 where id = %1").arg(customer));   // an order raised the debt
    type(card, QStringLiteral("tel"), QStringLiteral("999"));
    click(card, QStringLiteral("command1"));

    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_NE(messages.lastText(), kSaved);
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_QK")), QStringLiteral("500"));
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_tel")), QStringLiteral("02155556666"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustDetail")), card);
    EXPECT_EQ(text(card, QStringLiteral("tel")), QStringLiteral("999"));
}

TEST_F(CustomerCard, BusyDatabaseSaysSoAndKeepsTheInput)
{
    ui::Form* card = openCard(customer);
    type(card, QStringLiteral("tel"), QStringLiteral("999"));
    db::setBusyWaitForTests(50);
    {
        auto other = database::openMain();   // another program writing
        other->beginTrans();
        other->execute(QStringLiteral("update JSQ set LSH = LSH"));
        click(card, QStringLiteral("command1"));
        other->rollbackTrans();
    }
    db::setBusyWaitForTests(0);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.lastText(), QStringLiteral("客户资料未能保存：另一台电脑正在使用数据文件，这次没有改变任何数据，"
                                                  "输入的内容仍然保留，请再试一次"));
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_tel")), QStringLiteral("02155556666"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustDetail")), card);
    EXPECT_EQ(text(card, QStringLiteral("tel")), QStringLiteral("999"));

    messages.clear();
    click(card, QStringLiteral("command1"));
    EXPECT_EQ(messages.lastText(), kSaved);
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_tel")), QStringLiteral("999"));
}

TEST_F(CustomerCard, LargestAmountsRoundTripAndSaveAgain)
{
    ui::Form* card = openCard(customer);
    type(card, QStringLiteral("KH_QK"), QStringLiteral("922337203685477.5807"));
    type(card, QStringLiteral("KH_YJ"), QStringLiteral("-922337203685477.5808"));
    click(card, QStringLiteral("command1"));
    EXPECT_EQ(messages.lastText(), kSaved);

    messages.clear();
    card = openCard(customer);
    EXPECT_EQ(text(card, QStringLiteral("KH_QK")), QStringLiteral("922337203685477.5807"));
    EXPECT_EQ(text(card, QStringLiteral("KH_YJ")), QStringLiteral("-922337203685477.5808"));
    type(card, QStringLiteral("tel"), QStringLiteral("888"));
    click(card, QStringLiteral("command1"));
    EXPECT_EQ(messages.lastText(), kSaved);
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_tel")), QStringLiteral("888"));
}

TEST_F(CustomerCard, DeletedCustomerGetsNoContact)
{
    ui::Form* card = openCard(customer);
    exec(QStringLiteral("delete from company"));
    click(card, QStringLiteral("command1"));
    EXPECT_NE(messages.lastText(), kSaved);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from company")), 0);
}

TEST_F(CustomerCard, CardOfAnUnknownCustomerSavesNothing)
{
    ui::Form* card = openCard(customer + 100);
    EXPECT_EQ(text(card, QStringLiteral("text1")), QString());
    type(card, QStringLiteral("companyname"), QStringLiteral("新名字"));
    click(card, QStringLiteral("command1"));
    EXPECT_NE(messages.lastText(), kSaved);
    EXPECT_EQ(count(QStringLiteral("select count(*) from company where company_name = '新名字'")), 0);
}

TEST_F(CustomerCard, UnlistedValueIsKeptUntilAnotherIsPicked)
{
    exec(QStringLiteral("update company set company_client_type = '旧分组'"));
    ui::Form* card = openCard(customer);
    EXPECT_EQ(text(card, QStringLiteral("Custtype")), QStringLiteral("旧分组"));
    click(card, QStringLiteral("command1"));
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_client_type")), QStringLiteral("旧分组"));

    card = openCard(customer);
    auto* group = card->control<ui::ComboBox>(QStringLiteral("Custtype"));
    group->pick(group->findText(QStringLiteral("批发")));
    click(card, QStringLiteral("command1"));
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_client_type")), QStringLiteral("批发"));
}

TEST_F(CustomerCard, PopUpCardsAreSeparateFromTheSharedCard)
{
    const int other = addCustomer({{QStringLiteral("company_name"), QStringLiteral("西南物流")}});
    ui::Form* shared = openCard(customer);
    Mymode::CurrentRecordId = other;
    ui::Form* popup = ui::Windows::openNew(QStringLiteral("frmCustDetail"));
    ASSERT_NE(popup, shared);
    EXPECT_EQ(text(popup, QStringLiteral("companyname")), QStringLiteral("西南物流"));
    EXPECT_EQ(ui::Windows::get(QStringLiteral("frmCustDetail")), shared);

    type(popup, QStringLiteral("tel"), QStringLiteral("028"));
    click(popup, QStringLiteral("command1"));
    EXPECT_EQ(column(QStringLiteral("company"), other, QStringLiteral("company_tel")), QStringLiteral("028"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustDetail")), shared);
    click(shared, QStringLiteral("command1"));
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_tel")), QStringLiteral("02155556666"));
    EXPECT_EQ(messages.lastText(), kSaved);
}

// Only a change made elsewhere asks for the window to be opened again; any
// other refusal says its own reason and the typed input stays in the boxes.
TEST_F(CustomerCard, ASaveRefusedForAnotherReasonSaysItAndKeepsTheInput)
{
    const int contact = addContact(customer, {{QStringLiteral("Connect_name"), QStringLiteral("李四")}});
    const struct {
        const char *window;
        int record;
        const char *table, *notSaved;
    } cases[] = {{"frmCustDetail", customer, "company", "客户资料未能保存："},
                 {"frmContectDet", contact, "KH_LXR", "联系人资料未能保存："}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        Mymode::CurrentRecordId = c.record;
        ui::Form* form = ui::Windows::open(QString::fromLatin1(c.window));
        exec(QStringLiteral("CREATE TRIGGER full BEFORE UPDATE ON %1 BEGIN SELECT RAISE(ABORT, '磁盘已满'); END")
                 .arg(QLatin1String(c.table)));
        type(form, QStringLiteral("fax"), QStringLiteral("021-9"));
        click(form, QStringLiteral("command1"));
        expectOnly(QString::fromUtf8(c.notSaved) + QStringLiteral("磁盘已满"));
        EXPECT_EQ(text(form, QStringLiteral("fax")), QStringLiteral("021-9"));
        exec(QStringLiteral("DROP TRIGGER full"));
        click(form, QStringLiteral("command1"));   // the same save goes through once the cause is gone
        EXPECT_EQ(ui::Windows::loaded(QString::fromLatin1(c.window)), nullptr);
        messages.clear();
    }
}

// A file of an earlier version that lacks a column the card reads: the card
// says it could not open and the program goes on; once the program has
// opened the file again, the column is there and the card shows the customer.
TEST_F(CustomerCard, ACardOnAFileLackingAColumnSaysItCouldNotOpen)
{
    exec(QStringLiteral("alter table company drop column company_http"));
    EXPECT_EQ(openCard(customer), nullptr);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("“客户资料”窗口没能打开：")));
    EXPECT_TRUE(messages.lastText().contains(QLatin1String("company_http")));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustDetail")), nullptr);
    messages.clear();

    fileupgrade::upgrade(Mymode::ConnectString);
    ui::Form* card = openCard(customer);
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(text(card, QStringLiteral("companyname")), QStringLiteral("华东贸易"));
}

TEST_F(CustomerCard, CompanyIdByNameFindsTheFirstCustomerOfThatName)
{
    const int twin = addCustomer({{QStringLiteral("company_name"), QStringLiteral("华东贸易")}});
    const int quoted = addCustomer({{QStringLiteral("company_name"), QStringLiteral("O'Neil")}});
    EXPECT_EQ(Mymode::CompanyIdByName(QStringLiteral("华东贸易")), customer);
    EXPECT_NE(Mymode::CompanyIdByName(QStringLiteral("华东贸易")), twin);
    EXPECT_EQ(Mymode::CompanyIdByName(QStringLiteral("O'Neil")), quoted);
    EXPECT_EQ(Mymode::CompanyIdByName(QStringLiteral("无此客户")), std::nullopt);

    Mymode::CurrentRecordId = 42;
    Mymode::rememberCompanyByName(QStringLiteral("无此客户"));
    EXPECT_EQ(Mymode::CurrentRecordId, 42);
    Mymode::rememberCompanyByName(QStringLiteral("O'Neil"));
    EXPECT_EQ(Mymode::CurrentRecordId, quoted);
    // A lookup that cannot be run now keeps the customer last in view.
    OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
    Mymode::rememberCompanyByName(QStringLiteral("华东贸易"));
    EXPECT_EQ(Mymode::CurrentRecordId, quoted);
}

} // namespace
