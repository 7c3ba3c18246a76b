#pragma once
// The customer-list printout: a ruled table, one line per customer of the
// current customer list, the column captions on every page.
#include "reports/custlistreport.h"

namespace reports {

print::Layout customerListLayout();

class DataReport2 : public CustListPrintout<DataReport2> {
public:
    DataReport2();
    static std::unique_ptr<print::Report> DataReport_Initialize();
};

} // namespace reports
