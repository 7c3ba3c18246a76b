// The simulated SMS gateway as the program gets it from the environment: its
// accounts script, its answers, and the failing library when none is named.
#include "platform/smsgateway/simulated.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kService = QStringLiteral("http://gw.test:8080/NOSmsPlatform/services/BusinessService");

class SimulatedGatewayScript : public ::testing::Test {
protected:
    void TearDown() override
    {
        qunsetenv(smsgateway::kScriptVariable);
        smsgateway::install(nullptr);
    }
    QString writeScript(const QByteArray& text)
    {
        const QString file = dir.filePath(QStringLiteral("accounts.txt"));
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
        return file;
    }
    QTemporaryDir dir;
};

TEST_F(SimulatedGatewayScript, TheEnvironmentsScriptNamesTheAccounts)
{
    qputenv(smsgateway::kScriptVariable,
            writeScript("# name password remaining\n\n  shop\tpw1  250\nempty - 3\nbroken line\nbad pw notanumber\n")
                .toLocal8Bit());
    smsgateway::install(nullptr);
    smsgateway::Library& gateway = smsgateway::library();
    gateway.setWebService(kService);
    EXPECT_EQ(gateway.validateUser(QStringLiteral("shop"), QStringLiteral("pw1")), 1);
    EXPECT_EQ(gateway.validateUser(QStringLiteral("shop"), QStringLiteral("PW1")), 0);
    EXPECT_EQ(gateway.validateUser(QStringLiteral("empty"), QString()), 1);
    EXPECT_EQ(gateway.validateUser(QStringLiteral("broken"), QStringLiteral("line")), 0);
    EXPECT_EQ(gateway.validateUser(QStringLiteral("bad"), QStringLiteral("pw")), 0);
    QString reply;
    EXPECT_EQ(gateway.getUserInfo(QStringLiteral("shop"), QStringLiteral("pw1"), reply), 1);
    EXPECT_TRUE(reply.contains(QStringLiteral("<remainFee>250</remainFee>")));
    EXPECT_EQ(gateway.modifyPassword(QStringLiteral("shop"), QStringLiteral("pw1"), QStringLiteral("pw2")), 1);
    EXPECT_EQ(gateway.validateUser(QStringLiteral("shop"), QStringLiteral("pw2")), 1);
}

TEST_F(SimulatedGatewayScript, WithoutAScriptEveryCallFails)
{
    for (const QString& script : {QString(), dir.filePath(QStringLiteral("missing.txt"))}) {
        if (script.isEmpty()) qunsetenv(smsgateway::kScriptVariable);
        else qputenv(smsgateway::kScriptVariable, script.toLocal8Bit());
        smsgateway::install(nullptr);
        QString reply;
        EXPECT_THROW(smsgateway::library().setWebService(kService), smsgateway::CallFailed);
        EXPECT_THROW(smsgateway::library().validateUser(QStringLiteral("a"), QStringLiteral("b")), smsgateway::CallFailed);
        EXPECT_THROW(smsgateway::library().getUserInfo(QStringLiteral("a"), QStringLiteral("b"), reply),
                     smsgateway::CallFailed);
        EXPECT_THROW(smsgateway::library().modifyPassword(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")),
                     smsgateway::CallFailed);
    }
}

// Calls reach the service only at its address; replies are cut as the
// library's buffer cuts them.
TEST(SimulatedGateway, AnswersOnlyAtTheServiceAddressAndCutsReplies)
{
    smsgateway::SimulatedGateway gateway;
    gateway.addAccount(QStringLiteral("a"), QStringLiteral("b"), 1);
    EXPECT_THROW(gateway.validateUser(QStringLiteral("a"), QStringLiteral("b")), smsgateway::CallFailed);
    gateway.setWebService(QStringLiteral("http://gw.test:80/NOSmsPlatform/services/BusinessService"));
    EXPECT_THROW(gateway.validateUser(QStringLiteral("a"), QStringLiteral("b")), smsgateway::CallFailed);
    gateway.setWebService(kService);
    EXPECT_EQ(gateway.validateUser(QStringLiteral("a"), QStringLiteral("b")), 1);

    QString reply;
    gateway.giveReply(QString(3000, QLatin1Char('x')));
    gateway.getUserInfo(QStringLiteral("a"), QStringLiteral("b"), reply);
    EXPECT_EQ(reply.size(), smsgateway::kReplyCapacity);
    gateway.giveReply(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd"));
    gateway.getUserInfo(QStringLiteral("a"), QStringLiteral("b"), reply);
    EXPECT_EQ(reply, QStringLiteral("ab"));

    ASSERT_EQ(gateway.calls().size(), 7u);
    EXPECT_EQ(gateway.calls()[4].function, QStringLiteral("validateUser"));
    EXPECT_EQ(gateway.calls()[4].address, kService);
    EXPECT_EQ(gateway.calls()[0].address, QString());
}

} // namespace
