// The scrolling band: controls keep the container's coordinates, the range
// reaches the lowest control, the wheel steps and the view follows a control
// asked for, and the band follows the container's size.
#include "platform/ui/controls.h"
#include "platform/ui/scrollpane.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

void wheel(QWidget* target, int notches)
{
    const QPointF at(5, 5);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

TEST(UiScrollPane, ShowsItsBandAndScrollsToEveryControl)
{
    QWidget container;
    container.resize(300, 160);
    // The band runs from 40 px (600 twips) down to 10 px (150 twips) above the bottom.
    ui::ScrollPane pane(&container, 600, 150);
    EXPECT_EQ(pane.geometry(), QRect(0, 40, 300, 110));
    std::vector<QLabel*> rows;
    for (int row = 0; row < 10; ++row) {
        auto* label = new QLabel(pane.content());
        label->setGeometry(10, 40 + 20 * row, 100, 20);   // container coordinates
        label->show();
        rows.push_back(label);
    }
    pane.setStep(20);
    pane.fitContent();
    container.show();
    auto* bar = pane.findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->maximum(), 240 - 150);   // the lowest bottom less the band's bottom
    EXPECT_EQ(rows[0]->mapTo(&container, QPoint(0, 0)), QPoint(10, 40));

    wheel(&pane, -1);   // three steps down
    EXPECT_EQ(pane.scrolled(), 60);
    EXPECT_EQ(rows[3]->mapTo(&container, QPoint(0, 0)), QPoint(10, 40));
    wheel(&pane, -5);
    EXPECT_EQ(pane.scrolled(), 90);
    wheel(&pane, 1);
    EXPECT_EQ(pane.scrolled(), 30);

    pane.ensureVisible(rows[0]);
    EXPECT_EQ(pane.scrolled(), 0);
    pane.ensureVisible(rows[9]);
    EXPECT_EQ(pane.scrolled(), 90);
    pane.ensureVisible(rows[7]);   // already in view: nothing moves
    EXPECT_EQ(pane.scrolled(), 90);

    // A taller container shows every control: no bar, nothing scrolled.
    container.resize(300, 400);
    EXPECT_EQ(pane.height(), 400 - 40 - 10);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(pane.scrolled(), 0);
    EXPECT_EQ(rows[0]->mapTo(&container, QPoint(0, 0)), QPoint(10, 40));
}

} // namespace
