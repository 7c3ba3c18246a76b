// The password window: refusals, the password change and the rename of an
// operator together with the owner of every record the operator owns.
#include "tests/support/scratch.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/sqltext.h"
#include "platform/ui/windows.h"

#include <span>

namespace {

const QString kTitle = QStringLiteral("更改密码");
const QString kChanged = QStringLiteral("已成功更改密码，下次登录生效");
const QString kNothingChanged = QStringLiteral("更改失败，密码和用户名都没有改变");

struct Owner {
    const char* table;
    const char* column;
};
const Owner kOwners[] = {
    {"company", "KH_CZZ"}, {"KH_LXR", "LXR_CZZ"}, {"KH_ACT", "Action_CZZ"},
    {"chance", "chance_CZZ"}, {"sales", "sal_CZZ"}, {"service", "service_CZZ"},
};

class PasswordChange : public ScratchProgram {
protected:
    void SetUp() override
    {
        ScratchProgram::SetUp();
        exec(QStringLiteral("insert into sys_user (user_name, user_pwd) values ('bob', 'old')"));
        for (const char* name : {"system", "bob", "other"}) {
            for (const Owner& owner : kOwners)
                exec(QStringLiteral("insert into ") + QLatin1String(owner.table) + QStringLiteral(" (")
                     + QLatin1String(owner.column) + QStringLiteral(") values ('") + QLatin1String(name)
                     + QStringLiteral("')"));
            exec(QStringLiteral("insert into Hv_Cidlist (CidName) values ('") + QLatin1String(name) + QStringLiteral("')"));
        }
        sms().execute(QStringLiteral("insert into sms (SMSCZZ) values ('bob')"));
    }

    db::Connection& sms()
    {
        if (!sms_) {
            sms_ = std::make_unique<db::Connection>();
            sms_->open(QString(Mymode::ConnectString).replace(QStringLiteral("hvcrm.hvd"), QStringLiteral("SMS.mdb")));
        }
        return *sms_;
    }

    // Types the five boxes (name, old password, new name, new password, again) and saves.
    ui::Form* change(const QStringList& boxes)
    {
        ui::Form* w = ui::Windows::open(QStringLiteral("changePwd"));
        const char* names[] = {"text1", "text2", "Text5", "Text3", "Text4"};
        for (int i = 0; i < 5; ++i) w->control<ui::TextBox>(QLatin1String(names[i]))->setText(boxes[i]);
        w->control<ui::PictureButton>(QStringLiteral("command2"))->click();
        return w;
    }

    QString passwordOf(const QString& name)
    {
        return scalar(QStringLiteral("select user_pwd from sys_user where user_name=") + sqltext::quoted(name));
    }
    // How many records of each owner table (the first `tables`) the name owns, exact letter case.
    QList<int> owned(const QString& name, int tables = 6)
    {
        QList<int> counts;
        for (const Owner& owner : std::span(kOwners).first(tables)) {
            auto rows = database::query(QStringLiteral("select ") + QLatin1String(owner.column)
                                        + QStringLiteral(" from ") + QLatin1String(owner.table));
            int n = 0;
            for (; !rows->eof(); rows->moveNext()) n += rows->field(0).toText() == name;
            counts << n;
        }
        return counts;
    }
    const QList<int> none{0, 0, 0, 0, 0, 0};
    const QList<int> one{1, 1, 1, 1, 1, 1};

    std::unique_ptr<db::Connection> sms_;
};

TEST_F(PasswordChange, RefusesAndWritesNothing)
{
    struct Case {
        QStringList boxes;
        QString text;
        ui::Icon icon;
        QString title;
    };
    const Case cases[] = {
        {{"", "", "", "", ""}, QStringLiteral("用户名不能为空"), ui::Icon::Error, kTitle},
        {{"   ", "old", "", "n", "n"}, QStringLiteral("用户名不能为空"), ui::Icon::Error, kTitle},
        {{"bob", "old", "", "new", "New"}, QStringLiteral("两次输入新密码不一致"), ui::Icon::Error, kTitle},
        {{"nobody", "old", "", "n", "n"}, QStringLiteral("系统无此用户"), ui::Icon::Error, kTitle},
        {{"bob", "Old", "", "n", "n"}, QStringLiteral("旧密码输入不正确，更改失败！"), ui::Icon::None, QString()},
        {{"bob", "wrong", "rob", "n", "n"}, QStringLiteral("旧密码输入不正确，更改失败！"), ui::Icon::None, QString()},
        {{"bob", "old", "system", "n", "n"}, QStringLiteral("新用户名已被其他操作员使用，请换一个用户名"),
         ui::Icon::Error, kTitle},
        {{"bob", "old", "SYSTEM", "n", "n"}, QStringLiteral("新用户名已被其他操作员使用，请换一个用户名"),
         ui::Icon::Error, kTitle},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boxes.join(QLatin1Char('|')).toStdString());
        messages.clear();
        ui::Form* w = change(c.boxes);
        expectOnly(c.text, c.icon, c.title);
        EXPECT_EQ(passwordOf(QStringLiteral("bob")), QStringLiteral("old"));
        EXPECT_EQ(owned(QStringLiteral("bob")), one);
        EXPECT_EQ(w->control<ui::TextBox>(QStringLiteral("Text3"))->text(), c.boxes[3]);
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user")), 2);
    EXPECT_EQ(Mymode::OperatorName, QStringLiteral("system"));
}

TEST_F(PasswordChange, StoresTheTrimmedNewPasswordAndTakesANullOneAsEmpty)
{
    ui::Form* w = change({QStringLiteral(" bob "), QStringLiteral(" old "), QString(), QStringLiteral("  new "),
                          QStringLiteral("new")});
    expectOnly(kChanged, ui::Icon::None, QString());
    EXPECT_EQ(passwordOf(QStringLiteral("bob")), QStringLiteral("new"));
    EXPECT_EQ(owned(QStringLiteral("bob")), one);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("changePwd")), w);

    messages.clear();
    exec(QStringLiteral("update sys_user set user_pwd=NULL where user_name='bob'"));
    change({QStringLiteral("bob"), QStringLiteral("anything"), QString(), QString(), QString()});
    expectOnly(QStringLiteral("旧密码输入不正确，更改失败！"), ui::Icon::None, QString());
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user where user_name='bob' and user_pwd is null")), 1);

    // Both new boxes empty: the empty password.
    messages.clear();
    change({QStringLiteral("bob"), QStringLiteral("  "), QString(), QString(), QString()});
    expectOnly(kChanged, ui::Icon::None, QString());
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user where user_name='bob' and user_pwd=''")), 1);
}

TEST_F(PasswordChange, RenamesTheAccountAndTheOwnerOfItsRecordsOnly)
{
    change({QStringLiteral("system"), QString(), QStringLiteral(" Xu "), QStringLiteral("pw"), QStringLiteral("pw")});
    expectOnly(kChanged, ui::Icon::None, QString());
    EXPECT_EQ(passwordOf(QStringLiteral("Xu")), QStringLiteral("pw"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user where user_name='system'")), 0);
    EXPECT_EQ(owned(QStringLiteral("Xu")), one);
    EXPECT_EQ(owned(QStringLiteral("system")), none);
    EXPECT_EQ(owned(QStringLiteral("bob")), one);
    EXPECT_EQ(owned(QStringLiteral("other")), one);
    EXPECT_EQ(Mymode::OperatorName, QStringLiteral("Xu"));
    // The call log and the SMS outbox keep the name the operator had.
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where CidName='system'")), 1);
    db::Recordset outbox;
    outbox.open(QStringLiteral("select SMSCZZ from sms"), sms(), db::CursorType::Keyset);
    ASSERT_FALSE(outbox.eof());
    EXPECT_EQ(outbox.field(0).toText(), QStringLiteral("bob"));
}

TEST_F(PasswordChange, RenamingAnotherAccountLeavesTheLoggedInOperator)
{
    exec(QStringLiteral("update sys_user set user_name='O''Brien' where user_name='bob'"));
    exec(QStringLiteral("update company set KH_CZZ='O''Brien' where KH_CZZ='bob'"));
    change({QStringLiteral("O'Brien"), QStringLiteral("old"), QStringLiteral("O'Neil"), QString(), QString()});
    expectOnly(kChanged, ui::Icon::None, QString());
    EXPECT_EQ(count(QStringLiteral("select count(*) from company where KH_CZZ='O''Neil'")), 1);
    EXPECT_EQ(Mymode::OperatorName, QStringLiteral("system"));

    // A change of letter case renames; the same name again renames nothing.
    messages.clear();
    change({QStringLiteral("O'Neil"), QString(), QStringLiteral("o'neil"), QString(), QString()});
    change({QStringLiteral("o'neil"), QString(), QStringLiteral("o'neil"), QStringLiteral("b"), QStringLiteral("b")});
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(owned(QStringLiteral("o'neil")), (QList<int>{1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(passwordOf(QStringLiteral("o'neil")), QStringLiteral("b"));
}

TEST_F(PasswordChange, AFailedRenameChangesNeitherPasswordNorNames)
{
    exec(QStringLiteral("drop table service"));
    ui::Form* w = change({QStringLiteral("system"), QString(), QStringLiteral("Xu"), QStringLiteral("pw"),
                          QStringLiteral("pw")});
    expectOnly(kNothingChanged, ui::Icon::Error, kTitle);
    EXPECT_EQ(passwordOf(QStringLiteral("system")), QString());
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user where user_name='Xu'")), 0);
    EXPECT_EQ(owned(QStringLiteral("system"), 5), one.mid(0, 5));
    EXPECT_EQ(Mymode::OperatorName, QStringLiteral("system"));
    EXPECT_EQ(w->control<ui::TextBox>(QStringLiteral("Text5"))->text(), QStringLiteral("Xu"));
}

TEST_F(PasswordChange, NameLongerThanTheColumnsIsRefusedAndNothingChanges)
{
    const QString tooLong(51, QChar(0x738B));
    change({"bob", "old", tooLong, "new", "new"});
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("新用户名太长"));
    EXPECT_EQ(messages.shown()[0].title, kTitle);
    EXPECT_EQ(passwordOf("bob"), "old");
    EXPECT_EQ(owned("bob"), QList<int>({1, 1, 1, 1, 1, 1}));

    messages.clear();
    const QString fits(50, QChar(0x738B));
    change({"bob", "old", fits, "new", "new"});
    EXPECT_EQ(messages.lastText(), kChanged);
    EXPECT_EQ(passwordOf(fits), "new");
    EXPECT_EQ(owned(fits), QList<int>({1, 1, 1, 1, 1, 1}));
}

} // namespace
