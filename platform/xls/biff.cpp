#include "platform/xls/biff.h"

#include <algorithm>
#include <vector>

namespace xls::biff {
namespace {

constexpr qsizetype kMaxCellText = 32767;
constexpr std::uint8_t kUtf16Flag = 0x01;
constexpr std::uint32_t kMaxIndexBuckets = 128;

} // namespace

void Stream::record(std::uint16_t id, const Bytes& body)
{
    Q_ASSERT(body.size() <= kMaxRecordBody);
    out_.u16(id);
    out_.u16(std::uint16_t(body.size()));
    out_.bytes(body.data());
}

void unicodeString(Bytes& out, const QString& text)
{
    out.u16(std::uint16_t(text.size()));
    out.u8(kUtf16Flag);
    out.utf16(text);
}

void shortUnicodeString(Bytes& out, const QString& text)
{
    const QString cut = text.left(255);
    out.u8(std::uint8_t(cut.size()));
    out.u8(kUtf16Flag);
    out.utf16(cut);
}

std::uint32_t SharedStrings::add(const QString& text)
{
    ++uses_;
    const QString cut = text.left(kMaxCellText);
    const auto found = indexOf_.constFind(cut);
    if (found != indexOf_.constEnd())
        return found.value();
    const auto index = std::uint32_t(texts_.size());
    indexOf_.insert(cut, index);
    texts_.append(cut);
    return index;
}

void SharedStrings::write(Stream& out) const
{
    // The SST body split into record-sized pieces. A string's count and flags
    // stay in one piece; its characters may run on into the next piece, which
    // then starts with the flags byte again.
    std::vector<Bytes> pieces(1);
    pieces[0].u32(uses_);
    pieces[0].u32(std::uint32_t(texts_.size()));
    struct Start {
        std::size_t piece;
        qsizetype offset;
    };
    std::vector<Start> starts;
    starts.reserve(texts_.size());
    for (const QString& text : texts_) {
        if (pieces.back().size() + 3 + 2 > kMaxRecordBody)
            pieces.emplace_back();
        starts.push_back({pieces.size() - 1, pieces.back().size()});
        pieces.back().u16(std::uint16_t(text.size()));
        pieces.back().u8(kUtf16Flag);
        qsizetype done = 0;
        while (done < text.size()) {
            const qsizetype room = (kMaxRecordBody - pieces.back().size()) / 2;
            if (room == 0) {
                pieces.emplace_back();
                pieces.back().u8(kUtf16Flag);
                continue;
            }
            const qsizetype count = std::min(room, text.size() - done);
            pieces.back().utf16(text.mid(done, count));
            done += count;
        }
    }

    std::vector<qsizetype> piecePositions;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        piecePositions.push_back(out.position());
        out.record(i == 0 ? Sst : Continue, pieces[i]);
    }

    // EXTSST: where every n-th string starts, so readers can seek into the table.
    const auto count = std::uint32_t(texts_.size());
    const std::uint32_t perBucket = std::max<std::uint32_t>(8, (count + kMaxIndexBuckets - 1) / kMaxIndexBuckets);
    Bytes index;
    index.u16(std::uint16_t(perBucket));
    for (std::uint32_t i = 0; i < count; i += perBucket) {
        const Start& start = starts[i];
        const qsizetype inRecord = 4 + start.offset;   // past the record header
        index.u32(std::uint32_t(piecePositions[start.piece] + inRecord));
        index.u16(std::uint16_t(inRecord));
        index.u16(0);
    }
    out.record(ExtSst, index);
}

} // namespace xls::biff
