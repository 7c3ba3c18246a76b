// The new-customer window: the customer and its main contact are stored
// together, duplicates are confirmed, and nothing is claimed that was not stored.
#include "tests/customers/customerfixture.h"
#include "tests/support/busyfile.h"

#include "app/programwindows.h"
#include "common/callmonitor.h"
#include "common/mymode.h"
#include "platform/db/locale.h"
#include "platform/ui/windows.h"

namespace {

class NewCustomer : public CustomerTest {
protected:
    ui::Form* openNew()
    {
        return ui::Windows::open(QStringLiteral("frmCustAdd"));
    }
    // The name and main contact every save needs, and nothing else.
    ui::Form* openFilled(const QString& name, const QString& contact = QStringLiteral("王五"))
    {
        ui::Form* window = openNew();
        type(window, QStringLiteral("companyname"), name);
        type(window, QStringLiteral("LXR"), contact);
        return window;
    }
};

TEST_F(NewCustomer, StoresTheCustomerAndItsMainContact)
{
    setReferenceValues(QStringLiteral("client_type"), {QStringLiteral("批发"), QStringLiteral("零售")});
    setReferenceValues(QStringLiteral("industry"), {QStringLiteral("制造")});
    ui::Form* window = openNew();
    auto* group = window->control<ui::ComboBox>(QStringLiteral("Custtype"));
    ASSERT_EQ(group->listCount(), 2);
    EXPECT_EQ(group->text(), QString()) << "nothing is picked when the window opens";
    EXPECT_EQ(window->control<ui::Label>(QStringLiteral("lbl_fax"))->caption(), QStringLiteral("传   真"));

    const QMap<QString, QString> typed{
        {QStringLiteral("companyname"), QStringLiteral(" 华东贸易 ")}, {QStringLiteral("company_address"), QStringLiteral("上海市")},
        {QStringLiteral("LXR"), QStringLiteral("王五")},               {QStringLiteral("dute"), QStringLiteral("KH001")},
        {QStringLiteral("tel"), QStringLiteral("02155556666")},       {QStringLiteral("fax"), QStringLiteral("02155557777")},
        {QStringLiteral("mobil"), QStringLiteral("13900000001")},     {QStringLiteral("email"), QStringLiteral("wang@example.cn")},
        {QStringLiteral("http"), QStringLiteral("example.cn")},       {QStringLiteral("postcode"), QStringLiteral("VIP9")},
        {QStringLiteral("area"), QStringLiteral("12")},               {QStringLiteral("XYD"), QStringLiteral("310101")},
        {QStringLiteral("khyh"), QStringLiteral("工商银行")},         {QStringLiteral("yhzh"), QStringLiteral("6222")},
        {QStringLiteral("descript"), QStringLiteral("老客户\n第二行")}};
    for (auto it = typed.begin(); it != typed.end(); ++it) type(window, it.key(), it.value());
    group->pick(1);
    window->control<ui::CheckBox>(QStringLiteral("GK"))->setValue(1);
    click(window, QStringLiteral("command1"));

    EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
    EXPECT_FALSE(isOpen(QStringLiteral("frmCustAdd")));
    const int id = scalar(QStringLiteral("select max(id) from company")).toInt();
    const QMap<QString, QString> stored{
        {QStringLiteral("company_name"), QStringLiteral(" 华东贸易 ")}, {QStringLiteral("company_connect"), QStringLiteral("王五")},
        {QStringLiteral("company_dute"), QStringLiteral("KH001")},     {QStringLiteral("company_mail"), QStringLiteral("wang@example.cn")},
        {QStringLiteral("company_postcode"), QStringLiteral("VIP9")},  {QStringLiteral("company_ZJH"), QStringLiteral("310101")},
        {QStringLiteral("company_description"), QStringLiteral("老客户\n第二行")},
        {QStringLiteral("company_client_type"), QStringLiteral("零售")}, {QStringLiteral("company_industry"), QString()},
        {QStringLiteral("company_YJ"), QStringLiteral("0")},           {QStringLiteral("company_QK"), QStringLiteral("0")},
        {QStringLiteral("company_zje"), QStringLiteral("0")},          {QStringLiteral("company_Zsl"), QStringLiteral("0")},
        {QStringLiteral("KH_GK"), QStringLiteral("1")},                {QStringLiteral("KH_CZZ"), QStringLiteral("system")}};
    for (auto it = stored.begin(); it != stored.end(); ++it)
        EXPECT_EQ(column(QStringLiteral("company"), id, it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(column(QStringLiteral("company"), id, QStringLiteral("company_createtime")),
              db::locale::shortDate(db::locale::now().date()));

    ASSERT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 1);
    const int contact = scalar(QStringLiteral("select id from KH_LXR")).toInt();
    const QMap<QString, QString> mainContact{
        {QStringLiteral("companyid"), QString::number(id)},   {QStringLiteral("Connect_name"), QStringLiteral("王五")},
        {QStringLiteral("Connect_dute"), QStringLiteral("KH001")}, {QStringLiteral("tel"), QStringLiteral("02155556666")},
        {QStringLiteral("fax"), QStringLiteral("02155557777")}, {QStringLiteral("mobil"), QStringLiteral("13900000001")},
        {QStringLiteral("email"), QStringLiteral("wang@example.cn")}, {QStringLiteral("postcode"), QStringLiteral("VIP9")},
        {QStringLiteral("address"), QStringLiteral("上海市")},  {QStringLiteral("LXR_GK"), QStringLiteral("1")},
        {QStringLiteral("LXR_CZZ"), QStringLiteral("system")}, {QStringLiteral("hometel"), QString()}};
    for (auto it = mainContact.begin(); it != mainContact.end(); ++it)
        EXPECT_EQ(column(QStringLiteral("KH_LXR"), contact, it.key()), it.value()) << it.key().toStdString();
}

TEST_F(NewCustomer, BlankNameOrContactIsRefusedAndKept)
{
    const struct {
        QString name, contact, message;
    } cases[] = {
        {QStringLiteral("   "), QStringLiteral("王五"), QStringLiteral("客户名称不能为空")},
        {QStringLiteral("华东贸易"), QStringLiteral("  "), QStringLiteral("联系人不能为空")},
        {QString(), QString(), QStringLiteral("客户名称不能为空")},
    };
    for (const auto& c : cases) {
        messages.clear();
        ui::Form* window = openFilled(c.name, c.contact);
        type(window, QStringLiteral("tel"), QStringLiteral("021"));
        click(window, QStringLiteral("command1"));
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.lastText(), c.message);
        EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustAdd")), window);
        EXPECT_EQ(text(window, QStringLiteral("tel")), QStringLiteral("021"));
        EXPECT_EQ(count(QStringLiteral("select count(*) from company")), 0);
        EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0);
        ui::Windows::unload(window);
    }
}

TEST_F(NewCustomer, BalanceThatIsNoNumberIsRefusedAndKept)
{
    const struct {
        const char* box;
        const char* typed;
        const char* message;
    } cases[] = {
        {"KH_YJ", "x1", "预收押金必须是数字"},
        {"KH_QK", "abc", "欠款金额必须是数字"},
        {"KH_ZJE", "1 000", "总购金额必须是数字"},
        {"KH_ZSL", "2件", "总购数量必须是数字"},
    };
    for (const auto& c : cases) {
        messages.clear();
        const QString box = QString::fromLatin1(c.box);
        ui::Form* window = openFilled(QStringLiteral("华东贸易"));
        type(window, box, QString::fromUtf8(c.typed));
        click(window, QStringLiteral("command2"));
        ASSERT_EQ(messages.shown().size(), 1u) << c.box;
        EXPECT_EQ(messages.lastText(), QString::fromUtf8(c.message));
        EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustAdd")), window);
        EXPECT_EQ(text(window, box), QString::fromUtf8(c.typed));
        EXPECT_EQ(text(window, QStringLiteral("LXR")), QStringLiteral("王五"));
        EXPECT_EQ(count(QStringLiteral("select count(*) from company")), 0);
        EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0);
        ui::Windows::unload(window);
    }
}

TEST_F(NewCustomer, BalancesAreStoredAsNumbers)
{
    ui::Form* window = openFilled(QStringLiteral("华东贸易"));
    type(window, QStringLiteral("KH_YJ"), QStringLiteral("200.5"));
    type(window, QStringLiteral("KH_QK"), QString());
    type(window, QStringLiteral("KH_ZSL"), QStringLiteral(" 4 "));
    click(window, QStringLiteral("command1"));
    EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
    const int id = scalar(QStringLiteral("select max(id) from company")).toInt();
    EXPECT_EQ(column(QStringLiteral("company"), id, QStringLiteral("company_YJ")), QStringLiteral("200.5"));
    EXPECT_EQ(column(QStringLiteral("company"), id, QStringLiteral("company_QK")), QStringLiteral("0"));
    EXPECT_EQ(column(QStringLiteral("company"), id, QStringLiteral("company_zje")), QStringLiteral("0"));
    EXPECT_EQ(column(QStringLiteral("company"), id, QStringLiteral("company_Zsl")), QStringLiteral("4"));
}

TEST_F(NewCustomer, AmountTooLargeForItsColumnStoresNothing)
{
    ui::Form* window = openFilled(QStringLiteral("华东贸易"));
    type(window, QStringLiteral("KH_YJ"), QStringLiteral("1e30"));
    click(window, QStringLiteral("command1"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("客户资料未能保存"))) << messages.lastText().toStdString();
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustAdd")), window);
    EXPECT_EQ(count(QStringLiteral("select count(*) from company")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0);
}

TEST_F(NewCustomer, DuplicateNameIsStoredOnlyAfterOk)
{
    const int first = addCustomer({{QStringLiteral("company_name"), QStringLiteral("华东贸易")}});
    ui::Form* window = openFilled(QStringLiteral("华东贸易"));
    messages.answerNext(ui::Answer::Cancel);
    click(window, QStringLiteral("command1"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("该客户已存在，您要重复输入吗？"));
    EXPECT_EQ(messages.shown()[0].buttons, ui::Buttons::OkCancel);
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("输入确认"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from company")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0);
    EXPECT_EQ(text(window, QStringLiteral("LXR")), QStringLiteral("王五"));

    messages.answerNext(ui::Answer::Ok);
    click(window, QStringLiteral("command1"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from company")), 2);
    const int second = scalar(QStringLiteral("select max(id) from company")).toInt();
    EXPECT_NE(second, first);
    EXPECT_EQ(scalar(QStringLiteral("select companyid from KH_LXR")), QString::number(second));
    // The public box was left unticked: customer and main contact are private.
    EXPECT_EQ(column(QStringLiteral("company"), second, QStringLiteral("KH_GK")), QStringLiteral("0"));
    EXPECT_EQ(scalar(QStringLiteral("select LXR_GK from KH_LXR")), QStringLiteral("0"));
}

TEST_F(NewCustomer, NameWithAQuoteIsStoredAndRecognisedAsDuplicate)
{
    const QString name = QStringLiteral("O'Neil 商行");
    click(openFilled(name), QStringLiteral("command1"));
    EXPECT_EQ(scalar(QStringLiteral("select company_name from company")), name);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 1);

    messages.answerNext(ui::Answer::Cancel);
    click(openFilled(name), QStringLiteral("command1"));
    EXPECT_EQ(messages.lastText(), QStringLiteral("该客户已存在，您要重复输入吗？"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from company")), 1);
}

TEST_F(NewCustomer, FailedCustomerInsertStoresNoContactAndKeepsTheWindow)
{
    exec(QStringLiteral("create trigger refuse_customers before insert on company begin select raise(abort, 'disk full'); end"));
    ui::Form* window = openFilled(QStringLiteral("华东贸易"));
    click(window, QStringLiteral("command1"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("客户资料未能保存"))) << messages.lastText().toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustAdd")), window);
    EXPECT_EQ(text(window, QStringLiteral("companyname")), QStringLiteral("华东贸易"));
}

// Another workstation holding the file: the save says so and that it may be
// repeated, nothing is stored, the input stays; the same save then passes.
TEST_F(NewCustomer, ASaveRefusedWhileAnotherWorkstationWritesSaysSoAndCanBeRepeated)
{
    ui::Form* window = openFilled(QStringLiteral("华东贸易"));
    {
        OtherWorkstationWriting other;
        click(window, QStringLiteral("command1"));
    }
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.lastText(), QStringLiteral("客户资料未能保存：另一台电脑正在使用数据文件，这次没有改变任何数据，"
                                                  "输入的内容仍然保留，请再试一次"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from company")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustAdd")), window);
    EXPECT_EQ(text(window, QStringLiteral("companyname")), QStringLiteral("华东贸易"));
    EXPECT_EQ(text(window, QStringLiteral("LXR")), QStringLiteral("王五"));

    click(window, QStringLiteral("command1"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from company where company_name='华东贸易'")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR where companyid = (select id from company)")), 1);
}

// A customer is never left without its main contact: when the contact cannot
// be stored, neither is the customer, and what was typed stays.
TEST_F(NewCustomer, FailedMainContactStoresNeitherAndKeepsTheWindow)
{
    exec(QStringLiteral("create trigger refuse_contacts before insert on KH_LXR begin select raise(abort, 'disk full'); end"));
    ui::Form* window = openFilled(QStringLiteral("华东贸易"));
    click(window, QStringLiteral("command1"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.lastText(), QStringLiteral("客户资料未能保存：disk full"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from company")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 0);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustAdd")), window);
    EXPECT_EQ(text(window, QStringLiteral("companyname")), QStringLiteral("华东贸易"));

    // Once the contact can be stored, the same input stores both.
    exec(QStringLiteral("drop trigger refuse_contacts"));
    click(window, QStringLiteral("command1"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from company")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR where companyid = (select id from company)")), 1);
}

TEST_F(NewCustomer, SaveAndNewReopensOnlyAfterAStoredSave)
{
    ui::Form* refused = openFilled(QStringLiteral("  "), QStringLiteral("王五"));
    click(refused, QStringLiteral("command2"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustAdd")), refused);
    EXPECT_EQ(text(refused, QStringLiteral("LXR")), QStringLiteral("王五")) << "what was typed stays";

    type(refused, QStringLiteral("companyname"), QStringLiteral("华东贸易"));
    click(refused, QStringLiteral("command2"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from company")), 1);
    ui::Form* fresh = ui::Windows::loaded(QStringLiteral("frmCustAdd"));
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, refused);
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_EQ(text(fresh, QStringLiteral("companyname")), QString());
    EXPECT_EQ(text(fresh, QStringLiteral("KH_QK")), QStringLiteral("0"));
}

class StandInCallMonitor : public ui::Form, public CallMonitor {
public:
    StandInCallMonitor() : ui::Form(QStringLiteral("GtMain")) {}
    QString PhoneID() const override { return QStringLiteral(" 13812345678 "); }
};

TEST_F(NewCustomer, StartsWithTheLastCallersNumber)
{
    ui::Windows::define(QStringLiteral("GtMain"), [] { return std::make_unique<StandInCallMonitor>(); });
    ui::Windows::get(QStringLiteral("GtMain"));
    ui::Form* window = openNew();
    for (const char* box : {"companyname", "tel", "LXR"})
        EXPECT_EQ(text(window, QString::fromLatin1(box)), QStringLiteral("13812345678")) << box;
    EXPECT_EQ(text(window, QStringLiteral("fax")), QString());
    ui::Windows::unloadAll();
    defineProgramWindows();   // the program's own call monitor for the tests that follow
}

TEST_F(NewCustomer, MainWindowShowsTheCustomerListAfterTheSave)
{
    if (!ui::Windows::isDefined(QStringLiteral("frmMain"))) GTEST_SKIP() << "no main window in this build";
    addCustomer({{QStringLiteral("company_name"), QStringLiteral("老客户")}, {QStringLiteral("KH_CZZ"), QStringLiteral("system")}});
    ui::Form* mainWindow = ui::Windows::open(QStringLiteral("frmMain"));
    ASSERT_NE(mainWindow, nullptr);
    const QString listBefore = Mymode::CustListSql;
    click(openFilled(QStringLiteral("新客户")), QStringLiteral("command1"));
    auto* grid = mainWindow->control<ui::DataGrid>(QStringLiteral("DataGrid1"));
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->cellText(0, 1), QStringLiteral("新客户"));
    EXPECT_EQ(Mymode::CustListSql, listBefore);
}

} // namespace
