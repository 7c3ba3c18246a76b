#pragma once
// The sales summary report "销售统计表": a date range's orders totalled by
// year, month, day, product or customer, with the grand total, sortable,
// resizable, and exported to a workbook.
#include "reports/reportwindow.h"
#include "reports/salessummary.h"

#include <map>
#include <optional>

namespace reports {

class RepSal : public ReportWindow {
public:
    RepSal();

protected:
    void Form_Load() override;

private:
    void Option1_Click(int index);
    void command1_Click() override;
    void Image1_Click() override;
    void RunReport();
    std::optional<salessummary::Kind> selectedKind() const;

    std::map<int, ui::OptionButton*> option1_;
};

} // namespace reports
