#include "platform/print/report.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

namespace print {
namespace {

// Lines print one pixel of the screen wide, as on the designer's sheet.
constexpr double kLineWidth = 15;

QFont fontOf(const Field& field)
{
    QFont font(field.font.face.isEmpty() ? QString::fromLatin1(kFontFamily) : field.font.face);
    // Pixel sizes in twips: the painter's units, so the size follows any scaling.
    font.setPixelSize(int(std::lround(field.font.pointSize * kTwipsPerPoint)));
    font.setBold(field.font.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void paintText(QPainter& painter, const Field& field, const QRectF& box, const QString& text)
{
    if (text.isEmpty())
        return;
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.setFont(fontOf(field));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.restore();
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

Report::Report(Layout layout, Rows rows)
    : layout_(std::move(layout)), rows_(std::move(rows)), pages_(paginate(layout_, int(rows_.values.size())))
{
}

void Report::paintPage(QPainter& painter, int index) const
{
    QPen pen(Qt::black);
    pen.setWidthF(kLineWidth);
    painter.setPen(pen);
    for (const PlacedBand& placed : pages_.at(index)) {
        for (const Field& field : placed.band->fields) {
            const QRectF box(placed.left + field.left, placed.top + field.top, field.width, field.height);
            switch (field.kind) {
            case Field::Kind::Line:
                painter.drawLine(box.topLeft(), box.topLeft() + QPointF(field.width, field.height));
                break;
            case Field::Kind::Label:
                paintText(painter, field, box, field.caption);
                break;
            case Field::Kind::TextBox:
                if (!field.dataField.isEmpty())
                    paintText(painter, field, box, rows_.text(placed.row, field.dataField));
                break;
            }
        }
    }
}

QImage Report::pageImage(int index, double dotsPerInch) const
{
    const double scale = dotsPerInch / kTwipsPerInch;
    const QSizeF paper = paperSizeTwips(layout_.page.paper) * scale;
    QImage image(QSize(int(std::ceil(paper.width())), int(std::ceil(paper.height()))), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = int(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    paintPage(painter, index);
    return image;
}

bool Report::paintAllPages(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.scale(device.logicalDpiX() / kTwipsPerInch, device.logicalDpiY() / kTwipsPerInch);
    for (int index = 0; index < pageCount(); ++index) {
        if (index > 0)
            device.newPage();
        paintPage(painter, index);
    }
    return painter.end();
}

bool Report::writePdf(const QString& path, QString* error) const
{
    QPdfWriter writer(path);
    writer.setPageSize(layout_.page.paper);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(int(kTwipsPerInch));
    writer.setTitle(layout_.caption);
    writer.setCreator(layout_.caption);
    if (!paintAllPages(writer)) {
        setError(error, QStringLiteral("无法写入文件 %1").arg(path));
        return false;
    }
    return true;
}

bool Report::printOnDefaultPrinter(QString* error) const
{
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull()) {
        setError(error, QStringLiteral("没有可用的打印机，请先安装并设置默认打印机。"));
        return false;
    }
    QPrinter printer(printerInfo, QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageSize(layout_.page.paper);
    printer.setDocName(layout_.caption);
    if (!paintAllPages(printer)) {
        setError(error, QStringLiteral("无法在打印机 %1 上打印。").arg(printerInfo.printerName()));
        return false;
    }
    return true;
}

} // namespace print
