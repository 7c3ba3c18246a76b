#include "reports/reportexport.h"

#include "common/database.h"
#include "common/readfailure.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"

#include <QDir>
#include <QTemporaryFile>

namespace reportexport {

namespace {

const char* const kFailedText = "导出到Excel失败,没有生成导出文件";
const char* const kFailedTitle = "导出到Excel";
const char* const kTooLongText = "导出结果共有%1行,超过了Excel工作表65536行的上限,请缩小日期范围后再导出";
const char* const kExportedText = "报表已导出到";
const char* const kNotOpenedText = ",但无法打开该文件";

// `why`: what refused the export, after the words that nothing was made.
void failed(const QString& why = QString())
{
    const QString text = QString::fromUtf8(kFailedText) + (why.isEmpty() ? QString() : QStringLiteral("。") + why);
    ui::msgBox(text, ui::Buttons::Ok, ui::Icon::Error, QString::fromUtf8(kFailedTitle));
}

QVariant cell(const db::Variant& value, bool amountSum)
{
    if (value.isNullOrEmpty()) return QVariant();
    if (amountSum) return value.toCurrency().toDouble();
    switch (value.type()) {
    case db::Variant::Type::Text: return value.toText();
    case db::Variant::Type::Date: return value.toDate();
    case db::Variant::Type::Long: return static_cast<qint64>(value.toLong());
    case db::Variant::Type::Boolean: return value.toBool() ? -1 : 0;
    default: return value.toDouble();
    }
}

// A new, unused file name in the temporary folder; "" when none can be made.
QString newWorkbookPath()
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/halvex-report-XXXXXX.xls"));
    file.setAutoRemove(false);
    if (!file.open()) return QString();
    return file.fileName();
}

} // namespace

QVariant number(const std::optional<db::Currency>& sum)
{
    return sum ? QVariant(sum->toDouble()) : QVariant();
}

Rows queryRows(const Query& query)
{
    auto connection = database::openMain();
    db::Recordset result;
    result.open(query.sql, *connection, db::CursorType::Keyset, db::LockType::ReadOnly);
    if (result.recordCount() > kMaxSheetRows) throw TooManyRows{result.recordCount()};
    Rows rows;
    rows.reserve(static_cast<size_t>(result.recordCount()));
    const int columns = result.fieldCount();
    for (; !result.eof(); result.moveNext()) {
        xls::Row cells;
        cells.reserve(static_cast<size_t>(columns));
        for (int column = 0; column < columns; ++column)
            cells.push_back(cell(result.field(column), query.amountSums.count(column) > 0));
        rows.push_back(std::move(cells));
    }
    return rows;
}

QString toExcel(const std::function<Rows()>& make)
{
    xls::Sheet sheet;
    sheet.name = QStringLiteral("Sheet1");
    int tooMany = 0;
    std::optional<db::Error> refused;
    const bool made = database::guarded(
        [&] {
            try {
                sheet.rows = make();
            } catch (const TooManyRows& tooLong) {
                tooMany = tooLong.count;
            }
        },
        refused);
    // The rows that could not be read are told, the file busy included: no
    // workbook opens, so an empty sheet never passes for a range without rows.
    if (!made) {
        failed(readfailure::text(*refused));
        return QString();
    }
    if (tooMany == 0 && sheet.rows.size() > static_cast<size_t>(kMaxSheetRows)) tooMany = static_cast<int>(sheet.rows.size());
    if (tooMany > 0) {
        ui::msgBox(QString::fromUtf8(kTooLongText).arg(tooMany));
        return QString();
    }
    const QString path = newWorkbookPath();
    if (path.isEmpty() || !xls::writeWorkbook(path, sheet)) {
        if (!path.isEmpty()) QFile::remove(path);
        failed();
        return QString();
    }
    if (!ui::openWithDesktop(path))
        ui::msgBox(QString::fromUtf8(kExportedText) + QDir::toNativeSeparators(path) + QString::fromUtf8(kNotOpenedText));
    return path;
}

QString toExcel(const Query& query)
{
    return toExcel([&query] { return queryRows(query); });
}

} // namespace reportexport
