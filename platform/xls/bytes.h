#pragma once
// Little-endian byte building for the workbook's binary records.
#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstdint>
#include <cstring>

namespace xls {

class Bytes {
public:
    void u8(std::uint8_t value) { data_.append(char(value)); }
    void u16(std::uint16_t value) { put(value); }
    void u32(std::uint32_t value) { put(value); }
    void u64(std::uint64_t value) { put(value); }
    void f64(double value)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        put(bits);
    }
    // UTF-16LE code units, no length and no terminator.
    void utf16(const QString& text)
    {
        for (QChar c : text)
            u16(c.unicode());
    }
    void zeros(qsizetype count) { data_.append(count, '\0'); }
    void bytes(const QByteArray& other) { data_.append(other); }

    // Overwrites four bytes already written (an offset known only later).
    void patchU32(qsizetype at, std::uint32_t value) { qToLittleEndian(value, data_.data() + at); }

    qsizetype size() const { return data_.size(); }
    const QByteArray& data() const { return data_; }

private:
    template <class T>
    void put(T value)
    {
        char raw[sizeof(T)];
        qToLittleEndian(value, raw);
        data_.append(raw, sizeof(T));
    }

    QByteArray data_;
};

} // namespace xls
