#include "platform/tapi/structure.h"

#include <QtEndian>

namespace tapi {

Structure::Structure(std::uint32_t fixedSize, std::uint32_t spare)
    : fixedSize_(fixedSize), bytes_(static_cast<qsizetype>(fixedSize + spare), '\0')
{
    setTotalSize(fixedSize + spare);
}

std::uint32_t Structure::dword(std::uint32_t offset) const
{
    if (offset + 4 > static_cast<std::uint32_t>(bytes_.size())) return 0;
    return qFromLittleEndian<std::uint32_t>(bytes_.constData() + offset);
}

void Structure::setDword(std::uint32_t offset, std::uint32_t value)
{
    if (offset + 4 > static_cast<std::uint32_t>(bytes_.size())) return;
    qToLittleEndian(value, bytes_.data() + offset);
}

QByteArray Structure::bytes(std::uint32_t offset, std::uint32_t size) const
{
    const auto length = static_cast<std::uint64_t>(bytes_.size());
    if (offset >= length) return {};
    const std::uint64_t end = std::min<std::uint64_t>(length, static_cast<std::uint64_t>(offset) + size);
    return bytes_.mid(static_cast<qsizetype>(offset), static_cast<qsizetype>(end - offset));
}

bool Structure::writeBytes(std::uint32_t offset, const QByteArray& data)
{
    const std::uint64_t end = static_cast<std::uint64_t>(offset) + static_cast<std::uint64_t>(data.size());
    if (end > totalSize() || end > static_cast<std::uint64_t>(bytes_.size())) return false;
    std::copy(data.cbegin(), data.cend(), bytes_.begin() + offset);
    return true;
}

} // namespace tapi
