#pragma once
// The Jet functions the system's SQL texts call (cstr, cint, instr, Year, Now,
// iif, left, mid, ...), registered on each SQLite handle the layer opens.
#include <sqlite3.h>

namespace db {

void registerJetFunctions(sqlite3* handle);

} // namespace db
