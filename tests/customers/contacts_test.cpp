// The new-contact window and the contact editor: the refusals in their order,
// the stored row, save-and-new, and an editor that saves exactly the contact it
// shows and never overwrites one changed elsewhere.
#include "tests/customers/customerfixture.h"
#include "tests/support/busyfile.h"

#include "common/mymode.h"
#include "platform/ui/windows.h"

namespace {

const QString kAdded = QStringLiteral("联系人已成功加入");
const QString kChanged = QStringLiteral("联系人已成功修改");
const QString kNoCompany = QStringLiteral("公司名不存在");
const QString kBadBirthday = QStringLiteral("生日不是一个合法的日期");
const QString kStale = QStringLiteral("联系人资料未能保存：该联系人已在别处被修改或删除，请关闭后重新打开再修改");

class Contacts : public CustomerTest {
protected:
    void SetUp() override
    {
        CustomerTest::SetUp();
        customer = addCustomer({{QStringLiteral("company_name"), QStringLiteral("华东贸易")}});
    }
    // The new-contact window opened from the customer's card.
    ui::Form* openNew()
    {
        openCard(customer);
        return ui::Windows::open(QStringLiteral("frmAddContect"));
    }
    ui::Form* openEditor(int contact)
    {
        Mymode::CurrentRecordId = contact;
        return ui::Windows::open(QStringLiteral("frmContectDet"));
    }
    static void tick(ui::Form* form, const QString& box, bool ticked)
    {
        form->control<ui::CheckBox>(box)->setValue(ticked ? 1 : 0);
    }
    static bool ticked(ui::Form* form, const QString& box) { return form->control<ui::CheckBox>(box)->value() == 1; }
    QString birthdayOf(int contact)
    {
        return scalar(QStringLiteral("select Year(birthday) & '-' & Month(birthday) & '-' & Day(birthday) from KH_LXR where id = ")
                      + QString::number(contact));
    }
    int lastContact() { return scalar(QStringLiteral("select max(id) from KH_LXR")).toInt(); }
    int customer = 0;
};

TEST_F(Contacts, NewContactTakesTheCardsCustomerAndStoresTheRow)
{
    ui::Form* window = openNew();
    EXPECT_EQ(text(window, QStringLiteral("CustName")), QStringLiteral("华东贸易"));
    EXPECT_EQ(text(window, QStringLiteral("KH_ID")), QString::number(customer));
    EXPECT_EQ(text(window, QStringLiteral("field4")), QStringLiteral("system"));
    EXPECT_FALSE(ticked(window, QStringLiteral("Tixin")));
    EXPECT_FALSE(ticked(window, QStringLiteral("GK")));

    const QMap<QString, QString> typed{
        {QStringLiteral("LXR"), QStringLiteral("李四")},         {QStringLiteral("dute"), QStringLiteral("经理")},
        {QStringLiteral("tel"), QStringLiteral("021-1")},        {QStringLiteral("fax"), QStringLiteral("021-2")},
        {QStringLiteral("mobil"), QStringLiteral("139")},        {QStringLiteral("postcode"), QStringLiteral("200000")},
        {QStringLiteral("email"), QStringLiteral("li@x.cn")},    {QStringLiteral("hometel"), QStringLiteral("021-3")},
        {QStringLiteral("department"), QStringLiteral("采购")}, {QStringLiteral("ah"), QStringLiteral("围棋")},
        {QStringLiteral("field1"), QStringLiteral("f1")},        {QStringLiteral("field2"), QStringLiteral("f2")},
        {QStringLiteral("field3"), QStringLiteral("O'Neil")},    {QStringLiteral("descript"), QStringLiteral("第一行\n第二行")},
        {QStringLiteral("birthday"), QStringLiteral("1980-5-6")}};
    for (auto it = typed.begin(); it != typed.end(); ++it) type(window, it.key(), it.value());
    tick(window, QStringLiteral("Tixin"), true);
    tick(window, QStringLiteral("GK"), true);
    Mymode::CurrentRecordId = 4711;
    click(window, QStringLiteral("command1"));

    expectOnly(kAdded);
    EXPECT_FALSE(isOpen(QStringLiteral("frmAddContect")));
    EXPECT_EQ(Mymode::CurrentRecordId, 4711);
    const int contact = lastContact();
    const QMap<QString, QString> stored{
        {QStringLiteral("companyid"), QString::number(customer)}, {QStringLiteral("Connect_name"), QStringLiteral("李四")},
        {QStringLiteral("Connect_dute"), QStringLiteral("经理")},  {QStringLiteral("tel"), QStringLiteral("021-1")},
        {QStringLiteral("fax"), QStringLiteral("021-2")},          {QStringLiteral("mobil"), QStringLiteral("139")},
        {QStringLiteral("postcode"), QStringLiteral("200000")},    {QStringLiteral("email"), QStringLiteral("li@x.cn")},
        {QStringLiteral("hometel"), QStringLiteral("021-3")},      {QStringLiteral("department"), QStringLiteral("采购")},
        {QStringLiteral("ah"), QStringLiteral("围棋")},            {QStringLiteral("field1"), QStringLiteral("f1")},
        {QStringLiteral("field2"), QStringLiteral("f2")},          {QStringLiteral("field3"), QStringLiteral("O'Neil")},
        {QStringLiteral("field4"), QStringLiteral("system")},      {QStringLiteral("description"), QStringLiteral("第一行\n第二行")},
        {QStringLiteral("alert"), QStringLiteral("1")},            {QStringLiteral("LXR_GK"), QStringLiteral("1")},
        {QStringLiteral("LXR_CZZ"), QStringLiteral("system")},     {QStringLiteral("address"), QString()}};
    for (auto it = stored.begin(); it != stored.end(); ++it)
        EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(birthdayOf(contact), QStringLiteral("1980-5-6"));

    // Without the reminder the birthday box is ignored, whatever it holds.
    window = openNew();
    type(window, QStringLiteral("LXR"), QStringLiteral("王五"));
    type(window, QStringLiteral("birthday"), QStringLiteral("不是日期"));
    type(window, QStringLiteral("field4"), QStringLiteral("自填"));
    click(window, QStringLiteral("command1"));
    expectOnly(kAdded);
    const int second = lastContact();
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), second, QStringLiteral("alert")), QStringLiteral("0"));
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), second, QStringLiteral("LXR_GK")), QStringLiteral("0"));
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), second, QStringLiteral("birthday")), QString());
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), second, QStringLiteral("field4")), QStringLiteral("自填"));
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), second, QStringLiteral("LXR_CZZ")), QStringLiteral("system"));
}

TEST_F(Contacts, NewContactWithoutCardLoadsItUnseenForCurrentRecord)
{
    Mymode::CurrentRecordId = customer;
    ui::Form* window = ui::Windows::open(QStringLiteral("frmAddContect"));
    EXPECT_EQ(text(window, QStringLiteral("KH_ID")), QString::number(customer));
    EXPECT_EQ(text(window, QStringLiteral("CustName")), QStringLiteral("华东贸易"));
    ui::Form* card = ui::Windows::loaded(QStringLiteral("frmCustDetail"));
    ASSERT_NE(card, nullptr);
    EXPECT_FALSE(card->isVisible());
}

TEST_F(Contacts, NewContactRefusalsComeInTheirOrderAndStoreNothing)
{
    const struct {
        QString contact, name, id, birthday;
        bool reminder;
        QString message;
    } cases[] = {
        {QStringLiteral("  "), QString(), QString(), QString(), true, QStringLiteral("联系人不能为空")},
        {QStringLiteral("李四"), QStringLiteral(" "), QString(), QString(), true, QStringLiteral("客户名称不能为空")},
        {QStringLiteral("李四"), QStringLiteral("华东贸易"), QString(), QString(), true, kNoCompany},
        {QStringLiteral("李四"), QStringLiteral("华东贸易"), QStringLiteral("999"), QString(), false, kNoCompany},
        {QStringLiteral("李四"), QStringLiteral("华东贸易"), QStringLiteral("华东贸易"), QString(), false, kNoCompany},
        {QStringLiteral("李四"), QStringLiteral("华东贸易"), QStringLiteral("#"), QString(), false, kBadBirthday},
        {QStringLiteral("李四"), QStringLiteral("华东贸易"), QStringLiteral("#"), QStringLiteral("1980-2-30"), true, kBadBirthday},
    };
    for (const auto& c : cases) {
        ui::Form* window = openNew();
        type(window, QStringLiteral("LXR"), c.contact);
        type(window, QStringLiteral("CustName"), c.name);
        type(window, QStringLiteral("KH_ID"), c.id == QLatin1String("#") ? QString::number(customer) : c.id);
        type(window, QStringLiteral("birthday"), c.birthday);
        type(window, QStringLiteral("tel"), QStringLiteral("021"));
        tick(window, QStringLiteral("Tixin"), c.reminder || c.message == kBadBirthday);
        click(window, QStringLiteral("command1"));
        expectOnly(c.message);
        EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmAddContect")), window) << c.message.toStdString();
        EXPECT_EQ(text(window, QStringLiteral("tel")), QStringLiteral("021"));
        EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0) << c.message.toStdString();
        ui::Windows::unload(window);
    }
}

TEST_F(Contacts, NewContactTooLongForItsColumnIsNotConfirmed)
{
    ui::Form* window = openNew();
    type(window, QStringLiteral("LXR"), QString(60, QLatin1Char('x')));
    click(window, QStringLiteral("command1"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("联系人资料未能保存："))) << messages.lastText().toStdString();
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmAddContect")), window);
    EXPECT_EQ(text(window, QStringLiteral("LXR")), QString(60, QLatin1Char('x')));
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0);
}

TEST_F(Contacts, SaveAndNewReopensOnlyAfterAStoredSave)
{
    ui::Form* window = openNew();
    type(window, QStringLiteral("LXR"), QStringLiteral("李四"));
    type(window, QStringLiteral("tel"), QStringLiteral("021"));
    click(window, QStringLiteral("command2"));
    expectOnly(kAdded);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 1);
    ui::Form* again = ui::Windows::loaded(QStringLiteral("frmAddContect"));
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(text(again, QStringLiteral("LXR")), QString());
    EXPECT_EQ(text(again, QStringLiteral("tel")), QString());
    EXPECT_EQ(text(again, QStringLiteral("CustName")), QStringLiteral("华东贸易"));
    EXPECT_EQ(text(again, QStringLiteral("KH_ID")), QString::number(customer));

    type(again, QStringLiteral("tel"), QStringLiteral("022"));
    click(again, QStringLiteral("command2"));
    expectOnly(QStringLiteral("联系人不能为空"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmAddContect")), again);
    EXPECT_EQ(text(again, QStringLiteral("tel")), QStringLiteral("022"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 1);
}

class ContactEditor : public Contacts {
protected:
    void SetUp() override
    {
        Contacts::SetUp();
        contact = addContact(customer, {{QStringLiteral("Connect_name"), QStringLiteral("张三")},
                                        {QStringLiteral("Connect_dute"), QStringLiteral("经理")},
                                        {QStringLiteral("tel"), QStringLiteral("021-1")},
                                        {QStringLiteral("hometel"), QStringLiteral("021-3")},
                                        {QStringLiteral("address"), QStringLiteral("上海市")},
                                        {QStringLiteral("ah"), QStringLiteral("钓鱼")},
                                        {QStringLiteral("birthday"), QStringLiteral("1975-12-31 00:00:00")},
                                        {QStringLiteral("alert"), QStringLiteral("1")},
                                        {QStringLiteral("field3"), QStringLiteral("f3")},
                                        {QStringLiteral("field4"), QStringLiteral("旧值")},
                                        {QStringLiteral("description"), QStringLiteral("备注")},
                                        {QStringLiteral("LXR_GK"), QStringLiteral("1")},
                                        {QStringLiteral("LXR_CZZ"), QStringLiteral("老王")}});
    }
    int contact = 0;
};

TEST_F(ContactEditor, LoadShowsEveryBox)
{
    ui::Form* editor = openEditor(contact);
    const QMap<QString, QString> shown{
        {QStringLiteral("LXR"), QStringLiteral("张三")},         {QStringLiteral("dute"), QStringLiteral("经理")},
        {QStringLiteral("tel"), QStringLiteral("021-1")},        {QStringLiteral("hometel"), QStringLiteral("021-3")},
        {QStringLiteral("ah"), QStringLiteral("钓鱼")},          {QStringLiteral("fax"), QString()},
        {QStringLiteral("birthday"), QStringLiteral("1975-12-31")}, {QStringLiteral("field3"), QStringLiteral("f3")},
        {QStringLiteral("field4"), QStringLiteral("老王")},      {QStringLiteral("descript"), QStringLiteral("备注")},
        {QStringLiteral("CustName"), QStringLiteral("华东贸易")}, {QStringLiteral("KH_ID"), QString::number(customer)}};
    for (auto it = shown.begin(); it != shown.end(); ++it)
        EXPECT_EQ(text(editor, it.key()), it.value()) << it.key().toStdString();
    EXPECT_TRUE(ticked(editor, QStringLiteral("Tixin")));
    EXPECT_TRUE(ticked(editor, QStringLiteral("GK")));
    ui::Windows::unload(editor);

    exec(QStringLiteral("update KH_LXR set alert='0', LXR_GK=null"));
    editor = openEditor(contact);
    EXPECT_FALSE(ticked(editor, QStringLiteral("Tixin")));
    EXPECT_FALSE(ticked(editor, QStringLiteral("GK")));
}

TEST_F(ContactEditor, SaveWritesTheBoxesButNeitherOwnerNorAddress)
{
    // Two customers of one name: the save remembers the first of them.
    exec(QStringLiteral("update company set company_name='同名'"));
    const int later = addCustomer({{QStringLiteral("company_name"), QStringLiteral("同名")}});
    exec(QStringLiteral("update KH_LXR set companyid=%1").arg(later));
    ui::Form* editor = openEditor(contact);
    type(editor, QStringLiteral("LXR"), QString());
    type(editor, QStringLiteral("tel"), QStringLiteral("021-9"));
    type(editor, QStringLiteral("field4"), QStringLiteral("改过"));
    type(editor, QStringLiteral("birthday"), QStringLiteral("垃圾"));
    tick(editor, QStringLiteral("Tixin"), false);
    tick(editor, QStringLiteral("GK"), false);
    click(editor, QStringLiteral("command1"));

    expectOnly(kChanged);
    EXPECT_FALSE(isOpen(QStringLiteral("frmContectDet")));
    EXPECT_EQ(Mymode::CurrentRecordId, customer);
    const QMap<QString, QString> stored{
        {QStringLiteral("Connect_name"), QString()},          {QStringLiteral("tel"), QStringLiteral("021-9")},
        {QStringLiteral("alert"), QStringLiteral("0")},       {QStringLiteral("LXR_GK"), QStringLiteral("0")},
        {QStringLiteral("field4"), QStringLiteral("旧值")},   {QStringLiteral("LXR_CZZ"), QStringLiteral("老王")},
        {QStringLiteral("address"), QStringLiteral("上海市")}, {QStringLiteral("companyid"), QString::number(later)},
        {QStringLiteral("ah"), QStringLiteral("钓鱼")}};
    for (auto it = stored.begin(); it != stored.end(); ++it)
        EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(birthdayOf(contact), QStringLiteral("1975-12-31"));

    // With the reminder ticked the birthday must be a date, and is then stored.
    editor = openEditor(contact);
    type(editor, QStringLiteral("birthday"), QStringLiteral("垃圾"));
    tick(editor, QStringLiteral("Tixin"), true);
    click(editor, QStringLiteral("command1"));
    expectOnly(kBadBirthday);
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("alert")), QStringLiteral("0"));
    type(editor, QStringLiteral("birthday"), QStringLiteral("1976-1-2"));
    click(editor, QStringLiteral("command1"));
    expectOnly(kChanged);
    EXPECT_EQ(birthdayOf(contact), QStringLiteral("1976-1-2"));
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("alert")), QStringLiteral("1"));
}

TEST_F(ContactEditor, RefusedRightWritesNothing)
{
    loginAs(QStringLiteral("clerk"), allRights().replace(QStringLiteral("e_conn=1;"), QStringLiteral("e_conn=0;")));
    ui::Form* editor = openEditor(contact);
    type(editor, QStringLiteral("tel"), QStringLiteral("000"));
    click(editor, QStringLiteral("command1"));
    expectOnly(QStringLiteral("您无权修改联系人资料"), ui::Icon::Error, QStringLiteral("修改资料"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmContectDet")), editor);
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("tel")), QStringLiteral("021-1"));
}

TEST_F(ContactEditor, SavesTheContactItShowsWhateverCurrentRecordHolds)
{
    const int other = addContact(customer, {{QStringLiteral("Connect_name"), QStringLiteral("赵六")}});
    ui::Form* editor = openEditor(contact);
    // Another opener (or the card's tab change) moves CurrentRecordId meanwhile.
    EXPECT_EQ(openEditor(other), editor) << "an open editor only comes to the front";
    EXPECT_EQ(text(editor, QStringLiteral("LXR")), QStringLiteral("张三"));
    type(editor, QStringLiteral("tel"), QStringLiteral("021-7"));
    click(editor, QStringLiteral("command1"));
    expectOnly(kChanged);
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("tel")), QStringLiteral("021-7"));
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), other, QStringLiteral("tel")), QString());
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), other, QStringLiteral("Connect_name")), QStringLiteral("赵六"));
}

TEST_F(ContactEditor, ContactChangedOrDeletedElsewhereIsNotOverwritten)
{
    ui::Form* editor = openEditor(contact);
    exec(QStringLiteral("update KH_LXR set tel='elsewhere' where id = %1").arg(contact));
    type(editor, QStringLiteral("mobil"), QStringLiteral("139"));
    click(editor, QStringLiteral("command1"));
    expectOnly(kStale);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmContectDet")), editor);
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("tel")), QStringLiteral("elsewhere"));
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("mobil")), QString());
    ui::Windows::unload(editor);

    editor = openEditor(contact);
    exec(QStringLiteral("delete from KH_LXR where id = %1").arg(contact));
    click(editor, QStringLiteral("command1"));
    expectOnly(kStale);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0);
}

// A file another workstation holds is no change made elsewhere: the editor
// says it was busy, keeps its boxes, and the same save then passes.
TEST_F(ContactEditor, ASaveRefusedWhileAnotherWorkstationWritesSaysSoAndCanBeRepeated)
{
    ui::Form* editor = openEditor(contact);
    type(editor, QStringLiteral("mobil"), QStringLiteral("139"));
    {
        OtherWorkstationWriting other;
        click(editor, QStringLiteral("command1"));
    }
    expectOnly(QStringLiteral("联系人资料未能保存：另一台电脑正在使用数据文件，这次没有改变任何数据，输入的内容仍然保留，请再试一次"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmContectDet")), editor);
    EXPECT_EQ(text(editor, QStringLiteral("mobil")), QStringLiteral("139"));
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("mobil")), QString());

    click(editor, QStringLiteral("command1"));
    expectOnly(kChanged);
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("mobil")), QStringLiteral("139"));
}

TEST_F(ContactEditor, ContactWithoutCustomerKeepsItsCustomer)
{
    exec(QStringLiteral("delete from company"));
    ui::Form* editor = openEditor(contact);
    EXPECT_EQ(text(editor, QStringLiteral("CustName")), QString());
    EXPECT_EQ(text(editor, QStringLiteral("KH_ID")), QString());
    type(editor, QStringLiteral("CustName"), QStringLiteral("随便"));
    click(editor, QStringLiteral("command1"));
    expectOnly(kNoCompany);
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("companyid")), QString::number(customer));
}

// The pick goes into the window whose button opened the picker; the other
// contact window keeps its customer.
TEST_F(Contacts, PickedCustomerReplacesNameAndIdInTheWindowThatAsked)
{
    const int other = addCustomer({{QStringLiteral("company_name"), QStringLiteral("北方商行")}});
    const int contact = addContact(customer, {{QStringLiteral("Connect_name"), QStringLiteral("张三")}});
    ui::Form* added = openNew();
    const QString addedFor = text(added, QStringLiteral("KH_ID"));
    ui::Form* editor = openEditor(contact);
    click(editor, QStringLiteral("command3"));
    ui::Form* picker = ui::Windows::loaded(QStringLiteral("frmSelectKH"));
    ASSERT_NE(picker, nullptr);
    auto* list = picker->control<ui::DataGrid>(QStringLiteral("DataGrid1"));
    int row = 0;
    while (row < list->rowCount() && list->cellText(row, 0).toInt() != other) ++row;
    ASSERT_LT(row, list->rowCount());
    list->clickRow(row);
    click(picker, QStringLiteral("command1"));
    EXPECT_EQ(text(editor, QStringLiteral("CustName")), QStringLiteral("北方商行"));
    EXPECT_EQ(text(editor, QStringLiteral("KH_ID")), QString::number(other));
    EXPECT_EQ(text(added, QStringLiteral("KH_ID")), addedFor);
    click(editor, QStringLiteral("command1"));
    expectOnly(kChanged);
    EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, QStringLiteral("companyid")), QString::number(other));
    EXPECT_EQ(Mymode::CurrentRecordId, other);
}

} // namespace
