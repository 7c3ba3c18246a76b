#pragma once
// The stock report "库存报表": the current stock with its value, the goods
// that went out and came in over a date range, sortable, resizable, and
// exported to a workbook.
#include "reports/reportwindow.h"
#include "reports/stockreport.h"

namespace reports {

class RepKC : public ReportWindow {
public:
    RepKC();

    // Runs the chosen report with the dates shown.
    void RunReport();

protected:
    void Form_Load() override;

private:
    void command1_Click() override;
    void Image1_Click() override;
    stockreport::Kind selectedKind() const;

    ui::OptionButton* option1_[4];
};

} // namespace reports
