#include "login/changepwd.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/skin.h"
#include "common/sqltext.h"
#include "login/accounts.h"
#include "common/rowmessages.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

#include <optional>

namespace login {

namespace {

const QString kTitle = QStringLiteral("更改密码");

// Characters user_name and every owner column hold.
constexpr int kNameLength = 50;

// The tables whose records carry their creator's name, with the owner column.
struct OwnerColumn {
    const char* table;
    const char* column;
};
constexpr OwnerColumn kOwnerColumns[] = {
    {"company", "KH_CZZ"}, {"KH_LXR", "LXR_CZZ"},   {"KH_ACT", "Action_CZZ"},
    {"chance", "chance_CZZ"}, {"sales", "sal_CZZ"}, {"service", "service_CZZ"},
};

// Stores the new password and, when `newName` is not empty, the account's new
// name and the new owner of its records, in one transaction.
void storeChange(db::Connection& connection, const Account& account, const QString& newPassword,
                 const QString& newName)
{
    connection.beginTrans();
    try {
        QString assignments = QStringLiteral("user_pwd=") + sqltext::quoted(newPassword);
        if (!newName.isEmpty()) assignments += QStringLiteral(",user_name=") + sqltext::quoted(newName);
        connection.execute(QStringLiteral("update sys_user set ") + assignments + QStringLiteral(" where User_id=")
                           + QString::number(account.id));
        if (!newName.isEmpty()) {
            for (const OwnerColumn& owner : kOwnerColumns) {
                const QString column = QLatin1String(owner.column);
                connection.execute(QStringLiteral("update ") + QLatin1String(owner.table) + QStringLiteral(" set ")
                                   + column + QLatin1Char('=') + sqltext::quoted(newName) + QStringLiteral(" where ")
                                   + column + QLatin1Char('=') + sqltext::quoted(account.name));
            }
        }
        connection.commitTrans();
    } catch (const db::Error&) {
        database::guarded([&] { connection.rollbackTrans(); });
        throw;
    }
}

void refuse(const QString& text)
{
    ui::msgBox(text, ui::Buttons::Ok, ui::Icon::Error, kTitle);
}

void reportNothingChanged(const std::optional<db::Error>& failure)
{
    rowmessages::showWriteFailed(QStringLiteral("更改失败，密码和用户名都没有改变"), failure, kTitle);
}

} // namespace

ChangePwd::ChangePwd()
    : ui::Form(QStringLiteral("changePwd"))
{
    setCaption(kTitle);
    setSizeTwips(4800, 4800);

    // One labelled box per row, top to bottom.
    int rows = 0;
    const auto row = [&](const QString& label, const QString& box, bool password) {
        const double top = 1080 + 420 * rows++;
        addLabel(QStringLiteral("Label%1").arg(rows), label, 360, top + 30, 1200, 255);
        auto* text = addTextBox(box, 1620, top, 2640, 315);
        if (password) text->setPasswordChar(QLatin1Char('#'));
        return text;
    };
    text1_ = row(QStringLiteral("用户名："), QStringLiteral("text1"), false);
    text2_ = row(QStringLiteral("旧密码："), QStringLiteral("text2"), true);
    Text5_ = row(QStringLiteral("新用户名："), QStringLiteral("Text5"), false);
    Text3_ = row(QStringLiteral("新密码："), QStringLiteral("Text3"), true);
    Text4_ = row(QStringLiteral("重输新密码："), QStringLiteral("Text4"), true);

    auto* save = addPictureButton(QStringLiteral("command2"), ui::programPath(QStringLiteral("bmp/save.bmp")),
                                  1770, 3240, 1125, 375);
    auto* close = addPictureButton(QStringLiteral("command3"), ui::programPath(QStringLiteral("bmp/close.bmp")),
                                   3135, 3240, 1125, 375);
    save->onClick = [this] { command2_Click(); };
    close->onClick = [this] { command3_Click(); };
}

void ChangePwd::Form_Paint()
{
    skin::paint(this);
}

// Checks the boxes and the old password, then stores the new password and,
// when a different new name is given, renames the account and the owner of
// its records: all of it or, when any write fails, nothing. The new password
// is used from the next login; a new name is in force at once.
void ChangePwd::command2_Click()
{
    const QString name = db::trimBlanks(text1_->text());
    if (name.isEmpty()) {
        refuse(QStringLiteral("用户名不能为空"));
        return;
    }
    const QString newPassword = db::trimBlanks(Text3_->text());
    if (db::trimBlanks(Text4_->text()) != newPassword) {
        refuse(QStringLiteral("两次输入新密码不一致"));
        return;
    }

    std::unique_ptr<db::Connection> connection;
    std::optional<Account> account;
    std::optional<db::Error> failure;
    if (!database::guarded([&] {
            connection = database::openMain();
            account = findAccount(*connection, name);
        }, failure)) {
        reportNothingChanged(failure);
        return;
    }
    if (!account) {
        refuse(QStringLiteral("系统无此用户"));
        return;
    }
    if (db::trimBlanks(text2_->text()) != account->password) {
        ui::msgBox(QStringLiteral("旧密码输入不正确，更改失败！"));
        return;
    }

    // A new name equal to the stored one renames nothing; a change of letter case does rename.
    QString newName = db::trimBlanks(Text5_->text());
    if (newName == account->name) newName.clear();
    if (newName.size() > kNameLength) {
        refuse(QStringLiteral("新用户名太长"));
        return;
    }
    bool taken = false;
    if (!newName.isEmpty()
        && !database::guarded([&] { taken = nameTaken(*connection, newName, account->id); }, failure)) {
        reportNothingChanged(failure);
        return;
    }
    if (taken) {
        refuse(QStringLiteral("新用户名已被其他操作员使用，请换一个用户名"));
        return;
    }
    if (!database::guarded([&] { storeChange(*connection, *account, newPassword, newName); }, failure)) {
        reportNothingChanged(failure);
        return;
    }
    ui::msgBox(QStringLiteral("已成功更改密码，下次登录生效"));
    // The logged-in operator's own account renamed: the new name is in force at once.
    if (!newName.isEmpty() && account->name == Mymode::OperatorName) Mymode::OperatorName = newName;
}

void ChangePwd::command3_Click()
{
    ui::Windows::unload(this);
}

} // namespace login
