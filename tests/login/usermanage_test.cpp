// The operators window: adding, modifying and deleting operators, and showing
// and storing their rights exactly, driven through the window.
#include "tests/support/scratch.h"

#include "tests/login/unreachable.h"

#include "common/sqltext.h"
#include "platform/ui/windows.h"

#include <QTest>
#include <array>

namespace {

const std::array<const char*, 14> kRightColumns = {"e_cust", "e_conn", "e_acti", "e_chan", "e_sals",
                                                   "e_serv", "d_cust", "d_conn", "d_acti", "d_chan",
                                                   "d_sals", "d_serv", "b_rept", "b_work"};

class UserManageTest : public ScratchProgram {
protected:
    void SetUp() override
    {
        ScratchProgram::SetUp();
        form = ui::Windows::open(QStringLiteral("frmUserManage"));
    }

    ui::DataGrid* grid() const { return form->control<ui::DataGrid>(QStringLiteral("DataGrid1")); }
    ui::TextBox* nameBox() const { return form->control<ui::TextBox>(QStringLiteral("User_name")); }
    ui::TextBox* passwordBox() const { return form->control<ui::TextBox>(QStringLiteral("User_pwd")); }
    ui::CheckBox* right(const char* column) const { return form->control<ui::CheckBox>(QString::fromUtf8(column)); }
    ui::OptionButton* scope(int index) const
    {
        return form->control<ui::OptionButton>(QStringLiteral("Option1(%1)").arg(index));
    }
    void click(const char* button) const { form->control<ui::PictureButton>(QString::fromUtf8(button))->click(); }

    // Puts the operator's row in the boxes, as a click on the grid does.
    void select(const QString& name)
    {
        for (int row = 0; row < grid()->rowCount(); ++row) {
            if (grid()->cellText(row, 1) == name) {
                grid()->setCurrentRow(row);
                return;
            }
        }
        FAIL() << "no operator " << name.toStdString() << " in the grid";
    }
    void checkOnly(std::initializer_list<const char*> columns) const
    {
        for (const char* column : kRightColumns) right(column)->setValue(0);
        for (const char* column : columns) right(column)->setValue(1);
    }
    // The fourteen flags of an operator, joined in column order.
    QString storedRights(const QString& name)
    {
        QString flags;
        for (const char* column : kRightColumns)
            flags += scalar(QStringLiteral("select ") + QString::fromUtf8(column)
                            + QStringLiteral(" from sys_user where user_name=") + sqltext::quoted(name))
                + QLatin1Char(' ');
        return flags.trimmed();
    }
    QString shownRights() const
    {
        QString flags;
        for (const char* column : kRightColumns) flags += QString::number(right(column)->value()) + QLatin1Char(' ');
        return flags.trimmed();
    }
    ui::Form* form = nullptr;
};

TEST_F(UserManageTest, addStoresTrimmedNameAndPasswordAndTheRightsShown)
{
    nameBox()->setText(QStringLiteral("  小王 "));
    passwordBox()->setText(QStringLiteral(" pw 1 "));
    checkOnly({"e_cust", "d_conn", "b_work"});
    scope(2)->click();
    click("command1");

    EXPECT_EQ(messages.lastText(), QStringLiteral("用户已成功加入"));
    EXPECT_EQ(scalar(QStringLiteral("select user_pwd from sys_user where user_name='小王'")), QStringLiteral("pw 1"));
    EXPECT_EQ(storedRights(QStringLiteral("小王")), QStringLiteral("1 0 0 0 0 0 0 1 0 0 0 0 0 1"));
    EXPECT_EQ(scalar(QStringLiteral("select Uright from sys_user where user_name='小王'")), QStringLiteral("3"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user where user_name='小王' and permission is null")), 1);
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(grid()->cellText(grid()->currentRow(), 1), QStringLiteral("小王")) << "the new operator is current";
    EXPECT_EQ(nameBox()->text(), QStringLiteral("小王")) << "the boxes show him as stored";
    EXPECT_EQ(passwordBox()->text(), QStringLiteral("pw 1"));
}

TEST_F(UserManageTest, addRefusesAnEmptyOrTakenName)
{
    struct Case {
        QString name;
        QString message;
    };
    const Case cases[] = {
        {QString(), QStringLiteral("用户名称不能为空")},
        {QStringLiteral("   "), QStringLiteral("用户名称不能为空")},
        {QStringLiteral("system"), QStringLiteral("用户名称已存在，请换一个名称")},
        {QStringLiteral(" system "), QStringLiteral("用户名称已存在，请换一个名称")},
        {QStringLiteral("O'Neil"), QStringLiteral("用户已成功加入")},
        {QStringLiteral("O'Neil"), QStringLiteral("用户名称已存在，请换一个名称")},
    };
    for (const Case& c : cases) {
        messages.clear();
        nameBox()->setText(c.name);
        click("command1");
        EXPECT_EQ(messages.lastText(), c.message) << c.name.toStdString();
        EXPECT_EQ(nameBox()->text(), c.name);
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user")), 2);
}

TEST_F(UserManageTest, modifyStoresRightsAndScopeButNeverThePassword)
{
    exec(QStringLiteral("insert into sys_user (user_name,user_pwd,permission,Uright,e_cust,b_rept) "
                        "values ('小李','secret',null,'2','1','1')"));
    form->control<ui::PictureButton>(QStringLiteral("command2"))->click();
    form = ui::Windows::open(QStringLiteral("frmUserManage"));
    select(QStringLiteral("小李"));
    EXPECT_EQ(nameBox()->text(), QStringLiteral("小李"));
    EXPECT_EQ(passwordBox()->text(), QStringLiteral("secret"));
    EXPECT_TRUE(scope(1)->value());

    passwordBox()->setText(QStringLiteral("changed"));
    checkOnly({"d_sals", "e_serv"});
    scope(0)->click();
    click("command3");

    EXPECT_EQ(messages.lastText(), QStringLiteral("用户权限已成功修改"));
    EXPECT_EQ(storedRights(QStringLiteral("小李")), QStringLiteral("0 0 0 0 0 1 0 0 0 0 1 0 0 0"));
    EXPECT_EQ(scalar(QStringLiteral("select Uright from sys_user where user_name='小李'")), QStringLiteral("1"));
    EXPECT_EQ(scalar(QStringLiteral("select user_pwd from sys_user where user_name='小李'")), QStringLiteral("secret"));

    nameBox()->setText(QStringLiteral("nobody"));
    click("command3");
    EXPECT_EQ(messages.lastText(), QStringLiteral("用户不存在，权限未修改"));
    nameBox()->setText(QStringLiteral("  "));
    click("command3");
    EXPECT_EQ(messages.lastText(), QStringLiteral("请先选定用户"));
    EXPECT_EQ(storedRights(QStringLiteral("system")), QStringLiteral("1 1 1 1 1 1 1 1 1 1 1 1 1 1"));
}

TEST_F(UserManageTest, aFailedWriteSaysSoAndKeepsTheBoxes)
{
    makeDatabaseUnreachable(dir);
    nameBox()->setText(QStringLiteral("小张"));
    click("command1");
    EXPECT_EQ(messages.lastText(), QStringLiteral("用户加入失败，数据未保存"));
    EXPECT_EQ(messages.shown().back().icon, ui::Icon::Error);

    click("command3");
    EXPECT_EQ(messages.lastText(), QStringLiteral("用户权限修改失败，数据未保存"));
    EXPECT_EQ(nameBox()->text(), QStringLiteral("小张"));
    for (const ui::Message& shown : messages.shown()) {
        EXPECT_NE(shown.text, QStringLiteral("用户已成功加入"));
        EXPECT_NE(shown.text, QStringLiteral("用户权限已成功修改"));
    }
}

// A right is shown checked exactly when the operator holds it at login; an
// empty or "0" column clears the box the previous operator left checked, so a
// modify stores what was shown.
TEST_F(UserManageTest, rightsAreShownAsHeldAndStoredAsShown)
{
    exec(QStringLiteral("insert into sys_user (user_name,user_pwd,Uright,e_cust,e_conn,e_acti,d_cust,b_rept) "
                        "values ('小赵','','3',null,'0','2','','1')"));
    form->control<ui::PictureButton>(QStringLiteral("command2"))->click();
    form = ui::Windows::open(QStringLiteral("frmUserManage"));

    select(QStringLiteral("小赵"));
    select(QStringLiteral("system"));
    EXPECT_EQ(shownRights(), QStringLiteral("1 1 1 1 1 1 1 1 1 1 1 1 1 1"));
    select(QStringLiteral("小赵"));
    EXPECT_EQ(shownRights(), QStringLiteral("0 0 0 0 0 0 0 0 0 0 0 0 1 0"));
    EXPECT_TRUE(scope(2)->value());

    click("command3");
    EXPECT_EQ(storedRights(QStringLiteral("小赵")), QStringLiteral("0 0 0 0 0 0 0 0 0 0 0 0 1 0"));
    EXPECT_EQ(scalar(QStringLiteral("select Uright from sys_user where user_name='小赵'")), QStringLiteral("3"));
}

// The window opens with "全部" chosen and no right ticked, so that a clerk
// added at once, as the operator types and ticks him, holds only the rights
// ticked for him.
TEST_F(UserManageTest, aClerkAddedAtOnceHoldsOnlyTheRightsTicked)
{
    EXPECT_EQ(nameBox()->text(), QString());
    EXPECT_EQ(passwordBox()->text(), QString());
    EXPECT_EQ(shownRights(), QStringLiteral("0 0 0 0 0 0 0 0 0 0 0 0 0 0"));
    EXPECT_TRUE(scope(0)->value());

    QTest::mouseClick(nameBox(), Qt::LeftButton);
    QTest::keyClicks(nameBox(), QStringLiteral("clerk"));
    for (const char* column : {"e_cust", "b_rept"}) {
        ui::CheckBox* box = right(column);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
    }
    click("command1");

    EXPECT_EQ(messages.lastText(), QStringLiteral("用户已成功加入"));
    EXPECT_EQ(storedRights(QStringLiteral("clerk")), QStringLiteral("1 0 0 0 0 0 0 0 0 0 0 0 1 0"));
    EXPECT_EQ(scalar(QStringLiteral("select Uright from sys_user where user_name='clerk'")), QStringLiteral("1"));
}

// The boxes wait for a row to be picked; then they show the operator picked,
// added or modified last, and a click on any row, the current one too, loads
// it. A delete leaves them as the window opened them.
TEST_F(UserManageTest, theBoxesShowTheOperatorPickedOrStored)
{
    const auto shownOperator = [&] { return grid()->cellText(grid()->currentRow(), 1); };
    EXPECT_EQ(shownOperator(), QStringLiteral("system")) << "the grid stands on its first row";
    EXPECT_EQ(nameBox()->text(), QString()) << "opened: nothing picked yet";
    grid()->clickRow(grid()->currentRow());
    EXPECT_EQ(nameBox()->text(), QStringLiteral("system"));
    EXPECT_EQ(shownRights(), QStringLiteral("1 1 1 1 1 1 1 1 1 1 1 1 1 1"));

    nameBox()->setText(QStringLiteral("小钱"));
    passwordBox()->setText(QStringLiteral("x"));
    checkOnly({"b_rept"});
    scope(1)->click();
    click("command1");
    nameBox()->setText(QStringLiteral("小孙"));
    click("command1");
    EXPECT_EQ(shownOperator(), QStringLiteral("小孙")) << "added";
    EXPECT_EQ(nameBox()->text(), QStringLiteral("小孙"));

    select(QStringLiteral("system"));
    nameBox()->setText(QStringLiteral("typed over"));
    grid()->clickRow(grid()->currentRow());
    EXPECT_EQ(nameBox()->text(), QStringLiteral("system")) << "click on the current row";
    EXPECT_EQ(shownRights(), QStringLiteral("1 1 1 1 1 1 1 1 1 1 1 1 1 1"));

    // Modifying the operator named in the box makes him current.
    nameBox()->setText(QStringLiteral("小钱"));
    checkOnly({"e_cust"});
    scope(2)->click();
    click("command3");
    EXPECT_EQ(shownOperator(), QStringLiteral("小钱")) << "modified";
    EXPECT_EQ(shownRights(), QStringLiteral("1 0 0 0 0 0 0 0 0 0 0 0 0 0"));
    EXPECT_TRUE(scope(2)->value());

    messages.answerNext(ui::Answer::Yes);
    click("Command4");
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user where user_name='小钱'")), 0);
    EXPECT_EQ(nameBox()->text(), QString()) << "deleted";
    EXPECT_EQ(shownRights(), QStringLiteral("0 0 0 0 0 0 0 0 0 0 0 0 0 0"));
    EXPECT_TRUE(scope(0)->value());
}

TEST_F(UserManageTest, deleteAsksAndProtectsTheAdministrator)
{
    nameBox()->setText(QStringLiteral("小周"));
    click("command1");

    // No keeps the operator.
    select(QStringLiteral("小周"));
    messages.clear();
    messages.answerNext(ui::Answer::No);
    click("Command4");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("真要删除当前记录吗？"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user where user_name='小周'")), 1);

    // The administrator account stays.
    select(QStringLiteral("system"));
    messages.clear();
    messages.answerNext(ui::Answer::Yes);
    click("Command4");
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].text, QStringLiteral("系统管理员帐号不能删除"));
    EXPECT_EQ(messages.shown()[1].icon, ui::Icon::Error);
    EXPECT_EQ(messages.shown()[1].title, QStringLiteral("用户管理"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user where user_name='system'")), 1);

    // Yes deletes an ordinary operator and lists the rest.
    select(QStringLiteral("小周"));
    messages.clear();
    messages.answerNext(ui::Answer::Yes);
    click("Command4");
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user where user_name='小周'")), 0);
    ASSERT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(grid()->cellText(0, 1), QStringLiteral("system"));

    // A row deleted elsewhere after the grid was filled.
    nameBox()->setText(QStringLiteral("小吴"));
    click("command1");
    select(QStringLiteral("小吴"));
    exec(QStringLiteral("delete from sys_user where user_name='小吴'"));
    messages.clear();
    messages.answerNext(ui::Answer::Yes);
    click("Command4");
    EXPECT_EQ(messages.lastText(), QStringLiteral("记录不存在，可能已经被删除"));
}

} // namespace
