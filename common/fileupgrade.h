#pragma once
// Bringing databases made by an earlier build up to this build's definitions
// when the program opens them: at the start for this installation's own
// files, without waiting, and at the login, once its window is on screen, for
// the files the run uses.
#include <QString>

namespace fileupgrade {

// The main database named by the connection string and the SMS database
// beside it. A file that cannot be opened or changed now (missing, busy,
// read-only) is left as it is, and false is returned: the login tries again.
bool upgrade(const QString& mainConnectString);

} // namespace fileupgrade
