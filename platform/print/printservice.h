#pragma once
// The default printer, reached through one service so tests can replace it
// (as message boxes): the real service prints on the default printer, the
// recording one keeps what was printed and writes it into PDF files.
#include "platform/print/report.h"

#include <QStringList>
#include <vector>

namespace print {

class PrintService {
public:
    virtual ~PrintService() = default;
    // Prints every page; false with `error` set when nothing could be printed.
    virtual bool print(const Report& report, QString* error) = 0;
};

// Prints the report on the default printer through the current service.
bool printOnDefault(const Report& report, QString* error = nullptr);

// Replaces the service (nullptr restores the real printer); returns the previous one.
PrintService* setPrintService(PrintService* service);

// Keeps the layout of every printed report and writes each into a PDF file
// in `folder` (print1.pdf, print2.pdf, ...); or refuses every job, as a
// machine without a printer does. Installs itself while it lives.
class RecordingPrinter : public PrintService {
public:
    explicit RecordingPrinter(const QString& folder);
    ~RecordingPrinter() override;
    bool print(const Report& report, QString* error) override;

    void setNoPrinter(bool none) { noPrinter_ = none; }
    const std::vector<Layout>& printed() const { return printed_; }
    const QStringList& pdfFiles() const { return pdfFiles_; }

private:
    QString folder_;
    bool noPrinter_ = false;
    std::vector<Layout> printed_;
    QStringList pdfFiles_;
    PrintService* previous_ = nullptr;
};

} // namespace print
