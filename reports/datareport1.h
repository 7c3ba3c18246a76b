#pragma once
// The envelope-label printout: one label per customer of the current
// customer list, down the page, shown in its print preview.
#include "reports/custlistreport.h"

namespace reports {

print::Layout labelLayout();

class DataReport1 : public CustListPrintout<DataReport1> {
public:
    DataReport1();
    static std::unique_ptr<print::Report> DataReport_Initialize();
};

} // namespace reports
