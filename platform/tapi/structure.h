#pragma once
// A variable-size telephony structure: a fixed part of 32-bit words followed
// by spare room where the service writes the structure's strings, each found
// by an offset and a size word of the fixed part. The first word holds the
// size the caller made room for; the service never writes past it.
#include <QByteArray>
#include <cstdint>

namespace tapi {

class Structure {
public:
    // Room for the fixed part plus `spare` bytes; the total-size word is preset to the whole.
    Structure(std::uint32_t fixedSize, std::uint32_t spare);

    std::uint32_t fixedSize() const { return fixedSize_; }
    std::uint32_t totalSize() const { return dword(0); }
    void setTotalSize(std::uint32_t size) { setDword(0, size); }

    // A word of the fixed part; 0 outside the structure.
    std::uint32_t dword(std::uint32_t offset) const;
    void setDword(std::uint32_t offset, std::uint32_t value);

    // `size` bytes from `offset`, cut at the end of the structure.
    QByteArray bytes(std::uint32_t offset, std::uint32_t size) const;
    // Writes bytes at `offset`; false when they do not fit inside the total size.
    bool writeBytes(std::uint32_t offset, const QByteArray& data);

private:
    std::uint32_t fixedSize_;
    QByteArray bytes_;
};

// Word offsets of the fixed parts the line class reads. Every structure starts
// with its total, needed and used sizes.
namespace layout {
inline constexpr std::uint32_t TotalSize = 0, NeededSize = 4, UsedSize = 8;

namespace devcaps {
inline constexpr std::uint32_t Fixed = 236;
inline constexpr std::uint32_t ProviderInfoSize = 12, ProviderInfoOffset = 16, SwitchInfoSize = 20,
                               SwitchInfoOffset = 24, PermanentLineID = 28, LineNameSize = 32, LineNameOffset = 36,
                               StringFormat = 40, AddressModes = 44, NumAddresses = 48, BearerModes = 52,
                               MaxRate = 56, MediaModes = 60, GenerateToneModes = 64, GenerateToneMaxNumFreq = 68,
                               NumTerminals = 116;
}
namespace addresscaps {
inline constexpr std::uint32_t Fixed = 176;
inline constexpr std::uint32_t LineDeviceID = 12, AddressSize = 16, AddressOffset = 20;
}
namespace varstring {
inline constexpr std::uint32_t Fixed = 24;
inline constexpr std::uint32_t StringFormat = 12, StringSize = 16, StringOffset = 20;
}
namespace callinfo {
inline constexpr std::uint32_t Fixed = 296;
inline constexpr std::uint32_t CallerIDFlags = 108, CallerIDSize = 112, CallerIDOffset = 116;
}
} // namespace layout

} // namespace tapi
