#pragma once
// The reading itself, through libmdb. Runs only inside the reading process
// (see isolation.h) and answers through a RecordWriter; every answer ends
// with an end record, after a failure record when the file or table cannot
// be read.
#include "platform/mdb/records.h"

namespace mdb::detail {

// The user tables, in catalogue order.
void answerTables(const QString& path, RecordWriter& out);
// The columns of a table, and with `withRows` all its rows.
void answerTable(const QString& path, const QString& table, bool withRows, RecordWriter& out);

} // namespace mdb::detail
