#pragma once
// The call monitor's SQL helper: an action statement (INSERT, DELETE, UPDATE)
// is executed, anything else is opened as an updatable recordset.
#include "platform/db/connection.h"

#include <QString>
#include <memory>

namespace Const {

// Opens a connection with ConnectString; a connection that cannot be opened
// throws db::Error to the caller. After that, any failure gives nullptr; an
// action statement gives nullptr as well. A returned recordset keeps its
// connection open for as long as it lives.
std::shared_ptr<db::Recordset> ExecSql(const QString& sql);

} // namespace Const
