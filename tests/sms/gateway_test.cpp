// The gateway windows on the simulated gateway: account set-up, balance and
// password change, with every message and what each leaves stored.
#include "smsfixture.h"

#include "common/mymode.h"

#include <QDir>
#include <QFile>

namespace {

const QString kTitle = QStringLiteral("短讯网关设置");

class Gateway : public SmsTest {
protected:
    void SetUp() override
    {
        SmsTest::SetUp();
        gateway->addAccount(QStringLiteral("acct"), QStringLiteral("Secret"), 57);
    }

    void storeAccount(const QString& name, const QString& password)
    {
        execSms(QStringLiteral("update SMSSET set RegNO=%1, RegPass=%2").arg(sqltext::quoted(name), sqltext::quoted(password)));
    }
    QString storedAccount()
    {
        auto connection = database::openLocalSms();
        db::Recordset row;
        row.open(QStringLiteral("select RegNO, RegPass from SMSSET"), *connection, db::CursorType::Keyset);
        return row.field(0).toText() + QLatin1Char('|') + row.field(1).toText();
    }
    QString localSwitch()
    {
        auto row = database::queryLocal(QStringLiteral("select StarSMS from DriveInfo"));
        return row->field(0).toText();
    }
    void type(const char* box, const QString& text) { ctl<ui::TextBox>(box)->setText(text); }
    // The functions called on the gateway, each with the address set before it.
    QStringList callLog()
    {
        QStringList log;
        for (const auto& call : gateway->calls())
            log << call.function + QLatin1Char('(') + call.arguments.join(QLatin1Char(',')) + QLatin1Char(')');
        return log;
    }
    void expectCallsReachTheService()
    {
        ASSERT_FALSE(gateway->calls().empty());
        for (std::size_t i = 1; i < gateway->calls().size(); ++i) {
            EXPECT_EQ(gateway->calls()[i - 1].function, QStringLiteral("setWebService"));
            EXPECT_TRUE(gateway->calls()[i].address.endsWith(QStringLiteral(":8080/NOSmsPlatform/services/BusinessService")));
            ++i;
        }
    }
};

TEST_F(Gateway, SetUpShowsTheStoredAccountAndSwitch)
{
    storeAccount(QStringLiteral("acct"), QStringLiteral("Secret"));
    database::openLocal()->execute(QStringLiteral("update DriveInfo set StarSMS='1'"));
    open("SMSSet");
    EXPECT_EQ(ctl<ui::TextBox>("text1")->text(), QStringLiteral("acct"));
    EXPECT_EQ(ctl<ui::TextBox>("text2")->text(), QStringLiteral("Secret"));
    EXPECT_EQ(ctl<ui::TextBox>("text2")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(ctl<ui::CheckBox>("StarSMS")->value(), 1);
    EXPECT_TRUE(ctl<ui::TextBox>("TextURL")->isHidden());
    EXPECT_TRUE(gateway->calls().empty());
}

TEST_F(Gateway, SetUpStoresAValidatedAccountAndSwitchInTheLocalFiles)
{
    // A workstation: the shared settings row stays as it is.
    const QString shared = path(QStringLiteral("server"));
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("hvcrm/hvcrm.hvd")), shared + QStringLiteral("/hvcrm.hvd")));
    Mymode::ConnectString = database::connectStringFor(shared);
    exec(QStringLiteral("update DriveInfo set StarSMS='0'"));

    open("SMSSet");
    type("text1", QStringLiteral("  acct "));
    type("text2", QStringLiteral(" Secret  "));
    ctl<ui::CheckBox>("StarSMS")->setValue(1);
    click("command1");
    expectOnly(QStringLiteral("网关设置成功"));
    EXPECT_FALSE(isOpen("SMSSet"));
    EXPECT_EQ(callLog(), (QStringList{QStringLiteral("setWebService(") + gateway->calls()[0].arguments[0] + QLatin1Char(')'),
                                      QStringLiteral("validateUser(acct,Secret)")}));
    expectCallsReachTheService();
    EXPECT_EQ(storedAccount(), QStringLiteral("acct|Secret"));
    EXPECT_EQ(localSwitch(), QStringLiteral("1"));
    EXPECT_EQ(scalar(QStringLiteral("select StarSMS from DriveInfo")), QStringLiteral("0"));

    open("SMSSet");
    ctl<ui::CheckBox>("StarSMS")->setValue(0);
    click("command1");
    expectOnly(QStringLiteral("网关设置成功"));
    EXPECT_EQ(localSwitch(), QStringLiteral("0"));
}

TEST_F(Gateway, SetUpRefusalsAndFailuresStoreNothing)
{
    storeAccount(QStringLiteral("old"), QStringLiteral("pw"));
    open("SMSSet");
    type("text1", QStringLiteral("  "));
    type("text2", QStringLiteral("  "));
    click("command1");
    expectOnly(QStringLiteral("注册名不能为空"), ui::Icon::Error, kTitle);
    type("text1", QStringLiteral("acct"));
    click("command1");
    expectOnly(QStringLiteral("密码不能为空"), ui::Icon::Error, kTitle);
    EXPECT_TRUE(gateway->calls().empty());

    ctl<ui::CheckBox>("StarSMS")->setValue(1);
    type("text2", QStringLiteral("secret"));   // the gateway compares case
    click("command1");
    expectOnly(QStringLiteral("非法用户"));

    // A check that fails, or a call that cannot be made, never calls the account invalid.
    type("text2", QStringLiteral("Secret"));
    gateway->giveResult(2);
    click("command1");
    expectOnly(QStringLiteral("处理失败！"));
    gateway->failCalls();
    click("command1");
    expectOnly(QStringLiteral("处理失败！"));
    gateway->timeOut();
    click("command1");
    expectOnly(QStringLiteral("处理失败！"));
    smsgateway::install(nullptr);   // no provider library at all
    click("command1");
    expectOnly(QStringLiteral("处理失败！"));

    EXPECT_TRUE(isOpen("SMSSet"));
    EXPECT_EQ(ctl<ui::TextBox>("text1")->text(), QStringLiteral("acct"));
    EXPECT_EQ(storedAccount(), QStringLiteral("old|pw"));
    EXPECT_EQ(localSwitch(), QStringLiteral("0"));
}

TEST_F(Gateway, SetUpThatCannotStoreSaysSoAndStaysOpen)
{
    execSms(QStringLiteral("create trigger keep before update on SMSSET begin select raise(abort, 'kept'); end"));
    open("SMSSet");
    type("text1", QStringLiteral("acct"));
    type("text2", QStringLiteral("Secret"));
    click("command1");
    expectOnly(QStringLiteral("网关设置保存失败！"), ui::Icon::Error, kTitle);
    EXPECT_TRUE(isOpen("SMSSet"));
    EXPECT_EQ(ctl<ui::TextBox>("text2")->text(), QStringLiteral("Secret"));

    execSms(QStringLiteral("drop trigger keep"));
    database::openLocal()->execute(QStringLiteral("delete from DriveInfo"));
    click("command1");
    expectOnly(QStringLiteral("网关设置保存失败！"), ui::Icon::Error, kTitle);
    EXPECT_TRUE(isOpen("SMSSet"));
}

TEST_F(Gateway, BalanceShowsTheCountBetweenTheTags)
{
    storeAccount(QStringLiteral("acct"), QStringLiteral("Secret"));
    const auto balance = [&] {
        ui::Windows::unloadAll();
        open("SMSCZ");
        return ctl<ui::Label>("Label1")->caption();
    };
    EXPECT_EQ(balance(), QStringLiteral("帐户余额数(条)：57"));
    EXPECT_EQ(callLog().last(), QStringLiteral("getUserInfo(acct,Secret)"));
    expectCallsReachTheService();
    EXPECT_FALSE(ctl<ui::Frame>("Frame1")->isEnabled());

    gateway->giveReply(QStringLiteral("<r><remainFee>123</remainFee></r>"));
    EXPECT_EQ(balance(), QStringLiteral("帐户余额数(条)：123"));
    gateway->giveReply(QStringLiteral("<r><remainFee>88 left"));
    EXPECT_EQ(balance(), QStringLiteral("帐户余额数(条)：88 left"));
    gateway->giveReply(QStringLiteral("<error>invalid user</error>"));
    EXPECT_EQ(balance(), QStringLiteral("帐户余额数(条)：查询失败"));
    gateway->answerNormally();
    gateway->failCalls();
    EXPECT_EQ(balance(), QStringLiteral("帐户余额数(条)：查询失败"));
    EXPECT_TRUE(messages.shown().empty());

    click("command2");
    EXPECT_FALSE(isOpen("SMSCZ"));
}

TEST_F(Gateway, PasswordChangeChecksTheBoxesAndTheStoredPassword)
{
    storeAccount(QStringLiteral("acct"), QStringLiteral("Secret"));
    open("SMSeditpas");
    type("Text3", QStringLiteral("Secret"));
    type("text1", QStringLiteral("new1"));
    type("text2", QStringLiteral("new2"));
    click("command1");
    expectOnly(QStringLiteral("新密码和确认密码不一致！"));

    type("text2", QStringLiteral("  new1 "));
    type("Text3", QStringLiteral("secret"));
    click("command1");
    expectOnly(QStringLiteral("旧密码不正确"));
    EXPECT_TRUE(gateway->calls().empty());

    type("Text3", QStringLiteral(" Secret "));
    click("command1");
    expectOnly(QStringLiteral("更改成功！"));
    EXPECT_EQ(callLog().last(), QStringLiteral("modifyPassword(acct,Secret,new1)"));
    expectCallsReachTheService();
    EXPECT_EQ(storedAccount(), QStringLiteral("acct|new1"));
    EXPECT_EQ(gateway->account(QStringLiteral("acct"))->password, QStringLiteral("new1"));
    EXPECT_TRUE(isOpen("SMSeditpas"));

    // An empty new password goes to the gateway and is stored once accepted.
    type("Text3", QStringLiteral("new1"));
    type("text1", QString());
    type("text2", QStringLiteral("   "));
    click("command1");
    expectOnly(QStringLiteral("更改成功！"));
    EXPECT_EQ(storedAccount(), QStringLiteral("acct|"));
}

TEST_F(Gateway, PasswordChangeTheGatewayRefusesOrCannotStore)
{
    storeAccount(QStringLiteral("acct"), QStringLiteral("Secret"));
    open("SMSeditpas");
    type("Text3", QStringLiteral("Secret"));
    type("text1", QStringLiteral("n"));
    type("text2", QStringLiteral("n"));
    gateway->giveResult(0);
    click("command1");
    expectOnly(QStringLiteral("更改失败！"));
    gateway->answerNormally();
    gateway->timeOut();
    click("command1");
    expectOnly(QStringLiteral("更改失败！"));
    EXPECT_EQ(storedAccount(), QStringLiteral("acct|Secret"));

    gateway->answerNormally();
    execSms(QStringLiteral("create trigger keep before update on SMSSET begin select raise(abort, 'kept'); end"));
    click("command1");
    expectOnly(QStringLiteral("网关密码已更改，但本机保存失败，请在短讯端口设置中重新输入新密码！"));
    EXPECT_EQ(gateway->account(QStringLiteral("acct"))->password, QStringLiteral("n"));
    EXPECT_EQ(storedAccount(), QStringLiteral("acct|Secret"));

    execSms(QStringLiteral("drop trigger keep"));
    execSms(QStringLiteral("delete from SMSSET"));
    click("command1");
    expectOnly(QStringLiteral("旧密码不正确"));
}

} // namespace
