#pragma once
// The envelope-label printout: one label per customer of the current
// customer list, down the page, shown in its print preview.
#include "platform/print/preview.h"

namespace reports {

print::Layout labelLayout();

class DataReport1 : public print::PreviewForm {
public:
    DataReport1();
    // The labels of the current customer list, read afresh, into a PDF file.
    static bool writePdf(const QString& path, QString* error = nullptr);

protected:
    void Form_Load() override;

private:
    static std::unique_ptr<print::Report> DataReport_Initialize();
};

} // namespace reports
