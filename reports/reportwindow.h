#pragma once
// What the sales summary and stock report windows share: the proportional
// layout kept from the design, the sort by a clicked column header, the date
// pickers, the report list, the totals label and the export picture.
#include "platform/ui/datepicker.h"
#include "platform/ui/designlayout.h"
#include "platform/ui/form.h"
#include "reports/reportcolumns.h"

#include <functional>

namespace ui { class ListView; }

namespace reports {

class ReportWindow : public ui::Form {
public:
    // Remembers the window's inner size and every control's design geometry.
    void ResizeInit(ui::Form* FormName);
    // Scales every control from its design geometry to the window's inner size.
    void ResizeForm(ui::Form* FormName);
    const ui::DesignLayout& designLayout() const { return layout_; }

protected:
    // `totalsWidth`: the width of the totals label in twips.
    ReportWindow(const QString& kind, double totalsWidth);

    void Form_Resize() override;
    void Form_Paint() override;
    // One sort order for the whole list: each header click flips it.
    void ListView3_ColumnClick(int index);
    // The run picture and the export picture.
    virtual void command1_Click() = 0;
    virtual void Image1_Click() = 0;

    // Both dates valid, or the message of the first invalid one and false.
    bool datesValid();
    // Shows the columns and the rows and totals that `run` reads (it throws
    // db::Error when a query fails). A read that fails says why and leaves
    // the list and its totals as they were.
    void showReport(const ReportColumns& columns, const std::function<ReportResult()>& run);

    ui::DatePicker* text1 = nullptr;
    ui::DatePicker* text2 = nullptr;
    ui::ListView* ListView3 = nullptr;
    ui::Label* Label3 = nullptr;

private:
    ui::DesignLayout layout_;
};

} // namespace reports
