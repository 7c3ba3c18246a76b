#pragma once
// Opening the system's databases: the one way a handler gets a connection.
#include "platform/db/connection.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace database {

// A connection opened with Mymode::ConnectString (throws db::Error on failure).
std::unique_ptr<db::Connection> openMain();
// A connection to this installation's own main file (program folder/hvcrm/hvcrm.hvd),
// whatever the work mode: the work-mode window and the SMS gateway set-up use it.
std::unique_ptr<db::Connection> openLocal();
// The connection string of this installation's own main file.
QString localConnectString();
// The connection string of the main file hvcrm.hvd in a data folder: the local
// data folder, or a workstation's shared folder exactly as stored.
QString connectStringFor(const QString& dataFolder);
// The file that connection string opens: a backslash is read as "/".
QString mainFileIn(const QString& dataFolder);
QString localDataFolder();   // program folder/hvcrm

// The SMS database SMS.mdb beside the main file: ConnectString with every
// "hvcrm.hvd" replaced by "SMS.mdb" (so a workstation reaches the shared
// folder's file). The outbox lives there.
std::unique_ptr<db::Connection> openSms();
// This installation's own SMS.mdb (program folder/hvcrm/SMS.mdb), whatever the
// work mode: the gateway account windows use it.
std::unique_ptr<db::Connection> openLocalSms();
// The SMS database's connection string for a main database's connection string.
QString smsConnectStringFor(const QString& mainConnectString);

// Opens a recordset on the main database (read-only keyset unless told otherwise).
std::shared_ptr<db::Recordset> query(const QString& sql,
                                     db::LockType lock = db::LockType::ReadOnly,
                                     db::CursorType cursor = db::CursorType::Keyset,
                                     db::CursorLocation location = db::CursorLocation::Server);
// The same on this installation's own main file (see openLocal).
std::shared_ptr<db::Recordset> queryLocal(const QString& sql,
                                          db::LockType lock = db::LockType::ReadOnly,
                                          db::CursorType cursor = db::CursorType::Keyset);

// Runs a step whose failure the handler skips, as the system's handlers do:
// returns false (and shows nothing) when it threw db::Error. Only for a step
// whose failure leaves nothing shown false: a read whose rows a window shows
// uses read(), a write the window reports keeps its failure (below).
bool guarded(const std::function<void()>& step);
// The same, keeping what refused the step in `failure` for the handler's message.
bool guarded(const std::function<void()>& step, std::optional<db::Error>& failure);

// A read whose rows or figures a window shows, asked for by the operator. When
// it fails, a box says why (readfailure: the file busy at another workstation,
// or the database's reason) and false is returned: the caller leaves what it
// showed, or an empty window, never "nothing there" as if true.
bool read(const std::function<void()>& step);
// The same, keeping what refused the read in `failure`: a window that cannot
// show its record also refuses a later save of it, saying why.
bool read(const std::function<void()>& step, std::optional<db::Error>& failure);

} // namespace database
