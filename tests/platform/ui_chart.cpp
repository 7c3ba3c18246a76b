// The chart: each row keeps its own label and value whatever the labels,
// labels are drawn whole (across, or upright in a view that scrolls), the
// value shows on hover, and the three-dimensional types paint their depth.
#include "platform/ui/chart.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLineSeries>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
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
        chart_->series();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    // The values the series draws, by row.
    std::vector<double> drawnValues()
    {
        std::vector<double> values;
        QAbstractSeries* series = chart_->series();
        if (auto* bars = qobject_cast<QBarSeries*>(series)) {
            for (int i = 0; i < bars->barSets()[0]->count(); ++i) values.push_back(bars->barSets()[0]->at(i));
        } else {
            auto* line = qobject_cast<QLineSeries*>(series);
            if (auto* area = qobject_cast<QAreaSeries*>(series)) line = area->upperSeries();
            for (const QPointF& point : line->points()) values.push_back(point.y());
        }
        return values;
    }

    QStringList shownLabels()
    {
        QStringList labels;
        for (int row = 1; row <= chart_->rowCount(); ++row) labels << chart_->shownLabel(row);
        return labels;
    }

    // The category labels as the chart's scene draws them, left to right: the
    // texts under the plot other than the legend's.
    std::vector<QGraphicsTextItem*> labelItems()
    {
        std::vector<QGraphicsTextItem*> items;
        const QRectF plot = chart_->chart()->plotArea();
        for (QGraphicsItem* item : chart_->scene()->items()) {
            auto* text = dynamic_cast<QGraphicsTextItem*>(item);
            if (text && text->isVisible() && text->sceneBoundingRect().top() >= plot.bottom() - 1
                && text->sceneBoundingRect().right() > plot.left() && !text->toPlainText().isEmpty()
                && text->toPlainText() != chart_->columnLabel()) {
                items.push_back(text);
            }
        }
        std::sort(items.begin(), items.end(), [](auto* a, auto* b) {
            return a->sceneBoundingRect().center().x() < b->sceneBoundingRect().center().x();
        });
        return items;
    }

    // Every label is drawn whole, in row order, within its own slot: its text
    // width (across) or line height (upright) fits the slot's width, and an
    // upright label's text width fits the room under the plot.
    void expectLabelsWhole(const QStringList& labels)
    {
        const QChart* chart = chart_->chart();
        const QFontMetricsF metrics(chart->axes(Qt::Horizontal).value(0)->labelsFont());
        const double slot = chart->plotArea().width() / labels.size();
        const double below = chart->size().height() - chart->plotArea().bottom();
        const auto items = labelItems();
        ASSERT_EQ(items.size(), static_cast<size_t>(labels.size()));
        for (int i = 0; i < labels.size(); ++i) {
            QGraphicsTextItem* item = items[static_cast<size_t>(i)];
            EXPECT_EQ(item->toPlainText().remove(QChar(0x200B)), labels[i]) << i;
            const double across = metrics.horizontalAdvance(labels[i]);
            if (chart_->labelsUpright()) {
                EXPECT_LE(metrics.height(), slot) << i;
                EXPECT_LE(across, below) << i;
            } else {
                EXPECT_LE(across, slot) << i;
            }
            const double centre = chart->plotArea().left() + slot * (i + 0.5);
            EXPECT_NEAR(item->sceneBoundingRect().center().x(), centre, slot / 2) << i;
        }
    }

    QImage picture()
    {
        chart_->series();
        return chart_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The scene point of row `row`'s value (0-based x).
    QPoint pointOf(double x, double y)
    {
        const QPointF inChart = chart_->chart()->mapToPosition(QPointF(x, y), chart_->series());
        return chart_->mapFromScene(chart_->chart()->mapToScene(inChart));
    }

    std::unique_ptr<QWidget> host_;
    ui::Chart* chart_ = nullptr;
};

TEST_F(ChartTest, EveryRowKeepsItsOwnLabelAndValue)
{
    const Rows sameNames{{"同名", 10}, {"同名", 20}, {"别的", 30}};
    for (int type : {0, 1, 2, 3, 4}) {
        fill(sameNames, type);
        EXPECT_EQ(drawnValues(), (std::vector<double>{10, 20, 30})) << type;
        EXPECT_EQ(shownLabels(), (QStringList{"同名", "同名", "别的"})) << type;
        auto* axis = qobject_cast<QBarCategoryAxis*>(chart_->chart()->axes(Qt::Horizontal).value(0));
        ASSERT_TRUE(axis);
        EXPECT_EQ(axis->count(), 3) << type;
    }
    fill({{"", 5}, {"x", 6}, {"", 7}, {"x", 8}, {QString("x") + QChar(0x200B), 9}});
    EXPECT_EQ(drawnValues(), (std::vector<double>{5, 6, 7, 8, 9}));
    EXPECT_EQ(shownLabels(), (QStringList{"", "x", "", "x", "x"}));
    EXPECT_EQ(qobject_cast<QBarCategoryAxis*>(chart_->chart()->axes(Qt::Horizontal).value(0))->count(), 5);

    // Pointing at a bar shows that row's label and value.
    fill(sameNames);
    QTest::mouseMove(chart_->viewport(), pointOf(1, 15));
    EXPECT_EQ(chart_->toolTip(), QStringLiteral("同名：20"));
    QTest::mouseMove(chart_->viewport(), pointOf(2, 25));
    EXPECT_EQ(chart_->toolTip(), QStringLiteral("别的：30"));
    EXPECT_EQ(chart_->valueText(1), QStringLiteral("同名：10"));
}

TEST_F(ChartTest, MonthLabelsAreWhole)
{
    Rows months;
    QStringList labels;
    for (int month = 1; month <= 24; ++month) {
        labels << QStringLiteral("%1-%2").arg(2008 + (month - 1) / 12).arg((month - 1) % 12 + 1);
        months.push_back({labels.back(), month * 10.0});
    }
    // Half a year fits across, a year stands upright, two years scroll.
    fill(Rows(months.begin(), months.begin() + 6));
    EXPECT_FALSE(chart_->labelsUpright());
    EXPECT_FALSE(chart_->horizontalScrollBar()->isVisible());
    expectLabelsWhole(labels.mid(0, 6));
    fill(Rows(months.begin(), months.begin() + 12));
    EXPECT_TRUE(chart_->labelsUpright());
    EXPECT_FALSE(chart_->horizontalScrollBar()->isVisible());
    expectLabelsWhole(labels.mid(0, 12));
    fill(months);
    EXPECT_TRUE(chart_->labelsUpright());
    EXPECT_TRUE(chart_->horizontalScrollBar()->isVisible());
    expectLabelsWhole(labels);
}

TEST_F(ChartTest, FiveHundredGroupsScrollWithLegibleLabels)
{
    Rows groups;
    QStringList labels;
    for (int i = 0; i < 500; ++i) {
        labels << QStringLiteral("产品%1号").arg(i + 1);
        groups.push_back({labels.back(), 500.0 - i});
    }
    fill(groups);
    EXPECT_TRUE(chart_->labelsUpright());
    EXPECT_TRUE(chart_->horizontalScrollBar()->isVisible());
    EXPECT_GT(chart_->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(drawnValues().size(), 500u);
    EXPECT_EQ(shownLabels(), labels);
    expectLabelsWhole(labels);

    // The view as shown and the whole chart both render to PNG files.
    QTemporaryDir dir;
    EXPECT_TRUE(chart_->grab().save(dir.filePath(QStringLiteral("view.png")), "PNG"));
    QImage whole(chart_->chart()->size().toSize(), QImage::Format_RGB32);
    whole.fill(Qt::white);
    QPainter painter(&whole);
    chart_->scene()->render(&painter, QRectF(), chart_->sceneRect());
    painter.end();
    EXPECT_TRUE(whole.save(dir.filePath(QStringLiteral("whole.png")), "PNG"));
    EXPECT_GT(whole.width(), 500 * QFontMetricsF(chart_->font()).height());
}

TEST_F(ChartTest, ThreeDimensionalTypesPaintDepth)
{
    const Rows rows{{"甲", 30}, {"乙", 60}, {"丙", 90}};
    auto faceColours = [&](int type) {
        fill(rows, type);
        const QImage shown = picture();
        // Just above the middle bar's top and right of its right edge.
        const QPoint top = pointOf(1, 60) + QPoint(0, -2);
        const QPoint side = pointOf(1.25, 30) + QPoint(2, 0);
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
        return shown.pixel(pointOf(1.5, 60) + QPoint(0, -5)) & 0xFFFFFFu;
    };
    const QRgb top = ui::Chart::topFaceColor().rgb() & 0xFFFFFFu;
    EXPECT_EQ(ribbon(2), top);
    EXPECT_EQ(ribbon(4), top);
    EXPECT_NE(ribbon(3), top);
}

} // namespace
