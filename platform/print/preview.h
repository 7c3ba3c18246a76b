#pragma once
// The print-preview window of a report: the pages as pictures of the paper,
// page navigation, and a button that prints on the default printer (or,
// without one, offers the pages as a PDF file).
#include "platform/print/report.h"
#include "platform/ui/form.h"

#include <memory>

class QScrollArea;

namespace print {

class PreviewForm : public ui::Form {
public:
    explicit PreviewForm(const QString& kind);
    ~PreviewForm() override;

    // Shows the report from its first page, under the layout's caption.
    void showReport(std::unique_ptr<Report> report);
    const Report* report() const { return report_.get(); }
    int currentPage() const { return page_; }        // 0-based
    void showPage(int index);                        // kept within the report's pages

private:
    void cmdPrint_Click();

    std::unique_ptr<Report> report_;
    int page_ = 0;
    QScrollArea* scroller_ = nullptr;
    QLabel* paper_ = nullptr;
    QLabel* pageNumber_ = nullptr;   // "lblPage"
};

} // namespace print
