#pragma once
// The Jet functions the system's SQL texts call (cstr, cint, instr, Year, Now,
// iif, left, mid, ...), registered on each SQLite handle the layer opens.
// None takes the name of a function or collation of SQLite's own: those the
// two share a name with are registered as jet_<name> (jet_instr, jet_iif,
// jet_format, jet_date, jet_left, ...), and the Jet translation calls them so.
#include <sqlite3.h>

namespace db {

void registerJetFunctions(sqlite3* handle);

} // namespace db
