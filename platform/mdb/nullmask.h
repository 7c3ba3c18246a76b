#pragma once
// Telling a Null field from a zero-length one in a Jet row. The text bound
// from a row is empty in both cases; the row's null mask tells them apart.
#include <cstddef>
#include <vector>

namespace mdb::detail {

// For each column, whether its field in `row` holds a value. A Jet row starts
// with its column count (one byte in Jet 3, two in Jet 4) and ends with the
// null mask: one bit per column in row order, set when the field holds a
// value. `rowColumns` gives each column's position in the row; `boundText`
// marks the columns for which a non-empty text was bound, which must hold a
// value. Returns an empty vector when the row is too short for its mask, a
// position lies outside it, or the mask disagrees with the bound text.
std::vector<bool> heldValues(const unsigned char* row, std::size_t size, bool jet3,
                             const std::vector<int>& rowColumns, const std::vector<bool>& boundText);

} // namespace mdb::detail
