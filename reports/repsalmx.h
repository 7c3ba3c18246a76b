#pragma once
// The sales detail report "销售明细表": the sold lines of a date range,
// narrowed to a product and a customer name, with their total, exported to a
// workbook.
#include "platform/ui/datepicker.h"
#include "platform/ui/form.h"
#include "reports/salesdetail.h"

namespace ui { class ListView; }

namespace reports {

class RepSalMx : public ui::Form {
public:
    RepSalMx();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command3_Click();
    void Image1_Click();
    salesdetail::Filters filters() const;

    ui::DatePicker* text1;
    ui::DatePicker* text2;
    ui::ComboBox* product;
    ui::TextBox* KH_KH;
    ui::ListView* ListView1;
};

} // namespace reports
