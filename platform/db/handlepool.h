#pragma once
// The SQLite handles closed connections leave for the next connection to the
// same file, as OLE DB keeps a provider's sessions for the next one: opening a
// file, registering the Jet functions and reading the file's tables is most of
// what a short step (a call's log row, a card's tab) costs. Internal to the
// database layer.
#include "platform/db/connectionstate.h"

#include <QString>
#include <memory>

namespace db::handlepool {

// A kept handle of the file that still serves it: the same file is at the
// path (not removed or replaced since) and it is still a database. The check
// does not wait for another connection's write. Nothing when none is kept.
std::unique_ptr<ConnectionState> take(const QString& path);

// The handle shared as connections and recordsets share it. Once the last of
// them lets it go, it is kept, without its cached pages, for the next
// connection to `path`, provided no transaction is open and no statement runs
// on it; otherwise, or when enough are kept, it is closed. A few handles in
// all are kept, the one left longest closed first, so the files the program
// holds open do not grow with the windows it opens.
std::shared_ptr<ConnectionState> share(std::unique_ptr<ConnectionState> state, const QString& path);

// How many handles are kept at most, in all and per file.
constexpr int kKept = 6;
constexpr int kKeptPerFile = 3;

} // namespace db::handlepool
