#pragma once
// The order of text in the database: Chinese by pinyin, letter case ignored,
// as a Chinese user expects. Internal to the database layer.
#include <sqlite3.h>

namespace db {

// Registers the order on the handle as the collation NOCASE, which every text
// column of the system's tables declares, so ORDER BY, GROUP BY, DISTINCT,
// MIN/MAX and comparisons of those columns use it. Two texts are equal only
// when they are the same apart from letter case. (The tables carry no index
// on a text column, so no stored order depends on the collation.)
void registerTextOrder(sqlite3* handle);

} // namespace db
