#pragma once
// BIFF8 records: the record stream of a workbook, its Unicode string forms
// and the shared string table that text cells refer to.
#include "platform/xls/bytes.h"

#include <QHash>
#include <QStringList>

namespace xls::biff {

// Record ids of the records the writer uses.
enum RecordId : std::uint16_t {
    Bof = 0x0809,
    Eof = 0x000A,
    Codepage = 0x0042,
    Window1 = 0x003D,
    Font = 0x0031,
    Format = 0x041E,
    Xf = 0x00E0,
    Style = 0x0293,
    BoundSheet = 0x0085,
    Sst = 0x00FC,
    ExtSst = 0x00FF,
    Continue = 0x003C,
    Dimensions = 0x0200,
    Window2 = 0x023E,
    Number = 0x0203,
    LabelSst = 0x00FD,
    BoolErr = 0x0205,
};

// The largest record body; longer data goes on in CONTINUE records.
inline constexpr qsizetype kMaxRecordBody = 8224;

class Stream {
public:
    void record(std::uint16_t id, const Bytes& body);
    void append(const Stream& other) { out_.bytes(other.data()); }
    qsizetype position() const { return out_.size(); }
    void patchU32(qsizetype at, std::uint32_t value) { out_.patchU32(at, value); }
    const QByteArray& data() const { return out_.data(); }

private:
    Bytes out_;
};

// A string with a 16-bit character count, always stored as UTF-16.
void unicodeString(Bytes& out, const QString& text);
// The same with an 8-bit count (font and sheet names, at most 255 characters).
void shortUnicodeString(Bytes& out, const QString& text);

// The workbook's shared string table: each distinct text once, cells refer to it by index.
class SharedStrings {
public:
    // Index of the text, added on first use. Texts longer than a cell can
    // hold (32,767 characters) are cut to that length.
    std::uint32_t add(const QString& text);
    // SST (with CONTINUE records as needed) and its EXTSST index.
    void write(Stream& out) const;

private:
    QHash<QString, std::uint32_t> indexOf_;
    QStringList texts_;
    std::uint32_t uses_ = 0;
};

} // namespace xls::biff
