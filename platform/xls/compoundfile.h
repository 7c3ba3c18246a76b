#pragma once
// The OLE2 compound-file container of an Excel 97-2003 workbook: a file of
// 512-byte sectors holding one stream, "Workbook", under the root storage.
#include <QByteArray>

namespace xls {

// A complete compound file whose only stream is `workbook`. Streams under the
// 4096-byte cutoff live in the mini stream, as readers expect.
QByteArray compoundFile(const QByteArray& workbook);

} // namespace xls
