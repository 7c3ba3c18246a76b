// The chart: each row keeps its own label and value whatever the labels,
// labels and tips read as written, labels are drawn whole (across, or
// upright in a view that scrolls), the whole label and value show when the
// pointer rests on a row, a wide chart keeps its value axis, title and legend
// in view while its bars scroll, and the three-dimensional types paint depth.
#include "platform/ui/chart.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Rows = std::vector<std::pair<QString, double>>;

class ChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_ = std::make_unique<QWidget>();
        host_->resize(700, 450);
        chart_ = new ui::Chart(host_.get());
        chart_->setGeometry(0, 0, 640, 420);
        host_->show();
    }

    // Fills the chart as the analysis windows do, row by row.
    void fill(const Rows& rows, int type = 1)
    {
        chart_->setChartType(type);
        chart_->setRowCount(static_cast<int>(rows.size()));
        chart_->setColumnLabel(QStringLiteral("销售额"));
        chart_->setShowLegend(true);
        for (int row = 1; row <= chart_->rowCount(); ++row) {
            chart_->setRow(row);
            chart_->setRowLabel(rows[static_cast<size_t>(row - 1)].first);
            chart_->setData(rows[static_cast<size_t>(row - 1)].second);
        }
        // The drawing, then the scroll bar it shows or hides.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        chart_->horizontalScrollBar()->setValue(0);
    }

    QImage picture()
    {
        QCoreApplication::processEvents();
        return chart_->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    bool inSeriesColour(const QImage& shown, const QPoint& at)
    {
        return (shown.pixel(at) & 0xFFFFFFu) == (ui::Chart::seriesColor().rgb() & 0xFFFFFFu);
    }

    bool seriesNear(const QImage& shown, const QPoint& at)
    {
        for (int dx = -2; dx <= 2; ++dx)
            for (int dy = -2; dy <= 2; ++dy)
                if (inSeriesColour(shown, at + QPoint(dx, dy))) return true;
        return false;
    }

    // The top of the bar drawn for `row`: up its middle from the base as far
    // as the series' colour goes.
    int barTop(const QImage& shown, int row)
    {
        QPoint at = chart_->pointOf(row, 0) + QPoint(0, -1);
        while (at.y() > 0 && inSeriesColour(shown, at)) at.ry() -= 1;
        return at.y() + 1;
    }

    QStringList shownLabels()
    {
        QStringList labels;
        for (int row = 1; row <= chart_->rowCount(); ++row) labels << chart_->shownLabel(row);
        return labels;
    }

    // Every label is drawn whole, in its own slot and under the plot.
    void expectLabelsWhole(const QStringList& labels)
    {
        EXPECT_EQ(shownLabels(), labels);
        const double slot = chart_->slotWidth();
        const QRectF plot = chart_->plotArea();
        for (int row = 1; row <= labels.size(); ++row) {
            const QRect drawn = chart_->labelRect(row);
            const double centre = chart_->pointOf(row, 0).x();
            EXPECT_GE(drawn.left(), centre - slot / 2 - 1) << row;
            EXPECT_LE(drawn.right(), centre + slot / 2 + 1) << row;
            EXPECT_GE(drawn.top(), plot.bottom()) << row;
            EXPECT_LE(drawn.bottom(), chart_->viewport()->height()) << row;
        }
    }

    // The tool tip as the operator reads it after the pointer rests at `at`
    // of the viewport (a tip's text that might be markup is shown as markup).
    QString tipAt(const QPoint& at)
    {
        // A tip asked to hide fades out later: the last one goes at once.
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->inherits("QTipLabel")) top->hide();
        QHelpEvent rest(QEvent::ToolTip, at, chart_->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(chart_->viewport(), &rest);
        if (!QToolTip::isVisible()) return QString();
        const QString tip = QToolTip::text();
        if (!Qt::mightBeRichText(tip)) return tip;
        QTextDocument shown;
        shown.setHtml(tip);
        return shown.toPlainText();
    }

    std::unique_ptr<QWidget> host_;
    ui::Chart* chart_ = nullptr;
};

TEST_F(ChartTest, EveryRowKeepsItsOwnLabelAndValue)
{
    const Rows sameNames{{"同名", 10}, {"同名", 20}, {"别的", 30}};
    for (int type : {0, 1, 2, 3, 4}) {
        fill(sameNames, type);
        EXPECT_EQ(shownLabels(), (QStringList{"同名", "同名", "别的"})) << type;
        const QImage shown = picture();
        for (int row = 1; row <= 3; ++row) {
            const QPoint value = chart_->pointOf(row, sameNames[static_cast<size_t>(row - 1)].second);
            if (type <= 1)
                EXPECT_NEAR(barTop(shown, row), value.y(), 1) << type << " " << row;
            else    // the line passes by the point, beside any face drawn over it
                EXPECT_TRUE(seriesNear(shown, value)) << type << " " << row;
        }
    }
    fill({{"", 5}, {"x", 6}, {"", 7}, {"x", 8}, {"x ", 9}});
    EXPECT_EQ(shownLabels(), (QStringList{"", "x", "", "x", "x "}));
    const QImage shown = picture();
    for (int row = 1; row <= 5; ++row) EXPECT_NEAR(barTop(shown, row), chart_->pointOf(row, 4 + row).y(), 1) << row;

    // Resting the pointer on a bar, above it in its slot or on its label
    // shows that row's label and value; off the rows nothing shows.
    fill(sameNames);
    EXPECT_EQ(tipAt(chart_->pointOf(2, 15)), QStringLiteral("同名：20"));
    EXPECT_EQ(tipAt(chart_->pointOf(3, 25)), QStringLiteral("别的：30"));
    EXPECT_EQ(tipAt(chart_->pointOf(1, 29)), QStringLiteral("同名：10"));
    EXPECT_EQ(tipAt(chart_->pointOf(3, 0) + QPoint(0, 8)), QStringLiteral("别的：30"));
    EXPECT_EQ(tipAt(chart_->pointOf(0.5, 15) - QPoint(8, 0)), QString());
    EXPECT_EQ(tipAt(QPoint(chart_->viewport()->width() / 2, 2)), QString());
    fill(sameNames, 3);
    EXPECT_EQ(tipAt(chart_->pointOf(3, 30)), QStringLiteral("别的：30"));
    EXPECT_EQ(chart_->valueText(1), QStringLiteral("同名：10"));
}

TEST_F(ChartTest, LabelsAndTipsReadAsWritten)
{
    // Texts that markup would change: each label is drawn whole, ink from
    // its first to its last character, and its tip reads the same.
    const QStringList names{"钢管<50mm>", "A&lt;B", "<b>粗</b>", "R&D"};
    Rows rows;
    for (const QString& name : names) rows.push_back({name, 10});
    fill(rows);
    ASSERT_FALSE(chart_->labelsUpright());
    const QImage shown = picture();
    const QFontMetricsF metrics(chart_->font());
    for (int row = 1; row <= names.size(); ++row) {
        const QString& name = names[row - 1];
        EXPECT_EQ(chart_->shownLabel(row), name);
        const QRect drawn = chart_->labelRect(row);
        EXPECT_NEAR(drawn.width(), metrics.horizontalAdvance(name), 1.5) << row;
        int left = shown.width();
        int right = -1;
        for (int y = drawn.top(); y <= drawn.bottom(); ++y)
            for (int x = drawn.left() - 2; x <= drawn.right() + 2; ++x)
                if (qGray(shown.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        EXPECT_LE(left, drawn.left() + 3) << row;
        EXPECT_GE(right, drawn.right() - 3) << row;
        EXPECT_EQ(tipAt(chart_->pointOf(row, 5)), name + QStringLiteral("：10")) << row;
    }
}

TEST_F(ChartTest, NamesSharingTheirStartReadWholeOnTheirBars)
{
    // Names too long to stand whole under the plot: each bar still tells
    // its customer by the whole name and amount, on the bar and on the label.
    Rows customers;
    for (int i = 0; i < 40; ++i) customers.push_back({QStringLiteral("深圳周记1%1贸易有限公司").arg(i), 100.0 + i});
    fill(customers);
    ASSERT_TRUE(chart_->labelsUpright());
    QScrollBar* bar = chart_->horizontalScrollBar();
    for (int row : {1, 2, 11, 40}) {
        const QString whole = QStringLiteral("深圳周记1%1贸易有限公司：%2").arg(row - 1).arg(99 + row);
        bar->setValue(chart_->pointOf(row, 0).x() + bar->value() - chart_->viewport()->width() / 2);
        EXPECT_EQ(tipAt(chart_->pointOf(row, 50)), whole) << row;
        EXPECT_EQ(tipAt(chart_->pointOf(row, 0) + QPoint(0, 20)), whole) << row;
    }
}

TEST_F(ChartTest, WideChartKeepsItsValueAxisTitleAndLegendInView)
{
    Rows products;
    for (int i = 0; i < 200; ++i) products.push_back({QStringLiteral("产品%1号").arg(i + 1), 1000.0 + (i * 37) % 500});
    chart_->setTitleText(QStringLiteral("按产品统计"));
    fill(products);
    QScrollBar* bar = chart_->horizontalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    const QRectF plot = chart_->plotArea();
    const QRect axis(0, 0, static_cast<int>(plot.left()), chart_->viewport()->height());
    const QRect heading(0, 0, chart_->viewport()->width(), static_cast<int>(plot.top()) - 16);
    const QRect rows = QRectF(plot.left() + 1, plot.top(), plot.width() - 1, plot.height()).toAlignedRect();

    QImage first;
    for (int at : {0, bar->maximum() / 2, bar->maximum()}) {
        bar->setValue(at);
        const QImage shown = picture();
        if (first.isNull()) {
            first = shown;
            // The title, the legend and the value axis are drawn there.
            for (const QRect& part : {axis, heading}) EXPECT_NE(shown.copy(part), QImage(part.size(), shown.format())) << at;
        } else {
            // What the operator sees there stays the same while the bars move.
            EXPECT_EQ(shown.copy(axis), first.copy(axis)) << at;
            EXPECT_EQ(shown.copy(heading), first.copy(heading)) << at;
            EXPECT_NE(shown.copy(rows), first.copy(rows)) << at;
        }
        // Under the value axis no bar answers; the first bar shown beside it does.
        EXPECT_EQ(tipAt(QPoint(axis.width() / 2, axis.height() / 2)), QString()) << at;
        int row = 1;
        while (chart_->pointOf(row, 0).x() < plot.left() + 10) ++row;
        EXPECT_EQ(tipAt(chart_->pointOf(row, 500)), products[static_cast<size_t>(row - 1)].first + QStringLiteral("：")
                                                       + QString::number(products[static_cast<size_t>(row - 1)].second))
            << at;
    }
    // At the far end the last row stands whole in the plot.
    EXPECT_LE(chart_->pointOf(200.5, 0).x(), plot.right() + 1);
    EXPECT_GE(chart_->pointOf(199.5, 0).x(), plot.left());

    // A chart that fits its view does not scroll.
    fill(Rows(products.begin(), products.begin() + 5));
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(ChartTest, LabelsAreWholeAcrossUprightOrScrolling)
{
    Rows months;
    QStringList labels;
    for (int month = 1; month <= 24; ++month) {
        labels << QStringLiteral("%1-%2").arg(2008 + (month - 1) / 12).arg((month - 1) % 12 + 1);
        months.push_back({labels.back(), month * 10.0});
    }
    // Half a year fits across, a year stands upright, two years and
    // thousands of groups scroll.
    struct Case {
        int rows;
        bool upright;
        bool scrolls;
    };
    for (const Case& c : {Case{6, false, false}, Case{12, true, false}, Case{24, true, true}}) {
        fill(Rows(months.begin(), months.begin() + c.rows));
        EXPECT_EQ(chart_->labelsUpright(), c.upright) << c.rows;
        EXPECT_EQ(chart_->horizontalScrollBar()->isVisible(), c.scrolls) << c.rows;
        expectLabelsWhole(labels.mid(0, c.rows));
    }

    for (int count : {500, 100'000}) {
        Rows groups;
        labels.clear();
        // The last label is the longest: the room under the plot holds it.
        for (int i = 0; i < count; ++i) {
            labels << (i + 1 < count ? QStringLiteral("产品%1号") : QStringLiteral("产品%1号加长型")).arg(i + 1);
            groups.push_back({labels.back(), 500.0 - i % 500});
        }
        fill(groups);
        EXPECT_TRUE(chart_->labelsUpright()) << count;
        QScrollBar* bar = chart_->horizontalScrollBar();
        EXPECT_TRUE(bar->isVisible()) << count;
        if (count == 500) expectLabelsWhole(labels);
        bar->setValue(bar->maximum());
        EXPECT_EQ(chart_->shownLabel(count), labels.back()) << count;
        EXPECT_EQ(tipAt(chart_->pointOf(count, 100)), labels.back() + QStringLiteral("：") + QString::number(groups.back().second))
            << count;
        EXPECT_NEAR(barTop(picture(), count), chart_->pointOf(count, groups.back().second).y(), 1) << count;
    }
    QTemporaryDir dir;
    EXPECT_TRUE(chart_->grab().save(dir.filePath(QStringLiteral("view.png")), "PNG"));
}

TEST_F(ChartTest, ThreeDimensionalTypesPaintDepth)
{
    const Rows rows{{"甲", 30}, {"乙", 60}, {"丙", 90}};
    auto faceColours = [&](int type) {
        fill(rows, type);
        const QImage shown = picture();
        // Just above the middle bar's top and right of its right edge.
        const QPoint top = chart_->pointOf(2, 60) + QPoint(0, -2);
        const QPoint side = chart_->pointOf(2.25, 30) + QPoint(2, 0);
        return std::make_pair(QColor(shown.pixel(top)), QColor(shown.pixel(side)));
    };
    const auto raised = faceColours(0);
    EXPECT_EQ(raised.first.rgb(), ui::Chart::topFaceColor().rgb());
    EXPECT_EQ(raised.second.rgb(), ui::Chart::sideFaceColor().rgb());
    const auto flat = faceColours(1);
    EXPECT_NE(flat.first.rgb(), ui::Chart::topFaceColor().rgb());
    EXPECT_NE(flat.second.rgb(), ui::Chart::sideFaceColor().rgb());

    // Lines and areas: a ribbon just above a level stretch of the line.
    auto ribbon = [&](int type) {
        fill({{"甲", 30}, {"乙", 60}, {"丙", 60}}, type);
        const QImage shown = picture();
        return shown.pixel(chart_->pointOf(2.5, 60) + QPoint(0, -5)) & 0xFFFFFFu;
    };
    const QRgb top = ui::Chart::topFaceColor().rgb() & 0xFFFFFFu;
    EXPECT_EQ(ribbon(2), top);
    EXPECT_EQ(ribbon(4), top);
    EXPECT_NE(ribbon(3), top);
}

} // namespace
