#pragma once
// The busy handler every SQLite handle of the layer waits with (see
// busywait.h). Internal to the database layer.
#include <sqlite3.h>

namespace db::busywait {

void install(sqlite3* handle);
void setTimeoutMsForTests(int ms);   // 0 restores the normal wait

} // namespace db::busywait
