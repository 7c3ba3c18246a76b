#include "platform/print/printorsave.h"

#include "platform/print/printservice.h"
#include "platform/ui/desktop.h"
#include "platform/ui/filedialog.h"
#include "platform/ui/msgbox.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>

namespace print {
namespace {

const char* const kOfferPdfText = "是否将其保存为 PDF 文件？";
const char* const kSavedPdfText = "已保存为 PDF 文件：";
const char* const kPdfFilter = "PDF 文件 (*.pdf)|*.pdf";

QString suggestedFile(const Report& report)
{
    const QString folder = ui::programPath(QString::fromLatin1(kPdfFolder));
    QDir().mkpath(folder);
    QString name = report.layout().caption.trimmed();
    if (name.isEmpty()) name = QStringLiteral("print");
    name.replace(QRegularExpression(QStringLiteral(R"([\\/:*?"<>|])")), QStringLiteral("_"));
    return QDir(folder).filePath(name + QLatin1Char('-') + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))
                                 + QStringLiteral(".pdf"));
}

} // namespace

Outcome printOrOfferPdf(const Report& report, const QString& title)
{
    QString error;
    if (printOnDefault(report, &error)) return Outcome::Printed;
    const QString question = error + QLatin1Char('\n') + QString::fromUtf8(kOfferPdfText);
    if (ui::msgBox(question, ui::Buttons::YesNo, ui::Icon::Question, title) != ui::Answer::Yes) return Outcome::NotPrinted;

    const QString path = ui::chooseSaveFile({QString::fromUtf8(kPdfFilter), suggestedFile(report)});
    if (path.isEmpty()) return Outcome::NotPrinted;
    if (!report.writePdf(path, &error)) {
        ui::msgBox(error, ui::Buttons::Ok, ui::Icon::Warning, title);
        return Outcome::NotPrinted;
    }
    ui::msgBox(QString::fromUtf8(kSavedPdfText) + QDir::toNativeSeparators(path), ui::Buttons::Ok, ui::Icon::Information, title);
    return Outcome::SavedAsPdf;
}

} // namespace print
