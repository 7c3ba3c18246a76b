#include "platform/mdb/nullmask.h"

namespace mdb::detail {

std::vector<bool> heldValues(const unsigned char* row, std::size_t size, bool jet3,
                             const std::vector<int>& rowColumns, const std::vector<bool>& boundText)
{
    const std::size_t countBytes = jet3 ? 1 : 2;
    if (!row || size < countBytes) return {};
    const int columnCount = jet3 ? row[0] : row[0] | (row[1] << 8);
    const std::size_t maskBytes = (static_cast<std::size_t>(columnCount) + 7) / 8;
    if (size < countBytes + maskBytes) return {};
    const unsigned char* mask = row + size - maskBytes;

    std::vector<bool> held(rowColumns.size());
    for (std::size_t i = 0; i < rowColumns.size(); ++i) {
        const int position = rowColumns[i];
        if (position < 0 || position >= columnCount) return {};
        held[i] = (mask[position / 8] >> (position % 8)) & 1;
        if (i < boundText.size() && boundText[i] && !held[i]) return {};
    }
    return held;
}

} // namespace mdb::detail
