#include "platform/xls/compoundfile.h"

#include "platform/xls/bytes.h"

#include <vector>

namespace xls {
namespace {

constexpr std::uint32_t kSectorSize = 512;
constexpr std::uint32_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniStreamCutoff = 4096;
constexpr std::uint32_t kIdsPerSector = kSectorSize / 4;
constexpr std::uint32_t kFatIdsInHeader = 109;
constexpr std::uint32_t kFatIdsPerDifatSector = kIdsPerSector - 1;   // the last id links the next one

constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;

std::uint32_t sectorsFor(std::uint64_t bytes, std::uint32_t sectorSize)
{
    return std::uint32_t((bytes + sectorSize - 1) / sectorSize);
}

// Where each part of the file sits, in sectors, in file order.
struct SectorMap {
    std::uint32_t fatCount = 0, difatCount = 0;
    std::uint32_t directory = 0;
    std::uint32_t miniFat = 0, miniFatCount = 0;
    std::uint32_t miniStream = 0, miniStreamCount = 0;
    std::uint32_t workbook = 0, workbookCount = 0;
    std::uint32_t total = 0;
};

SectorMap mapSectors(std::uint32_t miniFatCount, std::uint32_t miniStreamCount, std::uint32_t workbookCount)
{
    const std::uint32_t content = 1 + miniFatCount + miniStreamCount + workbookCount;
    SectorMap map;
    // The FAT covers itself and the DIFAT sectors too, so grow both until they fit.
    map.fatCount = 1;
    for (;;) {
        map.difatCount = map.fatCount > kFatIdsInHeader
            ? sectorsFor(map.fatCount - kFatIdsInHeader, kFatIdsPerDifatSector) : 0;
        const std::uint32_t needed = sectorsFor(content + map.fatCount + map.difatCount, kIdsPerSector);
        if (needed <= map.fatCount)
            break;
        map.fatCount = needed;
    }
    map.directory = map.fatCount + map.difatCount;
    map.miniFat = map.directory + 1;
    map.miniFatCount = miniFatCount;
    map.miniStream = map.miniFat + miniFatCount;
    map.miniStreamCount = miniStreamCount;
    map.workbook = map.miniStream + miniStreamCount;
    map.workbookCount = workbookCount;
    map.total = map.workbook + workbookCount;
    return map;
}

void chain(std::vector<std::uint32_t>& table, std::uint32_t first, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i)
        table[first + i] = i + 1 < count ? first + i + 1 : kEndOfChain;
}

void padTo(Bytes& out, std::uint32_t multiple)
{
    const qsizetype rest = out.size() % multiple;
    if (rest)
        out.zeros(multiple - rest);
}

void directoryEntry(Bytes& out, const QString& name, std::uint8_t type, std::uint32_t child,
                    std::uint32_t start, std::uint32_t size)
{
    const qsizetype before = out.size();
    if (!name.isEmpty()) {
        out.utf16(name);
        out.zeros(64 - 2 * name.size());
    } else {
        out.zeros(64);
    }
    out.u16(name.isEmpty() ? 0 : std::uint16_t(2 * (name.size() + 1)));   // with the terminator
    out.u8(type);
    out.u8(1);                    // black: a tree of one node is a valid red-black tree
    out.u32(kNoEntry);            // left sibling
    out.u32(kNoEntry);            // right sibling
    out.u32(child);
    out.zeros(16 + 4 + 8 + 8);    // class id, state bits, creation and modification times
    out.u32(start);
    out.u64(size);
    Q_ASSERT(out.size() - before == 128);
}

} // namespace

QByteArray compoundFile(const QByteArray& workbook)
{
    const auto size = std::uint32_t(workbook.size());
    const bool inMiniStream = size < kMiniStreamCutoff;
    const std::uint32_t miniSectors = inMiniStream ? sectorsFor(size, kMiniSectorSize) : 0;
    const SectorMap map = mapSectors(inMiniStream ? sectorsFor(miniSectors * 4ull, kSectorSize) : 0,
                                     sectorsFor(miniSectors * std::uint64_t(kMiniSectorSize), kSectorSize),
                                     inMiniStream ? 0 : sectorsFor(size, kSectorSize));

    std::vector<std::uint32_t> fat(map.fatCount * kIdsPerSector, kFree);
    for (std::uint32_t i = 0; i < map.fatCount; ++i)
        fat[i] = kFatSector;
    for (std::uint32_t i = 0; i < map.difatCount; ++i)
        fat[map.fatCount + i] = kDifatSector;
    chain(fat, map.directory, 1);
    chain(fat, map.miniFat, map.miniFatCount);
    chain(fat, map.miniStream, map.miniStreamCount);
    chain(fat, map.workbook, map.workbookCount);

    Bytes out;
    // Header.
    out.bytes(QByteArray::fromHex("D0CF11E0A1B11AE1"));
    out.zeros(16);
    out.u16(0x003E);              // minor version
    out.u16(0x0003);              // major version 3: 512-byte sectors
    out.u16(0xFFFE);              // little-endian
    out.u16(9);                   // sector size 2^9
    out.u16(6);                   // mini sector size 2^6
    out.zeros(6);
    out.u32(0);                   // directory sector count (not used in version 3)
    out.u32(map.fatCount);
    out.u32(map.directory);
    out.u32(0);                   // transaction signature
    out.u32(kMiniStreamCutoff);
    out.u32(map.miniFatCount ? map.miniFat : kEndOfChain);
    out.u32(map.miniFatCount);
    out.u32(map.difatCount ? map.fatCount : kEndOfChain);
    out.u32(map.difatCount);
    for (std::uint32_t i = 0; i < kFatIdsInHeader; ++i)
        out.u32(i < map.fatCount ? i : kFree);

    for (std::uint32_t id : fat)
        out.u32(id);

    // DIFAT sectors: the FAT sector ids past the header's 109, 127 to a sector.
    for (std::uint32_t d = 0; d < map.difatCount; ++d) {
        for (std::uint32_t i = 0; i < kFatIdsPerDifatSector; ++i) {
            const std::uint32_t fatId = kFatIdsInHeader + d * kFatIdsPerDifatSector + i;
            out.u32(fatId < map.fatCount ? fatId : kFree);
        }
        out.u32(d + 1 < map.difatCount ? map.fatCount + d + 1 : kEndOfChain);
    }

    // Directory: the root storage (which owns the mini stream) and the Workbook stream.
    directoryEntry(out, QStringLiteral("Root Entry"), 5, 1,
                   map.miniStreamCount ? map.miniStream : kEndOfChain, miniSectors * kMiniSectorSize);
    directoryEntry(out, QStringLiteral("Workbook"), 2, kNoEntry,
                   inMiniStream ? 0 : map.workbook, size);
    directoryEntry(out, QString(), 0, kNoEntry, 0, 0);
    directoryEntry(out, QString(), 0, kNoEntry, 0, 0);

    if (inMiniStream) {
        std::vector<std::uint32_t> miniFat(map.miniFatCount * kIdsPerSector, kFree);
        chain(miniFat, 0, miniSectors);
        for (std::uint32_t id : miniFat)
            out.u32(id);
    }
    out.bytes(workbook);
    padTo(out, kSectorSize);
    Q_ASSERT(out.size() == qsizetype(kSectorSize) * (map.total + 1));
    return out.data();
}

} // namespace xls
