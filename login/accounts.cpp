#include "login/accounts.h"

#include "common/sqltext.h"

namespace login {

namespace {

// The items of the rights string in their order: the key and the sys_user column it shows.
struct RightItem {
    const char* key;
    const char* column;
};
constexpr RightItem kRightItems[] = {
    {"per=", "permission"}, {"Uright=", "Uright"}, {"e_cust=", "e_cust"}, {"e_conn=", "e_conn"},
    {"e_acti=", "e_acti"},  {"e_chan=", "e_chan"}, {"e_sals=", "e_sals"}, {"e_serv=", "e_serv"},
    {"d_cust=", "d_cust"},  {"d_conn=", "d_conn"}, {"d_acti=", "d_acti"}, {"d_chan=", "d_chan"},
    {"d_sals=", "d_sals"},  {"d_serv=", "d_serv"}, {"b_rept=", "b_rept"}, {"b_work=", "b_work"},
};

} // namespace

std::optional<Account> findAccount(db::Connection& connection, const QString& name)
{
    db::Recordset user;
    user.open(QStringLiteral("select * from sys_user where user_name=") + sqltext::quoted(name), connection,
              db::CursorType::Keyset, db::LockType::ReadOnly);
    if (user.eof()) return std::nullopt;
    Account account{user.field(QStringLiteral("User_id")).toLong(), user.field(QStringLiteral("user_name")).toText(),
                    user.field(QStringLiteral("user_pwd")).toText(), QString()};
    for (const RightItem& item : kRightItems)
        account.rights += QLatin1String(item.key) + user.field(QLatin1String(item.column)).toText() + QLatin1Char(';');
    return account;
}

bool nameTaken(db::Connection& connection, const QString& name, std::optional<qint64> exceptId)
{
    QString sql = QStringLiteral("select User_id from sys_user where user_name=") + sqltext::quoted(name);
    if (exceptId) sql += QStringLiteral(" and User_id<>") + QString::number(*exceptId);
    db::Recordset rows;
    rows.open(sql, connection, db::CursorType::Keyset, db::LockType::ReadOnly);
    return !rows.eof();
}

} // namespace login
