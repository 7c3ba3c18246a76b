#pragma once
// Bringing databases made by an earlier build up to this build's definitions
// when the program opens them (at the start for this installation's own
// files, at the login for a workstation's shared files).
#include <QString>

namespace fileupgrade {

// The main database named by the connection string and the SMS database
// beside it. A file that cannot be opened or changed now (missing, busy,
// read-only) is left as it is; the next start tries again.
void upgrade(const QString& mainConnectString);

} // namespace fileupgrade
