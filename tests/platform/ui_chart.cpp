// The chart: each row keeps its own label and value whatever the labels,
// labels are drawn whole (across, or upright in a view that scrolls), the
// whole label and value show when the pointer rests on a row, a wide chart
// keeps its value axis, title and legend in view while its bars scroll, and
// the three-dimensional types paint their depth.
#include "platform/ui/chart.h"

#include <QApplication>
#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsTextItem>
#include <QHelpEvent>
#include <QImage>
#include <QLegend>
#include <QLineSeries>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
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

    // The viewport point of value `y` at row position `x` (0-based).
    QPoint pointOf(double x, double y)
    {
        const QPointF inChart = chart_->chart()->mapToPosition(QPointF(x, y), chart_->series());
        return chart_->mapFromScene(chart_->chart()->mapToScene(inChart));
    }

    // The tool tip shown after the pointer rests at `at` of the viewport.
    QString tipAt(const QPoint& at)
    {
        // A tip asked to hide fades out later: the last one goes at once.
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->inherits("QTipLabel")) top->hide();
        QHelpEvent rest(QEvent::ToolTip, at, chart_->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(chart_->viewport(), &rest);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    // Where the operator sees `item` of the chart's scene, in the chart view's
    // coordinates: through `pane` when it is shown, else through the viewport.
    QRectF seenAt(const QGraphicsItem* item, const QGraphicsView* pane)
    {
        const QRectF inScene = item->sceneBoundingRect();
        if (pane->isVisible())
            return QRectF(pane->mapFromScene(inScene).boundingRect()).translated(pane->pos());
        return QRectF(chart_->mapFromScene(inScene).boundingRect()).translated(chart_->viewport()->pos());
    }

    // The texts of the chart's scene that read `text`.
    std::vector<QGraphicsItem*> textItems(const QString& text)
    {
        std::vector<QGraphicsItem*> found;
        for (QGraphicsItem* item : chart_->scene()->items()) {
            auto* shown = dynamic_cast<QGraphicsTextItem*>(item);
            if (shown && shown->isVisible() && shown->toPlainText() == text) found.push_back(item);
        }
        return found;
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

    // Resting the pointer on a bar, above it in its slot or on its label
    // shows that row's label and value; off the rows nothing shows.
    fill(sameNames);
    EXPECT_EQ(tipAt(pointOf(1, 15)), QStringLiteral("同名：20"));
    EXPECT_EQ(tipAt(pointOf(2, 25)), QStringLiteral("别的：30"));
    EXPECT_EQ(tipAt(pointOf(0, 29)), QStringLiteral("同名：10"));
    EXPECT_EQ(tipAt(pointOf(2, 0) + QPoint(0, 8)), QStringLiteral("别的：30"));
    EXPECT_EQ(tipAt(pointOf(-0.5, 15) - QPoint(8, 0)), QString());
    EXPECT_EQ(tipAt(QPoint(chart_->viewport()->width() / 2, 2)), QString());
    fill(sameNames, 3);
    EXPECT_EQ(tipAt(pointOf(2, 30)), QStringLiteral("别的：30"));
    EXPECT_EQ(chart_->valueText(1), QStringLiteral("同名：10"));
}

TEST_F(ChartTest, NamesSharingTheirStartReadWholeOnTheirBars)
{
    // Names too long to stand whole under the plot: each bar still tells
    // its customer by the whole name and amount, on the bar and on the label.
    Rows customers;
    for (int i = 0; i < 40; ++i) customers.push_back({QStringLiteral("深圳周记1%1贸易有限公司").arg(i), 100.0 + i});
    fill(customers);
    ASSERT_TRUE(chart_->labelsUpright());
    for (int row : {1, 2, 11, 40}) {
        const QString whole = QStringLiteral("深圳周记1%1贸易有限公司：%2").arg(row - 1).arg(99 + row);
        chart_->horizontalScrollBar()->setValue(pointOf(row - 1, 0).x() + chart_->horizontalScrollBar()->value()
                                                - chart_->viewport()->width() / 2);
        EXPECT_EQ(tipAt(pointOf(row - 1, 50)), whole) << row;
        EXPECT_EQ(tipAt(pointOf(row - 1, 0) + QPoint(0, 20)), whole) << row;
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
    const QRect view = chart_->viewport()->geometry();
    QGraphicsView* axisPane = chart_->valueAxisPane();
    QGraphicsView* headingPane = chart_->headingPane();
    const auto titles = textItems(QStringLiteral("按产品统计"));
    ASSERT_EQ(titles.size(), 1u);
    const auto legend = textItems(QStringLiteral("销售额"));
    ASSERT_EQ(legend.size(), 1u);
    const auto lowest = textItems(QStringLiteral("0.0"));
    const auto highest = textItems(QStringLiteral("1499.0"));
    ASSERT_EQ(lowest.size(), 1u);
    ASSERT_EQ(highest.size(), 1u);

    QImage first;
    for (int at : {0, bar->maximum() / 2, bar->maximum()}) {
        bar->setValue(at);
        QCoreApplication::processEvents();
        EXPECT_TRUE(axisPane->isVisible()) << at;
        EXPECT_EQ(axisPane->geometry().topLeft(), view.topLeft()) << at;
        for (QGraphicsItem* label : {lowest[0], highest[0]}) EXPECT_TRUE(view.contains(seenAt(label, axisPane).toRect())) << at;
        EXPECT_TRUE(view.contains(seenAt(titles[0], headingPane).toRect())) << at;
        EXPECT_TRUE(view.contains(seenAt(legend[0], headingPane).toRect())) << at;
        // Neither pane hides a bar's top: they end where the plot begins.
        EXPECT_LE(axisPane->width(), chart_->chart()->plotArea().left()) << at;
        EXPECT_LT(headingPane->height(), chart_->chart()->plotArea().top()) << at;

        // What the operator sees there stays the same while the bars move.
        const QImage shown = chart_->grab().toImage();
        const QRect still = axisPane->geometry().united(headingPane->geometry());
        if (first.isNull()) {
            first = shown;
        } else {
            EXPECT_EQ(shown.copy(axisPane->geometry()), first.copy(axisPane->geometry())) << at;
            EXPECT_EQ(shown.copy(headingPane->geometry()), first.copy(headingPane->geometry())) << at;
            EXPECT_NE(shown.copy(view), first.copy(view)) << at;
        }
        EXPECT_TRUE(view.contains(still)) << at;

        // Under the value axis no bar answers; the first bar shown beside it does.
        EXPECT_EQ(tipAt(axisPane->geometry().center() - view.topLeft()), QString()) << at;
        int row = 1;
        while (pointOf(row - 1, 0).x() < axisPane->width() + 10) ++row;
        EXPECT_EQ(tipAt(pointOf(row - 1, 500)), products[static_cast<size_t>(row - 1)].first + QStringLiteral("：")
                                                    + QString::number(products[static_cast<size_t>(row - 1)].second))
            << at;
    }

    // A chart that fits its view shows no panes.
    fill(Rows(products.begin(), products.begin() + 5));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(axisPane->isVisible());
    EXPECT_FALSE(headingPane->isVisible());
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
