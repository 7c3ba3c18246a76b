#include "callerid/execsql.h"

#include "common/database.h"

#include <QStringList>

namespace Const {

std::shared_ptr<db::Recordset> ExecSql(const QString& sql)
{
    std::unique_ptr<db::Connection> connection = database::openMain();
    try {
        // The first word is the text before the first space: a statement that
        // starts with a space has an empty first word and is opened, not run.
        const QString firstWord = sql.section(QLatin1Char(' '), 0, 0).toUpper();
        if (firstWord == QLatin1String("INSERT") || firstWord == QLatin1String("DELETE")
            || firstWord == QLatin1String("UPDATE")) {
            connection->execute(sql);
            return nullptr;
        }
        auto rows = std::make_shared<db::Recordset>();
        rows->open(sql.trimmed(), *connection, db::CursorType::Keyset, db::LockType::Optimistic);
        // A statement that gives no rows at all leaves no recordset to return.
        return rows->fieldCount() > 0 ? rows : nullptr;
    } catch (const db::Error&) {
        return nullptr;
    }
}

} // namespace Const
