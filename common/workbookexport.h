#pragma once
// The Excel export by SELECT … INTO: the workbook Export2excel.xls in the
// program folder is written anew by a statement and then opened on the desktop.
#include <QString>
#include <functional>

namespace workbookexport {

enum class Result { Opened, NotOpened, Failed };

// Removes the old workbook, runs the statement made for the workbook's path
// on the main database and opens the new workbook. When the old workbook
// cannot be replaced or no new one was written, the operator is told so,
// nothing opens and the result is Failed: an old file must not pass for the
// new export. NotOpened: written, but the desktop could not open it.
Result exportAndOpen(const std::function<QString(const QString& workbook)>& statementFor);

} // namespace workbookexport
