#include "reports/analysisframe.h"

#include "common/database.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace reports {

namespace {

const char* const kBadStartText = "请输入有效的开始时间格式";
const char* const kBadEndText = "请输入有效的结束时间格式";
const char* const kCloseCaption = "关  闭";

// The chart-type options with the chart type each one selects.
struct ChartOption {
    const char* name;
    const char* caption;
    int type;
};
const ChartOption kChartOptions[] = {
    {"Option3", "三维直方图", 0}, {"Option4", "二维直方图", 1}, {"Option5", "三维折线图", 3},
    {"Option6", "三维面积图", 2}, {"Option7", "二维面积图", 4},
};

} // namespace

AnalysisFrame::AnalysisFrame(const QString& kind, const QString& caption, const QString& runCaption)
    : ui::Form(kind)
{
    setCaption(caption);
    setSizeTwips(9360, 7050);
    closeOnEscape();

    SSTab1 = ui::addTabControl(this, QStringLiteral("SSTab1"), 120, 120, 9120, 6360);
    for (const char* caption : {"基本选项", "图形分析", "分析数据"}) SSTab1->addTab(QString::fromUtf8(caption));
    QWidget* options = SSTab1->page(OptionsTab);
    QWidget* chart = SSTab1->page(ChartTab);
    QWidget* data = SSTab1->page(DataTab);
    SSTab1->show();

    ui::Frame* range = addFrame(QStringLiteral("Frame3"), QStringLiteral("时间范围"), 4680, 600, 4200, 1575, options);
    addLabel(QStringLiteral("Label1"), QStringLiteral("开始日期"), 240, 420, 975, 255, range);
    text1 = ui::addDatePicker(range, QStringLiteral("text1"), 1320, 360, 1815, 375);
    addLabel(QStringLiteral("Label2"), QStringLiteral("结束日期"), 240, 960, 975, 255, range);
    text2 = ui::addDatePicker(range, QStringLiteral("text2"), 1320, 900, 1815, 375);
    addCommandButton(QStringLiteral("command3"), runCaption, 4680, 2520, 1215, 375, options)->onClick = [this] {
        command3_Click();
    };
    addCommandButton(QStringLiteral("Command4"), QString::fromUtf8(kCloseCaption), 6240, 2520, 1215, 375, options)->onClick =
        [this] { closeWindow(); };

    MSChart1 = ui::addChart(chart, QStringLiteral("MSChart1"), 120, 420, 8880, 4920);
    double left = 120;
    for (const ChartOption& choice : kChartOptions) {
        ui::OptionButton* option = addOptionButton(QString::fromLatin1(choice.name), QString::fromUtf8(choice.caption),
                                                   left, 5520, 1335, 315, chart);
        option->onClick = [this, option, type = choice.type] { chartType_Click(option, type); };
        left += 1440;
    }
    addCommandButton(QStringLiteral("command6"), QString::fromUtf8(kCloseCaption), 7680, 5880, 1215, 375, chart)->onClick =
        [this] { closeWindow(); };

    Text3 = addTextArea(QStringLiteral("Text3"), 120, 420, 8880, 4920, data);
    Text3->setLocked(true);
    Label3 = addLabel(QStringLiteral("Label3"), QString(), 120, 5520, 3615, 255, data);
    Label4 = addLabel(QStringLiteral("Label4"), QString(), 3840, 5520, 3615, 255, data);
}

void AnalysisFrame::Form_Load()
{
    text1->setToday();
    text2->setToday();
}

void AnalysisFrame::command3_Click()
{
    if (text1->isEmpty()) {
        ui::msgBox(QString::fromUtf8(kBadStartText));
        return;
    }
    if (text2->isEmpty()) {
        ui::msgBox(QString::fromUtf8(kBadEndText));
        return;
    }
    // A run that cannot read the sales says why and leaves the text, the
    // totals, the chart and the tab as they were: no empty chart passes for a
    // range without sales.
    analysis::Result result;
    if (!database::read([&] { result = analyse(text1->value(), text2->value()); })) return;
    showResult(result);
}

void AnalysisFrame::showResult(const analysis::Result& result)
{
    Text3->setText(result.text);
    Label3->setCaption(result.amountTotal);
    Label4->setCaption(result.secondTotal);

    MSChart1->setRowCount(static_cast<int>(result.chart.size()));
    MSChart1->setTitleText(result.title);
    MSChart1->setColumnLabel(QStringLiteral("销售额"));
    MSChart1->setColumnCount(1);
    MSChart1->setShowLegend(true);
    for (int row = 1; row <= MSChart1->rowCount(); ++row) {
        MSChart1->setRow(row);
        MSChart1->setColumn(1);
        MSChart1->setRowLabel(result.chart[static_cast<size_t>(row - 1)].first);
        MSChart1->setData(result.chart[static_cast<size_t>(row - 1)].second);
    }
    SSTab1->setTab(ChartTab);
}

void AnalysisFrame::chartType_Click(ui::OptionButton* option, int type)
{
    if (option->value()) MSChart1->setChartType(type);
}

void AnalysisFrame::closeWindow()
{
    ui::Windows::unload(this);
}

} // namespace reports
