#pragma once
// The operators' accounts in sys_user, as the login, password and operators
// windows look them up.
#include "platform/db/connection.h"

#include <QString>
#include <optional>

namespace login {

// An operator's sys_user row. Null columns read as empty texts: a Null
// password is the empty password, a Null right adds "key=;" to the rights.
struct Account {
    qint64 id = 0;
    QString name;
    QString password;
    QString rights;   // the sixteen-key rights string a login keeps: "per=1;Uright=1;e_cust=1;..."
};

// The first account of that name (the database's text comparison), or none.
std::optional<Account> findAccount(db::Connection& connection, const QString& name);
// Whether an account has that name, leaving out the account `exceptId` when given.
bool nameTaken(db::Connection& connection, const QString& name, std::optional<qint64> exceptId = std::nullopt);

} // namespace login
