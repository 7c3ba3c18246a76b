#pragma once
// The order of text as a Chinese user expects it: Latin letters, digits and
// signs first, then Chinese by pinyin; letter case ignored. Internal to the
// database layer.
#include <sqlite3.h>

namespace db {

// The collation's name. The stored columns and every index keep SQLite's own
// collations, so any SQLite tool reads and checks the file; the SQL rewrite
// names this collation where a result depends on text order (ORDER BY,
// GROUP BY, MIN/MAX, <, >, BETWEEN on a text column).
inline constexpr const char* kTextOrder = "jet_textorder";

// Registers the collation on the handle. Two texts are equal in it only when
// they are the same apart from letter case.
void registerTextOrder(sqlite3* handle);

} // namespace db
