#pragma once
// The frame both analysis windows share: three tabs, the two date entries
// with their checks, the result text, the two totals, the chart with its type
// options and the close buttons. A window adds its own choices to tab 0 and
// computes its result; the frame shows it.
#include "platform/ui/chart.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/form.h"
#include "platform/ui/tabcontrol.h"
#include "reports/analysisresult.h"

namespace reports {

class AnalysisFrame : public ui::Form {
public:
    enum Tab { OptionsTab = 0, ChartTab = 1, DataTab = 2 };

protected:
    AnalysisFrame(const QString& kind, const QString& caption, const QString& runCaption);

    // F1: both dates today.
    void Form_Load() override;
    // F2 to F6: checks the dates, computes, shows the result and the chart tab.
    void command3_Click();
    // F8
    void closeWindow();

    // The window's own analysis of a checked range; db::Error when a query fails.
    virtual analysis::Result analyse(const QDate& start, const QDate& end) = 0;

    QWidget* optionsPage() const { return SSTab1->page(OptionsTab); }
    QWidget* dataPage() const { return SSTab1->page(DataTab); }

    ui::TabControl* SSTab1;
    ui::DatePicker* text1;
    ui::DatePicker* text2;
    ui::Chart* MSChart1;
    ui::TextArea* Text3;
    ui::Label* Label3;
    ui::Label* Label4;

private:
    void showResult(const analysis::Result& result);
    void chartType_Click(ui::OptionButton* option, int type);
};

} // namespace reports
