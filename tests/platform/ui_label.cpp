// Labels drawn on their container: where their captions show, which label
// the mouse reaches, and what a screen reader learns of them.
#include "platform/ui/label.h"
#include "platform/ui/looks.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QColor kRed(255, 0, 0);

// A white container that counts the presses that reach it.
class Container : public QWidget {
public:
    Container()
    {
        setAutoFillBackground(true);
        QPalette white = palette();
        white.setColor(QPalette::Window, Qt::white);
        setPalette(white);
        resize(300, 120);
    }
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

ui::Label* labelOn(QWidget* container, const QString& caption, const QRect& at)
{
    auto* label = new ui::Label(container);
    label->setCaption(caption);
    label->setGeometry(at);
    return label;
}

// How many pixels of the colour a rectangle of the container shows.
int pixelsOf(QWidget* container, const QRect& area, const QColor& colour)
{
    const QImage shown = container->grab().toImage();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) count += shown.pixelColor(x, y) == colour;
    return count;
}

// A real click where the operator would point, on whatever is shown there.
void clickAt(QWidget* container, QPoint point)
{
    QWidget* shown = container->childAt(point);
    if (!shown) shown = container;
    QTest::mouseClick(shown, Qt::LeftButton, Qt::NoModifier, shown->mapFrom(container, point));
}

} // namespace

TEST(UiLabel, TheCaptionShowsInItsColourWhereTheLabelStandsOnlyWhileShown)
{
    Container window;
    ui::Label* label = labelOn(&window, QStringLiteral("■■■■"), QRect(10, 10, 120, 30));
    ui::setForeColor(label, 0x0000FF);
    window.show();
    EXPECT_GT(pixelsOf(&window, QRect(10, 10, 120, 30), kRed), 20);
    EXPECT_EQ(label->font(), window.font()) << "a label writes in its container's font until given its own";

    label->move(150, 70);
    EXPECT_EQ(pixelsOf(&window, QRect(10, 10, 120, 30), kRed), 0) << "nothing stays where it stood";
    EXPECT_GT(pixelsOf(&window, QRect(150, 70, 120, 30), kRed), 20);

    label->hide();
    EXPECT_EQ(pixelsOf(&window, window.rect(), kRed), 0);
    EXPECT_FALSE(label->isVisible());
    label->show();
    EXPECT_TRUE(label->isVisible());
    EXPECT_GT(pixelsOf(&window, QRect(150, 70, 120, 30), kRed), 20);
}

TEST(UiLabel, TheMouseReachesTheUppermostLabelThatTakesIt)
{
    Container window;
    ui::Label* under = labelOn(&window, QStringLiteral("下"), QRect(10, 10, 100, 40));
    ui::Label* over = labelOn(&window, QStringLiteral("上"), QRect(60, 10, 100, 40));
    QStringList clicked;
    under->onClick = [&] { clicked << QStringLiteral("under"); };
    over->onClick = [&] { clicked << QStringLiteral("over"); };
    double downX = -1;
    over->onMouseDown = [&](int button, int, double x, double) {
        EXPECT_EQ(button, ui::LeftButton);
        downX = x;
    };
    window.show();

    clickAt(&window, QPoint(80, 20));   // where both lie
    clickAt(&window, QPoint(20, 20));   // the lower one alone
    EXPECT_EQ(clicked, (QStringList{"over", "under"}));
    EXPECT_DOUBLE_EQ(downX, 20 * 15.0) << "in twips from the label's own left edge";

    under->raise();
    clickAt(&window, QPoint(80, 20));
    EXPECT_EQ(clicked.last(), QStringLiteral("under"));

    under->setEnabled(false);
    clickAt(&window, QPoint(80, 20));
    EXPECT_EQ(clicked.size(), 3) << "a disabled label takes no click, nor passes it to the one under it";

    clickAt(&window, QPoint(250, 100));
    EXPECT_EQ(window.presses, 1) << "away from the labels the container gets the mouse";
    over->hide();
    clickAt(&window, QPoint(150, 20));
    EXPECT_EQ(window.presses, 2) << "a hidden label takes no room";
}

TEST(UiLabel, AScreenReaderReadsTheCaptionsOfTheShownLabels)
{
    Container window;
    labelOn(&window, QStringLiteral("客户名称"), QRect(10, 10, 100, 20));
    labelOn(&window, QStringLiteral("地址"), QRect(10, 40, 100, 20))->hide();
    window.show();

    QAccessibleInterface* container = QAccessible::queryAccessibleInterface(&window);
    ASSERT_TRUE(container);
    QStringList read;
    for (int i = 0; i < container->childCount(); ++i) {
        QAccessibleInterface* child = container->child(i);
        for (int j = 0; child && j < child->childCount(); ++j) {
            QAccessibleInterface* text = child->child(j);
            EXPECT_EQ(text->role(), QAccessible::StaticText);
            EXPECT_EQ(text->parent(), child);
            if (!text->state().invisible) read << text->text(QAccessible::Name);
        }
    }
    EXPECT_EQ(read, QStringList{QStringLiteral("客户名称")});
}
