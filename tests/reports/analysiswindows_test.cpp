// The analysis windows as the operator uses them: the date checks, the run
// that fills text, totals and chart and shows the chart tab, the chart types,
// a wide chart read while it scrolls, and the trend window's product choice.
#include "salesfixture.h"

#include "platform/ui/chart.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/tabcontrol.h"
#include "platform/ui/windows.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QScrollBar>
#include <QToolTip>

namespace {

class AnalysisWindows : public SalesData {
protected:
    ui::Form* open(const char* kind)
    {
        form_ = ui::Windows::open(QString::fromLatin1(kind));
        return form_;
    }
    template <class T>
    T* ctl(const char* name) { return form_->control<T>(QString::fromLatin1(name)); }
    ui::Chart* chart() { return ctl<ui::Chart>("MSChart1"); }
    // The result text as the box shows it (its lines end in CR LF; the box keeps the line breaks).
    QString text() { return ctl<ui::TextArea>("Text3")->text().replace(QLatin1Char('\n'), QStringLiteral("\r\n")); }
    void run() { ctl<ui::CommandButton>("command3")->click(); }

    // Three products sold today.
    void sellToday()
    {
        const int c = addCustomer(QStringLiteral("甲"));
        addLine(c, QStringLiteral("a"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("笔"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("6"));
        addLine(c, QStringLiteral("b"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("纸"), QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("5"));
        addLine(c, QStringLiteral("c"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("墨"), QStringLiteral("1.5"), QStringLiteral("2"), QStringLiteral("3"));
    }

    // Fraction of the chart's pixels drawn in the series' colour, rendered to a PNG file and read back.
    double seriesCoverage()
    {
        const QString file = path(QStringLiteral("chart.png"));
        if (!chart()->grab().save(file, "PNG")) return 0;
        const QImage picture(file);
        const QRgb colour = ui::Chart::seriesColor().rgb();
        int hits = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if ((picture.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++hits;
        return double(hits) / (picture.width() * picture.height());
    }

    ui::Form* form_ = nullptr;
};

TEST_F(AnalysisWindows, DateChecksLeaveTheLastResult)
{
    sellToday();
    open("AnalySalesGc");
    EXPECT_EQ(ctl<ui::DatePicker>("text1")->value(), day(2009, 6, 15));
    EXPECT_TRUE(ctl<ui::OptionButton>("Option1(0)")->value());
    run();
    const QString shown = text();
    EXPECT_EQ(ctl<ui::Label>("Label3")->caption(), QStringLiteral("总金额：14"));
    auto* tabs = ctl<ui::TabControl>("SSTab1");
    EXPECT_EQ(tabs->tab(), 1);
    tabs->setTab(2);

    ctl<ui::DatePicker>("text1")->setValue(QDate());
    run();
    expectOnly(QStringLiteral("请输入有效的开始时间格式"));
    ctl<ui::DatePicker>("text1")->setToday();
    ctl<ui::DatePicker>("text2")->setValue(QDate());
    ctl<ui::OptionButton>("Option1(1)")->setValue(true);
    run();
    expectOnly(QStringLiteral("请输入有效的结束时间格式"));
    EXPECT_EQ(text(), shown);
    EXPECT_EQ(ctl<ui::Label>("Label3")->caption(), QStringLiteral("总金额：14"));
    EXPECT_EQ(chart()->rowCount(), 3);
    EXPECT_EQ(tabs->tab(), 2);

    // Start after end: the heading alone, bare totals, no chart rows, the chart tab.
    ctl<ui::DatePicker>("text2")->setValue(day(2009, 6, 14));
    run();
    EXPECT_EQ(text(), QStringLiteral("\r\n      客户名称    \t销售金额\t未付金额"));
    EXPECT_EQ(ctl<ui::Label>("Label3")->caption(), QStringLiteral("总金额："));
    EXPECT_EQ(ctl<ui::Label>("Label4")->caption(), QStringLiteral("未付金额："));
    EXPECT_EQ(chart()->rowCount(), 0);
    EXPECT_EQ(tabs->tab(), 1);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(AnalysisWindows, ChartHoldsItsDataAcrossTypes)
{
    sellToday();
    open("AnalySalesGc");
    ctl<ui::OptionButton>("Option5")->setValue(true);   // "三维折线图" draws type 3
    run();
    EXPECT_EQ(chart()->chartType(), 3);
    EXPECT_EQ(chart()->titleText(), QStringLiteral("按产品统计"));
    ASSERT_EQ(chart()->rowCount(), 3);
    QStringList labels;
    QList<double> values;
    for (int row = 1; row <= 3; ++row) {
        chart()->setRow(row);
        labels << chart()->rowLabel();
        values << chart()->data();
        EXPECT_EQ(chart()->shownLabel(row), labels.back()) << row;
    }
    EXPECT_TRUE(labels.contains(QStringLiteral("纸")));
    EXPECT_EQ(values[labels.indexOf(QStringLiteral("纸"))], 5.0);

    // Another type redraws the same data without asking the database again.
    exec(QStringLiteral("delete from SalesMX"));
    ctl<ui::OptionButton>("Option4")->setValue(true);
    EXPECT_EQ(chart()->chartType(), 1);
    EXPECT_EQ(chart()->columnLabel(), QStringLiteral("销售额"));
    for (int row = 1; row <= 3; ++row) {
        chart()->setRow(row);
        EXPECT_EQ(chart()->data(), values[row - 1]) << row;
        EXPECT_EQ(chart()->shownLabel(row), labels[row - 1]) << row;
    }
    ctl<ui::OptionButton>("Option7")->setValue(true);
    EXPECT_EQ(chart()->chartType(), 4);

    // The type stays when a later run refills the chart.
    run();
    EXPECT_EQ(chart()->chartType(), 4);
    EXPECT_EQ(chart()->rowCount(), 0);
}

TEST_F(AnalysisWindows, EveryChartTypeDraws)
{
    sellToday();
    open("AnalySalesGc");
    form_->resize(800, 600);
    ctl<ui::TabControl>("SSTab1")->setTab(1);
    run();
    for (const char* option : {"Option3", "Option4", "Option5", "Option6", "Option7"}) {
        ctl<ui::OptionButton>(option)->setValue(true);
        EXPECT_GT(seriesCoverage(), 0.002) << option;
    }
    ctl<ui::DatePicker>("text1")->setValue(day(2009, 6, 16));
    run();
    EXPECT_EQ(chart()->rowCount(), 0);
    EXPECT_FALSE(chart()->grab().isNull());
}

TEST_F(AnalysisWindows, ChartRowsKeepTheirOwnCustomerAndAmount)
{
    // Two customers of one name and a third: three bars, each with its own amount.
    addOrder(addCustomer(QStringLiteral("同名")), QStringLiteral("a"), QStringLiteral("2009-6-15 0:00:00"), QStringLiteral("10"));
    addOrder(addCustomer(QStringLiteral("同名")), QStringLiteral("b"), QStringLiteral("2009-6-15 0:00:00"), QStringLiteral("20"));
    addOrder(addCustomer(QStringLiteral("别的")), QStringLiteral("c"), QStringLiteral("2009-6-15 0:00:00"), QStringLiteral("30"));
    open("AnalySalesGc");
    ctl<ui::OptionButton>("Option1(1)")->setValue(true);
    run();
    ASSERT_EQ(chart()->rowCount(), 3);
    const QStringList names{"同名", "同名", "别的"};
    const QList<double> amounts{10, 20, 30};
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(chart()->shownLabel(row), names[row - 1]) << row;
        chart()->setRow(row);
        EXPECT_EQ(chart()->data(), amounts[row - 1]) << row;
    }
    EXPECT_EQ(chart()->valueText(3), QStringLiteral("别的：30"));
}

TEST_F(AnalysisWindows, HundredsOfProductsScrollInTheirOrder)
{
    const int c = addCustomer(QStringLiteral("甲"));
    QStringList names;
    for (int i = 0; i < 300; ++i) {
        names << QStringLiteral("产品%1").arg(i, 3, 10, QLatin1Char('0'));
        addLine(c, QStringLiteral("k%1").arg(i), QStringLiteral("2009-6-15 9:00:00"), names.back(), QStringLiteral("1"),
                QString::number(i + 1), QString::number(i + 1));
    }
    open("AnalySalesGc");
    form_->show();
    run();
    ASSERT_EQ(chart()->rowCount(), 300);
    QStringList shown;
    for (int row = 1; row <= 300; ++row) shown << chart()->shownLabel(row);
    EXPECT_EQ(shown, names);
    EXPECT_TRUE(chart()->labelsUpright());
    EXPECT_TRUE(chart()->horizontalScrollBar()->isVisible());
    EXPECT_GT(chart()->horizontalScrollBar()->maximum(), 0);
    EXPECT_TRUE(chart()->grab().save(path(QStringLiteral("products.png")), "PNG"));
}

TEST_F(AnalysisWindows, CustomersOfOneNameStartAreToldApartInAWideChart)
{
    // 300 customers whose names share their first six characters, each with
    // one order today: the chart scrolls, and each bar shows its customer's
    // whole name and amount.
    QStringList names;
    for (int i = 0; i < 300; ++i) {
        names << QStringLiteral("深圳周记1%1贸易有限公司").arg(i);
        addOrder(addCustomer(names.back()), QStringLiteral("o%1").arg(i), QStringLiteral("2009-6-15 0:00:00"),
                 QString::number(1000 + i));
    }
    open("AnalySalesGc");
    form_->show();
    ctl<ui::OptionButton>("Option1(1)")->setValue(true);
    run();
    ui::Chart* shown = chart();
    ASSERT_EQ(shown->rowCount(), 300);
    QCoreApplication::processEvents();
    QScrollBar* bar = shown->horizontalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    bar->setValue(bar->maximum() / 2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(shown->grab().save(path(QStringLiteral("customers.png")), "PNG"));

    // The bar in the middle of the view, at its middle height and on its label.
    const QRect view = shown->viewport()->rect();
    int row = 1;
    while (shown->pointOf(row + 0.5, 0).x() < view.center().x()) ++row;
    ASSERT_GT(row, 100);
    const QString whole = names[row - 1] + QStringLiteral("：") + QString::number(999 + row);
    const auto at = [&](double value) { return shown->pointOf(row, value); };
    for (const QPoint& rest : {at(500), at(0) + QPoint(0, 20)}) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->inherits("QTipLabel")) top->hide();
        QHelpEvent help(QEvent::ToolTip, rest, shown->viewport()->mapToGlobal(rest));
        QCoreApplication::sendEvent(shown->viewport(), &help);
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(QToolTip::text(), whole);
    }
}

TEST_F(AnalysisWindows, TrendForOneChosenProduct)
{
    const int c = addCustomer(QStringLiteral("甲"));
    addProduct(QStringLiteral("Jim's 笔"), QString(), QStringLiteral("1"), QStringLiteral("1"));
    addProduct(QStringLiteral("纸"), QString(), QStringLiteral("1"), QStringLiteral("1"));
    addLine(c, QStringLiteral("a"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("Jim's 笔"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("6"));
    addLine(c, QStringLiteral("b"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("纸"), QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("5"));
    open("AnalySalesQs");
    auto* products = ctl<ui::ComboBox>("Combo1");
    EXPECT_TRUE(products->isHidden());
    ctl<ui::OptionButton>("Option2(1)")->setValue(true);
    EXPECT_FALSE(products->isHidden());
    ASSERT_EQ(products->listCount(), 2);
    products->pick(0);
    ctl<ui::OptionButton>("Option1(2)")->setValue(true);
    run();
    EXPECT_EQ(text(), QStringLiteral("\r\n   日 期  \t销售金额\t未付金额\t销售数量\r\n2009-6-15\t6\t \t3"));
    EXPECT_EQ(ctl<ui::Label>("Label4")->caption(), QStringLiteral("总数量：3"));
    EXPECT_EQ(chart()->titleText(), QStringLiteral("按天分析图表"));
    ctl<ui::OptionButton>("Option2(0)")->setValue(true);
    EXPECT_TRUE(products->isHidden());
    ctl<ui::CommandButton>("command5")->click();
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("AnalySalesQs")), nullptr);
}

} // namespace
