#pragma once
// Which stored record a caller's number belongs to. The records are those
// whose number columns contain the caller's number; among them, a record
// holding exactly that number comes first, then one where the number stands
// alone at its end (not followed by a further digit, as a local number
// inside a stored "0755-8123 4567"), then the rest by lowest id.
#include "platform/db/connection.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace numbermatch {

// "instr(a,'N')>0 or instr(b,'N')>0 ..." over the columns, the number quoted.
QString containsCondition(const QStringList& columns, const QString& number);

// The position of the best row of an open recordset (absolute position), or
// nothing when it holds no row. The recordset is left on that row.
std::optional<int> moveToBest(db::Recordset& rows, const QStringList& columns, const QString& number);

} // namespace numbermatch
