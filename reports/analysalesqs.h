#pragma once
// The sales trend analysis "销售趋势分析": a date range's sales by year, month
// or day, over every order or one product's lines, as text lines, two totals
// and a chart.
#include "reports/analysisframe.h"

namespace reports {

class AnalySalesQs : public AnalysisFrame {
public:
    AnalySalesQs();

protected:
    analysis::Result analyse(const QDate& start, const QDate& end) override;

private:
    void Option2_Click();

    ui::OptionButton* option1_[3];
    ui::OptionButton* option2_[2];
    ui::ComboBox* Combo1;
};

} // namespace reports
