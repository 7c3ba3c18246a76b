#pragma once
// The customer-list printout: a ruled table, one line per customer of the
// current customer list, the column captions on every page.
#include "platform/print/preview.h"

namespace reports {

print::Layout customerListLayout();

class DataReport2 : public print::PreviewForm {
public:
    DataReport2();
    // The list of the current customer list, read afresh, into a PDF file.
    static bool writePdf(const QString& path, QString* error = nullptr);

protected:
    void Form_Load() override;

private:
    static std::unique_ptr<print::Report> DataReport_Initialize();
};

} // namespace reports
