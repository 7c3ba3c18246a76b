#pragma once
// What the two customer printouts share: their rows are the main window's
// current customer list, read afresh through CustListSql, and their detail
// text boxes are bound by name to its columns.
#include "platform/print/preview.h"
#include "platform/print/report.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace reports {

// Text box name -> the customer-list column it shows.
using TextBoxColumns = std::map<QString, QString>;

// The layout bound to a fresh result of CustListSql; db::Error when the
// query fails. A column the result lacks leaves its text box unbound (it
// prints nothing, without a message).
std::unique_ptr<print::Report> custListReport(print::Layout layout, const TextBoxColumns& columns);

// Shows the printout that `make` builds in `preview`. A customer list that
// cannot be read says why and unloads the preview: no empty page passes for a
// list without customers, and nothing can be printed from it.
void showOrUnload(print::PreviewForm* preview, const std::function<std::unique_ptr<print::Report>()>& make);

// The preview window of a customer printout. `Printout` builds its report in
// a static DataReport_Initialize(); the window shows it on load, and
// writePdf() writes it, read afresh, into a PDF file (db::Error when the
// list cannot be read).
template <class Printout>
class CustListPrintout : public print::PreviewForm {
public:
    static bool writePdf(const QString& path, QString* error = nullptr)
    {
        return Printout::DataReport_Initialize()->writePdf(path, error);
    }

protected:
    using print::PreviewForm::PreviewForm;
    void Form_Load() override { showOrUnload(this, &Printout::DataReport_Initialize); }
};

} // namespace reports
