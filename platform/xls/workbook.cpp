#include "platform/xls/workbook.h"

#include "platform/xls/biff.h"
#include "platform/xls/compoundfile.h"

#include <QDate>
#include <QDateTime>
#include <QSaveFile>
#include <cmath>
#include <optional>

namespace xls {
namespace {

using biff::Stream;

constexpr int kMaxRows = 65536;
constexpr int kMaxColumns = 256;

// Cell formats (XF indexes): 0-14 are the style formats every workbook has,
// 15 the plain cell format, then the two date forms.
constexpr std::uint16_t kCellXf = 15;
constexpr std::uint16_t kDateXf = 16;
constexpr std::uint16_t kDateTimeXf = 17;
constexpr std::uint16_t kDateFormat = 164;       // first number-format id free for the workbook's own
constexpr std::uint16_t kDateTimeFormat = 165;

void bof(Stream& out, std::uint16_t substream)
{
    Bytes body;
    body.u16(0x0600);        // BIFF8
    body.u16(substream);     // 0x0005 workbook globals, 0x0010 worksheet
    body.u16(0x0DBB);        // build
    body.u16(1996);          // build year
    body.u32(0);             // file history
    body.u32(6);             // lowest version that can read it: BIFF8
    out.record(biff::Bof, body);
}

void font(Stream& out)
{
    Bytes body;
    body.u16(200);           // 10 pt, in twentieths of a point
    body.u16(0);             // not italic, not struck out
    body.u16(0x7FFF);        // window text colour
    body.u16(400);           // normal weight
    body.u16(0);             // no super- or subscript
    body.u8(0);              // no underline
    body.u8(0);              // family
    body.u8(0);              // character set
    body.u8(0);
    biff::shortUnicodeString(body, QStringLiteral("Arial"));
    out.record(biff::Font, body);
}

void format(Stream& out, std::uint16_t id, const QString& code)
{
    Bytes body;
    body.u16(id);
    biff::unicodeString(body, code);
    out.record(biff::Format, body);
}

// A style format (parent of cell formats) or a cell format whose parent is the
// Normal style. `changed` flags which attributes a format sets itself.
void xf(Stream& out, std::uint16_t fontIndex, std::uint16_t formatId, bool isStyle, std::uint8_t changed)
{
    Bytes body;
    body.u16(fontIndex);
    body.u16(formatId);
    body.u16(isStyle ? 0xFFF5 : 0x0001);   // locked; style: style bit and no parent; cell: parent XF 0
    body.u8(0x20);                         // general alignment, bottom
    body.u8(0);                            // no rotation
    body.u8(0);                            // no indent
    body.u8(changed);
    body.u32(0);                           // no borders
    body.u32(0);
    body.u16(0x20C0);                      // pattern colours: system foreground and background
    out.record(biff::Xf, body);
}

constexpr std::uint8_t kAllStyleAttributesUnset = 0xF4;
constexpr std::uint8_t kNumberFormatChanged = 0x04;

// Writes the workbook globals; returns where the sheet's stream offset goes.
qsizetype writeGlobals(Stream& out, const QString& sheetName, const biff::SharedStrings& strings)
{
    bof(out, 0x0005);

    Bytes codepage;
    codepage.u16(1200);      // UTF-16
    out.record(biff::Codepage, codepage);

    Bytes window;
    window.u16(0);           // position and size in twips
    window.u16(0);
    window.u16(0x3A00);
    window.u16(0x2400);
    window.u16(0x0038);      // horizontal and vertical scroll bars, sheet tabs
    window.u16(0);           // active sheet
    window.u16(0);           // first visible tab
    window.u16(1);           // selected sheets
    window.u16(600);         // tab bar width ratio
    out.record(biff::Window1, window);

    // Font index 4 does not exist in BIFF, so five records give indexes 0-3 and 5.
    for (int i = 0; i < 5; ++i)
        font(out);

    format(out, kDateFormat, QStringLiteral("yyyy-m-d"));
    format(out, kDateTimeFormat, QStringLiteral("yyyy-m-d h:mm:ss"));

    xf(out, 0, 0, true, 0);
    for (int i = 1; i <= 14; ++i)
        xf(out, i <= 2 ? 1 : i <= 4 ? 2 : 0, 0, true, kAllStyleAttributesUnset);
    xf(out, 0, 0, false, 0);
    xf(out, 0, kDateFormat, false, kNumberFormatChanged);
    xf(out, 0, kDateTimeFormat, false, kNumberFormatChanged);

    Bytes style;
    style.u16(0x8000);       // built-in style on XF 0
    style.u8(0);             // Normal
    style.u8(0xFF);
    out.record(biff::Style, style);

    Bytes sheet;
    const qsizetype offsetField = out.position() + 4;
    sheet.u32(0);            // stream offset of the sheet's BOF, patched later
    sheet.u8(0);             // visible
    sheet.u8(0);             // worksheet
    biff::shortUnicodeString(sheet, sheetName);
    out.record(biff::BoundSheet, sheet);

    strings.write(out);
    out.record(biff::Eof, Bytes());
    return offsetField;
}

// Excel's serial day number: days since 1899-12-30, counting the 29 February
// 1900 that Excel believes in. Dates before 1900 have none.
std::optional<double> serialDay(const QDate& date, const QTime& time)
{
    qint64 days = QDate(1899, 12, 30).daysTo(date);
    if (days < 2)
        return std::nullopt;
    if (days < 61)
        days -= 1;
    return double(days) + time.msecsSinceStartOfDay() / 86400000.0;
}

class CellWriter {
public:
    explicit CellWriter(biff::SharedStrings& strings) : strings_(strings) {}

    void write(int row, int column, const QVariant& value)
    {
        if (!value.isValid() || value.isNull())
            return;
        switch (value.typeId()) {
        case QMetaType::Bool:
            boolean(row, column, value.toBool());
            return;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Float:
        case QMetaType::Double:
            number(row, column, value.toDouble(), kCellXf);
            return;
        case QMetaType::QDate:
            date(row, column, value.toDate(), QTime(0, 0));
            return;
        case QMetaType::QDateTime: {
            const QDateTime when = value.toDateTime();
            date(row, column, when.date(), when.time());
            return;
        }
        default:
            text(row, column, value.toString());
        }
    }

    void text(int row, int column, const QString& text)
    {
        if (text.isEmpty())
            return;
        Bytes body = cell(row, column, kCellXf);
        body.u32(strings_.add(text));
        cells_.record(biff::LabelSst, body);
    }

    const Stream& cells() const { return cells_; }

private:
    Bytes cell(int row, int column, std::uint16_t xfIndex)
    {
        Bytes body;
        body.u16(std::uint16_t(row));
        body.u16(std::uint16_t(column));
        body.u16(xfIndex);
        return body;
    }

    void number(int row, int column, double value, std::uint16_t xfIndex)
    {
        if (!std::isfinite(value))
            return error(row, column, 0x24);   // #NUM!: the sheet holds no infinities
        Bytes body = cell(row, column, xfIndex);
        body.f64(value);
        cells_.record(biff::Number, body);
    }

    void date(int row, int column, const QDate& day, const QTime& time)
    {
        if (!day.isValid())
            return;
        const QTime clock = time.isValid() ? time : QTime(0, 0);
        const auto serial = serialDay(day, clock);
        if (!serial)
            return text(row, column, day.toString(QStringLiteral("yyyy-M-d")));
        number(row, column, *serial, clock == QTime(0, 0) ? kDateXf : kDateTimeXf);
    }

    void boolean(int row, int column, bool value) { boolOrError(row, column, value ? 1 : 0, false); }
    void error(int row, int column, std::uint8_t code) { boolOrError(row, column, code, true); }
    void boolOrError(int row, int column, std::uint8_t value, bool isError)
    {
        Bytes body = cell(row, column, kCellXf);
        body.u8(value);
        body.u8(isError ? 1 : 0);
        cells_.record(biff::BoolErr, body);
    }

    biff::SharedStrings& strings_;
    Stream cells_;
};

QString validSheetName(const QString& wanted)
{
    QString name = wanted.left(31);
    for (QChar& c : name) {
        if (QStringLiteral("[]:*?/\\").contains(c))
            c = QLatin1Char('_');
    }
    return name.trimmed().isEmpty() ? QStringLiteral("Sheet1") : name;
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

bool writeWorkbook(const QString& path, const Sheet& sheet, QString* error)
{
    const int headerRows = sheet.headers.isEmpty() ? 0 : 1;
    const qsizetype rowCount = headerRows + qsizetype(sheet.rows.size());
    if (rowCount > kMaxRows) {
        setError(error, QStringLiteral("A sheet holds at most %1 rows; %2 were given.").arg(kMaxRows).arg(rowCount));
        return false;
    }
    qsizetype columnCount = sheet.headers.size();
    for (const Row& row : sheet.rows)
        columnCount = std::max(columnCount, qsizetype(row.size()));
    if (columnCount > kMaxColumns) {
        setError(error, QStringLiteral("A sheet holds at most %1 columns; %2 were given.").arg(kMaxColumns).arg(columnCount));
        return false;
    }

    biff::SharedStrings strings;
    CellWriter cells(strings);
    for (int column = 0; column < sheet.headers.size(); ++column)
        cells.text(0, column, sheet.headers[column]);
    for (std::size_t row = 0; row < sheet.rows.size(); ++row) {
        for (std::size_t column = 0; column < sheet.rows[row].size(); ++column)
            cells.write(headerRows + int(row), int(column), sheet.rows[row][column]);
    }

    Stream stream;
    const qsizetype sheetOffsetField = writeGlobals(stream, validSheetName(sheet.name), strings);
    stream.patchU32(sheetOffsetField, std::uint32_t(stream.position()));

    bof(stream, 0x0010);
    Bytes dimensions;
    dimensions.u32(0);
    dimensions.u32(std::uint32_t(columnCount ? rowCount : 0));   // one past the last row
    dimensions.u16(0);
    dimensions.u16(std::uint16_t(rowCount ? columnCount : 0));   // one past the last column
    dimensions.u16(0);
    stream.record(biff::Dimensions, dimensions);
    stream.append(cells.cells());
    Bytes window;
    window.u16(0x06B6);      // grid lines, headings, zeros, outline symbols; selected, shown
    window.u16(0);           // top row
    window.u16(0);           // left column
    window.u16(0x40);        // heading colour: default
    window.u16(0);
    window.u16(0);           // zoom of page-break preview: default
    window.u16(0);           // zoom: default
    window.u32(0);
    stream.record(biff::Window2, window);
    stream.record(biff::Eof, Bytes());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    file.write(compoundFile(stream.data()));
    if (!file.commit()) {
        setError(error, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace xls
