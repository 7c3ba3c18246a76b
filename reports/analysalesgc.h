#pragma once
// The sales composition analysis "销售构成分析": a date range's sales per
// product or per customer, as text lines, two totals and a chart.
#include "reports/analysisframe.h"

namespace reports {

class AnalySalesGc : public AnalysisFrame {
public:
    AnalySalesGc();

protected:
    analysis::Result analyse(const QDate& start, const QDate& end) override;

private:
    ui::OptionButton* option1_[2];
};

} // namespace reports
