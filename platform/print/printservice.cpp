#include "platform/print/printservice.h"

#include <QDir>

namespace print {

namespace {

class DefaultPrinter : public PrintService {
public:
    bool print(const Report& report, QString* error) override { return report.printOnDefaultPrinter(error); }
};

PrintService* defaultPrinter()
{
    static DefaultPrinter printer;
    return &printer;
}

PrintService*& current()
{
    static PrintService* service = defaultPrinter();
    return service;
}

} // namespace

bool printOnDefault(const Report& report, QString* error)
{
    return current()->print(report, error);
}

PrintService* setPrintService(PrintService* service)
{
    PrintService* previous = current();
    current() = service ? service : defaultPrinter();
    return previous;
}

RecordingPrinter::RecordingPrinter(const QString& folder) : folder_(folder)
{
    previous_ = setPrintService(this);
}

RecordingPrinter::~RecordingPrinter()
{
    setPrintService(previous_);
}

bool RecordingPrinter::print(const Report& report, QString* error)
{
    if (noPrinter_) {
        if (error) *error = QStringLiteral("没有可用的打印机，请先安装并设置默认打印机。");
        return false;
    }
    printed_.push_back(report.layout());
    const QString file = QDir(folder_).filePath(QStringLiteral("print%1.pdf").arg(pdfFiles_.size() + 1));
    pdfFiles_ << file;
    return report.writePdf(file, error);
}

} // namespace print
